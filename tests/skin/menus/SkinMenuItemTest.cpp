#include "SkinMenuTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/menus/MenuSkinParts.h"

namespace tovrel::test {

TEST(SkinMenuItemKind, CaptionAndStateDecideTheKind)
{
    struct Case {
        const char* caption;
        bool enabled;
        TskMenuItemKind kind;
    } cases[] = {
        {"-", true, TskMenuItemKind::Divider},         {"-", false, TskMenuItemKind::Divider},
        {"-Options-", false, TskMenuItemKind::Header}, {"-Options-", true, TskMenuItemKind::Normal},
        {"--", false, TskMenuItemKind::Header},        {"Open", false, TskMenuItemKind::Normal},
        {"-Open", false, TskMenuItemKind::Normal},
    };
    for (const Case& c : cases) {
        TMenuItem item(nullptr);
        item.SetCaption(c.caption);
        item.SetEnabled(c.enabled);
        EXPECT_EQ(MenuItemKindOf(item), c.kind) << c.caption << " enabled " << c.enabled;
    }
    EXPECT_EQ(HeaderText("-Options-"), "Options");
}

class SkinMenuLookTest : public SkinMenuTest, public ::testing::WithParamInterface<int> {};

// Rows: preselected (hot), plain, disabled, divider, with a sub-menu, checked radio.
TEST_P(SkinMenuLookTest, RowsTakeTheirSizesAndDrawEveryState)
{
    TMenuItem* items = menu->Items();
    Add(items, "&First");
    Add(items, "Second")->SetShortCut(ShortCut('S', TShiftState{ssCtrl}));
    Add(items, "Off")->SetEnabled(false);
    Add(items, "-");
    Add(Add(items, "More"), "Inner");
    TMenuItem* radio = Add(items, "Radio");
    radio->SetRadioItem(true);
    radio->SetChecked(true);
    Open(UseSkin(GetParam()));

    TskSkinPopupWindow& level = Level(0);
    ASSERT_EQ(level.ItemList.size(), 6u);
    ASSERT_EQ(level.SkinLook(), GetParam() != 0);
    const TskDataSkinMenuItem* entry = level.DSMI;
    const int rowHeight = entry ? entry->SkinRect.Height() : 20;
    const int dividerHeight = entry ? entry->DividerRect.Height() : 4;
    int top = level.NewItemsRect.Top;
    for (int i = 0; i < 6; ++i) {
        const int h = i == 3 ? dividerHeight : rowHeight;
        EXPECT_EQ(Row(0, i).ObjectRect, Rect(level.NewItemsRect.Left, top, level.NewItemsRect.Right, top + h)) << i;
        top += h;
    }
    EXPECT_EQ(level.Height(), top + (level.Height() - level.NewItemsRect.Bottom));
    EXPECT_TRUE(Row(0, 0).Active);
    EXPECT_EQ(level.ActiveItem, 0);

    const TRect hot = Row(0, 0).ObjectRect, plain = Row(0, 1).ObjectRect, divider = Row(0, 3).ObjectRect;
    if (!entry) {
        EXPECT_EQ(PixelAt(level, hot.Left, hot.Top), ColorToRGB(TColor(0x800000)));
        EXPECT_EQ(PixelAt(level, hot.Right - 3, hot.Top + 2), ColorToRGB(TColor(0xD2BDB6)));
        EXPECT_EQ(PixelAt(level, plain.Left + 1, plain.Top + 1), ColorToRGB(clBtnFace));
        EXPECT_EQ(PixelAt(level, plain.Right - 3, plain.Top + 1), ColorToRGB(clWindow));
        EXPECT_EQ(PixelAt(level, divider.Left + 30, divider.Top + divider.Height() / 2), ColorToRGB(clBtnShadow));
        // The sub-menu arrow's first column, 7 px in from the row's inner right edge.
        const TRect more = Row(0, 4).ObjectRect;
        EXPECT_EQ(PixelAt(level, more.Left + more.Width() - 2 - 7, more.Top + 2 + (more.Height() - 4) / 2),
                  ColorToRGB(clWindowText));
        return;
    }
    TBitmap* picture = skin->ActivePicture(entry->ActivePictureIndex);
    ASSERT_NE(picture, nullptr);
    const auto source = [&](TRect r, int dy) { return ColorToRGB(picture->Canvas()->Pixels(r.Left, r.Top + dy)); };
    EXPECT_EQ(PixelAt(level, hot.Left, hot.Top + 1), source(entry->ActiveSkinRect, 1));
    EXPECT_EQ(PixelAt(level, plain.Left, plain.Top + 1), source(entry->SkinRect, 1));
    EXPECT_EQ(PixelAt(level, divider.Left, divider.Top), source(entry->DividerRect, 0));
}

TEST_P(SkinMenuLookTest, AnImageListWidensTheGlyphColumn)
{
    Add(menu->Items(), "Open");
    Open(UseSkin(GetParam()));
    const int plainWidth = Level(0).Width();
    engine->Hide();
    Pump();

    TImageList images(nullptr);
    images.SetSize(24, 24);
    menu->SetImages(&images);
    Open(UseSkin(GetParam()));
    EXPECT_EQ(Level(0).GlyphWidth, 29);
    EXPECT_EQ(Level(0).Width(), plainWidth + 29 - 19);
    menu->SetImages(nullptr);
}

TEST_P(SkinMenuLookTest, HeaderRowsShowTheSkinsBand)
{
    TMenuItem* header = Add(menu->Items(), "-Options-");
    header->SetEnabled(false);
    Add(menu->Items(), "Open");
    TskSkinData* data = UseSkin(GetParam());
    Open(data);
    const TRect r = Row(0, 0).ObjectRect;
    const auto band = FindHeaderBand(data, {"menuheader", "label"});
    if (GetParam() == 0) {
        EXPECT_EQ(PixelAt(Level(0), r.Left + 1, r.Top + 1), ColorToRGB(clBtnShadow));
        return;
    }
    ASSERT_TRUE(band);
    const TRect source = band.Entry->SkinRect;
    const int top = r.Top + (r.Height() - source.Height()) / 2;
    EXPECT_EQ(PixelAt(Level(0), r.Left, top + 1),
              ColorToRGB(band.Picture->Canvas()->Pixels(source.Left, source.Top + 1)));
}

INSTANTIATE_TEST_SUITE_P(DefaultAndTwoSkins, SkinMenuLookTest, ::testing::Values(0, 1, 4));

} // namespace tovrel::test
