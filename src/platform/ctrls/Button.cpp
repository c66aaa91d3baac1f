#include "platform/ctrls/Button.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

namespace tovrel {

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetColor(clBtnFace);
    // Clicks come from BN_CLICKED; the control holds the capture itself while pressed.
    ControlStyle.Exclude(csClickEvents);
    ControlStyle.Exclude(csCaptureMouse);
}

bool TButtonControl::HasFocus()
{
    return HandleAllocated() && GetFocus() == Handle();
}

void TButtonControl::SetPressed(bool pressed, bool hot)
{
    if (pressed == pressed_ && hot == hot_)
        return;
    pressed_ = pressed;
    hot_ = hot;
    Invalidate();
}

TRect TButtonControl::PaintCaption(HDC dc, TRect rect, UINT flags)
{
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Enabled() ? ColorToRGB(Font()->Color()) : GetSysColor(COLOR_GRAYTEXT));
    RECT measured = rect;
    DrawText(dc, Caption(), &measured, flags | DT_CALCRECT);
    // Centre the measured text the way the flags place it.
    const int width = measured.Right - measured.Left, height = measured.Bottom - measured.Top;
    int left = rect.Left;
    if (flags & DT_CENTER)
        left = rect.Left + (rect.Width() - width) / 2;
    const int top = rect.Top + (rect.Height() - height) / 2;
    RECT r = Rect(left, top, left + width, top + height);
    DrawText(dc, Caption(), &r, (flags & ~UINT(DT_VCENTER | DT_SINGLELINE)) | DT_LEFT);
    SelectObject(dc, oldFont);
    return r;
}

void TButtonControl::PaintMarkCaption(HDC dc, TRect rect)
{
    const TRect text = PaintCaption(dc, rect, DT_SINGLELINE);
    if (HasFocus()) {
        RECT focus = Rect(text.Left - 1, text.Top, text.Right + 1, text.Bottom);
        DrawFocusRect(dc, &focus);
    }
}

void TButtonControl::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGCHAR && Enabled() && Showing() && IsAccelChar(message.WParam, Caption())) {
        if (CanFocus())
            SetFocus();
        NotifyCommand(*this, BN_CLICKED);
        message.Result = 1;
        return;
    }
    TWinControl::WndProc(message);
}

void TButtonControl::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (CanFocus() && !HasFocus())
            SetFocus();
        byKey_ = false;
        Press();
        if (HandleAllocated())
            SetCapture(Handle());
        return;
    case WM_MOUSEMOVE:
        if (pressed_ && !byKey_)
            FollowPointer(ClientRect().Contains(PointFromLParam(message.LParam)));
        break;
    case WM_LBUTTONUP:
        if (pressed_ && !byKey_) {
            const bool inside = ClientRect().Contains(PointFromLParam(message.LParam));
            Release();
            if (HandleAllocated() && GetCapture() == Handle())
                ReleaseCapture();
            // Released outside: no click.
            if (inside)
                NotifyCommand(*this, BN_CLICKED);
        }
        return;
    case WM_CAPTURECHANGED:
        if (pressed_ && !byKey_)
            Release();
        break;
    case WM_KEYDOWN:
        if (message.WParam == VK_SPACE && !pressed_) {
            byKey_ = true;
            Press();
        }
        return;
    case WM_KEYUP:
        if (message.WParam == VK_SPACE && pressed_ && byKey_) {
            Release();
            byKey_ = false;
            NotifyCommand(*this, BN_CLICKED);
        }
        return;
    case WM_KILLFOCUS:
        if (byKey_)
            Release();
        Invalidate();
        break;
    case WM_SETFOCUS: Invalidate(); break;
    case WM_GETDLGCODE: message.Result = DLGC_BUTTON; return;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == BN_CLICKED)
            Clicked();
        return;
    default: break;
    }
    TWinControl::DefaultHandler(message);
}

// Push button.

TButton::TButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    Invalidate();
}

