// The component's own window states, which its caption buttons command:
// maximize to the monitor's work area, restore, minimize, roll up, and the
// size limits the frame needs.
#include "platform/vcl/Application.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Timer.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/MonitorAreas.h"
#include "skin/forms/SkinForm.h"
#include "skin/forms/TrayIcon.h"

namespace tovrel {

namespace {

TRect WorkArea(TCustomForm& form, bool whole)
{
    RECT r{};
    GetMonitorWorkArea(form.Handle(), !whole, r);
    return r;
}

} // namespace

int TskSkinForm::GetMinWidth() const
{
    if (!FSkinSupport)
        return MinWidth > 0 ? MinWidth : 120;
    const int pw = FSD->FPicture->Width();
    const bool minimized = FWindowState == wsMinimized;
    if (pw < MinWidth && !minimized)
        return MinWidth;
    if (const int formMin = FSD->FormInfo.FormMinWidth; formMin > 0)
        return formMin >= MinWidth || minimized ? formMin : MinWidth;
    return pw;
}

int TskSkinForm::GetMinHeight() const
{
    const int frame =
        FSkinSupport ? FSD->FPicture->Height() - GetRectHeight(FSD->FormInfo.ClRect) : GetDefCaptionHeight() + 6;
    return frame >= MinHeight || FRollUpState || FWindowState == wsMinimized ? frame : MinHeight;
}

int TskSkinForm::GetMaxWidth() const
{
    return MaxWidth != 0 ? MaxWidth : WorkArea(*FForm, false).Width();
}

int TskSkinForm::GetMaxHeight() const
{
    return MaxHeight != 0 ? MaxHeight : WorkArea(*FForm, false).Height();
}

int TskSkinForm::GetUnrolledHeight() const
{
    return FRollUpState ? OldHeight : FFormHeight;
}

void TskSkinForm::CheckFormSize()
{
    const int w = FForm->Width();
    if (w - 1 < GetMinWidth()) {
        FForm->SetWidth(w + 1);
        FForm->SetWidth(w);
    } else {
        FForm->SetWidth(w - 1);
        FForm->SetWidth(w);
    }
}

void TskSkinForm::ApplyWindowState(TWindowState Value)
{
    if (!FSkinnableForm) {
        FForm->SetWindowState(Value);
        return;
    }
    if (Value == FWindowState)
        return;
    const TWindowState previous = FWindowState;
    if (!(Value == wsMinimized && IsMainForm()))
        FWindowState = Value;
    switch (Value) {
    case wsNormal:
        if (previous == wsMaximized && FRollUpState && !FRollUpBeforeMaximize)
            ApplyRollUpState(false);
        FRollUpBeforeMaximize = false;
        DoNormal();
        break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized:
        FRollUpBeforeMaximize = FRollUpState;
        DoMaximize();
        break;
    }
    SendNCPaint();
    UpdateBorderLayer();
}

void TskSkinForm::DoMaximize()
{
    if (IsNullRect(OldBoundsRect))
        OldBoundsRect = FForm->BoundsRect();
    TRect r = WorkArea(*FForm, MaximizeOnFullScreen);
    if (!MaximizeOnFullScreen) {
        // A work area as large as the primary screen (a hidden task bar): one
        // pixel is left free at each edge, so the task bar can still be called up.
        const TRect whole = WorkArea(*FForm, true);
        RECT screen{};
        GetScreenWorkArea(false, screen);
        if (r.Width() == whole.Width() && r.Height() == whole.Height() && whole == TRect(screen))
            r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    FForm->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (OnMaximize)
        OnMaximize(this);
}

void TskSkinForm::DoMinimize()
{
    if (IsMainForm()) {
        Application->Minimize();
    } else {
        if (IsNullRect(OldBoundsRect))
            OldBoundsRect = FForm->BoundsRect();
        const TPoint p = GetMinimizedPos();
        FForm->SetBounds(p.X, p.Y, GetMinWidth(), GetMinHeight());
    }
    if (OnMinimize)
        OnMinimize(this);
}

void TskSkinForm::DoNormal()
{
    MaxRollUpState = false;
    const int w = FForm->Width(), h = FForm->Height();
    if (!IsNullRect(OldBoundsRect)) {
        TRect r = OldBoundsRect;
        if (FStartShow) {
            FStartShow = false;
            const TPoint p = GetPositionInMonitor(r.Left, r.Top, r.Width(), r.Height());
            r = Bounds(p.X, p.Y, r.Width(), r.Height());
        }
        FForm->SetBoundsRect(r);
    }
    FMouseTimer->SetEnabled(true);
    if (FForm->Width() == w && FForm->Height() == h)
        CheckFormSize();
    FForm->Repaint();
    OldBoundsRect = NullRect();
    if (OnRestore)
        OnRestore(this);
}

void TskSkinForm::ApplyRollUpState(bool Value)
{
    // Rolling up twice would take the rolled height for the one to restore.
    if (!FBorderIcons.Contains(TskBorderIcon::biRollUp) || FWindowState == wsMinimized || Value == FRollUpState)
        return;
    if (FRollUpState && FWindowState == wsMaximized && !MaxRollUpState)
        return;
    if (FWindowState == wsMaximized)
        MaxRollUpState = Value;
    FRollUpState = Value;
    if (Value) {
        OldHeight = FForm->Height();
        FForm->SetHeight(GetMinHeight());
    } else if (ClientHeight != 0) {
        FForm->SetClientHeight(ClientHeight);
    } else {
        FForm->SetHeight(OldHeight);
    }
    SendNCPaint();
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TskSkinForm::SetTrayIcon(TskTrayIcon* Value)
{
    FTrayIcon = Value;
    if (!Value)
        return;
    if (!AlwaysShowInTray)
        Value->SetIconVisible(false);
    Value->MinimizeToTray = false;
    if (!Value->PopupMenu())
        Value->SetPopupMenu(TrayMenu());
    if (!Value->OnDblClick)
        Value->OnDblClick = [this](TObject*) { RestoreFromTray(); };
}

// Without a tray on the desktop (or without a tray icon) the form is
// minimized instead, so it stays reachable.
void TskSkinForm::MinimizeToTray()
{
    TskTrayIcon* tray = FTrayIcon;
    if (!tray || !tray->DoMinimizeToTray()) {
        ApplyWindowState(wsMinimized);
        return;
    }
    tray->MinimizeToTray = true;
    if (OnMinimizeToTray)
        OnMinimizeToTray(this);
}

void TskSkinForm::RestoreFromTray()
{
    TskTrayIcon* tray = FTrayIcon;
    if (!tray)
        return;
    tray->MinimizeToTray = false;
    tray->ShowMainForm();
    if (!AlwaysShowInTray)
        tray->SetIconVisible(false);
    if (OnRestoreFromTray)
        OnRestoreFromTray(this);
}

} // namespace tovrel
