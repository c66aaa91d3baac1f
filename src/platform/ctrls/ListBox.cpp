#include "platform/ctrls/ListBox.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/ctrls/ListBoxInput.h"
#include "platform/ctrls/ListBoxStrings.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/ctrls/TypeAhead.h"
#include "platform/rtl/Text.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Errors.h"
#include "platform/wm/Paint.h"

#include <algorithm>
#include <cstring>

namespace tovrel {

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TItemStrings>(*this, ListBoxItemMessages)),
      canvas_(std::make_unique<TCanvas>()), input_(std::make_unique<TListBoxInput>(*this))
{
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetColor(clWindow);
    ControlStyle.Include(csDoubleClicks);
    // Clicks come from the list's own notifications (LBN_SELCHANGE, LBN_DBLCLK).
    ControlStyle.Exclude(csClickEvents);
    ControlStyle.Exclude(csCaptureMouse);
}

TCustomListBox::~TCustomListBox()
{
    Destroying();
    DestroyHandle();
}

void TCustomListBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (sorted_)
        params.Style |= LBS_SORT;
    if (multiSelect_)
        params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (style_ == lbOwnerDrawFixed)
        params.Style |= LBS_OWNERDRAWFIXED;
    else if (style_ == lbOwnerDrawVariable)
        params.Style |= LBS_OWNERDRAWVARIABLE;
    if (!tabStops_.empty() || tabWidth_)
        params.Style |= LBS_USETABSTOPS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

// Properties.

