// Painting the list box: each row in view, owner drawn through CN_DRAWITEM
// or drawn by DrawItem (text with tab stops, the highlight and focus frame).
#include "platform/ctrls/ListBox.h"

#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Input.h"

#include <algorithm>

namespace tovrel {

void TCustomListBox::PaintWindow(HDC dc)
{
    const int height = ClientHeight(), width = ClientWidth();
    for (int i = top_; i < Count(); ++i) {
        const TRect r = ItemRect(i);
        if (columns_ > 0 ? r.Left >= width : r.Top >= height)
            break;
        DrawRow(dc, i, r);
    }
}

void TCustomListBox::DrawRow(HDC dc, int index, const TRect& rect)
{
    DRAWITEMSTRUCT draw;
    draw.CtlType = ODT_LISTBOX;
    draw.CtlID = HandleAllocated() ? UINT(GetDlgCtrlID(Handle())) : 0;
    draw.itemID = UINT(index);
    draw.itemAction = ODA_DRAWENTIRE;
    if (rows_[std::size_t(index)].Selected)
        draw.itemState |= ODS_SELECTED;
    if (index == caret_ && HandleAllocated() && GetFocus() == Handle())
        draw.itemState |= ODS_FOCUS;
    if (!Enabled())
        draw.itemState |= ODS_DISABLED;
    draw.hwndItem = HandleAllocated() ? Handle() : nullptr;
    draw.hDC = dc;
    draw.rcItem = rect;
    draw.itemData = rows_[std::size_t(index)].Data;
    Perform(CN_DRAWITEM, 0, ToLParam(&draw));
}

void TCustomListBox::DrawItem(int index, TRect rect, TOwnerDrawState state)
{
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    canvas_->FillRect(rect);
    if (index < 0 || index >= Count())
        return;
    HDC dc = canvas_->Handle();
    const TEXTMETRIC metrics = TTextMeasure(*Font()).Metrics();
    // Tab stops are in dialog units: a quarter of the average character width.
    std::vector<int> stops;
    for (int units : tabStops_)
        stops.push_back(units * std::max(1, metrics.tmAveCharWidth) / 4);
    if (stops.empty())
        stops.push_back(32 * std::max(1, metrics.tmAveCharWidth) / 4);
    SetBkMode(dc, TRANSPARENT);
    TabbedTextOut(dc, rect.Left + 2, rect.Top, rows_[std::size_t(index)].Text, int(stops.size()), stops.data(),
                  rect.Left + 2);
}

} // namespace tovrel
