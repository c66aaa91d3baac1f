// The office list's entries, layout, scrolling and current entry.
#include "skin/controls/SkinOfficeListBox.h"

#include "platform/vcl/Errors.h"
#include "platform/wm/Layered.h"
#include "platform/wm/Timers.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinEditEntries.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr ULONG_PTR kFadeTimer = 1;
constexpr UINT kFadeStepMs = USER_TIMER_MINIMUM; // "more than 5 ms" between steps

} // namespace

TskSkinOfficeListBox::TskSkinOfficeListBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FItems(std::make_unique<TskSkinOfficeItems>(this))
{
    ControlStyle = ControlStyle + TControlStyle{csAcceptsControls, csReplicatable};
    SetBounds(Left(), Top(), 150, 150);
    SetSkinDataName("listbox");
}

TskSkinOfficeListBox::~TskSkinOfficeListBox() = default;

void TskSkinOfficeListBox::SetItems(const TskSkinOfficeItems* Value)
{
    FItems->Assign(Value);
    Repaint();
    UpdateScrollInfo();
}

void TskSkinOfficeListBox::SetItemHeight(int Value)
{
    if (Value < 1 || Value == FItemHeight)
        return;
    FItemHeight = Value;
    Repaint();
}

void TskSkinOfficeListBox::SetHeaderHeight(int Value)
{
    if (Value < 1 || Value == FHeaderHeight)
        return;
    FHeaderHeight = Value;
    Repaint();
}

void TskSkinOfficeListBox::SetShowLines(bool Value)
{
    if (Value == FShowLines)
        return;
    FShowLines = Value;
    Repaint();
}

void TskSkinOfficeListBox::SetShowItemTitles(bool Value)
{
    if (Value == FShowItemTitles)
        return;
    FShowItemTitles = Value;
    Repaint();
}

TRect TskSkinOfficeListBox::FrameClientRect() const
{
    if (FIndex == -1)
        return TRect{2, 2, Width() - 2, Height() - 2};
    return G.NewClRect;
}

void TskSkinOfficeListBox::CalcItemRects()
{
    FRealMax = 0;
    FItemsRect = FrameClientRect();
    if (FScrollBar)
        FItemsRect.Right -= FScrollBar->Width();
    int y = FItemsRect.Top;
    for (int i = 0; i < Count(); ++i) {
        TskSkinOfficeItem& item = Item(i);
        const int h = item.Header() ? FHeaderHeight : FItemHeight;
        item.ItemRect = TRect{FItemsRect.Left, y - FScrollOffset, FItemsRect.Right, y + h - FScrollOffset};
        y += h;
        const TRect& r = item.ItemRect;
        const bool topIn = r.Top >= FItemsRect.Top && r.Top <= FItemsRect.Bottom;
        const bool bottomIn = r.Bottom >= FItemsRect.Top && r.Bottom <= FItemsRect.Bottom;
        const bool covers = r.Top <= FItemsRect.Top && r.Bottom >= FItemsRect.Bottom;
        item.IsVisible = topIn || bottomIn || covers;
        if (item.IsVisible)
            FRealMax = r.Bottom;
    }
    FMax = y;
}

int TskSkinOfficeListBox::CalcHeight(int AItemsCount)
{
    GetSkinData();
    const int n = std::min(AItemsCount, Count());
    if (FIndex == -1)
        return n * FItemHeight + 5;
    int w = Width(), h = Height();
    CalcSize(w, h);
    return n * FItemHeight + Height() - G.NewClRect.Height() + 1;
}

int TskSkinOfficeListBox::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i) {
        const TskSkinOfficeItem& item = Item(i);
        const TRect& r = item.ItemRect;
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom && item.Enabled())
            return i;
    }
    return -1;
}

void TskSkinOfficeListBox::GetScrollInfo(int& AMin, int& AMax, int& APosition, int& APage)
{
    CalcItemRects();
    AMin = 0;
    AMax = FMax - FItemsRect.Top;
    APage = FItemsRect.Height();
    if (APage >= AMax) {
        AMax = 0;
        APage = 0;
    }
    APosition = FScrollOffset;
}

void TskSkinOfficeListBox::UpdateScrollInfo()
{
    int min = 0, max = 0, position = 0, page = 0;
    GetScrollInfo(min, max, position, page);
    if (max == 0) {
        HideScrollBar();
        return;
    }
    ShowScrollbar();
    FScrollBar->SetRange(min, max, page, position);
    FScrollBar->SetLargeChange(page);
}

