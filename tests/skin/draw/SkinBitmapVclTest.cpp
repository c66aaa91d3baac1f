// TskBitmap with the component framework's canvases, bitmaps, resources and streams.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Picture.h"
#include "platform/vcl/Streams.h"
#include "skin/draw/SkinBitmap.h"

namespace tovrel::test {
namespace {

using test::CoordColor;
using test::FillWithCoordinates;

void PutPixel(TBitmap& b, int x, int y, TskColor c)
{
    std::memcpy(b.ScanLine(y) + (b.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3) * x, &c,
                b.PixelFormat() == TPixelFormat::pf32bit ? 4 : 3);
}

TEST(SkinBitmapVcl, CanvasFollowsTheDCThroughResizes)
{
    TskBitmap b;
    b.SetSize(4, 4);
    TCanvas* canvas = b.Canvas();
    EXPECT_EQ(canvas->Handle(), b.DC());
    b.SetSize(8, 2);
    EXPECT_EQ(canvas->Handle(), b.DC());
    canvas->Brush()->SetColor(TColor(RGB(0, 0, 255)));
    canvas->FillRect(Rect(0, 0, 8, 2));
    EXPECT_EQ(b.Pixel(7, 1) & 0xFFFFFF, 0x0000FFu);
}

TEST(SkinBitmapVcl, FrameworkBitmapsComeInOpaqueUnlessTheyCarryAlpha)
{
    TBitmap rgb(2, 1, TPixelFormat::pf24bit);
    PutPixel(rgb, 1, 0, 0x123456);
    TskBitmap b;
    b.Assign(&rgb);
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 0), 0xFF123456u);
    EXPECT_FALSE(b.AlphaBlend);

    TBitmap argb(2, 1, TPixelFormat::pf32bit);
    PutPixel(argb, 0, 0, 0x80FFFFFF);
    b.Assign(&argb);
    EXPECT_EQ(b.Pixel(0, 0) >> 24, 0x80u);
    EXPECT_TRUE(b.AlphaBlend);

    TBitmap out;
    b.AssignTo(&out); // blended over the new bitmap's black
    EXPECT_EQ(out.Width(), 2);
    EXPECT_EQ(out.PixelFormat(), TPixelFormat::pf32bit);
    TskColor first;
    std::memcpy(&first, out.ScanLine(0), 4);
    EXPECT_EQ(first & 0xFFFFFF, 0x7F7F7Fu);
}

TEST(SkinBitmapVcl, DrawGraphicCopiesAllButMagenta)
{
    TBitmap picture(3, 1, TPixelFormat::pf32bit);
    PutPixel(picture, 0, 0, 0xFFFF00FF); // magenta: not copied
    PutPixel(picture, 1, 0, 0xFF010203);
    PutPixel(picture, 2, 0, 0xFFFF00FE);
    TskBitmap b;
    b.SetSize(5, 1);
    b.Clear(0x11111111);
    b.DrawGraphic(&picture, Rect(1, 0, 4, 1));
    EXPECT_EQ(b.Pixel(0, 0), 0x11111111u);
    EXPECT_EQ(b.Pixel(1, 0), 0x11111111u);
    EXPECT_EQ(b.Pixel(2, 0) & 0xFFFFFF, 0x010203u);
    EXPECT_EQ(b.Pixel(3, 0) & 0xFFFFFF, 0xFF00FEu);
    EXPECT_EQ(b.Pixel(4, 0), 0x11111111u);
}

TEST(SkinBitmapVcl, ResourcesLoadByNameAndMissingOnesLeaveTheBitmap)
{
    TSurface surface(2, 2, TPixelFormat::pf24bit);
    surface.ScanLine(1)[3] = 200; // pixel (1, 1) blue
    const auto bytes = EncodeBmp(surface);
    RegisterBitmapResource("SKINDRAW_TEST_GLYPH", bytes);
    TskBitmap b;
    b.LoadFromResource("SKINDRAW_TEST_GLYPH");
    ASSERT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF0000C8u);
    b.LoadFromResource("NO_SUCH_RESOURCE");
    EXPECT_EQ(b.Width(), 2);
}

TEST(SkinBitmapVcl, FrameworkStreamsCarryTheSameFormat)
{
    TskBitmap b;
    FillWithCoordinates(b, 3, 2);
    b.Name = "glow";
    TMemoryStream stream;
    b.SaveToStream(stream);
    const std::int64_t size = stream.Size();
    stream.WriteBuffer("tail", 4);
    stream.SetPosition(0);
    TskBitmap copy;
    copy.LoadFromStream(stream);
    EXPECT_EQ(stream.Position(), size); // just past the bitmap
    EXPECT_EQ(copy.Name, "glow");
    EXPECT_EQ(copy.Pixel(2, 1), CoordColor(2, 1));

    TMemoryStream cut;
    cut.WriteBuffer("\x01\x00", 2);
    cut.SetPosition(0);
    EXPECT_THROW(copy.LoadFromStream(cut), EskBitmapError);
    EXPECT_EQ(cut.Position(), 0);
}

} // namespace
} // namespace tovrel::test
