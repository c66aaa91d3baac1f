// Painting the list view's rows in report mode.
#include "platform/ctrls/ListView.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/CustomControls.h"
#include "platform/wm/Input.h"
#include "platform/wm/MessageLoop.h"

#include <algorithm>

namespace tovrel {

TCustomListView::TItemLook TCustomListView::LookOf(const TListItem& item)
{
    TItemLook look;
    look.Focused = HandleAllocated() && GetFocus() == Handle();
    look.Highlight = item.Selected() && (look.Focused || !HideSelection);
    look.Back = GetSysColor(look.Focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    look.Text =
        look.Highlight ? GetSysColor(look.Focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT) : ColorToRGB(Font()->Color());
    return look;
}

void TCustomListView::FillHighlight(HDC dc, const TRect& r, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TCustomListView::DrawItemImage(HDC dc, TCustomImageList& images, TPoint at, int index)
{
    // The canvas leaves its own background mode and objects in the DC.
    TSavedDC saved(dc);
    PaintOnCanvas(*canvas_, dc, [&] { images.Draw(canvas_.get(), at.X, at.Y, index, Enabled()); });
}

void TCustomListView::PaintWindow(HDC dc)
{
    if (InCells()) {
        PaintCells(dc);
        return;
    }
    TSavedDC saved(dc);
    IntersectClipRect(dc, 0, HeaderHeight(), ClientWidth(), ClientHeight());
    const int last = std::min(items_->Count() - 1, top_ + VisibleRowCount());
    for (int i = top_; i <= last; ++i)
        PaintRow(dc, i);
    if (GridLines() && header_) {
        HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
        HGDIOBJ oldPen = SelectObject(dc, pen);
        const int rowHeight = RowHeight();
        for (int y = HeaderHeight() + rowHeight - 1; y < ClientHeight(); y += rowHeight) {
            MoveToEx(dc, 0, y, nullptr);
            LineTo(dc, ClientWidth(), y);
        }
        for (int c = 0; c < columns_->Count(); ++c) {
            const int x = CellRect(top_, c).Right - 1;
            MoveToEx(dc, x, HeaderHeight(), nullptr);
            LineTo(dc, x, ClientHeight());
        }
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
}

void TCustomListView::PaintRow(HDC dc, int index)
{
    TListItem& item = *items_->Item(index);
    const TItemLook look = LookOf(item);
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    const int imageWidth = smallImages_ ? smallImages_->Width() + 2 : 0;
    TRect focusRect;
    for (int c = 0; c < std::max(1, columns_->Count()); ++c) {
        TRect cell = columns_->Count() ? CellRect(index, c) : RowRect(index);
        if (cell.Width() <= 0)
            continue;
        std::string text =
            c == 0 ? item.Caption() : (c - 1 < item.SubItems()->Count() ? item.SubItems()->Strings(c - 1) : "");
        TRect label = cell;
        if (c == 0 && smallImages_) {
            if (item.ImageIndex() >= 0)
                DrawItemImage(dc, *smallImages_,
                              Point(cell.Left + 2, cell.Top + (cell.Height() - smallImages_->Height()) / 2),
                              item.ImageIndex());
            label.Left += imageWidth;
        }
        const bool highlight = look.Highlight && (c == 0 || RowSelect());
        if (highlight) {
            TRect back = label;
            if (!RowSelect()) {
                SIZE size{};
                GetTextExtentPoint32(dc, text, &size);
                back.Right = std::min(label.Right, label.Left + size.cx + 6);
            }
            FillHighlight(dc, back, look.Back);
            focusRect =
                c == 0 || focusRect.Width() == 0 ? back : Rect(focusRect.Left, back.Top, back.Right, back.Bottom);
        } else if (c == 0) {
            focusRect = label;
        }
        SetTextColor(dc, highlight ? look.Text : ColorToRGB(Font()->Color()));
        RECT textRect = Rect(label.Left + 3, label.Top, label.Right - 3, label.Bottom);
        const TAlignment alignment = columns_->Count() ? columns_->Items(c)->Alignment() : taLeftJustify;
        const UINT align = alignment == taRightJustify ? DT_RIGHT : alignment == taCenter ? DT_CENTER : DT_LEFT;
        DrawText(dc, text, &textRect, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    if (RowSelect())
        focusRect = Rect(RowRect(index).Left + imageWidth, focusRect.Top, RowRect(index).Left + TotalColumnWidth(),
                         focusRect.Bottom);
    if (look.Focused && item.Focused())
        DrawFocusRect(dc, &focusRect);
    SelectObject(dc, oldFont);
}

} // namespace tovrel
