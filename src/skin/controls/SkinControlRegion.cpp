#include "platform/gdi/GdiObjects.h"
#include "skin/controls/SkinControlGeometry.h"
#include "skin/draw/MaskRegions.h"

namespace tovrel {

HRGN TskSkinControlGeometry::CreateRegion(int Width, int Height) const
{
    if (!MaskPicture)
        return nullptr;
    const TPoint newRT{Width + RTPt.X - SkinRect.Width(), RTPt.Y};
    const TPoint newLB{LBPt.X, Height + LBPt.Y - SkinRect.Height()};
    switch (ResizeMode) {
    case 0: return CreateMaskRegion(*MaskPicture);
    case 1:
        return CreateSkinRegion(TskSkinCorners{LTPt, RTPt, LBPt, RBPt, ClRect},
                                TskSkinCorners{NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint, NewClRect}, *MaskPicture,
                                Width, Height);
    case 2:
        // A strip across: the bottom corners are the top ones.
        return CreateSkinRegion(TskSkinCorners{LTPt, RTPt, LTPt, RTPt, ClRect},
                                TskSkinCorners{LTPt, newRT, LTPt, newRT, NewClRect}, *MaskPicture, Width, Height);
    case 3:
        // A strip down: the right corners are the left ones.
        return CreateSkinRegion(TskSkinCorners{LTPt, LTPt, LBPt, LBPt, ClRect},
                                TskSkinCorners{LTPt, LTPt, newLB, newLB, NewClRect}, *MaskPicture, Width, Height);
    default: return nullptr;
    }
}

} // namespace tovrel
