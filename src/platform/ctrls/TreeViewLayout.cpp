// Where a tree view row's parts lie, and what lies under a point.
#include "platform/ctrls/TextMeasure.h"
#include "platform/ctrls/TreeView.h"

#include <algorithm>

namespace tovrel {

bool TCustomTreeView::HasButton(const TTreeNode* node) const
{
    return ShowButtons && node->HasChildren() && (ShowRoot || node->Level() > 0);
}

bool TCustomTreeView::HasStateImage(const TTreeNode* node) const
{
    return windowStateImages_ && node->StateIndex() >= 0;
}

TCustomTreeView::TNodeLayout TCustomTreeView::NodeLayout(const TTreeNode* node)
{
    return NodeLayout(node, TTextMeasure(*Font()));
}

TCustomTreeView::TNodeLayout TCustomTreeView::NodeLayout(const TTreeNode* node, const TTextMeasure& measure)
{
    TNodeLayout layout{};
    layout.stateImage = (node->Level() + (ShowRoot ? 1 : 0)) * indent_ - left_;
    layout.indent = layout.stateImage - indent_;
    layout.button = CellMiddle(node->Level());
    layout.image = layout.stateImage + (HasStateImage(node) ? windowStateImages_->Width() : 0);
    layout.label = layout.image + (windowImages_ ? windowImages_->Width() + 2 : 0);
    layout.labelRight = layout.label + measure.Width(node->Text()) + 4;
    return layout;
}

TRect TCustomTreeView::NodeRect(const TTreeNode* node, bool textOnly)
{
    const int row = RowOf(node);
    if (row < 0)
        return Rect(0, 0, 0, 0);
    const int y = (row - top_) * RowHeight();
    if (!textOnly)
        return Rect(0, y, ClientWidth(), y + RowHeight());
    const TNodeLayout layout = NodeLayout(node);
    return Rect(layout.label, y, layout.labelRight, y + RowHeight());
}

TTreeNode* TCustomTreeView::GetNodeAt(int, int y)
{
    if (y < 0)
        return nullptr;
    const auto& rows = Rows();
    const int row = top_ + y / std::max(1, RowHeight());
    return row < int(rows.size()) ? rows[std::size_t(row)] : nullptr;
}

TTreeNode* TCustomTreeView::HitTest(TPoint p, UINT& flags)
{
    flags = 0;
    if (p.Y < 0)
        flags |= TVHT_ABOVE;
    else if (p.Y >= ClientHeight())
        flags |= TVHT_BELOW;
    if (p.X < 0)
        flags |= TVHT_TOLEFT;
    else if (p.X >= ClientWidth())
        flags |= TVHT_TORIGHT;
    if (flags != 0)
        return nullptr;
    TTreeNode* node = GetNodeAt(p.X, p.Y);
    if (!node) {
        flags = TVHT_NOWHERE;
        return nullptr;
    }
    const TNodeLayout layout = NodeLayout(node);
    if (p.X < layout.stateImage)
        flags = p.X >= layout.indent && HasButton(node) ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
    else if (p.X < layout.image)
        flags = TVHT_ONITEMSTATEICON;
    else if (p.X < layout.label)
        flags = TVHT_ONITEMICON;
    else if (p.X < layout.labelRight)
        flags = TVHT_ONITEMLABEL;
    else
        flags = TVHT_ONITEMRIGHT;
    return node;
}

} // namespace tovrel
