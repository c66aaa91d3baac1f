#include "skin/controls/SkinToolBar.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/ctrls/Edit.h"
#include "platform/wm/Input.h"
#include "skin/controls/SkinSpeedButton.h"

namespace tovrel::test {

namespace {

class SkinToolBarTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(100, 100, 400, 100);
        bar = Placed<TskSkinToolBar>(*form, Bounds(0, 0, 200, 40));
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }
    // `count` speed buttons of 30 x 20 side by side from the bar's left.
    void AddButtons(int count)
    {
        for (int i = 0; i < count; ++i)
            Placed<TskSkinSpeedButton>(*bar, Bounds(i * 30, 0, 30, 20));
    }
    void Tick(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            clock->Advance(10);
            Pump();
        }
    }
    int FirstLeft() const { return bar->Controls(0)->Left(); }

    std::unique_ptr<TForm> form;
    TskSkinToolBar* bar = nullptr;
};

} // namespace

TEST_F(SkinToolBarTest, CentresPlainAndSkinnedChildrenVertically)
{
    auto* edit = Placed<TEdit>(*bar, Bounds(100, 0, 50, 14));
    auto* button = Placed<TskSkinSpeedButton>(*bar, Bounds(0, 0, 30, 20));
    EXPECT_EQ(20 - 10, button->Top()) << "a skinned control centres itself when bounded";
    bar->SetHeight(60);
    // Without a skin the client area is the whole bar (no border).
    EXPECT_EQ(30 - 7, edit->Top());
    EXPECT_EQ(30 - 10, button->Top());
    bar->AdjustControls = false;
    button->SetTop(2);
    EXPECT_EQ(2, button->Top());
}

TEST_F(SkinToolBarTest, HandsItsSettingsDownToItsSpeedButtons)
{
    auto* button = Placed<TskSkinSpeedButton>(*bar, Bounds(0, 0, 30, 20));
    auto* skin = new TskSkinData(form.get());
    bar->SetSkinData(skin);
    EXPECT_EQ(skin, button->SkinData());
    bar->SetFlat(true);
    EXPECT_TRUE(button->Flat());
    EXPECT_TRUE(button->Transparent());

    bar->WidthWithCaptions = 300;
    bar->SetShowCaptions(true);
    EXPECT_EQ(200, bar->Width()) << "one width alone changes nothing";
    EXPECT_TRUE(button->ShowCaption()) << "left alone without AutoShowHideCaptions";
    bar->AutoShowHideCaptions = true;
    bar->WidthWithoutCaptions = 150;
    bar->SetShowCaptions(false);
    EXPECT_FALSE(button->ShowCaption());
    EXPECT_EQ(150, bar->Width());

    bar->SetScrollTimerInterval(0);
    EXPECT_EQ(50, bar->ScrollTimerInterval());
}

TEST_F(SkinToolBarTest, ScrollButtonsOnlyWhenTheContentIsWider)
{
    bar->SetCanScroll(true);
    AddButtons(6); // exactly 180 wide
    bar->SetWidth(180);
    EXPECT_FALSE(bar->ScrollButtonsVisible());
    EXPECT_EQ(180, bar->ClientRect().Width());
    bar->SetWidth(150);
    ASSERT_TRUE(bar->ScrollButtonsVisible());
    EXPECT_EQ(150 - 2 * kToolBarScrollButtonWidth, bar->ClientRect().Width());
    EXPECT_EQ(179, bar->ScrollMax());
    EXPECT_EQ(126, bar->ScrollPage());
    bar->SetWidth(300);
    EXPECT_FALSE(bar->ScrollButtonsVisible());
    EXPECT_EQ(300, bar->ClientRect().Width());
}

TEST_F(SkinToolBarTest, StepsStopAtTheEndsAndAWholePageWithoutAnOffset)
{
    bar->SetCanScroll(true);
    AddButtons(10); // 300 wide in a 176-pixel client area
    bar->SetWidth(200);
    ASSERT_EQ(176, bar->ScrollPage());
    bar->ScrollStep(true); // ScrollOffset 0: a whole client width, clamped at SMax - SPage + 1
    EXPECT_EQ(300 - 176, bar->ScrollPosition());
    EXPECT_EQ(-(300 - 176), FirstLeft());
    bar->ScrollStep(false);
    EXPECT_EQ(0, bar->ScrollPosition());
    EXPECT_EQ(0, FirstLeft());

    bar->SetScrollOffset(50);
    bar->SetScrollOffset(-5); // refused
    EXPECT_EQ(50, bar->ScrollOffset());
    bar->ScrollStep(true);
    EXPECT_EQ(50, bar->ScrollPosition());

    // Widening the bar scrolled to the end slides the content back by the growth.
    bar->ScrollStep(true);
    bar->ScrollStep(true);
    ASSERT_EQ(124, bar->ScrollPosition());
    bar->SetWidth(230);
    EXPECT_EQ(94, bar->ScrollPosition());
    EXPECT_EQ(-94, FirstLeft());
    bar->SetWidth(400);
    EXPECT_EQ(0, bar->ScrollPosition());
    EXPECT_EQ(0, FirstLeft());
    EXPECT_FALSE(bar->ScrollButtonsVisible());
}

TEST_F(SkinToolBarTest, HoverScrollsEveryIntervalUntilTheEnd)
{
    bar->SetCanScroll(true);
    bar->HotScroll = true;
    bar->SetScrollOffset(30);
    bar->SetScrollTimerInterval(50);
    AddButtons(10);
    bar->SetWidth(200);
    const TPoint right = bar->ClientToScreen(Point(bar->ClientRect().Width() + 5, 10));
    InjectMouseMove(right);
    Pump();
    EXPECT_TRUE(bar->ScrollButtonLit(1));
    EXPECT_EQ(2, bar->TimerMode());
    Tick(100);
    EXPECT_EQ(60, bar->ScrollPosition());
    Tick(200); // stops at 124 and the timer with it
    EXPECT_EQ(124, bar->ScrollPosition());
    EXPECT_EQ(0, bar->TimerMode());

    // Into the client area: the button goes dark.
    InjectMouseMove(bar->ClientToScreen(Point(50, 10)));
    Pump();
    EXPECT_FALSE(bar->ScrollButtonLit(1));
    // A click on the left button scrolls one step on release.
    const TPoint left = bar->ClientToScreen(Point(-5, 10));
    InjectMouseMove(left);
    InjectMouseButton(0, true, left);
    InjectMouseButton(0, false, left);
    Pump();
    EXPECT_EQ(124 - 30, bar->ScrollPosition());
    // Leaving the bar puts the lit button out.
    EXPECT_TRUE(bar->ScrollButtonLit(0));
    InjectMouseMove(form->ClientToScreen(Point(300, 80)));
    Pump();
    EXPECT_FALSE(bar->ScrollButtonLit(0));
    Tick(100);
    EXPECT_EQ(124 - 30, bar->ScrollPosition());
}

} // namespace tovrel::test
