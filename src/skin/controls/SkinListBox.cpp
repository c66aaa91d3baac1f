// The skinned list box: construction, properties, layout, the skinned bars
// and the skin values.
#include "skin/controls/SkinListBox.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/StringList.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinFlagGuard.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinEditEntries.h"

#include <algorithm>

namespace tovrel {

namespace {

// The bar repaints at once on SetRange: only a real change is passed on, as
// the list's state is copied after nearly every message of the list.
void FeedBar(TskSkinScrollBar& Bar, int AMin, int AMax, int APageSize, int APosition)
{
    if (Bar.Min() != AMin || Bar.Max() != AMax || Bar.PageSize() != APageSize || Bar.Position() != APosition)
        Bar.SetRange(AMin, AMax, APageSize, APosition);
}

} // namespace

TskSkinCustomListBox::TskSkinCustomListBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FDefaultCaptionFont(std::make_unique<TFont>()),
      FTabWidths(std::make_unique<TStringList>())
{
    ControlStyle =
        TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable};
    ForcebackGround = true;
    DrawbackGround = false;
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FDefaultCaptionFont->SetName("Arial");
    FDefaultCaptionFont->SetHeight(14);
    ListBox = new TskListBox(this);
    ListBox->SkinListBox = this;
    ListBox->SetStyle(lbOwnerDrawFixed);
    ListBox->SetItemHeight(FDefaultItemHeight);
    ListBox->SetParent(this);
    ListBox->SetVisible(true);
    SetBounds(Left(), Top(), 120, 120);
    SetSkinDataName("listbox");
}

TskSkinCustomListBox::~TskSkinCustomListBox()
{
    // The inner list box must not call back into a half-destroyed owner.
    ListBox->SkinListBox = nullptr;
}

void TskSkinCustomListBox::CreateParams(TCreateParams& params)
{
    TskSkinCustomControl::CreateParams(params);
    params.WindowClassStyle &= ~UINT(CS_HREDRAW | CS_VREDRAW);
}

void TskSkinCustomListBox::SetItems(const TStrings* Value)
{
    Items()->Assign(Value);
    UpDateScrollBar();
}

void TskSkinCustomListBox::Clear()
{
    ListBox->Clear();
    UpDateScrollBar();
}

void TskSkinCustomListBox::SetSorted(bool Value)
{
    if (ScrollBar)
        HideSkinScrollBar();
    ListBox->SetSorted(Value);
}

void TskSkinCustomListBox::SetColumns(int Value)
{
    ListBox->SetColumns(Value);
    UpDateScrollBar();
}

void TskSkinCustomListBox::SetShowCaptionButtons(bool Value)
{
    if (FShowCaptionButtons == Value)
        return;
    FShowCaptionButtons = Value;
    Invalidate();
}

void TskSkinCustomListBox::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    if (FIndex == -1) {
        AlignListControls();
        Invalidate();
    }
}

void TskSkinCustomListBox::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    if (FCaptionMode)
        Invalidate();
}

void TskSkinCustomListBox::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (FIndex == -1 && FCaptionMode) {
        AlignListControls();
        Invalidate();
    }
}

void TskSkinCustomListBox::SetDefaultItemHeight(int Value)
{
    if (Value < 1)
        return;
    FDefaultItemHeight = Value;
    if (FIndex == -1 || !UseSkinItemHeight)
        ListBox->SetItemHeight(Value);
}

void TskSkinCustomListBox::SetHorizontalExtent(bool Value)
{
    FHorizontalExtent = Value;
    UpDateScrollBar();
}

void TskSkinCustomListBox::SetRowCount(int Value)
{
    FRowCount = Value;
    if (Value != 0)
        SetHeight(CalcHeight(Value));
    UpDateScrollBar();
}

void TskSkinCustomListBox::SetTabWidths(const TStrings* Value)
{
    FTabWidths->Assign(Value);
    if (FTabWidths->Count() > 0)
        ListBox->Invalidate();
}

void TskSkinCustomListBox::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    ListBox->Invalidate();
}

void TskSkinCustomListBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    ListBox->Invalidate();
}

void TskSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TskSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    AlignListControls();
    if (FIndex == -1)
        Invalidate();
}

void TskSkinCustomListBox::DefaultFontChanged()
{
    if (FIndex == -1)
        SetFont(DefaultFont());
}