int TCustomListBox::ItemIndex()
{
    return int(Perform(multiSelect_ ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index)
{
    if (multiSelect_)
        Perform(LB_SETCARETINDEX, WPARAM(index), 0);
    else
        Perform(LB_SETCURSEL, WPARAM(index), 0);
}

bool TCustomListBox::Selected(int index)
{
    const LRESULT r = Perform(LB_GETSEL, WPARAM(index), 0);
    if (r < 0)
        ListIndexError(index);
    return r != 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    if (multiSelect_) {
        if (Perform(LB_SETSEL, value, index) < 0)
            ListIndexError(index);
    } else if (value) {
        if (index < 0 || index >= Count())
            ListIndexError(index);
        Perform(LB_SETCURSEL, WPARAM(index), 0);
    } else if (ItemIndex() == index) {
        Perform(LB_SETCURSEL, WPARAM(-1), 0);
    }
}

int TCustomListBox::SelCount()
{
    return int(Perform(LB_GETSELCOUNT, 0, 0));
}

int TCustomListBox::TopIndex()
{
    return int(Perform(LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int index)
{
    Perform(LB_SETTOPINDEX, WPARAM(index), 0);
}

void TCustomListBox::SelectAll()
{
    if (multiSelect_)
        Perform(LB_SETSEL, 1, -1);
}

void TCustomListBox::ClearSelection()
{
    if (multiSelect_)
        Perform(LB_SETSEL, 0, -1);
    else
        Perform(LB_SETCURSEL, WPARAM(-1), 0);
}

int TCustomListBox::ItemAtPos(TPoint p, bool existing)
{
    const LRESULT r = Perform(LB_ITEMFROMPOINT, 0, LParamFromPoint(p));
    const int index = LOWORD(ULONG_PTR(r));
    if (HIWORD(ULONG_PTR(r)) == 0 && index < Count())
        return index;
    return existing ? -1 : Count();
}

TRect TCustomListBox::ItemRect(int index)
{
    RECT r{};
    Perform(LB_GETITEMRECT, WPARAM(index), ToLParam(&r));
    return r;
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (style_ == value)
        return;
    style_ = value;
    for (int i = 0; i < Count(); ++i)
        rows_[std::size_t(i)].Height = 0;
    UpdateScrollState();
    RecreateWnd();
    Invalidate();
}

int TCustomListBox::ItemHeight() const
{
    return style_ == lbStandard ? StandardItemHeight() : itemHeight_;
}

void TCustomListBox::SetItemHeight(int value)
{
    if (value <= 0 || value == itemHeight_)
        return;
    itemHeight_ = value;
    UpdateScrollState();
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool value)
{
    multiSelect_ = value;
    RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool value)
{
    extendedSelect_ = value;
    RecreateWnd();
}

void TCustomListBox::SetSorted(bool value)
{
    if (sorted_ == value)
        return;
    sorted_ = value;
    if (sorted_)
        std::stable_sort(rows_.begin(), rows_.end(),
                         [](const TRow& a, const TRow& b) { return CompareText(a.Text, b.Text) < 0; });
    RecreateWnd();
    Invalidate();
}

void TCustomListBox::SetTabWidth(int value)
{
    tabWidth_ = std::max(0, value);
    if (tabWidth_)
        tabStops_ = {tabWidth_};
    else
        tabStops_.clear();
    Invalidate();
}

int TCustomListBox::StandardItemHeight() const
{
    return std::max(1, TTextMeasure(*const_cast<TCustomListBox*>(this)->Font()).LineHeight());
}

int TCustomListBox::RowHeight(int index) const
{
    if (style_ == lbOwnerDrawVariable && index >= 0 && index < Count() && rows_[std::size_t(index)].Height > 0)
        return rows_[std::size_t(index)].Height;
    return ItemHeight();
}

int TCustomListBox::RowTop(int index) const
{
    int y = 0;
    if (index >= top_) {
        for (int i = top_; i < index; ++i)
            y += RowHeight(i);
    } else {
        for (int i = index; i < top_; ++i)
            y -= RowHeight(i);
    }
    return y;
}

int TCustomListBox::VisibleRows()
{
    const int height = ClientHeight();
    int rows = 0, y = 0;
    for (int i = top_; i < Count(); ++i) {
        y += RowHeight(i);
        if (y > height)
            break;
        ++rows;
    }
    // Past the last item, rows of the usual height.
    if (y < height && top_ + rows >= Count())
        rows += (height - y) / std::max(1, ItemHeight());
    return std::max(1, rows);
}

// Scroll state.

TScrollState* TCustomListBox::ScrollStateOf(int bar)
{
    return bar == SB_VERT ? &vertical_ : bar == SB_HORZ ? &horizontal_ : nullptr;
}

void TCustomListBox::ScrollStateChanged(int bar)
{
    if (bar == SB_VERT && columns_ == 0)
        SetTop(vertical_.Pos());
    else if (bar == SB_HORZ && columns_ > 0)
        SetTop(horizontal_.Pos() * VisibleRows());
}

void TCustomListBox::UpdateScrollState()
{
    if (columns_ > 0) {
        // Sideways in whole columns: range 0..columns-1, page = columns in view.
        const int rows = VisibleRows();
        const int count = ColumnCount();
        vertical_.SetRange(0, 0);
        horizontal_.SetRange(0, std::max(0, count - 1));
        horizontal_.SetPage(std::min(columns_, count));
        horizontal_.SetVisible(count > columns_);
        top_ = std::clamp(top_ / rows, 0, std::max(0, count - columns_)) * rows;
        horizontal_.SetPos(top_ / rows);
        return;
    }
    const int page = VisibleRows();
    vertical_.SetRange(0, std::max(0, Count() - 1));
    vertical_.SetPage(std::min(page, Count()));
    vertical_.SetVisible(Count() > page);
    // The top row is never past the point where the last page fills the client area.
    const int maxTop = std::max(0, Count() - page);
    if (top_ > maxTop)
        top_ = maxTop;
    vertical_.SetPos(top_);
}

void TCustomListBox::SetTop(int index)
{
    const int clamped = std::clamp(index, 0, std::max(0, Count() - 1));
    const int old = top_;
    top_ = clamped;
    UpdateScrollState();
    if (top_ != old)
        Invalidate();
}

void TCustomListBox::EnsureVisible(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (columns_ > 0) {
        const int rows = VisibleRows();
        const int column = index / rows, first = top_ / rows;
        if (column < first)
            SetTop(column * rows);
        else if (column >= first + columns_)
            SetTop((column - columns_ + 1) * rows);
        return;
    }
    if (index < top_) {
        SetTop(index);
        return;
    }
    while (index >= top_ + VisibleRows() && top_ < index)
        SetTop(top_ + 1);
}

void TCustomListBox::BoundsChanged()
{
    TWinControl::BoundsChanged();
    UpdateScrollState();
}

// Selection.

void TCustomListBox::SetCaret(int index)
{
    if (index == caret_)
        return;
    InvalidateRow(caret_);
    caret_ = index;
    InvalidateRow(caret_);
}

void TCustomListBox::SelectOnly(int index)
{
    for (int i = 0; i < Count(); ++i) {
        const bool want = i == index;
        if (rows_[std::size_t(i)].Selected != want) {
            rows_[std::size_t(i)].Selected = want;
            InvalidateRow(i);
        }
    }
}

void TCustomListBox::SelectRange(int first, int last, bool value)
{
    if (first > last)
        std::swap(first, last);
    first = std::max(first, 0);
    last = std::min(last, Count() - 1);
    for (int i = first; i <= last; ++i) {
        rows_[std::size_t(i)].Selected = value;
        InvalidateRow(i);
    }
}

void TCustomListBox::Notify(WORD code)
{
    NotifyCommand(*this, code);
}

void TCustomListBox::NotifySelChange()
{
    Notify(LBN_SELCHANGE);
}

void TCustomListBox::InvalidateRow(int index)
{
    if (index < 0 || index >= Count() || !HandleAllocated())
        return;
    const TRect r = ItemRect(index);
    InvalidateRect(Handle(), &r, 1);
}

// Items.

int TCustomListBox::InsertRow(int index, std::string text)
{
    if (index < 0 || index > Count())
        index = Count();
    TRow row;
    row.Text = std::move(text);
    rows_.insert(rows_.begin() + index, std::move(row));
    if (caret_ >= index)
        ++caret_;
    if (anchor_ >= index)
        ++anchor_;
    if (style_ == lbOwnerDrawVariable) {
        int height = itemHeight_;
        MEASUREITEMSTRUCT measure;
        measure.CtlType = ODT_LISTBOX;
        measure.itemID = UINT(index);
        measure.itemHeight = UINT(height);
        Perform(CN_MEASUREITEM, 0, ToLParam(&measure));
        rows_[std::size_t(index)].Height = std::max(1, int(measure.itemHeight));
    }
    UpdateScrollState();
    Invalidate();
    return index;
}

int TCustomListBox::FindString(int start, std::string_view text, bool exact) const
{
    const int found = FindItemByText(Count(), start, text, exact, [this](int i) { return rows_[std::size_t(i)].Text; });
    return found >= 0 ? found : int(LB_ERR);
}

bool TCustomListBox::HandleListMessage(TMessage& message)
{
    const WPARAM w = message.WParam;
    const LPARAM l = message.LParam;
    LRESULT& result = message.Result;
    const int index = int(w);
    const bool valid = index >= 0 && index < Count();
    auto text = [&] { return std::string(l ? FromLParam<const char>(l) : ""); };
    switch (message.Msg) {
    case LB_ADDSTRING: {
        std::string s = text();
        int at = Count();
        if (sorted_) {
            at = 0;
            while (at < Count() && CompareText(rows_[std::size_t(at)].Text, s) <= 0)
                ++at;
        }
        result = InsertRow(at, std::move(s));
        return true;
    }
    case LB_INSERTSTRING: result = index > Count() ? LB_ERR : InsertRow(index, text()); return true;
    case LB_DELETESTRING:
        if (!valid) {
            result = LB_ERR;
            return true;
        }
        rows_.erase(rows_.begin() + index);
        if (caret_ > index || caret_ >= Count())
            --caret_;
        if (anchor_ > index || anchor_ >= Count())
            --anchor_;
        UpdateScrollState();
        Invalidate();
        result = Count();
        return true;
    case LB_RESETCONTENT:
        rows_.clear();
        caret_ = anchor_ = -1;
        top_ = 0;
        UpdateScrollState();
        Invalidate();
        return true;
    case LB_GETCOUNT: result = Count(); return true;
    case LB_GETTEXT:
        if (!valid) {
            result = LB_ERR;
            return true;
        }
        if (l)
            std::memcpy(FromLParam<char>(l), rows_[std::size_t(index)].Text.c_str(),
                        rows_[std::size_t(index)].Text.size() + 1);
        result = LRESULT(rows_[std::size_t(index)].Text.size());
        return true;
    case LB_GETTEXTLEN: result = valid ? LRESULT(rows_[std::size_t(index)].Text.size()) : LB_ERR; return true;
    case LB_GETITEMDATA: result = valid ? LRESULT(rows_[std::size_t(index)].Data) : LB_ERR; return true;
    case LB_SETITEMDATA:
        if (valid)
            rows_[std::size_t(index)].Data = ULONG_PTR(l);
        result = valid ? LB_OKAY : LB_ERR;
        return true;
    case LB_SETCURSEL:
        if (multiSelect_) {
            result = LB_ERR;
            return true;
        }
        SelectOnly(valid ? index : -1);
        SetCaret(valid ? index : -1);
        EnsureVisible(index);
        result = valid ? index : LB_ERR;
        return true;
    case LB_GETCURSEL:
        result = multiSelect_
                     ? caret_
                     : (caret_ >= 0 && caret_ < Count() && rows_[std::size_t(caret_)].Selected ? caret_ : LB_ERR);
        return true;
    case LB_SETSEL: {
        const int item = int(l);
        if (!multiSelect_ || item >= Count() || item < -1) {
            result = LB_ERR;
            return true;
        }
        if (item == -1)
            SelectRange(0, Count() - 1, w != 0);
        else
            SelectRange(item, item, w != 0);
        return true;
    }
    case LB_GETSEL: result = valid ? LRESULT(rows_[std::size_t(index)].Selected) : LB_ERR; return true;
    case LB_GETSELCOUNT:
        result = std::count_if(rows_.begin(), rows_.end(), [](const TRow& r) { return r.Selected; });
        if (!multiSelect_)
            result = LB_ERR;
        return true;
    case LB_GETSELITEMS: {
        int* out = FromLParam<int>(l);
        int n = 0;
        for (int i = 0; i < Count() && n < int(w) && out; ++i)
            if (rows_[std::size_t(i)].Selected)
                out[n++] = i;
        result = multiSelect_ ? n : LB_ERR;
        return true;
    }
    case LB_SELITEMRANGE:
        if (!multiSelect_) {
            result = LB_ERR;
            return true;
        }
        SelectRange(LOWORD(ULONG_PTR(l)), HIWORD(ULONG_PTR(l)), w != 0);
        return true;
    case LB_SELECTSTRING: {
        const int found = FindString(index, text(), false);
        if (found >= 0 && !multiSelect_) {
            SelectOnly(found);
            SetCaret(found);
            EnsureVisible(found);
        }
        result = multiSelect_ ? LB_ERR : found;
        return true;
    }
    case LB_FINDSTRING: result = FindString(index, text(), false); return true;
    case LB_FINDSTRINGEXACT: result = FindString(index, text(), true); return true;
    case LB_GETTOPINDEX: result = top_; return true;
    case LB_SETTOPINDEX:
        if (index < 0 || (index >= Count() && Count() > 0)) {
            result = LB_ERR;
            return true;
        }
        SetTop(index);
        return true;
    case LB_SETTABSTOPS: {
        const int* stops = FromLParam<const int>(l);
        tabStops_.assign(stops && w ? stops : nullptr, stops && w ? stops + w : nullptr);
        Invalidate();
        result = 1;
        return true;
    }
    case LB_GETITEMRECT: {
        if (index < 0 || (index >= Count() && index != 0) || !l) {
            result = LB_ERR;
            return true;
        }
        const int y = RowTop(index);
        *FromLParam<RECT>(l) = columns_ > 0 ? ColumnItemRect(index) : Rect(0, y, ClientWidth(), y + RowHeight(index));
        result = 1;
        return true;
    }
    case LB_SETANCHORINDEX:
        anchor_ = valid ? index : anchor_;
        result = valid ? 0 : LB_ERR;
        return true;
    case LB_GETANCHORINDEX: result = anchor_; return true;
    case LB_SETCARETINDEX:
        if (!valid) {
            result = LB_ERR;
            return true;
        }
        SetCaret(index);
        EnsureVisible(index);
        return true;
    case LB_GETCARETINDEX: result = caret_ < 0 && Count() > 0 ? 0 : caret_; return true;
    case LB_SETITEMHEIGHT: {
        const int height = LOWORD(ULONG_PTR(l));
        if (height <= 0 || height > 255) {
            result = LB_ERR;
            return true;
        }
        if (style_ == lbOwnerDrawVariable) {
            if (!valid) {
                result = LB_ERR;
                return true;
            }
            rows_[std::size_t(index)].Height = height;
        } else {
            itemHeight_ = height;
        }
        UpdateScrollState();
        Invalidate();
        return true;
    }
    case LB_GETITEMHEIGHT:
        result = style_ == lbOwnerDrawVariable && valid ? RowHeight(index) : ItemHeight();
        return true;
    case LB_ITEMFROMPOINT: {
        const TPoint p = PointFromLParam(l);
        if (columns_ > 0) {
            bool outside = false;
            const int item = ColumnItemAt(p, outside);
            result = MAKELRESULT(item, outside ? 1 : 0);
            return true;
        }
        const bool outside = !ClientRect().Contains(p);
        int y = 0, i = top_;
        if (p.Y >= 0) {
            while (i < Count() && y + RowHeight(i) <= p.Y) {
                y += RowHeight(i);
                ++i;
            }
        }
        const int item = Count() == 0 ? 0 : std::min(i, Count() - 1);
        result = MAKELRESULT(item, outside || i >= Count() ? 1 : 0);
        return true;
    }
    default: return false;
    }
}

void TCustomListBox::DefaultHandler(TMessage& message)
{
    if (HandleListMessage(message) || input_->Handle(message))
        return;
    switch (message.Msg) {
    case CN_COMMAND:
        if (HIWORD(message.WParam) == LBN_SELCHANGE)
            Click();
        else if (HIWORD(message.WParam) == LBN_DBLCLK)
            DblClick();
        return;
    case CN_MEASUREITEM: {
        auto* measure = FromLParam<MEASUREITEMSTRUCT>(message.LParam);
        if (!measure)
            return;
        int height = int(measure->itemHeight);
        MeasureItem(int(measure->itemID), height);
        measure->itemHeight = UINT(std::max(1, height));
        return;
    }
    case CN_DRAWITEM: {
        const auto* draw = FromLParam<DRAWITEMSTRUCT>(message.LParam);
        if (!draw || !draw->hDC)
            return;
        TOwnerDrawState state;
        if (draw->itemState & ODS_SELECTED)
            state.Include(odSelected);
        if (draw->itemState & ODS_FOCUS)
            state.Include(odFocused);
        if (draw->itemState & ODS_DISABLED)
            state.Include(odDisabled);
        PaintOnCanvas(*canvas_, draw->hDC, [&] {
            canvas_->SetFont(Font());
            canvas_->Brush()->SetColor(Color());
            if (state.Contains(odSelected)) {
                canvas_->Brush()->SetColor(clHighlight);
                canvas_->Font()->SetColor(clHighlightText);
            }
            DrawItem(int(draw->itemID), draw->rcItem, state);
            if (state.Contains(odFocused))
                canvas_->DrawFocusRect(draw->rcItem);
        });
        message.Result = 1;
        return;
    }
    default: break;
    }
    TWinControl::DefaultHandler(message);
}

void TCustomListBox::MeasureItem(int index, int& height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, index, height);
}

} // namespace tovrel
