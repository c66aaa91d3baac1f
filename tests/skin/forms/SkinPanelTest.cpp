#include "skin/controls/SkinPanel.h"
#include "SkinFormTestSupport.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/ImageList.h"
#include "skin/data/SkinPanelEntries.h"

namespace tovrel::test {

namespace {

class SkinPanelTest : public SkinFormTest {
protected:
    // A panel of 200 x 120 at (10, 10) on a plain shown form.
    TskSkinPanel* PlacePanel(TskSkinData* data, std::unique_ptr<TskSkinPanel> made = nullptr)
    {
        host = ShownForm(0, 0, 300, 200);
        panel = made ? made.release() : new TskSkinPanel(host.get());
        panel->SetParent(host.get());
        panel->SetSkinData(data);
        panel->SetBounds(10, 10, 200, 120);
        Pump();
        return panel;
    }
    COLORREF At(int x, int y) { return PixelAt(*host, 10 + x, 10 + y); }
    void TearDown() override
    {
        host.reset();
        SkinFormTest::TearDown();
    }

    // The leftmost column of row y in [from, to) showing colour, or -1.
    int FirstColumnOf(COLORREF colour, int y, int from, int to)
    {
        for (int x = from; x < to; ++x)
            if (At(x, y) == colour)
                return x;
        return -1;
    }
    // A strip of `count` 16 x 16 glyphs in the given colours; the bottom-left
    // pixel of each keys out its background.
    static std::unique_ptr<TBitmap> GlyphStrip(std::initializer_list<TColor> colours)
    {
        auto strip = std::make_unique<TBitmap>(16 * int(colours.size()), 16);
        strip->Canvas()->Brush()->SetColor(clFuchsia);
        strip->Canvas()->FillRect(Rect(0, 0, strip->Width(), 16));
        int left = 0;
        for (TColor colour : colours) {
            strip->Canvas()->Brush()->SetColor(colour);
            strip->Canvas()->FillRect(Rect(left + 2, 2, left + 14, 14));
            left += 16;
        }
        return strip;
    }

    std::unique_ptr<TForm> host;
    TskSkinPanel* panel = nullptr;
};

} // namespace

TEST_F(SkinPanelTest, TheDefaultLookLaysOutBorderCaptionBandAndClient)
{
    const struct {
        const char* Name;
        TskSkinBorderStyle Border;
        bool Caption, Ribbon;
        TRect Client;
        TPoint ShadowPixel;
    } cases[] = {
        {"frame", TskSkinBorderStyle::bvFrame, false, false, {1, 1, 199, 119}, {199, 119}},
        {"no border", TskSkinBorderStyle::bvNone, false, false, {0, 0, 200, 120}, {-1, -1}},
        {"caption band on top", TskSkinBorderStyle::bvFrame, true, false, {1, 23, 199, 119}, {0, 21}},
        {"ribbon: band at the bottom", TskSkinBorderStyle::bvFrame, true, true, {1, 1, 199, 97}, {0, 98}},
        {"raised with a band", TskSkinBorderStyle::bvRaised, true, false, {1, 23, 199, 119}, {199, 119}},
    };
    PlacePanel(nullptr);
    panel->SetCaption("Panel");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        panel->SetBorderStyle(c.Border);
        panel->SetCaptionMode(c.Caption);
        panel->SetRibbonStyle(c.Ribbon);
        Pump();
        EXPECT_EQ(c.Client, panel->GetSkinClientRect());
        if (c.ShadowPixel.X >= 0) {
            EXPECT_EQ(ColorToRGB(clBtnShadow), At(c.ShadowPixel.X, c.ShadowPixel.Y));
        }
    }
}

TEST_F(SkinPanelTest, CheckedFiresEveryTimeAndTheCaptionClickTogglesIt)
{
    PlacePanel(nullptr);
    auto* child = new TskSkinPanel(host.get());
    child->SetParent(panel);
    child->SetBounds(20, 60, 30, 30);
    int fired = 0;
    panel->OnChecked = [&](TObject*) { ++fired; };
    panel->SetChecked(false);
    panel->SetChecked(false);
    EXPECT_EQ(2, fired);
    EXPECT_TRUE(child->Enabled());

    panel->SetCaptionMode(true);
    panel->SetCheckedMode(true);
    panel->SetCaption("Options");
    Pump();
    const TPoint caption = host->ClientToScreen({10 + 100, 10 + 10});
    Click(caption);
    EXPECT_TRUE(panel->Checked());
    EXPECT_TRUE(child->Enabled());
    // The check mark is drawn in the box left of the caption.
    const auto markPixels = [&] {
        int n = 0;
        for (int y = 2; y < 22; ++y)
            for (int x = 5; x < 19; ++x)
                n += At(x, y) == ColorToRGB(clBtnText);
        return n;
    };
    EXPECT_GT(markPixels(), 0);
    Click(caption);
    EXPECT_EQ(0, markPixels());
    EXPECT_FALSE(panel->Checked());
    EXPECT_FALSE(child->Enabled());
    Click(host->ClientToScreen({10 + 100, 10 + 60}));
    EXPECT_FALSE(panel->Checked());
}

