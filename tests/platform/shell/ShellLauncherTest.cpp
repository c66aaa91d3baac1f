#include "TempTree.h"

#include "platform/shell/ShellLauncher.h"

#include <gtest/gtest.h>
#include <poll.h>

namespace tovrel::test {
namespace {

using test::TScopedEnv;
using test::TTempTree;

// Reads the pipe until its writer closes it, waiting at most timeoutMs for each piece.
std::string ReadPipeUntilClosed(int fd, int timeoutMs)
{
    std::string text;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            return text + "<timeout>";
        char buffer[512];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return text;
        text.append(buffer, std::size_t(got));
    }
}

TEST(ShellLauncherTest, RunsXdgOpenWithTheTargetInTheWorkingFolder)
{
    TTempTree tree;
    tree.Folder("bin");
    // A stand-in opener that reports where it ran and what it was given.
    ::chmod(tree.File("bin/xdg-open", "#!/bin/sh\n{ pwd; printf '%s' \"$1\"; } > \"$LAUNCH_REPORT\"\n").c_str(), 0755);
    ::mkfifo(tree.Path("report").c_str(), 0600);
    TScopedEnv path("PATH", tree.Path("bin"));
    TScopedEnv report("LAUNCH_REPORT", tree.Path("report"));
    const int fd = ::open(tree.Path("report").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    const std::string target = tree.File("a b;$(x)\xFF.mp4");

    TXdgOpenLauncher launcher;
    ASSERT_TRUE(launcher.Open(target, tree.Path("bin")));
    EXPECT_EQ(ReadPipeUntilClosed(fd, 10000), tree.Path("bin") + "\n" + target) << "one argument, never a shell line";
    ::close(fd);
}

TEST(ShellLauncherTest, MissingXdgOpenIsAFailure)
{
    TTempTree tree;
    TScopedEnv path("PATH", tree.Folder("empty"));
    EXPECT_FALSE(TXdgOpenLauncher().Open(tree.File("x.mp4"), tree.Root()));
}

} // namespace
} // namespace tovrel::test
