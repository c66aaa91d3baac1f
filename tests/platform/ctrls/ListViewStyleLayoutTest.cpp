#include "ListViewStyleTestSupport.h"

#include "platform/ctrls/ListViewLayout.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Paint.h"

#include <climits>

namespace tovrel::test {
namespace {

TEST(ListViewLayout, CellsRowsFirstAndColumnsFirst)
{
    const TListViewLayout grid(false, 7, TSize{10, 20}, 3), list(true, 7, TSize{10, 20}, 3);
    struct Case {
        const TListViewLayout& layout;
        int index;
        TRect cell;
    };
    const Case cells[] = {
        {grid, 0, Rect(0, 0, 10, 20)},  {grid, 2, Rect(20, 0, 30, 20)}, {grid, 3, Rect(0, 20, 10, 40)},
        {grid, 6, Rect(0, 40, 10, 60)}, {list, 2, Rect(0, 40, 10, 60)}, {list, 3, Rect(10, 0, 20, 20)},
        {list, 6, Rect(20, 0, 30, 20)},
    };
    for (const Case& c : cells) {
        EXPECT_EQ(c.layout.CellRect(c.index), c.cell) << c.index;
        const TPoint inside = Point(c.cell.Left + 5, c.cell.Top + 19);
        EXPECT_EQ(c.layout.IndexAt(inside), c.index) << c.index;
    }
    EXPECT_EQ(grid.Extent(), (TSize{30, 60}));
    EXPECT_EQ(list.Extent(), (TSize{30, 60}));
    // Past the last item, beyond a line's cells, and before the origin.
    for (TPoint p : {Point(15, 45), Point(35, 5), Point(-1, 5)})
        EXPECT_EQ(grid.IndexAt(p), -1) << p.X << "," << p.Y;
    EXPECT_EQ(list.IndexAt(Point(25, 25)), -1);
    // Whole lines meeting an area: the second row of the grid, the last column of the list.
    EXPECT_EQ(grid.IndexesIn(Rect(0, 25, 30, 39)), std::make_pair(3, 5));
    EXPECT_EQ(list.IndexesIn(Rect(25, 0, 40, 60)), std::make_pair(6, 6));
    EXPECT_GT(grid.IndexesIn(Rect(0, 60, 30, 80)).first, grid.IndexesIn(Rect(0, 60, 30, 80)).second);
    // Neighbours stay inside the items.
    struct Step {
        const TListViewLayout& layout;
        int from, dx, dy, to;
    };
    const Step steps[] = {
        {grid, 4, 0, 1, 6}, {grid, 6, 0, 1, 6},  {grid, 1, 0, -1, 1}, {grid, 3, -1, 0, 2},
        {grid, 6, 1, 0, 6}, {grid, 0, -1, 0, 0}, {grid, 1, 0, 30, 6}, {list, 4, 1, 0, 6},
        {list, 6, 1, 0, 6}, {list, 1, -1, 0, 1}, {list, 3, 0, -1, 2}, {list, 4, 0, -1, 3},
    };
    for (const Step& s : steps)
        EXPECT_EQ(s.layout.Neighbour(s.from, s.dx, s.dy), s.to) << s.from << " by " << s.dx << "," << s.dy;
    // Absurd counts saturate instead of wrapping.
    const TListViewLayout huge(false, INT_MAX, TSize{1000, 1000}, 1);
    EXPECT_EQ(huge.CellRect(INT_MAX - 1).Bottom, INT_MAX);
    EXPECT_EQ(TListViewLayout().IndexAt(Point(0, 0)), -1);
}

// For each style: where every item sits, and what points hit.
TEST_F(ListViewStyleTest, ItemsArrangedAndHitPerStyle)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon, vsList}) {
        TListView& view = View(style, 10);
        const TRect first = ItemRect(view, 0);
        const int perLine = style == vsList ? view.ClientHeight() / first.Height() : view.ClientWidth() / first.Width();
        ASSERT_GT(perLine, 1) << int(style);
        if (style == vsIcon)
            EXPECT_EQ(first.Width(), 32 + 44);
        else
            EXPECT_EQ(first.Height(), view.RowHeight());
        for (int i = 0; i < 10; ++i) {
            const int line = i / perLine, place = i % perLine;
            const TPoint cell = style == vsList ? Point(line, place) : Point(place, line);
            EXPECT_EQ(ItemRect(view, i),
                      Bounds(cell.X * first.Width(), cell.Y * first.Height(), first.Width(), first.Height()))
                << int(style) << " item " << i;
            // The icon and the caption of an item in view hit it; the flags say which.
            if (ItemRect(view, i).Bottom > view.ClientHeight())
                continue;
            for (auto [part, flag] : {std::pair{LVIR_ICON, LVHT_ONITEMICON}, std::pair{LVIR_LABEL, LVHT_ONITEMLABEL}}) {
                const TRect r = ItemRect(view, i, part);
                LVHITTESTINFO info;
                info.pt = Point(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
                EXPECT_EQ(view.Perform(LVM_HITTEST, 0, ToLParam(&info)), i) << int(style) << " item " << i;
                EXPECT_EQ(info.flags, flag) << int(style) << " item " << i;
                EXPECT_EQ(view.GetItemAt(info.pt.X, info.pt.Y), view.Items()->Item(i));
            }
        }
        // Beside the large icon, and past the last item, nothing is hit.
        const TRect icon = ItemRect(view, 0, LVIR_ICON);
        LVHITTESTINFO beside;
        beside.pt = style == vsIcon ? Point(icon.Left - 3, icon.Top + 3) : Point(first.Left, view.ClientHeight() - 1);
        if (style == vsList)
            beside.pt = Point(ItemRect(view, 9).Left + 3, ItemRect(view, 9).Bottom + 1);
        EXPECT_EQ(view.Perform(LVM_HITTEST, 0, ToLParam(&beside)), -1) << int(style);
        EXPECT_EQ(beside.flags, LVHT_NOWHERE) << int(style);
        EXPECT_FALSE(IsWindowVisible(view.HeaderHandle())) << int(style);
        delete &view;
    }
}