void TButton::Click()
{
    if (ModalResult != mrNone)
        if (auto* form = dynamic_cast<TCustomForm*>(GetParentTopLevel(this)))
            form->SetModalResult(ModalResult);
    TButtonControl::Click();
}

void TButton::WndProc(TMessage& message)
{
    if (message.Msg == CM_DIALOGKEY && Enabled() && Showing()) {
        const bool enter = message.WParam == VK_RETURN && (default_ || HasFocus());
        if (enter || (message.WParam == VK_ESCAPE && Cancel)) {
            NotifyCommand(*this, BN_CLICKED);
            message.Result = 1;
            return;
        }
    }
    TButtonControl::WndProc(message);
}

void TButton::PaintWindow(HDC dc)
{
    RECT r = ClientRect();
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (default_ || HasFocus()) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (Pressed()) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
    }
    TRect text = Rect(r.Left + 4, r.Top + 2, r.Right - 4, r.Bottom - 2);
    if (Pressed())
        text = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
    PaintCaption(dc, text, DT_CENTER | DT_SINGLELINE);
    if (HasFocus()) {
        RECT focus = Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3);
        DrawFocusRect(dc, &focus);
    }
}

// Check box.

namespace {

constexpr int kMarkSize = 13;

// The box or circle of a check or radio box, and where its caption goes.
TRect MarkRect(const TRect& client, TAlignment captionSide)
{
    const int top = (client.Height() - kMarkSize) / 2;
    const int left = captionSide == taLeftJustify ? client.Right - kMarkSize : client.Left;
    return Rect(left, top, left + kMarkSize, top + kMarkSize);
}

TRect CaptionRect(const TRect& client, TAlignment captionSide)
{
    return captionSide == taLeftJustify ? Rect(client.Left, client.Top, client.Right - kMarkSize - 4, client.Bottom)
                                        : Rect(client.Left + kMarkSize + 4, client.Top, client.Right, client.Bottom);
}

} // namespace

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetState(TCheckBoxState value)
{
    if (state_ == value)
        return;
    state_ = value;
    Invalidate();
    Click();
}

void TCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(AllowGrayed ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
    }
}

void TCheckBox::PaintWindow(HDC dc)
{
    RECT mark = MarkRect(ClientRect(), Alignment);
    FillRect(dc, &mark, GetSysColorBrush(state_ == cbGrayed || !Enabled() ? COLOR_BTNFACE : COLOR_WINDOW));
    DrawEdge(dc, &mark, EDGE_SUNKEN, BF_RECT);
    if (state_ != cbUnchecked) {
        HPEN pen =
            CreatePen(PS_SOLID, 2, GetSysColor(state_ == cbGrayed || !Enabled() ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
        HGDIOBJ old = SelectObject(dc, pen);
        const POINT tick[3] = {
            {mark.Left + 3, mark.Top + 6}, {mark.Left + 5, mark.Top + 9}, {mark.Left + 10, mark.Top + 3}};
        Polyline(dc, tick, 3);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
    PaintMarkCaption(dc, CaptionRect(ClientRect(), Alignment));
}

// Radio button.

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool value)
{
    if (checked_ == value)
        return;
    checked_ = value;
    Invalidate();
    if (!value)
        return;
    if (Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Click();
}

void TRadioButton::PaintWindow(HDC dc)
{
    const TRect mark = MarkRect(ClientRect(), taRightJustify);
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(Enabled() ? COLOR_WINDOW : COLOR_BTNFACE));
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Ellipse(dc, mark.Left, mark.Top, mark.Right - 1, mark.Bottom - 1);
    if (checked_) {
        SelectObject(dc, GetSysColorBrush(Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
        SelectObject(dc, GetStockObject(NULL_PEN));
        Ellipse(dc, mark.Left + 4, mark.Top + 4, mark.Right - 4, mark.Bottom - 4);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    PaintMarkCaption(dc, CaptionRect(ClientRect(), taRightJustify));
}

} // namespace tovrel
