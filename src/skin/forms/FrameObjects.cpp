#include "skin/forms/FrameObjects.h"

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/EffectBmp.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

void ApplyInActiveEffect(TskEffectBmp& e, TskInActiveEffect effect)
{
    switch (effect) {
    case TskInActiveEffect::ieBrightness: e.ChangeBrightness(0.5); break;
    case TskInActiveEffect::ieDarkness: e.ChangeDarkness(0.3); break;
    case TskInActiveEffect::ieGrayScale: e.GrayScale(); break;
    case TskInActiveEffect::ieNoise: e.AddMonoNoise(50); break;
    case TskInActiveEffect::ieSplitBlur: e.SplitBlur(1); break;
    case TskInActiveEffect::ieInvert: e.Invert(); break;
    }
}

// ---- the base object ----

TskActiveSkinObject::TskActiveSkinObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : Parent(AParent), SD(AParent->SkinData())
{
    if (AData) {
        IDName = AData->IDName;
        Hint = AData->Hint;
        SkinRectInAPicture = AData->SkinRectInAPicture;
        SkinRect = AData->SkinRect;
        InActiveSkinRect = AData->InActiveSkinRect;
        Morphing = AData->Morphing;
        MorphKind = AData->MorphKind;
        if (SD)
            ActivePicture = SD->ActivePicture(AData->ActivePictureIndex);
        // The entry itself loses its hot image when the picture is missing.
        if (!ActivePicture)
            AData->ActiveSkinRect = NullRect();
        ActiveSkinRect = AData->ActiveSkinRect;
        if (SD)
            ActiveMaskPicture = SD->ActivePicture(AData->ActiveMaskPictureIndex);
        if (Morphing && IsNullRect(ActiveSkinRect))
            Morphing = false;
    }
    ObjectRect = SkinRect;
    if (SD)
        Picture = SD->FPicture.get();
}

bool TskActiveSkinObject::HasSkin() const
{
    return SD && !SD->Empty;
}

bool TskActiveSkinObject::EnableMorphing() const
{
    return Morphing && HasSkin() && SD->EnableSkinEffects;
}

bool TskActiveSkinObject::CanMorphing()
{
    return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0);
}

void TskActiveSkinObject::SetMorphValue(double Value)
{
    FMorphKf = Value < 0 ? 0 : Value > 1 ? 1 : Value;
}

void TskActiveSkinObject::DoMorphing()
{
    SetMorphValue(Active ? FMorphKf + 0.2 : FMorphKf - 0.2);
    Parent->DrawSkinObject(*this);
}

void TskActiveSkinObject::RedrawOrMorph()
{
    if (EnableMorphing())
        Parent->MorphTimer()->SetEnabled(true);
    else
        Parent->DrawSkinObject(*this);
}

bool TskActiveSkinObject::PointInObject(int X, int Y)
{
    if (!HasSkin() || !ActiveMaskPicture)
        return true;
    if (X < 0 || Y < 0 || X >= ActiveMaskPicture->Width() || Y >= ActiveMaskPicture->Height())
        return false;
    return (ActiveMaskPicture->Canvas()->Pixels(X, Y) & 0xFFFFFF) == 0;
}

void TskActiveSkinObject::CopyImage(TCanvas* Cnvs, TBitmap* From, TRect R) const
{
    if (From && !IsNullRect(R))
        Cnvs->CopyRect(ObjectRect, From->Canvas(), R);
}

bool TskActiveSkinObject::MorphUnderWay() const
{
    return (Active && FMorphKf != 1) || (!Active && FMorphKf != 0);
}

void TskActiveSkinObject::DrawMorph(TCanvas* Cnvs, TBitmap* NormalFrom, TRect Normal, TRect Hot) const
{
    const int w = GetRectWidth(ObjectRect), h = GetRectHeight(ObjectRect);
    if (w <= 0 || h <= 0 || !NormalFrom || !ActivePicture)
        return;
    TBitmap n(w, h), a(w, h);
    n.Canvas()->CopyRect(Rect(0, 0, w, h), NormalFrom->Canvas(), Normal);
    a.Canvas()->CopyRect(Rect(0, 0, w, h), ActivePicture->Canvas(), Hot);
    TskEffectBmp en = TskEffectBmp::CreateFromhWnd(n.Handle());
    const TskEffectBmp ea = TskEffectBmp::CreateFromhWnd(a.Handle());
    en.MorphByKind(MorphKind, ea, FMorphKf);
    en.Draw(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top);
}

void TskActiveSkinObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!HasSkin())
        return;
    if (Enabled && !Parent->GetFormActive() && !IsNullRect(InActiveSkinRect)) {
        CopyImage(Cnvs, ActivePicture, InActiveSkinRect);
        return;
    }
    TBitmap* normalFrom = SkinRectInAPicture ? ActivePicture : Picture;
    if (EnableMorphing() && MorphUnderWay()) {
        DrawMorph(Cnvs, normalFrom, SkinRect, ActiveSkinRect);
        return;
    }
    if (Active && !IsNullRect(ActiveSkinRect))
        CopyImage(Cnvs, ActivePicture, ActiveSkinRect);
    else if (UpDate || SkinRectInAPicture)
        CopyImage(Cnvs, normalFrom, SkinRect);
}

void TskActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (Parent->OnMouseDownEvent)
        Parent->OnMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (FMouseIn && Parent->OnMouseUpEvent)
        Parent->OnMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TskActiveSkinObject::MouseMove(int X, int Y)
{
    if (Parent->OnMouseMoveEvent)
        Parent->OnMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TskActiveSkinObject::Hover(bool In)
{
    FMouseIn = In;
    Active = In;
    if (!IsNullRect(ActiveSkinRect))
        RedrawOrMorph();
    const TskMouseEnterEvent& event = In ? Parent->OnMouseEnterEvent : Parent->OnMouseLeaveEvent;
    if (event)
        event(IDName);
    if (In)
        ShowLayer();
    else
        HideLayer();
}

void TskActiveSkinObject::MouseEnter()
{
    Hover(true);
}

void TskActiveSkinObject::MouseLeave()
{
    Hover(false);
}

// ---- user object ----

void TskUserObject::Draw(TCanvas* Cnvs, bool)
{
    if (Parent->OnPaintEvent)
        Parent->OnPaintEvent(IDName, Cnvs, ObjectRect);
}

// ---- caption button ----

TskSkinButtonObject::TskSkinButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskActiveSkinObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinButton*>(AData)) {
        DownRect = data->DownRect;
        DisableSkinRect = data->DisableSkinRect;
    }
}

bool TskSkinButtonObject::CanMorphing()
{
    return TskActiveSkinObject::CanMorphing();
}

void TskSkinButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!HasSkin())
        return;
    if (!Enabled && !IsNullRect(DisableSkinRect))
        CopyImage(Cnvs, ActivePicture, DisableSkinRect);
    else if (FDown && FMouseIn && !IsNullRect(DownRect))
        CopyImage(Cnvs, ActivePicture, DownRect);
    else
        TskActiveSkinObject::Draw(Cnvs, UpDate);
}

void TskSkinButtonObject::SetButtonDown(bool Value)
{
    FDown = Value;
    if (EnableMorphing() && Active)
        FMorphKf = 1;
    Parent->DrawSkinObject(*this);
    if (EnableMorphing() && !FDown)
        RedrawOrMorph();
}

void TskSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && !FDown)
        SetButtonDown(true);
    TskActiveSkinObject::MouseDown(X, Y, Button);
}

void TskSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && FDown)
        SetButtonDown(false);
    TskActiveSkinObject::MouseUp(X, Y, Button);
}

void TskSkinButtonObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    if (IsNullRect(DownRect) || !FDown) {
        if (!IsNullRect(ActiveSkinRect))
            RedrawOrMorph();
    } else {
        if (EnableMorphing())
            FMorphKf = 1;
        Parent->DrawSkinObject(*this);
    }
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
    ShowLayer();
}

void TskSkinButtonObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    Parent->DrawSkinObject(*this);
    RedrawOrMorph();
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
    HideLayer();
}

// ---- standard caption button ----

TskSkinStdButtonObject::TskSkinStdButtonObject(TskSkinForm* AParent, TskDataSkinObject* AData)
    : TskSkinButtonObject(AParent, AData)
{
    if (auto* data = dynamic_cast<TskDataSkinStdButton*>(AData)) {
        LoadCommand(*data);
        FSkinSupport = true;
    }
}

bool TskSkinStdButtonObject::ShowsFormIcon() const
{
    return Command == TskStdCommand::cmSysMenu && Parent->ShowIcon && FSkinSupport && SkinRectInAPicture;
}

