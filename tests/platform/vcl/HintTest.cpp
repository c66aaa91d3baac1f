#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"

#include <functional>
#include <string>

namespace tovrel::test {
namespace {

class Hints : public ControlTest {
protected:
    void TearDown() override
    {
        Application->CancelHint();
        Application->OnShowHint = nullptr;
        Application->SetHintWindowClass(nullptr);
        ControlTest::TearDown();
    }
};

class TRecordingHintWindow : public THintWindow {
public:
    using THintWindow::THintWindow;
    static inline int Shown = 0;
    void ActivateHint(TRect rect, const std::string& hint) override
    {
        ++Shown;
        THintWindow::ActivateHint(rect, hint);
    }
};

TEST_F(Hints, HintShowsAfterThePauseBelowTheCursorAndHidesAfterTheHidePause)
{
    auto form = ShownForm(100, 50, 200, 100);
    auto* button = new TGraphicControl(form.get());
    button->SetBounds(10, 10, 40, 20);
    button->SetParent(form.get());
    button->SetShowHint(true);
    button->Hint = "快照|保存当前画面";
    TControl* hinted = nullptr;
    Application->OnShowHint = [&](std::string& hint, bool&, THintInfo& info) {
        hinted = info.HintControl;
        hint += "!";
    };
    Application->SetHintWindowClass([](TComponent* owner) { return new TRecordingHintWindow(owner); });
    TRecordingHintWindow::Shown = 0;

    InjectMouseMove(Point(120, 65));
    Pump();
    clock->Advance(Application->HintPause - 10);
    Pump();
    EXPECT_EQ(Application->HintWindow(), nullptr) << "not before the pause";
    clock->Advance(10);
    Pump();
    THintWindow* window = Application->HintWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(TRecordingHintWindow::Shown, 1);
    EXPECT_EQ(hinted, button);
    EXPECT_EQ(window->Caption(), "快照!");
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Left(), 120);
    EXPECT_GT(window->Top(), 65);
    EXPECT_NE(GetActiveWindow(), window->Handle()) << "a hint never takes activation";

    clock->Advance(Application->HintHidePause);
    Pump();
    EXPECT_FALSE(window->HandleAllocated());

    // Leaving the control before the pause shows nothing.
    InjectMouseMove(Point(250, 120));
    Pump();
    InjectMouseMove(Point(120, 65));
    Pump();
    InjectMouseMove(Point(250, 120));
    Pump();
    clock->Advance(Application->HintPause);
    Pump();
    EXPECT_EQ(TRecordingHintWindow::Shown, 1);
}

TEST_F(Hints, ShowHintFollowsTheParentUntilItIsSetDirectly)
{
    auto form = ShownForm(100, 50, 200, 100);
    auto* panel = Placed<TCustomControl>(*form, Bounds(0, 0, 100, 100));
    auto* button = Placed<TGraphicControl>(*panel, Bounds(10, 10, 40, 20));
    struct TStep {
        const char* Name;
        std::function<void()> Act;
        bool PanelShows, ButtonShows, ButtonFollows;
    } steps[] = {
        {"by default nothing shows, and everything follows", [] {}, false, false, true},
        {"the form shows hints", [&] { form->SetShowHint(true); }, true, true, true},
        {"set directly, even to the same value", [&] { button->SetShowHint(true); }, true, true, false},
        {"no longer follows", [&] { form->SetShowHint(false); }, false, true, false},
        {"following again takes the parent's", [&] { button->SetParentShowHint(true); }, false, false, true},
        {"a control placed later takes its new parent's",
         [&] {
             form->SetShowHint(true);
             button->SetParent(form.get());
             panel->SetShowHint(false);
         },
         false, true, true},
    };
    for (const auto& step : steps) {
        step.Act();
        EXPECT_EQ(panel->ShowHint(), step.PanelShows) << step.Name;
        EXPECT_EQ(button->ShowHint(), step.ButtonShows) << step.Name;
        EXPECT_EQ(button->ParentShowHint(), step.ButtonFollows) << step.Name;
    }
}

TEST_F(Hints, KeyAndButtonPressesCancelAShownOrPendingHint)
{
    auto form = ShownForm(100, 50, 200, 100);
    form->SetShowHint(true);
    auto* button = Placed<TGraphicControl>(*form, Bounds(10, 10, 40, 20));
    button->Hint = "快照";
    const TPoint over{120, 65};
    auto hintShows = [] { return Application->HintWindow() && Application->HintWindow()->HandleAllocated(); };
    clock->Advance(600000); // well past any hint an earlier test showed: no short pause
    const std::pair<const char*, std::function<void()>> presses[] = {
        {"a key", [] { Key('A'); }},
        {"the left button", [&] { Click(over); }},
        {"the right button",
         [&] {
             InjectMouseButton(1, true, over);
             InjectMouseButton(1, false, over);
         }},
        {"the middle button",
         [&] {
             InjectMouseButton(2, true, over);
             InjectMouseButton(2, false, over);
         }},
    };
    for (const auto& [name, press] : presses) {
        for (const bool shown : {false, true}) {
            SCOPED_TRACE(std::string(name) + (shown ? ", hint shown" : ", hint pending"));
            clock->Advance(Application->HintHidePause * 2); // nor from the last one here
            InjectMouseMove({250, 120});
            InjectMouseMove(over);
            Pump();
            clock->Advance(shown ? Application->HintPause : Application->HintPause / 2);
            Pump();
            ASSERT_EQ(hintShows(), shown);
            press();
            Pump();
            EXPECT_FALSE(hintShows());
            clock->Advance(Application->HintPause);
            Pump();
            EXPECT_FALSE(hintShows()) << "the hint does not come back while the pointer stays";
        }
    }
}

} // namespace
} // namespace tovrel::test
