#include "skin/forms/FrameGeometry.h"

#include "skin/data/SkinDescription.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

TPoint Moved(TPoint p, int dx, int dy)
{
    return {p.X + dx, p.Y + dy};
}

TRect Grown(TRect r, int dw, int dh)
{
    return {r.Left, r.Top, r.Right + dw, r.Bottom + dh};
}

TRect Shifted(TRect r, int dx, int dy)
{
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

} // namespace

TskFrameGeometry CalcFrameRects(const TskFormInfo& info, TSize picture, int width, int height)
{
    const int dw = width - picture.cx, dh = height - picture.cy;
    TskFrameGeometry g;
    g.NewLTPoint = info.LTPoint;
    g.NewRTPoint = Moved(info.RTPoint, dw, 0);
    g.NewLBPoint = Moved(info.LBPoint, 0, dh);
    g.NewRBPoint = Moved(info.RBPoint, dw, dh);
    g.NewClRect = Grown(info.ClRect, dw, dh);
    g.NewCaptionRect = info.CaptionRect;
    if (!IsNullRect(g.NewCaptionRect))
        g.NewCaptionRect.Right += dw;
    g.NewButtonsRect = info.ButtonsRect;
    if (!IsNullRect(g.NewButtonsRect) && g.NewButtonsRect.Left > picture.cx / 2)
        g.NewButtonsRect = Shifted(g.NewButtonsRect, dw, 0);
    g.NewButtonsInLeft = info.CapButtonsInLeft;
    g.NewButtonsOffset = info.ButtonsOffset;
    g.NewHitTestLTPoint = info.HitTestLTPoint;
    g.NewHitTestRTPoint = Moved(info.HitTestRTPoint, dw, 0);
    g.NewHitTestLBPoint = Moved(info.HitTestLBPoint, 0, dh);
    g.NewHitTestRBPoint = Moved(info.HitTestRBPoint, dw, dh);
    g.NewMaskRectArea = Grown(info.MaskRectArea, dw, dh);
    return g;
}

TRect CalcObjectRect(const TskFormInfo& info, TSize picture, const TskFrameGeometry& frame, TRect r)
{
    const TCornerBlocks blocks{{0, 0, info.LTPoint.X, info.LTPoint.Y},
                               {info.RTPoint.X, 0, picture.cx, info.RTPoint.Y},
                               {0, info.LBPoint.Y, info.LBPoint.X, picture.cy},
                               {info.RBPoint.X, info.RBPoint.Y, picture.cx, picture.cy}};
    return MapRectOverCorners(r, blocks, frame.NewRBPoint.X - info.RBPoint.X, frame.NewRBPoint.Y - info.RBPoint.Y,
                              false);
}

} // namespace tovrel
