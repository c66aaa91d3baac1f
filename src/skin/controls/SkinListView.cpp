// The skinned list view's colours, font and external scroll bars.
#include "skin/controls/SkinListView.h"

#include "platform/ctrls/ScrollState.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinViewEntries.h"

#include <algorithm>

namespace tovrel {

namespace {

struct TNativeScroll {
    int Min = 0, Max = 0, Pos = 0;
};

TNativeScroll NativeScroll(HWND list, int bar)
{
    TNativeScroll s;
    GetScrollRange(list, bar, &s.Min, &s.Max);
    s.Pos = GetScrollPos(list, bar);
    return s;
}

// Sets the flag for the lifetime of the guard.
class TGuard {
public:
    explicit TGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TGuard() { flag_ = old_; }
    TGuard(const TGuard&) = delete;
    TGuard& operator=(const TGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

TskSkinCustomListView::TskSkinCustomListView(TComponent* AOwner)
    : TCustomListView(AOwner), FDefaultFont(std::make_unique<TFont>()), FDefaultColor(clWindow)
{
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    SetFont(FDefaultFont.get());
}

TskSkinCustomListView::~TskSkinCustomListView()
{
    ReleaseHeader();
    // The bars outlive the list: they must not call back into it.
    for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (bar)
            bar->OnChange = nullptr;
}

void TskSkinCustomListView::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value && !Value->Empty)
        ChangeSkinData();
}

void TskSkinCustomListView::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
    if (FIndex == -1)
        SetFont(FDefaultFont.get());
}

void TskSkinCustomListView::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        SetColor(Value);
}

void TskSkinCustomListView::ChangeSkinData()
{
    FIndex = FindSkinEntry(FSD, SkinDataName);
    if (FIndex == -1) {
        SetColor(FDefaultColor);
        SetFont(FDefaultFont.get());
    } else if (const auto* e = dynamic_cast<const TskDataSkinListView*>(FSD->CtrlList[std::size_t(FIndex)].get())) {
        if (UseSkinFont) {
            Font()->SetName(e->FontName);
            Font()->SetStyle(e->FontStyle);
            Font()->SetHeight(e->FontHeight);
        } else {
            SetFont(FDefaultFont.get());
        }
        Font()->SetColor(e->FontColor);
        SetColor(e->BGColor);
    }
    Font()->SetCharset(FSD && FSD->ResourceStrData() ? FSD->ResourceStrData()->CharSet() : FDefaultFont->Charset());
    UpDateScrollBars();
    RealignBars();
    if (ViewStyle() == vsReport)
        InvalidateHeader(true);
}

void TskSkinCustomListView::RealignBars()
{
    for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
        if (bar && bar->Align() != alNone && bar->Parent())
            bar->Parent()->Realign();
}

void TskSkinCustomListView::AssignBar(TComponentRef<TskSkinScrollBar>& Ref, TskSkinScrollBar* Value, bool Vertical)
{
    // A bar given up no longer scrolls this list.
    if (Ref && Ref != Value)
        Ref->OnChange = nullptr;
    Ref = Value;
    if (Value) {
        Value->SetEnabled(true);
        Value->SetVisible(false);
        Value->OnChange = [this, Vertical](TObject*) {
            if (Vertical)
                VScrollBarChange();
            else
                HScrollBarChange();
        };
    }
    UpDateScrollBars();
}

void TskSkinCustomListView::SetVScrollBar(TskSkinScrollBar* Value)
{
    AssignBar(FVScrollBar, Value, true);
}

void TskSkinCustomListView::SetHScrollBar(TskSkinScrollBar* Value)
{
    AssignBar(FHScrollBar, Value, false);
}

void TskSkinCustomListView::Loaded()
{
    {
        TGuard guard(FInCheckScrollBars);
        TCustomListView::Loaded();
    }
    ChangeSkinData();
}

void TskSkinCustomListView::CreateParams(TCreateParams& params)
{
    TCustomListView::CreateParams(params);
    params.Style &= ~(WS_HSCROLL | WS_VSCROLL);
}

int TskSkinCustomListView::FirstItemHeight()
{
    return Items()->Count() > 0 ? Items()->Item(0)->DisplayRect(drBounds).Height() : 0;
}

int TskSkinCustomListView::FirstItemWidth()
{
    return Items()->Count() > 0 ? Items()->Item(0)->DisplayRect(drBounds).Width() : 0;
}

bool TskSkinCustomListView::ShowBar(TskSkinScrollBar* Bar, bool Visible)
{
    if (!Bar || Bar->Visible() == Visible)
        return false;
    TGuard guard(FInCheckScrollBars);
    Bar->SetVisible(Visible);
    return true;
}

void TskSkinCustomListView::UpDateScrollBars()
{
    if (!HandleAllocated() || FromSB || Width() <= 5 || Height() <= 5 || FInCheckScrollBars)
        return;
    const bool vWas = FVScrollBar && FVScrollBar->Visible(), hWas = FHScrollBar && FHScrollBar->Visible();
    switch (ViewStyle()) {
    case vsIcon:
    case vsSmallIcon: UpdateIconScrollBars(); break;
    case vsList: UpdateListScrollBars(); break;
    case vsReport: UpdateReportScrollBars(); break;
    }
    if (FVScrollBar && FHScrollBar && FHScrollBar->Both() != FVScrollBar->Visible())
        FHScrollBar->SetBoth(FVScrollBar->Visible());
    const bool changed =
        (FVScrollBar && FVScrollBar->Visible() != vWas) || (FHScrollBar && FHScrollBar->Visible() != hWas);
    if (changed && Align() != alNone && Parent()) {
        TGuard guard(FInCheckScrollBars);
        Parent()->Realign();
    }
}

