#pragma once
// Image builders: cut an image of any size out of a skin rectangle. Corners are
// copied pixel for pixel, edges tiled or stretched, the middle stretched,
// strip-repeated or tiled. The destination bitmaps belong to the caller; a
// requested size without area leaves the destination empty.
#include "skin/draw/SkinBitmap.h"
#include "skin/draw/SkinDrawTargets.h"

namespace tovrel {

// Declared here without its values so that this header meets the component
// framework's headers without the skin data's type names (see SkinTypes.h).
enum class TskStretchType : std::uint8_t;

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
    TskStretchType StretchType{}; // skstFull
};

// The stretch flags of a skin entry that carries all of them.
template <class E> TskStretchFlags StretchFlagsOf(const E& entry)
{
    TskStretchFlags flags;
    flags.LeftStretch = entry.LeftStretch;
    flags.TopStretch = entry.TopStretch;
    flags.RightStretch = entry.RightStretch;
    flags.BottomStretch = entry.BottomStretch;
    flags.StretchEffect = entry.StretchEffect;
    flags.StretchType = entry.StretchType;
    return flags;
}

// The new geometry: right and bottom parts move by the growth.
TskSkinCorners NewSkinCorners(const TskSkinCorners& skin, TSize skinSize, TSize newSize);

// The builders on any target and picture (see SkinDrawTargets.h); the templates
// below take skin bitmaps and the component framework's bitmaps alike.
namespace builders {
// Whether the nine-slice image has its right column, or its top, bottom and
// middle run on to the right end instead.
enum class TRightColumn { Drawn, Omitted };
void NineSliceImage(const TskSkinCorners& skin, const TskSkinCorners& fresh, TskImageTarget& image,
                    const TskImageRef& picture, TRect skinRect, int newWidth, int newHeight, bool drawClient,
                    const TskStretchFlags& flags, TRightColumn rightColumn);
void StretchImage(TskImageTarget& image, const TskImageRef& picture, TRect skinRect, TRect clRect, bool drawClient);
// Which of the start, middle and end pieces a three-piece image draws.
enum class TThreePieces { StartMiddleEnd, StartMiddle, MiddleOnly };
void ThreePieceImage(TskImageTarget& image, const TskImageRef& picture, TRect skinRect, int startLength, int endLength,
                     int newLength, bool stretch, TskTileDirection direction, TThreePieces pieces);
struct TBorderTargets {
    TskImageTarget& Left;
    TskImageTarget& Top;
    TskImageTarget& Right;
    TskImageTarget& Bottom;
};
void BorderImages(const TskSkinCorners& skin, const TskSkinCorners& fresh, const TBorderTargets& images,
                  const TskImageRef& picture, TRect skinRect, int newWidth, int newHeight,
                  const TskStretchFlags& flags);

// The same two builders on a bitmap of either kind.
template <class B, class P>
void ThreePieceImageOf(B& image, P& picture, TRect skinRect, int startLength, int endLength, int newLength,
                       bool stretch, TskTileDirection direction, TThreePieces pieces)
{
    auto target = TargetOf(image);
    ThreePieceImage(target, RefOf(picture), skinRect, startLength, endLength, newLength, stretch, direction, pieces);
}
template <class B, class P>
void NineSliceImageOf(const TskSkinCorners& skin, const TskSkinCorners& fresh, B& image, P& picture, TRect skinRect,
                      int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags,
                      TRightColumn rightColumn)
{
    auto target = TargetOf(image);
    NineSliceImage(skin, fresh, target, RefOf(picture), skinRect, newWidth, newHeight, drawClient, flags, rightColumn);
}
} // namespace builders

