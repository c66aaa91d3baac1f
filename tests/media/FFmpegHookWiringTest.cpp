// The option "vhook" adds plug-ins to the job's chain; the job's clean-up
// releases them.
#include "FFmpegInputTestSupport.h"
#include "TestHook.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/targets/FrameHook.h"

#include <cstdio>

namespace tovrel::test {
namespace {

class FFmpegHookWiringTest : public TMediaJobTest {
protected:
    static std::string HookLine(int& released, const char* more = "")
    {
        char counter[64];
        std::snprintf(counter, sizeof counter, "released=%p", static_cast<void*>(&released));
        return std::string(TOVREL_HOOK_PLUGINS_DIR) + "/hook_invert.so " + counter + more;
    }
};

TEST_F(FFmpegHookWiringTest, HooksJoinTheJobsChainAndCleanUpReleasesThem)
{
    int releasedA = 0;
    int releasedB = 0;
    job->ParseOption("vhook", HookLine(releasedA));
    job->ParseOption("vhook", HookLine(releasedB, " add=3"));
    ASSERT_NE(job->FFirstHook, nullptr);
    ASSERT_NE(job->FFirstHook->next, nullptr);
    EXPECT_EQ(job->FFirstHook->next->next, nullptr);
    EXPECT_EQ(static_cast<TestHookContext*>(job->FFirstHook->next->ctx)->add, 3);
    EXPECT_TRUE(job->Fusing_vhook);

    job->Reinitialize(); // the job's clean-up
    EXPECT_EQ(job->FFirstHook, nullptr);
    EXPECT_EQ(releasedA, 1);
    EXPECT_EQ(releasedB, 1);

    // A job that ends with its hooks in place releases them too.
    job->ParseOption("vhook", HookLine(releasedA));
    job.reset();
    EXPECT_EQ(releasedA, 2);
}

TEST_F(FFmpegHookWiringTest, AHookThatCannotBeAddedRaisesAndLeavesTheChain)
{
    int released = 0;
    job->ParseOption("vhook", HookLine(released));
    const std::string missing = std::string(TOVREL_HOOK_PLUGINS_DIR) + "/nosuch.so x";
    try {
        job->ParseOption("vhook", missing);
        ADD_FAILURE() << "nothing raised";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(e.what(), "Failed to add video hook function: " + missing);
    }
    ASSERT_NE(job->FFirstHook, nullptr);
    EXPECT_EQ(job->FFirstHook->next, nullptr);

    // Released while the counter the plug-in writes to is still alive.
    job.reset();
    EXPECT_EQ(released, 1);
}

} // namespace
} // namespace tovrel::test