int TskSkinCustomListBox::CalcHeight(int AItemsCount)
{
    int h = FIndex == -1 ? AItemsCount * ListBox->ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0)
                         : G.SkinRect.Height() - G.ClRect.Height() + AItemsCount * ListBox->ItemHeight();
    if (HScrollBar)
        h += HScrollBar->Height();
    return h;
}

// Layout.

void TskSkinCustomListBox::AlignListControls()
{
    if (!ListBox)
        return;
    const int dw = Width() - G.SkinRect.Width(), dh = Height() - G.SkinRect.Height();
    const bool skinned = FIndex != -1;
    const int CT = FCaptionMode ? FDefaultCaptionHeight : 1;
    if (skinned)
        NewClRect = {G.ClRect.Left, G.ClRect.Top, G.ClRect.Right + dw, G.ClRect.Bottom + dh};
    int HH = 0;
    if (Columns() == 0 && HScrollBar && HScrollBar->Visible()) {
        if (!skinned) {
            HScrollBar->SetBounds(1, Height() - 20, Width() - 2, 19);
            HH = HScrollBar->Height() - 1;
        } else {
            HScrollBar->SetBounds(NewClRect.Left, NewClRect.Bottom - HScrollBar->Height(), NewClRect.Width(),
                                  HScrollBar->Height());
            HH = HScrollBar->Height();
        }
    }
    if (ScrollBar && ScrollBar->Visible()) {
        TskSkinScrollBar& b = *ScrollBar;
        if (!skinned && Columns() <= 0) {
            b.SetBounds(Width() - 20, CT, 19, Height() - CT - HH - 1);
            ListRect = {2, CT + 1, b.Left(), Height() - HH - 2};
        } else if (!skinned) {
            b.SetBounds(1, Height() - 20, Width() - 2, 19);
            ListRect = {2, CT + 1, Width() - 2, b.Top()};
        } else if (Columns() <= 0) {
            b.SetBounds(NewClRect.Right - b.Width(), NewClRect.Top, b.Width(), NewClRect.Height() - HH);
            ListRect = {NewClRect.Left, NewClRect.Top, NewClRect.Right - b.Width(), NewClRect.Bottom - HH};
        } else {
            b.SetBounds(NewClRect.Left, NewClRect.Bottom - b.Height(), NewClRect.Width(), b.Height());
            ListRect = {NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom - b.Height()};
        }
    } else {
        ListRect = skinned ? TRect{NewClRect.Left, NewClRect.Top, NewClRect.Right, NewClRect.Bottom - HH}
                           : TRect{2, CT + 1, Width() - 2, Height() - HH - 2};
    }
    ListBox->SetBoundsRect(ListRect);
}

// The skinned bars.

void TskSkinCustomListBox::UpDateScrollBar()
{
    // Showing or hiding a bar resizes the inner list, which comes back here.
    if (!ListBox || FInUpdate || !ListBox->HandleAllocated())
        return;
    TskFlagGuard guard(FInUpdate);
    if (Columns() <= 0) {
        UpdateHorizontalBar();
        UpdateVerticalBar();
        return;
    }
    int min = 0, max = 0;
    GetScrollRange(ListBox->Handle(), SB_HORZ, &min, &max);
    const int pos = GetScrollPos(ListBox->Handle(), SB_HORZ);
    const int rows = ListBox->Height() / std::max(1, ListBox->ItemHeight());
    if (min < max && max >= pos && max >= Columns() && rows * Columns() < Items()->Count()) {
        if (!ScrollBar)
            ShowSkinScrollBar();
        FeedBar(*ScrollBar, min, max, Columns(), pos);
    } else if (ScrollBar) {
        HideSkinScrollBar();
    }
}

void TskSkinCustomListBox::UpdateHorizontalBar()
{
    if (!FHorizontalExtent || FStopUpDateHScrollBar) {
        if (HScrollBar)
            HideSkinHScrollBar();
        return;
    }
    // Measured on a canvas of its own: the list's canvas has a device
    // context only while the list paints.
    TBitmap measure(1, 1);
    TCanvas& C = *measure.Canvas();
    SetItemFont(C);
    int AMax = 0;
    for (int i = 0; i < Items()->Count(); ++i)
        AMax = std::max(AMax, GetItemWidth(i, C));
    const int APage = VisibleItemWidth();
    if (APage < AMax) {
        if (!HScrollBar)
            ShowSkinHScrollBar();
        FeedBar(*HScrollBar, 0, AMax, APage, HScrollBar->Position());
        const int step = std::max(1, C.TextWidth("0"));
        HScrollBar->SetSmallChange(step);
        HScrollBar->SetLargeChange(step);
    } else if (HScrollBar) {
        HideSkinHScrollBar();
    }
}

