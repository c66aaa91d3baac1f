// The multi-column layout of the list box: items run down a column, then
// on in the next; the top index is the first item of the first column shown.
#include "platform/ctrls/ListBox.h"

#include <algorithm>

namespace tovrel {

void TCustomListBox::SetColumns(int value)
{
    columns_ = std::max(0, value);
    if (columns_ > 0)
        top_ -= top_ % VisibleRows();
    UpdateScrollState();
    Invalidate();
}

int TCustomListBox::ColumnWidth() const
{
    return std::max(1, ClientWidth() / std::max(1, columns_));
}

int TCustomListBox::ColumnCount() const
{
    const int rows = const_cast<TCustomListBox*>(this)->VisibleRows();
    return (Count() + rows - 1) / rows;
}

TRect TCustomListBox::ColumnItemRect(int index) const
{
    const int rows = const_cast<TCustomListBox*>(this)->VisibleRows();
    const int height = ItemHeight();
    const int column = index / rows - top_ / rows, row = index % rows;
    const int width = ColumnWidth();
    return Rect(column * width, row * height, (column + 1) * width, (row + 1) * height);
}

int TCustomListBox::ColumnItemAt(TPoint p, bool& outside) const
{
    const int rows = const_cast<TCustomListBox*>(this)->VisibleRows();
    const int column = std::max(0, p.X) / ColumnWidth();
    const int row = std::max(0, p.Y) / std::max(1, ItemHeight());
    const int index = top_ + column * rows + std::min(row, rows - 1);
    outside = !ClientRect().Contains(p) || row >= rows || index >= Count();
    return Count() == 0 ? 0 : std::min(index, Count() - 1);
}

} // namespace tovrel
