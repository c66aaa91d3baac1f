// Creating and destroying windows.
#include "platform/wm/Backend.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>

namespace tovrel {

std::vector<HWND>& SiblingList(const TWindow& w)
{
    if (w.Parent)
        if (auto parent = LookupWindow(w.Parent))
            return parent->Children;
    return WindowSystem().TopLevels;
}

// New windows go to the top of their siblings (below topmost top-level windows).
void LinkWindow(TWindow& w)
{
    auto& list = SiblingList(w);
    auto at = list.begin();
    if (!w.Parent && !(w.ExStyle & WS_EX_TOPMOST))
        at = std::find_if(list.begin(), list.end(), [](HWND h) {
            auto s = LookupWindow(h);
            return !s || !(s->ExStyle & WS_EX_TOPMOST);
        });
    list.insert(at, w.Handle);
}

void UnlinkWindow(TWindow& w)
{
    auto& list = SiblingList(w);
    list.erase(std::remove(list.begin(), list.end(), w.Handle), list.end());
}

void MakeTopLevelStore(TWindow& w)
{
    w.Store = std::make_unique<TBackingStore>();
    EnsureBackingStore(w);
    Backend().WindowCreated(w.Handle);
    Backend().WindowMoved(w.Handle, w.Rect);
}

namespace {

HWND RegisterWindow(const std::shared_ptr<TWindow>& w)
{
    auto& table = WindowTable();
    std::lock_guard lock(table.Mutex);
    if (table.UiThread == std::thread::id())
        table.UiThread = std::this_thread::get_id();
    const std::uintptr_t id = table.NextId;
    table.NextId += 2;
    w->Handle = HandleOf(id);
    table.Windows[id] = w;
    return w->Handle;
}

void UnregisterWindow(HWND hwnd)
{
    auto& table = WindowTable();
    std::lock_guard lock(table.Mutex);
    table.Windows.erase(reinterpret_cast<std::uintptr_t>(hwnd));
}

void NotifyParent(const TWindow& w, WORD event)
{
    NotifyParents(w, MAKEWPARAM(event, int(w.Id)), [&w](HWND) { return LPARAM(w.Handle); });
}

void ClampToTrackSize(TWindow& w)
{
    if (w.Parent || !(w.Style & (WS_THICKFRAME | WS_CAPTION)))
        return;
    MINMAXINFO info;
    info.ptMaxSize = {w.Rect.Width(), w.Rect.Height()};
    info.ptMinTrackSize = {0, 0};
    info.ptMaxTrackSize = {32767, 32767};
    SendMessage(w.Handle, WM_GETMINMAXINFO, 0, ToLParam(&info));
    const int cx =
        std::clamp(w.Rect.Width(), info.ptMinTrackSize.X, std::max(info.ptMinTrackSize.X, info.ptMaxTrackSize.X));
    const int cy =
        std::clamp(w.Rect.Height(), info.ptMinTrackSize.Y, std::max(info.ptMinTrackSize.Y, info.ptMaxTrackSize.Y));
    w.Rect.Right = w.Rect.Left + cx;
    w.Rect.Bottom = w.Rect.Top + cy;
    w.Client = {0, 0, cx, cy};
}

void MarkDestroying(TWindow& w)
{
    w.Destroying = true;
    for (HWND h : w.Children)
        if (auto c = LookupWindow(h))
            MarkDestroying(*c);
}

void SendDestroy(const std::shared_ptr<TWindow>& w)
{
    SendMessage(w->Handle, WM_DESTROY, 0, 0);
    KillWindowTimers(w->Handle);
    const auto children = w->Children;
    for (HWND h : children)
        if (auto c = LookupWindow(h))
            SendDestroy(c);
}

void SendNcDestroy(const std::shared_ptr<TWindow>& w)
{
    const auto children = w->Children;
    for (HWND h : children)
        if (auto c = LookupWindow(h))
            SendNcDestroy(c);
    ForgetCaretOf(w->Handle);
    SendMessage(w->Handle, WM_NCDESTROY, 0, 0);
    KillWindowTimers(w->Handle);
    auto& sys = WindowSystem();
    if (sys.Focus == w->Handle)
        sys.Focus = nullptr;
    if (sys.Capture == w->Handle)
        sys.Capture = nullptr;
    if (sys.Active == w->Handle)
        sys.Active = nullptr;
    UnlinkWindow(*w);
    w->Destroyed = true;
    UnregisterWindow(w->Handle);
    if (!w->Parent)
        Backend().WindowDestroyed(w->Handle);
}

} // namespace

HWND CreateWindowEx(DWORD exStyle, std::string_view className, std::string_view windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, HMENU menu, HINSTANCE instance, void* param)
{
    auto cls = FindWindowClass(className);
    if (!cls)
        return nullptr;
    auto parentWindow = parent == DesktopHandle() ? nullptr : LookupWindow(parent);
    if ((style & WS_CHILD) && !parentWindow)
        return nullptr;
    if (parent && parent != DesktopHandle() && !parentWindow)
        return nullptr;
    auto w = std::make_shared<TWindow>();
    w->Class = cls;
    w->Proc = cls->Proc;
    w->Style = style & ~WS_VISIBLE;
    w->ExStyle = exStyle;
    w->Instance = instance;
    w->Text = std::string(windowName);
    const bool child = (style & WS_CHILD) != 0;
    if (child) {
        w->Parent = parentWindow->Handle;
        w->Id = reinterpret_cast<LONG_PTR>(menu);
    } else {
        w->Style |= WS_CLIPSIBLINGS;
        if (!(style & WS_POPUP))
            w->Style |= WS_CAPTION;
        if (parentWindow)
            w->Owner = TopLevelOf(*parentWindow)->Handle;
    }
    if (x == CW_USEDEFAULT)
        x = y = child ? 0 : 100;
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : 640;
        height = child ? 0 : 480;
    }
    w->Rect = Bounds(ClampPosition(x), ClampPosition(y), ClampExtent(width), ClampExtent(height));
    w->Client = {0, 0, w->Rect.Width(), w->Rect.Height()};
    w->Extra.assign(std::size_t(cls->WindowExtra + int(sizeof(LONG_PTR)) - 1) / sizeof(LONG_PTR), 0);
    const HWND hwnd = RegisterWindow(w);
    LinkWindow(*w);
    if (!child)
        MakeTopLevelStore(*w);

