#pragma once
// The track bar: a thumb on a channel between Min and Max, with tick marks
// every Frequency; the thumb drags to the nearest position, a press on the
// channel pages towards the pointer (repeating while held), keys step by
// LineSize and PageSize. OnChange runs when the position changed.
#include "platform/ctrls/PressRepeat.h"
#include "platform/vcl/CustomControls.h"

namespace tovrel {

enum TTrackBarOrientation : std::uint8_t { trHorizontal, trVertical };

class TTrackBar : public TCustomControl {
public:
    explicit TTrackBar(TComponent* owner);

    TTrackBarOrientation Orientation() const { return orientation_; }
    void SetOrientation(TTrackBarOrientation value);
    int Min() const { return min_; }
    int Max() const { return max_; }
    void SetRange(int min, int max);
    int Position() const { return position_; }
    void SetPosition(int value);
    int Frequency = 1;
    int LineSize = 1;
    int PageSize = 2;

    // The thumb's rectangle and the channel's travel (where the thumb's
    // centre can be), in client coordinates along the bar.
    TRect ThumbRect() const;
    int TravelStart() const;
    int TravelEnd() const;

    TNotifyEvent OnChange;
    void DefaultHandler(TMessage& message) override;

protected:
    void Paint() override;

private:
    bool Vertical() const { return orientation_ == trVertical; }
    int Along(TPoint p) const { return Vertical() ? p.Y : p.X; }
    int CentreOf(int position) const;
    int PositionAt(int along) const;

    TTrackBarOrientation orientation_ = trHorizontal;
    int min_ = 0, max_ = 10, position_ = 0;
    bool dragging_ = false;
    TPressRepeat repeat_{500, 100};
};

} // namespace tovrel
