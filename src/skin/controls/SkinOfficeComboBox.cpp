// The office combo box's properties, layout, opening, closing and choice.
#include "skin/controls/SkinOfficeComboBox.h"

#include "platform/gdi/SysColors.h"
#include "platform/wm/Timers.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/draw/MonitorAreas.h"

namespace tovrel {

TskSkinCustomOfficeComboBox::TskSkinCustomOfficeComboBox(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FDefaultColor(clWindow)
{
    ControlStyle = ControlStyle + TControlStyle{csCaptureMouse, csDoubleClicks};
    SetSkinDataName("combobox");
    SetBounds(Left(), Top(), 120, 41);
    SetTabStop(true);
    Font()->SetName("Arial");
    Font()->SetHeight(14);
    Font()->SetColor(clWindowText);
    FListBox = new TskPopupOfficeListBox(this);
    FListBoxWindowProc = FListBox->WindowProc;
    FListBox->WindowProc = [this](TMessage& message) { ListBoxWindowProcHook(message); };
    FListBox->Hide();
    FListBox->MouseMoveChangeIndex = true;
    CalcRects();
}

TskSkinCustomOfficeComboBox::~TskSkinCustomOfficeComboBox()
{
    StopTimer();
    // The hook calls into this box: the list goes while the box is whole.
    FListBox->WindowProc = FListBoxWindowProc;
    TObject::Free(std::exchange(FListBox, nullptr));
}

void TskSkinCustomOfficeComboBox::SetItemIndex(int Value)
{
    FListBox->SetItemIndex(Value);
    FOldItemIndex = FListBox->ItemIndex();
    Repaint();
    if (Loading())
        return;
    if (OnClick)
        OnClick(this);
    Change();
}

void TskSkinCustomOfficeComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TskSkinCustomOfficeComboBox::SetShowItemTitle(bool Value)
{
    if (Value == FShowItemTitle)
        return;
    FShowItemTitle = Value;
    Repaint();
}

void TskSkinCustomOfficeComboBox::SetShowItemImage(bool Value)
{
    if (Value == FShowItemImage)
        return;
    FShowItemImage = Value;
    Repaint();
}

void TskSkinCustomOfficeComboBox::SetShowItemText(bool Value)
{
    if (Value == FShowItemText)
        return;
    FShowItemText = Value;
    Repaint();
}

void TskSkinCustomOfficeComboBox::SetToolButtonStyle(bool Value)
{
    if (Value == FToolButtonStyle)
        return;
    FToolButtonStyle = Value;
    if (Value)
        UseSkinSize = false;
    Repaint();
}

void TskSkinCustomOfficeComboBox::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (FIndex == -1)
        Invalidate();
}

void TskSkinCustomOfficeComboBox::SetDropDownCount(int Value)
{
    if (Value >= 0)
        FDropDownCount = Value;
}

void TskSkinCustomOfficeComboBox::CalcRects()
{
    if (FIndex == -1 || !FComboEntry || FToolButtonStyle) {
        Button.R = TRect{Width() - 19, 2, Width() - 2, Height() - 2};
        CBItem.R = TRect{2, 2, Button.R.Left - 1, Height() - 2};
        return;
    }
    const int dw = Width() - G.SkinRect.Width(), dh = Height() - G.SkinRect.Height();
    Button.R = CBButtonRect;
    // A button in the right-hand corner follows the right edge.
    if (CBButtonRect.Left >= G.SkinRect.Width() - G.RTPt.X) {
        Button.R.Left += dw;
        Button.R.Right += dw;
    }
    CBItem.R = G.ClRect;
    CBItem.R.Right += dw;
    if (!UseSkinSize) {
        Button.R.Bottom += dh;
        CBItem.R.Bottom += dh;
    }
}

void TskSkinCustomOfficeComboBox::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    const auto* e = SkinEntryAt<const TskDataSkinComboBox>(SkinData(), FIndex);
    FComboEntry = e != nullptr;
    if (!e)
        return;
    ActiveSkinRect = e->ActiveSkinRect;
    ActiveFontColor = e->ActiveFontColor;
    SItemRect = e->SItemRect;
    ActiveItemRect = e->ActiveItemRect;
    FocusItemRect = e->FocusItemRect.Width() <= 0 || e->FocusItemRect.Height() <= 0 ? e->SItemRect : e->FocusItemRect;
    ItemLeftOffset = e->ItemLeftOffset;
    ItemRightOffset = e->ItemRightOffset;
    ItemTextRect = e->ItemTextRect;
    FontName = e->FontName;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    FontColor = e->FontColor;
    FocusFontColor = e->FocusFontColor;
    CBButtonRect = e->ButtonRect;
    ActiveButtonRect = e->ActiveButtonRect;
    DownButtonRect = e->DownButtonRect;
    UnEnabledButtonRect = e->UnEnabledButtonRect;
    ItemStretchEffect = e->ItemStretchEffect;
    FocusItemStretchEffect = e->FocusItemStretchEffect;
    ShowFocus = e->ShowFocus;
}

