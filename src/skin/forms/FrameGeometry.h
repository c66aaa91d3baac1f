#pragma once
// The frame rectangles of a skinned form at its current size: the skin's form
// picture cut at its corner points, with the right and bottom parts moved by
// the form's growth over the picture.
#include "platform/rtl/Types.h"

namespace tovrel {

struct TskFormInfo;

struct TskFrameGeometry {
    TPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClRect;
    TRect NewCaptionRect;
    TRect NewButtonsRect;
    int NewButtonsOffset = 0;
    bool NewButtonsInLeft = false;
    TPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    TRect NewMaskRectArea;
};

// The geometry for a form of width x height on a picture of picture's size.
TskFrameGeometry CalcFrameRects(const TskFormInfo& info, TSize picture, int width, int height);

// Where a rectangle of the picture lies on the frame: by the corner areas it
// starts and ends in, it stays, moves with the right or bottom edge, or grows.
TRect CalcObjectRect(const TskFormInfo& info, TSize picture, const TskFrameGeometry& frame, TRect r);

} // namespace tovrel
