#include "skin/controls/SkinSpeedButton.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "ButtonStateSkin.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinButtonEntries.h"

#include <functional>
#include <vector>

namespace tovrel::test {

namespace {

class SkinSpeedButtonTest : public ControlTest {
protected:
    // A 20 x 10 button at (left, 10) of the form, logging its clicks.
    TskSkinSpeedButton* PlaceButton(TForm& form, TskSkinData* skin, int left = 10)
    {
        auto* button = Placed<TskSkinSpeedButton>(form, Bounds(left, 10, 20, 10));
        button->OnClick = [this, button](TObject*) { clicks.push_back({button, clock->NowMs()}); };
        button->SetSkinData(skin);
        Pump();
        return button;
    }
    void Tick(unsigned ms)
    {
        for (unsigned t = 0; t < ms; t += 10) {
            clock->Advance(10);
            Pump();
        }
    }
    struct Click {
        TObject* Sender;
        std::uint64_t At;
    };
    std::vector<Click> clicks;
};

const TPoint kOver{15, 15}, kOutside{80, 35};

struct LookCase {
    const char* Name;
    std::function<void(TskSkinSpeedButton&)> Input;
    COLORREF Skinned, Default;
    std::size_t Clicks;
};

const LookCase kLookCases[] = {
    {"idle", [](TskSkinSpeedButton&) {}, kNormal, kFace, 0},
    {"hover", [](TskSkinSpeedButton&) { Move(kOver); }, kHot, kHotFill, 0},
    {"press",
     [](TskSkinSpeedButton&) {
         Move(kOver);
         Button(true, kOver);
     },
     kDown, kDownFill, 0},
    {"press and release",
     [](TskSkinSpeedButton&) {
         Move(kOver);
         Button(true, kOver);
         Button(false, kOver);
     },
     kHot, kHotFill, 1},
    {"release outside",
     [](TskSkinSpeedButton&) {
         Move(kOver);
         Button(true, kOver);
         Move(kOutside);
         Button(false, kOutside);
     },
     kNormal, kFace, 0},
    {"down outside a group, pointer away", [](TskSkinSpeedButton& b) { b.SetDown(true); }, kNormal, kFace, 0},
    {"down in a group",
     [](TskSkinSpeedButton& b) {
         b.SetGroupIndex(1);
         b.SetDown(true);
     },
     kDown, kDownFill, 0},
    {"disabled", [](TskSkinSpeedButton& b) { b.SetEnabled(false); }, kDisabled, kFace, 0},
};

} // namespace

TEST_F(SkinSpeedButtonTest, LookAndClicksForEachInputSequence)
{
    for (bool skinned : {true, false}) {
        for (const LookCase& c : kLookCases) {
            clicks.clear();
            auto form = ShownForm(0, 0, 100, 40);
            ButtonSkin skin(form.get(), "toolbutton");
            TskSkinSpeedButton& button = *PlaceButton(*form, skinned ? skin.skin : nullptr);
            c.Input(button);
            form->Repaint();
            Pump();
            EXPECT_EQ(skinned ? c.Skinned : c.Default, PixelAt(*form, 15, 15))
                << c.Name << (skinned ? " (skinned)" : " (default look)");
            EXPECT_EQ(c.Clicks, clicks.size()) << c.Name;
            ReleaseCapture();
            InjectMouseButton(0, false, kOutside);
            InjectMouseMove({0, 0});
            Pump();
        }
    }
}

TEST_F(SkinSpeedButtonTest, GroupKeepsOneDownAndAllowAllUpRaisesTheDownOne)
{
    auto form = ShownForm(0, 0, 100, 40);
    TskSkinSpeedButton* a = PlaceButton(*form, nullptr, 10);
    TskSkinSpeedButton* b = PlaceButton(*form, nullptr, 40);
    TskSkinSpeedButton* other = PlaceButton(*form, nullptr, 70);
    for (TskSkinSpeedButton* button : {a, b})
        button->SetGroupIndex(1);
    other->SetGroupIndex(2);
    other->SetDown(true);
    const TPoint overA{15, 15}, overB{45, 15};

    // Pressing an up button puts it down, clicks at once and raises the other.
    a->SetDown(true);
    Move(overB);
    Button(true, overB);
    ASSERT_EQ(1u, clicks.size());
    EXPECT_EQ(b, clicks[0].Sender);
    Button(false, overB);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(other->Down()) << "another group is left alone";

    // Pressing the down one does nothing without AllowAllUp.
    Button(true, overB);
    Button(false, overB);
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(1u, clicks.size());

    // With AllowAllUp the down one comes up on release over it and clicks then.
    a->AllowAllUp = b->AllowAllUp = true;
    Button(true, overB);
    EXPECT_EQ(1u, clicks.size());
    Button(false, overB);
    EXPECT_FALSE(b->Down());
    ASSERT_EQ(2u, clicks.size());
    // ...and setting Down raises nobody.
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_TRUE(a->Down());
    Move(overA);
}

TEST_F(SkinSpeedButtonTest, RepeatWhileHeldAfterTheDelay)
{
    auto form = ShownForm(0, 0, 100, 40);
    TskSkinSpeedButton* button = PlaceButton(*form, nullptr);
    button->RepeatMode = true;
    button->RepeatInterval = 100;
    Move(kOver);
    const std::uint64_t pressed = clock->NowMs();
    Button(true, kOver);
    Tick(850);
    std::vector<std::uint64_t> after;
    for (const Click& c : clicks)
        after.push_back(c.At - pressed);
    EXPECT_EQ(after, (std::vector<std::uint64_t>{600, 700, 800}));

    // Leaving stops it; coming back starts the delay again.
    Move(kOutside);
    Tick(300);
    EXPECT_EQ(3u, clicks.size());
    Move(kOver);
    Tick(550);
    EXPECT_EQ(3u, clicks.size());
    Tick(60);
    EXPECT_EQ(4u, clicks.size());

    // Release over the button: one more click, and the repeat ends.
    Button(false, kOver);
    EXPECT_EQ(5u, clicks.size());
    Tick(500);
    EXPECT_EQ(5u, clicks.size());
    EXPECT_FALSE(button->Repeating());
}

TEST_F(SkinSpeedButtonTest, ShowCaptionTakesItsWidthOnlyWhenBothAreSet)
{
    auto form = ShownForm(0, 0, 200, 40);
    TskSkinSpeedButton* button = PlaceButton(*form, nullptr);
    button->WidthWithCaption = 80;
    button->SetShowCaption(false);
    EXPECT_EQ(20, button->Width());
    button->WidthWithoutCaption = 30;
    button->SetShowCaption(true);
    EXPECT_EQ(80, button->Width());
    button->SetShowCaption(false);
    EXPECT_EQ(30, button->Width());
}

} // namespace tovrel::test
