#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"

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
    button->ShowHint = true;
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

} // namespace
} // namespace tovrel::test
