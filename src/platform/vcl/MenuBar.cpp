// The bar row: its room in the frame, hit test, drawing, and what opens and
// closes its drop-downs.
#include "platform/vcl/MenuBar.h"

#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr int kItemPadding = 7; // each side of a caption on the bar

std::vector<TMenuBar*>& LiveBars()
{
    static std::vector<TMenuBar*> bars;
    return bars;
}

HFONT MenuFont()
{
    return reinterpret_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

void MenuBarsChanged(const TMenu* menu)
{
    // A bar may go while another follows (its form closing), so each is looked up again.
    for (TMenuBar* bar : std::vector<TMenuBar*>(LiveBars()))
        if (std::ranges::find(LiveBars(), bar) != LiveBars().end() && bar->Shows(menu))
            bar->MenuChanged();
}

TMenuBar::TMenuBar(TCustomForm& form, TMainMenu& menu) : form_(form), menu_(menu)
{
    LiveBars().push_back(this);
}

TMenuBar::~TMenuBar()
{
    std::erase(LiveBars(), this);
}

HWND TMenuBar::FormHandle() const
{
    return form_.HandleAllocated() ? form_.Handle() : nullptr;
}

int TMenuBar::Height() const
{
    // Only top-level windows have a menu bar, as on the platform.
    if (form_.Parent())
        return 0;
    for (int i = 0; i < menu_.Items()->Count(); ++i)
        if (menu_.Items()->Items(i)->Visible())
            return GetSystemMetrics(SM_CYMENU);
    return 0;
}

TRect TMenuBar::RowRect() const
{
    HWND hwnd = FormHandle();
    if (!hwnd)
        return {};
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int left = origin.X - window.Left, top = origin.Y - window.Top;
    return {left, top - Height(), left + client.Width(), top};
}

std::vector<TRect> TMenuBar::ItemRects() const
{
    const TRect row = RowRect();
    std::vector<TRect> rects(std::size_t(menu_.Items()->Count()));
    HDC dc = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, ToGdiObj(MenuFont()));
    int x = row.Left;
    for (int i = 0; i < menu_.Items()->Count(); ++i) {
        const TMenuItem* item = menu_.Items()->Items(i);
        if (!item->Visible())
            continue;
        RECT text{0, 0, 0, 0};
        DrawText(dc, item->Caption(), &text, DT_SINGLELINE | DT_CALCRECT);
        const int width = text.Width() + 2 * kItemPadding;
        if (x + width > row.Right)
            break; // the row is one line: what does not fit is not shown
        rects[std::size_t(i)] = {x, row.Top, x + width, row.Bottom};
        x += width;
    }
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    return rects;
}

int TMenuBar::ItemAtScreen(TPoint screen) const
{
    RECT window;
    if (!FormHandle() || !GetWindowRect(FormHandle(), &window))
        return -1;
    const TPoint p{screen.X - window.Left, screen.Y - window.Top};
    const std::vector<TRect> rects = ItemRects();
    for (std::size_t i = 0; i < rects.size(); ++i)
        if (!rects[i].IsEmpty() && rects[i].Contains(p))
            return int(i);
    return -1;
}

TRect TMenuBar::ItemScreenRect(int index) const
{
    const std::vector<TRect> rects = ItemRects();
    RECT window;
    if (index < 0 || index >= int(rects.size()) || rects[std::size_t(index)].IsEmpty() ||
        !GetWindowRect(FormHandle(), &window))
        return {};
    const TRect& r = rects[std::size_t(index)];
    return Bounds(r.Left + window.Left, r.Top + window.Top, r.Width(), r.Height());
}

