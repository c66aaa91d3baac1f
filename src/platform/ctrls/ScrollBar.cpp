#include "platform/ctrls/ScrollBar.h"

#include "platform/ctrls/ArrowGlyph.h"
#include "platform/ctrls/RangeKeys.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>

namespace tovrel {

namespace {
constexpr int kMinThumb = 8;
} // namespace

TScrollBar::TScrollBar(TComponent* owner) : TCustomControl(owner)
{
    state_.SetRange(0, 100);
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
    SetColor(clBtnFace);
    ControlStyle.Exclude(csCaptureMouse);
    ControlStyle.Exclude(csClickEvents);
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (kind_ == value)
        return;
    kind_ = value;
    SetBounds(Left(), Top(), Height(), Width());
}

void TScrollBar::SetParams(int position, int min, int max)
{
    const int old = state_.Pos();
    state_.SetRange(min, max);
    state_.SetPos(position);
    Invalidate();
    if (state_.Pos() != old && OnChange)
        OnChange(this);
}

void TScrollBar::SetPageSize(int value)
{
    state_.SetPage(value);
    Invalidate();
}

void TScrollBar::SetPosition(int value)
{
    SetParams(value, Min(), Max());
}

int TScrollBar::ArrowLength() const
{
    return std::min(Vertical() ? Width() : Height(), Length() / 2);
}

TRect TScrollBar::ArrowRect(bool first) const
{
    const int a = ArrowLength();
    if (Vertical())
        return first ? Rect(0, 0, Width(), a) : Rect(0, Height() - a, Width(), Height());
    return first ? Rect(0, 0, a, Height()) : Rect(Width() - a, 0, Width(), Height());
}

TRect TScrollBar::ThumbRect() const
{
    const int a = ArrowLength();
    const int track = Length() - 2 * a;
    const int range = state_.Max() - state_.Min() + 1;
    int thumb = state_.Page() > 0 ? int(static_cast<long long>(track) * state_.Page() / std::max(1, range))
                                  : (Vertical() ? Width() : Height());
    thumb = std::clamp(thumb, std::min(kMinThumb, track), std::max(0, track));
    const int span = state_.MaxPos() - state_.Min();
    const int start =
        a + (span > 0 ? int(static_cast<long long>(track - thumb) * (state_.Pos() - state_.Min()) / span) : 0);
    return Vertical() ? Rect(0, start, Width(), start + thumb) : Rect(start, 0, start + thumb, Height());
}

int TScrollBar::PositionAt(int thumbStart) const
{
    const TRect thumb = ThumbRect();
    const int room = Length() - 2 * ArrowLength() - (Vertical() ? thumb.Height() : thumb.Width());
    const int span = state_.MaxPos() - state_.Min();
    if (room <= 0 || span <= 0)
        return state_.Min();
    const int offset = std::clamp(thumbStart - ArrowLength(), 0, room);
    return state_.Min() + int((static_cast<long long>(offset) * span + room / 2) / room);
}

void TScrollBar::Scroll(TScrollCode code, int position)
{
    position = std::clamp(position, state_.Min(), state_.MaxPos());
    if (OnScroll)
        OnScroll(this, code, position);
    if (code != scEndScroll)
        SetPosition(position);
}

void TScrollBar::Press(TPoint p)
{
    const int at = Along(p);
    if (ArrowRect(true).Contains(p) || ArrowRect(false).Contains(p)) {
        const bool up = ArrowRect(true).Contains(p);
        repeat_.Start(Handle(), [this, up] {
            Scroll(up ? scLineUp : scLineDown, Position() + (up ? -SmallChange : SmallChange));
        });
        return;
    }
    const TRect thumb = ThumbRect();
    if (thumb.Contains(p)) {
        draggingThumb_ = true;
        dragOffset_ = at - (Vertical() ? thumb.Top : thumb.Left);
        return;
    }
    // The track pages towards the pointer until the thumb reaches it.
    const bool before = at < (Vertical() ? thumb.Top : thumb.Left);
    repeat_.Start(Handle(), [this, before, p] {
        const TRect now = ThumbRect();
        if (now.Contains(p) ||
            (before ? Along(p) >= (Vertical() ? now.Top : now.Left) : Along(p) < (Vertical() ? now.Bottom : now.Right)))
            return;
        Scroll(before ? scPageUp : scPageDown, Position() + (before ? -LargeChange : LargeChange));
    });
}

void TScrollBar::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (CanFocus() && GetFocus() != Handle())
            SetFocus();
        SetCapture(Handle());
        Press(PointFromLParam(message.LParam));
        return;
    case WM_MOUSEMOVE:
        if (draggingThumb_)
            Scroll(scTrack, PositionAt(Along(PointFromLParam(message.LParam)) - dragOffset_));
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: {
        const bool wasDragging = draggingThumb_;
        const bool wasHeld = wasDragging || repeat_.Running();
        draggingThumb_ = false;
        repeat_.Stop();
        if (message.Msg == WM_LBUTTONUP && GetCapture() == Handle())
            ReleaseCapture();
        if (wasDragging && message.Msg == WM_LBUTTONUP)
            Scroll(scPosition, PositionAt(Along(PointFromLParam(message.LParam)) - dragOffset_));
        if (wasHeld)
            Scroll(scEndScroll, Position());
        break;
    }
    case WM_TIMER:
        if (repeat_.Timer(message.WParam))
            return;
        break;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_KEYDOWN:
        if (const auto step = RangeKeyStep(message.WParam, Position(), SmallChange, LargeChange, Min(), Max())) {
            static constexpr TScrollCode kCodes[] = {scLineUp, scLineDown, scPageUp, scPageDown, scTop, scBottom};
            Scroll(kCodes[std::size_t(step->Step)], step->Target);
        }
        return;
    default: break;
    }
    TCustomControl::DefaultHandler(message);
}

void TScrollBar::Paint()
{
    HDC dc = Canvas()->Handle();
    RECT all = ClientRect();
    FillRect(dc, &all, GetSysColorBrush(COLOR_SCROLLBAR));
    for (bool first : {true, false}) {
        RECT r = ArrowRect(first);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        const TArrowDirection direction = Vertical() ? (first ? TArrowDirection::Up : TArrowDirection::Down)
                                                     : (first ? TArrowDirection::Left : TArrowDirection::Right);
        DrawArrowGlyph(dc, r, direction, Enabled());
    }
    RECT thumb = ThumbRect();
    FillRect(dc, &thumb, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
}

} // namespace tovrel
