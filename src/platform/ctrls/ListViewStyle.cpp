// The list view's icon, small-icon and list views: cell sizes, item parts,
// hit testing, scroll state and switching between the styles.
#include "platform/ctrls/ListView.h"

#include "platform/ctrls/TextMeasure.h"
#include "platform/wm/Window.h"

#include <algorithm>

namespace tovrel {

namespace {

// The icon view's image area when it has no image list.
constexpr int kDefaultIconSize = 32;
// Room beside a large icon for its caption, and the caption's lines.
constexpr int kIconCellExtraWidth = 44;
constexpr int kIconCaptionLines = 2;
constexpr int kIconGap = 4;
// Text padding inside a label (as in report mode) and the gap between columns.
constexpr int kLabelPadding = 3;
constexpr int kColumnGap = 4;

TSize IconCellSize(TCustomImageList* images, int lineHeight)
{
    const int width = images ? images->Width() : kDefaultIconSize;
    const int height = images ? images->Height() : kDefaultIconSize;
    return TSize{width + kIconCellExtraWidth, kIconGap + height + kIconGap + kIconCaptionLines * lineHeight + kIconGap};
}

} // namespace

DWORD TCustomListView::WindowStyleBits() const
{
    const DWORD view = viewStyle_ == vsIcon        ? LVS_ICON
                       : viewStyle_ == vsSmallIcon ? LVS_SMALLICON
                       : viewStyle_ == vsList      ? LVS_LIST
                                                   : LVS_REPORT;
    return view | (showColumnHeaders_ ? 0 : LVS_NOCOLUMNHEADER);
}

void TCustomListView::StyleChanged()
{
    // The window's style follows, for whoever reads it.
    if (HandleAllocated()) {
        const LONG_PTR mask = LVS_TYPEMASK | LVS_NOCOLUMNHEADER;
        SetWindowLong(Handle(), GWL_STYLE, (GetWindowLong(Handle(), GWL_STYLE) & ~mask) | LONG_PTR(WindowStyleBits()));
    }
    LayoutHeader();
    UpdateScrollState();
    Invalidate();
}

void TCustomListView::SetViewStyle(TViewStyle value)
{
    if (value == viewStyle_)
        return;
    EndLabelEdit(true);
    viewStyle_ = value;
    top_ = scrollX_ = scrollY_ = firstColumn_ = 0;
    layoutDirty_ = rearrange_ = true;
    StyleChanged();
}

void TCustomListView::SetShowColumnHeaders(bool value)
{
    if (value == showColumnHeaders_)
        return;
    showColumnHeaders_ = value;
    StyleChanged();
}

void TCustomListView::SetLargeImages(TCustomImageList* images)
{
    largeImages_ = images;
    ItemsChanged();
}

int TCustomListView::CaptionColumnWidth()
{
    if (captionWidth_ < 0) {
        TTextMeasure measure(*Font());
        captionWidth_ = 0;
        for (int i = 0; i < items_->Count(); ++i)
            captionWidth_ = std::max(captionWidth_, measure.Width(items_->Item(i)->Caption()));
    }
    const int image = smallImages_ ? smallImages_->Width() + 2 : 0;
    // One column always fits the client area; longer captions are ellipsised.
    return std::min(image + captionWidth_ + 2 * kLabelPadding + kColumnGap, std::max(1, ClientWidth()));
}

TSize TCustomListView::CellSize()
{
    if (viewStyle_ == vsIcon)
        return IconCellSize(largeImages_, TTextMeasure(*Font()).LineHeight());
    return TSize{CaptionColumnWidth(), RowHeight()};
}

const TListViewLayout& TCustomListView::Layout()
{
    if (!layoutDirty_)
        return layout_;
    const TSize cell = CellSize();
    const int count = items_->Count();
    if (viewStyle_ == vsList) {
        layout_ = TListViewLayout(true, count, cell, ClientHeight() / std::max(1, cell.cy));
    } else {
        // Without AutoArrange a resize keeps the cells where they are.
        const int across =
            rearrange_ || layout_.Cell() != cell ? ClientWidth() / std::max(1, cell.cx) : layout_.PerLine();
        layout_ = TListViewLayout(false, count, cell, across);
    }
    layoutDirty_ = false;
    // Cells placed before the control had room for one are placed again once it has.
    rearrange_ = viewStyle_ != vsList && ClientWidth() < cell.cx;
    UpdateCellScrollState();
    return layout_;
}

TPoint TCustomListView::ScrollOffset() const
{
    return viewStyle_ == vsList ? Point(firstColumn_ * layout_.Cell().cx, 0) : Point(scrollX_, scrollY_);
}

int TCustomListView::CountPerPage()
{
    if (!InCells())
        return VisibleRowCount();
    const TListViewLayout& layout = Layout();
    const int across = ClientWidth() / layout.Cell().cx, down = ClientHeight() / layout.Cell().cy;
    if (viewStyle_ == vsList)
        return std::max(1, std::max(1, across) * layout.PerLine());
    return std::max(1, std::min(across, layout.PerLine()) * down);
}

void TCustomListView::UpdateCellScrollState()
{
    const TSize client{ClientWidth(), ClientHeight()};
    if (viewStyle_ == vsList) {
        const int columns = layout_.Lines();
        const int whole = std::max(1, client.cx / layout_.Cell().cx);
        horizontal_.SetRange(0, std::max(0, columns - 1));
        horizontal_.SetPage(std::min(whole, columns));
        horizontal_.SetVisible(columns > whole);
        firstColumn_ = std::clamp(firstColumn_, 0, std::max(0, columns - whole));
        horizontal_.SetPos(firstColumn_);
        vertical_.SetRange(0, 0);
        vertical_.SetPage(0);
        vertical_.SetVisible(false);
        vertical_.SetPos(0);
        return;
    }
    const TSize extent = layout_.Extent();
    const auto apply = [](TScrollState& state, int& offset, int size, int page) {
        state.SetRange(0, std::max(0, size - 1));
        state.SetPage(std::min(page, size));
        state.SetVisible(size > page);
        offset = std::clamp(offset, 0, std::max(0, size - page));
        state.SetPos(offset);
    };
    apply(horizontal_, scrollX_, extent.cx, client.cx);
    apply(vertical_, scrollY_, extent.cy, client.cy);
}

void TCustomListView::SetCellScroll(int x, int y)
{
    Layout();
    const int oldX = viewStyle_ == vsList ? firstColumn_ : scrollX_, oldY = scrollY_;
    if (viewStyle_ == vsList) {
        firstColumn_ = x;
    } else {
        scrollX_ = x;
        scrollY_ = y;
    }
    UpdateCellScrollState();
    if ((viewStyle_ == vsList ? firstColumn_ : scrollX_) != oldX || scrollY_ != oldY)
        Invalidate();
}

void TCustomListView::EnsureCellVisible(int index)
{
    const TListViewLayout& layout = Layout();
    if (viewStyle_ == vsList) {
        const int column = index / layout.PerLine();
        const int whole = std::max(1, ClientWidth() / layout.Cell().cx);
        if (column < firstColumn_)
            SetCellScroll(column, 0);
        else if (column >= firstColumn_ + whole)
            SetCellScroll(column - whole + 1, 0);
        return;
    }
    const TRect cell = layout.CellRect(index);
    const auto into = [](int offset, int from, int to, int page) {
        if (from < offset)
            return from;
        return to > offset + page ? std::min(from, to - page) : offset;
    };
    SetCellScroll(into(scrollX_, cell.Left, cell.Right, ClientWidth()),
                  into(scrollY_, cell.Top, cell.Bottom, ClientHeight()));
}

TRect TCustomListView::ItemPartRect(int index, int part)
{
    const TListViewLayout& layout = Layout();
    const TPoint offset = ScrollOffset();
    TRect cell = layout.CellRect(index);
    cell = Rect(cell.Left - offset.X, cell.Top - offset.Y, cell.Right - offset.X, cell.Bottom - offset.Y);
    if (part == LVIR_BOUNDS)
        return cell;
    if (viewStyle_ == vsIcon) {
        const int width = largeImages_ ? largeImages_->Width() : kDefaultIconSize;
        const int height = largeImages_ ? largeImages_->Height() : kDefaultIconSize;
        const TRect icon = Bounds(cell.Left + (cell.Width() - width) / 2, cell.Top + kIconGap, width, height);
        if (part == LVIR_ICON)
            return icon;
        return Rect(cell.Left + 2, icon.Bottom + kIconGap, cell.Right - 2, cell.Bottom - kIconGap);
    }
    const int width = smallImages_ ? smallImages_->Width() : 0, height = smallImages_ ? smallImages_->Height() : 0;
    if (part == LVIR_ICON)
        return Bounds(cell.Left + 2, cell.Top + (cell.Height() - height) / 2, width, height);
    return Rect(cell.Left + (smallImages_ ? width + 2 : 0), cell.Top, std::max(cell.Left, cell.Right - kColumnGap),
                cell.Bottom);
}

int TCustomListView::CellHitTest(TPoint p, UINT* flags)
{
    if (flags)
        *flags = LVHT_NOWHERE;
    if (!ClientRect().Contains(p))
        return -1;
    const TListViewLayout& layout = Layout();
    const TPoint offset = ScrollOffset();
    const int index = layout.IndexAt(Point(p.X + offset.X, p.Y + offset.Y));
    if (index < 0)
        return -1;
    const UINT part = ItemPartRect(index, LVIR_ICON).Contains(p)    ? LVHT_ONITEMICON
                      : ItemPartRect(index, LVIR_LABEL).Contains(p) ? LVHT_ONITEMLABEL
                                                                    : 0;
    if (part == 0)
        return -1;
    if (flags)
        *flags = part;
    return index;
}

} // namespace tovrel
