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
    TRect operator()(int l, int t, int r, int b) const
    {
        return Rect(SkinRect.Left + l, SkinRect.Top + t, SkinRect.Left + r, SkinRect.Top + b);
    }
};

// Strip-repeats the middle stretched across (skstVert) or down (skstHorz),
// clipped to area.
void RepeatStretchedStrip(const TskImageRef& b, const TskImageRef& picture, TRect middle, TRect area, bool across)
{
    const int cw = middle.Width(), ch = middle.Height();
    TskBitmap strip;
    strip.SetSize(across ? area.Width() : cw, across ? ch : area.Height());
    const TskImageRef stripRef = RefOf(strip);
    StretchPiece(stripRef, Rect(0, 0, strip.Width(), strip.Height()), picture, middle);
    const TSavedDC saved(b.Dc);
    IntersectClipRect(b.Dc, area.Left, area.Top, area.Right, area.Bottom);
    const int count = across ? area.Height() / ch : area.Width() / cw;
    for (int k = 0; k <= count; ++k) {
        const TPoint at = across ? Point(area.Left, area.Top + k * ch) : Point(area.Left + k * cw, area.Top);
        CopyPiece(b, Rect(at.X, at.Y, at.X + strip.Width(), at.Y + strip.Height()), stripRef,
                  Rect(0, 0, strip.Width(), strip.Height()));
    }
}

void DrawMiddle(const TskImageRef& b, const TskImageRef& picture, TRect middle, TRect area,
                const TskStretchFlags& flags)
{
    if (!flags.StretchEffect) {
        TileArea(b, picture, middle, area);
        return;
    }
    if (middle.IsEmpty() || area.IsEmpty())
        return;
    switch (flags.StretchType) {
    case TskStretchType::skstFull: StretchPiece(b, area, picture, middle); break;
    case TskStretchType::skstHorz: RepeatStretchedStrip(b, picture, middle, area, false); break;
    case TskStretchType::skstVert: RepeatStretchedStrip(b, picture, middle, area, true); break;
    }
}

} // namespace

TskSkinCorners NewSkinCorners(const TskSkinCorners& skin, TSize skinSize, TSize newSize)
{
    const int dw = newSize.cx - skinSize.cx, dh = newSize.cy - skinSize.cy;
    TskSkinCorners n;
    n.LTPt = skin.LTPt;
    n.RTPt = Point(skin.RTPt.X + dw, skin.RTPt.Y);
    n.LBPt = Point(skin.LBPt.X, skin.LBPt.Y + dh);
    n.RBPt = Point(skin.RBPt.X + dw, skin.RBPt.Y + dh);
    n.ClRect = Rect(skin.ClRect.Left, skin.ClRect.Top, skin.ClRect.Right + dw, skin.ClRect.Bottom + dh);
    return n;
}

