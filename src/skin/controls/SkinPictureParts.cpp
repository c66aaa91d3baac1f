#include "skin/controls/SkinPictureParts.h"

#include "platform/vcl/Canvas.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

std::unique_ptr<TBitmap> PicturePart(TBitmap& picture, const TRect& r)
{
    auto part = std::make_unique<TBitmap>(r.Width(), r.Height());
    part->Canvas()->CopyRect(TRect{0, 0, r.Width(), r.Height()}, picture.Canvas(), r);
    return part;
}

std::unique_ptr<TBitmap> TransparentPicturePart(TBitmap& picture, const TRect& r, TColor key)
{
    auto part = PicturePart(picture, r);
    part->SetTransparentMode(tmFixed);
    part->SetTransparentColor(key);
    part->SetTransparent(true);
    return part;
}

TRect ClientPart(const TRect& SkinRect, const TRect& ClRect)
{
    return TRect{SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                 SkinRect.Top + ClRect.Bottom};
}

void ResizedEntryImage(TBitmap& B, TBitmap& picture, const TskDataSkinCustomControl& e, const TRect& rect, int width,
                       int height)
{
    const TskSkinCorners skin{e.LTPoint, e.RTPoint, e.LBPoint, e.RBPoint, e.ClRect};
    const TskSkinCorners fresh =
        NewSkinCorners(skin, TSize{e.SkinRect.Width(), e.SkinRect.Height()}, TSize{width, height});
    const TskStretchFlags flags{e.LeftStretch,   e.TopStretch,    e.RightStretch,
                                e.BottomStretch, e.StretchEffect, e.StretchType};
    CreateSkinImage(skin, fresh, B, picture, rect, width, height, true, flags);
}

} // namespace tovrel
