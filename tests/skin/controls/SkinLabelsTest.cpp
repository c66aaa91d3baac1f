#include "../../platform/ctrls/CtrlsTestSupport.h"

#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Paint.h"
#include "skin/controls/SkinBevel.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/controls/SkinTextLabel.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel::test {

namespace {

constexpr TColor kLabelColor = 0x0000C0;
constexpr TColor kLight = 0x00FFEEDD;
constexpr TColor kDark = 0x00332211;

class SkinLabels : public CtrlsTest {
protected:
    void SetUp() override
    {
        CtrlsTest::SetUp();
        skin = std::make_unique<TskSkinData>(nullptr);
        auto label = std::make_unique<TskDataSkinStdLabelControl>("stdlabel");
        label->FontName = "Arial";
        label->FontHeight = 30;
        label->FontColor = kLabelColor;
        skin->CtrlList.push_back(std::move(label));
        auto bevel = std::make_unique<TskDataSkinBevel>("bevel");
        bevel->LightColor = kLight;
        bevel->DarkColor = kDark;
        skin->CtrlList.push_back(std::move(bevel));
        skin->Empty = false;
    }
    void TearDown() override
    {
        CtrlsTest::TearDown();
        skin.reset();
    }
    COLORREF Pixel(TControl& control, int x, int y)
    {
        form->Repaint();
        Pump();
        const TPoint at = form->ScreenToClient(control.ClientToScreen(Point(x, y)));
        auto surface = WindowSurface(form->Handle());
        const std::uint8_t* p = surface->ScanLine(at.Y) + at.X * 4;
        return RGB(p[2], p[1], p[0]);
    }
    // Whether any pixel of the control has the colour.
    bool Shows(TControl& control, TColor colour)
    {
        form->Repaint();
        Pump();
        auto surface = WindowSurface(form->Handle());
        const TPoint origin = form->ScreenToClient(control.ClientToScreen(Point(0, 0)));
        for (int y = 0; y < control.Height(); ++y)
            for (int x = 0; x < control.Width(); ++x) {
                const std::uint8_t* p = surface->ScanLine(origin.Y + y) + (origin.X + x) * 4;
                if (RGB(p[2], p[1], p[0]) == static_cast<COLORREF>(colour))
                    return true;
            }
        return false;
    }
    std::unique_ptr<TskSkinData> skin;
};

int LineHeight(int fontHeight)
{
    TFont font;
    font.SetName("Arial");
    font.SetHeight(fontHeight);
    return TTextMeasure(font).LineHeight();
}

} // namespace

