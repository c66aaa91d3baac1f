#include "skin/controls/SkinCheckRadioBox.h"

#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

TskSkinCheckRadioBox::TskSkinCheckRadioBox(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    // OnClick comes from the box's own rules, not from every release.
    ControlStyle.Exclude(csClickEvents);
    SetSkinDataName("checkbox");
    SetBounds(Left(), Top(), 150, 25);
}

TskSkinCheckRadioBox::~TskSkinCheckRadioBox()
{
    StopMorphing();
}

void TskSkinCheckRadioBox::SetChecked(bool Value)
{
    FChecked = Value;
    if (Value || FState == cbChecked)
        FState = Value ? cbChecked : cbUnchecked;
    Repaint();
    if (FChecked && GroupIndex != 0)
        UncheckGroup();
    if (!FRadio || FChecked)
        DoClick();
}

void TskSkinCheckRadioBox::UncheckGroup()
{
    TWinControl* parent = Parent();
    if (!parent)
        return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        auto* sibling = dynamic_cast<TskSkinCheckRadioBox*>(parent->Controls(i));
        if (sibling && sibling != this && sibling->GroupIndex == GroupIndex && sibling->Checked())
            sibling->SetChecked(false);
    }
}

void TskSkinCheckRadioBox::SetState(TCheckBoxState Value)
{
    FState = Value;
    FChecked = Value == cbChecked;
    Repaint();
    DoClick();
}

void TskSkinCheckRadioBox::Toggle()
{
    if (!FRadio)
        SetChecked(!FChecked);
    else if (!FChecked)
        SetChecked(true);
}

void TskSkinCheckRadioBox::DoClick()
{
    if (OnClick)
        OnClick(this);
}

void TskSkinCheckRadioBox::SetAllowGrayed(bool Value)
{
    FAllowGrayed = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetRadio(bool Value)
{
    FRadio = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetFlat(bool Value)
{
    FFlat = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetWordWrap(bool Value)
{
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    if (FFlat)
        Repaint();
}

void TskSkinCheckRadioBox::SetImages(TCustomImageList* Value)
{
    FImages = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    Repaint();
}

void TskSkinCheckRadioBox::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinCheckRadioBox::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* entry = dynamic_cast<const TskDataSkinCheckRadioControl*>(SkinData()->CtrlList[FIndex].get());
    if (!entry) {
        // An entry of another kind has no marks to show: the default look.
        FIndex = -1;
        return;
    }
    FontName = entry->FontName;
    FontStyle = entry->FontStyle;
    FontHeight = entry->FontHeight;
    FontColor = entry->FontColor;
    ActiveFontColor = entry->ActiveFontColor;
    FrameFontColor = entry->FrameFontColor;
    UnEnabledFontColor = entry->UnEnabledFontColor;
    ActiveSkinRect = IsNullRect(entry->ActiveSkinRect) ? entry->SkinRect : entry->ActiveSkinRect;
    CheckImageArea = entry->CheckImageArea;
    TextArea = entry->TextArea;
    Marks = TskCheckMarkRects::Of(*entry);
    Morphing = entry->Morphing;
    MorphKind = entry->MorphKind;
    if (FFlat) {
        // Transparent over the parent: no shape and no blend of its own.
        Morphing = false;
        G.MaskPicture = nullptr;
    }
}

void TskSkinCheckRadioBox::LookUpEntry()
{
    GetSkinData();
    int w = Width(), h = Height();
    CalcSize(w, h);
}

void TskSkinCheckRadioBox::CalcSize(int& AWidth, int& AHeight)
{
    // A flat box keeps whatever size it is given.
    if (FFlat)
        return;
    TskSkinCustomControl::CalcSize(AWidth, AHeight);
    if (FIndex == -1)
        return;
    const int dw = AWidth - G.SkinRect.Width();
    NewTextArea = TextArea;
    NewTextArea.Right += dw;
    TRect area = CheckImageArea;
    if (TextArea.Right < CheckImageArea.Right) {
        // The mark sits right of the text and moves with the right edge.
        area.Left += dw;
        area.Right += dw;
    }
    const int cw = Marks.Check.Width(), ch = Marks.Check.Height();
    const int left = area.Left + (area.Width() - cw) / 2, top = area.Top + (area.Height() - ch) / 2;
    CIRect = Rect(left, top, left + cw, top + ch);
}

void TskSkinCheckRadioBox::ChangeSkinData()
{
    if (FFlat) {
        GetSkinData();
        Repaint();
        return;
    }
    TskSkinCustomControl::ChangeSkinData();
}

void TskSkinCheckRadioBox::CheckParentBackground()
{
    if (FFlat)
        Repaint();
}

bool TskSkinCheckRadioBox::HasFocusFrame() const
{
    return FCanFocused && Focused();
}

TskSkinCheckRadioBox::TLook TskSkinCheckRadioBox::CurrentLook() const
{
    TLook look;
    look.State = FState;
    look.MouseIn = FMouseIn;
    look.Focus = HasFocusFrame();
    look.Hot = FMouseIn || look.Focus;
    look.Enabled = Enabled();
    return look;
}

void TskSkinCheckRadioBox::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    TBitmap B(Width(), Height());
    BuildImage(B, CurrentLook());
    Canvas()->Draw(0, 0, &B);
}

void TskSkinCheckRadioBox::PaintSkinTo(TCanvas* C, int X, int Y, bool AChecked)
{
    LookUpEntry();
    TLook look = CurrentLook();
    look.Focus = false;
    look.State = FState == cbGrayed ? cbGrayed : AChecked ? cbChecked : cbUnchecked;
    TBitmap B(Width(), Height());
    if (FFlat) {
        if (FIndex == -1) {
            look.DefaultFrame = true;
            look.State = AChecked ? cbChecked : cbUnchecked;
        }
        BuildFlatImage(B, look);
    } else if (FIndex != -1) {
        look.Hot = look.MouseIn = false;
        BuildBoxImage(B, G.SkinRect, look);
    } else {
        return;
    }
    C->Draw(X, Y, &B);
}

} // namespace tovrel
