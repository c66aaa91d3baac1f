#include "skin/forms/AnimateObject.h"

#include <algorithm>

#include "platform/vcl/Canvas.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinFrameEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/forms/SkinForm.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinPopupMenu.h"

namespace tovrel {

TskSkinAnimateObject::TskSkinAnimateObject(TskSkinForm* AParent, TskDataSkinAnimate* AData)
    : TskActiveSkinObject(AParent, AData)
{
    TimerInterval = std::max(AData->TimerInterval, int(kAnimateTick));
    // A strip of no frames still shows its first one and never plays forever.
    CountFrames = std::max(AData->CountFrames, 1);
    Cycle = AData->Cycle;
    ButtonStyle = AData->ButtonStyle;
    DownSkinRect = AData->DownSkinRect;
    LoadCommand(*AData);
}

bool TskSkinAnimateObject::InRestoreStrip() const
{
    return !IsNullRect(RestoreRect) && CommandInRestoreState(*Parent);
}

TRect TskSkinAnimateObject::FrameRect(int N) const
{
    const bool restore = InRestoreStrip();
    const TRect a = restore ? RestoreActiveRect : ActiveSkinRect;
    const TRect s = restore ? RestoreRect : SkinRect;
    const int w = GetRectWidth(s), h = GetRectHeight(s);
    return {a.Left + w * (N - 1), a.Top, a.Left + w * N, a.Top + h};
}

void TskSkinAnimateObject::Start()
{
    FInc = int(kAnimateTick);
    FFrame = 1;
    Active = true;
    Parent->StartAnimateTimer();
}

void TskSkinAnimateObject::Stop()
{
    ShowFrame(1);
    Active = false;
    FInc = int(kAnimateTick);
}

void TskSkinAnimateObject::ShowFrame(int Value)
{
    if (Increment)
        FFrame = Value > CountFrames ? 1 : Value;
    else
        FFrame = Value < 1 ? CountFrames : Value;
    Parent->DrawSkinObject(*this);
}

void TskSkinAnimateObject::ChangeFrame()
{
    if (FInc < TimerInterval) {
        FInc += int(kAnimateTick);
        return;
    }
    if (Increment) {
        ShowFrame(FFrame + 1);
        if (!Cycle && FFrame == CountFrames)
            Active = false;
    } else {
        ShowFrame(FFrame - 1);
        if (FFrame == 1)
            Active = false;
    }
    FInc = int(kAnimateTick);
}

void TskSkinAnimateObject::MenuClosed()
{
    Active = true;
    FFrame = CountFrames;
    FDown = false;
    FMenuTracking = false;
    Increment = false;
    Parent->StartAnimateTimer();
}

void TskSkinAnimateObject::Draw(TCanvas* Cnvs, bool)
{
    if (!HasSkin())
        return;
    const bool restore = InRestoreStrip();
    const TRect down = restore ? RestoreDownRect : DownSkinRect;
    const TRect inactive = restore ? RestoreInActiveRect : InActiveSkinRect;
    if (FMenuTracking) {
        if (IsNullRect(down))
            FFrame = CountFrames;
        CopyImage(Cnvs, ActivePicture, IsNullRect(down) ? FrameRect(FFrame) : down);
    } else if (!Parent->GetFormActive() && !IsNullRect(inactive)) {
        CopyImage(Cnvs, ActivePicture, inactive);
    } else if (FDown && FMouseIn && !IsNullRect(down)) {
        CopyImage(Cnvs, ActivePicture, down);
    } else {
        CopyImage(Cnvs, ActivePicture, FrameRect(FFrame));
    }
}

void TskSkinAnimateObject::Play(bool Forward)
{
    Active = true;
    Increment = Forward;
    if (HeldDown())
        Parent->DrawSkinObject(*this);
    else
        Parent->StartAnimateTimer();
}

void TskSkinAnimateObject::MouseEnter()
{
    ChooseHint(*Parent, Hint);
    FMouseIn = true;
    if (FMenuTracking)
        return;
    if (ButtonStyle)
        Play(true);
    if (Parent->OnMouseEnterEvent)
        Parent->OnMouseEnterEvent(IDName);
    ShowLayer();
}

void TskSkinAnimateObject::MouseLeave()
{
    if (!FMouseIn)
        return;
    FMouseIn = false;
    if (FMenuTracking)
        return;
    if (ButtonStyle)
        Play(false);
    if (Parent->OnMouseLeaveEvent)
        Parent->OnMouseLeaveEvent(IDName);
    HideLayer();
}

void TskSkinAnimateObject::MouseDown(int X, int Y, TMouseButton Button)
{
    TskActiveSkinObject::MouseDown(X, Y, Button);
    if (Button == mbLeft && !IsNullRect(DownSkinRect)) {
        FFrame = CountFrames;
        FDown = true;
        Parent->DrawSkinObject(*this);
    }
    // The system menu opens on the press.
    if (Command == TskStdCommand::cmSysMenu && FMouseIn && ButtonStyle && Button == mbLeft)
        ExecuteCommand();
}

void TskSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button)
{
    TskActiveSkinObject::MouseUp(X, Y, Button);
    if (FMenuTracking)
        return;
    if (Button == mbLeft && !IsNullRect(DownSkinRect)) {
        FDown = false;
        Parent->DrawSkinObject(*this);
        Parent->StartAnimateTimer();
    }
    // The command may close (and free) the form: nothing of this object is used after.
    if (Command != TskStdCommand::cmSysMenu && FMouseIn && ButtonStyle && Button == mbLeft)
        ExecuteCommand();
}

void TskSkinAnimateObject::DblClick()
{
    if (Command == TskStdCommand::cmSysMenu)
        Parent->Form()->Close();
}

void TskSkinAnimateObject::ExecuteCommand()
{
    switch (Command) {
    case TskStdCommand::cmSysMenu:
        MenuItem = Parent->GetSystemMenuItems();
        TrackMenu();
        break;
    case TskStdCommand::cmDefault:
        if (MenuItem)
            TrackMenu();
        break;
    default: RunStdCommand(*Parent); break;
    }
}

void TskSkinAnimateObject::TrackMenu()
{
    if (!MenuItem || MenuItem->Count() == 0)
        return;
    TCustomForm* form = Parent->Form();
    TRect r = ObjectRect;
    r.Left += form->Left();
    r.Right += form->Left();
    r.Top += form->Top();
    r.Bottom += form->Top();
    FMenuTracking = true;
    if (FMouseIn)
        ShowLayer();
    if (auto* popup = dynamic_cast<TskSkinPopupMenu*>(MenuItem->GetParentMenu())) {
        popup->PopupFromRect(r, FPopupUp);
        return;
    }
    Parent->SkinMenuOpen();
    TskSkinData* skin = Parent->MenusSkinData() ? Parent->MenusSkinData() : Parent->SkinData();
    Parent->SkinMenu()->Popup(nullptr, skin, 0, r, MenuItem, FPopupUp);
}

} // namespace tovrel