void TMenuBar::Paint(HDC dc) const
{
    const TRect row = RowRect();
    if (row.IsEmpty())
        return;
    FillRect(dc, &row, GetSysColorBrush(COLOR_MENU));
    HGDIOBJ oldFont = SelectObject(dc, ToGdiObj(MenuFont()));
    SetBkMode(dc, TRANSPARENT);
    const std::vector<TRect> rects = ItemRects();
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (rects[i].IsEmpty())
            continue;
        const TMenuItem* item = menu_.Items()->Items(int(i));
        const bool open = int(i) == openIndex_;
        if (open)
            FillRect(dc, &rects[i], GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(open ? COLOR_HIGHLIGHTTEXT : item->Enabled() ? COLOR_MENUTEXT : COLOR_GRAYTEXT));
        RECT text = rects[i];
        DrawText(dc, item->Caption(), &text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    SelectObject(dc, oldFont);
}

void TMenuBar::Redraw() const
{
    HWND hwnd = FormHandle();
    if (!hwnd || !IsWindowVisible(hwnd))
        return;
    HDC dc = GetWindowDC(hwnd);
    Paint(dc);
    ReleaseDC(hwnd, dc);
}

void TMenuBar::MenuChanged()
{
    Close();
    form_.NonClientChanged();
    Redraw();
}

bool TMenuBar::FormMessage(TMessage& message, const TWndMethod& inherited)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE: {
        inherited(message);
        RECT* r =
            message.WParam ? &FromLParam<NCCALCSIZE_PARAMS>(message.LParam)->rgrc[0] : FromLParam<RECT>(message.LParam);
        if (r)
            r->Top = std::min(r->Bottom, r->Top + Height());
        return true;
    }
    case WM_NCHITTEST: {
        inherited(message);
        RECT window;
        GetWindowRect(FormHandle(), &window);
        const TPoint p = PointFromLParam(message.LParam);
        if (RowRect().Contains({p.X - window.Left, p.Y - window.Top}))
            message.Result = HTMENU;
        return true;
    }
    case WM_NCPAINT:
        inherited(message);
        Redraw();
        return true;
    case WM_NCLBUTTONDOWN:
        if (message.WParam != WPARAM(HTMENU))
            return false;
        if (const int index = ItemAtScreen(PointFromLParam(message.LParam)); index >= 0)
            Open(index, false);
        return true;
    case WM_SYSCOMMAND: return (message.WParam & 0xFFF0) == SC_KEYMENU && SysCommand(message.WParam, message.LParam);
    case WM_COMMAND:
        // A chosen item arrives as the platform's menus send it: its command, no window.
        return message.LParam == 0 && HIWORD(message.WParam) == 0 && menu_.DispatchCommand(LOWORD(message.WParam));
    case WM_ACTIVATE:
        if (LOWORD(message.WParam) == WA_INACTIVE)
            Close();
        return false;
    case WM_SHOWWINDOW:
        if (!message.WParam)
            Close();
        return false;
    case WM_CANCELMODE:
    case WM_DESTROY: Close(); return false;
    default: return false;
    }
}

bool TMenuBar::SysCommand(WPARAM, LPARAM lParam)
{
    if (Height() == 0)
        return false;
    if (lParam == 0) { // Alt or F10 alone
        if (openIndex_ >= 0)
            Close();
        else if (const int first = NextTopItem(-1, 1); first >= 0)
            Open(first, true);
        return true;
    }
    const WORD key = WORD(lParam >= 'a' && lParam <= 'z' ? lParam - 'a' + 'A' : lParam);
    for (int i = 0; i < menu_.Items()->Count(); ++i) {
        const TMenuItem* item = menu_.Items()->Items(i);
        if (MenuItemSelectable(item) && IsAccel(key, item->Caption())) {
            Open(i, true);
            return true;
        }
    }
    return false;
}

int TMenuBar::NextTopItem(int from, int step) const
{
    const int count = menu_.Items()->Count();
    for (int n = 1; n <= count; ++n) {
        const int i = ((from + step * n) % count + count) % count;
        if (MenuItemSelectable(menu_.Items()->Items(i)))
            return i;
    }
    return -1;
}

void TMenuBar::Open(int index, bool selectFirst)
{
    if (index < 0 || index >= menu_.Items()->Count() || !MenuItemSelectable(menu_.Items()->Items(index)) ||
        !FormHandle())
        return;
    const TRect bar = ItemScreenRect(index);
    if (bar.IsEmpty())
        return;
    TMenuItem* item = menu_.Items()->Items(index);
    if (item->Count() == 0) {
        Choose(item);
        return;
    }
    if (index == openIndex_) {
        Close();
        return;
    }
    openIndex_ = index;
    dropDown_.LayOut(*item);
    if (selectFirst)
        dropDown_.MoveHot(1);
    ShowDropDown(bar);
    Redraw();
}

void TMenuBar::Close()
{
    if (openIndex_ < 0)
        return;
    openIndex_ = -1;
    // Hidden before the capture goes, so the capture notice finds it closed.
    dropDown_.Hide();
    if (GetCapture() && GetCapture() == dropDown_.Window())
        ReleaseCapture();
    Redraw();
}

HWND TMenuBar::DropDown() const
{
    return openIndex_ >= 0 ? dropDown_.Window() : nullptr;
}

void TMenuBar::Choose(TMenuItem* item)
{
    Close();
    if (HWND hwnd = FormHandle())
        PostMessage(hwnd, WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
}

bool TMenuBar::DropDownKey(WORD key)
{
    if (openIndex_ < 0)
        return false;
    switch (key) {
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10: Close(); break;
    case VK_UP: dropDown_.MoveHot(-1); break;
    case VK_DOWN: dropDown_.MoveHot(1); break;
    case VK_LEFT:
    case VK_RIGHT: {
        const int next = NextTopItem(openIndex_, key == VK_RIGHT ? 1 : -1);
        if (next >= 0 && next != openIndex_ && menu_.Items()->Items(next)->Count() > 0) {
            Close();
            Open(next, true);
        }
        break;
    }
    case VK_RETURN:
        if (TMenuItem* hot = dropDown_.HotItem(); hot && hot->Count() == 0)
            Choose(hot);
        break;
    default:
        for (TMenuItem* item : dropDown_.AccelItems(key))
            if (item->Count() == 0) {
                Choose(item);
                break;
            }
        break;
    }
    return true;
}

} // namespace tovrel
