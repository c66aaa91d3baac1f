// A mouse button going down on a control sends CM_CANCELMODE, with the
// pressed control in LParam, to the active control of each form around it,
// unless the press is on that control itself.
#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Forms.h"

#include <vector>

namespace tovrel::test {
namespace {

class TCancelRecorder : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<TControl*> Senders;

    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_CANCELMODE)
            Senders.push_back(FromLParam<TControl>(message.LParam));
        TCustomControl::WndProc(message);
    }
};

class CancelMode : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        form = ShownForm(0, 0, 300, 220);
        active = Placed<TCancelRecorder>(*form, Bounds(10, 10, 50, 30));
        other = Placed<TCustomControl>(*form, Bounds(100, 10, 50, 30));
        graphic = Placed<TGraphicControl>(*form, Bounds(200, 10, 50, 30));
        inner = Placed<TForm>(*form, Bounds(10, 100, 250, 100));
        inner->SetBorderStyle(bsNone);
        inner->Show();
        innerActive = Placed<TCancelRecorder>(*inner, Bounds(0, 0, 50, 30));
        innerOther = Placed<TCustomControl>(*inner, Bounds(100, 0, 50, 30));
        Pump();
        form->SetActiveControl(active);
        inner->SetActiveControl(innerActive);
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        ControlTest::TearDown();
    }
    static void Press(TControl& control, int button, bool doubleClick = false)
    {
        const TPoint screen = control.ClientToScreen(Point(5, 5));
        for (int i = 0; i < (doubleClick ? 2 : 1); ++i) {
            InjectMouseButton(button, true, screen);
            InjectMouseButton(button, false, screen);
        }
        Pump();
    }

    std::unique_ptr<TForm> form;
    TCancelRecorder* active = nullptr;
    TCustomControl* other = nullptr;
    TGraphicControl* graphic = nullptr;
    TForm* inner = nullptr;
    TCancelRecorder* innerActive = nullptr;
    TCustomControl* innerOther = nullptr;
};

TEST_F(CancelMode, EachPressElsewhereTellsTheActiveControlOnceWithThePressedControl)
{
    struct TCase {
        TControl* pressed;
        int button;
        bool doubleClick;
        std::vector<TControl*> toActive, toInnerActive;
    };
    const TCase cases[] = {
        {other, 0, false, {other}, {}},
        {graphic, 1, false, {graphic}, {}},
        {form.get(), 2, false, {form.get()}, {}},
        {other, 0, true, {other, other}, {}},
        {active, 0, false, {}, {}},
        // Inside the inner form both forms' active controls hear of it.
        {innerOther, 0, false, {innerOther}, {innerOther}},
        {innerActive, 0, false, {innerActive}, {}},
    };
    for (const TCase& c : cases) {
        active->Senders.clear();
        innerActive->Senders.clear();
        Press(*c.pressed, c.button, c.doubleClick);
        EXPECT_EQ(active->Senders, c.toActive) << &c - cases;
        EXPECT_EQ(innerActive->Senders, c.toInnerActive) << &c - cases;
        ASSERT_EQ(form->ActiveControl(), active);
    }
}

TEST_F(CancelMode, TheActiveControlOfBothFormsHearsOnce)
{
    inner->SetActiveControl(innerActive);
    form->SetActiveControl(innerActive);
    active->Senders.clear();
    Press(*innerOther, 0);
    EXPECT_EQ(innerActive->Senders, std::vector<TControl*>{innerOther});
    EXPECT_TRUE(active->Senders.empty());
}

} // namespace
} // namespace tovrel::test
