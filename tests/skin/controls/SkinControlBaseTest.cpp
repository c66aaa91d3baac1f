#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/GraphicSkinCustomControl.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/data/SkinEntry.h"

namespace tovrel::test {

namespace {

// A 12x12 picture of four coloured quadrants with a distinct middle block, so
// that corners, edges and middle of a nine-slice image all differ.
std::unique_ptr<TBitmap> QuadrantPicture()
{
    auto picture = std::make_unique<TBitmap>(12, 12);
    auto fill = [&](TRect r, TColor c) {
        picture->Canvas()->Brush()->SetColor(c);
        picture->Canvas()->FillRect(r);
    };
    fill(Rect(0, 0, 6, 6), 0x0000FF);
    fill(Rect(6, 0, 12, 6), 0x00FF00);
    fill(Rect(0, 6, 6, 12), 0xFF0000);
    fill(Rect(6, 6, 12, 12), 0x00FFFF);
    fill(Rect(4, 4, 8, 8), 0xFF00FF);
    return picture;
}

// A loaded skin with one nine-slice custom-control entry named "box".
struct NineSliceSkin {
    explicit NineSliceSkin(TComponent* owner) : skin(new TskSkinData(owner))
    {
        skin->FActivePictures.push_back(QuadrantPicture());
        auto entry = std::make_unique<TskDataSkinCustomControl>("box");
        entry->PictureIndex = 0;
        entry->SkinRect = Rect(0, 0, 12, 12);
        entry->LTPoint = {4, 4};
        entry->RTPoint = {8, 4};
        entry->LBPoint = {4, 8};
        entry->RBPoint = {8, 8};
        entry->ClRect = Rect(4, 4, 8, 8);
        skin->CtrlList.push_back(std::move(entry));
        skin->Empty = false;
    }
    TskSkinData* skin;
};

class SkinControlBaseTest : public ControlTest {};

} // namespace

TEST_F(SkinControlBaseTest, ResizeModeDecidesWhichSideFollowsTheRequest)
{
    struct Case {
        TPoint LT, RT, LB, RB;
        int Mode;
        TSize Fitted; // for a requested 50 x 30 on a 12 x 10 skin rectangle
    } cases[] = {
        {{4, 4}, {8, 4}, {4, 6}, {8, 6}, 1, {50, 30}},
        {{4, 0}, {8, 0}, {0, 0}, {0, 0}, 2, {50, 10}},
        {{0, 4}, {0, 0}, {0, 6}, {0, 0}, 3, {12, 30}},
        {{0, 0}, {0, 0}, {0, 0}, {0, 0}, 0, {12, 10}},
    };
    for (const Case& c : cases) {
        TskSkinData skin(nullptr);
        auto entry = std::make_unique<TskDataSkinCustomControl>("x");
        entry->SkinRect = Rect(0, 0, 12, 10);
        entry->LTPoint = c.LT;
        entry->RTPoint = c.RT;
        entry->LBPoint = c.LB;
        entry->RBPoint = c.RB;
        entry->ClRect = Rect(4, 4, 8, 6);
        skin.CtrlList.push_back(std::move(entry));
        TskSkinControlGeometry g;
        g.CopyEntry(skin, 0);
        int w = 50, h = 30;
        g.CalcSize(w, h, true);
        EXPECT_EQ(c.Mode, g.ResizeMode);
        EXPECT_EQ(c.Fitted, (TSize{w, h})) << "mode " << c.Mode;
    }
}

TEST_F(SkinControlBaseTest, AnEntryOfAnotherKindCutsNothing)
{
    TskSkinData skin(nullptr);
    skin.FActivePictures.push_back(QuadrantPicture());
    auto entry = std::make_unique<TskDataSkinControl>("plain");
    entry->PictureIndex = 0;
    entry->SkinRect = Rect(0, 0, 12, 12);
    skin.CtrlList.push_back(std::move(entry));
    TskSkinControlGeometry g;
    g.CopyEntry(skin, 0);
    EXPECT_EQ(0, g.ResizeMode);
    EXPECT_EQ(nullptr, g.Picture);
}

TEST_F(SkinControlBaseTest, ConvertSkinRectFollowsTheGrowth)
{
    TskSkinControlGeometry g;
    g.SkinRect = Rect(0, 0, 12, 12);
    g.LTPt = {4, 4};
    g.RTPt = {8, 4};
    g.LBPt = {4, 8};
    g.RBPt = {8, 8};
    g.ResizeMode = 1;
    struct Case {
        TRect In, Out;
    } cases[] = {
        {Rect(1, 1, 3, 3), Rect(1, 1, 3, 3)},       // left-top corner: stays
        {Rect(9, 1, 11, 3), Rect(19, 1, 21, 3)},    // right-top: moves right
        {Rect(1, 9, 3, 11), Rect(1, 14, 3, 16)},    // left-bottom: moves down
        {Rect(9, 9, 11, 11), Rect(19, 14, 21, 16)}, // right-bottom: both
        {Rect(2, 2, 10, 10), Rect(2, 2, 20, 15)},   // spans the middle: grows
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Out, g.ConvertSkinRect(c.In, 22, 17));
}

TEST_F(SkinControlBaseTest, NineSliceLooksAlikeWithAndWithoutAWindow)
{
    auto form = ShownForm(0, 0, 100, 40);
    NineSliceSkin skin(form.get());
    auto* windowed = Placed<TskSkinCustomControl>(*form, Bounds(0, 0, 30, 20));
    auto* graphic = Placed<TskGraphicSkinCustomControl>(*form, Bounds(50, 0, 30, 20));
    windowed->SetSkinDataName("box");
    graphic->SetSkinDataName("box");
    windowed->SetSkinData(skin.skin);
    graphic->SetSkinData(skin.skin);
    form->Repaint();
    Pump();
    ASSERT_EQ(0, windowed->SkinIndex());
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, 0, 0));     // left-top corner block
    EXPECT_EQ(RGB(255, 0, 255), PixelAt(*form, 15, 10)); // stretched middle
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            ASSERT_EQ(PixelAt(*form, x, y), PixelAt(*form, 50 + x, y)) << x << "," << y;
}

