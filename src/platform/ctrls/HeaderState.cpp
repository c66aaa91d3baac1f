#include "platform/ctrls/HeaderState.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tovrel {

TRect THeaderState::ItemRect(int index) const
{
    int x = 0;
    for (int section : order_) {
        const int width = sections_[std::size_t(section)].Width;
        if (section == index) {
            RECT client;
            GetClientRect(hwnd_, &client);
            return Rect(x, 0, x + width, client.Bottom);
        }
        x += width;
    }
    return Rect(0, 0, 0, 0);
}

UINT THeaderState::HitTest(TPoint p, int& item) const
{
    item = -1;
    RECT client;
    GetClientRect(hwnd_, &client);
    UINT outside = 0;
    if (p.Y < 0)
        outside |= HHT_ABOVE;
    if (p.Y >= client.Bottom)
        outside |= HHT_BELOW;
    if (p.X < 0)
        outside |= HHT_TOLEFT;
    if (outside)
        return outside;
    // Dividers win over sections. Right of an edge, a zero-width section that
    // follows it opens; otherwise the section whose edge it is gets resized.
    UINT hit = 0;
    for (int section : order_) {
        const TRect r = ItemRect(section);
        if (p.X < r.Right - kDividerZone || p.X >= r.Right + kDividerZone)
            continue;
        if (r.Width() == 0) {
            if (p.X >= r.Right) {
                item = section;
                return HHT_ONDIVOPEN;
            }
        } else if (!hit) {
            item = section;
            hit = HHT_ONDIVIDER;
        }
    }
    if (hit)
        return hit;
    for (int section : order_) {
        const TRect r = ItemRect(section);
        if (p.X >= r.Left && p.X < r.Right) {
            item = section;
            return HHT_ONHEADER;
        }
    }
    return p.X >= client.Right ? HHT_TORIGHT : HHT_NOWHERE;
}

int THeaderState::InsertItem(int index, const HDITEM& item)
{
    if (index < 0)
        return -1;
    index = std::min(index, Count());
    TSection section;
    if (item.mask & HDI_TEXT)
        section.Text = item.pszText ? item.pszText : "";
    if (item.mask & HDI_WIDTH)
        section.Width = std::max(0, item.cxy);
    if (item.mask & HDI_FORMAT)
        section.Format = item.fmt;
    if (item.mask & HDI_LPARAM)
        section.Data = item.lParam;
    sections_.insert(sections_.begin() + index, section);
    for (int& o : order_)
        if (o >= index)
            ++o;
    const int position = (item.mask & HDI_ORDER) ? std::clamp(item.iOrder, 0, int(order_.size())) : int(order_.size());
    order_.insert(order_.begin() + position, index);
    InvalidateRect(hwnd_, nullptr, 1);
    return index;
}

bool THeaderState::DeleteItem(int index)
{
    if (index < 0 || index >= Count())
        return false;
    sections_.erase(sections_.begin() + index);
    order_.erase(std::find(order_.begin(), order_.end(), index));
    for (int& o : order_)
        if (o > index)
            --o;
    InvalidateRect(hwnd_, nullptr, 1);
    return true;
}

