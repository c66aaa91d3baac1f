#include "platform/ctrls/ListView.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/ctrls/Header.h"
#include "platform/ctrls/ListViewInput.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/vcl/Errors.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"

#include <algorithm>

namespace tovrel {

namespace {

// Inserts or updates the column's header section.
void SendColumn(HWND header, UINT message, const TListColumn& column)
{
    if (!header)
        return;
    const TAlignment alignment = column.Alignment();
    HDITEM item;
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    std::string text = column.Caption();
    item.pszText = text.data();
    item.cxy = column.Width();
    item.fmt = alignment == taRightJustify ? HDF_RIGHT : alignment == taCenter ? HDF_CENTER : HDF_LEFT;
    SendMessage(header, message, WPARAM(column.Index()), ToLParam(&item));
}

} // namespace

TCustomListView::TCustomListView(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListItems>(*this)), columns_(std::make_unique<TListColumns>(*this)),
      input_(std::make_unique<TListViewInput>(*this)), canvas_(std::make_unique<TControlCanvas>(*this))
{
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetColor(clWindow);
    ControlStyle.Exclude(csClickEvents); // clicks come from NM_CLICK
    ControlStyle.Exclude(csCaptureMouse);
    ControlStyle.Include(csDoubleClicks);
}

TCanvas* TCustomListView::Canvas()
{
    canvas_->SetFont(Font());
    return canvas_.get();
}

TCustomListView::~TCustomListView()
{
    Destroying();
    DestroyHandle();
}

void TCustomListView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= WindowStyleBits() | WS_CLIPCHILDREN;
    if (!multiSelect_)
        params.Style |= LVS_SINGLESEL;
    if (!HideSelection)
        params.Style |= LVS_SHOWSELALWAYS;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListView::CreateWnd()
{
    TWinControl::CreateWnd();
    header_ = CreateHeaderWindow(Handle(), 0);
    if (!columnClick_)
        SetColumnClick(false);
    RebuildHeader();
    LayoutHeader();
    UpdateScrollState();
}

void TCustomListView::DestroyWnd()
{
    header_ = nullptr; // goes with its parent
    TWinControl::DestroyWnd();
}

void TCustomListView::SetColumnClick(bool value)
{
    columnClick_ = value;
    if (header_) {
        const LONG_PTR style = GetWindowLong(header_, GWL_STYLE);
        SetWindowLong(header_, GWL_STYLE, value ? style | LONG_PTR(HDS_BUTTONS) : style & ~LONG_PTR(HDS_BUTTONS));
    }
}

void TCustomListView::SetRowSelect(bool value)
{
    Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, value ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::SetGridLines(bool value)
{
    Perform(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, value ? LVS_EX_GRIDLINES : 0);
}

void TCustomListView::SetSmallImages(TCustomImageList* images)
{
    smallImages_ = images;
    ItemsChanged();
}

int TCustomListView::FirstIndexWith(UINT state) const
{
    for (int i = 0; i < items_->Count(); ++i)
        if (items_->State(i) & state)
            return i;
    return -1;
}

int TCustomListView::FocusedIndex() const
{
    return FirstIndexWith(LVIS_FOCUSED);
}

TListItem* TCustomListView::Selected() const
{
    const int index = ItemIndex();
    return index >= 0 ? items_->Item(index) : nullptr;
}

int TCustomListView::ItemIndex() const
{
    return FirstIndexWith(LVIS_SELECTED);
}

void TCustomListView::SetItemIndex(int index)
{
    if (index < -1 || index >= items_->Count())
        ListIndexError(index);
    SelectOnly(index);
}

void TCustomListView::SetSelected(TListItem* item)
{
    if (item)
        SelectOnly(item->Index());
    else
        for (int i = 0; i < items_->Count(); ++i)
            SetItemState(i, LVIS_SELECTED, 0);
}

TListItem* TCustomListView::ItemFocused() const
{
    const int index = FocusedIndex();
    return index >= 0 ? items_->Item(index) : nullptr;
}

int TCustomListView::SelCount() const
{
    int count = 0;
    for (int i = 0; i < items_->Count(); ++i)
        count += (items_->State(i) & LVIS_SELECTED) != 0;
    return count;
}

TListItem* TCustomListView::TopItem() const
{
    // The icon views have no top item.
    const int top = viewStyle_ == vsReport ? top_ : viewStyle_ == vsList ? firstColumn_ * layout_.PerLine() : -1;
    return top >= 0 && top < items_->Count() ? items_->Item(top) : nullptr;
}

int TCustomListView::RowHeight()
{
    const int text = TTextMeasure(*Font()).LineHeight() + 3;
    return std::max(text, smallImages_ ? smallImages_->Height() + 1 : 0);
}

int TCustomListView::HeaderHeight()
{
    if (!header_ || !HeaderShown())
        return 0;
    RECT r;
    GetClientRect(header_, &r);
    return r.Bottom;
}

int TCustomListView::VisibleRowCount()
{
    return std::max(1, (ClientHeight() - HeaderHeight()) / std::max(1, RowHeight()));
}

int TCustomListView::TotalColumnWidth() const
{
    int width = 0;
    for (int i = 0; i < columns_->Count(); ++i)
        width += columns_->Items(i)->Width();
    return width;
}

void TCustomListView::LayoutHeader()
{
    if (!header_)
        return;
    const int height = TTextMeasure(*Font()).LineHeight() + 7;
    const UINT show = HeaderShown() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW;
    SetWindowPos(header_, nullptr, -scrollX_, 0, ClientWidth() + scrollX_, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | show);
}

void TCustomListView::BoundsChanged()
{
    TWinControl::BoundsChanged();
    if (IconOptions.AutoArrange)
        rearrange_ = true;
    LayoutHeader();
    UpdateScrollState();
}

TScrollState* TCustomListView::ScrollStateOf(int bar)
{
    if (InCells())
        Layout();
    return bar == SB_VERT ? &vertical_ : bar == SB_HORZ ? &horizontal_ : nullptr;
}

void TCustomListView::ScrollStateChanged(int bar)
{
    if (InCells())
        SetCellScroll(horizontal_.Pos(), vertical_.Pos());
    else if (bar == SB_VERT)
        SetTop(vertical_.Pos());
    else
        SetScrollX(horizontal_.Pos());
}

void TCustomListView::UpdateScrollState()
{
    if (updateCount_ > 0)
        return; // written by the last EndUpdate
    if (InCells()) {
        layoutDirty_ = true; // worked out when next asked for
        return;
    }
    const int count = items_->Count();
    const int page = VisibleRowCount();
    vertical_.SetRange(0, std::max(0, count - 1));
    vertical_.SetPage(std::min(page, count));
    vertical_.SetVisible(count > page);
    top_ = std::clamp(top_, 0, std::max(0, count - page));
    vertical_.SetPos(top_);
    const int total = TotalColumnWidth();
    horizontal_.SetRange(0, std::max(0, total - 1));
    horizontal_.SetPage(std::min(ClientWidth(), total));
    horizontal_.SetVisible(total > ClientWidth());
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, total - ClientWidth()));
    horizontal_.SetPos(scrollX_);
}