bool TskCommandButton::CommandInRestoreState(const TskSkinForm& Form) const
{
    switch (Command) {
    case TskStdCommand::cmMaximize: return Form.WindowState() == wsMaximized;
    case TskStdCommand::cmMinimize: return Form.WindowState() == wsMinimized;
    case TskStdCommand::cmRollUp: return Form.RollUpState();
    default: return false;
    }
}

void TskCommandButton::ChooseHint(const TskSkinForm& Form, std::string& Hint) const
{
    if (Command != TskStdCommand::cmDefault)
        Hint = !RestoreHint.empty() && CommandInRestoreState(Form) ? RestoreHint : FTempHint;
}

bool TskSkinStdButtonObject::PointInObject(int X, int Y)
{
    return ShowsFormIcon() || TskSkinButtonObject::PointInObject(X, Y);
}

bool TskSkinStdButtonObject::CanMorphing()
{
    if (Command == TskStdCommand::cmSysMenu && Parent->ShowIcon && SkinRectInAPicture)
        return false;
    return TskSkinButtonObject::CanMorphing();
}

void TskSkinStdButtonObject::Draw(TCanvas* Cnvs, bool UpDate)
{
    if (!FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    if (!HasSkin())
        return;
    if (ShowsFormIcon()) {
        if (TIcon* icon = Parent->Form()->Icon(); icon && !icon->Empty())
            Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, icon);
        FMorphKf = 0;
        return;
    }
    const bool restore = InRestoreState();
    if (!Enabled || (!Parent->GetFormActive() && !IsNullRect(InActiveSkinRect) && !restore) ||
        IsNullRect(RestoreRect) || !restore) {
        TskSkinButtonObject::Draw(Cnvs, UpDate);
        return;
    }
    if (!Parent->FormActiveFlag() && !IsNullRect(RestoreInActiveRect))
        CopyImage(Cnvs, ActivePicture, RestoreInActiveRect);
    else if (FDown && FMouseIn && !IsNullRect(RestoreDownRect))
        CopyImage(Cnvs, ActivePicture, RestoreDownRect);
    else if (EnableMorphing() && MorphUnderWay())
        DrawMorph(Cnvs, ActivePicture, RestoreRect, RestoreActiveRect);
    else if (Active && !IsNullRect(RestoreActiveRect))
        CopyImage(Cnvs, ActivePicture, RestoreActiveRect);
    else
        CopyImage(Cnvs, ActivePicture, RestoreRect);
}

void TskSkinStdButtonObject::MouseEnter()
{
    ChooseHint(*Parent, Hint);
    TskSkinButtonObject::MouseEnter();
}

void TskSkinStdButtonObject::MouseDown(int, int, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || FDown)
        return;
    SetButtonDown(true);
    if (Command == TskStdCommand::cmSysMenu && Parent->OnSystemMenuButton)
        Parent->OnSystemMenuButton(*this);
}

void TskSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    const bool run = Active && Button == mbLeft && Enabled && FDown;
    if (Command == TskStdCommand::cmClose) {
        TskSkinButtonObject::MouseUp(X, Y, Button);
        if (run)
            RunStdCommand(*Parent);
        return;
    }
    if (run)
        RunStdCommand(*Parent);
    TskSkinButtonObject::MouseUp(X, Y, Button);
}

void TskSkinStdButtonObject::DblClick()
{
    if (Command == TskStdCommand::cmSysMenu)
        Parent->Form()->Close();
}

void TskCommandButton::RunStdCommand(TskSkinForm& Form) const
{
    TskSkinForm* form = &Form;
    const auto leaveAll = [form] { form->TestActive(-1, -1, false); };
    switch (Command) {
    case TskStdCommand::cmClose:
        leaveAll();
        form->Form()->Close();
        break;
    case TskStdCommand::cmMaximize:
        leaveAll();
        form->ApplyWindowState(form->WindowState() == wsMaximized ? wsNormal : wsMaximized);
        break;
    case TskStdCommand::cmMinimize:
        leaveAll();
        if (form->AlwaysMinimizeToTray)
            form->MinimizeToTray();
        else
            form->ApplyWindowState(form->WindowState() == wsMinimized ? wsNormal : wsMinimized);
        break;
    case TskStdCommand::cmRollUp: form->ApplyRollUpState(!form->RollUpState()); break;
    case TskStdCommand::cmMinimizeToTray:
        leaveAll();
        form->MinimizeToTray();
        break;
    case TskStdCommand::cmSysMenu:
    case TskStdCommand::cmDefault: break;
    }
}

} // namespace tovrel
