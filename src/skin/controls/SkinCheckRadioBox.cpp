#include "skin/controls/SkinCheckRadioBox.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Timers.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kMorphTimerId = 1;

} // namespace

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

bool TskSkinCheckRadioBox::MorphingActive() const
{
    const TskSkinData* skin = SkinData();
    return Morphing && skin && !skin->Empty && skin->EnableSkinEffects;
}

void TskSkinCheckRadioBox::HoverChanged()
{
    if (MorphingActive() && FIndex != -1)
        StartMorphing();
    else
        Repaint();
}

void TskSkinCheckRadioBox::StartMorphing()
{
    if (FMorphTimer)
        return;
    FMorphTimer = SetTimer(Handle(), kMorphTimerId, kMorphInterval, nullptr) != 0;
}

void TskSkinCheckRadioBox::StopMorphing()
{
    if (FMorphTimer && HandleAllocated())
        KillTimer(Handle(), kMorphTimerId);
    FMorphTimer = false;
}

void TskSkinCheckRadioBox::MorphTick()
{
    GetSkinData();
    const TskHoverMorph::TTick tick = FMorph.Tick(FMouseIn || HasFocusFrame(), FIndex != -1 && MorphingActive());
    if (tick.Finished)
        StopMorphing();
    if (tick.Repaint)
        Repaint();
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

void TskSkinCheckRadioBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (!FMouseIn) {
        FMouseIn = true;
        HoverChanged();
    }
    TskSkinCustomControl::MouseDown(button, shift, x, y);
}

void TskSkinCheckRadioBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TskSkinCustomControl::MouseUp(button, shift, x, y);
    // A release after the pointer left the box is no click.
    if (button != mbLeft || !FMouseIn)
        return;
    if (FAllowGrayed && !FRadio && FState == cbUnchecked) {
        FState = cbGrayed;
        Repaint();
        DoClick();
    } else {
        Toggle();
    }
}

bool TskSkinCheckRadioBox::HandleFocusClick(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (Focused())
            return false;
        FClicksDisabled = true;
        if (CanFocus())
            SetFocus();
        FClicksDisabled = false;
        // A box that could not take the focus takes no click either.
        return !Focused();
    case CN_COMMAND: return FClicksDisabled;
    default: return false;
    }
}

void TskSkinCheckRadioBox::WndProc(TMessage& message)
{
    if (FCanFocused && HandleFocusClick(message))
        return;
    switch (message.Msg) {
    case WM_KEYUP:
        TskSkinCustomControl::WndProc(message);
        // Space acts on release, and only with the focus.
        if (FCanFocused && message.WParam == VK_SPACE && Focused())
            Toggle();
        return;
    case CM_DIALOGCHAR:
        if (FCanFocused && CanFocus() && IsAccelChar(message.WParam, Caption())) {
            SetFocus();
            Toggle();
            message.Result = 1;
            return;
        }
        break;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskSkinCustomControl::WndProc(message);
        FMouseIn = message.Msg == CM_MOUSEENTER;
        HoverChanged();
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskSkinCustomControl::WndProc(message);
        if (FCanFocused) {
            if (FFlat)
                Invalidate();
            else
                HoverChanged();
        }
        return;
    case CM_ENABLEDCHANGED:
        TskSkinCustomControl::WndProc(message);
        if (MorphingActive()) {
            StopMorphing();
            FMorph.Kf = 0;
        }
        FMouseIn = false;
        Repaint();
        return;
    case CM_TEXTCHANGED:
        TskSkinCustomControl::WndProc(message);
        Repaint();
        return;
    case WM_MOVE:
        TskSkinCustomControl::WndProc(message);
        // What lies behind a transparent box changed.
        if (FFlat)
            Invalidate();
        return;
    case WM_ERASEBKGND:
        if (!FromWMPaint && !FFlat && Width() > 0 && Height() > 0) {
            TBitmap B(Width(), Height());
            BuildImage(B, CurrentLook());
            TCanvas target;
            target.SetHandle(HDC(message.WParam));
            target.Draw(0, 0, &B);
            target.SetHandle(nullptr);
            message.Result = 1;
            return;
        }
        break;
    case WM_TIMER:
        if (message.WParam == kMorphTimerId) {
            MorphTick();
            return;
        }
        break;
    default: break;
    }
    TskSkinCustomControl::WndProc(message);
}

} // namespace tovrel
