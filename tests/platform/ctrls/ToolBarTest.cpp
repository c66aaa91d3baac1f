#include "CtrlsTestSupport.h"

#include "platform/ctrls/ToolBar.h"

#include <vector>

namespace tovrel::test {
namespace {

class ToolBar : public CtrlsTest {
protected:
    TToolButton& Button(TToolBar& bar, TToolButtonStyle style, bool grouped = false)
    {
        auto* button = new TToolButton(form.get());
        button->SetStyle(style);
        button->Grouped = grouped;
        button->SetParent(&bar);
        return *button;
    }
};

TEST_F(ToolBar, ButtonsInARowAndGroupedChecksActAsRadioButtons)
{
    TToolBar& bar = Place<TToolBar>(Rect(0, 0, 300, 29));
    TToolButton& plain = Button(bar, tbsButton);
    TToolButton& separator = Button(bar, tbsSeparator);
    TToolButton& a = Button(bar, tbsCheck, true);
    TToolButton& b = Button(bar, tbsCheck, true);
    TToolButton& single = Button(bar, tbsCheck);
    bar.ArrangeButtons();
    EXPECT_EQ(plain.BoundsRect(), Rect(0, 2, 23, 24));
    EXPECT_EQ(separator.Width(), 8);
    EXPECT_EQ(a.Left(), 31);
    EXPECT_EQ(single.Left(), 77);
    EXPECT_EQ(bar.Align(), alTop);

    int clicks = 0;
    plain.OnClick = [&clicks](TObject*) { ++clicks; };
    ClickAt(plain, Point(5, 5));
    ClickAt(separator, Point(3, 5));
    EXPECT_EQ(clicks, 1);
    ClickAt(a, Point(5, 5));
    ClickAt(b, Point(5, 5));
    EXPECT_TRUE(b.Down());
    EXPECT_FALSE(a.Down());
    ClickAt(b, Point(5, 5)); // the last one down in a group stays down
    EXPECT_TRUE(b.Down());
    ClickAt(single, Point(5, 5));
    ClickAt(single, Point(5, 5));
    EXPECT_FALSE(single.Down());
    EXPECT_TRUE(b.Down());
}

} // namespace
} // namespace tovrel::test
