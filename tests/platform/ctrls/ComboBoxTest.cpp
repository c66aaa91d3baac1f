#include "CtrlsTestSupport.h"

#include "platform/ctrls/ComboBox.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class ComboBox : public CtrlsTest {
protected:
    TComboBox& Combo(TComboBoxStyle style)
    {
        TComboBox& combo = Place<TComboBox>(Rect(20, 20, 170, 40));
        combo.SetStyle(style);
        for (const char* s : {"apple", "banana", "cherry", "damson"})
            combo.Items()->Add(s);
        combo.OnChange = [this](TObject*) { log.push_back("change"); };
        combo.OnClick = [this](TObject*) { log.push_back("click"); };
        combo.OnDropDown = [this](TObject*) { log.push_back("dropdown"); };
        combo.OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
        combo.WindowProc = [this, old = combo.WindowProc](TMessage& m) {
            if (m.Msg == CN_COMMAND) {
                switch (HIWORD(m.WParam)) {
                case CBN_SELCHANGE: log.push_back("SELCHANGE"); break;
                case CBN_SELENDOK: log.push_back("SELENDOK"); break;
                case CBN_SELENDCANCEL: log.push_back("SELENDCANCEL"); break;
                case CBN_EDITCHANGE: log.push_back("EDITCHANGE"); break;
                default: break;
                }
            }
            old(m);
        };
        Pump();
        return combo;
    }
    // A point of item `index` in the open list, in the combo's client coordinates.
    static TPoint ItemPoint(TComboBox& combo, int index)
    {
        TCustomListBox& list = *combo.ListPart();
        const TRect r = list.ItemRect(index);
        return combo.ScreenToClient(list.ClientToScreen(Point(r.Left + 5, r.Top + 3)));
    }

    std::vector<std::string> log;
};

TEST_F(ComboBox, ClickOpensWithoutTakingTheFocusAndAReleaseOnAnItemChooses)
{
    TComboBox& combo = Combo(csDropDownList);
    combo.SetFocus();
    Pump();
    ClickAt(combo, Point(10, 5));
    ASSERT_TRUE(combo.DroppedDown());
    const HWND popup = combo.ListPart()->Handle();
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_NE(GetWindowLong(popup, GWL_EXSTYLE) & WS_EX_NOACTIVATE, 0);
    EXPECT_EQ(GetActiveWindow(), form->Handle());
    EXPECT_TRUE(combo.Focused());
    EXPECT_GE(combo.ListPart()->ClientToScreen(Point(0, 0)).Y, combo.ClientToScreen(Point(0, combo.ClientHeight())).Y);

    MoveTo(combo, ItemPoint(combo, 2));
    EXPECT_EQ(combo.Text(), ""); // hovering only highlights
    EXPECT_EQ(log, std::vector<std::string>{"dropdown"});
    ClickAt(combo, ItemPoint(combo, 2));
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), "cherry");
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "SELENDOK", "closeup", "SELCHANGE", "click", "change"}));
}

TEST_F(ComboBox, ThePressThatOpensCanBeDraggedOntoAnItem)
{
    TComboBox& combo = Combo(csDropDown);
    const TPoint button = Point(combo.ClientWidth() - 5, 5);
    ClickAt(combo, button, false);
    ASSERT_TRUE(combo.DroppedDown());
    MoveTo(combo, ItemPoint(combo, 1));
    Release(combo, ItemPoint(combo, 1));
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.Text(), "banana");
    EXPECT_EQ(combo.EditPart()->Text(), "banana");
    // Released on the box itself: the list stays open for a second click.
    ClickAt(combo, button);
    EXPECT_TRUE(combo.DroppedDown());
    ClickAt(combo, Point(-30, 60)); // elsewhere: closed, nothing chosen
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 1);
}

TEST_F(ComboBox, KeysMoveTheSelectionAndEscapePutsItBack)
{
    TComboBox& combo = Combo(csDropDownList);
    combo.SetItemIndex(0); // code: silent
    combo.SetFocus();
    Pump();
    Key(VK_DOWN);
    EXPECT_EQ(combo.Text(), "banana");
    Key(VK_F4);
    ASSERT_TRUE(combo.DroppedDown());
    Key(VK_DOWN);
    EXPECT_EQ(combo.ItemIndex(), 2);
    Key(VK_RETURN);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 2);
    Key(VK_DOWN, {VK_MENU});
    ASSERT_TRUE(combo.DroppedDown());
    MoveTo(combo, ItemPoint(combo, 0));
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.ItemIndex(), 2);
    Type("d"); // prefix search of the fixed style
    EXPECT_EQ(combo.Text(), "damson");
    const std::vector<std::string> expected = {"SELCHANGE", "click",        "change",            // Down
                                               "dropdown",  "SELCHANGE",    "click",   "change", // F4, Down
                                               "SELENDOK",  "closeup",                 // Enter: already reported
                                               "dropdown",  "SELENDCANCEL", "closeup", // Alt+Down, Escape
                                               "SELCHANGE", "click",        "change"}; // "d"
    EXPECT_EQ(log, expected);
}

TEST_F(ComboBox, TypingInTheEditPartIsAnEditChange)
{
    TComboBox& combo = Combo(csDropDown);
    combo.SetFocus();
    Pump();
    EXPECT_TRUE(combo.EditPart()->Focused());
    Type("ch");
    EXPECT_EQ(combo.Text(), "ch");
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(log, (std::vector<std::string>{"EDITCHANGE", "change", "EDITCHANGE", "change"}));
    log.clear();
    combo.SetText("typed by code");
    EXPECT_EQ(combo.EditPart()->Text(), "typed by code");
    EXPECT_TRUE(log.empty());
}

TEST_F(ComboBox, SimpleStyleShowsItsList)
{
    TComboBox& combo = Combo(csSimple);
    combo.SetHeight(120);
    Pump();
    TCustomListBox& list = *combo.ListPart();
    EXPECT_EQ(list.Parent(), &combo);
    EXPECT_TRUE(IsWindowVisible(list.Handle()));
    ClickAt(list, Point(5, list.ItemRect(3).Top + 3));
    EXPECT_EQ(combo.ItemIndex(), 3);
    EXPECT_EQ(combo.EditPart()->Text(), "damson");
}

} // namespace
} // namespace tovrel::test
