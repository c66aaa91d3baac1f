#include "CtrlsTestSupport.h"

#include "platform/ctrls/ListBox.h"
#include "platform/ctrls/TypeAhead.h"
#include "platform/vcl/Errors.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class ListBox : public CtrlsTest {
public:
    // Owner-drawn rows of 20 px in a box 100 px high with no border: five rows in view.
    TListBox& List(int count, TListBoxStyle style = lbOwnerDrawFixed)
    {
        TListBox& list = Place<TListBox>(Rect(10, 10, 130, 110));
        list.SetStyle(style);
        list.SetItemHeight(20);
        for (int i = 0; i < count; ++i)
            list.Items()->Add("item " + std::to_string(i));
        list.SetClientHeight(100);
        Pump();
        return list;
    }
    static SCROLLINFO VerticalState(TListBox& list)
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        EXPECT_TRUE(GetScrollInfo(list.Handle(), SB_VERT, &info));
        return info;
    }
    std::vector<int> SelectedRows(TListBox& list)
    {
        std::vector<int> rows;
        for (int i = 0; i < list.Count(); ++i)
            if (list.Selected(i))
                rows.push_back(i);
        return rows;
    }
    void ClickRow(TListBox& list, int row, std::initializer_list<UINT> modifiers = {})
    {
        for (UINT m : modifiers)
            InjectKey(m, true);
        ClickAt(list, Point(5, list.ItemRect(row).Top + 5));
        for (UINT m : modifiers)
            InjectKey(m, false);
        Pump();
    }
};

TEST_F(ListBox, ScrollStateFollowsTheNativeRules)
{
    struct Case {
        int count, top;
        int max, page, pos;
        bool barVisible;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0, false},   {3, 0, 2, 3, 0, false},
        {5, 0, 4, 5, 0, false}, // exactly full: no bar
        {6, 0, 5, 5, 0, true},    {12, 4, 11, 5, 4, true},
        {12, 11, 11, 5, 7, true}, // the last page is full: top stops at Count - page
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        TListBox& list = List(c.count);
        list.SetTopIndex(c.top);
        const SCROLLINFO info = VerticalState(list);
        EXPECT_EQ(info.nMin, 0);
        EXPECT_EQ(info.nMax, c.max);
        EXPECT_EQ(int(info.nPage), c.page);
        EXPECT_EQ(info.nPos, c.pos);
        EXPECT_EQ(list.TopIndex(), c.pos);
        EXPECT_EQ(VerticalState(list).nPos, GetScrollPos(list.Handle(), SB_VERT));
        EXPECT_EQ(list.ScrollStateOf(SB_VERT)->Visible(), c.barVisible);
        list.Free();
    }
}

TEST_F(ListBox, ScrollMessagesMoveTheTopRow)
{
    TListBox& list = List(100);
    list.Perform(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(list.TopIndex(), 1);
    list.Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(list.TopIndex(), 6);
    list.Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 50), 0);
    EXPECT_EQ(list.TopIndex(), 50);
    list.Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(list.TopIndex(), 95);
    // Setting the position from outside (a skinned bar) scrolls the list.
    SetScrollPos(list.Handle(), SB_VERT, 10, 1);
    EXPECT_EQ(list.TopIndex(), 10);
    list.SetFocus();
    InjectMouseWheel(-WHEEL_DELTA, list.ClientToScreen(Point(5, 5)));
    Pump();
    EXPECT_EQ(list.TopIndex(), 13);
}

TEST_F(ListBox, ThumbPositionsAbove65535AreKept)
{
    TListBox& list = List(0);
    for (int i = 0; i < 70010; ++i)
        list.Perform(LB_ADDSTRING, 0, ToLParam(""));
    list.Perform(WM_VSCROLL, SB_THUMBPOSITION | (WPARAM(70000) << 16), 0);
    EXPECT_EQ(list.TopIndex(), 70000);
    EXPECT_EQ(GetScrollPos(list.Handle(), SB_VERT), 70000);
}

