// Hit testing of the skinned frame, the frame object under the mouse, the
// routing of frame clicks to objects, and the tracking and morph timers.
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Timer.h"
#include "platform/wm/Input.h"
#include "platform/wm/Messages.h"
#include "platform/wm/WindowPos.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/SkinBitmap.h"
#include "skin/forms/AnimateObject.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

bool BlackAt(const TskBitmap& strip, int x, int y)
{
    if (strip.Empty() || x < 0 || y < 0 || x >= strip.Width() || y >= strip.Height())
        return false;
    return (strip.Pixel(x, y) & 0xFFFFFF) == 0;
}

} // namespace

bool TskSkinForm::CanResize() const
{
    return AlwaysResize || FForm->BorderStyle() == bsSizeable || FForm->BorderStyle() == bsSizeToolWin;
}

bool TskSkinForm::PointInMask(TPoint P) const
{
    const TRect& a = frame_.NewMaskRectArea;
    if (a.Contains(P))
        return true;
    if (P.Y <= a.Top)
        return BlackAt(*RMTop, P.X, P.Y);
    if (P.Y < a.Bottom)
        return P.X >= a.Left ? BlackAt(*RMRight, P.X - a.Right, P.Y - a.Top) : BlackAt(*RMLeft, P.X, P.Y - a.Top);
    return BlackAt(*RMBottom, P.X, P.Y - a.Bottom);
}

bool TskSkinForm::InCaptionArea(TPoint P) const
{
    for (const auto& object : ObjectList) {
        const auto* caption = dynamic_cast<const TskSkinCaptionObject*>(object.get());
        if (caption && caption->ObjectRect.Contains(P))
            return !OnQuickButton(*caption, P);
    }
    return false;
}

bool TskSkinForm::OnQuickButton(const TskSkinCaptionObject& Caption, TPoint P) const
{
    if (!Caption.HasQuickButtons())
        return false;
    for (int i = 0; i < FQuickButtons->Count(); ++i)
        if (const TskQuickButtonItem& item = *FQuickButtons->Items(i); item.Visible() && item.ItemRect.Contains(P))
            return true;
    return false;
}

LRESULT TskSkinForm::HitTestSkin(TPoint P) const
{
    const auto rest = [&] { return InCaptionArea(P) ? HTCAPTION : HTOBJECT; };
    if (FRollUpState || FWindowState == wsMinimized)
        return rest();
    if (ActiveObject != -1 && !InCaptionArea(P) && !frame_.NewClRect.Contains(P) && !FSizeMove)
        return HTOBJECT;
    if (FWindowState != wsMaximized && CanResize()) {
        const int b = FSD->FormInfo.BorderW;
        const TPoint probes[] = {{P.X - b, P.Y}, {P.X, P.Y - b}, {P.X + b, P.Y}, {P.X, P.Y + b}};
        const TRect whole{0, 0, FForm->Width(), FForm->Height()};
        const bool masked = FSD->FMask && !FSD->FMask->Empty();
        bool nearBorder = false;
        for (const TPoint& probe : probes)
            if (masked ? !PointInMask(probe) : !whole.Contains(probe))
                nearBorder = true;
        if (masked && frame_.NewMaskRectArea.Contains(P))
            nearBorder = false;
        if (!nearBorder)
            return frame_.NewClRect.Contains(P) ? HTCLIENT : rest();
        const TskFrameGeometry& g = frame_;
        if (P.X <= g.NewHitTestLTPoint.X && P.Y <= g.NewHitTestLTPoint.Y)
            return HTTOPLEFT;
        if (P.X >= g.NewHitTestRTPoint.X && P.Y <= g.NewHitTestRTPoint.Y)
            return HTTOPRIGHT;
        if (P.X <= g.NewHitTestLBPoint.X && P.Y >= g.NewHitTestLBPoint.Y)
            return HTBOTTOMLEFT;
        if (P.X >= g.NewHitTestRBPoint.X && P.Y >= g.NewHitTestRBPoint.Y)
            return HTBOTTOMRIGHT;
        if (TRect{g.NewHitTestLTPoint.X, 0, g.NewHitTestRTPoint.X, g.NewClRect.Top}.Contains(P))
            return HTTOP;
        if (TRect{g.NewHitTestLBPoint.X, g.NewClRect.Bottom, g.NewHitTestRBPoint.X, FForm->Height()}.Contains(P))
            return HTBOTTOM;
        if (TRect{0, g.NewHitTestLTPoint.Y, g.NewClRect.Left, g.NewHitTestLBPoint.Y}.Contains(P))
            return HTLEFT;
        if (TRect{g.NewClRect.Right, g.NewHitTestRTPoint.Y, FForm->Width(), g.NewHitTestRBPoint.Y}.Contains(P))
            return HTRIGHT;
    }
    if (frame_.NewClRect.Contains(P))
        return HTCLIENT;
    return rest();
}

