#pragma once
// The scroll bar control: arrows, a track and a thumb sized by PageSize;
// arrows and track pages repeat while held (after 500 ms, then every 50 ms),
// the thumb drags (SB_THUMBTRACK, then SB_THUMBPOSITION), keys step it.
// Every move runs OnScroll (which may change the position) and, when the
// position changed, OnChange.
#include "platform/ctrls/PressRepeat.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/vcl/CustomControls.h"

namespace tovrel {

enum TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };
enum TScrollCode : std::uint8_t {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
using TScrollEvent = std::function<void(TObject* sender, TScrollCode code, int& position)>;

class TScrollBar : public TCustomControl {
public:
    explicit TScrollBar(TComponent* owner);

    TScrollBarKind Kind() const { return kind_; }
    void SetKind(TScrollBarKind value);
    int Min() const { return state_.Min(); }
    int Max() const { return state_.Max(); }
    int PageSize() const { return state_.Page(); }
    int Position() const { return state_.Pos(); }
    // As the platform orders them: (Min, Max, PageSize, Position).
    void SetParams(int position, int min, int max);
    void SetPageSize(int value);
    void SetPosition(int value);
    int SmallChange = 1;
    int LargeChange = 1;

    // The parts in client coordinates.
    TRect ArrowRect(bool first) const;
    TRect ThumbRect() const;

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

    void DefaultHandler(TMessage& message) override;

protected:
    void Paint() override;

private:
    bool Vertical() const { return kind_ == sbVertical; }
    int Along(TPoint p) const { return Vertical() ? p.Y : p.X; }
    int Length() const { return Vertical() ? Height() : Width(); }
    int ArrowLength() const;
    // The position a thumb start (along the bar) stands for.
    int PositionAt(int thumbStart) const;
    void Scroll(TScrollCode code, int position);
    void Press(TPoint p);

    TScrollBarKind kind_ = sbHorizontal;
    TScrollState state_;
    TPressRepeat repeat_{500, 50};
    bool draggingThumb_ = false;
    int dragOffset_ = 0;
};

} // namespace tovrel
