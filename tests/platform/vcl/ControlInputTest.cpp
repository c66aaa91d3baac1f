#include "ControlTestSupport.h"

#include "platform/rtl/Exceptions.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/MessageBox.h"

#include <cctype>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class Input : public ControlTest {};

void PaintSolid(TCanvas& canvas, const TRect& r, TColor colour)
{
    canvas.Brush()->SetColor(colour);
    canvas.FillRect(r);
}

// Paints itself in one colour and logs what reaches it.
class TSwatch : public TGraphicControl {
public:
    TSwatch(TWinControl& parent, TRect bounds, TColor colour, std::vector<std::string>& log)
        : TGraphicControl(&parent), colour_(colour), log_(log)
    {
        SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        SetParent(&parent);
        OnMouseEnter = [this](TObject*) { log_.push_back("enter"); };
        OnMouseLeave = [this](TObject*) { log_.push_back("leave"); };
        OnClick = [this](TObject*) { log_.push_back("click"); };
        OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int x, int y) {
            log_.push_back("up " + std::to_string(x) + "," + std::to_string(y));
        };
    }

protected:
    void Paint() override { PaintSolid(*Canvas(), ClientRect(), colour_); }

private:
    TColor colour_;
    std::vector<std::string>& log_;
};

class TBox : public TCustomControl {
public:
    TBox(TWinControl& parent, TRect bounds, TColor colour) : TCustomControl(&parent), colour_(colour)
    {
        SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        SetTabStop(true);
        SetParent(&parent);
    }

protected:
    void Paint() override { PaintSolid(*Canvas(), ClientRect(), colour_); }

private:
    TColor colour_;
};

TEST_F(Input, WindowedAndGraphicChildrenPaintInZOrderOverTheErasedParent)
{
    auto form = ShownForm(100, 50, 60, 40);
    std::vector<std::string> log;
    new TBox(*form, Bounds(0, 0, 20, 20), clRed);
    new TSwatch(*form, Bounds(30, 0, 20, 20), clBlue, log);
    auto* front = new TSwatch(*form, Bounds(40, 10, 20, 20), clLime, log);
    Pump();
    EXPECT_EQ(PixelAt(*form, 5, 5), COLORREF(clRed));
    EXPECT_EQ(PixelAt(*form, 35, 5), COLORREF(clBlue));
    EXPECT_EQ(PixelAt(*form, 45, 15), COLORREF(clLime));
    EXPECT_EQ(PixelAt(*form, 5, 30), ColorToRGB(clBtnFace));

    front->SendToBack();
    Pump();
    EXPECT_EQ(PixelAt(*form, 45, 15), COLORREF(clBlue));
    front->SetVisible(false);
    Pump();
    EXPECT_EQ(PixelAt(*form, 55, 25), ColorToRGB(clBtnFace));
}

TEST_F(Input, GraphicControlsGetEnterLeaveClicksAndCapturedMouseUps)
{
    auto form = ShownForm(100, 50, 80, 40);
    std::vector<std::string> log;
    new TSwatch(*form, Bounds(10, 10, 20, 20), clBlue, log);
    InjectMouseMove(Point(150, 70));
    Pump();
    InjectMouseMove(Point(115, 65));
    Pump();
    Click(Point(115, 65));
    InjectMouseMove(Point(170, 80));
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "click", "up 5,5", "leave"}));

    // Pressed inside, released outside: no click, but the captured up still
    // comes to it (after the leave, which follows the pointer).
    log.clear();
    InjectMouseMove(Point(115, 65));
    InjectMouseButton(0, true, Point(115, 65));
    InjectMouseMove(Point(175, 85));
    InjectMouseButton(0, false, Point(175, 85));
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave", "up 65,25"}));
}

TEST_F(Input, TabMovesFocusInTabOrderWithEnterAndExitAndKeyPreviewComesFirst)
{
    auto form = ShownForm(0, 0, 200, 100);
    std::vector<std::string> log;
    auto* a = new TBox(*form, Bounds(0, 0, 10, 10), clRed);
    auto* b = new TBox(*form, Bounds(20, 0, 10, 10), clRed);
    auto* c = new TBox(*form, Bounds(40, 0, 10, 10), clRed);
    c->SetTabOrder(0);
    b->SetEnabled(false);
    for (auto [box, name] : {std::pair{a, "a"}, std::pair{b, "b"}, std::pair{c, "c"}}) {
        box->OnEnter = [&log, name = std::string(name)](TObject*) { log.push_back("enter " + name); };
        box->OnExit = [&log, name = std::string(name)](TObject*) { log.push_back("exit " + name); };
    }
    c->SetFocus();
    Pump();
    Key(VK_TAB);
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(form->ActiveControl(), a);
    Key(VK_TAB); // b is disabled: back to c
    EXPECT_TRUE(c->Focused());
    InjectKey(VK_SHIFT, true);
    Key(VK_TAB);
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_TRUE(a->Focused());
    EXPECT_EQ(log,
              (std::vector<std::string>{"enter c", "exit c", "enter a", "exit a", "enter c", "exit c", "enter a"}));

    std::vector<std::string> keys;
    form->KeyPreview = true;
    form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        keys.push_back("form " + std::to_string(key));
        if (key == 'X')
            key = 0;
    };
    a->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back("a " + std::to_string(key)); };
    Key('X');
    Key('Y');
    EXPECT_EQ(keys, (std::vector<std::string>{"form 88", "form 89", "a 89"}));
}

