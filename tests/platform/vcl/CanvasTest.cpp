#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

#include <gtest/gtest.h>

#include <thread>

namespace tovrel::test {
namespace {

TColor At(TBitmap& bitmap, int x, int y)
{
    return bitmap.Canvas()->Pixels(x, y);
}

std::unique_ptr<TBitmap> Filled(int width, int height, TColor colour, TPixelFormat format = TPixelFormat::pf32bit)
{
    auto bitmap = std::make_unique<TBitmap>(width, height, format);
    bitmap->Canvas()->Brush()->SetColor(colour);
    bitmap->Canvas()->FillRect(Rect(0, 0, width, height));
    return bitmap;
}

TEST(Canvas, ShapesUsePenAndBrushAndExcludeRightAndBottomEdges)
{
    const auto bitmapOwner = Filled(8, 8, clWhite);
    TBitmap& bitmap = *bitmapOwner;
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetColor(clRed);
    canvas->Brush()->SetColor(clBlue);
    canvas->Rectangle(1, 1, 5, 5);
    EXPECT_EQ(At(bitmap, 1, 1), clRed);
    EXPECT_EQ(At(bitmap, 4, 4), clRed);
    EXPECT_EQ(At(bitmap, 2, 2), clBlue);
    EXPECT_EQ(At(bitmap, 5, 5), clWhite);

    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetColor(clLime);
    canvas->Rectangle(0, 0, 8, 8);
    EXPECT_EQ(At(bitmap, 2, 2), clBlue); // a clear brush leaves the inside

    canvas->MoveTo(0, 7);
    canvas->LineTo(4, 7);
    EXPECT_EQ(At(bitmap, 3, 7), clLime);
    canvas->Pen()->SetColor(clBlack);
    canvas->MoveTo(0, 6);
    canvas->LineTo(3, 6);
    EXPECT_EQ(At(bitmap, 2, 6), clBlack);
    EXPECT_EQ(At(bitmap, 3, 6), clWhite); // the end pixel is excluded
    EXPECT_EQ(canvas->PenPos(), Point(3, 6));

    canvas->Brush()->SetColor(clYellow); // a colour makes a clear brush solid again
    canvas->FrameRect(Rect(5, 0, 8, 3));
    EXPECT_EQ(At(bitmap, 5, 0), clYellow);
    EXPECT_EQ(At(bitmap, 6, 1), clWhite);
    canvas->SetPixel(6, 1, clFuchsia);
    EXPECT_EQ(At(bitmap, 6, 1), clFuchsia);
    EXPECT_EQ(canvas->ClipRect(), Rect(0, 0, 8, 8));
}

TEST(Canvas, TextBackgroundFollowsTheBrushAndExtentGrowsWithText)
{
    const auto bitmapOwner = Filled(60, 20, clWhite);
    TBitmap& bitmap = *bitmapOwner;
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetColor(clBlack);
    canvas->Font()->SetHeight(-12);
    const TSize one = canvas->TextExtent("W");
    EXPECT_GT(one.cx, 0);
    EXPECT_GE(one.cy, 12);
    EXPECT_GT(canvas->TextWidth("WW"), one.cx);

    canvas->Brush()->SetColor(clAqua);
    canvas->TextOut(0, 0, "W");
    EXPECT_EQ(At(bitmap, 0, one.cy - 1), clAqua); // the text cell is filled with a solid brush
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextOut(30, 0, "W");
    EXPECT_EQ(At(bitmap, 30, one.cy - 1), clWhite);
    bool dark = false;
    for (int x = 30; x < 30 + one.cx; ++x)
        for (int y = 0; y < one.cy; ++y)
            dark = dark || At(bitmap, x, y) == clBlack;
    EXPECT_TRUE(dark);

    canvas->Brush()->SetColor(clRed);
    canvas->TextRect(Rect(0, 0, 4, 4), 0, 0, "WWW");
    EXPECT_EQ(At(bitmap, 5, one.cy - 1), clAqua); // clipped to the rectangle
}

TEST(Canvas, FontSizeAndHeightFollowNinetySixDpi)
{
    const struct {
        int Size;
        int Height;
    } cases[] = {{8, -11}, {9, -12}, {10, -13}, {12, -16}, {-10, 13}};
    for (const auto& c : cases) {
        TFont font;
        font.SetSize(c.Size);
        EXPECT_EQ(font.Height(), c.Height) << c.Size;
        EXPECT_EQ(font.Size(), c.Size) << c.Size;
    }
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetStyle({fsBold, fsUnderline});
    font.SetStyle({fsBold, fsUnderline});
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(font.LogFont().lfWeight, FW_BOLD);
    EXPECT_TRUE(font.LogFont().lfUnderline);
    EXPECT_NE(font.Handle(), nullptr);
}

TEST(Canvas, LockIsHeldAcrossThreads)
{
    TCanvas canvas;
    canvas.Lock();
    bool otherGotIt = true;
    std::thread other([&] { otherGotIt = canvas.TryLock(); });
    other.join();
    EXPECT_FALSE(otherGotIt);
    EXPECT_EQ(canvas.LockCount(), 1);
    canvas.Unlock();
    std::thread again([&] {
        otherGotIt = canvas.TryLock();
        if (otherGotIt)
            canvas.Unlock();
    });
    again.join();
    EXPECT_TRUE(otherGotIt);
}

TEST(Bitmap, TransparentDrawLeavesOutTheKeyColour)
{
    const auto glyphOwner = Filled(4, 4, clFuchsia);
    TBitmap& glyph = *glyphOwner;
    glyph.Canvas()->SetPixel(1, 1, clRed);
    glyph.Canvas()->SetPixel(0, 3, clGreen); // bottom-left: the automatic key
    glyph.SetTransparent(true);

    const auto targetOwner = Filled(4, 4, clWhite);
    TBitmap& target = *targetOwner;
    target.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(At(target, 0, 3), clWhite);
    EXPECT_EQ(At(target, 2, 2), clFuchsia);
    EXPECT_EQ(At(target, 1, 1), clRed);

    glyph.SetTransparentColor(clFuchsia);
    EXPECT_EQ(glyph.TransparentMode(), tmFixed);
    const auto fixedTargetOwner = Filled(4, 4, clWhite);
    TBitmap& fixedTarget = *fixedTargetOwner;
    fixedTarget.Canvas()->Draw(0, 0, &glyph);
    EXPECT_EQ(At(fixedTarget, 2, 2), clWhite);
    EXPECT_EQ(At(fixedTarget, 0, 3), clGreen);

    glyph.SetTransparent(false);
    const auto stretchedOwner = Filled(8, 8, clWhite);
    TBitmap& stretched = *stretchedOwner;
    stretched.Canvas()->StretchDraw(Rect(0, 0, 8, 8), &glyph);
    EXPECT_EQ(At(stretched, 2, 2), clRed);
    EXPECT_EQ(At(stretched, 3, 3), clRed);
    EXPECT_EQ(At(stretched, 1, 7), clGreen);
}

TEST(Bitmap, SizeFormatScanLinesAndBmpRoundTrip)
{
    const auto bitmapOwner = Filled(3, 2, clBlue, TPixelFormat::pf24bit);
    TBitmap& bitmap = *bitmapOwner;
    bitmap.Canvas()->SetPixel(2, 1, clRed);
    EXPECT_EQ(bitmap.ScanLine(1) - bitmap.ScanLine(0), 12); // 9 bytes padded to 12
    EXPECT_EQ(bitmap.ScanLine(1)[2 * 3 + 2], 255);          // red of pixel (2,1), top-down rows
    EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphicOperation);

