#include "skin/controls/SkinTreeView.h"
#include "SkinViewTestSupport.h"
#include "platform/ctrls/ScrollState.h"
#include "platform/wm/Input.h"
#include "skin/data/SkinViewEntries.h"

#include <string>

namespace tovrel::test {

namespace {

// A tree at (10, 10), 200 x 150, with a vertical bar beside it and a
// horizontal bar under it.
class SkinTreeViewTest : public SkinViewTest<TskSkinTreeView> {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        PlaceViewAndBars(200, 150);
        AttachBars();
    }
    void AddTopNodes(int count)
    {
        for (int i = 0; i < count; ++i)
            tree->Items()->Add(nullptr, "node " + std::to_string(i));
    }
    // The nodes shown, in order.
    std::vector<TTreeNode*> ShownRows() const
    {
        std::vector<TTreeNode*> rows;
        for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext())
            if (n->IsVisible())
                rows.push_back(n);
        return rows;
    }
    int TopRow() const
    {
        const auto rows = ShownRows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == tree->TopItem())
                return int(i);
        return -1;
    }
    // The bar shows exactly the rows of the tree and where it stands.
    void ExpectBarMirrorsTree()
    {
        const int rows = int(ShownRows().size()), page = tree->VisibleCount();
        ASSERT_EQ(rows > page, vbar->Visible());
        if (!vbar->Visible())
            return;
        EXPECT_EQ(0, vbar->Min());
        EXPECT_EQ(rows - 1, vbar->Max());
        EXPECT_EQ(page, vbar->PageSize());
        EXPECT_EQ(TopRow(), vbar->Position());
    }
    TskSkinTreeView*& tree = view;
};

struct NodesCase {
    const char* Name;
    int Top;       // top-level nodes
    int Children;  // under the first of them
    bool Expand;   // the first node, before scrolling
    int ScrollTo;  // top row asked for, -1 none
    int Remove;    // top-level nodes deleted from the end afterwards
    bool Collapse; // the first node, at the end
};

const NodesCase kNodesCases[] = {
    {"empty", 0, 0, false, -1, 0, false},
    {"fits", 3, 0, false, -1, 0, false},
    {"collapsed children", 3, 50, false, -1, 0, false},
    {"expanded past the page", 3, 50, true, -1, 0, false},
    {"many", 100, 0, false, -1, 0, false},
    {"scrolled", 100, 0, false, 40, 0, false},
    {"scrolled to the end", 100, 0, false, 1000, 0, false},
    {"removed while scrolled", 100, 0, false, 95, 30, false},
    {"removed until it fits", 100, 0, false, 50, 97, false},
    {"collapsed while scrolled", 3, 50, true, 30, 0, true},
};

TEST_F(SkinTreeViewTest, BarFollowsNodesAddedRemovedExpandedAndScrolled)
{
    for (const NodesCase& c : kNodesCases) {
        SCOPED_TRACE(c.Name);
        tree->Items()->Clear();
        AddTopNodes(c.Top);
        for (int i = 0; i < c.Children; ++i)
            tree->Items()->AddChild(tree->Items()->GetFirstNode(), "child " + std::to_string(i));
        Pump();
        if (c.Expand)
            tree->Items()->GetFirstNode()->Expand(false);
        Pump();
        if (c.ScrollTo >= 0) {
            tree->Perform(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, c.ScrollTo), 0);
            Pump();
        }
        for (int i = 0; i < c.Remove; ++i)
            tree->Items()->Root().Item(tree->Items()->Root().Count() - 1)->Delete();
        if (c.Collapse)
            tree->Items()->GetFirstNode()->Collapse(false);
        Pump();
        ExpectBarMirrorsTree();
    }
}

TEST_F(SkinTreeViewTest, BarScrollsTheTree)
{
    AddTopNodes(100);
    Pump();
    ASSERT_TRUE(vbar->Visible());
    vbar->SetPosition(5);
    Pump();
    EXPECT_EQ(5, TopRow());
    // Dragging the thumb to the end of the track shows the last page.
    DragThumbToTheEnd();
    EXPECT_EQ(100 - tree->VisibleCount(), TopRow());
    ExpectBarMirrorsTree();
}

TEST_F(SkinTreeViewTest, WheelThroughTheBarAndOverTheTree)
{
    AddTopNodes(100);
    Pump();
    // A focusable bar takes the wheel and scrolls the tree a row a notch.
    vbar->SetCanFocused(true);
    vbar->SetFocus();
    Pump();
    InjectMouseWheel(-120, TPoint{219, 80});
    InjectMouseWheel(-120, TPoint{219, 80});
    Pump();
    EXPECT_EQ(2, TopRow());
    EXPECT_EQ(2, vbar->Position());
    InjectMouseWheel(120, TPoint{219, 80});
    Pump();
    EXPECT_EQ(1, TopRow());
    // The wheel over the focused tree moves the bar along.
    tree->SetFocus();
    Pump();
    InjectMouseWheel(-120, TPoint{100, 80});
    Pump();
    EXPECT_GT(TopRow(), 1);
    EXPECT_EQ(TopRow(), vbar->Position());
}

TEST_F(SkinTreeViewTest, RowsPastSixteenBitsAreReached)
{
    tree->Items()->BeginUpdate();
    AddTopNodes(70000);
    tree->Items()->EndUpdate();
    Pump();
    ASSERT_TRUE(vbar->Visible());
    vbar->SetPosition(66000);
    Pump();
    EXPECT_EQ(66000, GetScrollPos(tree->Handle(), SB_VERT));
    EXPECT_EQ(66000, vbar->Position());
}

TEST_F(SkinTreeViewTest, HorizontalBarForWideNodesAndHidingTheTree)
{
    tree->Items()->Add(nullptr, "a node whose text is far wider than the two hundred pixels of the tree");
    Pump();
    ASSERT_TRUE(hbar->Visible());
    EXPECT_FALSE(hbar->Both());
    hbar->SetPosition(30);
    Pump();
    EXPECT_EQ(30, GetScrollPos(tree->Handle(), SB_HORZ));
    AddTopNodes(100);
    Pump();
    EXPECT_TRUE(hbar->Both());
    tree->SetVisible(false);
    Pump();
    EXPECT_FALSE(hbar->Visible());
    EXPECT_FALSE(vbar->Visible());
}

TEST_F(SkinTreeViewTest, SkinEntryGivesColoursToTheTreeAndItsImages)
{
    auto* images = new TImageList(form.get());
    tree->SetImages(images);
    SkinWithColourfulEntry<TskDataSkinTreeView>("treeview");
    EXPECT_EQ(TColor(0x00FF00), images->BkColor);
    ExpectColourfulEntry();
    EXPECT_EQ(clWindow, images->BkColor);
}

} // namespace

} // namespace tovrel::test
