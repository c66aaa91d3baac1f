#include "ListViewStyleTestSupport.h"

#include "platform/wm/Keys.h"

#include <vector>

namespace tovrel::test {
namespace {

// A key with a modifier held (0: none); Next and Prev stand for the key that
// steps one item forward or back in the style under test.
enum TStepKey : UINT { Next = 0x10000, Prev };
struct TPress {
    UINT key;
    UINT modifier = 0;
};
constexpr UINT kShift = VK_SHIFT, kCtrl = VK_CONTROL;

class ListViewKeySelection : public ListViewStyleTest {
protected:
    // Ten items, the cells laid out so that items 0-4 share the first line.
    TListView& KeyView(TViewStyle style, bool multiSelect, int count = 10)
    {
        TListView& view = View(style, count, 380, 200);
        view.SetMultiSelect(multiSelect);
        view.SetFocus();
        Pump();
        return view;
    }
    static void Press(TListView& view, const TPress& press)
    {
        const bool grid = view.ViewStyle() == vsIcon || view.ViewStyle() == vsSmallIcon;
        UINT key = press.key;
        if (key == Next)
            key = grid ? VK_RIGHT : VK_DOWN;
        else if (key == Prev)
            key = grid ? VK_LEFT : VK_UP;
        if (press.modifier)
            Key(key, {press.modifier});
        else
            Key(key);
    }
};

TEST_F(ListViewKeySelection, KeySequencesSelectFromTheAnchorInEveryStyle)
{
    struct Case {
        const char* name;
        bool multiSelect;
        std::vector<TPress> presses; // after Home has selected item 0
        std::vector<int> selected;
        int focused;
    };
    const Case cases[] = {
        {"shift extends forward", true, {{Next}, {Next}, {Next, kShift}, {Next, kShift}}, {2, 3, 4}, 4},
        {"shift extends back", true, {{Next}, {Next}, {Next}, {Prev, kShift}, {Prev, kShift}}, {1, 2, 3}, 1},
        {"crossing the anchor unselects the far side",
         true,
         {{Next}, {Next}, {Next, kShift}, {Next, kShift}, {Prev, kShift}, {Prev, kShift}, {Prev, kShift}},
         {1, 2},
         1},
        {"shift end", true, {{Next}, {Next}, {VK_END, kShift}}, {2, 3, 4, 5, 6, 7, 8, 9}, 9},
        {"shift home after shift end", true, {{Next}, {Next}, {VK_END, kShift}, {VK_HOME, kShift}}, {0, 1, 2}, 0},
        {"ctrl moves the focus only", true, {{Next}, {Next, kCtrl}, {Next, kCtrl}}, {1}, 3},
        {"ctrl end and home", true, {{Next}, {VK_END, kCtrl}, {VK_HOME, kCtrl}}, {1}, 0},
        {"ctrl space adds the focused item",
         true,
         {{Next}, {Next, kCtrl}, {Next, kCtrl}, {VK_SPACE, kCtrl}},
         {1, 3},
         3},
        {"ctrl space unselects", true, {{Next}, {VK_SPACE, kCtrl}}, {}, 1},
        {"ctrl space makes the anchor",
         true,
         {{Next}, {Next, kCtrl}, {Next, kCtrl}, {VK_SPACE, kCtrl}, {Next, kShift}},
         {3, 4},
         4},
        {"ctrl moves keep the anchor", true, {{Next}, {Next, kCtrl}, {Next, kCtrl}, {Next, kShift}}, {1, 2, 3, 4}, 4},
        {"a plain move selects one and anchors there",
         true,
         {{Next}, {Next, kShift}, {Next, kShift}, {Next}, {Prev, kShift}},
         {3, 4},
         3},
        {"single: shift moves plainly", false, {{Next, kShift}, {Next, kShift}}, {2}, 2},
        {"single: ctrl moves plainly", false, {{Next}, {Next, kCtrl}}, {2}, 2},
        {"single: shift end", false, {{Next}, {VK_END, kShift}}, {9}, 9},
        {"single: ctrl space does nothing", false, {{Next}, {VK_SPACE, kCtrl}}, {1}, 1},
    };
    for (TViewStyle style : {vsReport, vsList, vsSmallIcon, vsIcon}) {
        for (const Case& c : cases) {
            TListView& view = KeyView(style, c.multiSelect);
            Press(view, {VK_HOME});
            for (const TPress& press : c.presses)
                Press(view, press);
            EXPECT_EQ(SelectedIndexes(view), c.selected) << c.name << ", style " << int(style);
            EXPECT_EQ(Focused(view), c.focused) << c.name << ", style " << int(style);
            delete &view;
        }
    }
}

TEST_F(ListViewKeySelection, ShiftPageKeysSelectTheRangeTheyMoveOver)
{
    for (TViewStyle style : {vsReport, vsList, vsSmallIcon, vsIcon}) {
        // More items than a page, in a view small enough to scroll.
        TListView& view = View(style, 200, 200, 120);
        view.SetMultiSelect(true);
        view.SetFocus();
        Press(view, {VK_HOME});
        Press(view, {VK_NEXT, kShift});
        const int paged = Focused(view);
        ASSERT_GT(paged, 0) << int(style);
        std::vector<int> range;
        for (int i = 0; i <= paged; ++i)
            range.push_back(i);
        EXPECT_EQ(SelectedIndexes(view), range) << int(style);
        Press(view, {VK_PRIOR, kShift});
        EXPECT_EQ(SelectedIndexes(view), std::vector<int>{0}) << int(style);
        // The new end is scrolled into view.
        Press(view, {VK_END, kShift});
        EXPECT_EQ(SelectedIndexes(view).size(), 200U) << int(style);
        const TRect last = ItemRect(view, 199);
        EXPECT_TRUE(last.Top >= 0 && last.Bottom <= view.ClientHeight()) << int(style);
        delete &view;
    }
}

TEST_F(ListViewKeySelection, OneRangeChangeNotifiesEachChangedItemOnce)
{
    TListView& view = KeyView(vsReport, true);
    Press(view, {VK_HOME});
    Press(view, {Next});
    int changes = 0;
    std::vector<std::pair<int, bool>> selections;
    view.OnChange = [&changes](TObject*, TListItem*, TItemChange) { ++changes; };
    view.OnSelectItem = [&selections](TObject*, TListItem* item, bool selected) {
        selections.emplace_back(item->Index(), selected);
    };
    Press(view, {VK_END, kShift});
    // Items 2-9 are selected, item 9 taking the focus with its selection; item 1 gives up the focus.
    EXPECT_EQ(changes, 9);
    std::vector<std::pair<int, bool>> expected;
    for (int i = 2; i <= 9; ++i)
        expected.emplace_back(i, true);
    EXPECT_EQ(selections, expected);

    // Keys that change nothing report nothing.
    changes = 0;
    selections.clear();
    Press(view, {VK_END, kShift});
    Press(view, {Next, kCtrl});
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(selections.empty());
}

TEST_F(ListViewKeySelection, RefusedChangesLeaveTheSelectionAlone)
{
    TListView& view = KeyView(vsReport, true);
    Press(view, {VK_HOME});
    view.OnChanging = [](TObject*, TListItem* item, TItemChange, bool& allow) { allow = item->Index() != 3; };
    Press(view, {VK_END, kShift});
    EXPECT_EQ(SelectedIndexes(view), (std::vector<int>{0, 1, 2, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(Focused(view), 9);
}

TEST_F(ListViewKeySelection, ShiftClickExtendsFromTheKeyboardAnchor)
{
    TListView& view = KeyView(vsReport, true);
    Press(view, {VK_HOME});
    Press(view, {Next, kCtrl});
    Press(view, {Next, kCtrl});
    Press(view, {VK_SPACE, kCtrl});
    const TRect row = ItemRect(view, 5);
    InjectKey(VK_SHIFT, true);
    ClickAt(view, Point(row.Left + 4, row.Top + 2));
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(SelectedIndexes(view), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(Focused(view), 5);
}

} // namespace
} // namespace tovrel::test