void TskSkinForm::TestActive(int X, int Y, bool AActive)
{
    if (ObjectList.empty() || !GetFormActive() || FSizeMove || FBorderLayerChangeSize || !Bordered())
        return;
    OldActiveObject = ActiveObject;
    int found = -1;
    for (std::size_t i = 0; i < ObjectList.size(); ++i) {
        TskActiveSkinObject& o = *ObjectList[i];
        if (o.Enabled && o.Visible && o.ObjectRect.Contains({X, Y}) &&
            o.PointInObject(X - o.ObjectRect.Left, Y - o.ObjectRect.Top)) {
            found = int(i);
            break;
        }
    }
    ActiveObject = AActive ? found : -1;
    if (MouseCaptureObject != -1 && found != MouseCaptureObject)
        ActiveObject = -1;
    if (ActiveObject >= int(ObjectList.size()))
        ActiveObject = -1;
    if (ActiveObject == OldActiveObject)
        return;
    if (OldActiveObject >= 0 && OldActiveObject < int(ObjectList.size())) {
        TskActiveSkinObject& old = *ObjectList[std::size_t(OldActiveObject)];
        if (old.Enabled && old.Visible)
            old.MouseLeave();
        if (ShowObjectHint && !old.Hint.empty())
            HideFrameHint();
    }
    if (ActiveObject >= 0) {
        TskActiveSkinObject& now = *ObjectList[std::size_t(ActiveObject)];
        if (now.Enabled && now.Visible)
            now.MouseEnter();
        if (ShowObjectHint)
            ShowFrameHint(now.Hint);
    }
}

void TskSkinForm::ResetObjectStates()
{
    for (auto& object : ObjectList) {
        if (dynamic_cast<TskSkinCaptionObject*>(object.get()))
            continue;
        if (auto* animate = dynamic_cast<TskSkinAnimateObject*>(object.get())) {
            animate->FMouseIn = animate->Active = false;
            animate->FFrame = 1;
            continue;
        }
        object->Active = false;
        object->FMouseIn = false;
        object->FMorphKf = 0;
    }
}

void TskSkinForm::UpdateCaptionActive(bool)
{
    const bool active = GetFormActive();
    for (auto& object : ObjectList) {
        auto* caption = dynamic_cast<TskSkinCaptionObject*>(object.get());
        if (!caption)
            continue;
        if (caption->Active != active) {
            caption->Active = active;
            if (caption->EnableMorphing())
                FMorphTimer->SetEnabled(true);
            if (caption->EnableAnimation()) {
                caption->FIncTime = int(kAnimateTick);
                caption->CurrentFrame = active ? 1 : caption->InActiveAnimation ? caption->FrameCount : 0;
                FAnimateTimer->SetEnabled(true);
            }
            SendNCPaint();
        }
        break;
    }
    if (active && OnActivate)
        OnActivate(this);
    else if (!active && OnDeActivate)
        OnDeActivate(this);
}

void TskSkinForm::ObjectMouseMove(int X, int Y)
{
    const int i = MouseCaptureObject != -1 ? MouseCaptureObject : ActiveObject;
    if (i >= 0 && i < int(ObjectList.size()))
        ObjectList[std::size_t(i)]->MouseMove(X, Y);
}

