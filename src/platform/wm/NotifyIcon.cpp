#include "platform/wm/NotifyIcon.h"

#include <map>
#include <utility>

#include "platform/gdi/Icon.h"
#include "platform/gdi/IconImage.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Text.h"
#include "platform/wm/Backend.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"

namespace tovrel {

namespace {

// What each icon shows, so a change of some fields keeps the others.
std::map<std::pair<HWND, UINT>, TTrayIcon>& Icons()
{
    static std::map<std::pair<HWND, UINT>, TTrayIcon> icons;
    return icons;
}

void Apply(TTrayIcon& icon, const NOTIFYICONDATA& data)
{
    if (data.uFlags & NIF_MESSAGE)
        icon.CallbackMessage = data.uCallbackMessage;
    if (data.uFlags & NIF_ICON) {
        const auto image = FindIconImage(data.hIcon);
        icon.Picture = image ? IconPicture(*image) : TSurface();
    }
    if (data.uFlags & NIF_TIP)
        icon.Tip = Utf8Copy(data.szTip, 1, 127);
}

} // namespace

UINT TaskbarCreatedMessage()
{
    static const UINT message = RegisterWindowMessage("TaskbarCreated");
    return message;
}

BOOL Shell_NotifyIcon(DWORD message, const NOTIFYICONDATA* data)
{
    if (!data || !IsWindow(data->hWnd))
        return 0;
    TTrayHost* tray = Backend().Tray();
    const auto key = std::make_pair(data->hWnd, data->uID);
    auto& icons = Icons();
    const auto found = icons.find(key);
    if (message == NIM_DELETE) {
        if (found == icons.end())
            return 0;
        icons.erase(found);
        return tray && tray->Delete(key.first, key.second);
    }
    if (!tray || (message != NIM_ADD && message != NIM_MODIFY))
        return 0;
    // Adding an icon the tray already had puts it back (a tray that restarted lost it).
    TTrayIcon icon = found != icons.end() ? found->second : TTrayIcon{data->hWnd, data->uID, 0, {}, {}};
    Apply(icon, *data);
    const bool shown = message == NIM_ADD ? tray->Add(icon) : found != icons.end() && tray->Modify(icon);
    if (!shown)
        return 0;
    icons[key] = icon;
    if (data->uFlags & NIF_INFO)
        return tray->Note(icon, Utf8Copy(data->szInfoTitle, 1, 63), Utf8Copy(data->szInfo, 1, 255), data->dwInfoFlags);
    return 1;
}

void NotifyTrayCreated()
{
    TMainThread::Post([] {
        EnumWindows(
            [](HWND hwnd, LPARAM) -> BOOL {
                PostMessage(hwnd, TaskbarCreatedMessage(), 0, 0);
                return 1;
            },
            0);
    });
}

} // namespace tovrel