void TskSkinCustomListBox::UpdateVerticalBar()
{
    if (FRowCount < 1 || FRowCount != Items()->Count()) {
        int min = 0, max = 0;
        GetScrollRange(ListBox->Handle(), SB_VERT, &min, &max);
        const int pos = GetScrollPos(ListBox->Handle(), SB_VERT);
        const int page = ListBox->Height() / std::max(1, ListBox->ItemHeight());
        if (min < max && max >= pos && page < Items()->Count()) {
            if (!ScrollBar)
                ShowSkinScrollBar();
            FeedBar(*ScrollBar, min, max, page, pos);
            ScrollBar->SetLargeChange(page);
            return;
        }
    }
    if (ScrollBar)
        HideSkinScrollBar();
}

void TskSkinCustomListBox::SetItemFont(TCanvas& Cnvs)
{
    if (FIndex != -1 && UseSkinFont) {
        Cnvs.Font()->SetName(Look.FontName);
        Cnvs.Font()->SetStyle(Look.FontStyle);
        Cnvs.Font()->SetHeight(Look.FontHeight);
    } else {
        Cnvs.SetFont(ListBox->Font());
    }
}

int TskSkinCustomListBox::VisibleItemWidth()
{
    int w = FIndex == -1 ? ListBox->Width() - 4 : ListBox->Width() + Look.ItemTextRect.Width() - Look.SItemRect.Width();
    if (FImages)
        w -= FImages->Width() + 4;
    return w;
}

int TskSkinCustomListBox::GetItemWidth(int Index, TCanvas& Cnvs)
{
    return Cnvs.TextWidth(Items()->Get(Index));
}

void TskSkinCustomListBox::NameBars()
{
    const bool skinned = FIndex != -1;
    if (ScrollBar) {
        ScrollBar->SetSkinDataName(!skinned ? "" : Columns() < 1 ? Look.VScrollBarName : Look.HScrollBarName);
        ScrollBar->SetSkinData(SkinData());
    }
    if (HScrollBar) {
        if (!skinned) {
            HScrollBar->SetSkinDataName("");
            HScrollBar->SetBoth(ScrollBar != nullptr);
            HScrollBar->SetBothMarkerWidth(19);
        } else {
            const std::string& name = ScrollBar ? Look.BothScrollBarName : Look.HScrollBarName;
            HScrollBar->BothSkinDataName = name;
            HScrollBar->SetSkinDataName(name);
            HScrollBar->SetBoth(ScrollBar != nullptr);
        }
        HScrollBar->SetSkinData(SkinData());
    }
}

void TskSkinCustomListBox::ShowSkinScrollBar()
{
    ScrollBar = new TskSkinScrollBar(this);
    ScrollBar->SetKind(Columns() <= 0 ? sbVertical : sbHorizontal);
    ScrollBar->SetBounds(0, 0, 20, 100);
    // The bar scrolls the list by its full position (no 16-bit thumb message).
    ScrollBar->OnChange = [this](TObject*) {
        if (Columns() <= 0)
            ListBox->SetTopIndex(ScrollBar->Position());
        else
            ListBox->SetTopIndex(ScrollBar->Position() * std::max(1, ListBox->VisibleRows()));
    };
    NameBars();
    ScrollBar->SetParent(this);
    AlignListControls();
    ScrollBar->SetVisible(true);
    Invalidate();
}

void TskSkinCustomListBox::ShowSkinHScrollBar()
{
    HScrollBar = new TskSkinScrollBar(this);
    HScrollBar->SetKind(sbHorizontal);
    HScrollBar->SetBounds(0, 0, 100, 20);
    HScrollBar->OnChange = [this](TObject*) { ListBox->SetHorizontalExtentValue(HScrollBar->Position()); };
    NameBars();
    HScrollBar->SetParent(this);
    HScrollBar->SetVisible(true);
    AlignListControls();
    Invalidate();
}

void TskSkinCustomListBox::HideSkinScrollBar()
{
    TskSkinScrollBar* bar = ScrollBar;
    ScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    AlignListControls();
}

void TskSkinCustomListBox::HideSkinHScrollBar()
{
    ListBox->SetHorizontalExtentValue(0);
    TskSkinScrollBar* bar = HScrollBar;
    HScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    AlignListControls();
    ListBox->Invalidate();
}

// Skin values.