void TCustomListView::SetTop(int row)
{
    const int old = top_;
    top_ = row;
    UpdateScrollState();
    if (top_ != old)
        Invalidate();
}

void TCustomListView::SetScrollX(int x)
{
    const int old = scrollX_;
    scrollX_ = x;
    UpdateScrollState();
    if (scrollX_ != old) {
        LayoutHeader();
        Invalidate();
    }
}

void TCustomListView::EnsureVisible(int index, bool partialOK)
{
    if (index < 0 || index >= items_->Count())
        return;
    if (partialOK) {
        const TRect r = InCells() ? ItemPartRect(index, LVIR_BOUNDS) : RowRect(index);
        if (r.Bottom > HeaderHeight() && r.Top < ClientHeight() && r.Right > 0 && r.Left < ClientWidth())
            return;
    }
    if (InCells()) {
        EnsureCellVisible(index);
        return;
    }
    if (index < top_)
        SetTop(index);
    else if (index >= top_ + VisibleRowCount())
        SetTop(index - VisibleRowCount() + 1);
}

void TCustomListView::ItemsChanged()
{
    if (ComponentState().Contains(csDestroying))
        return;
    captionWidth_ = -1;
    rearrange_ = true;
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::Invalidate()
{
    if (updateCount_ == 0)
        TWinControl::Invalidate();
}

void TCustomListView::BeginUpdate()
{
    ++updateCount_;
}

void TCustomListView::EndUpdate()
{
    if (updateCount_ == 0 || --updateCount_ > 0)
        return;
    ItemsChanged();
}

void TCustomListView::RebuildHeader()
{
    if (!header_)
        return;
    for (int n = int(SendMessage(header_, HDM_GETITEMCOUNT, 0, 0)); n > 0; --n)
        SendMessage(header_, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < columns_->Count(); ++i)
        SendColumn(header_, HDM_INSERTITEMW, *columns_->Items(i));
}

void TCustomListView::ColumnAdded(TListColumn& column)
{
    if (columns_->Updating())
        return;
    SendColumn(header_, HDM_INSERTITEMW, column);
    ItemsChanged();
}

void TCustomListView::ColumnChanged(TListColumn& column)
{
    if (columns_->Updating())
        return;
    SendColumn(header_, HDM_SETITEMW, column);
    ItemsChanged();
}

void TCustomListView::ColumnDeleted(int index)
{
    // The column's texts go with it, so each later column keeps its own; the
    // last column leaves the captions (nothing follows them).
    if (!OwnerData() && columns_->Count() > 0) {
        BeginUpdate();
        for (int i = 0; i < items_->Count(); ++i) {
            TListItem& item = *items_->Item(i);
            TStrings& subItems = *item.SubItems();
            if (index == 0)
                item.caption_ = subItems.Count() > 0 ? subItems.Strings(0) : std::string();
            const int texts = index == 0 ? 0 : index - 1;
            if (texts < subItems.Count())
                subItems.Delete(texts);
        }
        EndUpdate();
    }
    if (columns_->Updating())
        return;
    if (header_)
        SendMessage(header_, HDM_DELETEITEM, WPARAM(index), 0);
    ItemsChanged();
}

void TCustomListView::ColumnsUpdated()
{
    RebuildHeader();
    ItemsChanged();
}

LRESULT TCustomListView::SendNotify(int code, int item, TPoint at)
{
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.ptAction = at;
    return SendReflectedNotify(*this, code, nm.hdr);
}

LRESULT TCustomListView::SendStateNotify(int code, int item, UINT oldState, UINT newState)
{
    NMLISTVIEW nm;
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = LVIF_STATE;
    return SendReflectedNotify(*this, code, nm.hdr);
}

void TCustomListView::SendColumnClick(int column)
{
    NMLISTVIEW nm;
    nm.iSubItem = column;
    SendReflectedNotify(*this, LVN_COLUMNCLICK, nm.hdr);
}

UINT TCustomListView::ItemState(int index, UINT mask) const
{
    return items_->State(index) & mask;
}

bool TCustomListView::SetItemState(int index, UINT mask, UINT state)
{
    if (index < 0 || index >= items_->Count())
        return false;
    const UINT old = items_->State(index);
    const UINT now = (old & ~mask) | (state & mask);
    if (now == old)
        return true;
    if (SendStateNotify(LVN_ITEMCHANGING, index, old, now) != 0)
        return false;
    // Only one item holds the focus.
    if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED))
        for (int i = 0; i < items_->Count(); ++i)
            if (i != index && (items_->State(i) & LVIS_FOCUSED))
                SetItemState(i, LVIS_FOCUSED, 0);
    items_->SetState(index, now);
    Invalidate();
    SendStateNotify(LVN_ITEMCHANGED, index, old, now);
    return true;
}

