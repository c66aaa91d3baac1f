#pragma once
// Image builders: cut an image of any size out of a skin rectangle. Corners are
// copied pixel for pixel, edges tiled or stretched, the middle stretched,
// strip-repeated or tiled. The destination bitmaps belong to the caller; a
// requested size without area leaves the destination empty.
#include "skin/data/SkinTypes.h"
#include "skin/draw/SkinBitmap.h"

namespace tovrel {

// Corner points and client rectangle, relative to the skin rectangle's
// top-left corner (or, for the new geometry, to the built image's).
struct TskSkinCorners {
    TPoint LTPt, RTPt, LBPt, RBPt;
    TRect ClRect;
};

struct TskStretchFlags {
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TskStretchType StretchType = TskStretchType::skstFull;
};

// The new geometry: right and bottom parts move by the growth.
TskSkinCorners NewSkinCorners(const TskSkinCorners& skin, TSize skinSize, TSize newSize);

// Nine-slice image of NewWidth x NewHeight; the middle only when drawClient.
void CreateSkinImage(const TskSkinCorners& skin, const TskSkinCorners& fresh, TskBitmap& b, const TskBitmap& picture,
                     TRect skinRect, int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags);
void CreateSkinImage2(const TskSkinCorners& skin, const TskSkinCorners& fresh, TskBitmap& b, const TskBitmap& picture,
                      TRect skinRect, int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags);
// Without the right column: top, bottom and middle run on to the right end.
void CreateSkinImage3(const TskSkinCorners& skin, const TskSkinCorners& fresh, TskBitmap& b, const TskBitmap& picture,
                      TRect skinRect, int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags);
// At b's current size, corners cut by clRect and everything else stretched.
void CreateStretchImage(TskBitmap& b, const TskBitmap& picture, TRect skinRect, TRect clRect, bool drawClient);

// Three pieces across: b becomes newWidth x the skin rectangle's height.
void CreateHSkinImage(int leftOffset, int rightOffset, TskBitmap& b, const TskBitmap& picture, TRect skinRect,
                      int newWidth, int newHeight, bool stretchEffect);
// Without the right piece.
void CreateHSkinImage2(int leftOffset, int rightOffset, TskBitmap& b, const TskBitmap& picture, TRect skinRect,
                       int newWidth, int newHeight, bool stretchEffect);
// Only the middle piece, across the whole width.
void CreateHSkinImage3(int leftOffset, int rightOffset, TskBitmap& b, const TskBitmap& picture, TRect skinRect,
                       int newWidth, int newHeight, bool stretchEffect);
// Three pieces down: b becomes the skin rectangle's width x newHeight.
void CreateVSkinImage(int topOffset, int bottomOffset, TskBitmap& b, const TskBitmap& picture, TRect skinRect,
                      int newWidth, int newHeight, bool stretchEffect);

// The four border strips of the nine-slice image; a strip whose condition
// fails keeps the size and content it had. Tiled strips start their tile
// phase at the strip's start, and the corners are drawn over them.
struct TskBorderImages {
    TskBitmap& Left;
    TskBitmap& Top;
    TskBitmap& Right;
    TskBitmap& Bottom;
};
void CreateSkinBorderImages(const TskSkinCorners& skin, const TskSkinCorners& fresh, const TskBorderImages& images,
                            const TskBitmap& picture, TRect skinRect, int newWidth, int newHeight,
                            const TskStretchFlags& flags);

} // namespace tovrel
