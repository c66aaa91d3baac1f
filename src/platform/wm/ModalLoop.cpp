#include "platform/wm/ModalLoop.h"

#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tovrel {

namespace {

struct TModal {
    HWND Hwnd = nullptr;
    bool Ended = false;
    LRESULT Result = 0;
};

std::vector<TModal*>& Running()
{
    static std::vector<TModal*> running;
    return running;
}

TMsgFilter& InstalledFilter()
{
    static TMsgFilter filter;
    return filter;
}

std::vector<HWND> DisableOthers(HWND modal)
{
    std::vector<HWND> disabled;
    const auto tops = WindowSystem().TopLevels;
    for (HWND top : tops) {
        if (top == modal || !IsWindowEnabled(top) || GetWindow(top, GW_OWNER) == modal)
            continue;
        EnableWindow(top, 0);
        disabled.push_back(top);
    }
    return disabled;
}

} // namespace

TMsgFilter SetMsgFilter(TMsgFilter filter)
{
    return std::exchange(InstalledFilter(), std::move(filter));
}

BOOL CallMsgFilter(MSG* msg, int code)
{
    // A copy: the filter may replace itself.
    const TMsgFilter filter = InstalledFilter();
    return msg && filter && filter(*msg, code) ? 1 : 0;
}

LRESULT RunModalLoop(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return 0;
    TModal modal{hwnd};
    Running().push_back(&modal);
    const auto disabled = DisableOthers(hwnd);
    EnableWindow(hwnd, 1);
    ShowWindow(hwnd, SW_SHOW);
    MSG m;
    while (!modal.Ended && IsWindow(hwnd)) {
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage(int(m.wParam));
            break;
        }
        if (CallMsgFilter(&m, MSGF_DIALOGBOX))
            continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
    auto& running = Running();
    running.erase(std::remove(running.begin(), running.end(), &modal), running.end());
    // The others come back before the modal window goes, so activation can return to them.
    for (HWND h : disabled)
        if (IsWindow(h))
            EnableWindow(h, 1);
    return modal.Result;
}

BOOL EndModalLoop(HWND hwnd, LRESULT result)
{
    for (TModal* modal : Running()) {
        if (modal->Hwnd == hwnd && !modal->Ended) {
            modal->Ended = true;
            modal->Result = result;
            return 1;
        }
    }
    return 0;
}

} // namespace tovrel
