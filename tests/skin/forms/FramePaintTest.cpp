#include "SkinFormTestSupport.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/WindowPos.h"

namespace tovrel::test {

namespace {

COLORREF PicturePixel(TBitmap& picture, int x, int y)
{
    return ColorToRGB(picture.Canvas()->Pixels(x, y));
}

} // namespace

TEST_F(SkinFormTest, AFormOfThePictureSizeShowsThePictureAndGrowsAtItsEdges)
{
    TskSkinData* data = LoadSkin(0);
    TBitmap& picture = *data->FPicture;
    const int pw = picture.Width(), ph = picture.Height();
    const TRect cl = data->FormInfo.ClRect;
    TskSkinForm* f = ShowSkinned(data, Bounds(0, 0, pw, ph));
    // The picture alone, without the title drawn over it.
    form->SetCaption("");
    Pump();
    ASSERT_TRUE(form->Active());
    const auto inShape = [&](int x, int y) { return !data->FMask || data->FMask->Canvas()->Pixels(x, y) == 0; };
    for (int y = 0; y < ph; ++y)
        for (int x = 0; x < pw; ++x)
            if (!cl.Contains({x, y}) && inShape(x, y)) {
                ASSERT_EQ(PicturePixel(picture, x, y), PixelAt(*form, x, y)) << x << "," << y;
            }

    // Grown by 60 x 40: the right-bottom corner block moves with the corner.
    form->SetBounds(0, 0, pw + 60, ph + 40);
    Pump();
    const TPoint rb = data->FormInfo.RBPoint;
    ASSERT_EQ((TPoint{rb.X + 60, rb.Y + 40}), f->Frame().NewRBPoint);
    for (int y = rb.Y; y < ph; ++y)
        for (int x = rb.X; x < pw; ++x)
            if (inShape(x, y)) {
                ASSERT_EQ(PicturePixel(picture, x, y), PixelAt(*form, x + 60, y + 40)) << x << "," << y;
            }
}

TEST_F(SkinFormTest, ABackgroundPictureIndexNamingNothingPaintsTheSkinClient)
{
    TskSkinData* data = LoadSkin(0);
    data->FormInfo.BGPictureIndex = 99;
    ShowSkinned(data, Bounds(0, 0, 400, 300));
    const TRect cl = data->FormInfo.ClRect;
    EXPECT_EQ(PicturePixel(*data->FPicture, cl.Left, cl.Top), PixelAt(*form, cl.Left, cl.Top));
}

TEST_F(SkinFormTest, TheMaskCutsTheWindowAtAnySize)
{
    int masked = -1;
    for (int i = 0; i < skins->Skins()->Count() && masked < 0; ++i)
        if (TskSkinData* data = LoadSkin(i); data->FMask && !data->FMask->Empty())
            masked = i;
    ASSERT_GE(masked, 0) << "no stored skin has a mask";
    for (TSize size : {TSize{300, 200}, TSize{520, 410}}) {
        ShowSkinned(skin.get(), Bounds(20, 20, size.cx, size.cy));
        EXPECT_NE(form->Handle(), WindowFromPoint(Screen({0, 0})));
        EXPECT_NE(form->Handle(), WindowFromPoint(Screen({size.cx - 1, 0})));
        EXPECT_EQ(form->Handle(), WindowFromPoint(Screen({size.cx / 2, 1})));
        EXPECT_EQ(form->Handle(), WindowFromPoint(Screen({size.cx - 1, size.cy / 2})));
    }
}

} // namespace tovrel::test
