#include "CtrlsTestSupport.h"

#include "platform/ctrls/Bevel.h"
#include "platform/ctrls/Button.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/Image.h"
#include "platform/ctrls/Label.h"
#include "platform/ctrls/Panel.h"
#include "platform/ctrls/Splitter.h"
#include "platform/ctrls/StatusBar.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Keys.h"

#include <functional>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class SimpleControls : public CtrlsTest {
protected:
    COLORREF FormPixel(TControl& control, int x, int y)
    {
        const TPoint at = form->ScreenToClient(control.ClientToScreen(Point(x, y)));
        auto surface = WindowSurface(form->Handle());
        const std::uint8_t* p = surface->ScanLine(at.Y) + at.X * 4;
        return RGB(p[2], p[1], p[0]);
    }
};

TEST_F(SimpleControls, LabelAutoSizeAndAccelerator)
{
    TLabel& label = Place<TLabel>(Rect(100, 10, 300, 60));
    label.SetCaption("&Name:");
    TTextMeasure measure(*label.Font());
    EXPECT_EQ(label.Height(), measure.LineHeight()); // one line
    EXPECT_EQ(label.Width(), measure.Width("Name:"));
    const int right = label.Left() + label.Width();
    label.SetAlignment(taRightJustify);
    label.SetCaption("Longer name:");
    EXPECT_EQ(label.Left() + label.Width(), right); // the right edge stays

    TEdit& edit = Place<TEdit>(Rect(10, 100, 100, 121));
    label.FocusControl = &edit;
    label.SetCaption("&Name:");
    Key('N', {VK_MENU});
    EXPECT_TRUE(edit.Focused());
}

// The edit belongs to a panel, so the label hears of its removal only through
// the free notification its FocusControl registers.
TEST_F(SimpleControls, LabelForgetsAFocusControlOwnedElsewhereWhenItIsFreed)
{
    TLabel& label = Place<TLabel>(Rect(10, 10, 100, 30));
    label.SetCaption("&Name:");
    TPanel& panel = Place<TPanel>(Rect(10, 50, 200, 120));
    auto* edit = new TEdit(&panel);
    edit->SetParent(&panel);
    label.FocusControl = edit;

    TObject::Free(edit);
    EXPECT_EQ(label.FocusControl, nullptr);
    Key('N', {VK_MENU}); // ASan reports the freed edit being focused otherwise

    // The label going first leaves nothing for the edit's later free to touch.
    auto* other = new TEdit(&panel);
    label.FocusControl = other;
    TObject::Free(&label);
    TObject::Free(other);
}