namespace builders {

// withRight false gives the variant without the right column.
void SkinImage(const TskSkinCorners& g, const TskSkinCorners& n, TskImageTarget& target, const TskImageRef& picture,
               TRect skinRect, int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags,
               bool withRight)
{
    target.Resize(newWidth, newHeight);
    const TskImageRef b = target.Ref();
    if (g.RBPt.X == g.LTPt.X || g.RBPt.Y == g.LTPt.Y || picture.Empty() || b.Empty())
        return;
    const TPieceOf piece{skinRect};
    const int w = skinRect.Width(), h = skinRect.Height();
    const TRect& cl = g.ClRect;
    const TRect& ncl = n.ClRect;
    const int topEnd = withRight ? n.RTPt.X : newWidth;
    const int bottomEnd = withRight ? n.RBPt.X : newWidth;
    FillSpan(b, picture, piece(g.LTPt.X, 0, g.RTPt.X, cl.Top), Horizontal, n.LTPt.X, topEnd, 0, ncl.Top,
             flags.TopStretch);
    FillSpan(b, picture, piece(g.LBPt.X, cl.Bottom, g.RBPt.X, h), Horizontal, n.LBPt.X, bottomEnd, ncl.Bottom,
             newHeight, flags.BottomStretch);
    FillSpan(b, picture, piece(0, g.LTPt.Y, cl.Left, g.LBPt.Y), Vertical, n.LTPt.Y, n.LBPt.Y, 0, ncl.Left,
             flags.LeftStretch);
    if (withRight)
        FillSpan(b, picture, piece(cl.Right, g.RTPt.Y, w, g.RBPt.Y), Vertical, n.RTPt.Y, n.RBPt.Y, ncl.Right, newWidth,
                 flags.RightStretch);
    // Corners in this order: a later one wins where they overlap.
    CopyPiece(b, Rect(0, 0, n.LTPt.X, ncl.Top), picture, piece(0, 0, g.LTPt.X, cl.Top));
    CopyPiece(b, Rect(0, ncl.Top, ncl.Left, n.LTPt.Y), picture, piece(0, cl.Top, cl.Left, g.LTPt.Y));
    if (withRight) {
        CopyPiece(b, Rect(n.RTPt.X, 0, newWidth, ncl.Top), picture, piece(g.RTPt.X, 0, w, cl.Top));
        CopyPiece(b, Rect(ncl.Right, ncl.Top, newWidth, n.RTPt.Y), picture, piece(cl.Right, cl.Top, w, g.RTPt.Y));
    }
    CopyPiece(b, Rect(0, n.LBPt.Y, ncl.Left, newHeight), picture, piece(0, g.LBPt.Y, cl.Left, h));
    CopyPiece(b, Rect(ncl.Left, ncl.Bottom, n.LBPt.X, newHeight), picture, piece(cl.Left, cl.Bottom, g.LBPt.X, h));
    if (withRight) {
        CopyPiece(b, Rect(n.RBPt.X, ncl.Bottom, newWidth, newHeight), picture, piece(g.RBPt.X, cl.Bottom, w, h));
        CopyPiece(b, Rect(ncl.Right, n.RBPt.Y, newWidth, ncl.Bottom), picture, piece(cl.Right, g.RBPt.Y, w, cl.Bottom));
    }
    if (drawClient) {
        const TRect area = withRight ? ncl : Rect(ncl.Left, ncl.Top, newWidth, ncl.Bottom);
        DrawMiddle(b, picture, piece(cl.Left, cl.Top, cl.Right, cl.Bottom), area, flags);
    }
}

void StretchImage(TskImageTarget& target, const TskImageRef& picture, TRect skinRect, TRect clRect, bool drawClient)
{
    const TskImageRef b = target.Ref();
    if (b.Empty())
        return;
    TskSkinCorners g;
    g.ClRect = clRect;
    g.LTPt = Point(clRect.Left, clRect.Top);
    g.RTPt = Point(clRect.Right, clRect.Top);
    g.LBPt = Point(clRect.Left, clRect.Bottom);
    g.RBPt = Point(clRect.Right, clRect.Bottom);
    const TSize size{b.Width, b.Height};
    const TskSkinCorners n = NewSkinCorners(g, TSize{skinRect.Width(), skinRect.Height()}, size);
    TskStretchFlags flags;
    flags.LeftStretch = flags.TopStretch = flags.RightStretch = flags.BottomStretch = true;
    flags.StretchEffect = true;
    SkinImage(g, n, target, picture, skinRect, size.cx, size.cy, drawClient, flags, true);
}

void ThreePiece(TskImageTarget& target, const TskImageRef& picture, TRect skinRect, int first, int last, int newLength,
                bool stretch, TskTileDirection direction, TThreeParts parts)
{
    const bool across = direction == Horizontal;
    const int length = across ? skinRect.Width() : skinRect.Height();
    const int thickness = across ? skinRect.Height() : skinRect.Width();
    target.Resize(across ? newLength : thickness, across ? thickness : newLength);
    const TskImageRef b = target.Ref();
    // Rectangle from a to z along the direction, full thickness across.
    auto along = [&](TRect base, int a, int z) {
        return across ? Rect(base.Left + a, base.Top, base.Left + z, base.Top + thickness)
                      : Rect(base.Left, base.Top + a, base.Left + thickness, base.Top + z);
    };
    const TRect image{};
    int from = first, to = newLength - last;
    if (parts == TThreeParts::MiddleOnly) {
        from = 0;
        to = newLength;
    } else {
        if (first > 0)
            CopyPiece(b, along(image, 0, first), picture, along(skinRect, 0, first));
        if (parts == TThreeParts::All && last > 0)
            CopyPiece(b, along(image, newLength - last, newLength), picture, along(skinRect, length - last, length));
        if (parts == TThreeParts::NoEnd)
            to = newLength;
    }
    FillSpan(b, picture, along(skinRect, first, length - last), direction, from, to, 0, thickness, stretch);
}

void BorderImages(const TskSkinCorners& g, const TskSkinCorners& n, const TBorderTargets& images,
                  const TskImageRef& picture, TRect skinRect, int newWidth, int newHeight, const TskStretchFlags& flags)
{
    const TPieceOf piece{skinRect};
    const int w = skinRect.Width(), h = skinRect.Height();
    const TRect& cl = g.ClRect;
    const TRect& ncl = n.ClRect;
    if (newWidth > 0 && ncl.Top > 0 && g.RTPt.X - g.LTPt.X > 0) {
        images.Top.Resize(newWidth, ncl.Top);
        const TskImageRef top = images.Top.Ref();
        const TRect edge = piece(g.LTPt.X, 0, g.RTPt.X, ncl.Top);
        if (flags.TopStretch)
            StretchPiece(top, Rect(n.LTPt.X, 0, n.RTPt.X, ncl.Top), picture, edge);
        else
            TileSpan(top, picture, edge, Horizontal, 0, newWidth, 0, ncl.Top);
        CopyPiece(top, Rect(0, 0, n.LTPt.X, ncl.Top), picture, piece(0, 0, g.LTPt.X, ncl.Top));
        CopyPiece(top, Rect(n.RTPt.X, 0, newWidth, ncl.Top), picture, piece(g.RTPt.X, 0, w, ncl.Top));
    }
    const int bh = newHeight - ncl.Bottom;
    if (newWidth > 0 && bh > 0 && g.RBPt.X - g.LBPt.X > 0) {
        images.Bottom.Resize(newWidth, bh);
        const TskImageRef bottom = images.Bottom.Ref();
        const TRect edge = piece(g.LBPt.X, h - bh, g.RBPt.X, h);
        if (flags.BottomStretch)
            StretchPiece(bottom, Rect(n.LBPt.X, 0, n.RBPt.X, bh), picture, edge);
        else
            TileSpan(bottom, picture, edge, Horizontal, 0, newWidth, 0, bh);
        CopyPiece(bottom, Rect(0, 0, n.LBPt.X, bh), picture, piece(0, h - bh, g.LBPt.X, h));
        CopyPiece(bottom, Rect(n.RBPt.X, 0, newWidth, bh), picture, piece(g.RBPt.X, h - bh, w, h));
    }
    // The side strips lie between the top and bottom strips as they now are.
    auto side = [&](TskImageTarget& strip, int left, int right, TPoint upper, TPoint lower, bool stretch) {
        const int v = newHeight - images.Bottom.Ref().Height - images.Top.Ref().Height;
        const int width = right - left;
        if (width < 1 || v < 1 || lower.Y - upper.Y < 1)
            return;
        strip.Resize(width, v);
        const TskImageRef s = strip.Ref();
        const int head = upper.Y - cl.Top, tail = cl.Bottom - lower.Y;
        const TRect edge = piece(left, upper.Y, right, lower.Y);
        if (stretch)
            StretchPiece(s, Rect(0, head, width, v - tail), picture, edge);
        else
            TileSpan(s, picture, edge, Vertical, 0, v, 0, width);
        if (head > 0)
            CopyPiece(s, Rect(0, 0, width, head), picture, piece(left, cl.Top, right, upper.Y));
        if (tail > 0)
            CopyPiece(s, Rect(0, v - tail, width, v), picture, piece(left, lower.Y, right, cl.Bottom));
    };
    side(images.Left, 0, ncl.Left, g.LTPt, g.LBPt, flags.LeftStretch);
    side(images.Right, cl.Right, cl.Right + (newWidth - ncl.Right), g.RTPt, g.RBPt, flags.RightStretch);
}

} // namespace builders

} // namespace tovrel