TEST_F(SkinPanelTest, RollingUpLeavesTheFrameAndUnrollingTheExactHeight)
{
    const struct {
        const char* Name;
        bool Skinned;
    } cases[] = {{"default look", false}, {"skinned group box", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TskSkinData* data = c.Skinned ? LoadSkin(1) : nullptr;
        PlacePanel(data, std::make_unique<TskSkinGroupBox>(nullptr));
        host->InsertComponent(panel);
        panel->SetCaption("Roll");
        auto* child = new TskSkinPanel(host.get());
        child->SetParent(panel);
        panel->SetRollUpState(true);
        EXPECT_FALSE(panel->RollUpState()) << "roll-up mode is off";
        if (c.Skinned) {
            ASSERT_NE(-1, panel->SkinIndex());
        }
        const int frame = c.Skinned ? 120 - panel->RealClientHeight() : panel->DefaultCaptionHeight() + 1;
        panel->SetRollUpMode(true);
        panel->SetRollUpState(true);
        Pump();
        EXPECT_EQ(frame, panel->Height());
        EXPECT_FALSE(child->Visible());
        panel->SetRollUpState(false);
        Pump();
        EXPECT_EQ(120, panel->Height());
        EXPECT_TRUE(child->Visible());
    }
}

TEST_F(SkinPanelTest, TheCaptionShowsItsGlyphOrImageBeforeTheText)
{
    const COLORREF red = ColorToRGB(clRed), blue = ColorToRGB(clBlue), green = ColorToRGB(clLime);
    TImageList images(nullptr);
    images.SetSize(16, 16);
    TBitmap square(16, 16);
    square.Canvas()->Brush()->SetColor(clLime);
    square.Canvas()->FillRect(Rect(0, 0, 16, 16));
    images.Add(&square, nullptr);
    const auto twoGlyphs = GlyphStrip({clRed, clBlue});
    const TBitmap none;
    const struct {
        const char* Name;
        const TBitmap* Glyph;
        int NumGlyphs, ImageIndex;
        bool Enabled;
        COLORREF Shown;
        int Left; // of the picture's painted part in the panel; -1 none
    } cases[] = {
        // The band's text area starts at 4: the glyph's painted part 2 px in.
        {"glyph", twoGlyphs.get(), 2, -1, true, red, 6},
        {"second glyph while disabled", twoGlyphs.get(), 2, -1, false, blue, 6},
        {"glyph before the image", twoGlyphs.get(), 2, 0, true, red, 6},
        {"image without a glyph", &none, 1, 0, true, green, 4},
        {"an index outside the list: nothing", &none, 1, 3, true, green, -1},
    };
    PlacePanel(nullptr);
    panel->SetCaption("Panel");
    panel->SetCaptionMode(true);
    panel->SetCaptionImageList(&images);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        panel->SetGlyph(c.Glyph);
        panel->SetNumGlyphs(c.NumGlyphs);
        panel->SetCaptionImageIndex(c.ImageIndex);
        panel->SetEnabled(c.Enabled);
        Pump();
        EXPECT_EQ(c.Left, FirstColumnOf(c.Shown, 11, 0, 60));
    }
}

TEST_F(SkinPanelTest, AtTheLeftEndTheSkinnedCaptionsPictureLeavesTheTextToItsAlignment)
{
    TskSkinData* data = LoadSkin(1);
    PlacePanel(data, std::make_unique<TskSkinGroupBox>(nullptr));
    host->InsertComponent(panel);
    panel->SetCaption("Box");
    const auto glyph = GlyphStrip({clRed});
    panel->SetGlyph(glyph.get());
    Pump();
    ASSERT_NE(-1, panel->SkinIndex());
    const TRect band = panel->NewCaptionRect;
    const int y = band.Top + band.Height() / 2;
    EXPECT_EQ(band.Left + 2, FirstColumnOf(ColorToRGB(clRed), y, 0, 200)) << "at the text's place";
    panel->SetImagePosition(TskImagePosition::skipLeft);
    Pump();
    EXPECT_EQ(band.Left + 2 + 2, FirstColumnOf(ColorToRGB(clRed), y, 0, 200)) << "at the band's left end";
}