TEST_F(ListBox, SelectionByMouseAndKeys)
{
    struct Case {
        const char* name;
        bool multi, extended;
        std::function<void(ListBox&, TListBox&)> act;
        std::vector<int> selected;
        int itemIndex;
    };
    const Case cases[] = {
        {"single: click", false, false, [](ListBox& t, TListBox& l) { t.ClickRow(l, 2); }, {2}, 2},
        {"single: down and end",
         false,
         false,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 1);
             Key(VK_DOWN);
             Key(VK_END);
         },
         {9},
         9},
        {"single: page down moves a page less one",
         false,
         false,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 0);
             Key(VK_NEXT);
         },
         {4},
         4},
        {"extended: shift+click selects the range",
         true,
         true,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 1);
             t.ClickRow(l, 3, {VK_SHIFT});
         },
         {1, 2, 3},
         3},
        {"extended: ctrl+click adds",
         true,
         true,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 1);
             t.ClickRow(l, 3, {VK_CONTROL});
         },
         {1, 3},
         3},
        {"extended: shift+down extends",
         true,
         true,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 2);
             Key(VK_DOWN, {VK_SHIFT});
             Key(VK_DOWN, {VK_SHIFT});
         },
         {2, 3, 4},
         4},
        {"extended: a plain click drops the rest",
         true,
         true,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 1);
             t.ClickRow(l, 3, {VK_SHIFT});
             t.ClickRow(l, 0);
         },
         {0},
         0},
        {"multiple: clicks toggle",
         true,
         false,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 1);
             t.ClickRow(l, 3);
             t.ClickRow(l, 1);
         },
         {3},
         1},
        {"multiple: arrows move only the caret, space toggles",
         true,
         false,
         [](ListBox& t, TListBox& l) {
             t.ClickRow(l, 0);
             Key(VK_DOWN);
             Key(VK_DOWN);
             Key(VK_SPACE);
         },
         {0, 2},
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TListBox& list = List(10);
        list.SetMultiSelect(c.multi);
        list.SetExtendedSelect(c.extended);
        Pump();
        c.act(*this, list);
        EXPECT_EQ(SelectedRows(list), c.selected);
        EXPECT_EQ(list.ItemIndex(), c.itemIndex);
        list.Free();
    }
}

TEST_F(ListBox, DraggingSelectsAndScrolls)
{
    TListBox& list = List(10);
    ClickAt(list, Point(5, 5), false);
    MoveTo(list, Point(5, 45));
    EXPECT_EQ(list.ItemIndex(), 2);
    MoveTo(list, Point(5, 150)); // below the box: the list follows one row at a time
    EXPECT_EQ(list.ItemIndex(), 5);
    EXPECT_EQ(list.TopIndex(), 1);
    Release(list, Point(5, 150));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ListBox, MultiColumnScrollsSideways)
{
    TListBox& list = List(23); // five rows a column: five columns of items
    list.SetClientWidth(120);
    list.SetColumns(2);
    EXPECT_EQ(list.ItemRect(7), Rect(60, 40, 120, 60));
    EXPECT_EQ(list.ItemAtPos(Point(70, 45), true), 7);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(list.Handle(), SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 4);
    EXPECT_EQ(int(info.nPage), 2);
    EXPECT_TRUE(list.ScrollStateOf(SB_HORZ)->Visible());
    list.Perform(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 2), 0);
    EXPECT_EQ(list.TopIndex(), 10);
    EXPECT_EQ(list.ItemRect(10), Rect(0, 0, 60, 20));
    list.Perform(WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(list.TopIndex(), 15); // the last two columns in view
    list.SetItemIndex(16);
    list.SetFocus();
    Key(VK_LEFT); // a column back: 11, which scrolls into view
    EXPECT_EQ(list.ItemIndex(), 11);
    EXPECT_EQ(list.TopIndex(), 10);
}

TEST_F(ListBox, ClickAndDoubleClickNotify)
{
    TListBox& list = List(5);
    std::vector<std::string> log;
    list.OnClick = [&log](TObject*) { log.push_back("click"); };
    list.OnDblClick = [&log](TObject*) { log.push_back("dblclick"); };
    list.SetItemIndex(1); // code selects silently
    ClickRow(list, 2);
    ClickRow(list, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"click", "click", "dblclick"}));
}

