#pragma once
// Where the items of a list view sit outside report mode: equal cells
// filled left to right, then down (icon and small-icon views), or filled
// top to bottom, then the next column (list view). Coordinates are those of
// the whole arranged area, before the view's scroll offset.
#include "platform/rtl/Types.h"

#include <utility>

namespace tovrel {

class TListViewLayout {
public:
    TListViewLayout() = default;
    // `perLine`: cells across a row (rows first) or down a column (columns first).
    TListViewLayout(bool columnsFirst, int count, TSize cell, int perLine);

    int Count() const { return count_; }
    TSize Cell() const { return cell_; }
    int PerLine() const { return perLine_; }
    // Rows of a grid, columns of a list.
    int Lines() const;
    TRect CellRect(int index) const;
    // The cell under `p`; -1 past the items.
    int IndexAt(TPoint p) const;
    // The size of the arranged area.
    TSize Extent() const;
    // The first and last index of the cells meeting `area` (last < first: none).
    std::pair<int, int> IndexesIn(const TRect& area) const;
    // The item `dx` cells across and `dy` cells down from `index`. Steps along
    // a line run on into the next line; steps across lines stop at the first
    // line, and at the last item.
    int Neighbour(int index, int dx, int dy) const;

private:
    bool columnsFirst_ = false;
    int count_ = 0;
    TSize cell_{1, 1};
    int perLine_ = 1;
};

} // namespace tovrel
