// The skinned tree view's colours, font and external scroll bars.
#include "skin/controls/SkinTreeView.h"

#include "platform/ctrls/ScrollState.h"
#include "platform/wm/Wm.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

// SB_THUMBPOSITION with the whole position above the low word: rows past
// 65535 are not cut to 16 bits.
WPARAM ThumbPosition(int position)
{
    return WPARAM(SB_THUMBPOSITION) | (WPARAM(unsigned(position)) << 16);
}

} // namespace

TskSkinCustomTreeView::TskSkinCustomTreeView(TComponent* AOwner) : TskSkinnedView(AOwner, "treeview") {}

void TskSkinCustomTreeView::ChangeSkinData()
{
    TskSkinnedView::ChangeSkinData();
    for (TCustomImageList* images : {Images(), StateImages()})
        if (images)
            images->BkColor = Color();
}

void TskSkinCustomTreeView::UpDateScrollBars()
{
    if (ComponentState().Contains(csLoading) || FInCheckScrollBars || !HandleAllocated())
        return;
    SyncBars([this] {
        if (TskSkinScrollBar* bar = VScrollBar()) {
            // Rows: the range counts the rows shown, the page the rows that fit whole.
            const TskNativeScroll v = NativeScroll(SB_VERT);
            const int page = int(Perform(TVM_GETVISIBLECOUNT, 0, 0));
            const int count = int(Perform(TVM_GETCOUNT, 0, 0));
            ShowBar(bar, v.Max > 0 && v.Max >= page && v.Max < count && Visible());
            if (bar->Visible())
                bar->SetRange(v.Min, v.Max, page, v.Pos);
        }
        if (TskSkinScrollBar* bar = HScrollBar()) {
            // Pixels, a page being the tree's width.
            const TskNativeScroll h = NativeScroll(SB_HORZ);
            ShowBar(bar, Width() < h.Max && Visible());
            if (bar->Visible())
                bar->SetRange(h.Min, h.Max, Width(), h.Pos);
        }
    });
}

void TskSkinCustomTreeView::VScrollBarChange()
{
    TskSkinScrollBar* bar = VScrollBar();
    if (!bar || !HandleAllocated())
        return;
    if (IsWindowsVistaOrLater()) {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(Handle(), SB_VERT, &info);
        info.nPos = bar->Position();
        SetScrollInfo(Handle(), SB_VERT, &info, true);
    }
    Perform(WM_VSCROLL, ThumbPosition(bar->Position()), 0);
}

void TskSkinCustomTreeView::HScrollBarChange()
{
    if (TskSkinScrollBar* bar = HScrollBar(); bar && HandleAllocated())
        Perform(WM_HSCROLL, ThumbPosition(bar->Position()), 0);
}

void TskSkinCustomTreeView::Change(TTreeNode* node)
{
    TskSkinnedView::Change(node);
    UpDateScrollBars();
}

void TskSkinCustomTreeView::WndProc(TMessage& message)
{
    TskSkinnedView::WndProc(message);
    switch (message.Msg) {
    case WM_SIZE:
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

} // namespace tovrel
