#include "platform/ctrls/ListViewLayout.h"

#include <algorithm>
#include <climits>

namespace tovrel {

namespace {

// Pixel positions saturate rather than wrap for absurd item counts.
int Saturated(long long value)
{
    return int(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

TListViewLayout::TListViewLayout(bool columnsFirst, int count, TSize cell, int perLine)
    : columnsFirst_(columnsFirst), count_(std::max(0, count)), cell_{std::max(1, cell.cx), std::max(1, cell.cy)},
      perLine_(std::max(1, perLine))
{}

int TListViewLayout::Lines() const
{
    return (count_ + perLine_ - 1) / perLine_;
}

TRect TListViewLayout::CellRect(int index) const
{
    const int line = index / perLine_, place = index % perLine_;
    const int column = columnsFirst_ ? line : place, row = columnsFirst_ ? place : line;
    const int left = Saturated(1LL * column * cell_.cx), top = Saturated(1LL * row * cell_.cy);
    return Rect(left, top, Saturated(1LL * left + cell_.cx), Saturated(1LL * top + cell_.cy));
}

int TListViewLayout::IndexAt(TPoint p) const
{
    if (p.X < 0 || p.Y < 0)
        return -1;
    const int column = p.X / cell_.cx, row = p.Y / cell_.cy;
    const int place = columnsFirst_ ? row : column, line = columnsFirst_ ? column : row;
    if (place >= perLine_)
        return -1;
    const long long index = 1LL * line * perLine_ + place;
    return index < count_ ? int(index) : -1;
}

TSize TListViewLayout::Extent() const
{
    const int across = count_ == 0 ? 0 : columnsFirst_ ? Lines() : std::min(count_, perLine_);
    const int down = count_ == 0 ? 0 : columnsFirst_ ? std::min(count_, perLine_) : Lines();
    return TSize{Saturated(1LL * across * cell_.cx), Saturated(1LL * down * cell_.cy)};
}

std::pair<int, int> TListViewLayout::IndexesIn(const TRect& area) const
{
    if (count_ == 0 || area.IsEmpty())
        return {0, -1};
    // Whole lines meeting the area: rows of a grid, columns of a list.
    const int from = columnsFirst_ ? area.Left : area.Top, to = columnsFirst_ ? area.Right : area.Bottom;
    const int size = columnsFirst_ ? cell_.cx : cell_.cy;
    const int firstLine = std::max(0, from / size), lastLine = std::min(Lines() - 1, std::max(0, to - 1) / size);
    if (to <= 0 || lastLine < firstLine)
        return {0, -1};
    const long long first = 1LL * firstLine * perLine_;
    const long long last = std::min<long long>(count_ - 1, (lastLine + 1LL) * perLine_ - 1);
    return {int(first), int(last)};
}

int TListViewLayout::Neighbour(int index, int dx, int dy) const
{
    if (count_ == 0)
        return -1;
    const long long along = columnsFirst_ ? dy : dx, across = columnsFirst_ ? dx : dy;
    const long long target = index + along + across * perLine_;
    if (target >= 0 && target < count_)
        return int(target);
    // Past the first line nothing moves; past the last the move ends on the
    // last item when that lies on a later line.
    if (across != 0 && (target < 0 || (count_ - 1) / perLine_ == index / perLine_))
        return index;
    return int(std::clamp<long long>(target, 0, count_ - 1));
}

} // namespace tovrel
