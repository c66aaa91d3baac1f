// PNG image list: items and their placeholders, size changes, and drawing
// enabled and disabled (translucent).
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/Streams.h"
#include "skin/data/PngImageList.h"

namespace tovrel::test {
namespace {

// A picture of one colour type, every pixel `color`, with `alpha` where the type has alpha.
std::unique_ptr<TskPngImage> Filled(std::uint8_t colorType, TColor color, std::uint8_t alpha = 255, int size = 4)
{
    auto picture = std::make_unique<TskPngImage>();
    TskPngImage& png = *picture;
    png.CreateBlank(colorType, 8, size, size);
    for (int y = 0; y < size; ++y) {
        const TAlphaRow alphaRow = png.AlphaScanline(y);
        for (int x = 0; x < size; ++x) {
            png.SetPixel(x, y, color);
            if (alphaRow)
                alphaRow[x] = alpha;
        }
    }
    return picture;
}

std::uint8_t AlphaAt(TskPngImage& png, int x, int y)
{
    const TAlphaRow row = png.AlphaScanline(y);
    return row ? row[x] : 255;
}

TEST(PngImageList, ItemsKeepTheirPlaceholdersInStep)
{
    TskPngImageList list(nullptr);
    list.SetPngWidth(16);
    list.SetPngHeight(16);
    for (int i = 0; i < 3; ++i)
        list.PngImages()->Add();
    EXPECT_EQ("PngImage2", list.PngImages()->Items(2)->Name);
    EXPECT_EQ("PngImage2", list.PngImages()->Items(2)->DisplayName());
    EXPECT_EQ(3, list.Count());

    list.PngImages()->Delete(0);
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ("PngImage1", list.PngImages()->Items(0)->Name);
    EXPECT_EQ("PngImage2", list.PngImages()->Items(1)->Name);

    // The present size removes nothing; a new one removes every item and image.
    list.SetPngWidth(16);
    EXPECT_EQ(2, list.PngImages()->Count());
    list.SetPngHeight(24);
    EXPECT_EQ(0, list.PngImages()->Count());
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(24, list.PngHeight());
}

TEST(PngImageList, CopiedItemsCarryTheirPicturesAndNames)
{
    TskPngImageList source(nullptr), copy(nullptr);
    TskPngImageItem* item = source.PngImages()->Add();
    item->SetPngImage(Filled(COLOR_RGBALPHA, clRed).get());
    item->Name = "red";
    copy.SetPngImages(source.PngImages());
    ASSERT_EQ(1, copy.PngImages()->Count());
    EXPECT_EQ(1, copy.Count());
    EXPECT_EQ("red", copy.PngImages()->Items(0)->Name);
    EXPECT_EQ(clRed, copy.PngImages()->Items(0)->PngImage()->Pixels(1, 1));
}

// Alpha after MakeBlendedPng with amount 127, by colour type.
TEST(PngImageList, BlendedPictureAlphaByColourType)
{
    struct TCase {
        const char* What;
        std::uint8_t ColorType;
        std::uint8_t Alpha;
        std::uint8_t Expected;
    };
    const TCase cases[] = {
        {"colour with alpha, opaque", COLOR_RGBALPHA, 255, 128},
        {"colour with alpha, 200", COLOR_RGBALPHA, 200, 100},
        {"colour with alpha, 1 (half rounds to even)", COLOR_RGBALPHA, 1, 0},
        {"colour with alpha, 3 (half rounds to even)", COLOR_RGBALPHA, 3, 2},
        {"grey with alpha, opaque", COLOR_GRAYSCALEALPHA, 255, 128},
        {"colour without alpha", COLOR_RGB, 255, 128},
        {"grey", COLOR_GRAYSCALE, 255, 127},
        {"palette", COLOR_PALETTE, 255, 127},
    };
    for (const TCase& c : cases) {
        const auto picture = Filled(c.ColorType, RGB(90, 90, 90), c.Alpha);
        TskPngImage& png = *picture;
        MakeBlendedPng(png, 127);
        EXPECT_EQ(c.Expected, AlphaAt(png, 2, 3)) << c.What;
        EXPECT_EQ(RGB(90, 90, 90), png.Pixels(2, 3)) << c.What;
    }
}

TEST(PngImageList, BlendedPictureKeepsItsTransparentColourTransparent)
{
    for (std::uint8_t colorType : {COLOR_RGB, COLOR_PALETTE}) {
        const auto picture = Filled(colorType, clBlue);
        TskPngImage& png = *picture;
        png.SetPixel(0, 0, clLime);
        png.SetTransparentColor(clLime);
        ASSERT_EQ(ptmBit, png.TransparencyMode());
        MakeBlendedPng(png, 127);
        EXPECT_EQ(0, AlphaAt(png, 0, 0)) << int(colorType);
        EXPECT_NE(0, AlphaAt(png, 1, 0)) << int(colorType);
    }
}

TEST(PngImageList, DisabledItemsDrawTranslucentWhateverTheStyle)
{
    TskPngImageList list(nullptr);
    list.SetPngWidth(4);
    list.SetPngHeight(4);
    // The picture goes through the PNG codec, as a list's images do when read.
    TMemoryStream file;
    Filled(COLOR_RGBALPHA, clRed)->SaveToStream(file);
    file.SetPosition(0);
    TskPngImage decoded;
    decoded.LoadFromStream(file);
    ASSERT_EQ(COLOR_RGBALPHA, decoded.Header().ColorType);
    list.PngImages()->Add()->SetPngImage(&decoded);

    const auto drawn = [&](bool enabled, TDrawingStyle style) {
        TBitmap target(8, 8, TPixelFormat::pf24bit);
        for (int y = 0; y < 8; ++y)
            std::memset(target.ScanLine(y), 0xFF, 8 * 3);
        list.Draw(target.Canvas(), 2, 2, 0, style, enabled);
        const std::uint8_t* p = target.ScanLine(3) + 3 * 3;
        const std::uint8_t* outside = target.ScanLine(1) + 1 * 3;
        EXPECT_EQ(0xFF, outside[1]);
        return RGB(p[2], p[1], p[0]);
    };
    EXPECT_EQ(RGB(255, 0, 0), drawn(true, dsNormal));
    const COLORREF disabled = drawn(false, dsNormal);
    EXPECT_EQ(255, GetRValue(disabled));
    EXPECT_NEAR(127, GetGValue(disabled), 1); // white under red at alpha 128
    EXPECT_EQ(disabled, drawn(false, dsSelected));
    EXPECT_EQ(disabled, drawn(false, dsFocus));
}

} // namespace
} // namespace tovrel::test
