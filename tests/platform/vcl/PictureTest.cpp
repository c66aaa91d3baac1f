#include "platform/vcl/Picture.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/PngImage.h"
#include "platform/vcl/Streams.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tovrel::test {
namespace {

TColor At(TBitmap& bitmap, int x, int y)
{
    return bitmap.Canvas()->Pixels(x, y);
}

void Fill(TBitmap& bitmap, TColor colour)
{
    bitmap.Canvas()->Brush()->SetColor(colour);
    bitmap.Canvas()->FillRect(Rect(0, 0, bitmap.Width(), bitmap.Height()));
}

// Four 4x4 quadrants of plain colours: survives JPEG within a tolerance.
std::unique_ptr<TBitmap> Quadrants()
{
    auto bitmap = std::make_unique<TBitmap>(8, 8, TPixelFormat::pf24bit);
    TCanvas* canvas = bitmap->Canvas();
    const TColor colours[] = {clRed, clLime, clBlue, clWhite};
    for (int i = 0; i < 4; ++i) {
        canvas->Brush()->SetColor(colours[i]);
        canvas->FillRect(Bounds((i % 2) * 4, (i / 2) * 4, 4, 4));
    }
    return bitmap;
}

bool Near(TColor a, TColor b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("vcl_picture_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::filesystem::path folder_;
};

TEST_F(PictureTest, EachFormatRoundTripsThroughItsClassPickedByExtension)
{
    const struct {
        const char* File;
        const char* ClassName;
        int Tolerance;
    } cases[] = {
        {"shot.bmp", "TBitmap", 0},      {"shot.PNG", "TPngImage", 0}, {"shot.jpg", "TJPEGImage", 40},
        {"shot.jpeg", "TJPEGImage", 40}, {"shot.gif", "TGIFImage", 0},
    };
    const auto source = Quadrants();
    for (const auto& c : cases) {
        TPicture picture;
        std::unique_ptr<TGraphic> graphic =
            TPicture::GraphicForExtension(std::filesystem::path(c.File).extension().string());
        ASSERT_TRUE(graphic) << c.File;
        graphic->Assign(source.get()); // as the snapshot code saves: an image of that class from the bitmap
        graphic->SaveToFile(Path(c.File));

        picture.LoadFromFile(Path(c.File));
        ASSERT_TRUE(picture.Graphic());
        EXPECT_EQ(picture.Graphic()->ClassName(), c.ClassName);
        EXPECT_EQ(picture.Width(), 8);
        TBitmap drawn(8, 8);
        drawn.Canvas()->Draw(0, 0, picture.Graphic());
        for (const TPoint p : {Point(1, 1), Point(6, 1), Point(1, 6), Point(6, 6)})
            EXPECT_TRUE(Near(At(drawn, p.X, p.Y), source->Canvas()->Pixels(p.X, p.Y), c.Tolerance))
                << c.File << " at " << p.X << "," << p.Y;

        TBitmap back;
        back.Assign(picture.Graphic());
        EXPECT_TRUE(Near(At(back, 6, 6), clWhite, c.Tolerance)) << c.File;
    }
}

TEST_F(PictureTest, UnknownExtensionsAndDamagedFilesAreClearErrors)
{
    TPicture picture;
    try {
        picture.LoadFromFile(Path("movie.xyz"));
        FAIL() << "no error";
    } catch (const EInvalidGraphic& error) {
        EXPECT_STREQ(error.what(), "Unknown picture file extension (.xyz)");
    }
    for (const char* name : {"bad.png", "bad.jpg", "bad.gif", "bad.bmp"}) {
        std::ofstream(Path(name), std::ios::binary) << "not a picture at all";
        EXPECT_THROW(picture.LoadFromFile(Path(name)), EInvalidGraphic) << name;
    }
    EXPECT_THROW(picture.LoadFromFile(Path("missing.png")), EFOpenError);
    TJPEGImage empty;
    EXPECT_THROW(empty.SaveToFile(Path("empty.jpg")), EInvalidGraphic);
}

TEST_F(PictureTest, PngKeepsAlphaAndSingleColourTransparency)
{
    TPngImage png;
    png.CreateBlank(COLOR_RGBALPHA, 8, 2, 1);
    png.SetPixel(0, 0, clRed);
    png.SetPixel(1, 0, clRed);
    TAlphaRow alpha = png.AlphaScanline(0);
    ASSERT_TRUE(alpha);
    alpha[0] = 255;
    alpha[1] = 128;

    TMemoryStream stream;
    png.SaveToStream(stream);
    stream.SetPosition(0);
    TPngImage loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.Header().ColorType, COLOR_RGBALPHA);
    EXPECT_EQ(loaded.TransparencyMode(), ptmPartial);
    TBitmap target(2, 1);
    Fill(target, clWhite);
    target.Canvas()->Draw(0, 0, &loaded);
    EXPECT_EQ(At(target, 0, 0), clRed);
    EXPECT_TRUE(Near(At(target, 1, 0), TColor(RGB(255, 127, 127)), 2)); // half red over white

    // A transparent bitmap becomes an RGB PNG with single-colour transparency.
    TBitmap glyph(2, 1, TPixelFormat::pf24bit);
    Fill(glyph, clFuchsia);
    glyph.Canvas()->SetPixel(1, 0, clBlue);
    glyph.SetTransparent(true);
    glyph.SetTransparentColor(clFuchsia);
    TPngImage keyed;
    keyed.Assign(&glyph);
    EXPECT_EQ(keyed.Header().ColorType, COLOR_RGB);
    EXPECT_EQ(keyed.TransparencyMode(), ptmBit);
    EXPECT_EQ(keyed.TransparentColor(), clFuchsia);
    EXPECT_FALSE(keyed.AlphaScanline(0));
    Fill(target, clWhite);
    target.Canvas()->Draw(0, 0, &keyed);
    EXPECT_EQ(At(target, 0, 0), clWhite);
    EXPECT_EQ(At(target, 1, 0), clBlue);

    keyed.CreateAlpha(); // every pixel opaque, as the blending code expects
    EXPECT_EQ(keyed.Header().ColorType, COLOR_RGBALPHA);
    ASSERT_TRUE(keyed.AlphaScanline(0));
    EXPECT_EQ(keyed.AlphaScanline(0)[0], 255);
}

class TCountingImageList : public TImageList {
public:
    using TImageList::TImageList;
    std::vector<std::pair<int, bool>> Calls;

protected:
    void DoDraw(int index, TCanvas* canvas, int x, int y, TDrawingStyle style, bool enabled) override
    {
        Calls.emplace_back(index, enabled);
        TImageList::DoDraw(index, canvas, x, y, style, enabled);
    }
};

TEST(ImageList, MaskedStripsSplitAndDrawEnabledOrGreyedThroughDoDraw)
{
    TCountingImageList images(nullptr);
    images.SetSize(2, 2);
    TBitmap strip(4, 2, TPixelFormat::pf24bit);
    Fill(strip, clRed);
    strip.Canvas()->SetPixel(0, 0, clFuchsia);
    strip.Canvas()->SetPixel(3, 1, clFuchsia);
    EXPECT_EQ(images.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(images.Count(), 2);

    TBitmap target(4, 2);
    Fill(target, clWhite);
    images.Draw(target.Canvas(), 0, 0, 0);
    images.Draw(target.Canvas(), 2, 0, 1, false);
    images.Draw(target.Canvas(), 0, 0, 7); // out of range: nothing
    EXPECT_EQ(At(target, 0, 0), clWhite);
    EXPECT_EQ(At(target, 1, 0), clRed);
    const TColor grey = At(target, 2, 0);
    EXPECT_NE(grey, clRed);
    EXPECT_EQ(GetRValue(grey), GetGValue(grey));
    EXPECT_EQ(GetGValue(grey), GetBValue(grey));
    EXPECT_EQ(At(target, 3, 1), clWhite);
    EXPECT_EQ(images.Calls, (std::vector<std::pair<int, bool>>{{0, true}, {1, false}, {7, true}}));

    TBitmap mask(2, 2, TPixelFormat::pf24bit);
    Fill(mask, clBlack);
    mask.Canvas()->SetPixel(1, 1, clWhite);
    images.Insert(0, &strip, &mask);
    EXPECT_EQ(images.Count(), 4);
    EXPECT_EQ(images.Image(0).ScanLine(1)[1 * 4 + 3], 0);
    EXPECT_THROW(images.Delete(4), EInvalidOperation);
    images.SetWidth(3);
    EXPECT_EQ(images.Count(), 0);
}

} // namespace
} // namespace tovrel::test