void TskSkinCustomListBox::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TskDataSkinListBox*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
    if (!e)
        return;
    TskListBoxLook& L = Look;
    L.FontName = e->FontName;
    L.FontStyle = e->FontStyle;
    L.FontHeight = e->FontHeight;
    L.SItemRect = e->SItemRect;
    L.ActiveItemRect = e->ActiveItemRect.IsEmpty() ? e->SItemRect : e->ActiveItemRect;
    L.FocusItemRect = e->FocusItemRect.IsEmpty() ? e->SItemRect : e->FocusItemRect;
    L.ItemLeftOffset = e->ItemLeftOffset;
    L.ItemRightOffset = e->ItemRightOffset;
    L.ItemTextRect = e->ItemTextRect;
    L.FontColor = e->FontColor;
    L.ActiveFontColor = e->ActiveFontColor;
    L.FocusFontColor = e->FocusFontColor;
    L.CaptionRect = e->CaptionRect;
    L.CaptionFontName = e->CaptionFontName;
    L.CaptionFontStyle = e->CaptionFontStyle;
    L.CaptionFontHeight = e->CaptionFontHeight;
    L.CaptionFontColor = e->CaptionFontColor;
    const TRect* places[3] = {&e->UpButtonRect, &e->DownButtonRect, &e->CheckButtonRect};
    const TRect* hot[3] = {&e->ActiveUpButtonRect, &e->ActiveDownButtonRect, &e->ActiveCheckButtonRect};
    const TRect* pressed[3] = {&e->DownUpButtonRect, &e->DownDownButtonRect, &e->DownCheckButtonRect};
    for (int i = 0; i < 3; ++i) {
        L.ButtonRect[i] = *places[i];
        L.ActiveButtonRect[i] = *hot[i];
        L.DownButtonRect[i] = pressed[i]->IsEmpty() ? *hot[i] : *pressed[i];
    }
    L.VScrollBarName = e->VScrollBarName;
    L.HScrollBarName = e->HScrollBarName;
    L.BothScrollBarName = e->BothScrollBarName;
    L.ShowFocus = e->ShowFocus;
    L.DisabledButtonsRect = e->DisabledButtonsRect;
    L.ButtonsArea = e->ButtonsArea;
}

void TskSkinCustomListBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    {
        TskFlagGuard stop(FStopUpDateHScrollBar);
        if (FIndex == -1) {
            ListBox->SetItemHeight(FDefaultItemHeight);
            ListBox->SetFont(DefaultFont());
        } else if (UseSkinItemHeight) {
            // An entry without an item height keeps the rows as they are.
            ListBox->SetItemHeight(Look.SItemRect.Height());
        }
        NameBars();
        if (FRowCount != 0)
            SetHeight(CalcHeight(FRowCount));
        AlignListControls();
    }
    UpDateScrollBar();
    ListBox->Invalidate();
}

void TskSkinCustomListBox::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_SIZE:
        TskSkinCustomControl::WndProc(message);
        AlignListControls();
        UpDateScrollBar();
        if (ScrollBar)
            ScrollBar->Invalidate();
        return;
    case WM_TIMER:
        TskSkinCustomControl::WndProc(message);
        if (message.WParam == 1)
            RepeatTick();
        return;
    case CM_MOUSEENTER:
        TskSkinCustomControl::WndProc(message);
        TestActiveButton(-1, -1);
        return;
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(message);
        for (TskCBButtonX& b : Buttons)
            if (b.MouseIn) {
                b.MouseIn = false;
                Invalidate();
            }
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(message);
        if (FCaptionMode)
            Invalidate();
        return;
    default: TskSkinCustomControl::WndProc(message); return;
    }
}

// Hooks: the list box's own events.

void TskSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseDown)
        OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseMove)
        OnListBoxMouseMove(this, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseUp)
        OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TskSkinCustomListBox::ListBoxClick()
{
    if (OnListBoxClick)
        OnListBoxClick(this);
}

void TskSkinCustomListBox::ListBoxDblClick()
{
    if (OnListBoxDblClick)
        OnListBoxDblClick(this);
}

void TskSkinCustomListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyDown)
        OnListBoxKeyDown(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyUp(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyUp)
        OnListBoxKeyUp(this, Key, Shift);
}

void TskSkinCustomListBox::ListBoxKeyPress(char16_t& Key)
{
    if (OnListBoxKeyPress)
        OnListBoxKeyPress(this, Key);
}

} // namespace tovrel
