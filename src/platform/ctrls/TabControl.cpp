#include "platform/ctrls/TabControl.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>
#include <vector>

namespace tovrel {

namespace {
constexpr int kTabPadding = 6; // each side of a tab's caption
constexpr int kFrame = 4;      // the page frame on the sides without tabs
constexpr int kEdgeGap = 2;    // between the control's edge and the tabs, both ways
} // namespace

TCustomTabControl::TCustomTabControl(TComponent* owner) : TWinControl(owner), tabs_(std::make_unique<TStringList>())
{
    tabs_->OnChange = [this](TObject*) { TabsChanged(); };
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
    ControlStyle.Include(csAcceptsControls);
}

TCustomTabControl::~TCustomTabControl()
{
    Destroying();
    DestroyHandle();
}

void TCustomTabControl::TabsChanged()
{
    if (tabIndex_ >= tabs_->Count())
        tabIndex_ = tabs_->Count() - 1;
    if (tabIndex_ < 0 && tabs_->Count() > 0)
        tabIndex_ = 0;
    firstVisible_ = std::clamp(firstVisible_, 0, std::max(0, tabs_->Count() - 1));
    Realign();
    Invalidate();
}

int TCustomTabControl::TabIndex()
{
    return int(Perform(TCM_GETCURSEL, 0, 0));
}

void TCustomTabControl::SetTabIndex(int index)
{
    Perform(TCM_SETCURSEL, WPARAM(index), 0);
}

void TCustomTabControl::SetTabPosition(TTabPosition value)
{
    tabPosition_ = value;
    Realign();
    Invalidate();
}

void TCustomTabControl::SetMultiLine(bool value)
{
    multiLine_ = value;
    if (multiLine_)
        firstVisible_ = 0;
    Realign();
    Invalidate();
}

void TCustomTabControl::SetTabHeight(int value)
{
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth_, std::max(0, value)));
}

void TCustomTabControl::SetTabWidth(int value)
{
    Perform(TCM_SETITEMSIZE, 0, MAKELPARAM(std::max(0, value), tabHeight_));
}

void TCustomTabControl::SetImages(TCustomImageList* images)
{
    images_ = images;
    Invalidate();
}

int TCustomTabControl::GetImageIndex(int tabIndex)
{
    return images_ ? tabIndex : -1;
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange)
        OnChange(this);
}

int TCustomTabControl::StripThickness()
{
    if (tabHeight_ > 0)
        return tabHeight_;
    const int text = TTextMeasure(*Font()).LineHeight() + 6;
    return std::max(text, images_ ? images_->Height() + 6 : 0);
}

TSize TCustomTabControl::TabSize(int index)
{
    const bool vertical = tabPosition_ == tpLeft || tabPosition_ == tpRight;
    int length = tabWidth_;
    if (length <= 0) {
        length = TTextMeasure(*Font()).Width(tabs_->Strings(index)) + 2 * kTabPadding;
        if (images_ && GetImageIndex(index) >= 0)
            length += images_->Width() + 3;
    }
    return vertical ? TSize{StripThickness(), length} : TSize{length, StripThickness()};
}

int TCustomTabControl::RowCount()
{
    return multiLine_ ? int(RowStarts().size()) : 1;
}

std::vector<int> TCustomTabControl::RowStarts()
{
    // Multi-line: tabs fill a row along the strip, then start the next.
    const bool vertical = tabPosition_ == tpLeft || tabPosition_ == tpRight;
    const int room = (vertical ? ClientHeight() : ClientWidth()) - 2 * kEdgeGap;
    std::vector<int> starts{0};
    int along = 0;
    for (int i = 0; i < tabs_->Count(); ++i) {
        const int length = vertical ? TabSize(i).cy : TabSize(i).cx;
        if (along > 0 && along + length > room) {
            starts.push_back(i);
            along = 0;
        }
        along += length;
    }
    return starts;
}

TRect TCustomTabControl::TabRect(int index)
{
    const int first = multiLine_ ? 0 : firstVisible_;
    if (index < first || index >= tabs_->Count())
        return Rect(0, 0, 0, 0);
    const bool vertical = tabPosition_ == tpLeft || tabPosition_ == tpRight;
    // The row of the tab and where that row begins; row 0 lies farthest from the page.
    int row = 0, rowStart = first;
    if (multiLine_) {
        const std::vector<int> starts = RowStarts();
        row = int(std::upper_bound(starts.begin(), starts.end(), index) - starts.begin()) - 1;
        rowStart = starts[std::size_t(row)];
    }
    int along = kEdgeGap;
    for (int i = rowStart; i < index; ++i)
        along += vertical ? TabSize(i).cy : TabSize(i).cx;
    const TSize size = TabSize(index);
    const int across = kEdgeGap + row * (vertical ? size.cx : size.cy);
    const TRect client = ClientRect();
    switch (tabPosition_) {
    case tpBottom: return Rect(along, client.Bottom - across - size.cy, along + size.cx, client.Bottom - across);
    case tpLeft: return Rect(across, along, across + size.cx, along + size.cy);
    case tpRight: return Rect(client.Right - across - size.cx, along, client.Right - across, along + size.cy);
    default: return Rect(along, across, along + size.cx, across + size.cy);
    }
}