bool THeaderState::GetItem(int index, HDITEM& item) const
{
    if (index < 0 || index >= Count())
        return false;
    const TSection& s = sections_[std::size_t(index)];
    if (item.mask & HDI_WIDTH)
        item.cxy = s.Width;
    if ((item.mask & HDI_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::size_t n = std::min(s.Text.size(), std::size_t(item.cchTextMax - 1));
        std::memcpy(item.pszText, s.Text.data(), n);
        item.pszText[n] = '\0';
    }
    if (item.mask & HDI_FORMAT)
        item.fmt = s.Format;
    if (item.mask & HDI_LPARAM)
        item.lParam = s.Data;
    if (item.mask & HDI_ORDER)
        item.iOrder = int(std::find(order_.begin(), order_.end(), index) - order_.begin());
    return true;
}

bool THeaderState::SetItem(int index, const HDITEM& item)
{
    if (index < 0 || index >= Count())
        return false;
    TSection& s = sections_[std::size_t(index)];
    if (item.mask & HDI_WIDTH)
        s.Width = std::max(0, item.cxy);
    if (item.mask & HDI_TEXT)
        s.Text = item.pszText ? item.pszText : "";
    if (item.mask & HDI_FORMAT)
        s.Format = item.fmt;
    if (item.mask & HDI_LPARAM)
        s.Data = item.lParam;
    if (item.mask & HDI_ORDER) {
        order_.erase(std::find(order_.begin(), order_.end(), index));
        order_.insert(order_.begin() + std::clamp(item.iOrder, 0, int(order_.size())), index);
    }
    InvalidateRect(hwnd_, nullptr, 1);
    return true;
}

LRESULT THeaderState::Notify(int code, int item, int width, int* answeredWidth)
{
    NMHEADER header;
    header.hdr.hwndFrom = hwnd_;
    header.hdr.idFrom = ULONG_PTR(GetDlgCtrlID(hwnd_));
    header.hdr.code = code;
    header.iItem = item;
    header.cxy = width;
    const HWND parent = GetParent(hwnd_);
    const LRESULT answer = parent ? SendMessage(parent, WM_NOTIFY, header.hdr.idFrom, ToLParam(&header)) : 0;
    if (answeredWidth)
        *answeredWidth = std::max(0, header.cxy);
    return answer;
}

void THeaderState::ButtonDown(TPoint p, bool doubleClick)
{
    int item = -1;
    const UINT hit = HitTest(p, item);
    if (hit & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        if (doubleClick) {
            Notify(HDN_DIVIDERDBLCLICKW, item);
            return;
        }
        // The parent may refuse the drag by answering nonzero.
        if (Notify(HDN_BEGINTRACKW, item, sections_[std::size_t(item)].Width) != 0)
            return;
        tracking_ = item;
        trackOffset_ = p.X - ItemRect(item).Right;
        SetCapture(hwnd_);
        return;
    }
    if ((hit & HHT_ONHEADER) && (GetWindowLongPtr(hwnd_, GWL_STYLE) & HDS_BUTTONS)) {
        pressing_ = pressed_ = item;
        SetCapture(hwnd_);
        const TRect r = ItemRect(item);
        InvalidateRect(hwnd_, &r, 1);
    }
}

void THeaderState::MouseMove(TPoint p)
{
    if (tracking_ >= 0) {
        const TRect r = ItemRect(tracking_);
        int width = std::max(0, p.X - trackOffset_ - r.Left);
        // The parent may answer either notification with another width (its limits).
        Notify(HDN_TRACKW, tracking_, width, &width);
        if (width == sections_[std::size_t(tracking_)].Width)
            return;
        if (Notify(HDN_ITEMCHANGINGW, tracking_, width, &width) != 0 ||
            width == sections_[std::size_t(tracking_)].Width)
            return;
        sections_[std::size_t(tracking_)].Width = width;
        InvalidateRect(hwnd_, nullptr, 1);
        Notify(HDN_ITEMCHANGEDW, tracking_, width);
        return;
    }
    if (pressing_ >= 0) {
        int item = -1;
        const UINT hit = HitTest(p, item);
        const int now = (hit & HHT_ONHEADER) && item == pressing_ ? pressing_ : -1;
        if (now != pressed_) {
            pressed_ = now;
            const TRect r = ItemRect(pressing_);
            InvalidateRect(hwnd_, &r, 1);
        }
    }
}

void THeaderState::ButtonUp(TPoint p)
{
    if (tracking_ >= 0) {
        const int item = std::exchange(tracking_, -1);
        if (GetCapture() == hwnd_)
            ReleaseCapture();
        Notify(HDN_ENDTRACKW, item, sections_[std::size_t(item)].Width);
        return;
    }
    if (pressing_ < 0)
        return;
    MouseMove(p);
    const int clicked = pressed_;
    const int item = std::exchange(pressing_, -1);
    pressed_ = -1;
    if (GetCapture() == hwnd_)
        ReleaseCapture();
    const TRect r = ItemRect(item);
    InvalidateRect(hwnd_, &r, 1);
    // Released outside the section it began on: no click.
    if (clicked >= 0)
        Notify(HDN_ITEMCLICKW, clicked);
}

void THeaderState::Paint(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    int right = 0;
    for (int section : order_) {
        RECT r = ItemRect(section);
        right = r.Right;
        if (r.Right <= r.Left)
            continue;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, section == pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        const TSection& s = sections_[std::size_t(section)];
        RECT text = Rect(r.Left + 6, r.Top, r.Right - 6, r.Bottom);
        if (section == pressed_) {
            text.Left += 1;
            text.Top += 1;
            text.Right += 1;
            text.Bottom += 1;
        }
        const UINT align = s.Format == HDF_RIGHT ? DT_RIGHT : s.Format == HDF_CENTER ? DT_CENTER : DT_LEFT;
        DrawText(dc, s.Text, &text, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    // The filler past the last section.
    RECT filler = Rect(right, client.Top, std::max(right, int(client.Right)), client.Bottom);
    if (filler.Right > filler.Left) {
        FillRect(dc, &filler, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &filler, EDGE_RAISED, BF_RECT);
    }
    SelectObject(dc, oldFont);
}

bool THeaderState::Handle(UINT message, WPARAM w, LPARAM l, LRESULT& result)
{
    const int index = int(w);
    switch (message) {
    case HDM_GETITEMCOUNT: result = Count(); return true;
    case HDM_INSERTITEMW: result = l ? InsertItem(index, *FromLParam<const HDITEM>(l)) : -1; return true;
    case HDM_DELETEITEM: result = DeleteItem(index); return true;
    case HDM_GETITEMW: result = l && GetItem(index, *FromLParam<HDITEM>(l)); return true;
    case HDM_SETITEMW: result = l && SetItem(index, *FromLParam<const HDITEM>(l)); return true;
    case HDM_GETITEMRECT:
        if (index < 0 || index >= Count() || !l) {
            result = 0;
            return true;
        }
        *FromLParam<RECT>(l) = ItemRect(index);
        result = 1;
        return true;
    case HDM_HITTEST: {
        auto* info = FromLParam<HDHITTESTINFO>(l);
        if (!info) {
            result = -1;
            return true;
        }
        info->flags = HitTest(info->pt, info->iItem);
        result = info->iItem;
        return true;
    }
    case HDM_GETORDERARRAY: {
        int* out = FromLParam<int>(l);
        if (!out || index < Count()) {
            result = 0;
            return true;
        }
        std::copy(order_.begin(), order_.end(), out);
        result = 1;
        return true;
    }
    case HDM_SETORDERARRAY: {
        const int* in = FromLParam<const int>(l);
        std::vector<int> order(in ? in : nullptr, in ? in + std::min(index, Count()) : nullptr);
        std::vector<int> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        bool permutation = int(sorted.size()) == Count();
        for (int i = 0; permutation && i < Count(); ++i)
            permutation = sorted[std::size_t(i)] == i;
        if (permutation) {
            order_ = order;
            InvalidateRect(hwnd_, nullptr, 1);
        }
        result = permutation;
        return true;
    }
    case HDM_ORDERTOINDEX: result = index >= 0 && index < Count() ? order_[std::size_t(index)] : index; return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: ButtonDown(PointFromLParam(l), message == WM_LBUTTONDBLCLK); return true;
    case WM_MOUSEMOVE: MouseMove(PointFromLParam(l)); return true;
    case WM_LBUTTONUP: ButtonUp(PointFromLParam(l)); return true;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(l) != hwnd_) {
            tracking_ = -1;
            if (pressing_ >= 0) {
                pressing_ = pressed_ = -1;
                InvalidateRect(hwnd_, nullptr, 1);
            }
        }
        return true;
    case WM_SETCURSOR: {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd_, &p);
        int item = -1;
        if (tracking_ >= 0 || (HitTest(p, item) & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) {
            SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
            result = 1;
            return true;
        }
        return false;
    }
    case WM_ERASEBKGND: result = 1; return true;
    case WM_PAINT: {
        if (w) {
            Paint(reinterpret_cast<HDC>(w));
            return true;
        }
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        Paint(dc);
        EndPaint(hwnd_, &ps);
        return true;
    }
    default: return false;
    }
}

} // namespace tovrel
