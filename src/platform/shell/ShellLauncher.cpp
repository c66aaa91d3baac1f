#include "platform/shell/ShellLauncher.h"

#include "platform/rtl/Paths.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tovrel {

namespace {

std::string FindOnPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::string_view rest = path ? path : "/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty()) {
            const std::string candidate = PathJoin(folder, program);
            if (::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return {};
}

std::mutex launcherMutex;
std::shared_ptr<IShellLauncher> currentLauncher;

} // namespace

bool TXdgOpenLauncher::Open(const std::string& target, const std::string& workingFolder)
{
    const std::string program = FindOnPath("xdg-open");
    if (program.empty() || target.empty())
        return false;
    // Everything the child needs is made before fork: after it only
    // async-signal-safe calls are allowed.
    std::string argument = target;
    char* const argv[] = {const_cast<char*>("xdg-open"), argument.data(), nullptr};
    const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();
    // Fork twice so the opener is adopted by init and never waits as a zombie.
    const pid_t child = ::fork();
    if (child < 0)
        return false;
    if (child == 0) {
        ::setsid();
        const pid_t opener = ::fork();
        if (opener == 0) {
            if (folder && ::chdir(folder) != 0)
                ::_exit(127);
            ::execve(program.c_str(), argv, environ);
            ::_exit(127);
        }
        ::_exit(opener < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::shared_ptr<IShellLauncher> ShellLauncher()
{
    std::lock_guard lock(launcherMutex);
    if (!currentLauncher)
        currentLauncher = std::make_shared<TXdgOpenLauncher>();
    return currentLauncher;
}

void SetShellLauncher(std::shared_ptr<IShellLauncher> launcher)
{
    std::lock_guard lock(launcherMutex);
    currentLauncher = std::move(launcher);
}

} // namespace tovrel
