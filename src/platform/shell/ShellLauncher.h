#pragma once
// Opening an item with the desktop's default program. The program runs
// xdg-open directly (no shell) and does not wait for it; tests put a fake in
// its place.
#include <memory>
#include <string>

namespace tovrel {

class IShellLauncher {
public:
    virtual ~IShellLauncher() = default;
    // Starts opening target (a path, raw bytes) with workingFolder as the new
    // program's current folder. False when it could not be started.
    virtual bool Open(const std::string& target, const std::string& workingFolder) = 0;
};

// Runs xdg-open found on PATH, detached: a missing xdg-open is a failure.
class TXdgOpenLauncher : public IShellLauncher {
public:
    bool Open(const std::string& target, const std::string& workingFolder) override;
};

// The launcher in use (an xdg-open launcher until another is set). Setting
// nullptr puts the xdg-open launcher back.
std::shared_ptr<IShellLauncher> ShellLauncher();
void SetShellLauncher(std::shared_ptr<IShellLauncher> launcher);

} // namespace tovrel
