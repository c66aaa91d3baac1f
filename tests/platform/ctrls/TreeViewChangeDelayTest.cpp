#include "TreeViewTestSupport.h"

#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class TreeViewChangeDelay : public TreeViewTest {
protected:
    TTreeView& LoggedTree(int delay)
    {
        TTreeView& tree = SmallTree();
        tree.ChangeDelay = delay;
        tree.OnChanging = [this](TObject*, TTreeNode* node, bool&) { log.push_back("changing " + Name(node)); };
        tree.OnChange = [this](TObject*, TTreeNode* node) { log.push_back("change " + Name(node)); };
        return tree;
    }
    void Wait(int ms)
    {
        clock->Advance(std::uint64_t(ms));
        Pump();
    }
    static std::string Name(TTreeNode* node) { return node ? node->Text() : "none"; }
    std::vector<std::string> log;
};

TEST_F(TreeViewChangeDelay, OnlyTheLastSelectionIsReportedOnceAfterTheDelay)
{
    TTreeView& tree = LoggedTree(300);
    tree.SetSelected(Node(tree, 1));
    Wait(200);
    tree.SetFocus();
    Key(VK_DOWN); // a newer selection within the delay starts it again
    Wait(200);
    EXPECT_EQ(log, (std::vector<std::string>{"changing A1", "changing A2"}));
    Wait(100);
    Wait(1000);
    EXPECT_EQ(log, (std::vector<std::string>{"changing A1", "changing A2", "change A2"}));
}

TEST_F(TreeViewChangeDelay, ANodeDeletedMeanwhileIsNeverReported)
{
    TTreeView& tree = LoggedTree(300);
    tree.SetSelected(Node(tree, 2));
    Node(tree, 0)->Delete(); // A2 goes with its parent
    Wait(300);
    EXPECT_EQ(log, (std::vector<std::string>{"changing A2", "change none"}));
}

TEST_F(TreeViewChangeDelay, AWindowRemadeMeanwhileReportsAtOnce)
{
    TTreeView& tree = LoggedTree(300);
    tree.SetSelected(Node(tree, 1));
    tree.RecreateWnd(); // the timer goes with the old window
    EXPECT_EQ(log, (std::vector<std::string>{"changing A1", "change A1"}));
    Wait(300);
    EXPECT_EQ(log.size(), 2u);
}

} // namespace
} // namespace tovrel::test
