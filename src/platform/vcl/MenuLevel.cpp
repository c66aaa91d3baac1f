// A menu level's rows, drawing and window. The window is a captionless tool
// popup, so the window layer never activates it and the focus stays where it was.
#include "platform/vcl/MenuLevel.h"

#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr const char* kLevelClass = "TMenuLevel";
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

int TextWidth(HDC dc, const std::string& text, UINT format)
{
    RECT r{0, 0, 0, 0};
    DrawText(dc, text, &r, format | DT_SINGLELINE | DT_CALCRECT);
    return r.Width();
}

void RegisterLevelClass()
{
    static const bool registered = [] {
        WNDCLASSEX wc{};
        wc.lpfnWndProc = TMenuLevel::WindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = kLevelClass;
        return RegisterClassEx(&wc) != 0;
    }();
    (void)registered;
}

int FitSpan(int start, int length, int flippedEnd, int low, int high)
{
    if (start + length > high)
        start = flippedEnd == kSlideInside ? high - length : flippedEnd - length;
    return std::max(low, std::min(start, high - length));
}

} // namespace

bool MenuItemSelectable(const TMenuItem* item)
{
    return item->Visible() && item->Enabled() && !item->IsLine();
}

TPoint PlaceMenuLevel(TPoint at, TSize size, int rightWhenFlipped, int bottomWhenFlipped)
{
    MONITORINFO info;
    if (!GetMonitorInfo(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &info))
        return at;
    const TRect work = info.rcWork;
    return {FitSpan(at.X, size.cx, rightWhenFlipped, work.Left, work.Right),
            FitSpan(at.Y, size.cy, bottomWhenFlipped, work.Top, work.Bottom)};
}

TMenuLevel::TMenuLevel(TMenuLevelHost& host) : host_(host) {}

TMenuLevel::~TMenuLevel()
{
    DetachWindow();
}

void TMenuLevel::DetachWindow()
{
    if (!window_)
        return;
    // The menu may be gone already: the window's last notices must not reach the host.
    SetWindowLongPtr(window_, GWLP_USERDATA, 0);
    if (GetCapture() == window_)
        ReleaseCapture();
    DestroyWindow(window_);
    window_ = nullptr;
}

LRESULT TMenuLevel::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* level = reinterpret_cast<TMenuLevel*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!level)
        return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        level->Paint(dc);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        POINT screen = PointFromLParam(lParam);
        ClientToScreen(hwnd, &screen);
        level->host_.LevelMouse(*level, message, screen);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            level->host_.LevelCancelled(*level);
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam)
            level->host_.LevelCancelled(*level);
        return 0;
    case WM_DESTROY:
        // Gone with its owner: made again on the next Show.
        SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
        level->window_ = nullptr;
        level->host_.LevelCancelled(*level);
        return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

void TMenuLevel::LayOut(TMenuItem& parent)
{
    parent_ = &parent;
    rows_.clear();
    hot_ = -1;
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
    size_ = {inner + 2 * kBorder, y + kBorder};
    if (window_)
        InvalidateRect(window_, nullptr, 0);
}