// Nine-slice image of newWidth x newHeight; the middle only when drawClient.
// An empty picture or coinciding corner points only size the image.
template <class B, class P>
void CreateSkinImage(const TskSkinCorners& skin, const TskSkinCorners& fresh, B& image, P& picture, TRect skinRect,
                     int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags)
{
    builders::NineSliceImageOf(skin, fresh, image, picture, skinRect, newWidth, newHeight, drawClient, flags,
                               builders::TRightColumn::Drawn);
}
// The same image, under the name popup menus and hint windows use.
template <class B, class P>
void CreateSkinImage2(const TskSkinCorners& skin, const TskSkinCorners& fresh, B& image, P& picture, TRect skinRect,
                      int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags)
{
    CreateSkinImage(skin, fresh, image, picture, skinRect, newWidth, newHeight, drawClient, flags);
}
// Without the right column: top, bottom and middle run on to the right end.
template <class B, class P>
void CreateSkinImage3(const TskSkinCorners& skin, const TskSkinCorners& fresh, B& image, P& picture, TRect skinRect,
                      int newWidth, int newHeight, bool drawClient, const TskStretchFlags& flags)
{
    builders::NineSliceImageOf(skin, fresh, image, picture, skinRect, newWidth, newHeight, drawClient, flags,
                               builders::TRightColumn::Omitted);
}
// At the image's current size, corners cut by clRect and everything else stretched.
template <class B, class P> void CreateStretchImage(B& image, P& picture, TRect skinRect, TRect clRect, bool drawClient)
{
    auto target = TargetOf(image);
    builders::StretchImage(target, RefOf(picture), skinRect, clRect, drawClient);
}

// Three pieces across: the image becomes newWidth x the skin rectangle's
// height.
template <class B, class P>
void CreateHSkinImage(int leftOffset, int rightOffset, B& image, P& picture, TRect skinRect, int newWidth,
                      bool stretchEffect)
{
    builders::ThreePieceImageOf(image, picture, skinRect, leftOffset, rightOffset, newWidth, stretchEffect,
                                TskTileDirection::Horizontal, builders::TThreePieces::StartMiddleEnd);
}
// Without the right piece.
template <class B, class P>
void CreateHSkinImage2(int leftOffset, int rightOffset, B& image, P& picture, TRect skinRect, int newWidth,
                       bool stretchEffect)
{
    builders::ThreePieceImageOf(image, picture, skinRect, leftOffset, rightOffset, newWidth, stretchEffect,
                                TskTileDirection::Horizontal, builders::TThreePieces::StartMiddle);
}
// Only the middle piece, across the whole width.
template <class B, class P>
void CreateHSkinImage3(int leftOffset, int rightOffset, B& image, P& picture, TRect skinRect, int newWidth,
                       bool stretchEffect)
{
    builders::ThreePieceImageOf(image, picture, skinRect, leftOffset, rightOffset, newWidth, stretchEffect,
                                TskTileDirection::Horizontal, builders::TThreePieces::MiddleOnly);
}
// Three pieces down: the image becomes the skin rectangle's width x newHeight.
template <class B, class P>
void CreateVSkinImage(int topOffset, int bottomOffset, B& image, P& picture, TRect skinRect, int newHeight,
                      bool stretchEffect)
{
    builders::ThreePieceImageOf(image, picture, skinRect, topOffset, bottomOffset, newHeight, stretchEffect,
                                TskTileDirection::Vertical, builders::TThreePieces::StartMiddleEnd);
}

// The four border strips of the nine-slice image; a strip whose condition
// fails keeps the size and content it had. Tiled strips start their tile
// phase at the strip's start, and the corners are drawn over them.
template <class B> struct TskBorderImages {
    B& Left;
    B& Top;
    B& Right;
    B& Bottom;
};
template <class B, class P>
void CreateSkinBorderImages(const TskSkinCorners& skin, const TskSkinCorners& fresh, const TskBorderImages<B>& images,
                            P& picture, TRect skinRect, int newWidth, int newHeight, const TskStretchFlags& flags)
{
    auto left = TargetOf(images.Left), top = TargetOf(images.Top), right = TargetOf(images.Right),
         bottom = TargetOf(images.Bottom);
    builders::BorderImages(skin, fresh, {left, top, right, bottom}, RefOf(picture), skinRect, newWidth, newHeight,
                           flags);
}

} // namespace tovrel
