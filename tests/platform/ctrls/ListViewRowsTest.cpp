// List view rows as the main window's file list uses them: ItemIndex, moving
// a row inside one update, an edit placed over a row, making a row visible,
// refusing a change.
#include "CtrlsTestSupport.h"

#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListView.h"
#include "platform/vcl/Errors.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class ListViewRows : public CtrlsTest {
protected:
    // The file list's shape: 25 columns, the first eight with widths, the
    // rest 0 wide with max width 1; `rows` rows of a caption and 24 sub-items.
    TListView& FileList(int rows, int height = 150)
    {
        TListView& view = Place<TListView>(Rect(10, 10, 380, height));
        view.SetRowSelect(true);
        view.SetGridLines(true);
        view.ReadOnly = true;
        const int widths[] = {80, 70, 70, 80, 70, 0, 80, 80};
        for (int c = 0; c < 25; ++c) {
            TListColumn* column = view.Columns()->Add();
            column->SetWidth(c < 8 ? widths[c] : 0);
            if (c >= 8)
                column->SetMaxWidth(1);
        }
        for (int row = 0; row < rows; ++row) {
            TListItem* item = view.Items()->Add();
            item->SetCaption("file " + std::to_string(row));
            for (int s = 0; s < 24; ++s)
                item->SubItems()->Add(std::to_string(s) + "/" + std::to_string(row));
        }
        Pump();
        return view;
    }
    void Log(TListView& view)
    {
        view.OnSelectItem = [this](TObject*, TListItem* item, bool selected) {
            log.push_back("select " + std::to_string(item->Index()) + (selected ? " on" : " off"));
        };
        view.WindowProc = [this, old = view.WindowProc](TMessage& m) {
            if (m.Msg == WM_PAINT)
                ++paints;
            old(m);
        };
    }
    static void CopyRow(TListItem& to, TListItem& from)
    {
        to.SetCaption(from.Caption());
        to.SubItems()->Assign(from.SubItems());
    }
    static int VerticalMax(TListView& view)
    {
        SCROLLINFO info;
        info.fMask = SIF_RANGE;
        GetScrollInfo(view.Handle(), SB_VERT, &info);
        return info.nMax;
    }

    std::vector<std::string> log;
    int paints = 0;
};

TEST_F(ListViewRows, MoveUpInsideOneUpdate)
{
    TListView& view = FileList(3);
    view.SetItemIndex(1);
    Log(view);
    Pump();
    paints = 0;
    // The main window's move up: through a temporary row, inside one update.
    TListItems& items = *view.Items();
    items.BeginUpdate();
    TListItem& temp = *items.Add();
    EXPECT_EQ(VerticalMax(view), 2) << "the scroll state waits for the end";
    CopyRow(temp, *items[1]);
    CopyRow(*items[1], *items[0]);
    CopyRow(*items[0], temp);
    items.Delete(3);
    Pump();
    EXPECT_EQ(paints, 0);
    items.EndUpdate();
    Pump();
    EXPECT_EQ(paints, 1);
    EXPECT_TRUE(log.empty()) << "writing texts selects nothing";
    EXPECT_EQ(view.ItemIndex(), 1) << "the selection stays on its row";
    EXPECT_EQ(items[0]->Caption(), "file 1");
    EXPECT_EQ(items[1]->SubItems()->Strings(23), "23/0");
    view.SetItemIndex(0);
    EXPECT_EQ(log, (std::vector<std::string>{"select 1 off", "select 0 on"}));
    EXPECT_EQ(view.ItemIndex(), 0);
    EXPECT_EQ(view.Selected(), items[0]);
    view.SetItemIndex(-1);
    EXPECT_EQ(view.ItemIndex(), -1);
    EXPECT_THROW(view.SetItemIndex(3), EListError);
    // Nested updates repaint once, at the outer end.
    Pump();
    paints = 0;
    items.BeginUpdate();
    items.BeginUpdate();
    items.Add()->SetCaption("file 3");
    items.EndUpdate();
    Pump();
    EXPECT_EQ(paints, 0);
    items.EndUpdate();
    Pump();
    EXPECT_EQ(paints, 1);
    EXPECT_EQ(VerticalMax(view), 3);
}

TEST_F(ListViewRows, RenameEditPlacedAtARowsTop)
{
    TListView& view = FileList(12, 120);
    TEdit& edt = *new TEdit(form.get());
    edt.SetParent(&view);
    const auto place = [&](int row) {
        TListItem& item = *view.Items()->Item(row);
        const auto width = [&](int c) { return view.Columns()->Items(c)->Width(); };
        // Over the output-name cell, as the main window computes it.
        edt.SetBounds(width(0) + view.Left() + width(1) + width(2) + 2, item.Top(), width(3), view.RowHeight());
        return edt.BoundsRect();
    };
    const int header = view.Items()->Item(0)->Top();
    const int row = view.RowHeight();
    EXPECT_GT(header, 0) << "the first row starts below the header";
    EXPECT_EQ(place(2), Rect(232, header + 2 * row, 312, header + 3 * row));
    view.Perform(LVM_SCROLL, 0, 3 * row);
    EXPECT_EQ(place(4), Rect(232, header + row, 312, header + 2 * row));
    const TRect bounds = view.Items()->Item(4)->DisplayRect(drBounds);
    EXPECT_EQ(bounds.Top, view.Items()->Item(4)->Top());
    EXPECT_EQ(bounds.Left, view.Items()->Item(4)->Left());
    EXPECT_EQ(bounds.Bottom - bounds.Top, row);
}

TEST_F(ListViewRows, MakeVisibleLeavesAPartlyShownRowWhenAllowed)
{
    TListView& view = FileList(30, 150);
    const int rows = view.VisibleRowCount();
    TListItem& partly = *view.Items()->Item(rows); // cut by the bottom edge
    ASSERT_LT(partly.Top(), view.ClientHeight());
    partly.MakeVisible(true);
    EXPECT_EQ(view.TopItem()->Index(), 0);
    partly.MakeVisible(false);
    EXPECT_EQ(view.TopItem()->Index(), 1);
    view.Items()->Item(20)->MakeVisible(true); // out of view: scrolled to either way
    EXPECT_EQ(view.TopItem()->Index(), 20 - rows + 1);
}

TEST_F(ListViewRows, OnChangingCanRefuse)
{
    TListView& view = FileList(3);
    std::vector<std::string> asked;
    view.OnChanging = [&asked](TObject*, TListItem* item, TItemChange change, bool& allow) {
        asked.push_back(item->Caption() + (change == ctState ? " state" : ""));
        allow = item->Index() != 2;
    };
    view.SetItemIndex(1);
    view.SetItemIndex(2);
    EXPECT_EQ(view.ItemIndex(), -1) << "row 1 let go, row 2 refused";
    EXPECT_EQ(asked, (std::vector<std::string>{"file 1 state", "file 1 state", "file 2 state"}));
}

} // namespace
} // namespace tovrel::test