void TskSkinOfficeListBox::ShowScrollbar()
{
    if (FScrollBar)
        return;
    FScrollBar = new TskSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetParent(this);
    FScrollBar->SetDefaultHeight(0);
    FScrollBar->SetDefaultWidth(19);
    FScrollBar->SetSmallChange(FItemHeight);
    FScrollBar->SetLargeChange(FItemHeight);
    FScrollBar->SetSkinDataName("vscrollbar");
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetSkinData(SkinData());
    FScrollBar->OnChange = [this](TObject*) { Scroll(FScrollBar->Position()); };
    AdjustScrollBar();
    FScrollBar->SetVisible(true);
    Repaint();
}

void TskSkinOfficeListBox::HideScrollBar()
{
    if (!FScrollBar)
        return;
    FScrollBar->SetVisible(false);
    TObject::Free(std::exchange(FScrollBar, nullptr));
    Repaint();
}

void TskSkinOfficeListBox::AdjustScrollBar()
{
    if (!FScrollBar)
        return;
    const TRect r = FrameClientRect();
    const int w = FScrollBar->Width();
    FScrollBar->SetBounds(r.Right - w, r.Top, w, r.Height());
}

void TskSkinOfficeListBox::Scroll(int AScrollOffset)
{
    FScrollOffset = AScrollOffset;
    Repaint();
    UpdateScrollInfo();
}

void TskSkinOfficeListBox::WheelNotch(int Delta)
{
    if (!FScrollBar)
        return;
    const int step = FScrollBar->SmallChange();
    FScrollBar->SetPosition(Delta < 0 ? FScrollBar->Position() + step : FScrollBar->Position() - step);
}

void TskSkinOfficeListBox::SizeChanged()
{
    if (Height() != FOldHeight && FOldHeight != -1) {
        CalcItemRects();
        if (FItemsRect.Bottom >= FRealMax && FScrollOffset > 0) {
            FScrollOffset = std::max(0, FScrollOffset + FRealMax - FItemsRect.Bottom);
            CalcItemRects();
            Invalidate();
        }
    }
    AdjustScrollBar();
    UpdateScrollInfo();
    FOldHeight = Height();
}

void TskSkinOfficeListBox::ScrollToItem(int Index)
{
    CalcItemRects();
    if (Index >= 0 && Index < Count()) {
        const TRect scrolled = Item(Index).ItemRect;
        TRect r = scrolled;
        r.Top += FScrollOffset;
        r.Bottom += FScrollOffset;
        if (scrolled.Top <= FItemsRect.Top) {
            // Keeps the header of the first group in sight.
            FScrollOffset = Index == 1 && Item(0).Header() ? 0 : r.Top - FItemsRect.Top;
            CalcItemRects();
            Invalidate();
        } else if (scrolled.Bottom >= FItemsRect.Bottom) {
            FScrollOffset = r.Bottom + FItemsRect.Top - Height() + 1;
            CalcItemRects();
            Invalidate();
        }
    }
    UpdateScrollInfo();
}

void TskSkinOfficeListBox::MarkActive(int Index)
{
    for (int i = 0; i < Count(); ++i)
        Item(i).Active = i == Index;
    Repaint();
    ScrollToItem(Index);
}

void TskSkinOfficeListBox::SetItemIndex(int Value)
{
    if (Value >= Count())
        ListIndexError(Value);
    FItemIndex = Value;
    // The row the mouse reached last is no longer the highlighted one: the
    // next move onto it highlights it again.
    FMouseActive = -1;
    if (Value < 0) {
        Repaint();
        return;
    }
    MarkActive(Value);
    if (Item(Value).OnClick)
        Item(Value).OnClick(this);
    if (OnItemClick)
        OnItemClick(this);
}

void TskSkinOfficeListBox::SetItemActive(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    // The drop-down's highlight is its index: closing with acceptance takes it.
    FItemIndex = Index;
    MarkActive(Index);
}

void TskSkinOfficeListBox::FindUp()
{
    if (FItemIndex < 1)
        return;
    for (int i = std::min(FItemIndex, Count()) - 1; i >= 0; --i)
        if (Item(i).Selectable()) {
            SetItemIndex(i);
            return;
        }
}

void TskSkinOfficeListBox::FindDown()
{
    for (int i = FItemIndex < 0 ? 0 : FItemIndex + 1; i < Count(); ++i)
        if (Item(i).Selectable()) {
            SetItemIndex(i);
            return;
        }
}

int TskSkinOfficeListBox::PageRows() const
{
    return std::max(1, FItemsRect.Height() / FItemHeight);
}

