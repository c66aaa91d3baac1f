// The window tree: relations, visibility and enabled state, reparenting, enumeration.
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>

namespace tovrel {

BOOL IsWindow(HWND hwnd)
{
    return LookupWindow(hwnd) ? 1 : 0;
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && IsVisibleChain(*w) ? 1 : 0;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && !(w->Style & WS_DISABLED) ? 1 : 0;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    while (w && w->IsChild()) {
        if (w->Parent == parent)
            return 1;
        w = LookupWindow(w->Parent);
    }
    return 0;
}

BOOL IsIconic(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && (w->Style & WS_MINIMIZE) ? 1 : 0;
}

bool IsOwnedBy(HWND hwnd, HWND owner)
{
    for (HWND h = GetWindow(hwnd, GW_OWNER); h; h = GetWindow(h, GW_OWNER))
        if (h == owner)
            return true;
    return false;
}

bool HasMinimizedOwner(HWND hwnd)
{
    for (HWND owner = GetWindow(hwnd, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER))
        if (IsIconic(owner))
            return true;
    return false;
}

BOOL IsZoomed(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && (w->Style & WS_MAXIMIZE) ? 1 : 0;
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    const BOOL wasDisabled = (w->Style & WS_DISABLED) ? 1 : 0;
    if (bool(enable) == !wasDisabled)
        return wasDisabled;
    if (!enable) {
        // Menus, drags and modes end while the window still hears: a modal
        // dialog opening over an open menu closes it.
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        if (w->Destroyed || (w->Style & WS_DISABLED))
            return 0;
    }
    if (enable) {
        w->Style &= ~WS_DISABLED;
    } else {
        w->Style |= WS_DISABLED;
        auto& sys = WindowSystem();
        if (sys.Focus && (sys.Focus == hwnd || IsChild(hwnd, sys.Focus)))
            SetFocus(nullptr);
        if (sys.Capture == hwnd)
            ReleaseCapture();
    }
    SendMessage(hwnd, WM_ENABLE, enable ? 1 : 0, 0);
    return wasDisabled;
}

HWND GetParent(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    if (w->IsChild())
        return w->Parent;
    return (w->Style & WS_POPUP) ? w->Owner : nullptr;
}

HWND SetParent(HWND hwnd, HWND newParent)
{
    auto w = LookupWindow(hwnd);
    auto parent = LookupWindow(newParent);
    if (!w || (newParent && !parent) || hwnd == newParent || (newParent && IsChild(hwnd, newParent)))
        return nullptr;
    const HWND old = w->Parent ? w->Parent : DesktopHandle();
    const bool visible = (w->Style & WS_VISIBLE) != 0;
    if (visible)
        ShowWindow(hwnd, SW_HIDE);
    UnlinkWindow(*w);
    const bool wasTop = !w->Parent;
    w->Parent = parent ? newParent : nullptr;
    if (parent) {
        w->Style = (w->Style | WS_CHILD) & ~WS_POPUP;
        if (wasTop) {
            Backend().WindowDestroyed(hwnd);
            w->Store.reset();
        }
    } else {
        w->Style &= ~WS_CHILD;
        if (!wasTop)
            MakeTopLevelStore(*w);
    }
    LinkWindow(*w);
    if (visible)
        ShowWindow(hwnd, SW_SHOWNA);
    return old;
}

HWND GetAncestor(HWND hwnd, UINT kind)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    switch (kind) {
    case GA_PARENT: return w->Parent ? w->Parent : DesktopHandle();
    case GA_ROOT: return TopLevelOf(*w)->Handle;
    case GA_ROOTOWNER: {
        auto top = TopLevelOf(*w);
        while (auto owner = LookupWindow(top->Owner))
            top = owner;
        return top->Handle;
    }
    default: return nullptr;
    }
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    if (relation == GW_CHILD)
        return w->Children.empty() ? nullptr : w->Children.front();
    if (relation == GW_OWNER)
        return w->Owner;
    if (relation == GW_ENABLEDPOPUP) {
        // The first enabled, visible window owned by this one (a modal dialog over it).
        for (HWND top : WindowSystem().TopLevels)
            if (auto owned = LookupWindow(top);
                owned && owned->Owner == hwnd && !(owned->Style & WS_DISABLED) && (owned->Style & WS_VISIBLE))
                return top;
        return nullptr;
    }
    const auto& list = SiblingList(*w);
    if (list.empty())
        return nullptr;
    auto it = std::find(list.begin(), list.end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST: return list.front();
    case GW_HWNDLAST: return list.back();
    case GW_HWNDNEXT: return it == list.end() || it + 1 == list.end() ? nullptr : *(it + 1);
    case GW_HWNDPREV: return it == list.begin() || it == list.end() ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    if (!hwnd || hwnd == DesktopHandle())
        return WindowSystem().TopLevels.empty() ? nullptr : WindowSystem().TopLevels.front();
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetDesktopWindow()
{
    return DesktopHandle();
}

BOOL EnumWindows(WNDENUMPROC fn, LPARAM l)
{
    const auto tops = WindowSystem().TopLevels;
    for (HWND h : tops)
        if (IsWindow(h) && !fn(h, l))
            return 0;
    return 1;
}

namespace {
bool EnumDescendants(HWND parent, WNDENUMPROC fn, LPARAM l)
{
    auto w = LookupWindow(parent);
    if (!w)
        return true;
    const auto children = w->Children;
    for (HWND h : children) {
        if (!IsWindow(h))
            continue;
        if (!fn(h, l) || !EnumDescendants(h, fn, l))
            return false;
    }
    return true;
}
} // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC fn, LPARAM l)
{
    return EnumDescendants(parent, fn, l) ? 1 : 0;
}

} // namespace tovrel
