#pragma once
// The freedesktop system tray on X11: each icon is a small window of ours
// that the tray manager (the owner of the _NET_SYSTEM_TRAY_S<screen>
// selection) embeds after a docking request (XEmbed). A manager that starts
// later, or again after its program restarted, is noticed and every window
// of the layer hears TaskbarCreated. The host has its own X connection,
// watched by a thread that posts the icons' mouse actions to their windows.
#include "platform/wm/NotifyIcon.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace tovrel {

class TX11Tray : public TTrayHost {
public:
    // A note's sender; false when no notification service answers.
    using TNoteSender = std::function<bool(const std::string& Title, const std::string& Text, DWORD Kind)>;

    // Connects to `display` (empty: $DISPLAY); without a connection every
    // call fails as for a desktop without a tray.
    explicit TX11Tray(const std::string& display = {}, TNoteSender notes = {});
    ~TX11Tray() override;
    TX11Tray(const TX11Tray&) = delete;
    TX11Tray& operator=(const TX11Tray&) = delete;

    bool Add(const TTrayIcon& Icon) override;
    bool Modify(const TTrayIcon& Icon) override;
    bool Delete(HWND Window, UINT Id) override;
    bool Note(const TTrayIcon& Icon, const std::string& Title, const std::string& Text, DWORD Kind) override;

    // The X window of an icon (0: none), for tests.
    unsigned long IconWindow(HWND Window, UINT Id) const;

private:
    struct TState;
    void Watch();
    void Flush();
    std::unique_ptr<TState> state_;
    TNoteSender notes_;
    mutable std::mutex mutex_;
    std::thread watcher_;
    int wake_[2] = {-1, -1};
};

} // namespace tovrel
