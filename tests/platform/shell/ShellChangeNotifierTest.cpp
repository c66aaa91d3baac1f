#include "TempTree.h"

#include "platform/rtl/MainThread.h"
#include "platform/shell/ShellChangeNotifier.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sys/inotify.h>

namespace tovrel::test {
namespace {

using test::TTempTree;

constexpr int ReportTimeoutMs = 10000;

TEST(NotifyFilterTest, FlagsAndEvents)
{
    using F = TNotifyFilter;
    EXPECT_EQ(NotifyFiltersToFlags({F::nfFileNameChange, F::nfDirNameChange}), 0x3u);
    EXPECT_EQ(NotifyFiltersToFlags({F::nfAttributeChange, F::nfSizeChange, F::nfWriteChange, F::nfSecurityChange}),
              0x11Cu);
    struct Case {
        std::uint32_t Event;
        std::uint32_t Flags;
        bool Matches;
    } cases[] = {
        {IN_CREATE, FILE_NOTIFY_CHANGE_FILE_NAME, true},
        {IN_CREATE | IN_ISDIR, FILE_NOTIFY_CHANGE_FILE_NAME, false},
        {IN_MOVED_TO | IN_ISDIR, FILE_NOTIFY_CHANGE_DIR_NAME, true},
        {IN_DELETE, FILE_NOTIFY_CHANGE_DIR_NAME, false},
        {IN_DELETE_SELF, FILE_NOTIFY_CHANGE_DIR_NAME, true},
        {IN_ATTRIB, FILE_NOTIFY_CHANGE_FILE_NAME, false},
        {IN_ATTRIB, FILE_NOTIFY_CHANGE_SECURITY, true},
        {IN_MODIFY, FILE_NOTIFY_CHANGE_SIZE, true},
        {IN_CLOSE_WRITE, FILE_NOTIFY_CHANGE_FILE_NAME, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InotifyEventMatches(c.Event, c.Flags), c.Matches) << std::hex << c.Event << " " << c.Flags;
}

class ShellChangeNotifierTest : public ::testing::Test {
protected:
    void SetUp() override { TMainThread::SetCurrent(); }
    void TearDown() override { TMainThread::Pump(); }

    // A notifier on folder counting its reports, as the list view sets one up.
    std::unique_ptr<TskShellChangeNotifier> Watch(const std::string& folder, bool subTree = false)
    {
        auto notifier = std::make_unique<TskShellChangeNotifier>();
        notifier->SetWatchSubTree(subTree);
        notifier->SetRoot(folder);
        notifier->SetOnChange([this] {
            ++reports;
            onMainThread = onMainThread && TMainThread::IsCurrent();
        });
        return notifier;
    }

    // Waits, running main-thread calls, until a report came.
    bool WaitForReport()
    {
        return TMainThread::WaitPumping([this] { return reports > 0; }, ReportTimeoutMs);
    }

    TTempTree tree;
    int reports = 0;
    bool onMainThread = true;
};

TEST_F(ShellChangeNotifierTest, NoHandlerNoWorker)
{
    TskShellChangeNotifier notifier;
    notifier.SetRoot(tree.Root());
    notifier.SetWatchSubTree(false);
    notifier.SetNotifyFilters({TNotifyFilter::nfWriteChange});
    EXPECT_FALSE(notifier.Watching());
    EXPECT_EQ(notifier.Root(), tree.Root());
    notifier.SetOnChange([] {});
    EXPECT_TRUE(notifier.Watching());
}

TEST_F(ShellChangeNotifierTest, ReportsCreateRenameAndDeleteOnTheMainThread)
{
    const auto notifier = Watch(tree.Root());
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"create file", [&] { tree.File("new.txt"); }},
        {"rename file", [&] { std::rename(tree.Path("new.txt").c_str(), tree.Path("renamed.txt").c_str()); }},
        {"delete file", [&] { std::remove(tree.Path("renamed.txt").c_str()); }},
        {"create folder", [&] { tree.Folder("中文目录"); }},
        {"delete folder", [&] { std::remove(tree.Path("中文目录").c_str()); }},
    };
    for (const auto& [what, change] : changes) {
        reports = 0;
        change();
        EXPECT_TRUE(WaitForReport()) << what;
    }
    EXPECT_TRUE(onMainThread);

    // A new handler replaces the old one on the running worker.
    int swapped = 0;
    notifier->SetOnChange([&swapped] { ++swapped; });
    reports = 0;
    tree.File("after-swap");
    EXPECT_TRUE(TMainThread::WaitPumping([&swapped] { return swapped > 0; }, ReportTimeoutMs));
    EXPECT_EQ(reports, 0);
}

TEST_F(ShellChangeNotifierTest, FollowsANewRootWithoutStopping)
{
    const std::string first = tree.Folder("first");
    tree.Folder("second");
    const auto notifier = Watch(first);
    tree.File("first/a");
    ASSERT_TRUE(WaitForReport());
    int made = 0;
    for (const char* root : {"second", "first", "second"}) {
        notifier->SetRoot(tree.Path(root));
        reports = 0;
        tree.File(std::string(root) + "/" + std::to_string(++made));
        EXPECT_TRUE(WaitForReport()) << root;
    }
}

TEST_F(ShellChangeNotifierTest, SubTreeIncludesFoldersMadeLater)
{
    tree.Folder("a");
    const auto notifier = Watch(tree.Root(), true);
    tree.File("a/one");
    ASSERT_TRUE(WaitForReport());
    // Once the report for the new folder came, the worker watches it too.
    reports = 0;
    tree.Folder("a/new");
    ASSERT_TRUE(WaitForReport());
    reports = 0;
    tree.File("a/new/two");
    EXPECT_TRUE(WaitForReport());
}

TEST_F(ShellChangeNotifierTest, HandlerMayFreeItsOwnNotifier)
{
    auto notifier = Watch(tree.Root());
    notifier->SetOnChange([&] {
        ++reports;
        notifier.reset();
    });
    tree.File("x");
    ASSERT_TRUE(WaitForReport());
    EXPECT_EQ(notifier, nullptr);
}

TEST_F(ShellChangeNotifierTest, MissingRootReportsNothingAndStopsCleanly)
{
    auto notifier = Watch(tree.Path("missing"));
    EXPECT_TRUE(notifier->Watching());
    notifier.reset();
    EXPECT_EQ(reports, 0);
}

TEST_F(ShellChangeNotifierTest, QueuedReportDoesNothingAfterDestruction)
{
    TEvent queued(true, false);
    TMainThread::SetWakeUp([&queued] { queued.SetEvent(); });
    auto notifier = Watch(tree.Root());
    tree.File("change");
    const bool gotQueued = queued.WaitFor(ReportTimeoutMs) == TWaitResult::wrSignaled;
    TMainThread::SetWakeUp({});
    ASSERT_TRUE(gotQueued);
    notifier.reset(); // joins the worker while the report waits in the queue
    TMainThread::Pump();
    EXPECT_EQ(reports, 0);
}

} // namespace
} // namespace tovrel::test
