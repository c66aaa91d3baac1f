#include "ChildRuns.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <stdexcept>

namespace tovrel::bench {

namespace {

using TClock = std::chrono::steady_clock;

struct TRunning {
    std::size_t command = 0;
    pid_t pid = -1;
    int pidfd = -1; // readable once the child has ended
    TClock::time_point deadline;
};

TRunning Spawn(const TChildCommand& command, std::size_t index, std::chrono::milliseconds bound)
{
    // Everything the child needs is made before the fork: after it, only
    // async-signal-safe calls.
    std::vector<char*> argv;
    for (const std::string& argument : command.arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const std::string log = command.log.string();
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
    if (pidfd < 0)
        throw std::runtime_error("pidfd_open failed");
    return {index, pid, pidfd, TClock::now() + bound};
}

TChildOutcome Reap(const TRunning& child, bool killed, const std::vector<int>& normalCodes)
{
    int status = 0;
    waitpid(child.pid, &status, 0);
    close(child.pidfd);
    TChildOutcome outcome;
    if (killed) {
        outcome.kind = TChildOutcome::TKind::Hung;
    } else if (WIFSIGNALED(status)) {
        outcome.kind = TChildOutcome::TKind::Crashed;
        outcome.signal = WTERMSIG(status);
    } else {
        outcome.exitCode = WEXITSTATUS(status);
        const bool normal = std::find(normalCodes.begin(), normalCodes.end(), outcome.exitCode) != normalCodes.end();
        outcome.kind = normal ? TChildOutcome::TKind::Exited : TChildOutcome::TKind::Crashed;
    }
    return outcome;
}

} // namespace

std::vector<TChildOutcome> RunChildren(const std::vector<TChildCommand>& commands, int atOnce,
                                       std::chrono::milliseconds bound, const std::vector<int>& normalCodes)
{
    std::vector<TChildOutcome> outcomes(commands.size());
    std::vector<TRunning> running;
    std::size_t next = 0;
    while (next < commands.size() || !running.empty()) {
        while (next < commands.size() && static_cast<int>(running.size()) < std::max(atOnce, 1)) {
            running.push_back(Spawn(commands[next], next, bound));
            ++next;
        }
        TClock::time_point earliest = running.front().deadline;
        std::vector<pollfd> fds;
        for (const TRunning& child : running) {
            fds.push_back({child.pidfd, POLLIN, 0});
            earliest = std::min(earliest, child.deadline);
        }
        const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(earliest - TClock::now());
        poll(fds.data(), fds.size(), static_cast<int>(std::max<std::int64_t>(wait.count(), 0)));
        const TClock::time_point now = TClock::now();
        std::vector<TRunning> still;
        for (std::size_t i = 0; i < running.size(); ++i) {
            const TRunning& child = running[i];
            const bool ended = (fds[i].revents & POLLIN) != 0;
            const bool late = !ended && now >= child.deadline;
            if (late)
                kill(child.pid, SIGKILL);
            if (ended || late)
                outcomes[child.command] = Reap(child, late, normalCodes);
            else
                still.push_back(child);
        }
        running = std::move(still);
    }
    return outcomes;
}

std::string OwnProgram()
{
    // The running image itself, even when a rebuild has replaced its file.
    return "/proc/self/exe";
}

} // namespace tovrel::bench
