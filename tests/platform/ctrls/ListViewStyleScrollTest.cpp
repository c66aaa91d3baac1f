#include "ListViewStyleTestSupport.h"

#include "platform/wm/Keys.h"

#include <algorithm>

namespace tovrel::test {
namespace {

struct Step {
    UINT message;
    WPARAM w;
    LPARAM l;
    int pos; // expected, as a formula's result
};

// The scroll state the skinned list view mirrors: pixels of the arranged area.
TEST_F(ListViewStyleTest, IconViewsScrollInPixels)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon}) {
        TListView& view = View(style, 40);
        const TRect cell = ItemRect(view, 0);
        const int across = view.ClientWidth() / cell.Width();
        const int height = (40 + across - 1) / across * cell.Height(), page = view.ClientHeight();
        SCROLLINFO v = Scroll(view, SB_VERT), h = Scroll(view, SB_HORZ);
        EXPECT_EQ(v.nMax, height - 1) << int(style);
        EXPECT_EQ(int(v.nPage), page) << int(style);
        EXPECT_TRUE(view.ScrollStateOf(SB_VERT)->Visible());
        EXPECT_EQ(h.nMax, across * cell.Width() - 1) << int(style);
        EXPECT_EQ(int(h.nPage), across * cell.Width());
        EXPECT_FALSE(view.ScrollStateOf(SB_HORZ)->Visible());
        EXPECT_EQ(view.Perform(LVM_GETCOUNTPERPAGE, 0, 0), across * (page / cell.Height())) << int(style);
        const int line = cell.Height() / 2, last = height - page;
        const Step steps[] = {
            {LVM_SCROLL, 0, 25, 25},
            {LVM_SCROLL, 0, -5, 20},
            {WM_VSCROLL, SB_LINEDOWN, 0, 20 + line},
            {WM_VSCROLL, SB_LINEUP, 0, 20},
            {WM_VSCROLL, SB_PAGEDOWN, 0, std::min(20 + page, last)},
            {WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7), 0, 7},
            {LVM_SCROLL, 0, 1000000, last},
            {WM_VSCROLL, SB_TOP, 0, 0},
            {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0, 3 * line},
        };
        for (const Step& s : steps) {
            view.Perform(s.message, s.w, s.l);
            EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), s.pos) << int(style) << " message " << s.message;
            EXPECT_EQ(ItemRect(view, 0).Top, -s.pos) << int(style);
        }
        EXPECT_EQ(view.Perform(LVM_GETTOPINDEX, 0, 0), 0);
        // A bar moved from outside scrolls the items too.
        SetScrollPos(view.Handle(), SB_VERT, 30, 1);
        EXPECT_EQ(ItemRect(view, 0).Top, -30);
        delete &view;
    }
}

TEST_F(ListViewStyleTest, IconViewThumbPositionsAbove16Bits)
{
    TListView& view = View(vsIcon, 0);
    view.SetOwnerData(true);
    int fetched = 0;
    view.OnData = [&fetched](TObject*, TListItem* item) {
        ++fetched;
        item->SetCaption("row " + std::to_string(item->Index()));
    };
    view.Items()->SetCount(20000);
    EXPECT_GT(Scroll(view, SB_VERT).nMax, 100000);
    view.Perform(WM_VSCROLL, (WPARAM(100000) << 16) | SB_THUMBPOSITION, 0);
    EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), 100000);
    fetched = 0;
    view.Invalidate();
    Pump();
    EXPECT_GT(fetched, 0);
    EXPECT_LE(fetched, 3 * view.Perform(LVM_GETCOUNTPERPAGE, 0, 0)); // only the cells in view
}

// The list view scrolls sideways in whole columns; it has no vertical scroll state.
TEST_F(ListViewStyleTest, ListViewScrollsByColumns)
{
    TListView& view = View(vsList, 60);
    const TRect cell = ItemRect(view, 0);
    const int rows = view.ClientHeight() / view.RowHeight(), columns = (60 + rows - 1) / rows;
    const int whole = view.ClientWidth() / cell.Width();
    ASSERT_GT(columns, whole + 2);
    const SCROLLINFO h = Scroll(view, SB_HORZ), v = Scroll(view, SB_VERT);
    EXPECT_EQ(h.nMin, 0);
    EXPECT_EQ(h.nMax, columns - 1);
    EXPECT_EQ(int(h.nPage), whole);
    EXPECT_TRUE(view.ScrollStateOf(SB_HORZ)->Visible());
    EXPECT_EQ(v.nMax, 0);
    EXPECT_FALSE(view.ScrollStateOf(SB_VERT)->Visible());
    EXPECT_EQ(view.Perform(LVM_GETCOUNTPERPAGE, 0, 0), rows * whole);
    const Step steps[] = {
        {WM_HSCROLL, SB_LINERIGHT, 0, 1},
        {WM_HSCROLL, SB_LINELEFT, 0, 0},
        {WM_HSCROLL, SB_PAGERIGHT, 0, whole},
        {LVM_SCROLL, WPARAM(cell.Width() / 3), 0, whole + 1},      // any distance moves a column
        {LVM_SCROLL, WPARAM(-cell.Width() * 8 / 5), 0, whole - 1}, // rounded to columns
        {WM_VSCROLL, SB_LINEDOWN, 0, whole - 1},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0, whole},
        {WM_HSCROLL, (WPARAM(70000) << 16) | SB_THUMBPOSITION, 0, columns - whole},
        {LVM_SCROLL, 0, 500, columns - whole},
    };
    for (const Step& s : steps) {
        view.Perform(s.message, s.w, s.l);
        EXPECT_EQ(GetScrollPos(view.Handle(), SB_HORZ), s.pos) << "message " << s.message;
        EXPECT_EQ(ItemRect(view, 0).Left, -s.pos * cell.Width());
        EXPECT_EQ(view.Perform(LVM_GETTOPINDEX, 0, 0), s.pos * rows);
    }
}

// Moving the focus with the keys brings its item into view.
TEST_F(ListViewStyleTest, FocusedItemKeptInView)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon, vsList}) {
        TListView& view = View(style, 60);
        view.SetFocus();
        view.SetSelected(view.Items()->Item(0));
        for (WORD key : {VK_END, VK_HOME, VK_NEXT, VK_END}) {
            Key(key);
            const TRect r = ItemRect(view, Focused(view));
            EXPECT_TRUE(r.Left >= 0 && r.Top >= 0 && r.Right <= view.ClientWidth() && r.Bottom <= view.ClientHeight())
                << int(style) << " key " << key << " item " << Focused(view);
        }
        EXPECT_EQ(Focused(view), 59);
        const int bar = style == vsList ? SB_HORZ : SB_VERT;
        const SCROLLINFO info = Scroll(view, bar);
        EXPECT_EQ(info.nPos, info.nMax - int(info.nPage) + 1) << int(style);
        delete &view;
    }
}

} // namespace
} // namespace tovrel::test