    bitmap.SetSize(4, 3);
    EXPECT_EQ(At(bitmap, 2, 1), clRed);
    EXPECT_EQ(At(bitmap, 3, 2), clBlack);

    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(loaded.Width(), 4);
    EXPECT_EQ(At(loaded, 2, 1), clRed);
    EXPECT_EQ(At(loaded, 0, 0), clBlue);

    loaded.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_EQ(At(loaded, 2, 1), clRed);
    TBitmap copy;
    copy.Assign(&loaded);
    loaded.Canvas()->SetPixel(2, 1, clWhite);
    EXPECT_EQ(At(copy, 2, 1), clRed); // a copy, not shared pixels

    const auto targetOwner = Filled(4, 3, clWhite);
    TBitmap& target = *targetOwner;
    target.Canvas()->CopyRect(Rect(0, 0, 2, 2), copy.Canvas(), Rect(1, 0, 3, 2));
    EXPECT_EQ(At(target, 1, 1), clRed);

    TMemoryStream junk;
    junk.WriteBuffer("BMnot a bitmap", 14);
    junk.SetPosition(0);
    EXPECT_THROW(loaded.LoadFromStream(junk), EInvalidGraphic);
}

} // namespace
} // namespace tovrel::test

namespace tovrel::test {
namespace {

TEST(Canvas, Frame3DAndBrushCopy)
{
    const auto owner = Filled(6, 6, clWhite);
    TBitmap& bitmap = *owner;
    TRect r = Rect(0, 0, 6, 6);
    Frame3D(bitmap.Canvas(), r, clWhite, clBlack, 1);
    EXPECT_EQ(r, Rect(1, 1, 5, 5));
    Frame3D(bitmap.Canvas(), r, clRed, clBlue, 1);
    EXPECT_EQ(At(bitmap, 0, 5), clBlack); // bottom-left belongs to the bottom edge
    EXPECT_EQ(At(bitmap, 5, 0), clBlack);
    EXPECT_EQ(At(bitmap, 0, 4), clWhite);
    EXPECT_EQ(At(bitmap, 1, 1), clRed);
    EXPECT_EQ(At(bitmap, 4, 4), clBlue);
    EXPECT_EQ(At(bitmap, 2, 2), clWhite);

    const auto glyphOwner = Filled(2, 1, clFuchsia);
    glyphOwner->Canvas()->SetPixel(1, 0, clGreen);
    const auto targetOwner = Filled(2, 1, clWhite);
    targetOwner->Canvas()->Brush()->SetColor(clYellow);
    targetOwner->Canvas()->BrushCopy(Rect(0, 0, 2, 1), glyphOwner.get(), Rect(0, 0, 2, 1), clFuchsia);
    EXPECT_EQ(At(*targetOwner, 0, 0), clYellow);
    EXPECT_EQ(At(*targetOwner, 1, 0), clGreen);
}

} // namespace
} // namespace tovrel::test