void TCustomTabControl::AdjustRect(bool larger, TRect& rect)
{
    // Display area: the frame on three sides; on the fourth the gap, the rows
    // of tabs and the frame.
    const int strip = tabs_->Count() > 0 ? kEdgeGap + RowCount() * StripThickness() : 0;
    int left = kFrame, top = kFrame, right = kFrame, bottom = kFrame;
    switch (tabPosition_) {
    case tpBottom: bottom += strip; break;
    case tpLeft: left += strip; break;
    case tpRight: right += strip; break;
    default: top += strip; break;
    }
    const int sign = larger ? -1 : 1;
    rect.Left += sign * left;
    rect.Top += sign * top;
    rect.Right -= sign * right;
    rect.Bottom -= sign * bottom;
}

TRect TCustomTabControl::DisplayRect()
{
    TRect r = ClientRect();
    AdjustRect(false, r);
    return r;
}

void TCustomTabControl::AdjustClientRect(TRect& rect) const
{
    rect = const_cast<TCustomTabControl*>(this)->DisplayRect();
}

int TCustomTabControl::IndexOfTabAt(int x, int y)
{
    TCHITTESTINFO info;
    info.pt = Point(x, y);
    return int(Perform(TCM_HITTEST, 0, ToLParam(&info)));
}

LRESULT TCustomTabControl::SendNotify(int code)
{
    NMHDR nm;
    return SendReflectedNotify(*this, code, nm);
}

bool TCustomTabControl::SelectByUser(int index)
{
    if (index < 0 || index >= tabs_->Count() || index == tabIndex_)
        return false;
    if (SendNotify(TCN_SELCHANGING) != 0)
        return false;
    tabIndex_ = index;
    Invalidate();
    SendNotify(TCN_SELCHANGE);
    return true;
}

bool TCustomTabControl::HandleTabMessage(TMessage& message)
{
    const WPARAM w = message.WParam;
    const LPARAM l = message.LParam;
    LRESULT& result = message.Result;
    const int index = int(w);
    switch (message.Msg) {
    case TCM_GETITEMCOUNT: result = tabs_->Count(); return true;
    case TCM_GETCURSEL: result = tabIndex_; return true;
    case TCM_SETCURSEL: {
        // Set by code: no notification.
        const int old = tabIndex_;
        if (index >= -1 && index < tabs_->Count()) {
            tabIndex_ = index;
            Invalidate();
            Realign();
        }
        result = old;
        return true;
    }
    case TCM_GETITEMRECT:
        if (index < 0 || index >= tabs_->Count() || !l) {
            result = 0;
            return true;
        }
        *FromLParam<RECT>(l) = TabRect(index);
        result = 1;
        return true;
    case TCM_ADJUSTRECT:
        if (l) {
            TRect r = *FromLParam<RECT>(l);
            AdjustRect(w != 0, r);
            *FromLParam<RECT>(l) = r;
        }
        return true;
    case TCM_SETITEMSIZE: {
        result = MAKELRESULT(tabWidth_, tabHeight_);
        tabWidth_ = LOWORD(ULONG_PTR(l));
        tabHeight_ = HIWORD(ULONG_PTR(l));
        Realign();
        Invalidate();
        return true;
    }
    case TCM_HITTEST: {
        auto* info = FromLParam<TCHITTESTINFO>(l);
        result = -1;
        if (!info)
            return true;
        info->flags = TCHT_NOWHERE;
        for (int i = multiLine_ ? 0 : firstVisible_; i < tabs_->Count(); ++i)
            if (TabRect(i).Contains(info->pt)) {
                info->flags = TCHT_ONITEM;
                result = i;
                break;
            }
        return true;
    }
    case TCM_SETIMAGELIST: result = 0; return true; // images come from Images
    case TCM_DELETEITEM:
        result = index >= 0 && index < tabs_->Count();
        if (result)
            tabs_->Delete(index);
        return true;
    case TCM_DELETEALLITEMS:
        tabs_->Clear();
        result = 1;
        return true;
    default: return false;
    }
}

void TCustomTabControl::WndProc(TMessage& message)
{
    // The tab under the press is selected before the press reaches OnMouseDown.
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
        const TPoint p = PointFromLParam(message.LParam);
        const int index = IndexOfTabAt(p.X, p.Y);
        if (index >= 0) {
            if (CanFocus() && HandleAllocated())
                ::tovrel::SetFocus(Handle());
            SelectByUser(index);
        }
    }
    TWinControl::WndProc(message);
}

void TCustomTabControl::DefaultHandler(TMessage& message)
{
    if (HandleTabMessage(message))
        return;
    switch (message.Msg) {
    case WM_HSCROLL:
        if (LOWORD(message.WParam) == SB_THUMBPOSITION) {
            firstVisible_ =
                std::clamp(int(std::min<WPARAM>(message.WParam >> 16, 0x7FFFFFFF)), 0, std::max(0, tabs_->Count() - 1));
            Invalidate();
        }
        return;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_KEYDOWN: {
        const WORD key = WORD(message.WParam);
        if (key == VK_LEFT || key == VK_UP)
            SelectByUser(tabIndex_ - 1);
        else if (key == VK_RIGHT || key == VK_DOWN)
            SelectByUser(tabIndex_ + 1);
        else if (key == VK_TAB && GetKeyState(VK_CONTROL) < 0 && tabs_->Count() > 0)
            SelectByUser((tabIndex_ + (GetKeyState(VK_SHIFT) < 0 ? tabs_->Count() - 1 : 1)) % tabs_->Count());
        return;
    }
    case CN_NOTIFY: {
        const auto* nm = FromLParam<const NMHDR>(message.LParam);
        if (!nm)
            return;
        if (nm->code == TCN_SELCHANGING)
            message.Result = !CanChange();
        else if (nm->code == TCN_SELCHANGE)
            Change();
        return;
    }
    default: break;
    }
    TWinControl::DefaultHandler(message);
}

} // namespace tovrel