void TskSkinCustomOfficeComboBox::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    CalcRects();
    Repaint();
    if (FIndex == -1)
        FListBox->SetSkinDataName("");
    FListBox->SetSkinData(SkinData());
    CalcRects();
}

void TskSkinCustomOfficeComboBox::CalcSize(int& AWidth, int& AHeight)
{
    if (UseSkinSize || FIndex == -1) {
        TskSkinCustomControl::CalcSize(AWidth, AHeight);
        return;
    }
    // Any size: only the right-hand corners and the client's right edge follow.
    const int dw = AWidth - G.SkinRect.Width();
    G.NewLTPoint = G.LTPt;
    G.NewLBPoint = G.LBPt;
    G.NewRTPoint = TPoint{G.RTPt.X + dw, G.RTPt.Y};
    G.NewRBPoint = TPoint{G.RBPt.X + dw, G.RBPt.Y};
    G.NewClRect = G.ClRect;
    G.NewClRect.Right += dw;
}

void TskSkinCustomOfficeComboBox::SetControlRegion()
{
    if (UseSkinSize)
        TskSkinCustomControl::SetControlRegion();
}

void TskSkinCustomOfficeComboBox::DropDown()
{
    if (Items()->Count() == 0)
        return;
    WasInLB = false;
    StopTimer();
    if (OnDropDown)
        OnDropDown(this);
    FListBox->SetWidth(ListBoxWidth != 0 ? ListBoxWidth : Width());
    FListBox->OnDrawItem = OnDrawItem;
    FOldItemIndex = FListBox->ItemIndex();
    if (FOldItemIndex == 0 && Items()->Count() > 1) {
        // Scrolls the list to its top.
        FListBox->SetItemIndex(1);
        FListBox->SetItemIndex(0);
    }
    FDropDown = true;
    if (FToolButtonStyle)
        Repaint();
    FListBox->SetSkinData(SkinData());
    if (ListBoxHeight > 0)
        FListBox->SetHeight(ListBoxHeight);
    else if (FDropDownCount > 0)
        FListBox->SetHeight(FListBox->CalcHeight(FDropDownCount));
    const int listHeight = FListBox->Height();
    TPoint P{Left() + Width() - FListBox->Width(), Top() + Height()};
    if (Parent()) {
        const TPoint origin = Parent()->ClientOrigin();
        P = TPoint{P.X + origin.X, P.Y + origin.Y};
    }
    RECT area{0, 0, 0, 0};
    GetMonitorWorkArea(HandleAllocated() ? Handle() : nullptr, true, area);
    if (area.Bottom < P.Y + listHeight)
        P.Y -= Height() + listHeight;
    FListBox->Show(P);
}

void TskSkinCustomOfficeComboBox::CloseUp(bool Value)
{
    StopTimer();
    if (!FListBox || !IsPopupVisible())
        return;
    FListBox->Hide();
    const int index = FListBox->ItemIndex();
    if (index >= 0 && index < Items()->Count() && Value) {
        FDropDown = false;
        Repaint();
        if (OnClick)
            OnClick(this);
        Change();
    } else {
        FListBox->SetItemIndex(FOldItemIndex < Items()->Count() ? FOldItemIndex : -1);
    }
    FDropDown = false;
    Repaint();
    if (Value && OnCloseUp)
        OnCloseUp(this);
}

void TskSkinCustomOfficeComboBox::SetTimerMode(int Mode)
{
    if (Mode == FTimerMode)
        return;
    FTimerMode = Mode;
    if (HandleAllocated())
        SetTimer(Handle(), 1, 25, nullptr);
}

void TskSkinCustomOfficeComboBox::StopTimer()
{
    if (FTimerMode != 0 && HandleAllocated())
        KillTimer(Handle(), 1);
    FTimerMode = 0;
}

void TskSkinCustomOfficeComboBox::TimerTick()
{
    if (FTimerMode == 1)
        FListBox->FindUp();
    else if (FTimerMode == 2)
        FListBox->FindDown();
}

std::vector<std::pair<int, TPoint>> TskSkinCustomOfficeComboBox::ShownRowCentres() const
{
    std::vector<std::pair<int, TPoint>> rows;
    if (!IsPopupVisible())
        return rows;
    for (int i = 0; i < Items()->Count(); ++i) {
        const TskSkinOfficeItem& item = *Items()->Items(i);
        if (!item.IsVisible)
            continue;
        const TRect& r = item.ItemRect;
        rows.emplace_back(i, FListBox->ClientToScreen(Point((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2)));
    }
    return rows;
}

} // namespace tovrel