void TMenuLevel::Show(HWND owner, TPoint screen)
{
    if (window_ && GetWindow(window_, GW_OWNER) != owner)
        DetachWindow();
    if (!window_) {
        RegisterLevelClass();
        window_ = CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kLevelClass, "", WS_POPUP, 0, 0, 0, 0, owner,
                                 nullptr, nullptr, nullptr);
        SetWindowLongPtr(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    SetWindowPos(window_, HWND_TOPMOST, screen.X, screen.Y, size_.cx, size_.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(window_, nullptr, 0);
}

void TMenuLevel::ShowBeside(const TMenuLevel& parentLevel, HWND owner)
{
    const TRect outer = parentLevel.ScreenRect(), row = parentLevel.RowScreenRect(parent_);
    Show(owner, PlaceMenuLevel({outer.Right, row.Top - kBorder}, size_, outer.Left, row.Bottom + kBorder));
}

void TMenuLevel::Hide()
{
    hot_ = -1;
    if (window_)
        ShowWindow(window_, SW_HIDE);
}

bool TMenuLevel::Shown() const
{
    return window_ && IsWindowVisible(window_);
}

TRect TMenuLevel::ScreenRect() const
{
    RECT r{};
    if (!Shown() || !GetWindowRect(window_, &r))
        return {};
    return r;
}

TMenuItem* TMenuLevel::ItemAt(TPoint screen) const
{
    const TRect bounds = ScreenRect();
    if (!bounds.Contains(screen))
        return nullptr;
    const TPoint client{screen.X - bounds.Left, screen.Y - bounds.Top};
    for (const TRow& row : rows_)
        if (row.Bounds.Contains(client))
            return row.Item;
    return nullptr;
}

TRect TMenuLevel::RowScreenRect(const TMenuItem* item) const
{
    const int row = RowOf(item);
    const TRect bounds = ScreenRect();
    if (row < 0 || bounds.IsEmpty())
        return {};
    const TRect& r = rows_[std::size_t(row)].Bounds;
    return Bounds(r.Left + bounds.Left, r.Top + bounds.Top, r.Width(), r.Height());
}

int TMenuLevel::RowOf(const TMenuItem* item) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].Item == item)
            return int(i);
    return -1;
}

TMenuItem* TMenuLevel::HotItem() const
{
    return hot_ >= 0 ? rows_[std::size_t(hot_)].Item : nullptr;
}

void TMenuLevel::SetHotItem(const TMenuItem* item)
{
    SetHot(item ? RowOf(item) : -1);
}

void TMenuLevel::SetHot(int row)
{
    if (row >= 0 && !MenuItemSelectable(rows_[std::size_t(row)].Item))
        row = -1;
    if (row == hot_)
        return;
    hot_ = row;
    if (window_)
        InvalidateRect(window_, nullptr, 0);
}

void TMenuLevel::MoveHot(int step)
{
    const int count = int(rows_.size());
    const int start = hot_ >= 0 ? hot_ : step > 0 ? -1 : count;
    for (int n = 1; n <= count; ++n) {
        const int i = ((start + step * n) % count + count) % count;
        if (MenuItemSelectable(rows_[std::size_t(i)].Item)) {
            SetHot(i);
            return;
        }
    }
}

std::vector<TMenuItem*> TMenuLevel::AccelItems(WORD key) const
{
    std::vector<TMenuItem*> found;
    const int count = int(rows_.size());
    for (int n = 1; n <= count; ++n) {
        TMenuItem* item = rows_[std::size_t((hot_ + n + count) % count)].Item;
        if (MenuItemSelectable(item) && IsAccel(key, item->Caption()))
            found.push_back(item);
    }
    return found;
}

void TMenuLevel::Paint(HDC dc) const
{
    RECT whole{0, 0, size_.cx, size_.cy};
    FillRect(dc, &whole, GetSysColorBrush(COLOR_MENU));
    DrawEdge(dc, &whole, EDGE_RAISED, BF_RECT);
    HGDIOBJ oldFont = SelectObject(dc, ToGdiObj(MenuFont()));
    SetBkMode(dc, TRANSPARENT);
    for (std::size_t i = 0; i < rows_.size(); ++i)
        PaintRow(dc, rows_[i], int(i) == hot_);
    SelectObject(dc, oldFont);
}

void TMenuLevel::PaintRow(HDC dc, const TRow& row, bool hot) const
{
    const TMenuItem* item = row.Item;
    RECT r = row.Bounds;
    if (item->IsLine()) {
        RECT line{r.Left + 1, r.Top + kLineHeight / 2 - 1, r.Right - 1, r.Top + kLineHeight / 2 + 1};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
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

} // namespace tovrel