TEST_F(Input, ControlMessagesFlowThroughAReplaceableWindowProc)
{
    auto form = ShownForm(0, 0, 100, 100);
    std::vector<std::string> log;
    auto* swatch = new TSwatch(*form, Bounds(0, 0, 10, 10), clRed, log);
    std::vector<UINT> seen;
    const TWndMethod original = swatch->WindowProc;
    swatch->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        original(m);
    };
    swatch->SetEnabled(false);
    swatch->SetCaption("x");
    swatch->SetCaption("x");
    swatch->WindowProc = original;
    swatch->SetEnabled(true);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), CM_ENABLEDCHANGED), 1);
    EXPECT_EQ(std::count(seen.begin(), seen.end(), CM_TEXTCHANGED), 1);
    EXPECT_EQ(swatch->Caption(), "x");

    // A parent's font reaches children that use it, until they get their own.
    form->Font()->SetHeight(-20);
    EXPECT_EQ(swatch->Font()->Height(), -20);
    swatch->Font()->SetHeight(-9);
    form->Font()->SetHeight(-30);
    EXPECT_EQ(swatch->Font()->Height(), -9);
    EXPECT_FALSE(swatch->ParentFont());
}

TEST_F(Input, ExceptionsFromHandlersShowTheErrorBoxAndSkipTheRest)
{
    std::vector<std::string> boxes;
    SetMessageBoxHook([&](const std::string& text, const std::string& caption, UINT) {
        boxes.push_back(caption + ": " + text);
        return IDOK;
    });
    Application->Title = "TovrelMP4格式转换器";
    auto form = ShownForm(100, 50, 80, 40);
    std::vector<std::string> log;
    auto* swatch = new TSwatch(*form, Bounds(0, 0, 20, 20), clRed, log);
    bool after = false;
    swatch->OnClick = [&](TObject*) {
        throw EConvertError("'abc' is not a valid integer value");
        after = true;
    };
    Click(Point(105, 55));
    SetMessageBoxHook(nullptr);
    EXPECT_FALSE(after);
    EXPECT_EQ(boxes, (std::vector<std::string>{"TovrelMP4格式转换器: 'abc' is not a valid integer value."}));
}

} // namespace
} // namespace tovrel::test

namespace tovrel::test {
namespace {

// Answers its "&" letter like a labelled button.
class TAccelBox : public TBox {
public:
    TAccelBox(TWinControl& parent, TRect bounds, const std::string& caption) : TBox(parent, bounds, clSilver)
    {
        SetCaption(caption);
    }
    void WndProc(TMessage& message) override
    {
        if (message.Msg == CM_DIALOGCHAR && IsAccel(WORD(std::toupper(int(message.WParam))), Caption())) {
            Click();
            message.Result = 1;
            return;
        }
        TBox::WndProc(message);
    }
};

TEST_F(Input, AcceleratorsAnswerTypedAndAltLettersAndTheWheelBubblesUp)
{
    auto form = ShownForm(100, 50, 200, 100);
    std::vector<std::string> log;
    auto* open = new TAccelBox(*form, Bounds(0, 0, 20, 20), "&Open");
    auto* focus = new TBox(*form, Bounds(30, 0, 20, 20), clRed);
    open->OnClick = [&](TObject*) { log.push_back("open"); };
    focus->SetFocus();
    InjectText("o");
    Pump();
    InjectKey(VK_MENU, true);
    Key('O');
    InjectKey(VK_MENU, false);
    Pump();
    InjectText("x");
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"open", "open"}));

    focus->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        log.push_back("box " + std::to_string(delta));
        handled = delta > 0;
    };
    form->OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint, bool& handled) {
        log.push_back("form " + std::to_string(delta));
        handled = true;
    };
    log.clear();
    InjectMouseWheel(120, Point(135, 55));
    InjectMouseWheel(-120, Point(135, 55));
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"box 120", "box -120", "form -120"}));
}

} // namespace
} // namespace tovrel::test
