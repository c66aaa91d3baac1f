// A windowed control's alignment of its children and its client area,
// the same before and after its window exists.
#include "platform/vcl/WinControl.h"

#include "platform/wm/WindowPos.h"
namespace tovrel {

void TWinControl::EnableAlign()
{
    if (alignDisabled_ > 0 && --alignDisabled_ == 0 && ControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::AlignFor(TControl* trigger)
{
    if (alignDisabled_ > 0 || aligning_ || Silenced()) {
        ControlState.Include(csAlignmentNeeded);
        return;
    }
    ControlState.Exclude(csAlignmentNeeded);
    aligning_ = true;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    AlignControls(trigger, rect);
    aligning_ = false;
}

void TWinControl::AlignAfterLoading()
{
    if (ControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::AdjustClientRect(TRect& /*rect*/) const {}

void TWinControl::AlignControls(TControl* control, TRect& rect)
{
    std::vector<TControl*> all;
    for (int i = 0; i < ControlCount(); ++i)
        all.push_back(Controls(i));
    const TRect client = ClientRect();
    for (TControl* c : all)
        if (c->align_ == alNone && c->Visible())
            c->AnchorTo(client.Width(), client.Height());

    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        std::vector<TControl*> list;
        for (TControl* c : all)
            if (c->align_ == align && c->Visible())
                list.push_back(c);
        auto key = [align](const TControl* c) {
            switch (align) {
            case alTop: return c->Top();
            case alBottom: return -(c->Top() + c->Height());
            case alLeft: return c->Left();
            case alRight: return -(c->Left() + c->Width());
            default: return 0;
            }
        };
        std::stable_sort(list.begin(), list.end(), [&](TControl* a, TControl* b) {
            if (key(a) != key(b))
                return key(a) < key(b);
            return a == control && b != control;
        });
        for (TControl* c : list) {
            switch (align) {
            case alTop:
                c->SetBoundsSilently(rect.Left, rect.Top, rect.Width(), c->Height());
                rect.Top += c->Height();
                break;
            case alBottom:
                c->SetBoundsSilently(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
                rect.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBoundsSilently(rect.Left, rect.Top, c->Width(), rect.Height());
                rect.Left += c->Width();
                break;
            case alRight:
                c->SetBoundsSilently(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
                rect.Right -= c->Width();
                break;
            default: c->SetBoundsSilently(rect.Left, rect.Top, rect.Width(), rect.Height()); break;
            }
        }
    }
}

void TWinControl::ChildBoundsChanged(TControl* control)
{
    if (control->align_ != alNone)
        AlignFor(control);
}

TRect TWinControl::ClientAreaWithoutWindow() const
{
    // Measured as the window will measure it, through the same handlers (a
    // menu bar or a skinned frame adds its share); nothing else changes.
    RECT r = Rect(0, 0, Width(), Height());
    const_cast<TWinControl*>(this)->Perform(WM_NCCALCSIZE, 0, ToLParam(&r));
    return r;
}

TRect TWinControl::ClientRect() const
{
    RECT r;
    if (handle_) {
        GetClientRect(handle_, &r);
        return r;
    }
    r = ClientAreaWithoutWindow();
    return Rect(0, 0, std::max(0, r.Width()), std::max(0, r.Height()));
}

void TWinControl::CalcFrameWithoutWindow(RECT& rect)
{
    TCreateParams params;
    CreateParams(params);
    // The window layer gives every overlapped top-level window a caption.
    if (!(params.Style & (WS_CHILD | WS_POPUP)))
        params.Style |= WS_CAPTION;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, params.Style, 0, params.ExStyle);
    rect.Left -= frame.Left;
    rect.Top -= frame.Top;
    rect.Right = std::max(rect.Left, rect.Right - frame.Right);
    rect.Bottom = std::max(rect.Top, rect.Bottom - frame.Bottom);
}

TPoint TWinControl::ClientOrigin() const
{
    if (handle_) {
        POINT p;
        ::tovrel::ClientToScreen(handle_, &p);
        return p;
    }
    const TPoint window = TControl::ClientOrigin();
    const TRect client = ClientAreaWithoutWindow();
    return Point(window.X + client.Left, window.Y + client.Top);
}

void TWinControl::BoundsChanged()
{
    if (handle_) {
        RECT r;
        GetWindowRect(handle_, &r);
        if (!IsTopLevel() && Parent() && Parent()->handle_)
            MapWindowPoints(nullptr, Parent()->handle_, &r, 1);
        if (r != BoundsRect())
            SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Realign();
}

void TWinControl::UpdateBounds()
{
    if (!handle_)
        return;
    RECT r;
    GetWindowRect(handle_, &r);
    if (!IsTopLevel() && Parent() && Parent()->handle_)
        MapWindowPoints(nullptr, Parent()->handle_, &r, 1);
    SetBoundsSilently(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace tovrel