TEST_F(SimpleControls, BevelEdges)
{
    TBevel& bevel = Place<TBevel>(Rect(10, 10, 60, 40));
    form->Repaint();
    Pump();
    EXPECT_EQ(FormPixel(bevel, 0, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(FormPixel(bevel, 49, 29), GetSysColor(COLOR_BTNHIGHLIGHT));
    bevel.SetStyle(bsRaised);
    Pump();
    EXPECT_EQ(FormPixel(bevel, 0, 0), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(FormPixel(bevel, 49, 29), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(SimpleControls, PanelChildrenSitInsideTheBevels)
{
    TPanel& panel = Place<TPanel>(Rect(10, 10, 110, 90));
    panel.SetBevelInner(bvLowered);
    panel.SetBevelWidth(2);
    panel.SetBorderWidth(3);
    auto* child = new TPanel(form.get());
    child->SetParent(&panel);
    child->SetAlign(alClient);
    EXPECT_EQ(child->BoundsRect(), Rect(7, 7, 93, 73));
}

TEST_F(SimpleControls, ButtonClickNeedsPressAndReleaseInside)
{
    TButton& button = Place<TButton>(Rect(10, 10, 85, 35));
    int clicks = 0;
    button.OnClick = [&clicks](TObject*) { ++clicks; };
    struct Step {
        const char* name;
        std::function<void()> act;
        int clicks;
    };
    const Step steps[] = {
        {"press and release", [&] { ClickAt(button, Point(5, 5)); }, 1},
        {"dragged off",
         [&] {
             ClickAt(button, Point(5, 5), false);
             MoveTo(button, Point(100, 5));
             Release(button, Point(100, 5));
         },
         1},
        {"dragged off and back",
         [&] {
             ClickAt(button, Point(5, 5), false);
             MoveTo(button, Point(100, 5));
             MoveTo(button, Point(6, 6));
             Release(button, Point(6, 6));
         },
         2},
        {"space acts when released",
         [&] {
             InjectKey(VK_SPACE, true);
             Pump();
             EXPECT_EQ(clicks, 2);
             InjectKey(VK_SPACE, false);
             Pump();
         },
         3},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        s.act();
        EXPECT_EQ(clicks, s.clicks);
    }
}

TEST_F(SimpleControls, DefaultAndCancelButtonsAnswerEnterAndEscape)
{
    TEdit& edit = Place<TEdit>(Rect(10, 50, 100, 71));
    TButton& ok = Place<TButton>(Rect(10, 10, 85, 35));
    TButton& cancel = Place<TButton>(Rect(90, 10, 165, 35));
    ok.SetDefault(true);
    ok.ModalResult = mrOk;
    cancel.Cancel = true;
    std::vector<std::string> log;
    ok.OnClick = [&log](TObject*) { log.push_back("ok"); };
    cancel.OnClick = [&log](TObject*) { log.push_back("cancel"); };
    edit.SetFocus();
    Pump();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(log, (std::vector<std::string>{"ok", "cancel"}));
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(SimpleControls, CheckBoxCyclesAndRadioButtonsGroup)
{
    TCheckBox& box = Place<TCheckBox>(Rect(10, 10, 110, 27));
    box.AllowGrayed = true;
    std::vector<TCheckBoxState> states;
    box.OnClick = [&](TObject*) { states.push_back(box.State()); };
    for (int i = 0; i < 3; ++i)
        ClickAt(box, Point(5, 8));
    EXPECT_EQ(states, (std::vector<TCheckBoxState>{cbChecked, cbGrayed, cbUnchecked}));

    TRadioButton& a = Place<TRadioButton>(Rect(10, 40, 110, 57));
    TRadioButton& b = Place<TRadioButton>(Rect(10, 60, 110, 77));
    int bClicks = 0;
    b.OnClick = [&bClicks](TObject*) { ++bClicks; };
    a.SetChecked(true);
    ClickAt(b, Point(5, 8));
    ClickAt(b, Point(5, 8)); // already checked: no second click
    EXPECT_TRUE(b.Checked());
    EXPECT_FALSE(a.Checked());
    EXPECT_EQ(bClicks, 1);
}

TEST_F(SimpleControls, SplitterResizesTheControlBeforeIt)
{
    TPanel& left = Place<TPanel>(Rect(0, 0, 100, 100));
    left.SetAlign(alLeft);
    TSplitter& splitter = Place<TSplitter>(Rect(100, 0, 103, 100));
    splitter.SetAlign(alLeft);
    splitter.MinSize = 40;
    Pump();
    ASSERT_EQ(splitter.FindControl(), &left);
    int moved = 0;
    splitter.OnMoved = [&moved](TObject*) { ++moved; };
    ClickAt(splitter, Point(1, 50), false);
    MoveTo(splitter, Point(31, 50));
    EXPECT_EQ(left.Width(), 130);
    MoveTo(splitter, Point(-200, 50)); // not below MinSize
    EXPECT_EQ(left.Width(), 40);
    Release(splitter, Point(-200, 50));
    EXPECT_EQ(moved, 1);
}

TEST_F(SimpleControls, BeveledSplitterHasARaisedEdge)
{
    TSplitter& splitter = Place<TSplitter>(Rect(100, 0, 106, 100));
    splitter.SetAlign(alLeft);
    Pump();
    EXPECT_EQ(FormPixel(splitter, 0, 50), GetSysColor(COLOR_BTNFACE));
    splitter.SetBeveled(true);
    Pump();
    EXPECT_EQ(FormPixel(splitter, 0, 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(FormPixel(splitter, splitter.Width() - 1, 50), GetSysColor(COLOR_BTNSHADOW));
}

TEST_F(SimpleControls, StatusBarGripHitTest)
{
    form->SetBorderStyle(bsSizeable); // the grip sizes only a sizable form
    TStatusBar& bar = Place<TStatusBar>(Rect(0, 0, 200, 19));
    bar.Panels().push_back({"Ready", 100});
    bar.Panels().push_back({"2 files"});
    const TPoint grip = bar.ClientToScreen(Point(bar.Width() - 3, bar.Height() - 3));
    const TPoint middle = bar.ClientToScreen(Point(50, 5));
    EXPECT_EQ(SendMessage(bar.Handle(), WM_NCHITTEST, 0, LParamFromPoint(grip)), HTBOTTOMRIGHT);
    EXPECT_EQ(SendMessage(bar.Handle(), WM_NCHITTEST, 0, LParamFromPoint(middle)), HTCLIENT);
    bar.SetSizeGrip(false);
    EXPECT_EQ(SendMessage(bar.Handle(), WM_NCHITTEST, 0, LParamFromPoint(grip)), HTCLIENT);
}

TEST_F(SimpleControls, ImagePlacement)
{
    TImage& image = Place<TImage>(Rect(0, 0, 100, 50));
    TBitmap bitmap(40, 20);
    image.Picture()->SetGraphic(&bitmap);
    struct Case {
        bool stretch, proportional, center;
        TRect dest;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 40, 20)}, {false, false, true, Rect(30, 15, 70, 35)},
        {true, false, false, Rect(0, 0, 100, 50)}, {true, true, true, Rect(0, 0, 100, 50)},
        {false, true, false, Rect(0, 0, 40, 20)}, // proportional only shrinks
    };
    for (const Case& c : cases) {
        image.SetStretch(c.stretch);
        image.SetProportional(c.proportional);
        image.SetCenter(c.center);
        EXPECT_EQ(image.DestRect(), c.dest) << c.stretch << c.proportional << c.center;
    }
    image.SetAutoSize(true);
    EXPECT_EQ(image.Width(), 40);

    // Transparency is the image's: a picture given later takes it too.
    image.SetTransparent(true);
    EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
    TBitmap later(10, 10);
    image.Picture()->SetGraphic(&later);
    EXPECT_TRUE(image.Picture()->Graphic()->Transparent());
    image.SetTransparent(false);
    EXPECT_FALSE(image.Picture()->Graphic()->Transparent());
}

} // namespace
} // namespace tovrel::test
