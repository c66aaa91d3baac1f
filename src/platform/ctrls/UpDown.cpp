#include "platform/ctrls/UpDown.h"

#include "platform/ctrls/ArrowGlyph.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>
#include <string>

namespace tovrel {

TUpDown::TUpDown(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 17, 25);
    ControlStyle.Exclude(csCaptureMouse);
    ControlStyle.Exclude(csClickEvents);
    SetColor(clBtnFace);
}

TUpDown::~TUpDown()
{
    SetAssociate(nullptr);
}

void TUpDown::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    SetPosition(position_);
}

void TUpDown::SetPosition(int value)
{
    position_ = std::clamp(value, min_, max_);
    ShowInAssociate();
}

void TUpDown::SetOrientation(TUDOrientation value)
{
    orientation_ = value;
    Invalidate();
}

void TUpDown::SetAssociate(TWinControl* control)
{
    if (associate_)
        associate_->WindowProc = std::move(associateProc_);
    associate_ = control;
    if (!associate_)
        return;
    // The arrow keys of the associated control step the position.
    associateProc_ = associate_->WindowProc;
    associate_->WindowProc = [this](TMessage& m) {
        if (m.Msg == WM_KEYDOWN && (m.WParam == VK_UP || m.WParam == VK_DOWN)) {
            Step(m.WParam == VK_UP ? btNext : btPrev);
            return;
        }
        associateProc_(m);
    };
    if (Parent() == associate_->Parent())
        SetBounds(associate_->Left() + associate_->Width(), associate_->Top(), Width(), associate_->Height());
    ShowInAssociate();
}

void TUpDown::ShowInAssociate()
{
    if (associate_)
        associate_->SetText(std::to_string(position_));
}

TRect TUpDown::ButtonRect(TUDBtnType button) const
{
    if (orientation_ == udVertical) {
        const int half = Height() / 2;
        return button == btNext ? Rect(0, 0, Width(), half) : Rect(0, half, Width(), Height());
    }
    const int half = Width() / 2;
    return button == btNext ? Rect(half, 0, Width(), Height()) : Rect(0, 0, half, Height());
}

int TUpDown::ButtonAt(TPoint p) const
{
    for (TUDBtnType b : {btNext, btPrev})
        if (ButtonRect(b).Contains(p))
            return b;
    return -1;
}

void TUpDown::Step(TUDBtnType button)
{
    bool allow = true;
    if (OnChanging)
        OnChanging(this, allow);
    if (!allow)
        return;
    int next = position_ + (button == btNext ? Increment : -Increment);
    if (next > max_)
        next = Wrap ? min_ : max_;
    else if (next < min_)
        next = Wrap ? max_ : min_;
    position_ = next;
    ShowInAssociate();
    // Clicked also at a limit, where the position stays.
    if (OnClick)
        OnClick(this, button);
}

void TUpDown::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        pressed_ = ButtonAt(PointFromLParam(message.LParam));
        if (pressed_ < 0)
            return;
        SetCapture(Handle());
        Invalidate();
        const auto button = TUDBtnType(pressed_);
        repeat_.Start(Handle(), [this, button] {
            // Only while the pointer stays on the arrow.
            POINT p;
            GetCursorPos(&p);
            if (ButtonAt(ScreenToClient(p)) == button)
                Step(button);
        });
        return;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (pressed_ >= 0) {
            pressed_ = -1;
            repeat_.Stop();
            if (GetCapture() == Handle())
                ReleaseCapture();
            Invalidate();
        }
        break;
    case WM_TIMER:
        if (repeat_.Timer(message.WParam))
            return;
        break;
    default: break;
    }
    TCustomControl::DefaultHandler(message);
}

void TUpDown::Paint()
{
    HDC dc = Canvas()->Handle();
    for (TUDBtnType b : {btNext, btPrev}) {
        RECT r = ButtonRect(b);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, pressed_ == b ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        const TArrowDirection direction = orientation_ == udVertical
                                              ? (b == btNext ? TArrowDirection::Up : TArrowDirection::Down)
                                              : (b == btNext ? TArrowDirection::Right : TArrowDirection::Left);
        DrawArrowGlyph(dc, r, direction, Enabled());
    }
}

} // namespace tovrel
