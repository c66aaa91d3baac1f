#include "skin/controls/SkinSlider.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

constexpr int kLeft = 10, kTop = 10;

class SkinSliderTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 300);
        slider = Placed<TskSkinSlider>(*form, Bounds(kLeft, kTop, 150, 40));
        slider->OnChange = [this](TObject*) { log.push_back("change " + std::to_string(slider->Value())); };
        slider->OnChanged = [this](TObject*) { log.push_back("changed"); };
        slider->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("mouseup"); };
        Pump();
    }
    void Mouse(int x, int y, int button) // button: 1 press, -1 release, 0 move
    {
        const TPoint p{kLeft + x, kTop + y};
        if (button == 0)
            InjectMouseMove(p);
        else
            InjectMouseButton(0, button > 0, p);
        Pump();
    }
    std::unique_ptr<TForm> form;
    TskSkinSlider* slider = nullptr;
    std::vector<std::string> log;
};

TEST_F(SkinSliderTest, TheDefaultLayoutPlacesRulerThumbAndTicks)
{
    EXPECT_EQ(138, slider->Ruler().Width());
    EXPECT_EQ(8, slider->Ruler().Height());
    EXPECT_EQ((TPoint{6, 10}), slider->RulerOrg());
    EXPECT_EQ(Bounds(6, 6, 9, 17), slider->ThumbRect());
    EXPECT_EQ(129, slider->RulerLength());
    EXPECT_EQ(24, slider->PointsRect().Top);
    slider->Repaint();
    Pump();
    // The first tick (x 10) is 5 px long, the one for 10 (x 23) only 3.
    const COLORREF tick = ColorToRGB(clWindowText);
    EXPECT_EQ(tick, PixelAt(*form, kLeft + 10, kTop + 28));
    EXPECT_NE(tick, PixelAt(*form, kLeft + 10, kTop + 29));
    EXPECT_EQ(tick, PixelAt(*form, kLeft + 23, kTop + 26));
    EXPECT_NE(tick, PixelAt(*form, kLeft + 23, kTop + 27));
}

TEST_F(SkinSliderTest, ValuesMapToPixelsWithHalvesToEven)
{
    slider->SetBounds(kLeft, kTop, 41, 40); // ruler length 20
    slider->SetMaxValue(8);
    EXPECT_EQ(20, slider->RulerLength());
    struct Case {
        int Value, Left;
    };
    for (const Case c : {Case{0, 6}, Case{1, 8}, Case{3, 14}, Case{8, 26}}) {
        slider->SetValue(c.Value);
        EXPECT_EQ(c.Left, slider->ThumbRect().Left) << "value " << c.Value;
    }
}

TEST_F(SkinSliderTest, JumpsFollowTheIncrementGridFromZero)
{
    struct Case {
        int From;
        TskJumpMode Mode;
        int To;
    };
    const Case cases[] = {{15, jmNext, 30}, {15, jmPrior, 10}, {25, jmNext, 30}, {25, jmPrior, 10},
                          {14, jmNext, 20}, {95, jmNext, 100}, {3, jmPrior, 0},  {50, jmHome, 0}};
    for (const Case& c : cases) {
        slider->SetValue(c.From);
        slider->ThumbJump(c.Mode);
        EXPECT_EQ(c.To, slider->Value()) << "from " << c.From << " mode " << int(c.Mode);
    }
}

TEST_F(SkinSliderTest, RangeChangesAreCheckedAndShrinkTheIncrement)
{
    slider->SetValue(60);
    log.clear();
    slider->SetMaxValue(0);
    EXPECT_EQ(100, slider->MaxValue());
    slider->SetMaxValue(3);
    EXPECT_EQ(3, slider->Increment());
    EXPECT_EQ((std::vector<std::string>{"change 3"}), log);
    slider->SetValue(3);
    EXPECT_EQ(1u, log.size());
}

TEST_F(SkinSliderTest, DraggingTheThumbSnapsToTheGridWithoutSmooth)
{
    slider->SetOptions(TskSliderOptions{soShowPoints});
    slider->SetMinValue(5);
    log.clear();
    clock->Advance(1000);
    Mouse(8, 14, 0);
    Mouse(8, 14, 1);      // grab the thumb 2 px right of its edge
    Mouse(8 + 40, 14, 0); // 40 px of 129 for 95 values: 29.4, on the grid 30 above 5
    EXPECT_EQ(35, slider->Value());
    Mouse(400, 14, 0);
    EXPECT_EQ(100, slider->Value());
    Mouse(400, 14, -1);
    EXPECT_EQ((std::vector<std::string>{"change 35", "change 100", "changed", "mouseup"}), log);
}

TEST_F(SkinSliderTest, HoldingOnTheRulerJumpsEvery400MsUntilTheThumbArrives)
{
    clock->Advance(1000);
    Mouse(40, 14, 0);
    Mouse(40, 14, 1);
    EXPECT_EQ(10, slider->Value());
    clock->Advance(399);
    Pump();
    EXPECT_EQ(10, slider->Value());
    for (int i = 0; i < 5; ++i) {
        clock->Advance(400);
        Pump();
    }
    // At 20 the thumb (32 to 41) covers x 40: the jumps stop, the timer runs on.
    EXPECT_EQ(20, slider->Value());
    Mouse(40, 14, -1);
    EXPECT_EQ((std::vector<std::string>{"change 10", "change 20", "changed", "mouseup"}), log);
}

TEST_F(SkinSliderTest, KeysJumpAndAVerticalSliderHasItsMaximumAtTheTop)
{
    slider->SetFocus();
    Pump();
    Key(VK_RIGHT);
    EXPECT_EQ(10, slider->Value());
    Key(VK_END);
    EXPECT_EQ(100, slider->Value());
    slider->SetOrientation(soVertical);
    EXPECT_EQ(40, slider->Width());
    EXPECT_EQ(150, slider->Height());
    EXPECT_EQ(6, slider->ThumbRect().Top);
    Key(VK_DOWN);
    EXPECT_EQ(90, slider->Value());
    EXPECT_GT(slider->ThumbRect().Top, 6);
    log.clear();
    Key(VK_UP);
    Key(VK_UP); // already at the end: no change, still changed
    EXPECT_EQ((std::vector<std::string>{"change 100", "changed", "changed"}), log);
}

TEST_F(SkinSliderTest, AShortSliderOrAnEmptyRangeDoesNotDivideByZero)
{
    slider->SetBounds(kLeft, kTop, 10, 40);
    slider->SetValue(50);
    EXPECT_EQ(50, slider->Value());
    EXPECT_EQ(1, slider->RulerLength());
    // An edge size as long as half the ruler image is refused.
    slider->SetEdgeSize(5);
    EXPECT_EQ(2, slider->EdgeSize());
}

} // namespace

} // namespace tovrel::test

namespace tovrel::test {

namespace {

TEST_F(SkinSliderTest, TicksOfAHugeRangeAreSpacedAtOnce)
{
    slider->SetIncrement(1);
    slider->SetMaxValue(2000000000);
    slider->Repaint(); // finds the tick spacing without walking two billion steps
    Pump();
    const COLORREF tick = ColorToRGB(clWindowText);
    EXPECT_EQ(tick, PixelAt(*form, kLeft + 10, kTop + 28)); // the first tick, 5 px long
}

} // namespace

} // namespace tovrel::test
