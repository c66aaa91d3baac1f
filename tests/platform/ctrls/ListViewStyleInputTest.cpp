#include "ListViewStyleTestSupport.h"

#include "platform/ctrls/TypeAhead.h"
#include "platform/vcl/ImageListHandles.h"
#include "platform/wm/Keys.h"

#include <vector>

namespace tovrel::test {
namespace {

// Cells across a row (grids) or down a column (list).
int PerLine(TListView& view)
{
    RECT r{};
    view.Perform(LVM_GETITEMRECT, 0, ToLParam(&r));
    return view.ViewStyle() == vsList ? view.ClientHeight() / r.Height() : view.ClientWidth() / r.Width();
}

TEST_F(ListViewStyleTest, ArrowsMoveByCellPerStyle)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon, vsList}) {
        TListView& view = View(style, 20);
        view.SetFocus();
        const int p = PerLine(view);
        // In the grids the arrows go across then down; in the list down then across.
        const int right = style == vsList ? p : 1, down = style == vsList ? 1 : p;
        struct Case {
            int from;
            WORD key;
            int to;
        };
        const Case cases[] = {
            {0, VK_RIGHT, right},
            {right, VK_LEFT, 0},
            {0, VK_DOWN, down},
            {down, VK_UP, 0},
            {0, VK_LEFT, 0},
            {0, VK_UP, 0},
            {19, VK_DOWN, 19},
            {19, VK_RIGHT, 19},
            {5, VK_HOME, 0},
            {5, VK_END, 19},
            // Up or left from the first line stays; a page up from the second keeps the place.
            {right + down, VK_PRIOR, 1},
            {1, WORD(style == vsList ? VK_LEFT : VK_UP), 1},
        };
        for (const Case& c : cases) {
            view.SetSelected(view.Items()->Item(c.from));
            Key(c.key);
            EXPECT_EQ(Focused(view), c.to) << int(style) << " from " << c.from << " key " << c.key;
            EXPECT_EQ(SelectedIndexes(view), std::vector<int>{c.to});
        }
        delete &view;
    }
}

TEST_F(ListViewStyleTest, SwitchingKeepsItemsSelectionAndFocus)
{
    TListView& view = View(vsReport, 40);
    view.SetMultiSelect(true);
    view.Items()->Item(2)->SetSelected(true);
    view.Items()->Item(30)->SetSelected(true);
    view.Items()->Item(30)->SetFocused(true);
    view.Perform(LVM_SCROLL, 0, view.RowHeight() * 10);
    ASSERT_GT(GetScrollPos(view.Handle(), SB_VERT), 0);
    for (TViewStyle style : {vsIcon, vsList, vsSmallIcon, vsReport, vsList}) {
        view.SetViewStyle(style);
        EXPECT_EQ(view.ViewStyle(), style);
        EXPECT_EQ(view.Items()->Count(), 40);
        EXPECT_EQ(SelectedIndexes(view), (std::vector<int>{2, 30})) << int(style);
        EXPECT_EQ(Focused(view), 30) << int(style);
        EXPECT_EQ(GetScrollPos(view.Handle(), SB_VERT), 0) << int(style);
        EXPECT_EQ(GetScrollPos(view.Handle(), SB_HORZ), 0) << int(style);
        EXPECT_EQ(ItemRect(view, 0).Left, 0) << int(style);
        // Something to reset at the next switch.
        view.Perform(style == vsList ? WM_HSCROLL : WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

TEST_F(ListViewStyleTest, MouseSelectsInEveryStyle)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon, vsList}) {
        TListView& view = View(style, 8);
        view.SetMultiSelect(true);
        const auto labelPoint = [&view](int index) {
            const TRect r = ItemRect(view, index, LVIR_LABEL);
            return Point(r.Left + 4, r.Top + 4);
        };
        ClickAt(view, labelPoint(1));
        EXPECT_EQ(SelectedIndexes(view), std::vector<int>{1}) << int(style);
        InjectKey(VK_SHIFT, true);
        ClickAt(view, labelPoint(4));
        InjectKey(VK_SHIFT, false);
        EXPECT_EQ(SelectedIndexes(view), (std::vector<int>{1, 2, 3, 4})) << int(style);
        InjectKey(VK_CONTROL, true);
        const TRect icon = ItemRect(view, 2, LVIR_ICON);
        ClickAt(view, Point(icon.Left + 2, icon.Top + 2));
        InjectKey(VK_CONTROL, false);
        EXPECT_EQ(SelectedIndexes(view), (std::vector<int>{1, 3, 4})) << int(style);
        EXPECT_EQ(Focused(view), 2);
        // A click where there is no item clears the selection.
        ClickAt(view, Point(view.ClientWidth() - 2, view.ClientHeight() - 2));
        EXPECT_EQ(SelectedIndexes(view), std::vector<int>{}) << int(style);
        delete &view;
    }
}

TEST_F(ListViewStyleTest, CaptionsEditedInPlaceInEveryStyle)
{
    for (TViewStyle style : {vsIcon, vsSmallIcon, vsList}) {
        TListView& view = View(style, 8);
        ASSERT_NE(view.Perform(LVM_EDITLABELW, 3, 0), 0) << int(style);
        const TRect label = ItemRect(view, 3, LVIR_LABEL);
        const TCustomEdit& editor = *view.EditControl();
        EXPECT_EQ(editor.Left(), label.Left) << int(style);
        EXPECT_GE(editor.Top(), label.Top - 1) << int(style);
        EXPECT_LE(editor.Top() + editor.Height(), label.Bottom + 1) << int(style);
        Type("renamed");
        Key(VK_RETURN);
        EXPECT_EQ(view.Items()->Item(3)->Caption(), "renamed") << int(style);
        delete &view;
    }
}

