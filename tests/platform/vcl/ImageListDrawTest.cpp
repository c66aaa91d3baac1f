// Image lists drawn through their handles in each style, against expected
// pixels, and the other calls the shell controls make on list handles.
#include "platform/gdi/Icon.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Icon.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/ImageListCalls.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

// One 3 x 1 image: opaque red, red at half alpha, transparent.
class ImageListDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.SetSize(3, 1);
        list.ColorDepth = cd32Bit;
        TBitmap image(3, 1);
        const TPixel pixels[] = {0xFFFF0000, 0x80FF0000, 0x00000000};
        for (int x = 0; x < 3; ++x)
            StorePixel(image.ScanLine(0) + x * 4, pixels[x]);
        list.Add(&image, nullptr);
    }
    // The three pixels drawn onto white.
    std::vector<COLORREF> Drawn(const std::function<void(HDC)>& draw)
    {
        TBitmap target(3, 1);
        target.Canvas()->Brush()->SetColor(clWhite);
        target.Canvas()->FillRect(Rect(0, 0, 3, 1));
        draw(target.Canvas()->Handle());
        std::vector<COLORREF> pixels;
        for (int x = 0; x < 3; ++x)
            pixels.push_back(ColorToRGB(target.Canvas()->Pixels(x, 0)));
        return pixels;
    }

    TImageList list{nullptr};
};

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kPink = RGB(255, 127, 127),
                   kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);

TEST_F(ImageListDrawTest, StylesBlendWithTheGivenColours)
{
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    auto half = [](COLORREF a, COLORREF b) {
        return RGB((GetRValue(a) + GetRValue(b) + 1) / 2, (GetGValue(a) + GetGValue(b) + 1) / 2,
                   (GetBValue(a) + GetBValue(b) + 1) / 2);
    };
    struct TCase {
        const char* Name;
        UINT Style;
        COLORREF Background, Blend;
        std::vector<COLORREF> Shows;
    } const cases[] = {
        {"normal without background: alpha", ILD_NORMAL, CLR_NONE, CLR_NONE, {kRed, kPink, kWhite}},
        {"normal over a background", ILD_NORMAL, kGreen, CLR_NONE, {kRed, RGB(128, 127, 0), kGreen}},
        {"transparent ignores the background", ILD_TRANSPARENT, kGreen, CLR_NONE, {kRed, kPink, kWhite}},
        {"list's background by default", ILD_NORMAL, CLR_DEFAULT, CLR_NONE, {kRed, RGB(128, 0, 127), kBlue}},
        {"selected: half the blend colour",
         ILD_SELECTED,
         CLR_NONE,
         kBlue,
         {RGB(128, 0, 128), RGB(191, 127, 191), kWhite}},
        {"focus: a quarter", ILD_FOCUS, CLR_NONE, kBlue, {RGB(191, 0, 64), RGB(223, 127, 159), kWhite}},
        {"selected without a colour: half transparent",
         ILD_SELECTED,
         CLR_NONE,
         CLR_NONE,
         {kPink, RGB(255, 191, 191), kWhite}},
    };
    ImageList_SetBkColor(list.Handle(), kBlue);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto shown = Drawn([&](HDC dc) {
            EXPECT_TRUE(ImageList_DrawEx(list.Handle(), 0, dc, 0, 0, 0, 0, c.Background, c.Blend, c.Style));
        });
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(shown[std::size_t(x)], c.Shows[std::size_t(x)])
                << "pixel " << x << std::hex << " got " << shown[std::size_t(x)];
    }
    const auto highlighted =
        Drawn([&](HDC dc) { ImageList_DrawEx(list.Handle(), 0, dc, 0, 0, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_SELECTED); });
    EXPECT_EQ(highlighted[0], half(kRed, highlight)) << "CLR_DEFAULT blends with the highlight colour";
    const auto part = Drawn([&](HDC dc) { ImageList_DrawEx(list.Handle(), 0, dc, 0, 0, 1, 0, kGreen, CLR_NONE, 0); });
    EXPECT_EQ(part, (std::vector<COLORREF>{kRed, kWhite, kWhite})) << "dx draws only part of the image";
}

TEST_F(ImageListDrawTest, ListDrawUsesItsStyleAndColours)
{
    list.DrawingStyle = dsSelected;
    list.BlendColor = clBlue;
    const auto shown = Drawn([&](HDC dc) {
        TCanvas canvas;
        canvas.SetHandle(dc);
        list.Draw(&canvas, 0, 0, 0);
        canvas.SetHandle(nullptr);
    });
    EXPECT_EQ(shown[0], RGB(128, 0, 128));
}

TEST_F(ImageListDrawTest, CallsOnHandles)
{
    const HIMAGELIST handle = list.Handle();
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(handle, &cx, &cy));
    EXPECT_EQ(cx, 3);
    EXPECT_EQ(cy, 1);
    EXPECT_EQ(ImageList_GetImageCount(handle), 1);
    EXPECT_EQ(ImageList_GetBkColor(handle), CLR_NONE);
    EXPECT_EQ(ImageList_SetBkColor(handle, kGreen), CLR_NONE);
    EXPECT_EQ(ImageList_SetBkColor(handle, CLR_NONE), kGreen);
    EXPECT_EQ(list.BkColor, clNone);

    HICON icon = ImageList_GetIcon(handle, 0, ILD_NORMAL);
    EXPECT_EQ(Drawn([&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL); }),
              (std::vector<COLORREF>{kRed, kPink, kWhite}));
    DestroyIcon(icon);
    TIcon graphic;
    list.GetIcon(0, &graphic);
    EXPECT_EQ(graphic.Width(), 3);
    EXPECT_THROW(list.GetIcon(1, &graphic), EInvalidOperation);

    const auto unknown = reinterpret_cast<HIMAGELIST>(std::uintptr_t(0xDEAD));
    const auto nothing = Drawn([&](HDC dc) {
        EXPECT_FALSE(ImageList_DrawEx(unknown, 0, dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, 0));
        EXPECT_FALSE(ImageList_Draw(handle, 1, dc, 0, 0, 0));
    });
    EXPECT_EQ(nothing, (std::vector<COLORREF>{kWhite, kWhite, kWhite}));
    EXPECT_FALSE(ImageList_GetIconSize(unknown, &cx, &cy));
    EXPECT_EQ(ImageList_GetIcon(handle, 5, 0), nullptr);
    EXPECT_EQ(ImageList_SetBkColor(unknown, kGreen), CLR_NONE);
}

} // namespace
} // namespace tovrel::test
