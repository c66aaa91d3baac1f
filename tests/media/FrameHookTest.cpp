#include "media/targets/FrameHook.h"
#include "FFmpegLoaderTestSupport.h"
#include "TestHook.h"
#include "media/loader/FFmpegLogger.h"
#include "media/targets/FrameHookModules.h"
#include "platform/rtl/MainThread.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace tovrel::test {
namespace {

std::string Plugin(const char* name)
{
    return std::string(TOVREL_HOOK_PLUGINS_DIR) + "/" + name + ".so";
}

std::string ReleasedArgument(int& counter)
{
    char text[64];
    std::snprintf(text, sizeof text, "released=%p", static_cast<void*>(&counter));
    return text;
}

bool ModuleResident(const std::string& file)
{
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        dlclose(handle);
    return handle != nullptr;
}

const TestHookContext& Context(const TFrameHookEntry* entry)
{
    return *static_cast<TestHookContext*>(entry->ctx);
}

// Loads the media libraries, collects the logger's error lines and releases
// whatever chain a test leaves behind.
class FrameHookTest : public TRealLibrariesTest {
protected:
    TFrameHookEntry* chain = nullptr;
    std::vector<std::string> errors;

    void SetUp() override
    {
        TRealLibrariesTest::SetUp();
        TMainThread::SetCurrent();
        GetFFLogger()->SetOnLog([this](const void*, std::uint32_t, TLogLevel level, const std::string& text) {
            if (level == llError)
                errors.push_back(text);
        });
    }
    void TearDown() override
    {
        ReleaseFrameHooks(&chain);
        GetFFLogger()->SetOnLog(nullptr);
        TRealLibrariesTest::TearDown();
    }
};

TEST_F(FrameHookTest, EachPluginSeesThePictureAsThePreviousOneLeftIt)
{
    int released = 0;
    const std::string invert = Plugin("hook_invert");
    ASSERT_EQ(AddFrameHookLine(&chain, invert + "|add=10|" + ReleasedArgument(released)), 0);
    ASSERT_EQ(AddFrameHookLine(&chain, invert + " " + ReleasedArgument(released)), 0);
    ASSERT_NE(chain, nullptr);
    ASSERT_NE(chain->next, nullptr);
    EXPECT_EQ(Context(chain).argc, 3);
    EXPECT_EQ(std::string(Context(chain).args[0]), invert);
    EXPECT_EQ(std::string(Context(chain).args[1]), "add=10");
    EXPECT_EQ(Context(chain->next).add, 0);

    // Rows padded past the width, as decoders leave them.
    const int stride = 8;
    std::uint8_t luma[2 * stride];
    std::uint8_t chroma[2][stride];
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < stride; ++x)
            luma[y * stride + x] = static_cast<std::uint8_t>(100 + x + y);
    AVFrame frame{};
    frame.data[0] = luma;
    frame.data[1] = chroma[0];
    frame.data[2] = chroma[1];
    frame.linesize[0] = stride;
    frame.linesize[1] = frame.linesize[2] = stride / 2;

    FrameHookPicture picture = HookPictureFromFrame(frame);
    EXPECT_EQ(picture.data[2], chroma[1]);
    EXPECT_EQ(picture.linesize[1], stride / 2);
    EXPECT_EQ(picture.data[3], nullptr);
    RunFrameHooks(chain, &picture, AV_PIX_FMT_YUV420P, 4, 2, 1040000);

    // invert, add 10, invert: every sample of the picture drops by 10; the
    // padding beyond the width stays as it was.
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < stride; ++x)
            EXPECT_EQ(luma[y * stride + x], 100 + x + y - (x < 4 ? 10 : 0)) << x << "," << y;
    const TestHookContext& second = Context(chain->next);
    EXPECT_EQ(second.lastPixFmt, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(second.lastWidth, 4);
    EXPECT_EQ(second.lastHeight, 2);
    EXPECT_EQ(second.lastPts, 1040000);

    ReleaseFrameHooks(&chain);
    EXPECT_EQ(chain, nullptr);
    EXPECT_EQ(released, 2);
    EXPECT_TRUE(errors.empty());
}

TEST_F(FrameHookTest, AProcessOnlyPluginWithItsNameAloneNeedsNoConfigure)
{
    ASSERT_EQ(AddFrameHookLine(&chain, Plugin("hook_process_only")), 0);
    EXPECT_EQ(chain->ctx, nullptr);
    EXPECT_EQ(chain->Configure, nullptr);
    EXPECT_EQ(chain->Release, nullptr);
    std::uint8_t luma[2] = {0, 200};
    FrameHookPicture picture{{luma, nullptr, nullptr, nullptr}, {2, 0, 0, 0}};
    RunFrameHooks(chain, &picture, AV_PIX_FMT_GRAY8, 2, 1, AV_NOPTS_VALUE);
    EXPECT_EQ(luma[0], 255);
    EXPECT_EQ(luma[1], 55);
}

