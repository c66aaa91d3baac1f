// TskEffectBmp snapshots and drawing onto device contexts; image lists as
// caption images.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "skin/draw/EffectBmp.h"
#include "skin/draw/ImageListSource.h"

namespace tovrel::test {
namespace {

using test::CoordColor;
using test::FillWithCoordinates;
using test::SourceOf;

TEST(EffectBmpDraw, SnapshotAndDrawsKeepPixelsTheRightWayUp)
{
    TskBitmap source;
    FillWithCoordinates(source, 5, 4);
    const TskEffectBmp snapshot = TskEffectBmp::CreateFromhWnd(source.Handle());
    ASSERT_EQ(snapshot.Width, 5);
    ASSERT_EQ(snapshot.Height, 4);
    EXPECT_EQ(snapshot.GetPixel(3, 2), CoordColor(3, 2) & 0xFFFFFF);

    TskBitmap target;
    target.SetSize(8, 8);
    snapshot.Draw(target.DC(), 1, 2);
    EXPECT_EQ(SourceOf(target.Pixel(1, 2)), (TPoint{0, 0}));
    EXPECT_EQ(SourceOf(target.Pixel(5, 5)), (TPoint{4, 3}));

    TskBitmap part;
    part.SetSize(4, 4);
    snapshot.DrawRect(part.DC(), 1, 1, 2, 1, 2, 3); // (2, 1, 2 x 3) at (1, 1)
    EXPECT_EQ(SourceOf(part.Pixel(1, 1)), (TPoint{2, 1}));
    EXPECT_EQ(SourceOf(part.Pixel(2, 3)), (TPoint{3, 3}));
    EXPECT_EQ(part.Pixel(0, 0), 0u);

    TskBitmap big;
    big.SetSize(10, 8);
    snapshot.Stretch(big.DC(), 0, 0, 10, 8);
    EXPECT_EQ(SourceOf(big.Pixel(9, 7)), (TPoint{4, 3}));

    const TskEffectBmp none = TskEffectBmp::CreateFromhWnd(nullptr);
    EXPECT_EQ(none.Width, 0);
}

TEST(EffectBmpDraw, ImageListsDrawTheirImagesAsCaptionImages)
{
    TImageList list(nullptr);
    list.SetSize(4, 3);
    TBitmap image(4, 3, TPixelFormat::pf32bit);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const TskColor c = 0xFF0000FF;
            std::memcpy(image.ScanLine(y) + 4 * x, &c, 4);
        }
    list.Add(&image, nullptr);
    TskImageSource source = ImageSourceOf(list);
    EXPECT_EQ(source.Count, 1);
    EXPECT_EQ(source.Width, 4);
    TskBitmap target;
    target.SetSize(10, 10);
    source.Draw(target.DC(), 2, 3, 0, true);
    EXPECT_EQ(target.Pixel(2, 3) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(target.Pixel(6, 3) & 0xFFFFFF, 0u);
}

} // namespace
} // namespace tovrel::test