int TskSkinOfficeListBox::FindPage(int From, int To)
{
    // The first selectable entry past a header wins at once; otherwise the
    // last selectable one met before any header.
    const int step = To >= From ? 1 : -1;
    int found = -1;
    bool headerPassed = false;
    for (int i = From;; i += step) {
        const TskSkinOfficeItem& item = Item(i);
        if (item.Header())
            headerPassed = true;
        else if (item.Selectable()) {
            if (headerPassed)
                return i;
            found = i;
        }
        if (i == To)
            break;
    }
    return found;
}

void TskSkinOfficeListBox::FindPageUp()
{
    if (FItemIndex < 1)
        return;
    CalcItemRects();
    const int s = std::min(FItemIndex, Count()) - 1;
    if (s < 0)
        return;
    const int found = FindPage(s, std::max(0, s - PageRows()));
    if (found != -1)
        SetItemIndex(found);
}

void TskSkinOfficeListBox::FindPageDown()
{
    const int s = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (s >= Count())
        return;
    CalcItemRects();
    const int found = FindPage(s, std::min(Count() - 1, s + PageRows()));
    if (found != -1)
        SetItemIndex(found);
}

void TskSkinOfficeListBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    if (const auto* entry = FindSkinEntryAs<const TskDataSkinEditControl>(SkinData(), "edit"))
        FDisabledFontColor = entry->DisabledFontColor;
    else if (SkinData())
        FDisabledFontColor = SkinData()->SkinColors.cBtnShadow();
    if (FScrollBar) {
        FScrollBar->SetSkinData(SkinData());
        AdjustScrollBar();
    }
    CalcItemRects();
    Repaint();
}

TskPopupOfficeListBox::TskPopupOfficeListBox(TComponent* AOwner) : TskSkinOfficeListBox(AOwner)
{
    ControlStyle = ControlStyle + TControlStyle{csAcceptsControls, csNoDesignVisible, csReplicatable};
    SetVisible(false);
}

void TskPopupOfficeListBox::CreateParams(TCreateParams& params)
{
    TskSkinOfficeListBox::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPCHILDREN;
    params.ExStyle = WS_EX_TOOLWINDOW;
    params.WindowClassStyle |= CS_SAVEBITS;
    params.WndParent = nullptr;
}

bool TskPopupOfficeListBox::ApplyAlpha()
{
    const auto* box = dynamic_cast<const TskSkinCustomOfficeComboBox*>(Owner());
    if (!box || !LayeredWindowsAvailable())
        return false;
    HWND h = Handle();
    const LONG_PTR ex = GetWindowLongPtr(h, GWL_EXSTYLE);
    if (box->AlphaBlend && !FOldAlphaBlend)
        SetWindowLongPtr(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    else if (!box->AlphaBlend && FOldAlphaBlend)
        SetWindowLongPtr(h, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    FOldAlphaBlend = box->AlphaBlend;
    if (box->AlphaBlend && FOldAlphaBlendValue != box->AlphaBlendValue) {
        FOldAlphaBlendValue = box->AlphaBlendAnimation ? 0 : box->AlphaBlendValue;
        FFadeAlpha = FOldAlphaBlendValue;
        SetLayeredWindowAttributes(h, 0, FFadeAlpha, LWA_ALPHA);
    }
    FFadeTarget = box->AlphaBlendValue;
    return box->AlphaBlend && box->AlphaBlendAnimation;
}

void TskPopupOfficeListBox::Show(TPoint Origin)
{
    HandleNeeded();
    const bool fade = ApplyAlpha();
    SetWindowPos(Handle(), HWND_TOP, Origin.X, Origin.Y, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOSIZE);
    SetVisible(true);
    if (fade)
        SetTimer(Handle(), kFadeTimer, kFadeStepMs, nullptr);
}

void TskPopupOfficeListBox::FadeStep()
{
    const int step = std::max(1, FFadeTarget / 15);
    FFadeAlpha = BYTE(std::min<int>(FFadeAlpha + step, FFadeTarget));
    SetLayeredWindowAttributes(Handle(), 0, FFadeAlpha, LWA_ALPHA);
    if (FFadeAlpha >= FFadeTarget)
        KillTimer(Handle(), kFadeTimer);
}

void TskPopupOfficeListBox::Hide()
{
    if (HandleAllocated())
        KillTimer(Handle(), kFadeTimer);
    if (HandleAllocated())
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    SetVisible(false);
}

} // namespace tovrel
