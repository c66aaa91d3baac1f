#pragma once
// What the main window asks of the desktop once a batch has finished, and its
// warning box: behind one interface, so only the program makes the real one
// and no test can power anything off.
#include <memory>
#include <string>

namespace tovrel {

class ISystemActions {
public:
    virtual ~ISystemActions() = default;
    // Opens a folder in the desktop's file manager, without waiting.
    virtual void OpenFolder(const std::string& folder) = 0;
    // Plays a sound file without waiting; a missing file plays nothing.
    virtual void PlaySound(const std::string& file) = 0;
    // Asks the system to power off, never forced; a refusal stays silent.
    virtual void PowerOff() = 0;
    // The plain warning box, captioned with the program's title.
    virtual void ShowWarning(const std::string& text) = 0;
};

// The desktop's: xdg-open, SDL2 audio, logind through systemctl, the plain
// message box.
std::shared_ptr<ISystemActions> DesktopSystemActions();

} // namespace tovrel
