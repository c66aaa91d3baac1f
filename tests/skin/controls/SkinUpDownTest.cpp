#include "skin/controls/SkinUpDown.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

constexpr int kLeft = 10, kTop = 10;

class SkinUpDownTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 200, 100);
        updown = Placed<TskSkinUpDown>(*form, Bounds(kLeft, kTop, 50, 25));
        updown->OnChange = [this](TObject*) { log.push_back("change " + std::to_string(updown->Position())); };
        updown->OnUpButtonClick = [this](TObject*) { log.push_back("up"); };
        updown->OnDownButtonClick = [this](TObject*) { log.push_back("down"); };
        Pump();
    }
    void Mouse(int x, bool down)
    {
        const TPoint p{kLeft + x, kTop + 12};
        InjectMouseMove(p);
        InjectMouseButton(0, down, p);
        Pump();
    }
    void Wait(unsigned ms)
    {
        clock->Advance(ms);
        Pump();
    }
    std::unique_ptr<TForm> form;
    TskSkinUpDown* updown = nullptr;
    std::vector<std::string> log;
};

TEST_F(SkinUpDownTest, AClickStepsOnceOnReleaseAndOutOfRangeStepsAreDropped)
{
    struct Case {
        const char* Name;
        int Position, Increment, PressX, ReleaseX;
        std::vector<std::string> Expected;
    };
    const Case cases[] = {
        {"the right half steps up, from x 25", 3, 1, 25, 25, {"change 4", "up"}},
        {"the left half steps down", 3, 1, 10, 10, {"change 2", "down"}},
        {"no clamping to Max", 98, 5, 40, 40, {"up"}},
        {"increment 0 only clicks", 3, 0, 40, 40, {"up"}},
        {"released on the other button: nothing", 3, 1, 40, 10, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        updown->SetPosition(c.Position);
        updown->Increment = c.Increment;
        log.clear();
        clock->Advance(1000);
        Mouse(c.PressX, true);
        Mouse(c.ReleaseX, false);
        EXPECT_EQ(c.Expected, log);
    }
}

TEST_F(SkinUpDownTest, HoldingRepeatsAfter600MsThenEvery100Ms)
{
    Mouse(40, true);
    Wait(500);
    Wait(99);
    EXPECT_TRUE(log.empty());
    Wait(1);
    EXPECT_EQ(std::vector<std::string>{"change 1"}, log);
    Wait(100);
    Wait(100);
    EXPECT_EQ(3u, log.size());
    Mouse(40, false);
    EXPECT_EQ((std::vector<std::string>{"change 1", "change 2", "change 3", "change 4", "up"}), log);
    // Max below the position pulls it back without an event.
    log.clear();
    updown->SetMax(2);
    EXPECT_EQ(2, updown->Position());
    EXPECT_TRUE(log.empty());
}

} // namespace

} // namespace tovrel::test
