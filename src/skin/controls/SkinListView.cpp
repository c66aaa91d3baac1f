// The skinned list view's external scroll bars, by view style.
#include "skin/controls/SkinListView.h"

#include "platform/wm/Wm.h"

#include <algorithm>

namespace tovrel {

TskSkinCustomListView::TskSkinCustomListView(TComponent* AOwner) : TskSkinnedView(AOwner, "listview")
{
    SetFont(DefaultFont());
}

TskSkinCustomListView::~TskSkinCustomListView()
{
    ReleaseHeader();
}

void TskSkinCustomListView::ChangeSkinData()
{
    TskSkinnedView::ChangeSkinData();
    if (ViewStyle() == vsReport)
        InvalidateHeader(true);
}

int TskSkinCustomListView::FirstItemHeight()
{
    return Items()->Count() > 0 ? Items()->Item(0)->DisplayRect(drBounds).Height() : 0;
}

int TskSkinCustomListView::FirstItemWidth()
{
    return Items()->Count() > 0 ? Items()->Item(0)->DisplayRect(drBounds).Width() : 0;
}

void TskSkinCustomListView::UpDateScrollBars()
{
    if (!HandleAllocated() || FromSB || Width() <= 5 || Height() <= 5 || FInCheckScrollBars)
        return;
    SyncBars([this] {
        switch (ViewStyle()) {
        case vsIcon:
        case vsSmallIcon: UpdateIconScrollBars(); break;
        case vsList: UpdateListScrollBars(); break;
        case vsReport: UpdateReportScrollBars(); break;
        }
    });
}

void TskSkinCustomListView::UpdateIconScrollBars()
{
    const int step = std::max(1, FirstItemHeight() / 2);
    // Pixels both ways, a page being the list's size.
    const auto update = [&](TskSkinScrollBar* bar, int sb, int size, int& oldPos) {
        if (!bar)
            return;
        const TskNativeScroll n = NativeScroll(sb);
        ShowBar(bar, size < n.Max && Visible());
        if (bar->Visible()) {
            bar->SetSmallChange(step);
            bar->SetLargeChange(step);
            bar->SetRange(n.Min, n.Max, size, n.Pos);
            oldPos = bar->Position();
        }
    };
    update(VScrollBar(), SB_VERT, Height(), FOldVScrollBarPos);
    update(HScrollBar(), SB_HORZ, Width(), FOldHScrollBarPos);
}

void TskSkinCustomListView::UpdateListScrollBars()
{
    // This view scrolls sideways only.
    ShowBar(VScrollBar(), false);
    TskSkinScrollBar* bar = HScrollBar();
    if (!bar)
        return;
    const int column = std::max(1, FirstItemWidth());
    const TskNativeScroll h = NativeScroll(SB_HORZ);
    const int perPage = int(Perform(LVM_GETCOUNTPERPAGE, 0, 0));
    ShowBar(bar, perPage < Items()->Count() && Visible());
    if (bar->Visible()) {
        bar->SetRange(h.Min, h.Max, Width() / column, h.Pos);
        bar->SetSmallChange(1);
        bar->SetLargeChange(1);
        FOldHScrollBarPos = bar->Position();
    }
}

void TskSkinCustomListView::UpdateReportScrollBars()
{
    if (TskSkinScrollBar* bar = VScrollBar()) {
        const int perPage = int(Perform(LVM_GETCOUNTPERPAGE, 0, 0));
        const TskNativeScroll v = NativeScroll(SB_VERT);
        ShowBar(bar, perPage < v.Max + 1 && Visible());
        if (bar->Visible()) {
            bar->SetRange(v.Min, v.Max, perPage, v.Pos);
            FOldVScrollBarPos = bar->Position();
            bar->SetSmallChange(1);
            bar->SetLargeChange(std::max(1, perPage));
        }
    }
    if (TskSkinScrollBar* bar = HScrollBar()) {
        const TskNativeScroll h = NativeScroll(SB_HORZ);
        ShowBar(bar, Width() < h.Max && Visible());
        if (bar->Visible()) {
            bar->SetRange(h.Min, h.Max, Width(), h.Pos);
            FOldHScrollBarPos = bar->Position();
        }
    }
}

void TskSkinCustomListView::VScrollBarChange()
{
    if (!VScrollBar() || !HandleAllocated())
        return;
    TskFlagGuard guard(FromSB);
    const int difference = VScrollBar()->Position() - FOldVScrollBarPos;
    // Rows in the report and list views, pixels in the icon views.
    const bool rows = ViewStyle() == vsList || ViewStyle() == vsReport;
    const int dy = rows ? difference * FirstItemHeight() : difference;
    Perform(LVM_SCROLL, 0, dy);
    FOldVScrollBarPos = VScrollBar()->Position();
}

void TskSkinCustomListView::HScrollBarChange()
{
    if (!HScrollBar() || !HandleAllocated())
        return;
    TskFlagGuard guard(FromSB);
    const int difference = HScrollBar()->Position() - FOldHScrollBarPos;
    if (ViewStyle() == vsList) {
        for (int i = 0; i < std::abs(difference); ++i)
            Perform(WM_HSCROLL, difference < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    } else {
        Perform(LVM_SCROLL, WPARAM(difference), 0);
    }
    FOldHScrollBarPos = HScrollBar()->Position();
}

void TskSkinCustomListView::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case SkinPaintHeaderToMessage:
        if (FHeaderHandle)
            PaintHeader(HDC(message.WParam));
        return;
    case WM_PARENTNOTIFY:
        if (LOWORD(message.WParam) == WM_CREATE)
            HeaderCreated(HWND(message.LParam));
        break;
    default: break;
    }
    TskSkinnedView::WndProc(message);
    switch (message.Msg) {
    case WM_SIZE:
        if (!FInCheckScrollBars && Items()->Count() > 0)
            UpDateScrollBars();
        if (ViewStyle() == vsReport)
            InvalidateHeader(false);
        break;
    case WM_PAINT:
        if (!FInCheckScrollBars)
            UpDateScrollBars();
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONUP: UpDateScrollBars(); break;
    default: break;
    }
}

} // namespace tovrel