TEST_F(SkinPanelTest, ABackgroundPictureCoversThePanelOnlyWhenTheSkinHasIt)
{
    TskSkinData* data = LoadSkin(1);
    auto* entry =
        dynamic_cast<TskDataSkinPanelControl*>(data->CtrlList[std::size_t(data->GetControlIndex("panel"))].get());
    ASSERT_NE(nullptr, entry);
    PlacePanel(data);
    const TRect skinnedClient = panel->GetSkinClientRect();
    ASSERT_NE(Rect(0, 0, 200, 120), skinnedClient);
    const COLORREF plain = At(100, 60);
    // A picture of the skin other than the panel's own, made one colour:
    // tiled or stretched, it shows that colour.
    int other = 0;
    while (other == entry->PictureIndex || other == entry->MaskPictureIndex)
        ++other;
    TBitmap* picture = data->ActivePicture(other);
    ASSERT_NE(nullptr, picture);
    picture->Canvas()->Brush()->SetColor(clTeal);
    picture->Canvas()->FillRect(Rect(0, 0, picture->Width(), picture->Height()));
    const struct {
        const char* Name;
        int Index;
        TRect Client;
    } cases[] = {
        {"a picture of the skin", other, {0, 0, 200, 120}},
        {"a number naming no picture: the skin image", 999, skinnedClient},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        entry->BGPictureIndex = c.Index;
        panel->Repaint();
        Pump();
        EXPECT_EQ(c.Client, panel->GetSkinClientRect());
        const bool covered = c.Index == other;
        EXPECT_EQ(covered ? ColorToRGB(clTeal) : plain, At(100, 60));
        EXPECT_EQ(covered, At(5, 60) == ColorToRGB(clTeal)) << "over the border too";
    }
}

TEST_F(SkinPanelTest, ATransparentPanelShowsItsParentInsideAThinFrameOrAGroupFrame)
{
    TskSkinData* data = LoadSkin(1);
    PlacePanel(data);
    host->SetColor(clRed);
    panel->SetCaption("Group");
    panel->SetTransparentMode(true);
    const COLORREF red = ColorToRGB(clRed), shadow = ColorToRGB(data->SkinColors.cBtnShadow());
    for (bool caption : {false, true}) {
        SCOPED_TRACE(caption ? "group frame" : "thin frame");
        panel->SetCaptionMode(caption);
        Pump();
        EXPECT_EQ(red, At(100, 60));
        EXPECT_EQ(shadow, At(199, 100));
        EXPECT_EQ(shadow, At(100, 119));
        EXPECT_EQ(caption ? red : shadow, At(100, 0)) << "the top line runs through the caption's middle";
    }
}

TEST_F(SkinPanelTest, AFrameStripOfTheSkinRunsBehindTheCaptionText)
{
    TskSkinData* data = LoadSkin(1);
    auto* entry =
        dynamic_cast<TskDataSkinPanelControl*>(data->CtrlList[std::size_t(data->GetControlIndex("groupbox"))].get());
    ASSERT_NE(nullptr, entry);
    TBitmap* picture = data->ActivePicture(entry->PictureIndex);
    ASSERT_NE(nullptr, picture);
    // A teal strip in a corner of the picture the group box does not use.
    const TRect strip = Rect(picture->Width() - 24, picture->Height() - 12, picture->Width(), picture->Height());
    ASSERT_FALSE(strip.Left < entry->SkinRect.Right && entry->SkinRect.Left < strip.Right &&
                 strip.Top < entry->SkinRect.Bottom && entry->SkinRect.Top < strip.Bottom);
    picture->Canvas()->Brush()->SetColor(clTeal);
    picture->Canvas()->FillRect(strip);
    PlacePanel(data, std::make_unique<TskSkinGroupBox>(nullptr));
    host->InsertComponent(panel);
    panel->SetCaption("Box");
    Pump();
    const TRect band = panel->NewCaptionRect;
    const COLORREF teal = ColorToRGB(clTeal);
    EXPECT_NE(teal, At(band.Left + 1, band.Top + 1));
    entry->FrameRect = strip;
    entry->FrameTextRect = Rect(4, 0, 20, 12);
    entry->FrameLeftOffset = entry->FrameRightOffset = 4;
    panel->Repaint();
    Pump();
    EXPECT_EQ(teal, At(band.Left + 1, entry->CaptionRect.Top + 1)) << "the strip starts where the text did";
    EXPECT_EQ(-1, FirstColumnOf(teal, entry->CaptionRect.Top + 13, 0, 200)) << "as tall as the strip";
}

// A panel given its skin after it was laid out, then resized by its parent's
// alignment, aligns its children to its frame at the new size.
TEST_F(SkinPanelTest, AResizedSkinnedPanelAlignsItsChildrenToTheNewSize)
{
    host = ShownForm(0, 0, 300, 200);
    panel = new TskSkinPanel(host.get());
    panel->SetParent(host.get());
    panel->SetAlign(alClient);
    auto* child = new TskSkinPanel(host.get());
    child->SetParent(panel);
    child->SetAlign(alClient);
    Pump();
    panel->SetSkinData(LoadSkin(1));
    ASSERT_NE(-1, panel->SkinIndex());
    Pump();
    const int marginX = panel->Width() - child->Width(), marginY = panel->Height() - child->Height();
    host->SetBounds(0, 0, 420, 330);
    EXPECT_EQ(panel->Width(), 420);
    EXPECT_EQ(child->Width(), 420 - marginX);
    EXPECT_EQ(child->Height(), panel->Height() - marginY);
}

} // namespace tovrel::test
