#include "platform/wm/WindowState.h"

#include "platform/wm/Styles.h"

namespace tovrel {

TWindowTable& WindowTable()
{
    static TWindowTable table;
    return table;
}

std::shared_ptr<TWindow> LookupWindow(HWND hwnd)
{
    auto& table = WindowTable();
    std::lock_guard lock(table.Mutex);
    auto it = table.Windows.find(reinterpret_cast<std::uintptr_t>(hwnd));
    return it == table.Windows.end() ? nullptr : it->second;
}

bool OnUiThread()
{
    auto& table = WindowTable();
    std::lock_guard lock(table.Mutex);
    return table.UiThread == std::thread::id() || table.UiThread == std::this_thread::get_id();
}

TWindowSystem& WindowSystem()
{
    static TWindowSystem system;
    return system;
}

TPoint ScreenOrigin(const TWindow& w)
{
    if (!w.Parent)
        return {w.Rect.Left, w.Rect.Top};
    auto parent = LookupWindow(w.Parent);
    if (!parent)
        return {w.Rect.Left, w.Rect.Top};
    const TPoint p = ClientScreenOrigin(*parent);
    return {p.X + w.Rect.Left, p.Y + w.Rect.Top};
}

TPoint ClientScreenOrigin(const TWindow& w)
{
    const TPoint p = ScreenOrigin(w);
    return {p.X + w.Client.Left, p.Y + w.Client.Top};
}

TPoint OriginInTopLevel(const TWindow& w)
{
    if (!w.Parent)
        return {0, 0};
    auto parent = LookupWindow(w.Parent);
    if (!parent)
        return {0, 0};
    const TPoint p = OriginInTopLevel(*parent);
    return {p.X + parent->Client.Left + w.Rect.Left, p.Y + parent->Client.Top + w.Rect.Top};
}

std::shared_ptr<TWindow> TopLevelOf(const TWindow& w)
{
    auto current = LookupWindow(w.Handle);
    while (current && current->Parent) {
        auto parent = LookupWindow(current->Parent);
        if (!parent)
            break;
        current = parent;
    }
    return current;
}

bool IsVisibleChain(const TWindow& w)
{
    if (!(w.Style & WS_VISIBLE))
        return false;
    if (!w.Parent)
        return true;
    auto parent = LookupWindow(w.Parent);
    return parent && IsVisibleChain(*parent);
}

bool IsEnabledChain(const TWindow& w)
{
    if (w.Style & WS_DISABLED)
        return false;
    if (!w.Parent)
        return true;
    auto parent = LookupWindow(w.Parent);
    return parent && IsEnabledChain(*parent);
}

} // namespace tovrel
