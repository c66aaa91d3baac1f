// The tree view's scroll states: rows up and down, pixels sideways.
#include "platform/ctrls/TreeView.h"

#include "platform/ctrls/TextMeasure.h"

#include <algorithm>

namespace tovrel {

TScrollState* TCustomTreeView::ScrollStateOf(int bar)
{
    return bar == SB_VERT ? &vertical_ : bar == SB_HORZ ? &horizontal_ : nullptr;
}

void TCustomTreeView::ScrollStateChanged(int bar)
{
    if (bar == SB_VERT)
        SetTop(vertical_.Pos());
    else if (bar == SB_HORZ)
        SetLeft(horizontal_.Pos());
}

int TCustomTreeView::ContentWidth()
{
    const auto& rows = Rows(); // a new list of rows is measured again
    if (contentWidth_ < 0) {
        const TTextMeasure measure(*Font());
        contentWidth_ = 0;
        for (const TTreeNode* node : rows)
            contentWidth_ = std::max(contentWidth_, NodeLayout(node, measure).labelRight + left_);
    }
    return contentWidth_;
}

void TCustomTreeView::UpdateScrollState()
{
    const int count = int(Rows().size());
    const int page = VisibleCount();
    top_ = std::clamp(top_, 0, std::max(0, count - page));
    if (updateCount_ > 0)
        return; // written by the last EndUpdate
    vertical_.SetRange(0, std::max(0, count - 1));
    vertical_.SetPage(std::min(page, count));
    vertical_.SetVisible(count > page);
    vertical_.SetPos(top_);

    const int width = ContentWidth(), clientWidth = std::max(0, ClientWidth());
    left_ = std::clamp(left_, 0, std::max(0, width - clientWidth));
    horizontal_.SetRange(0, std::max(0, width - 1));
    horizontal_.SetPage(clientWidth);
    horizontal_.SetVisible(width > clientWidth);
    horizontal_.SetPos(left_);
}

void TCustomTreeView::ScrollTo(int& offset, int value)
{
    const int old = offset;
    offset = value;
    UpdateScrollState(); // clamps it
    if (offset != old)
        Invalidate();
}

void TCustomTreeView::SetTop(int row)
{
    ScrollTo(top_, row);
}

void TCustomTreeView::SetLeft(int x)
{
    ScrollTo(left_, x);
}

} // namespace tovrel
