// The class registry: a window's default procedure, class styles, cursor and
// background brush.
#include "platform/wm/Window.h"
#include "platform/wm/WindowState.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace tovrel {

namespace {

std::string ClassKey(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return key;
}

} // namespace

std::shared_ptr<TWindowClassInfo> FindWindowClass(std::string_view name)
{
    auto& classes = WindowSystem().Classes;
    auto it = classes.find(ClassKey(name));
    return it == classes.end() ? nullptr : it->second;
}

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName || wc->cbWndExtra < 0 || wc->cbClsExtra < 0)
        return 0;
    auto& system = WindowSystem();
    const std::string key = ClassKey(wc->lpszClassName);
    if (system.Classes.count(key))
        return 0;
    auto info = std::make_shared<TWindowClassInfo>();
    info->Name = wc->lpszClassName;
    info->Atom = system.NextAtom++;
    info->Style = wc->style;
    info->Proc = wc->lpfnWndProc;
    info->ClassExtra = wc->cbClsExtra;
    info->WindowExtra = wc->cbWndExtra;
    info->Icon = wc->hIcon;
    info->Cursor = wc->hCursor;
    info->Background = wc->hbrBackground;
    system.Classes[key] = info;
    return info->Atom;
}

BOOL UnregisterClass(std::string_view className, HINSTANCE)
{
    auto& classes = WindowSystem().Classes;
    // Windows of the class keep their shared record.
    return classes.erase(ClassKey(className)) ? 1 : 0;
}

BOOL GetClassInfoEx(HINSTANCE, std::string_view className, WNDCLASSEX* wc)
{
    auto info = FindWindowClass(className);
    if (!info || !wc)
        return 0;
    wc->style = info->Style;
    wc->lpfnWndProc = info->Proc;
    wc->cbClsExtra = info->ClassExtra;
    wc->cbWndExtra = info->WindowExtra;
    wc->hIcon = info->Icon;
    wc->hCursor = info->Cursor;
    wc->hbrBackground = info->Background;
    wc->lpszClassName = info->Name.c_str();
    return 1;
}

std::string GetClassNameString(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w ? w->Class->Name : std::string();
}

int GetClassName(HWND hwnd, char* buffer, int bufferSize)
{
    auto w = LookupWindow(hwnd);
    if (!w || !buffer || bufferSize <= 0)
        return 0;
    const int n = std::min<int>(int(w->Class->Name.size()), bufferSize - 1);
    std::memcpy(buffer, w->Class->Name.data(), std::size_t(n));
    buffer[n] = '\0';
    return n;
}

ULONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    const auto& c = *w->Class;
    switch (index) {
    case GCL_STYLE: return c.Style;
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.Proc);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.Cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.Icon);
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.Background);
    case GCL_CBWNDEXTRA: return ULONG_PTR(c.WindowExtra);
    case GCL_CBCLSEXTRA: return ULONG_PTR(c.ClassExtra);
    default: return 0;
    }
}

ULONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    auto& c = *w->Class;
    const ULONG_PTR old = GetClassLongPtr(hwnd, index);
    switch (index) {
    case GCL_STYLE: c.Style = UINT(value); break;
    case GCLP_WNDPROC: c.Proc = reinterpret_cast<WNDPROC>(value); break;
    case GCLP_HCURSOR: c.Cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCLP_HICON: c.Icon = reinterpret_cast<HICON>(value); break;
    case GCLP_HBRBACKGROUND: c.Background = reinterpret_cast<HBRUSH>(value); break;
    default: return 0;
    }
    return old;
}

} // namespace tovrel
