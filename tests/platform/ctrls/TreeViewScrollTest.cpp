#include "TreeViewTestSupport.h"

#include "platform/ctrls/TextMeasure.h"

#include <string>

namespace tovrel::test {
namespace {

using TreeViewScroll = TreeViewTest;

SCROLLINFO State(TTreeView& tree, int bar)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(tree.Handle(), bar, &info);
    return info;
}

WPARAM ThumbAt(int position)
{
    return WPARAM(SB_THUMBPOSITION) | (WPARAM(position) << 16);
}

TEST_F(TreeViewScroll, SidewaysInPixelsToTheWidestRow)
{
    TTreeView& tree = SmallTree();
    EXPECT_FALSE(tree.ScrollStateOf(SB_HORZ)->Visible());
    TTreeNode* deep = tree.Items()->AddChild(Node(tree, 1), "a caption much wider than the tree");
    Node(tree, 1)->Expand(false);
    // Level 2 begins at 57; the caption's rectangle has 4 pixels of margin.
    const int width = 57 + TTextMeasure(*tree.Font()).Width(deep->Text()) + 4;
    const SCROLLINFO wide = State(tree, SB_HORZ);
    EXPECT_EQ(wide.nMax, width - 1);
    EXPECT_EQ(int(wide.nPage), tree.ClientWidth());
    EXPECT_TRUE(tree.ScrollStateOf(SB_HORZ)->Visible());

    // The thumb, then past the end: rows, buttons and hit tests move along.
    const int buttonMiddle = Middle(tree, Node(tree, 0));
    tree.Perform(WM_HSCROLL, ThumbAt(5), 0);
    EXPECT_EQ(GetScrollPos(tree.Handle(), SB_HORZ), 5);
    EXPECT_EQ(tree.NodeRect(deep, true).Left, 57 - 5);
    UINT where = 0;
    EXPECT_EQ(tree.HitTest(Point(10 - 5, buttonMiddle), where), Node(tree, 0));
    EXPECT_EQ(where, UINT(TVHT_ONITEMBUTTON));
    tree.Perform(WM_HSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(tree.Handle(), SB_HORZ), width - tree.ClientWidth());

    // Without the wide row nothing is left to scroll.
    deep->Delete();
    EXPECT_EQ(GetScrollPos(tree.Handle(), SB_HORZ), 0);
    EXPECT_FALSE(tree.ScrollStateOf(SB_HORZ)->Visible());
}

TEST_F(TreeViewScroll, ThumbPositionsBeyondSixteenBits)
{
    TTreeView& tree = Place<TTreeView>(Rect(10, 10, 210, 150));
    constexpr int rows = 70000;
    tree.Items()->BeginUpdate();
    for (int i = 0; i < rows; ++i)
        tree.Items()->AddChild(nullptr, std::to_string(i));
    tree.Items()->EndUpdate();
    const int last = rows - tree.VisibleCount();
    tree.Perform(WM_VSCROLL, ThumbAt(last), 0);
    EXPECT_EQ(GetScrollPos(tree.Handle(), SB_VERT), last);
    EXPECT_EQ(tree.TopItem()->Text(), std::to_string(last));
}

} // namespace
} // namespace tovrel::test
