// The bar's drop-down: a popup window listing the open item's children. It
// never takes the focus; it holds the mouse capture while open, so a press
// anywhere else reaches it and closes it.
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/MenuBar.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr const char* kDropDownClass = "TMenuBarDropDown";
constexpr int kBorder = 3;
constexpr int kRowHeight = 20;
constexpr int kLineHeight = 8;
constexpr int kTextLeft = 22;  // room for the check mark
constexpr int kTextRight = 22; // room for the submenu arrow
constexpr int kShortCutGap = 20;

HFONT MenuFont()
{
    return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool Selectable(const TMenuItem* item)
{
    return item->Visible() && item->Enabled() && !item->IsLine();
}

int TextWidth(HDC dc, const std::string& text, UINT format)
{
    RECT r{0, 0, 0, 0};
    DrawText(dc, text, &r, format | DT_SINGLELINE | DT_CALCRECT);
    return r.Width();
}

void RegisterDropDownClass()
{
    static const bool registered = [] {
        WNDCLASSEX wc{};
        wc.lpfnWndProc = MenuDropDownProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kDropDownClass;
        return RegisterClassEx(&wc) != 0;
    }();
    (void)registered;
}

} // namespace

LRESULT MenuDropDownProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* bar = reinterpret_cast<TMenuBar*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!bar)
        return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        bar->PaintDropDown(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: bar->DropDownMouse(message, PointFromLParam(lParam)); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            bar->Close();
        return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void TMenuBar::LayOutRows(TMenuItem& parent)
{
    rows_.clear();
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, ToGdiObj(MenuFont()));
    int textWidth = 0, shortCutWidth = 0, y = kBorder;
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible())
            continue;
        const int height = item->IsLine() ? kLineHeight : kRowHeight;
        rows_.push_back({item, {kBorder, y, 0, y + height}});
        y += height;
        if (!item->IsLine()) {
            textWidth = std::max(textWidth, TextWidth(dc, item->Caption(), 0));
            shortCutWidth = std::max(shortCutWidth, TextWidth(dc, ShortCutToText(item->ShortCut()), DT_NOPREFIX));
        }
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    const int inner = kTextLeft + textWidth + (shortCutWidth ? kShortCutGap + shortCutWidth : 0) + kTextRight;
    for (TRow& row : rows_)
        row.Bounds.Right = kBorder + inner;
    dropDownSize_ = {inner + 2 * kBorder, y + kBorder};
}

void TMenuBar::ShowDropDown(TPoint screen)
{
    // Made again after the form's window was: the old one went with its owner.
    if (!dropDown_ || !IsWindow(dropDown_)) {
        RegisterDropDownClass();
        dropDown_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kDropDownClass, "", WS_POPUP, 0, 0, 0, 0,
                                   FormHandle(), nullptr, nullptr, nullptr);
        SetWindowLongPtr(dropDown_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    // Kept on the monitor: moved left, or above the bar, when it would leave it.
    MONITORINFO info;
    if (GetMonitorInfo(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), &info)) {
        const TRect work = info.rcWork;
        if (screen.X + dropDownSize_.cx > work.Right)
            screen.X = std::max(work.Left, work.Right - int(dropDownSize_.cx));
        if (screen.Y + dropDownSize_.cy > work.Bottom)
            screen.Y = std::max(work.Top, screen.Y - GetSystemMetrics(SM_CYMENU) - int(dropDownSize_.cy));
    }
    SetWindowPos(dropDown_, HWND_TOPMOST, screen.X, screen.Y, dropDownSize_.cx, dropDownSize_.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(dropDown_, nullptr, 0);
    SetCapture(dropDown_);
}

void TMenuBar::PaintDropDown(HDC dc) const
{
    RECT whole{0, 0, dropDownSize_.cx, dropDownSize_.cy};
    FillRect(dc, &whole, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, ToGdiObj(MenuFont()));
    SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const TMenuItem* item = rows_[i].Item;
        RECT r = rows_[i].Bounds;
        if (item->IsLine()) {
            RECT line{r.Left + 1, r.Top + kLineHeight / 2 - 1, r.Right - 1, r.Top + kLineHeight / 2 + 1};
            DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        const bool hot = int(i) == hot_;
        if (hot)
            FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(!item->Enabled() ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        if (item->Checked()) {
            RECT mark{r.Left, r.Top, r.Left + kTextLeft, r.Bottom};
            DrawText(dc, item->RadioItem() ? "●" : "✓", &mark, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        }
        RECT text{r.Left + kTextLeft, r.Top, r.Right - kTextRight, r.Bottom};
        DrawText(dc, item->Caption(), &text, DT_SINGLELINE | DT_VCENTER);
        DrawText(dc, ShortCutToText(item->ShortCut()), &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        if (item->Count() > 0) {
            RECT arrow{r.Right - kTextRight, r.Top, r.Right, r.Bottom};
            DrawText(dc, "▸", &arrow, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
}

int TMenuBar::RowAt(TPoint client) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Bounds.Contains(client))
            return int(i);
    return -1;
}

void TMenuBar::SetHot(int row)
{
    if (row >= 0 && !Selectable(rows_[std::size_t(row)].Item))
        row = -1;
    if (row == hot_)
        return;
    hot_ = row;
    if (dropDown_)
        InvalidateRect(dropDown_, nullptr, 0);
}

void TMenuBar::MoveHot(int step)
{
    const int count = int(rows_.size());
    const int start = hot_ >= 0 ? hot_ : step > 0 ? -1 : count;
    for (int n = 1; n <= count; ++n) {
        const int i = ((start + step * n) % count + count) % count;
        if (Selectable(rows_[std::size_t(i)].Item)) {
            SetHot(i);
            return;
        }
    }
}

TRect TMenuBar::DropDownRowScreenRect(int index) const
{
    if (openIndex_ < 0)
        return {};
    const TMenuItem* parent = menu_.Items()->Items(openIndex_);
    if (index < 0 || index >= parent->Count())
        return {};
    for (const TRow& row : rows_)
        if (row.Item == parent->Items(index)) {
            RECT window;
            GetWindowRect(dropDown_, &window);
            const TRect& r = row.Bounds;
            return Bounds(r.Left + window.Left, r.Top + window.Top, r.Width(), r.Height());
        }
    return {};
}

void TMenuBar::DropDownMouse(UINT message, TPoint client)
{
    const bool inside = TRect{0, 0, dropDownSize_.cx, dropDownSize_.cy}.Contains(client);
    POINT screen = client;
    ClientToScreen(dropDown_, &screen);
    const int barItem = inside ? -1 : ItemAtScreen(screen);
    switch (message) {
    case WM_MOUSEMOVE:
        if (inside)
            SetHot(RowAt(client));
        else if (barItem >= 0 && barItem != openIndex_ && menu_.Items()->Items(barItem)->Count() > 0) {
            Close();
            Open(barItem, false);
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // A press elsewhere closes; one on another bar item opens that one.
        if (!inside) {
            const int open = openIndex_;
            Close();
            if (barItem >= 0 && barItem != open)
                Open(barItem, false);
        }
        break;
    case WM_LBUTTONUP:
        if (const int row = inside ? RowAt(client) : -1; row >= 0) {
            TMenuItem* item = rows_[std::size_t(row)].Item;
            if (Selectable(item) && item->Count() == 0)
                Choose(item);
        }
        break;
    default: break;
    }
}

} // namespace tovrel
