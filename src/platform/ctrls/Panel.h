#pragma once
// The panel: a container with outer and inner bevels, a border and a
// centred caption; its client area for aligned children lies inside them.
#include "platform/ctrls/Bevel.h"
#include "platform/vcl/GraphicsTypes.h"

namespace tovrel {

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    void AdjustClientRect(TRect& rect) const override;
    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    void Changed();
    int Inset() const;

    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};

} // namespace tovrel
