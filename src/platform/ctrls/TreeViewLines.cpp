// The tree view's dotted lines: each node joined to its siblings and its
// parent, and a line through the row for every ancestor with siblings below.
#include "platform/ctrls/TreeView.h"

#include "platform/gdi/Drawing.h"
#include "platform/gdi/SysColors.h"

namespace tovrel {

namespace {

// Every other pixel, on a checkerboard of client coordinates, so the dots of
// lines that meet and of adjacent rows stay in step.
void DottedLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour)
{
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (((x + y) & 1) == 0)
                SetPixelV(dc, x, y, colour);
}

} // namespace

void TCustomTreeView::PaintLines(HDC dc, const TTreeNode* node, int y)
{
    const int height = RowHeight();
    const int middle = y + height / 2;
    const COLORREF colour = GetSysColor(COLOR_GRAYTEXT);
    const int level = node->Level();
    if (LinesAt(level)) {
        const int x = CellMiddle(level);
        // From the parent or the sibling above; on to the sibling below.
        const int top = level > 0 || node->GetPrevSibling() ? y : middle;
        const int bottom = node->GetNextSibling() ? y + height : middle + 1;
        DottedLine(dc, x, top, x + 1, bottom, colour);
        DottedLine(dc, x + 1, middle, NodeLayout(node).stateImage, middle + 1, colour);
    }
    for (const TTreeNode* ancestor = node->Parent(); ancestor && ancestor->Parent(); ancestor = ancestor->Parent())
        if (LinesAt(ancestor->Level()) && ancestor->GetNextSibling()) {
            const int x = CellMiddle(ancestor->Level());
            DottedLine(dc, x, y, x + 1, y + height, colour);
        }
}

} // namespace tovrel
