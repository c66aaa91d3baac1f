#include "CtrlsTestSupport.h"

#include "platform/ctrls/StatusBar.h"
#include "platform/wm/WindowPos.h"

namespace tovrel::test {
namespace {

class StatusBarGrip : public CtrlsTest {
protected:
    TStatusBar& BarOnSizableForm()
    {
        form->SetBorderStyle(bsSizeable);
        TStatusBar& bar = Place<TStatusBar>(Rect(0, 0, 200, 19)); // aligned to the bottom
        return bar;
    }
    static TPoint GripPoint(TStatusBar& bar) { return bar.ClientToScreen(Point(bar.Width() - 3, bar.Height() - 3)); }
    static LRESULT HitTest(TStatusBar& bar, TPoint screen)
    {
        return SendMessage(bar.Handle(), WM_NCHITTEST, 0, LParamFromPoint(screen));
    }
    // Presses at `from`, moves by (dx, dy) in two steps and releases.
    void Drag(TPoint from, int dx, int dy)
    {
        clock->Advance(1000); // never a double click
        InjectMouseButton(0, true, from);
        InjectMouseMove(Point(from.X + dx / 2, from.Y + dy / 2));
        InjectMouseMove(Point(from.X + dx, from.Y + dy));
        InjectMouseButton(0, false, Point(from.X + dx, from.Y + dy));
        Pump();
    }
};

TEST_F(StatusBarGrip, DraggingTheGripSizesTheFormByThePointersMovement)
{
    TStatusBar& bar = BarOnSizableForm();
    const TRect before = form->BoundsRect();
    EXPECT_EQ(HitTest(bar, GripPoint(bar)), HTBOTTOMRIGHT);
    EXPECT_EQ(HitTest(bar, bar.ClientToScreen(Point(50, 5))), HTCLIENT);

    Drag(GripPoint(bar), 40, 25);
    EXPECT_EQ(form->BoundsRect(), Rect(before.Left, before.Top, before.Right + 40, before.Bottom + 25));
    EXPECT_EQ(GetCapture(), nullptr);
    // The bar followed the corner, so the grip is under the pointer again.
    EXPECT_EQ(bar.Width(), form->ClientWidth());
    Drag(GripPoint(bar), -70, -30);
    EXPECT_EQ(form->BoundsRect(), Rect(before.Left, before.Top, before.Right - 30, before.Bottom - 5));
}

struct TNoGripCase {
    const char* Name;
    TFormBorderStyle BorderStyle;
    bool Maximized;
    TAlign Align;
    bool SizeGrip;
};

TEST_F(StatusBarGrip, NoGripWhereTheBarCannotSizeTheForm)
{
    const TNoGripCase cases[] = {
        {"borderless form", bsNone, false, alBottom, true},
        {"fixed frame", bsSingle, false, alBottom, true},
        {"dialog frame", bsDialog, false, alBottom, true},
        {"maximized", bsSizeable, true, alBottom, true},
        {"not at the form's corner", bsSizeable, false, alTop, true},
        {"grip off", bsSizeable, false, alBottom, false},
    };
    for (const TNoGripCase& c : cases) {
        SCOPED_TRACE(c.Name);
        form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(c.BorderStyle);
        form->SetBounds(50, 40, 400, 300);
        form->Show();
        if (c.Maximized)
            form->SetWindowState(wsMaximized);
        TStatusBar& bar = Place<TStatusBar>(Rect(0, 0, 200, 19));
        bar.SetAlign(c.Align);
        bar.SetSizeGrip(c.SizeGrip);
        Pump();
        const TRect formBefore = form->BoundsRect(), barBefore = bar.BoundsRect();
        EXPECT_EQ(HitTest(bar, GripPoint(bar)), HTCLIENT);
        Drag(GripPoint(bar), 40, 25);
        EXPECT_EQ(form->BoundsRect(), formBefore);
        EXPECT_EQ(bar.BoundsRect(), barBefore);
    }
}

} // namespace
} // namespace tovrel::test