TEST_F(ListViewStyleTest, ImageListsByHandle)
{
    TListView& view = View(vsIcon, 2);
    TCustomImageList* large = view.LargeImages();
    TCustomImageList* small = view.SmallImages();
    TImageList& other = OneColourImages(48, clBlue);
    const auto handle = [](TCustomImageList* list) { return reinterpret_cast<LRESULT>(ImageListHandle(list)); };
    EXPECT_EQ(view.Perform(LVM_GETIMAGELIST, LVSIL_NORMAL, 0), handle(large));
    EXPECT_EQ(view.Perform(LVM_GETIMAGELIST, LVSIL_SMALL, 0), handle(small));
    EXPECT_EQ(view.Perform(LVM_GETIMAGELIST, LVSIL_STATE, 0), 0);
    // Setting answers the list it replaces.
    EXPECT_EQ(view.Perform(LVM_SETIMAGELIST, LVSIL_NORMAL, handle(&other)), handle(large));
    EXPECT_EQ(view.LargeImages(), &other);
    EXPECT_EQ(ItemRect(view, 0, LVIR_ICON).Width(), 48); // the cells follow the images
    EXPECT_EQ(view.Perform(LVM_SETIMAGELIST, LVSIL_SMALL, 0), handle(small));
    EXPECT_EQ(view.SmallImages(), nullptr);
    // A freed list's handle is unknown: refused, nothing changes.
    const LRESULT freed = handle(small);
    delete small;
    EXPECT_EQ(ImageListFromHandle(reinterpret_cast<HIMAGELIST>(freed)), nullptr);
    EXPECT_EQ(view.Perform(LVM_SETIMAGELIST, LVSIL_NORMAL, freed), 0);
    EXPECT_EQ(view.LargeImages(), &other);
    // Freeing a list in use clears it.
    delete &other;
    EXPECT_EQ(view.LargeImages(), nullptr);
    EXPECT_EQ(view.Perform(LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
    EXPECT_EQ(ItemRect(view, 0, LVIR_ICON).Width(), 32);
}

// A subclass fills owner-data rows itself, as the shell's file list does.
class TNumberedListView : public TListView {
public:
    using TListView::TListView;
    bool OwnerDataFetch(TListItem* item, TItemRequests request) override
    {
        if (request.Contains(irText))
            item->SetCaption(Name(item->Index()));
        return true;
    }
    // Type-ahead asks here rather than fetching rows.
    int OwnerDataFind(TItemFind, const std::string& text, TPoint, void*, int start, TSearchDirection, bool) override
    {
        const int count = Items()->Count();
        for (int n = 0; n < count; ++n)
            if (Name((start + n) % count).starts_with(text))
                return (start + n) % count;
        return -1;
    }

private:
    static std::string Name(int index) { return "file " + std::to_string(index); }
};

TEST_F(ListViewStyleTest, OwnerDataRowsFetchedBySubclassInEveryStyle)
{
    TNumberedListView& view = Place<TNumberedListView>(Rect(10, 10, 250, 170));
    view.Columns()->Add()->SetWidth(100);
    view.SetOwnerData(true);
    view.Items()->SetCount(500);
    for (TViewStyle style : {vsList, vsIcon, vsSmallIcon, vsReport}) {
        view.SetViewStyle(style);
        view.SetFocus();
        view.SetSelected(view.Items()->Item(0));
        Type("file 42");
        ASSERT_NE(view.Selected(), nullptr) << int(style);
        EXPECT_EQ(view.Selected()->Caption(), "file 42") << int(style);
        const TRect r = ItemRect(view, 42, LVIR_LABEL);
        EXPECT_EQ(view.GetItemAt(r.Left + 2, r.Top + 2), view.Selected()) << int(style);
        clock->Advance(TTypeAhead::kTimeoutMs + 1); // a fresh search next time
    }
}

TEST_F(ListViewStyleTest, ColumnClickDecidesWhetherSectionsReport)
{
    TListView& view = View(vsReport, 2);
    std::vector<std::string> clicked;
    view.OnColumnClick = [&clicked](TObject*, TListColumn* column) { clicked.push_back(column->Caption()); };
    for (bool columnClick : {false, true}) {
        view.SetColumnClick(columnClick);
        ClickAt(view, Point(10, 5));
    }
    EXPECT_EQ(clicked, std::vector<std::string>{"Name"});
}

TEST_F(ListViewStyleTest, AutoArrangeRearrangesOnResize)
{
    for (bool autoArrange : {false, true}) {
        TListView& view = View(vsIcon, 10);
        view.IconOptions.AutoArrange = autoArrange;
        const int before = PerLine(view);
        view.SetBounds(view.Left(), view.Top(), view.Width() + 3 * ItemRect(view, 0).Width(), view.Height());
        Pump();
        const TRect second = ItemRect(view, before);
        // Without AutoArrange the item that began the second row stays there.
        EXPECT_EQ(second.Top > 0, !autoArrange) << autoArrange;
        EXPECT_EQ(second.Left > 0, autoArrange) << autoArrange;
        delete &view;
    }
    // Cells first placed while the control was too narrow for one are placed again.
    TListView& narrow = View(vsIcon, 10, 20);
    EXPECT_EQ(PerLine(narrow), 0);
    narrow.SetBounds(narrow.Left(), narrow.Top(), 240, narrow.Height());
    EXPECT_EQ(ItemRect(narrow, 1).Top, 0);
}

} // namespace
} // namespace tovrel::test