TEST_F(ListBox, OwnerDrawRowsAndStates)
{
    TListBox& list = List(3);
    struct Drawn {
        int index;
        TRect rect;
        bool selected, focused;
    };
    std::vector<Drawn> drawn;
    list.OnDrawItem = [&drawn](TWinControl*, int index, TRect rect, TOwnerDrawState state) {
        drawn.push_back({index, rect, state.Contains(odSelected), state.Contains(odFocused)});
    };
    list.SetFocus();
    list.SetItemIndex(1);
    list.Invalidate();
    Pump();
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[1].rect, Rect(0, 20, list.ClientWidth(), 40));
    EXPECT_TRUE(drawn[1].selected && drawn[1].focused);
    EXPECT_FALSE(drawn[0].selected || drawn[0].focused);
    list.SetItemHeight(0); // refused
    EXPECT_EQ(list.ItemHeight(), 20);
}

TEST_F(ListBox, VariableHeightsComeFromMeasureItem)
{
    TListBox& list = Place<TListBox>(Rect(10, 10, 130, 110));
    list.SetStyle(lbOwnerDrawVariable);
    list.OnMeasureItem = [](TWinControl*, int index, int& height) { height = 10 + 10 * index; };
    for (int i = 0; i < 4; ++i)
        list.Items()->Add("row");
    EXPECT_EQ(list.ItemRect(2), Rect(0, 30, list.ClientWidth(), 60));
    EXPECT_EQ(list.ItemAtPos(Point(3, 35), true), 2);
    EXPECT_EQ(list.Perform(LB_GETITEMHEIGHT, 3, 0), 40);
    list.SetTopIndex(1);
    EXPECT_EQ(list.ItemRect(2).Top, 20);
}

TEST_F(ListBox, IncrementalSearchByPrefix)
{
    TListBox& list = List(0, lbStandard);
    for (const char* s : {"apple", "Banana", "blueberry", "cherry", "bean"})
        list.Items()->Add(s);
    list.SetFocus();
    Pump();
    Type("b");
    EXPECT_EQ(list.ItemIndex(), 1);
    Type("l");
    EXPECT_EQ(list.ItemIndex(), 2);
    clock->Advance(TTypeAhead::kTimeoutMs + 1);
    Type("b");
    EXPECT_EQ(list.ItemIndex(), 4);
    Type("b"); // the same letter again: the next item it starts, wrapping
    EXPECT_EQ(list.ItemIndex(), 1);
    Key(VK_BACK);
    EXPECT_EQ(list.ItemIndex(), 1);
    clock->Advance(TTypeAhead::kTimeoutMs + 1);
    Type("CH");
    EXPECT_EQ(list.ItemIndex(), 3);
}

TEST_F(ListBox, ItemMessagesAndSorting)
{
    TListBox& list = List(0, lbStandard);
    std::vector<UINT> seen;
    list.WindowProc = [&seen, old = list.WindowProc](TMessage& m) {
        if (m.Msg >= LB_ADDSTRING && m.Msg <= LB_DELETESTRING)
            seen.push_back(m.Msg);
        old(m);
    };
    list.Items()->Add("b");
    list.Items()->Insert(0, "a");
    list.Items()->Delete(1);
    EXPECT_EQ(seen, (std::vector<UINT>{LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING}));
    list.Clear();
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig"})
        list.Items()->Add(s);
    EXPECT_EQ(list.Items()->Text(), "Apple\r\nfig\r\npear\r\n");
    EXPECT_EQ(list.Perform(LB_FINDSTRING, 1, ToLParam("a")), 0); // wraps
    EXPECT_EQ(list.Perform(LB_FINDSTRINGEXACT, WPARAM(-1), ToLParam("FIG")), 1);
    EXPECT_EQ(list.Perform(LB_FINDSTRING, WPARAM(-1), ToLParam("x")), LB_ERR);
    EXPECT_EQ(list.Perform(LB_GETTEXTLEN, 7, 0), LB_ERR);
    EXPECT_THROW(list.Items()->Strings(3), EListError);
}

} // namespace
} // namespace tovrel::test
