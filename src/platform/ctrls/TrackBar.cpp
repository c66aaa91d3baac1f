#include "platform/ctrls/TrackBar.h"

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
constexpr int kThumbLength = 11; // along the bar
constexpr int kMargin = 8;       // from the ends to the travel
} // namespace

TTrackBar::TTrackBar(TComponent* owner) : TCustomControl(owner)
{
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
    SetColor(clBtnFace);
    ControlStyle.Exclude(csCaptureMouse);
    ControlStyle.Exclude(csClickEvents);
}

void TTrackBar::SetOrientation(TTrackBarOrientation value)
{
    if (orientation_ == value)
        return;
    orientation_ = value;
    SetBounds(Left(), Top(), Height(), Width());
}

void TTrackBar::SetRange(int min, int max)
{
    min_ = min;
    max_ = std::max(min, max);
    SetPosition(position_);
    Invalidate();
}

void TTrackBar::SetPosition(int value)
{
    value = std::clamp(value, min_, max_);
    if (value == position_)
        return;
    position_ = value;
    Invalidate();
    if (OnChange)
        OnChange(this);
}

int TTrackBar::TravelStart() const
{
    return kMargin;
}

int TTrackBar::TravelEnd() const
{
    return std::max(kMargin, (Vertical() ? Height() : Width()) - kMargin - 1);
}

int TTrackBar::CentreOf(int position) const
{
    const int span = max_ - min_;
    if (span <= 0)
        return TravelStart();
    return TravelStart() + int(static_cast<long long>(TravelEnd() - TravelStart()) * (position - min_) / span);
}

int TTrackBar::PositionAt(int along) const
{
    const int travel = TravelEnd() - TravelStart();
    const int span = max_ - min_;
    if (travel <= 0 || span <= 0)
        return min_;
    const int offset = std::clamp(along - TravelStart(), 0, travel);
    return min_ + int((static_cast<long long>(offset) * span + travel / 2) / travel);
}

TRect TTrackBar::ThumbRect() const
{
    const int centre = CentreOf(position_);
    const int half = kThumbLength / 2;
    if (Vertical())
        return Rect(4, centre - half, Width() - 10, centre + half + 1);
    return Rect(centre - half, 4, centre + half + 1, Height() - 10);
}

void TTrackBar::DefaultHandler(TMessage& message)
{
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (CanFocus() && GetFocus() != Handle())
            SetFocus();
        const TPoint p = PointFromLParam(message.LParam);
        SetCapture(Handle());
        if (ThumbRect().Contains(p)) {
            dragging_ = true;
            return;
        }
        // The channel pages towards the pointer until the thumb reaches it.
        const int target = PositionAt(Along(p));
        repeat_.Start(Handle(), [this, target] {
            if (position_ < target)
                SetPosition(std::min(target, position_ + PageSize));
            else if (position_ > target)
                SetPosition(std::max(target, position_ - PageSize));
        });
        return;
    }
    case WM_MOUSEMOVE:
        if (dragging_)
            SetPosition(PositionAt(Along(PointFromLParam(message.LParam))));
        break;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        dragging_ = false;
        repeat_.Stop();
        if (message.Msg == WM_LBUTTONUP && GetCapture() == Handle())
            ReleaseCapture();
        break;
    case WM_TIMER:
        if (repeat_.Timer(message.WParam))
            return;
        break;
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS; return;
    case WM_KEYDOWN:
        if (const auto step = RangeKeyStep(message.WParam, position_, LineSize, PageSize, min_, max_))
            SetPosition(step->Target);
        return;
    default: break;
    }
    TCustomControl::DefaultHandler(message);
}

void TTrackBar::Paint()
{
    HDC dc = Canvas()->Handle();
    RECT all = ClientRect();
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    const TRect thumb = ThumbRect();
    RECT channel = Vertical() ? Rect((thumb.Left + thumb.Right) / 2 - 2, TravelStart(),
                                     (thumb.Left + thumb.Right) / 2 + 2, TravelEnd() + 1)
                              : Rect(TravelStart(), (thumb.Top + thumb.Bottom) / 2 - 2, TravelEnd() + 1,
                                     (thumb.Top + thumb.Bottom) / 2 + 2);
    DrawEdge(dc, &channel, EDGE_SUNKEN, BF_RECT);
    // Ticks below (or right of) the thumb.
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    for (int value = min_; Frequency > 0 && value <= max_; value += Frequency) {
        const int at = CentreOf(value);
        if (Vertical()) {
            MoveToEx(dc, thumb.Right + 2, at, nullptr);
            LineTo(dc, thumb.Right + 5, at);
        } else {
            MoveToEx(dc, at, thumb.Bottom + 2, nullptr);
            LineTo(dc, at, thumb.Bottom + 5);
        }
    }
    SelectObject(dc, oldPen);
    RECT r = thumb;
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
}

} // namespace tovrel
