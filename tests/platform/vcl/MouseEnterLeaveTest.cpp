// CM_MOUSEENTER / CM_MOUSELEAVE: a windowed control counts with its frame, a
// graphic control by its bounds; while a control holds the capture only it
// hears, once when the pointer leaves and once when it comes back.
#include "ControlTestSupport.h"

#include "platform/vcl/CustomControls.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class MouseEnterLeave : public ControlTest {};

// A control with a two-pixel sunken frame around its client area.
class TFramed : public TCustomControl {
public:
    using TCustomControl::TCustomControl;

protected:
    void CreateParams(TCreateParams& params) override
    {
        TCustomControl::CreateParams(params);
        params.ExStyle |= WS_EX_CLIENTEDGE;
    }
};

enum TAction : std::uint8_t { Move, Press, Release };

struct TStep {
    TAction Action;
    TPoint Screen;
    std::vector<std::string> Heard; // "enter X" / "leave X" in order
};

TEST_F(MouseEnterLeave, TheWholeWindowCountsAndACaptureHolderHearsOnceEachWay)
{
    // Form F at (100, 50); framed panel P at (120, 70) 100 x 60 (client from (122, 72));
    // graphic G inside P's client at (132, 82) 30 x 20; panel O at (240, 70) 40 x 40.
    auto form = ShownForm(100, 50, 200, 120);
    auto* panel = Placed<TFramed>(*form, Bounds(20, 20, 100, 60));
    auto* graphic = Placed<TGraphicControl>(*panel, Bounds(10, 10, 30, 20));
    auto* other = Placed<TCustomControl>(*form, Bounds(140, 20, 40, 40));
    std::vector<std::string> heard;
    auto watch = [&](TControl* control, const std::string& name) {
        control->OnMouseEnter = [&heard, name](TObject*) { heard.push_back("enter " + name); };
        control->OnMouseLeave = [&heard, name](TObject*) { heard.push_back("leave " + name); };
    };
    watch(form.get(), "F");
    watch(panel, "P");
    watch(graphic, "G");
    watch(other, "O");
    Pump();

    const TStep steps[] = {
        {Move, {110, 60}, {"enter F"}},
        {Move, {120, 70}, {"leave F", "enter P"}}, // onto P's frame
        {Move, {125, 75}, {}},                     // into its client area
        {Move, {135, 85}, {"leave P", "enter G"}},
        {Move, {126, 100}, {"leave G", "enter P"}},
        {Move, {121, 100}, {}}, // back onto the frame
        {Move, {110, 100}, {"leave P", "enter F"}},
        {Move, {121, 100}, {"leave F", "enter P"}},
        {Move, {250, 80}, {"leave P", "enter O"}},
        {Move, {50, 20}, {"leave O"}}, // off every window

        // P holds the capture from the press on.
        {Move, {125, 75}, {"enter P"}},
        {Press, {125, 75}, {}},
        {Move, {110, 100}, {"leave P"}},
        {Move, {105, 100}, {}},
        {Move, {250, 80}, {}}, // the others hear nothing
        {Move, {121, 100}, {"enter P"}},
        {Move, {135, 85}, {"leave P"}}, // G is on top there
        {Move, {125, 75}, {"enter P"}},
        {Move, {110, 100}, {"leave P"}},
        {Release, {110, 100}, {}},
        {Move, {111, 100}, {"enter F"}}, // the next move after the capture

        // A graphic control holding the capture.
        {Move, {135, 85}, {"leave F", "enter G"}},
        {Press, {135, 85}, {}},
        {Move, {125, 75}, {"leave G"}},
        {Move, {136, 86}, {"enter G"}},
        {Move, {110, 100}, {"leave G"}},
        {Release, {110, 100}, {}},
        {Move, {125, 75}, {"enter P"}},
    };
    int index = 0;
    for (const auto& step : steps) {
        heard.clear();
        if (step.Action == Move)
            InjectMouseMove(step.Screen);
        else
            InjectMouseButton(0, step.Action == Press, step.Screen);
        Pump();
        EXPECT_EQ(heard, step.Heard) << "step " << index << " at " << step.Screen.X << "," << step.Screen.Y;
        ++index;
    }
}

TEST_F(MouseEnterLeave, QueuedMovesAreJudgedWhereEachOneWas)
{
    // Several moves waiting at once: a leave posted for one of them is judged
    // at its own point, not where the pointer has got to since.
    auto form = ShownForm(100, 50, 200, 120);
    auto* panel = Placed<TFramed>(*form, Bounds(20, 20, 100, 60));
    std::vector<std::string> heard;
    panel->OnMouseEnter = [&](TObject*) { heard.push_back("enter P"); };
    panel->OnMouseLeave = [&](TObject*) { heard.push_back("leave P"); };
    Pump();
    InjectMouseMove({125, 75});  // client
    InjectMouseMove({121, 100}); // frame
    InjectMouseMove({125, 80});  // client
    InjectMouseMove({110, 100}); // the form
    Pump();
    EXPECT_EQ(heard, (std::vector<std::string>{"enter P", "leave P"}));
}

} // namespace
} // namespace tovrel::test