void TskSkinCustomListView::UpdateIconScrollBars()
{
    const int step = std::max(1, FirstItemHeight() / 2);
    const TNativeScroll v = NativeScroll(Handle(), SB_VERT), h = NativeScroll(Handle(), SB_HORZ);
    if (FVScrollBar) {
        ShowBar(FVScrollBar, Height() < v.Max && Visible());
        if (FVScrollBar->Visible()) {
            FVScrollBar->SetSmallChange(step);
            FVScrollBar->SetLargeChange(step);
            FVScrollBar->SetRange(v.Min, v.Max, Height(), v.Pos);
            FOldVScrollBarPos = FVScrollBar->Position();
        }
    }
    if (FHScrollBar) {
        ShowBar(FHScrollBar, Width() < h.Max && Visible());
        if (FHScrollBar->Visible()) {
            FHScrollBar->SetSmallChange(step);
            FHScrollBar->SetLargeChange(step);
            FHScrollBar->SetRange(h.Min, h.Max, Width(), h.Pos);
            FOldHScrollBarPos = FHScrollBar->Position();
        }
    }
}

void TskSkinCustomListView::UpdateListScrollBars()
{
    // This view scrolls sideways only.
    ShowBar(FVScrollBar, false);
    if (!FHScrollBar)
        return;
    const int column = std::max(1, FirstItemWidth());
    const TNativeScroll h = NativeScroll(Handle(), SB_HORZ);
    const int perPage = int(Perform(LVM_GETCOUNTPERPAGE, 0, 0));
    ShowBar(FHScrollBar, perPage < Items()->Count() && Visible());
    if (FHScrollBar->Visible()) {
        FHScrollBar->SetRange(h.Min, h.Max, Width() / column, h.Pos);
        FHScrollBar->SetSmallChange(1);
        FHScrollBar->SetLargeChange(1);
        FOldHScrollBarPos = FHScrollBar->Position();
    }
}

void TskSkinCustomListView::UpdateReportScrollBars()
{
    if (FVScrollBar) {
        const int perPage = int(Perform(LVM_GETCOUNTPERPAGE, 0, 0));
        const TNativeScroll v = NativeScroll(Handle(), SB_VERT);
        ShowBar(FVScrollBar, perPage < v.Max + 1 && Visible());
        if (FVScrollBar->Visible()) {
            FVScrollBar->SetRange(v.Min, v.Max, perPage, v.Pos);
            FOldVScrollBarPos = FVScrollBar->Position();
            FVScrollBar->SetSmallChange(1);
            FVScrollBar->SetLargeChange(std::max(1, perPage));
        }
    }
    if (FHScrollBar) {
        const TNativeScroll h = NativeScroll(Handle(), SB_HORZ);
        ShowBar(FHScrollBar, Width() < h.Max && Visible());
        if (FHScrollBar->Visible()) {
            FHScrollBar->SetRange(h.Min, h.Max, Width(), h.Pos);
            FOldHScrollBarPos = FHScrollBar->Position();
        }
    }
}

void TskSkinCustomListView::VScrollBarChange()
{
    if (!FVScrollBar || !HandleAllocated())
        return;
    TGuard guard(FromSB);
    const int difference = FVScrollBar->Position() - FOldVScrollBarPos;
    // Rows in the report and list views, pixels in the icon views.
    const bool rows = ViewStyle() == vsList || ViewStyle() == vsReport;
    const int dy = rows ? difference * FirstItemHeight() : difference;
    Perform(LVM_SCROLL, 0, dy);
    FOldVScrollBarPos = FVScrollBar->Position();
}

void TskSkinCustomListView::HScrollBarChange()
{
    if (!FHScrollBar || !HandleAllocated())
        return;
    TGuard guard(FromSB);
    const int difference = FHScrollBar->Position() - FOldHScrollBarPos;
    if (ViewStyle() == vsList) {
        for (int i = 0; i < std::abs(difference); ++i)
            Perform(WM_HSCROLL, difference < 0 ? SB_LINELEFT : SB_LINERIGHT, 0);
    } else {
        Perform(LVM_SCROLL, WPARAM(difference), 0);
    }
    FOldHScrollBarPos = FHScrollBar->Position();
}

void TskSkinCustomListView::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
        // No frame and no native bars.
        message.Result = 0;
        return;
    case SkinPaintToMessage: message.Result = SkinPaintDoneResult; return;
    case SkinPaintHeaderToMessage:
        if (FHeaderHandle)
            PaintHeader(HDC(message.WParam));
        return;
    case WM_PARENTNOTIFY:
        if (LOWORD(message.WParam) == WM_CREATE)
            HeaderCreated(HWND(message.LParam));
        break;
    case CM_VISIBLECHANGED:
        TCustomListView::WndProc(message);
        for (TskSkinScrollBar* bar : {FVScrollBar.Get(), FHScrollBar.Get()})
            if (bar)
                bar->SetVisible(Visible());
        return;
    default: break;
    }
    TCustomListView::WndProc(message);
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
