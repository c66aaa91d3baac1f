// Painting the tree view: lines, buttons, images and captions row by row.
#include "platform/ctrls/TreeView.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/CustomControls.h"
#include "platform/wm/Input.h"

namespace tovrel {

namespace {

void DrawImage(HDC dc, TCustomImageList& list, int x, int rowTop, int rowHeight, int index)
{
    TCanvas canvas;
    PaintOnCanvas(canvas, dc, [&] { list.Draw(&canvas, x, rowTop + (rowHeight - list.Height()) / 2, index); });
}

} // namespace

void TCustomTreeView::PaintWindow(HDC dc)
{
    const auto& rows = Rows();
    const int last = std::min(int(rows.size()) - 1, top_ + VisibleCount());
    for (int row = top_; row <= last; ++row)
        PaintNode(dc, rows[std::size_t(row)], row);
}

void TCustomTreeView::PaintButton(HDC dc, const TTreeNode* node, int cx, int cy)
{
    // A 9-pixel box with a minus, and the plus's upright bar when collapsed.
    RECT box = Rect(cx - 4, cy - 4, cx + 5, cy + 5);
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &box, GetSysColorBrush(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, cx - 2, cy, nullptr);
    LineTo(dc, cx + 3, cy);
    if (!node->Expanded()) {
        MoveToEx(dc, cx, cy - 2, nullptr);
        LineTo(dc, cx, cy + 3);
    }
    SelectObject(dc, old);
}

void TCustomTreeView::PaintNode(HDC dc, TTreeNode* node, int row)
{
    const bool selected = node == selected_;
    GetImageIndex(node);
    if (selected)
        GetSelectedIndex(node);
    const int height = RowHeight();
    const int y = (row - top_) * height;
    const TNodeLayout layout = NodeLayout(node);
    PaintLines(dc, node, y);
    if (HasButton(node))
        PaintButton(dc, node, layout.button, y + height / 2);
    if (HasStateImage(node))
        DrawImage(dc, *windowStateImages_, layout.stateImage, y, height, node->StateIndex());
    if (windowImages_) {
        const int image = selected && node->SelectedIndex >= 0 ? node->SelectedIndex : node->ImageIndex();
        if (image >= 0)
            DrawImage(dc, *windowImages_, layout.image, y, height, image);
    }
    const TRect text = Rect(layout.label, y, layout.labelRight, y + height);
    const bool focused = HandleAllocated() && GetFocus() == Handle();
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    if (selected && (focused || !HideSelection)) {
        HBRUSH brush = CreateSolidBrush(GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
        FillRect(dc, &text, brush);
        DeleteObject(brush);
        SetTextColor(dc, GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
    } else {
        SetTextColor(dc, ColorToRGB(Font()->Color()));
    }
    SetBkMode(dc, TRANSPARENT);
    RECT r = Rect(text.Left + 2, text.Top, text.Right, text.Bottom);
    DrawText(dc, node->Text(), &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (selected && focused) {
        const RECT focus = text;
        DrawFocusRect(dc, &focus);
    }
    SelectObject(dc, oldFont);
}

} // namespace tovrel
