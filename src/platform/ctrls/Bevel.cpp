#include "platform/ctrls/Bevel.h"

namespace tovrel {

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner)
{
    ControlStyle.Include(csReplicatable);
    ControlStyle.Exclude(csCaptureMouse);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value)
{
    shape_ = value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle value)
{
    style_ = value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas& canvas = *Canvas();
    const TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    const int w = Width(), h = Height();
    // A level or upright line of `colour`, both end points included.
    auto line = [&](TColor colour, int x1, int y1, int x2, int y2) {
        canvas.Pen()->SetColor(colour);
        canvas.MoveTo(x1, y1);
        if (y1 == y2)
            canvas.LineTo(x2 + 1, y2);
        else
            canvas.LineTo(x2, y2 + 1);
    };
    // A rectangle outline: top and left in `topLeft`, bottom and right in `bottomRight`.
    auto box = [&](int x1, int y1, int x2, int y2, TColor topLeft, TColor bottomRight) {
        line(topLeft, x1, y1, x2, y1);
        line(topLeft, x1, y1, x1, y2);
        line(bottomRight, x1, y2, x2, y2);
        line(bottomRight, x2, y1, x2, y2);
    };
    switch (shape_) {
    case bsBox: box(0, 0, w - 1, h - 1, first, second); break;
    case bsFrame:
        box(0, 0, w - 2, h - 2, first, first);
        box(1, 1, w - 1, h - 1, second, second);
        break;
    case bsTopLine:
        line(first, 0, 0, w - 1, 0);
        line(second, 0, 1, w - 1, 1);
        break;
    case bsBottomLine:
        line(first, 0, h - 2, w - 1, h - 2);
        line(second, 0, h - 1, w - 1, h - 1);
        break;
    case bsLeftLine:
        line(first, 0, 0, 0, h - 1);
        line(second, 1, 0, 1, h - 1);
        break;
    case bsRightLine:
        line(first, w - 2, 0, w - 2, h - 1);
        line(second, w - 1, 0, w - 1, h - 1);
        break;
    case bsSpacer: break;
    }
}

} // namespace tovrel
