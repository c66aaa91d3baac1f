// Scrolling and keyboard steps of the list view, per view style: rows in
// report mode, columns in the list view, pixels in the icon views.
#include "platform/ctrls/ListView.h"

#include "platform/wm/Keys.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

constexpr int kWheelLines = 3;

// A request of any size moves at least one step.
int AtLeastOne(int steps, int request)
{
    return steps != 0 || request == 0 ? steps : request > 0 ? 1 : -1;
}

} // namespace

void TCustomListView::ScrollByMessage(bool vertical, WPARAM w)
{
    constexpr int kAll = 0x7FFFFFFF;
    if (viewStyle_ == vsReport) {
        if (vertical)
            SetTop(ScrollRequest(w, top_, 1, VisibleRowCount(), kAll));
        else
            SetScrollX(ScrollRequest(w, scrollX_, 8, ClientWidth(), kAll));
        return;
    }
    const TListViewLayout& layout = Layout();
    if (viewStyle_ == vsList) {
        // This view scrolls sideways only, a column at a time.
        if (!vertical)
            SetCellScroll(ScrollRequest(w, firstColumn_, 1, horizontal_.Page(), kAll), 0);
        return;
    }
    const int line = std::max(1, layout.Cell().cy / 2);
    if (vertical)
        SetCellScroll(scrollX_, ScrollRequest(w, scrollY_, line, ClientHeight(), kAll));
    else
        SetCellScroll(ScrollRequest(w, scrollX_, line, ClientWidth(), kAll), scrollY_);
}

void TCustomListView::ScrollByPixels(int dx, int dy)
{
    if (viewStyle_ == vsReport) {
        if (dy != 0)
            SetTop(top_ + AtLeastOne(dy / std::max(1, RowHeight()), dy));
        if (dx != 0)
            SetScrollX(scrollX_ + dx);
        return;
    }
    const TListViewLayout& layout = Layout();
    if (viewStyle_ == vsList) {
        const int columns = int(std::lround(double(dx) / layout.Cell().cx));
        SetCellScroll(firstColumn_ + AtLeastOne(columns, dx), 0);
        return;
    }
    SetCellScroll(scrollX_ + dx, scrollY_ + dy);
}

void TCustomListView::ScrollByWheel(int notches)
{
    if (viewStyle_ == vsReport)
        SetTop(top_ - kWheelLines * notches);
    else if (viewStyle_ == vsList)
        SetCellScroll(firstColumn_ - notches, 0);
    else
        SetCellScroll(scrollX_, scrollY_ - kWheelLines * notches * std::max(1, Layout().Cell().cy / 2));
}

std::optional<int> TCustomListView::KeyTarget(WORD key, int current)
{
    const int count = items_->Count();
    if (viewStyle_ == vsReport) {
        const int page = std::max(1, VisibleRowCount() - 1);
        switch (key) {
        case VK_UP: return current - 1;
        case VK_DOWN: return current + 1;
        case VK_PRIOR: return current - page;
        case VK_NEXT: return current + page;
        case VK_HOME: return 0;
        case VK_END: return count - 1;
        default: return std::nullopt;
        }
    }
    const TListViewLayout& layout = Layout();
    const int from = std::max(0, current);
    // A page is the whole rows (grids) or whole columns (list) in view.
    const int rows = std::max(1, ClientHeight() / layout.Cell().cy);
    const int columns = std::max(1, ClientWidth() / layout.Cell().cx);
    const bool list = viewStyle_ == vsList;
    // Whole lines at a time; a page before the first line keeps the place in it.
    const auto page = [&](int lines) {
        const long long target = from + 1LL * lines * layout.PerLine();
        return int(target < 0 ? from % layout.PerLine() : std::min<long long>(target, count - 1));
    };
    switch (key) {
    case VK_LEFT: return current < 0 ? 0 : layout.Neighbour(from, -1, 0);
    case VK_RIGHT: return current < 0 ? 0 : layout.Neighbour(from, 1, 0);
    case VK_UP: return current < 0 ? 0 : layout.Neighbour(from, 0, -1);
    case VK_DOWN: return current < 0 ? 0 : layout.Neighbour(from, 0, 1);
    case VK_PRIOR: return page(list ? -columns : -rows);
    case VK_NEXT: return page(list ? columns : rows);
    case VK_HOME: return 0;
    case VK_END: return count - 1;
    default: return std::nullopt;
    }
}

} // namespace tovrel