TEST_F(FrameHookTest, AFailedAdditionLeavesTheChainAndReportsWhy)
{
    struct TCase {
        std::string file;
        std::string more;
        std::int32_t result;
        std::string message; // with the file name in place of %s
    };
    const std::string missing = Plugin("hook_absent");
    const TCase cases[] = {
        {missing, "", HookLoadFailed, missing + ": cannot open shared object file: No such file or directory"},
        {Plugin("hook_no_process"), "", HookMissingEntry, "Failed to find Process entrypoint in %s"},
        {Plugin("hook_process_only"), " x", HookMissingEntry, "Failed to find Configure entrypoint in %s"},
        {Plugin("hook_invert"), " refuse", HookConfigureRefused, "Failed to Configure %s"},
        {"", "", HookMissingEntry, ""},
    };
    int released = 0;
    ASSERT_EQ(AddFrameHookLine(&chain, Plugin("hook_invert") + " " + ReleasedArgument(released)), 0);
    TFrameHookEntry* const first = chain;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.file + c.more);
        errors.clear();
        EXPECT_EQ(AddFrameHookLine(&chain, c.file + c.more), c.result);
        EXPECT_EQ(chain, first);
        EXPECT_EQ(chain->next, nullptr);
        std::string expected = c.message;
        if (auto at = expected.find("%s"); at != std::string::npos)
            expected.replace(at, 2, c.file);
        EXPECT_EQ(errors, expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected});
        if (!c.file.empty() && c.file != Plugin("hook_invert")) {
            EXPECT_FALSE(ModuleResident(c.file));
        }
    }
    EXPECT_EQ(released, 0);
    EXPECT_EQ(HookModuleCache().Users(Plugin("hook_invert")), 1);
}

TEST_F(FrameHookTest, ThePluginOfTwoChainsIsLoadedOnceAndUnloadedWithItsLastEntry)
{
    const std::string invert = Plugin("hook_invert");
    int releasedA = 0;
    int releasedB = 0;
    TFrameHookEntry* other = nullptr;
    ASSERT_EQ(AddFrameHookLine(&chain, invert + " " + ReleasedArgument(releasedA)), 0);
    ASSERT_EQ(AddFrameHookLine(&other, invert + " " + ReleasedArgument(releasedB)), 0);
    EXPECT_EQ(chain->Module, other->Module);
    EXPECT_NE(chain->ctx, other->ctx);
    EXPECT_EQ(Context(chain).serial, 1);
    EXPECT_EQ(Context(other).serial, 2);
    EXPECT_EQ(HookModuleCache().Users(invert), 2);

    ReleaseFrameHooks(&chain);
    EXPECT_EQ(releasedA, 1);
    EXPECT_EQ(releasedB, 0);
    EXPECT_TRUE(ModuleResident(invert));

    ReleaseFrameHooks(&other);
    EXPECT_EQ(releasedB, 1);
    EXPECT_EQ(HookModuleCache().Users(invert), 0);
    EXPECT_FALSE(ModuleResident(invert));

    // Loaded afresh, the plug-in starts counting again.
    ASSERT_EQ(AddFrameHookLine(&chain, invert), 0);
    EXPECT_EQ(Context(chain).serial, 1);
}

// Jobs set up and run on several threads share the module and its cache.
TEST_F(FrameHookTest, ChainsOfSeveralThreadsShareThePluginSafely)
{
    const std::string invert = Plugin("hook_invert");
    auto job = [&invert](std::int32_t& failures) {
        for (int round = 0; round < 20; ++round) {
            TFrameHookEntry* own = nullptr;
            if (AddFrameHookLine(&own, invert + "|add=1") != 0)
                ++failures;
            std::uint8_t luma[3] = {0, 1, 2};
            FrameHookPicture picture{{luma, nullptr, nullptr, nullptr}, {3, 0, 0, 0}};
            RunFrameHooks(own, &picture, AV_PIX_FMT_GRAY8, 3, 1, round);
            if (luma[0] != 0 || luma[2] != 254)
                ++failures;
            ReleaseFrameHooks(&own);
        }
    };
    std::int32_t failures[2] = {0, 0};
    std::thread first(job, std::ref(failures[0]));
    std::thread second(job, std::ref(failures[1]));
    first.join();
    second.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
    EXPECT_EQ(HookModuleCache().Users(invert), 0);
}

TEST(FrameHookLine, SplitsAtBarsWhenThereAreAnyElseAtSpaces)
{
    struct TCase {
        std::string line;
        std::vector<std::string> words;
    };
    const TCase cases[] = {
        {"hook.so -c  red", {"hook.so", "-c", "red"}},
        {"hook.so|text with spaces||x|", {"hook.so", "text with spaces", "x"}},
        {"  ", {}},
        {"", {}},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(SplitHookLine(c.line), c.words) << c.line;
}

TEST_F(FrameHookTest, AHookLineHoldsAtMost63Words)
{
    std::string line = Plugin("hook_invert");
    for (int word = 1; word < 63; ++word)
        line += " w";
    ASSERT_EQ(AddFrameHookLine(&chain, line), 0);
    EXPECT_EQ(Context(chain).argc, 63);
    EXPECT_EQ(AddFrameHookLine(&chain, line + " w"), HookTooManyWords);
    EXPECT_EQ(chain->next, nullptr);
}

} // namespace
} // namespace tovrel::test
