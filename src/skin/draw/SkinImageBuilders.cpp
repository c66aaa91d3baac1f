// Nine-slice images and border strips of skin rectangles.
#include "skin/draw/SkinImageBuilders.h"

#include "platform/gdi/Gdi.h"
#include "skin/data/SkinTypes.h"

namespace tovrel {

namespace {

using enum TskTileDirection;

// Picture rectangles given relative to the skin rectangle.
struct TPieceOf {
    TRect SkinRect;
    TRect operator()(int left, int top, int right, int bottom) const
    {
        return Rect(SkinRect.Left + left, SkinRect.Top + top, SkinRect.Left + right, SkinRect.Top + bottom);
    }
};

// Strip-repeats the middle stretched across (skstVert) or down (skstHorz),
// clipped to area.
void RepeatStretchedStrip(const TskImageRef& image, const TskImageRef& picture, TRect middle, TRect area, bool across)
{
    const int middleWidth = middle.Width(), middleHeight = middle.Height();
    TskBitmap strip;
    strip.SetSize(across ? area.Width() : middleWidth, across ? middleHeight : area.Height());
    const TskImageRef stripRef = RefOf(strip);
    const TRect wholeStrip = Rect(0, 0, strip.Width(), strip.Height());
    StretchPiece(stripRef, wholeStrip, picture, middle);
    const TSavedDC saved(image.Dc);
    IntersectClipRect(image.Dc, area.Left, area.Top, area.Right, area.Bottom);
    const int count = across ? area.Height() / middleHeight : area.Width() / middleWidth;
    for (int k = 0; k <= count; ++k) {
        const TPoint at =
            across ? Point(area.Left, area.Top + k * middleHeight) : Point(area.Left + k * middleWidth, area.Top);
        CopyPiece(image, Rect(at.X, at.Y, at.X + strip.Width(), at.Y + strip.Height()), stripRef, wholeStrip);
    }
}

void DrawMiddle(const TskImageRef& image, const TskImageRef& picture, TRect middle, TRect area,
                const TskStretchFlags& flags)
{
    if (!flags.StretchEffect) {
        TileArea(image, picture, middle, area);
        return;
    }
    if (middle.IsEmpty() || area.IsEmpty())
        return;
    switch (flags.StretchType) {
    case TskStretchType::skstFull: StretchPiece(image, area, picture, middle); break;
    case TskStretchType::skstHorz: RepeatStretchedStrip(image, picture, middle, area, false); break;
    case TskStretchType::skstVert: RepeatStretchedStrip(image, picture, middle, area, true); break;
    }
}

} // namespace

TskSkinCorners NewSkinCorners(const TskSkinCorners& skin, TSize skinSize, TSize newSize)
{
    const int growX = newSize.cx - skinSize.cx, growY = newSize.cy - skinSize.cy;
    TskSkinCorners fresh;
    fresh.LTPt = skin.LTPt;
    fresh.RTPt = Point(skin.RTPt.X + growX, skin.RTPt.Y);
    fresh.LBPt = Point(skin.LBPt.X, skin.LBPt.Y + growY);
    fresh.RBPt = Point(skin.RBPt.X + growX, skin.RBPt.Y + growY);
    fresh.ClRect = Rect(skin.ClRect.Left, skin.ClRect.Top, skin.ClRect.Right + growX, skin.ClRect.Bottom + growY);
    return fresh;
}

namespace builders {

void NineSliceImage(const TskSkinCorners& skin, const TskSkinCorners& fresh, TskImageTarget& target,
                    const TskImageRef& picture, TRect skinRect, int newWidth, int newHeight, bool drawClient,
                    const TskStretchFlags& flags, TRightColumn rightColumn)
{
    target.Resize(newWidth, newHeight);
    const TskImageRef image = target.Ref();
    if (skin.RBPt.X == skin.LTPt.X || skin.RBPt.Y == skin.LTPt.Y || picture.Empty() || image.Empty())
        return;
    const bool withRight = rightColumn == TRightColumn::Drawn;
    const TPieceOf piece{skinRect};
    const int skinWidth = skinRect.Width(), skinHeight = skinRect.Height();
    const TRect& cl = skin.ClRect;
    const TRect& ncl = fresh.ClRect;
    const int topEnd = withRight ? fresh.RTPt.X : newWidth;
    const int bottomEnd = withRight ? fresh.RBPt.X : newWidth;
    FillSpan(image, picture, piece(skin.LTPt.X, 0, skin.RTPt.X, cl.Top), Horizontal, fresh.LTPt.X, topEnd, 0, ncl.Top,
             flags.TopStretch);
    FillSpan(image, picture, piece(skin.LBPt.X, cl.Bottom, skin.RBPt.X, skinHeight), Horizontal, fresh.LBPt.X,
             bottomEnd, ncl.Bottom, newHeight, flags.BottomStretch);
    FillSpan(image, picture, piece(0, skin.LTPt.Y, cl.Left, skin.LBPt.Y), Vertical, fresh.LTPt.Y, fresh.LBPt.Y, 0,
             ncl.Left, flags.LeftStretch);
    if (withRight)
        FillSpan(image, picture, piece(cl.Right, skin.RTPt.Y, skinWidth, skin.RBPt.Y), Vertical, fresh.RTPt.Y,
                 fresh.RBPt.Y, ncl.Right, newWidth, flags.RightStretch);
    // Corners in this order: a later one wins where they overlap.
    CopyPiece(image, Rect(0, 0, fresh.LTPt.X, ncl.Top), picture, piece(0, 0, skin.LTPt.X, cl.Top));
    CopyPiece(image, Rect(0, ncl.Top, ncl.Left, fresh.LTPt.Y), picture, piece(0, cl.Top, cl.Left, skin.LTPt.Y));
    if (withRight) {
        CopyPiece(image, Rect(fresh.RTPt.X, 0, newWidth, ncl.Top), picture, piece(skin.RTPt.X, 0, skinWidth, cl.Top));
        CopyPiece(image, Rect(ncl.Right, ncl.Top, newWidth, fresh.RTPt.Y), picture,
                  piece(cl.Right, cl.Top, skinWidth, skin.RTPt.Y));
    }
    CopyPiece(image, Rect(0, fresh.LBPt.Y, ncl.Left, newHeight), picture, piece(0, skin.LBPt.Y, cl.Left, skinHeight));
    CopyPiece(image, Rect(ncl.Left, ncl.Bottom, fresh.LBPt.X, newHeight), picture,
              piece(cl.Left, cl.Bottom, skin.LBPt.X, skinHeight));
    if (withRight) {
        CopyPiece(image, Rect(fresh.RBPt.X, ncl.Bottom, newWidth, newHeight), picture,
                  piece(skin.RBPt.X, cl.Bottom, skinWidth, skinHeight));
        CopyPiece(image, Rect(ncl.Right, fresh.RBPt.Y, newWidth, ncl.Bottom), picture,
                  piece(cl.Right, skin.RBPt.Y, skinWidth, cl.Bottom));
    }
    if (drawClient) {
        const TRect area = withRight ? ncl : Rect(ncl.Left, ncl.Top, newWidth, ncl.Bottom);
        DrawMiddle(image, picture, piece(cl.Left, cl.Top, cl.Right, cl.Bottom), area, flags);
    }
}

void StretchImage(TskImageTarget& target, const TskImageRef& picture, TRect skinRect, TRect clRect, bool drawClient)
{
    const TskImageRef image = target.Ref();
    if (image.Empty())
        return;
    TskSkinCorners skin;
    skin.ClRect = clRect;
    skin.LTPt = Point(clRect.Left, clRect.Top);
    skin.RTPt = Point(clRect.Right, clRect.Top);
    skin.LBPt = Point(clRect.Left, clRect.Bottom);
    skin.RBPt = Point(clRect.Right, clRect.Bottom);
    const TSize size{image.Width, image.Height};
    const TskSkinCorners fresh = NewSkinCorners(skin, TSize{skinRect.Width(), skinRect.Height()}, size);
    TskStretchFlags flags;
    flags.LeftStretch = flags.TopStretch = flags.RightStretch = flags.BottomStretch = true;
    flags.StretchEffect = true;
    NineSliceImage(skin, fresh, target, picture, skinRect, size.cx, size.cy, drawClient, flags, TRightColumn::Drawn);
}

void ThreePieceImage(TskImageTarget& target, const TskImageRef& picture, TRect skinRect, int startLength, int endLength,
                     int newLength, bool stretch, TskTileDirection direction, TThreePieces pieces)
{
    const bool across = direction == Horizontal;
    const int length = across ? skinRect.Width() : skinRect.Height();
    const int thickness = across ? skinRect.Height() : skinRect.Width();
    target.Resize(across ? newLength : thickness, across ? thickness : newLength);
    const TskImageRef image = target.Ref();
    // Rectangle from start to end along the direction, full thickness across.
    auto along = [&](TRect base, int start, int end) {
        return across ? Rect(base.Left + start, base.Top, base.Left + end, base.Top + thickness)
                      : Rect(base.Left, base.Top + start, base.Left + thickness, base.Top + end);
    };
    const TRect imageOrigin{};
    int middleFrom = startLength, middleTo = newLength - endLength;
    if (pieces == TThreePieces::MiddleOnly) {
        middleFrom = 0;
        middleTo = newLength;
    } else {
        if (startLength > 0)
            CopyPiece(image, along(imageOrigin, 0, startLength), picture, along(skinRect, 0, startLength));
        if (pieces == TThreePieces::StartMiddleEnd && endLength > 0)
            CopyPiece(image, along(imageOrigin, newLength - endLength, newLength), picture,
                      along(skinRect, length - endLength, length));
        if (pieces == TThreePieces::StartMiddle)
            middleTo = newLength;
    }
    FillSpan(image, picture, along(skinRect, startLength, length - endLength), direction, middleFrom, middleTo, 0,
             thickness, stretch);
}

void BorderImages(const TskSkinCorners& skin, const TskSkinCorners& fresh, const TBorderTargets& images,
                  const TskImageRef& picture, TRect skinRect, int newWidth, int newHeight, const TskStretchFlags& flags)
{
    const TPieceOf piece{skinRect};
    const int skinWidth = skinRect.Width(), skinHeight = skinRect.Height();
    const TRect& cl = skin.ClRect;
    const TRect& ncl = fresh.ClRect;
    if (newWidth > 0 && ncl.Top > 0 && skin.RTPt.X - skin.LTPt.X > 0) {
        images.Top.Resize(newWidth, ncl.Top);
        const TskImageRef top = images.Top.Ref();
        const TRect edge = piece(skin.LTPt.X, 0, skin.RTPt.X, ncl.Top);
        if (flags.TopStretch)
            StretchPiece(top, Rect(fresh.LTPt.X, 0, fresh.RTPt.X, ncl.Top), picture, edge);
        else
            TileSpan(top, picture, edge, Horizontal, 0, newWidth, 0, ncl.Top);
        CopyPiece(top, Rect(0, 0, fresh.LTPt.X, ncl.Top), picture, piece(0, 0, skin.LTPt.X, ncl.Top));
        CopyPiece(top, Rect(fresh.RTPt.X, 0, newWidth, ncl.Top), picture, piece(skin.RTPt.X, 0, skinWidth, ncl.Top));
    }
    const int bottomHeight = newHeight - ncl.Bottom;
    if (newWidth > 0 && bottomHeight > 0 && skin.RBPt.X - skin.LBPt.X > 0) {
        images.Bottom.Resize(newWidth, bottomHeight);
        const TskImageRef bottom = images.Bottom.Ref();
        const int edgeTop = skinHeight - bottomHeight;
        const TRect edge = piece(skin.LBPt.X, edgeTop, skin.RBPt.X, skinHeight);
        if (flags.BottomStretch)
            StretchPiece(bottom, Rect(fresh.LBPt.X, 0, fresh.RBPt.X, bottomHeight), picture, edge);
        else
            TileSpan(bottom, picture, edge, Horizontal, 0, newWidth, 0, bottomHeight);
        CopyPiece(bottom, Rect(0, 0, fresh.LBPt.X, bottomHeight), picture, piece(0, edgeTop, skin.LBPt.X, skinHeight));
        CopyPiece(bottom, Rect(fresh.RBPt.X, 0, newWidth, bottomHeight), picture,
                  piece(skin.RBPt.X, edgeTop, skinWidth, skinHeight));
    }
    // The side strips lie between the top and bottom strips as they now are.
    auto side = [&](TskImageTarget& strip, int left, int right, TPoint upper, TPoint lower, bool stretch) {
        const int sideHeight = newHeight - images.Bottom.Ref().Height - images.Top.Ref().Height;
        const int width = right - left;
        if (width < 1 || sideHeight < 1 || lower.Y - upper.Y < 1)
            return;
        strip.Resize(width, sideHeight);
        const TskImageRef stripImage = strip.Ref();
        const int head = upper.Y - cl.Top, tail = cl.Bottom - lower.Y;
        const TRect edge = piece(left, upper.Y, right, lower.Y);
        if (stretch)
            StretchPiece(stripImage, Rect(0, head, width, sideHeight - tail), picture, edge);
        else
            TileSpan(stripImage, picture, edge, Vertical, 0, sideHeight, 0, width);
        if (head > 0)
            CopyPiece(stripImage, Rect(0, 0, width, head), picture, piece(left, cl.Top, right, upper.Y));
        if (tail > 0)
            CopyPiece(stripImage, Rect(0, sideHeight - tail, width, sideHeight), picture,
                      piece(left, lower.Y, right, cl.Bottom));
    };
    side(images.Left, 0, ncl.Left, skin.LTPt, skin.LBPt, flags.LeftStretch);
    side(images.Right, cl.Right, cl.Right + (newWidth - ncl.Right), skin.RTPt, skin.RBPt, flags.RightStretch);
}

} // namespace builders

} // namespace tovrel