TEST_F(SkinLabels, LabelsTakeTheEntryFontAndFallBackToTheirDefaultFont)
{
    auto& label = Place<TskSkinStdLabel>(Rect(10, 10, 100, 30));
    label.SetCaption("Wide");
    auto& text = Place<TskSkinTextLabel>(Rect(10, 100, 100, 130));
    text.Lines()->Add("Wide");
    const int skinHeight = LineHeight(30);
    const int defaultHeight = TTextMeasure(*label.DefaultFont()).LineHeight();
    ASSERT_NE(skinHeight, defaultHeight);

    struct Case {
        const char* name;
        bool withSkin;
        std::string entry;
        int height;
        bool skinColour;
    };
    const Case cases[] = {
        {"entry", true, "stdlabel", skinHeight, true},
        {"no such entry", true, "missing", defaultHeight, false},
        {"entry of another kind", true, "bevel", defaultHeight, false},
        {"no skin data", false, "stdlabel", defaultHeight, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        label.SkinDataName = c.entry;
        text.SkinDataName = c.entry;
        label.SetSkinData(c.withSkin ? skin.get() : nullptr);
        text.SetSkinData(c.withSkin ? skin.get() : nullptr);
        label.ChangeSkinData();
        text.ChangeSkinData();
        EXPECT_EQ(label.Height(), c.height);
        EXPECT_EQ(text.Height(), c.height); // one line, not two
        EXPECT_EQ(Shows(label, kLabelColor), c.skinColour);
        EXPECT_EQ(Shows(text, kLabelColor), c.skinColour);
    }
}

TEST_F(SkinLabels, TextLabelAutoSizesToItsLinesAndKeepsItsRightEdgeWhenRightAligned)
{
    auto& text = Place<TskSkinTextLabel>(Rect(200, 10, 250, 50));
    text.SetSkinData(skin.get());
    const int line = LineHeight(30);
    text.Lines()->Add("One");
    text.Lines()->Add("Two");
    text.Lines()->Add("Three");
    EXPECT_EQ(text.Height(), 3 * line);
    const int right = text.Left() + text.Width();
    text.SetAlignment(taRightJustify);
    text.Lines()->Add("A much longer line");
    EXPECT_EQ(text.Height(), 4 * line);
    EXPECT_EQ(text.Left() + text.Width(), right);
}

TEST_F(SkinLabels, DisabledStdLabelIsEmbossedInTheSkinColours)
{
    auto& label = Place<TskSkinStdLabel>(Rect(10, 10, 100, 30));
    label.SetCaption("WWW");
    label.SetSkinData(skin.get());
    label.SetEnabled(false);
    EXPECT_TRUE(Shows(label, skin->SkinColors.cBtnShadow()));
    EXPECT_TRUE(Shows(label, skin->SkinColors.cBtnHighLight()));
    EXPECT_FALSE(Shows(label, kLabelColor));
}

TEST_F(SkinLabels, BevelColoursFollowTheSkin)
{
    auto& bevel = Place<TskSkinBevel>(Rect(10, 10, 60, 40));
    EXPECT_EQ(Pixel(bevel, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    bevel.SetSkinData(skin.get());
    EXPECT_EQ(Pixel(bevel, 0, 0), kDark);
    EXPECT_EQ(Pixel(bevel, 49, 29), kLight);

    // An entry of another kind keeps the colours; no entry restores the system's.
    bevel.SkinDataName = "stdlabel";
    bevel.ChangeSkinData();
    EXPECT_EQ(Pixel(bevel, 0, 0), kDark);
    skin->CtrlList.pop_back();
    bevel.SkinDataName = "bevel";
    bevel.ChangeSkinData();
    EXPECT_EQ(Pixel(bevel, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(bevel, 49, 29), GetSysColor(COLOR_BTNHIGHLIGHT));
}

TEST_F(SkinLabels, BevelDividerLines)
{
    auto& bevel = Place<TskSkinBevel>(Rect(10, 10, 60, 40)); // 50 x 30
    bevel.SetSkinData(skin.get());
    bevel.SetDividerMode(true);
    struct Case {
        TBevelShape shape;
        TPoint dark, light, empty;
    };
    const Case cases[] = {
        {bsTopLine, {2, 14}, {3, 15}, {1, 14}},                                            // rectangle (2, 14, 48, 15)
        {bsBottomLine, {47, 14}, {48, 15}, {49, 14}}, {bsBox, {24, 2}, {25, 28}, {24, 1}}, // rectangle (24, 2, 25, 28)
        {bsLeftLine, {24, 27}, {25, 3}, {24, 29}},    {bsSpacer, {0, 0}, {0, 0}, {24, 14}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        bevel.SetShape(c.shape);
        if (c.shape != bsSpacer) {
            EXPECT_EQ(Pixel(bevel, c.dark.X, c.dark.Y), kDark);
            EXPECT_EQ(Pixel(bevel, c.light.X, c.light.Y), kLight);
        }
        EXPECT_NE(Pixel(bevel, c.empty.X, c.empty.Y), kDark);
        EXPECT_NE(Pixel(bevel, c.empty.X, c.empty.Y), kLight);
    }
}

TEST_F(SkinLabels, FreedSkinDataIsDropped)
{
    auto& label = Place<TskSkinStdLabel>(Rect(10, 10, 100, 30));
    auto& bevel = Place<TskSkinBevel>(Rect(10, 50, 60, 80));
    label.SetSkinData(skin.get());
    bevel.SetSkinData(skin.get());
    skin.reset();
    EXPECT_EQ(label.SkinData(), nullptr);
    EXPECT_EQ(bevel.SkinData(), nullptr);
    label.SetCaption("still paints");
    bevel.ChangeSkinData();
    Pump();
}

} // namespace tovrel::test
