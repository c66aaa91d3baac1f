#include "DemoWidgets.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "platform/rtl/Text.h"

namespace tovrel::demo {

namespace {

constexpr const char* kPanel = "DemoPanel";
constexpr const char* kDropButton = "DemoDropButton";
constexpr const char* kDropList = "DemoDropList";
constexpr const char* kTextField = "DemoTextField";
constexpr int kItemHeight = 22;

HFONT UiFont()
{
    static HFONT font = [] {
        LOGFONT lf;
        lf.lfHeight = -14;
        lf.lfFaceName = "DejaVu Sans";
        return CreateFontIndirect(&lf);
    }();
    return font;
}

void Fill(HDC dc, const RECT& r, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(ToGdiObj(brush));
}

void Text(HDC dc, const std::string& text, RECT r, COLORREF colour, UINT format)
{
    SelectObject(dc, ToGdiObj(UiFont()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    DrawText(dc, text, &r, format);
}

template <class F> LRESULT Painted(HWND hwnd, F&& paint)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r;
    GetClientRect(hwnd, &r);
    paint(dc, r);
    EndPaint(hwnd, &ps);
    return 0;
}

LRESULT PanelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT)
        return Painted(hwnd, [&](HDC dc, RECT r) {
            Fill(dc, r, COLORREF(GetWindowLongPtr(hwnd, GWLP_USERDATA)));
            Text(dc, GetWindowTextString(hwnd), {r.Left + 6, r.Top + 4, r.Right - 4, r.Top + 24}, RGB(255, 255, 255),
                 DT_SINGLELINE | DT_NOPREFIX);
        });
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT DropButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto list = reinterpret_cast<HWND>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        return Painted(hwnd, [&](HDC dc, RECT r) {
            Fill(dc, r, GetSysColor(COLOR_BTNFACE));
            RECT edge = r;
            DrawEdge(dc, &edge, IsWindowVisible(list) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
            Text(dc, GetWindowTextString(hwnd) + "  ▼", r, RGB(0, 0, 0), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        });
    case WM_LBUTTONDOWN: {
        RECT r;
        GetWindowRect(hwnd, &r);
        // Shown without activation: the focus stays in the form.
        SetWindowPos(list, HWND_TOPMOST, r.Left, r.Bottom, r.Width(), 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        InvalidateRect(hwnd, nullptr, 1);
        return 0;
    }
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

struct TDropList {
    std::vector<std::string> Items;
    HWND Target = nullptr;
    int Hot = -1;
};

LRESULT DropListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* list = reinterpret_cast<TDropList*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT:
        return Painted(hwnd, [&](HDC dc, RECT r) {
            Fill(dc, r, RGB(255, 255, 255));
            for (int i = 0; list && i < int(list->Items.size()); ++i) {
                RECT row{r.Left + 1, i * kItemHeight + 1, r.Right - 1, (i + 1) * kItemHeight + 1};
                if (i == list->Hot)
                    Fill(dc, row, GetSysColor(COLOR_HIGHLIGHT));
                Text(dc, list->Items[std::size_t(i)], {row.Left + 6, row.Top, row.Right, row.Bottom},
                     i == list->Hot ? RGB(255, 255, 255) : RGB(0, 0, 0), DT_SINGLELINE | DT_VCENTER);
            }
            FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        });
    case WM_MOUSEMOVE: {
        const int hot = GET_Y_LPARAM(lParam) / kItemHeight;
        if (list && hot != list->Hot) {
            list->Hot = hot;
            InvalidateRect(hwnd, nullptr, 0);
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        const int item = GET_Y_LPARAM(lParam) / kItemHeight;
        if (list && item >= 0 && item < int(list->Items.size())) {
            SetWindowText(list->Target, "已选：" + list->Items[std::size_t(item)]);
            InvalidateRect(list->Target, nullptr, 1);
        }
        ShowWindow(hwnd, SW_HIDE);
        RedrawWindow(nullptr, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        return 0;
    }
    case WM_NCDESTROY: delete list; return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

// The field's text, UTF-8; a high surrogate waits for its partner.
struct TTextField {
    std::string Text;
    char16_t PendingHigh = 0;
};

void DropLastCharacter(std::string& text)
{
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
        text.pop_back();
    if (!text.empty())
        text.pop_back();
}

void AppendUnit(TTextField& field, char16_t unit)
{
    if (unit >= 0xD800 && unit < 0xDC00) {
        field.PendingHigh = unit;
        return;
    }
    std::u16string units;
    if (unit >= 0xDC00 && unit < 0xE000 && field.PendingHigh)
        units.push_back(field.PendingHigh);
    units.push_back(unit);
    field.PendingHigh = 0;
    field.Text += Utf16ToUtf8(units);
}

void PlaceInputMethod(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    Backend().SetTextInputRect(r);
}

LRESULT TextFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* field = reinterpret_cast<TTextField*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        return Painted(hwnd, [&](HDC dc, RECT r) {
            const bool focused = GetFocus() == hwnd;
            Fill(dc, r, RGB(255, 255, 255));
            const std::string shown = field ? field->Text + (focused ? "|" : "") : "";
            Text(dc, shown, {r.Left + 4, r.Top, r.Right - 4, r.Bottom}, RGB(0, 0, 0), DT_SINGLELINE | DT_VCENTER);
            if (focused)
                FrameRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        });
    case WM_LBUTTONDOWN: SetFocus(hwnd); return 0;
    case WM_SETFOCUS:
        PlaceInputMethod(hwnd);
        InvalidateRect(hwnd, nullptr, 1);
        return 0;
    case WM_KILLFOCUS: InvalidateRect(hwnd, nullptr, 1); return 0;
    case WM_CHAR:
        if (!field)
            return 0;
        if (wParam == 8)
            DropLastCharacter(field->Text);
        else if (wParam >= 32)
            AppendUnit(*field, char16_t(wParam));
        InvalidateRect(hwnd, nullptr, 1);
        return 0;
    case WM_NCDESTROY: delete field; return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void Register(const char* name, WNDPROC proc, std::uintptr_t cursor)
{
    WNDCLASSEX wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hCursor = LoadCursor(nullptr, cursor);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    RegisterClassEx(&wc);
}

HWND Create(const char* cls, HWND parent, TRect r, const std::string& text, DWORD style, DWORD ex = 0)
{
    return CreateWindowEx(ex, cls, text, style, r.Left, r.Top, r.Width(), r.Height(), parent, nullptr, nullptr,
                          nullptr);
}

} // namespace

void RegisterDemoClasses()
{
    Register(kPanel, PanelProc, IDC_ARROW);
    Register(kDropButton, DropButtonProc, IDC_HAND);
    Register(kDropList, DropListProc, IDC_ARROW);
    Register(kTextField, TextFieldProc, IDC_IBEAM);
}

HWND CreatePanel(HWND parent, TRect bounds, COLORREF colour, const std::string& text)
{
    HWND h = Create(kPanel, parent, bounds, text, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    SetWindowLongPtr(h, GWLP_USERDATA, LONG_PTR(colour));
    return h;
}

HWND CreateDropButton(HWND parent, TRect bounds, const std::string& text, HWND list)
{
    HWND h = Create(kDropButton, parent, bounds, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
    SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(list));
    return h;
}

HWND CreateDropList(HWND owner, const std::vector<std::string>& items, HWND target)
{
    HWND h = Create(kDropList, owner, Bounds(0, 0, 160, int(items.size()) * kItemHeight + 2), "",
                    WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TDropList{items, target}));
    return h;
}

HWND CreateTextField(HWND parent, TRect bounds)
{
    HWND h =
        Create(kTextField, parent, bounds, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, WS_EX_CLIENTEDGE);
    SetWindowLongPtr(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TTextField));
    return h;
}

} // namespace tovrel::demo
