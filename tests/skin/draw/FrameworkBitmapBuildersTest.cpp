// The builders and mask regions on the component framework's bitmaps give what
// they give on skin bitmaps.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/gdi/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "skin/draw/MaskRegions.h"
#include "skin/draw/SkinImageBuilders.h"

#include <cstring>

namespace tovrel::test {
namespace {

using test::FillWithCoordinates;

const TRect kSkinRect = Rect(2, 1, 14, 11);
const TskSkinCorners kSkin{{4, 3}, {8, 3}, {4, 7}, {8, 7}, Rect(3, 2, 9, 8)};

void CopyInto(TBitmap& dst, const TskBitmap& src)
{
    dst.SetPixelFormat(TPixelFormat::pf32bit);
    dst.SetSize(src.Width(), src.Height());
    for (int y = 0; y < src.Height(); ++y)
        std::memcpy(dst.ScanLine(y), src.Bits() + std::ptrdiff_t(y) * src.Width(), std::size_t(src.Width()) * 4);
}

TskColor PixelOf(TBitmap& b, int x, int y)
{
    TskColor c;
    std::memcpy(&c, b.ScanLine(y) + 4 * x, 4);
    return c;
}

TEST(FrameworkBitmapBuilders, NineSliceAndStripsMatchTheSkinBitmapResults)
{
    TskBitmap skinPicture;
    FillWithCoordinates(skinPicture, 16, 12);
    TBitmap picture;
    CopyInto(picture, skinPicture);
    TskStretchFlags flags;
    flags.TopStretch = true;
    for (const TSize size : {TSize{12, 10}, TSize{29, 23}}) {
        const TskSkinCorners fresh = NewSkinCorners(kSkin, TSize{12, 10}, size);
        TskBitmap expected;
        CreateSkinImage(kSkin, fresh, expected, skinPicture, kSkinRect, size.cx, size.cy, true, flags);
        TBitmap built;
        CreateSkinImage(kSkin, fresh, built, picture, kSkinRect, size.cx, size.cy, true, flags);
        ASSERT_EQ(built.Width(), size.cx);
        ASSERT_EQ(built.Height(), size.cy);
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                ASSERT_EQ(PixelOf(built, x, y), expected.Pixel(x, y)) << x << "," << y;
    }
    TBitmap strip;
    CreateHSkinImage(3, 2, strip, picture, kSkinRect, 0, false);
    EXPECT_TRUE(strip.Empty());
}

TEST(FrameworkBitmapBuilders, MaskRegionsReadFrameworkMasks)
{
    TskBitmap skinMask;
    skinMask.SetSize(12, 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            skinMask.Pixel(x, y) = (x + y) % 3 == 0 ? 0xFFFFFFFF : 0xFF000000;
    TBitmap mask;
    CopyInto(mask, skinMask);
    HRGN a = CreateMaskRegion(skinMask), b = CreateMaskRegion(mask);
    EXPECT_TRUE(EqualRgn(a, b));
    const TskSkinCorners fresh = NewSkinCorners(kSkin, TSize{12, 10}, TSize{30, 25});
    HRGN c = CreateSkinRegion(kSkin, fresh, skinMask, 30, 25), d = CreateSkinRegion(kSkin, fresh, mask, 30, 25);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(EqualRgn(c, d));
    for (HRGN r : {a, b, c, d})
        DeleteObject(ToGdiObj(r));
}

} // namespace
} // namespace tovrel::test