TEST_F(ListViewStyleTest, LongCaptionsStayInTheirCell)
{
    TListView& view = View(vsList, 3, 120);
    view.Items()->Item(1)->SetCaption(std::string(200, 'w'));
    // One column always fits the client area.
    EXPECT_EQ(ItemRect(view, 0).Width(), view.ClientWidth());
    const TRect label = ItemRect(view, 1, LVIR_LABEL);
    EXPECT_LE(label.Right, view.ClientWidth());
}

TEST_F(ListViewStyleTest, CellsFollowTheFont)
{
    TListView& view = View(vsList, 3);
    const TRect before = ItemRect(view, 0);
    view.Font()->SetHeight(-30);
    Pump();
    EXPECT_GT(ItemRect(view, 0).Width(), before.Width());
    EXPECT_GT(ItemRect(view, 1).Top, before.Bottom);
}

TEST_F(ListViewStyleTest, HeaderOnlyInReportWithColumnHeaders)
{
    TListView& view = View(vsReport, 3);
    EXPECT_TRUE(IsWindowVisible(view.HeaderHandle()));
    view.SetViewStyle(vsSmallIcon);
    EXPECT_FALSE(IsWindowVisible(view.HeaderHandle()));
    EXPECT_EQ(ItemRect(view, 0).Top, 0);
    EXPECT_EQ(GetWindowLong(view.Handle(), GWL_STYLE) & LVS_TYPEMASK, LONG_PTR(LVS_SMALLICON));
    view.SetShowColumnHeaders(false);
    view.SetViewStyle(vsReport);
    EXPECT_FALSE(IsWindowVisible(view.HeaderHandle()));
    EXPECT_EQ(ItemRect(view, 0).Top, 0);
    view.SetShowColumnHeaders(true);
    EXPECT_TRUE(IsWindowVisible(view.HeaderHandle()));
    EXPECT_GT(ItemRect(view, 0).Top, 0);
}

// The image, and the selection behind the caption, are drawn in every style.
TEST_F(ListViewStyleTest, PaintsImagesAndSelection)
{
    struct Case {
        TViewStyle style;
        COLORREF image;
    };
    for (const Case& c :
         {Case{vsIcon, RGB(255, 0, 0)}, Case{vsSmallIcon, RGB(0, 255, 0)}, Case{vsList, RGB(0, 255, 0)}}) {
        TListView& view = View(c.style, 4);
        view.HideSelection = false;
        view.Items()->Item(2)->SetSelected(true);
        Pump();
        const TRect icon = ItemRect(view, 2, LVIR_ICON), label = ItemRect(view, 2, LVIR_LABEL);
        HDC dc = GetDC(view.Handle());
        EXPECT_EQ(GetPixel(dc, icon.Left + icon.Width() / 2, icon.Top + icon.Height() / 2), c.image) << c.style;
        const int x = c.style == vsIcon ? label.Left + label.Width() / 2 : label.Left + 1;
        EXPECT_EQ(GetPixel(dc, x, label.Top + 1), GetSysColor(COLOR_BTNFACE)) << c.style;
        // An unselected item's caption has no highlight.
        const TRect other = ItemRect(view, 1, LVIR_LABEL);
        EXPECT_EQ(GetPixel(dc, other.Left + 1, other.Top + 1), GetSysColor(COLOR_WINDOW)) << c.style;
        ReleaseDC(view.Handle(), dc);
        delete &view;
    }
}

} // namespace
} // namespace tovrel::test