void TCustomListView::SelectOnly(int index)
{
    for (int i = 0; i < items_->Count(); ++i)
        if (i != index && ItemState(i, LVIS_SELECTED | LVIS_FOCUSED))
            SetItemState(i, LVIS_SELECTED | (index >= 0 ? LVIS_FOCUSED : 0), 0);
    if (index >= 0)
        SetItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EnsureVisible(index);
}

TRect TCustomListView::RowRect(int index)
{
    const int y = HeaderHeight() + (index - top_) * RowHeight();
    return Rect(-scrollX_, y, std::max(ClientWidth(), TotalColumnWidth() - scrollX_), y + RowHeight());
}

TRect TCustomListView::CellRect(int index, int column)
{
    const TRect row = RowRect(index);
    RECT r{};
    if (header_)
        SendMessage(header_, HDM_GETITEMRECT, WPARAM(column), ToLParam(&r));
    return Rect(r.Left - scrollX_, row.Top, r.Right - scrollX_, row.Bottom);
}

int TCustomListView::HitTest(TPoint p, bool wholeRow)
{
    if (InCells())
        return CellHitTest(p);
    if (p.Y < HeaderHeight() || p.Y >= ClientHeight())
        return -1;
    const int index = top_ + (p.Y - HeaderHeight()) / std::max(1, RowHeight());
    if (index >= items_->Count())
        return -1;
    const TRect row = RowRect(index);
    if (wholeRow)
        return p.X < row.Left + TotalColumnWidth() ? index : -1;
    const TRect first = columns_->Count() ? CellRect(index, 0) : Rect(0, 0, 0, 0);
    return p.X >= first.Left && p.X < first.Right ? index : -1;
}

TListItem* TCustomListView::GetItemAt(int x, int y)
{
    const int index = HitTest(Point(x, y), RowSelect());
    return index >= 0 ? items_->Item(index) : nullptr;
}

void TCustomListView::HeaderNotified(NMHDR& header)
{
    auto& nm = reinterpret_cast<NMHEADER&>(header);
    TListColumn* column = nm.iItem >= 0 && nm.iItem < columns_->Count() ? columns_->Items(nm.iItem) : nullptr;
    switch (header.code) {
    case HDN_TRACKW:
    case HDN_ITEMCHANGINGW:
        // A dragged divider stops at the column's limits.
        if (column)
            nm.cxy = column->ClampWidth(nm.cxy);
        break;
    case HDN_ITEMCHANGEDW:
        if (column) {
            column->width_ = column->ClampWidth(nm.cxy);
            ItemsChanged();
        }
        break;
    case HDN_ITEMCLICKW: SendColumnClick(nm.iItem); break;
    default: break;
    }
}

} // namespace tovrel