void TskSkinForm::ObjectDblClick()
{
    if (ActiveObject >= 0 && ActiveObject < int(ObjectList.size()))
        ObjectList[std::size_t(ActiveObject)]->DblClick();
}

void TskSkinForm::ObjectMouseDown(TMouseButton Button, int X, int Y)
{
    if (ActiveObject < 0 || ActiveObject >= int(ObjectList.size()))
        return;
    TskActiveSkinObject& object = *ObjectList[std::size_t(ActiveObject)];
    if (!dynamic_cast<TskSkinCaptionObject*>(&object))
        SetCapture(FForm->Handle());
    MouseCaptureObject = ActiveObject;
    object.MouseDown(X, Y, Button);
}

void TskSkinForm::ObjectMouseUp(TMouseButton Button, int X, int Y)
{
    if (MouseCaptureObject < 0 || MouseCaptureObject >= int(ObjectList.size()))
        return;
    TskActiveSkinObject& object = *ObjectList[std::size_t(MouseCaptureObject)];
    MouseCaptureObject = -1;
    if (!dynamic_cast<TskSkinCaptionObject*>(&object) && GetCapture() == FForm->Handle())
        ReleaseCapture();
    // The object's command may close (and free) the form: nothing of it is used after.
    object.MouseUp(X, Y, Button);
}

void TskSkinForm::MouseTimerProc()
{
    if (!GetFormActive())
        return;
    POINT cursor;
    GetCursorPos(&cursor);
    if (WindowFromPoint(cursor) != FForm->Handle()) {
        FMouseTimer->SetEnabled(false);
        TestActive(-1, -1, false);
        return;
    }
    if (FSizeMove || FBorderLayerChangeSize) {
        FMouseTimer->SetEnabled(false);
        return;
    }
    TPoint p{cursor.X, cursor.Y};
    PointToWindow(p);
    const TRect client =
        FSkinSupport ? frame_.NewClRect : TRect{3, GetDefCaptionHeight() + 3, FForm->Width() - 3, FForm->Height() - 3};
    if (!client.Contains(p))
        TestActive(p.X, p.Y, true);
    else if (ActiveObject != -1)
        TestActive(-1, -1, true);
}

void TskSkinForm::MorphTimerProc()
{
    bool due = false;
    for (auto& object : ObjectList)
        if (object->EnableMorphing() && object->CanMorphing()) {
            object->DoMorphing();
            due = true;
        }
    if (!due)
        FMorphTimer->SetEnabled(false);
}

void TskSkinForm::AnimateTimerProc()
{
    bool running = false;
    for (auto& object : ObjectList)
        if (auto* a = dynamic_cast<TskSkinAnimateObject*>(object.get()); a && a->Active && !a->HeldDown()) {
            a->ChangeFrame();
            running = true;
        }
    for (auto& object : ObjectList) {
        auto* c = dynamic_cast<TskSkinCaptionObject*>(object.get());
        if (!c || !c->EnableAnimation())
            continue;
        if (c->FIncTime < c->AnimateInterval) {
            c->FIncTime += int(kAnimateTick);
            running = true;
            continue;
        }
        const bool forward = c->Active && c->CurrentFrame <= c->FrameCount;
        const bool backward = !c->Active && c->CurrentFrame > 0;
        if (!forward && !backward)
            continue;
        c->CurrentFrame += forward ? 1 : -1;
        c->FIncTime = int(kAnimateTick);
        SendNCPaint();
        running = true;
    }
    if (!running)
        FAnimateTimer->SetEnabled(false);
}

void TskSkinForm::StopTimers()
{
    FMouseTimer->SetEnabled(false);
    FMorphTimer->SetEnabled(false);
}

void TskSkinForm::PointToWindow(TPoint& P) const
{
    // A child form (an MDI child) sits in its parent's client area.
    if (FForm->Parent() && FForm->HandleAllocated()) {
        RECT r{};
        GetWindowRect(FForm->Handle(), &r);
        P.X -= r.Left;
        P.Y -= r.Top;
        return;
    }
    P.X -= FForm->Left();
    P.Y -= FForm->Top();
}

} // namespace tovrel
