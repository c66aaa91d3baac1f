#include "platform/ctrls/Splitter.h"

#include "platform/gdi/Drawing.h"

#include <algorithm>

namespace tovrel {

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner)
{
    SetAlign(alLeft);
    SetBounds(0, 0, 3, 100);
    Cursor = crSizeWE;
    SetParentColor(true);
}

TControl* TSplitter::FindControl() const
{
    if (!Parent())
        return nullptr;
    // The nearest control on the same side whose edge touches the splitter.
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        TControl* c = Parent()->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align())
            continue;
        const bool touches = (Align() == alLeft && c->Left() + c->Width() == Left()) ||
                             (Align() == alRight && c->Left() == Left() + Width()) ||
                             (Align() == alTop && c->Top() + c->Height() == Top()) ||
                             (Align() == alBottom && c->Top() == Top() + Height());
        if (touches)
            return c;
    }
    return nullptr;
}

void TSplitter::SetBeveled(bool value)
{
    if (beveled_ == value)
        return;
    beveled_ = value;
    Invalidate();
}

void TSplitter::Paint()
{
    Canvas()->Brush()->SetColor(Color());
    TRect r = ClientRect();
    Canvas()->FillRect(r);
    if (beveled_) {
        RECT edge = r;
        DrawEdge(Canvas()->Handle(), &edge, BDR_RAISEDINNER, BF_RECT);
    }
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft)
        return;
    control_ = FindControl();
    if (!control_)
        return;
    downAt_ = ClientToScreen(Point(x, y));
    startSize_ = Vertical() ? control_->Width() : control_->Height();
    dragging_ = true;
}

void TSplitter::MouseMove(TShiftState shift, int x, int y)
{
    TGraphicControl::MouseMove(shift, x, y);
    if (!dragging_)
        return;
    const TPoint at = ClientToScreen(Point(x, y));
    DragBy(Vertical() ? at.X - downAt_.X : at.Y - downAt_.Y);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!dragging_)
        return;
    dragging_ = false;
    control_ = nullptr;
    if (OnMoved)
        OnMoved(this);
}

void TSplitter::DragBy(int delta)
{
    if (!control_ || !Parent())
        return;
    // Growing to the right or down for left/top; the other way for right/bottom.
    const bool reversed = Align() == alRight || Align() == alBottom;
    const int room =
        (Vertical() ? Parent()->ClientWidth() : Parent()->ClientHeight()) - (Vertical() ? Width() : Height());
    const int size = std::clamp(startSize_ + (reversed ? -delta : delta), MinSize, std::max(MinSize, room - MinSize));
    if (Vertical())
        control_->SetWidth(size);
    else
        control_->SetHeight(size);
}

void TSplitter::WndProc(TMessage& message)
{
    if (message.Msg == CM_MOUSEENTER)
        Cursor = Vertical() ? crSizeWE : crSizeNS;
    TGraphicControl::WndProc(message);
}

} // namespace tovrel
