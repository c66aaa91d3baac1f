#include "skin/controls/SkinUpDown.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

// A horizontal 50 x 25 up-down at (10, 10): the down button is the left
// half, the up button the right half.
constexpr int kLeft = 10, kTop = 10;
const TPoint kUp{kLeft + 37, kTop + 12}, kDown{kLeft + 12, kTop + 12};

class SkinUpDownTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 200, 100);
        updown = Placed<TskSkinUpDown>(*form, Bounds(kLeft, kTop, 50, 25));
        updown->OnChange = [this](TObject*) { events.push_back("change " + std::to_string(updown->Position())); };
        updown->OnUpButtonClick = [this](TObject*) { events.push_back("up"); };
        updown->OnDownButtonClick = [this](TObject*) { events.push_back("down"); };
        Pump();
    }
    void Press(TPoint p, int button = 0)
    {
        InjectMouseMove(p);
        InjectMouseButton(button, true, p);
        Pump();
    }
    void Release(TPoint p, int button = 0)
    {
        InjectMouseMove(p);
        InjectMouseButton(button, false, p);
        Pump();
    }
    std::unique_ptr<TForm> form;
    TskSkinUpDown* updown = nullptr;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

} // namespace

TEST_F(SkinUpDownTest, PositionSettersKeepTheirQuirks)
{
    struct Case {
        const char* Name;
        int Min, Max, Start, Set;
        int Position;
        Events Fired;
    } cases[] = {
        {"a new value fires", 0, 100, 5, 6, 6, {"change 6"}},
        {"the same value fires again", 0, 100, 5, 5, 5, {"change 5"}},
        {"above Max is ignored", 0, 100, 5, 101, 5, {}},
        {"below Min is ignored", 0, 100, 5, -1, 5, {}},
        {"Max itself is taken", 0, 100, 5, 100, 100, {"change 100"}},
    };
    for (const Case& c : cases) {
        updown->SetMin(c.Min);
        updown->SetMax(c.Max);
        updown->SetPosition(c.Start);
        events.clear();
        updown->SetPosition(c.Set);
        EXPECT_EQ(c.Position, updown->Position()) << c.Name;
        EXPECT_EQ(c.Fired, events) << c.Name;
    }
    // Narrowing the range pulls the position in, silently.
    updown->SetPosition(50);
    events.clear();
    updown->SetMax(10);
    EXPECT_EQ(10, updown->Position());
    updown->SetMin(20);
    EXPECT_EQ(20, updown->Position());
    EXPECT_TRUE(events.empty());
}

TEST_F(SkinUpDownTest, NothingFiresWhileTheFormLoads)
{
    form->BeginLoading();
    auto* loaded = Placed<TskSkinUpDown>(*form, Bounds(100, 10, 50, 25));
    loaded->OnChange = [this](TObject*) { events.push_back("change"); };
    loaded->SetPosition(7);
    form->EndLoading();
    EXPECT_EQ(7, loaded->Position());
    EXPECT_TRUE(events.empty());
    loaded->SetPosition(7);
    EXPECT_EQ((Events{"change"}), events);
}

TEST_F(SkinUpDownTest, ClicksStepOnReleaseOverTheButton)
{
    struct Case {
        const char* Name;
        int Increment, Start, Max;
        TPoint PressAt, ReleaseAt;
        int Button;
        int Position;
        Events Fired;
    } cases[] = {
        {"up", 1, 5, 100, kUp, kUp, 0, 6, {"change 6", "up"}},
        {"down", 1, 5, 100, kDown, kDown, 0, 4, {"change 4", "down"}},
        {"the right button steps too", 1, 5, 100, kUp, kUp, 1, 6, {"change 6", "up"}},
        {"a step past Max is dropped, not clamped", 5, 98, 100, kUp, kUp, 0, 98, {"up"}},
        {"increment 0 only clicks", 0, 5, 100, kDown, kDown, 0, 5, {"down"}},
        {"released on the other button: nothing", 1, 5, 100, kUp, kDown, 0, 5, {}},
        {"released outside: nothing", 1, 5, 100, kUp, Point(150, 80), 0, 5, {}},
        // The shared edge (x = 25) belongs to the up button.
        {"the middle is the up button",
         1,
         5,
         100,
         Point(kLeft + 25, kTop + 12),
         Point(kLeft + 25, kTop + 12),
         0,
         6,
         {"change 6", "up"}},
    };
    for (const Case& c : cases) {
        clock->Advance(1000); // never a double click
        updown->Increment = c.Increment;
        updown->SetMax(c.Max);
        updown->SetPosition(c.Start);
        events.clear();
        Press(c.PressAt, c.Button);
        Release(c.ReleaseAt, c.Button);
        EXPECT_EQ(c.Position, updown->Position()) << c.Name;
        EXPECT_EQ(c.Fired, events) << c.Name;
        EXPECT_EQ(-1, updown->CaptureButton()) << c.Name;
    }
}

TEST_F(SkinUpDownTest, HoldingRepeatsAfter600MsThenEvery100Ms)
{
    Press(kUp);
    std::vector<int> stepsAt;
    for (int ms = 10; ms <= 1000; ms += 10) {
        const std::size_t before = events.size();
        Tick(10);
        if (events.size() != before)
            stepsAt.push_back(ms);
    }
    EXPECT_EQ((std::vector<int>{600, 700, 800, 900, 1000}), stepsAt);
    events.clear();
    Release(kUp);
    EXPECT_EQ((Events{"change 6", "up"}), events);
    // The timer is gone with the release.
    Tick(1000);
    EXPECT_EQ(6, updown->Position());
}

TEST_F(SkinUpDownTest, LeavingThePressedButtonPausesTheRepeat)
{
    Press(kUp);
    Tick(500);
    Tick(100);
    EXPECT_EQ(1, updown->Position());
    // Onto the other button: it does not become hot, and nothing repeats.
    InjectMouseMove(kDown);
    Pump();
    EXPECT_FALSE(updown->Button(1).MouseIn);
    EXPECT_FALSE(updown->Button(0).MouseIn);
    EXPECT_TRUE(updown->Button(0).Down);
    Tick(500);
    EXPECT_EQ(1, updown->Position());
    // Back on it, the repeat resumes every 50 ms.
    InjectMouseMove(kUp);
    Pump();
    Tick(50);
    EXPECT_EQ(2, updown->Position());
    Tick(50);
    EXPECT_EQ(3, updown->Position());
    InjectMouseMove(kDown);
    Pump();
    events.clear();
    Release(kDown);
    EXPECT_TRUE(events.empty());
}

} // namespace tovrel::test
