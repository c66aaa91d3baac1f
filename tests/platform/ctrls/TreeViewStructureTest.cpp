#include "TreeViewTestSupport.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

using TreeViewStructure = TreeViewTest;

std::vector<std::string> Texts(const TTreeNode& parent)
{
    std::vector<std::string> texts;
    for (int i = 0; i < parent.Count(); ++i)
        texts.push_back(parent.Item(i)->Text());
    return texts;
}

SCROLLINFO Vertical(TTreeView& tree)
{
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(tree.Handle(), SB_VERT, &info);
    return info;
}

TEST_F(TreeViewStructure, CustomSortOrdersOneLevelOrAllAndKeepsTies)
{
    TTreeView& tree = Place<TTreeView>(Rect(10, 10, 210, 150));
    TTreeNode& top = tree.Items()->Root();
    for (const char* text : {"b2", "a", "b1", "c"}) {
        TTreeNode* node = tree.Items()->AddChild(nullptr, text);
        tree.Items()->AddChild(node, "z");
        tree.Items()->AddChild(node, "y");
    }
    // By the first letter only: "b2" and "b1" tie.
    const TTVCompare byFirstLetter = [](TTreeNode* a, TTreeNode* b) { return a->Text()[0] - b->Text()[0]; };
    EXPECT_TRUE(top.CustomSort(byFirstLetter, false));
    EXPECT_EQ(Texts(top), (std::vector<std::string>{"a", "b2", "b1", "c"}));
    EXPECT_EQ(Texts(*top.Item(0)), (std::vector<std::string>{"z", "y"}));
    EXPECT_EQ(tree.Items()->Item(3)->Text(), "b2"); // the tree order follows
    EXPECT_TRUE(top.CustomSort(byFirstLetter, true));
    EXPECT_EQ(Texts(*top.Item(3)), (std::vector<std::string>{"y", "z"}));

    // A compare function that fails loses no node.
    const TTVCompare failing = [](TTreeNode*, TTreeNode*) -> int { throw std::runtime_error("no order"); };
    EXPECT_THROW(top.CustomSort(failing, false), std::runtime_error);
    EXPECT_EQ(Texts(top), (std::vector<std::string>{"a", "b2", "b1", "c"}));
    EXPECT_FALSE(top.CustomSort(nullptr, false));
}

TEST_F(TreeViewStructure, GetNextWalksInTreeOrder)
{
    TTreeView& tree = SmallTree();
    tree.Items()->AddChild(Node(tree, 1), "A1 x"); // not shown: A1 is collapsed
    std::vector<std::string> walked;
    for (TTreeNode* node = tree.Items()->GetFirstNode(); node; node = node->GetNext())
        walked.push_back(node->Text());
    EXPECT_EQ(walked, (std::vector<std::string>{"A", "A1", "A1 x", "A2", "B"}));
}

TEST_F(TreeViewStructure, UpdatesHoldBackPaintsAndTheScrollStateUntilTheLastEnd)
{
    TTreeView& tree = SmallTree();
    tree.SetClientHeight(3 * tree.RowHeight());
    Pump();
    ASSERT_EQ(Vertical(tree).nMax, 3);
    tree.Items()->BeginUpdate();
    tree.Items()->BeginUpdate();
    TTreeNode* b = Node(tree, 3);
    for (int i = 0; i < 20; ++i)
        tree.Items()->AddChild(b, "B " + std::to_string(i));
    b->Expand(false);
    tree.SetTopItem(b);
    tree.Items()->EndUpdate();
    EXPECT_EQ(Vertical(tree).nMax, 3);
    EXPECT_FALSE(GetUpdateRect(tree.Handle(), nullptr, 0));
    tree.Items()->EndUpdate();
    EXPECT_EQ(Vertical(tree).nMax, 23);
    EXPECT_EQ(Vertical(tree).nPos, 3);
    EXPECT_TRUE(GetUpdateRect(tree.Handle(), nullptr, 0));
    tree.Items()->EndUpdate(); // one too many: nothing held back afterwards
    Node(tree, 0)->Collapse(false);
    EXPECT_EQ(Vertical(tree).nMax, 21);
}

TEST_F(TreeViewStructure, TopItemScrollsAsFarAsTheRowsAllow)
{
    TTreeView& tree = SmallTree();
    tree.SetClientHeight(3 * tree.RowHeight());
    TTreeNode* hidden = tree.Items()->AddChild(Node(tree, 3), "B1");
    tree.Items()->AddChild(Node(tree, 3), "B2");
    tree.SetTopItem(Node(tree, 1));
    EXPECT_EQ(tree.TopItem()->Text(), "A1");
    tree.SetTopItem(hidden); // B is expanded to show it; the last rows fill the view
    EXPECT_TRUE(Node(tree, 3)->Expanded());
    EXPECT_EQ(tree.TopItem()->Text(), "B");
    tree.Perform(TVM_SELECTITEM, TVGN_FIRSTVISIBLE, ToLParam(Node(tree, 0)));
    EXPECT_EQ(tree.TopItem()->Text(), "A");
}

} // namespace
} // namespace tovrel::test
