#pragma once
// The desktop's notification area (the tray): icons that show a picture and
// a tooltip and report the pointer to a window as its callback message
// (lParam: WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, ...; wParam: the
// icon's id), and balloon notes beside them.
//
// The tray is a capability of the backend (TBackend::Tray): without one on
// the desktop, NIM_ADD fails. When a tray appears (or comes back after its
// program restarted), every top-level window hears TaskbarCreatedMessage()
// and may add its icons again.
#include "platform/gdi/Surface.h"
#include "platform/wm/WinTypes.h"

#include <string>

namespace tovrel {

constexpr DWORD NIM_ADD = 0, NIM_MODIFY = 1, NIM_DELETE = 2;
constexpr UINT NIF_MESSAGE = 0x1, NIF_ICON = 0x2, NIF_TIP = 0x4, NIF_INFO = 0x10;
constexpr DWORD NIIF_NONE = 0, NIIF_INFO = 1, NIIF_WARNING = 2, NIIF_ERROR = 3;
// The callback's lParam when the user clicked a balloon note.
constexpr UINT NIN_BALLOONUSERCLICK = 1029;

struct NOTIFYICONDATA {
    HWND hWnd = nullptr;
    UINT uID = 0;
    UINT uFlags = 0;
    UINT uCallbackMessage = 0;
    HICON hIcon = nullptr;
    std::string szTip;       // cut to 127 characters
    std::string szInfo;      // cut to 255; empty removes a note shown
    std::string szInfoTitle; // cut to 63
    DWORD dwInfoFlags = NIIF_NONE;
};

// NIM_ADD, NIM_MODIFY or NIM_DELETE; FALSE when the tray refused or is missing.
BOOL Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data);
// The registered "TaskbarCreated" message.
UINT TaskbarCreatedMessage();

// What a tray shows of one icon.
struct TTrayIcon {
    HWND Window = nullptr;
    UINT Id = 0;
    UINT CallbackMessage = 0;
    TSurface Picture; // straight alpha; empty: none
    std::string Tip;
};

// A backend's tray. The host posts the callback messages to the icon's
// window and calls NotifyTrayCreated when a tray appears.
class TTrayHost {
public:
    virtual ~TTrayHost() = default;
    // False when the desktop has no tray now.
    virtual bool Add(const TTrayIcon& Icon) = 0;
    virtual bool Modify(const TTrayIcon& Icon) = 0;
    virtual bool Delete(HWND Window, UINT Id) = 0;
    // A note beside the icon (title, text, NIIF_*); an empty text removes
    // the one shown. False when the desktop cannot show notes.
    virtual bool Note(const TTrayIcon& Icon, const std::string& Title, const std::string& Text, DWORD Kind) = 0;
};

// For trays: every top-level window gets TaskbarCreatedMessage() posted.
// Any thread.
void NotifyTrayCreated();

} // namespace tovrel