TEST_F(SkinControlBaseTest, MissingEntryDrawsTheDefaultLookUntilTheSkinHasOne)
{
    auto form = ShownForm(0, 0, 100, 40);
    NineSliceSkin skin(form.get());
    auto* control = Placed<TskSkinCustomControl>(*form, Bounds(0, 0, 30, 20));
    control->SetSkinDataName("missing");
    control->SetDefaultWidth(40);
    control->SetSkinData(skin.skin);
    Pump();
    EXPECT_EQ(-1, control->SkinIndex());
    EXPECT_EQ(40, control->Width()); // the default size applies without an entry
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*form, 5, 5));

    skin.skin->CtrlList.front()->IDName = "missing";
    control->ChangeSkinData();
    Pump();
    EXPECT_EQ(0, control->SkinIndex());
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, 0, 0));
}

TEST_F(SkinControlBaseTest, FixedEntryKeepsItsSizeAndAnEmptySkinGivesTheDefaultLook)
{
    auto form = ShownForm(0, 0, 100, 40);
    NineSliceSkin skin(form.get());
    auto& entry = static_cast<TskDataSkinCustomControl&>(*skin.skin->CtrlList.front());
    entry.RBPoint = entry.RTPoint = entry.LBPoint = {0, 0}; // fixed size
    auto* control = Placed<TskGraphicSkinCustomControl>(*form, Bounds(0, 0, 30, 20));
    control->SetSkinDataName("box");
    control->SetSkinData(skin.skin);
    EXPECT_EQ((TSize{12, 12}), (TSize{control->Width(), control->Height()}));
    control->SetBounds(0, 0, 50, 50);
    EXPECT_EQ((TSize{12, 12}), (TSize{control->Width(), control->Height()}));

    skin.skin->Empty = true;
    form->Repaint();
    Pump();
    EXPECT_EQ(-1, control->SkinIndex());
    EXPECT_EQ(ColorToRGB(clBtnFace), PixelAt(*form, 2, 2));
}

TEST_F(SkinControlBaseTest, MaskShapesTheWindowAndFollowsResizes)
{
    auto form = ShownForm(0, 0, 100, 60);
    form->SetColor(clWhite);
    NineSliceSkin skin(form.get());
    // Black is inside; the two white pixels cut the outer corners away.
    auto mask = std::make_unique<TBitmap>(12, 12);
    mask->Canvas()->Brush()->SetColor(clBlack);
    mask->Canvas()->FillRect(Rect(0, 0, 12, 12));
    mask->Canvas()->SetPixel(0, 0, clWhite);
    mask->Canvas()->SetPixel(11, 11, clWhite);
    skin.skin->FActivePictures.push_back(std::move(mask));
    auto& entry = static_cast<TskDataSkinCustomControl&>(*skin.skin->CtrlList.front());
    entry.MaskPictureIndex = 1;
    auto* control = Placed<TskSkinCustomControl>(*form, Bounds(10, 10, 30, 20));
    control->SetSkinDataName("box");
    control->SetSkinData(skin.skin);
    Pump();
    ASSERT_TRUE(control->HasRegion());
    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0);
    EXPECT_EQ(white, PixelAt(*form, 10, 10)); // cut away: the form shows through
    EXPECT_EQ(red, PixelAt(*form, 11, 10));
    EXPECT_EQ(white, PixelAt(*form, 39, 29));
    EXPECT_EQ(form.get(), FindControl(WindowFromPoint(form->ClientToScreen({10, 10}))));
    EXPECT_EQ(control, FindControl(WindowFromPoint(form->ClientToScreen({11, 10}))));

    control->SetBounds(10, 10, 40, 30); // the far corner moves with the size
    Pump();
    EXPECT_EQ(white, PixelAt(*form, 49, 39));
    EXPECT_NE(white, PixelAt(*form, 39, 29));

    entry.MaskPictureIndex = -1; // no mask: no region
    control->ChangeSkinData();
    Pump();
    EXPECT_FALSE(control->HasRegion());
    EXPECT_EQ(red, PixelAt(*form, 10, 10));
}

TEST_F(SkinControlBaseTest, ForceBackgroundLaysTheClientBlockOntoTheScreen)
{
    auto form = ShownForm(0, 0, 100, 60);
    form->SetColor(clWhite);
    NineSliceSkin skin(form.get());
    auto& entry = static_cast<TskDataSkinCustomControl&>(*skin.skin->CtrlList.front());
    auto* control = Placed<TskSkinCustomControl>(*form, Bounds(0, 0, 30, 20));
    control->ForcebackGround = true;
    control->SetSkinDataName("box");
    control->SetSkinData(skin.skin);
    Pump();
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, 0, 0));     // left-top corner of the top strip
    EXPECT_EQ(RGB(255, 255, 0), PixelAt(*form, 29, 19)); // right-bottom corner of the bottom strip
    EXPECT_EQ(RGB(255, 0, 255), PixelAt(*form, 15, 10)); // client block tiled across the middle

    // A skin whose client block has no area leaves the middle alone instead of tiling forever.
    entry.ClRect = Rect(4, 4, 4, 8);
    control->ChangeSkinData();
    Pump();
    EXPECT_EQ(RGB(255, 0, 0), PixelAt(*form, 0, 0));
}

} // namespace tovrel::test
