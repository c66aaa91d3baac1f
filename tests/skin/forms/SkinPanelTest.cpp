#include "skin/controls/SkinPanel.h"
#include "SkinFormTestSupport.h"
#include "platform/gdi/SysColors.h"

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

} // namespace tovrel::test
