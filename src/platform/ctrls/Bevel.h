#pragma once
// The bevel: a lowered or raised box, frame or single line.
#include "platform/vcl/CustomControls.h"

namespace tovrel {

enum TBevelShape : std::uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle : std::uint8_t { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* owner);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape value);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle value);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};

} // namespace tovrel
