// Values stored with a window: longs, text and properties.
#include "platform/wm/Backend.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

#include <algorithm>
#include <cstring>

namespace tovrel {

namespace {

LONG_PTR SetStyle(TWindow& w, int index, DWORD value)
{
    const HWND hwnd = w.Handle;
    const WPARAM which = WPARAM(index);
    STYLESTRUCT change{index == GWL_STYLE ? w.Style : w.ExStyle, value};
    SendMessage(hwnd, WM_STYLECHANGING, which, ToLParam(&change));
    auto alive = LookupWindow(hwnd);
    if (!alive)
        return 0;
    const DWORD old = index == GWL_STYLE ? alive->Style : alive->ExStyle;
    DWORD next = change.styleNew;
    if (index == GWL_STYLE) {
        // Visibility and the child bit change only through their own calls.
        next = (next & ~(WS_VISIBLE | WS_CHILD)) | (old & (WS_VISIBLE | WS_CHILD));
        alive->Style = next;
    } else {
        alive->ExStyle = next;
    }
    if (!alive->Parent && next != old)
        Backend().WindowStyleChanged(hwnd);
    STYLESTRUCT done{old, next};
    SendMessage(hwnd, WM_STYLECHANGED, which, ToLParam(&done));
    return LONG_PTR(old);
}

// A top-level window's owner is the top-level window of the one given. An
// unknown window, or one the window itself owns, would leave it without a
// sound owner chain: the owner stays and 0 is returned.
LONG_PTR SetOwner(TWindow& w, HWND value)
{
    auto given = LookupWindow(value);
    if (w.IsChild() || (value && !given))
        return 0;
    const HWND owner = given ? TopLevelOf(*given)->Handle : nullptr;
    if (owner == w.Handle || (owner && IsOwnedBy(owner, w.Handle)))
        return 0;
    const HWND old = w.Owner;
    w.Owner = owner;
    Backend().WindowOwnerChanged(w.Handle);
    return reinterpret_cast<LONG_PTR>(old);
}

} // namespace

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_STYLE: return LONG_PTR(w->Style);
    case GWL_EXSTYLE: return LONG_PTR(w->ExStyle);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->Proc);
    case GWLP_USERDATA: return w->UserData;
    case GWLP_ID: return w->Id;
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->Instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->Parent : w->Owner);
    default:
        if (index >= 0 && std::size_t(index) / sizeof(LONG_PTR) < w->Extra.size())
            return w->Extra[std::size_t(index) / sizeof(LONG_PTR)];
        return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    LONG_PTR old = 0;
    switch (index) {
    case GWL_STYLE:
    case GWL_EXSTYLE: return SetStyle(*w, index, DWORD(value));
    case GWLP_WNDPROC:
        old = reinterpret_cast<LONG_PTR>(w->Proc);
        w->Proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_USERDATA:
        old = w->UserData;
        w->UserData = value;
        return old;
    case GWLP_ID:
        old = w->Id;
        w->Id = value;
        return old;
    case GWLP_HINSTANCE:
        old = reinterpret_cast<LONG_PTR>(w->Instance);
        w->Instance = reinterpret_cast<HINSTANCE>(value);
        return old;
    case GWLP_HWNDPARENT: return SetOwner(*w, reinterpret_cast<HWND>(value));
    default:
        if (index >= 0 && std::size_t(index) / sizeof(LONG_PTR) < w->Extra.size()) {
            auto& slot = w->Extra[std::size_t(index) / sizeof(LONG_PTR)];
            old = slot;
            slot = value;
        }
        return old;
    }
}

int GetDlgCtrlID(HWND hwnd)
{
    auto w = LookupWindow(hwnd);
    return w && w->IsChild() ? int(w->Id) : 0;
}

HWND GetDlgItem(HWND parent, int id)
{
    auto w = LookupWindow(parent);
    if (!w)
        return nullptr;
    for (HWND h : w->Children)
        if (GetDlgCtrlID(h) == id)
            return h;
    return nullptr;
}

BOOL SetWindowText(HWND hwnd, std::string_view text)
{
    const std::string copy(text);
    return SendMessage(hwnd, WM_SETTEXT, 0, ToLParam(copy.c_str())) ? 1 : 0;
}

int GetWindowTextLength(HWND hwnd)
{
    return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

int GetWindowText(HWND hwnd, char* buffer, int bufferSize)
{
    if (!buffer || bufferSize <= 0)
        return 0;
    buffer[0] = '\0';
    return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(bufferSize), ToLParam(buffer)));
}

std::string GetWindowTextString(HWND hwnd)
{
    const int length = GetWindowTextLength(hwnd);
    std::string text(std::size_t(length) + 1, '\0');
    const int got = GetWindowText(hwnd, text.data(), length + 1);
    text.resize(std::size_t(std::max(got, 0)));
    return text;
}

// The default WM_GETTEXT: copies as much as fits without splitting a character.
int CopyWindowText(const std::string& text, char* buffer, int bufferSize)
{
    if (!buffer || bufferSize <= 0)
        return 0;
    std::size_t n = std::min(text.size(), std::size_t(bufferSize - 1));
    if (n < text.size())
        while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
            --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return int(n);
}

BOOL SetProp(HWND hwnd, std::string_view name, HANDLE value)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return 0;
    w->Props[std::string(name)] = value;
    return 1;
}

HANDLE GetProp(HWND hwnd, std::string_view name)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    auto it = w->Props.find(std::string(name));
    return it == w->Props.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, std::string_view name)
{
    auto w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    auto it = w->Props.find(std::string(name));
    if (it == w->Props.end())
        return nullptr;
    HANDLE value = it->second;
    w->Props.erase(it);
    return value;
}

} // namespace tovrel