    ClampToTrackSize(*w);
    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menu;
    cs.hwndParent = parent;
    cs.cx = w->Rect.Width();
    cs.cy = w->Rect.Height();
    cs.x = w->Rect.Left;
    cs.y = w->Rect.Top;
    cs.style = LONG(style);
    const std::string name(windowName);
    cs.lpszName = name.c_str();
    cs.lpszClass = cls->Name.c_str();
    cs.dwExStyle = exStyle;
    if (!SendMessage(hwnd, WM_NCCREATE, 0, ToLParam(&cs))) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    w->Created = true;
    RecalcClient(*w);
    if (!IsWindow(hwnd) || SendMessage(hwnd, WM_CREATE, 0, ToLParam(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->Client.Width(), w->Client.Height()));
    SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top));
    NotifyParent(*w, WM_CREATE);
    if ((style & WS_VISIBLE) && IsWindow(hwnd))
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    if (w->Destroying)
        return 1;
    MarkDestroying(*w);
    if (w->Style & WS_VISIBLE)
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ForgetWindowInput(*w);
    const auto tops = WindowSystem().TopLevels;
    for (HWND top : tops)
        if (auto owned = LookupWindow(top); owned && owned->Owner == hwnd)
            DestroyWindow(top);
    NotifyParent(*w, WM_DESTROY);
    SendDestroy(w);
    SendNcDestroy(w);
    return 1;
}

} // namespace tovrel
