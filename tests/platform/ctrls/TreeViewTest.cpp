#include "CtrlsTestSupport.h"

#include "platform/ctrls/TreeView.h"
#include "platform/wm/Keys.h"

#include <string>
#include <vector>

namespace tovrel::test {
namespace {

class TreeView : public CtrlsTest {
protected:
    // Three folders of four files each, collapsed, in a tree with room for six rows.
    TTreeView& Tree()
    {
        TTreeView& tree = Place<TTreeView>(Rect(10, 10, 160, 110));
        tree.SetClientHeight(6 * tree.RowHeight());
        for (const char* folder : {"Music", "Pictures", "Videos"}) {
            TTreeNode* node = tree.Items()->AddChild(nullptr, folder);
            for (int i = 0; i < 4; ++i)
                tree.Items()->AddChild(node, std::string(folder) + " " + std::to_string(i));
        }
        Pump();
        return tree;
    }
    static SCROLLINFO Vertical(TTreeView& tree)
    {
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(tree.Handle(), SB_VERT, &info);
        return info;
    }
};

TEST_F(TreeView, ExpandingANodeShowsTheBar)
{
    TTreeView& tree = Tree();
    EXPECT_EQ(tree.Perform(TVM_GETCOUNT, 0, 0), 15);
    EXPECT_EQ(tree.Perform(TVM_GETVISIBLECOUNT, 0, 0), 6);
    EXPECT_EQ(Vertical(tree).nMax, 2);
    EXPECT_FALSE(tree.ScrollStateOf(SB_VERT)->Visible());
    tree.Perform(TVM_EXPAND, TVE_EXPAND, ToLParam(tree.Items()->GetFirstNode()));
    EXPECT_EQ(Vertical(tree).nMax, 6);
    EXPECT_EQ(int(Vertical(tree).nPage), 6);
    EXPECT_TRUE(tree.ScrollStateOf(SB_VERT)->Visible());
    tree.Perform(WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(tree.TopItem()->Text(), "Music 0");
    EXPECT_EQ(GetScrollPos(tree.Handle(), SB_VERT), 1);
    tree.Items()->GetFirstNode()->Collapse(false);
    EXPECT_EQ(GetScrollPos(tree.Handle(), SB_VERT), 0);
}

TEST_F(TreeView, ButtonKeysAndNotifications)
{
    TTreeView& tree = Tree();
    std::vector<std::string> log;
    tree.OnChanging = [&log](TObject*, TTreeNode* node, bool& allow) {
        log.push_back("changing " + node->Text());
        allow = node->Text() != "Videos";
    };
    tree.OnChange = [&log](TObject*, TTreeNode* node) { log.push_back("change " + node->Text()); };
    tree.OnExpanding = [&log](TObject*, TTreeNode* node, bool&) { log.push_back("expanding " + node->Text()); };
    tree.OnExpanded = [&log](TObject*, TTreeNode* node) { log.push_back("expanded " + node->Text()); };
    tree.OnCollapsed = [&log](TObject*, TTreeNode* node) { log.push_back("collapsed " + node->Text()); };

    // The first folder's button lies in the indent left of its caption.
    const TRect first = tree.NodeRect(tree.Items()->GetFirstNode(), true);
    ClickAt(tree, Point(first.Left - tree.Indent() / 2 - 2, first.Top + 3));
    EXPECT_TRUE(tree.Items()->GetFirstNode()->Expanded());
    EXPECT_EQ(tree.Selected(), nullptr); // the button does not select
    ClickAt(tree, Point(first.Left + 3, first.Top + 3));
    Key(VK_RIGHT); // expanded already: to the first child
    Key(VK_LEFT);  // a child: back to its parent
    Key(VK_LEFT);  // collapses
    Type("v");     // typing finds "Videos": refused too
    Key(VK_END);   // refused
    const std::vector<std::string> expected = {"expanding Music",  "expanded Music",  "changing Music", "change Music",
                                               "changing Music 0", "change Music 0",  "changing Music", "change Music",
                                               "collapsed Music",  "changing Videos", "changing Videos"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(tree.Selected()->Text(), "Music");
}

TEST_F(TreeView, CollapsingMovesTheSelectionOutOfTheHiddenBranch)
{
    TTreeView& tree = Tree();
    TTreeNode* pictures = tree.Items()->Item(5);
    ASSERT_EQ(pictures->Text(), "Pictures");
    tree.SetSelected(pictures->Item(2));
    EXPECT_TRUE(pictures->Expanded()); // made visible
    pictures->Collapse(false);
    EXPECT_EQ(tree.Selected(), pictures);
    pictures->Delete();
    EXPECT_EQ(tree.Selected(), nullptr);
    EXPECT_EQ(tree.Items()->Count(), 10);
}

TEST_F(TreeView, DeletionImagesAndRightClick)
{
    TTreeView& tree = Tree();
    std::vector<std::string> deleted;
    tree.OnDeletion = [&deleted](TObject*, TTreeNode* node) { deleted.push_back(node->Text()); };
    std::vector<std::string> asked;
    tree.OnGetImageIndex = [&asked](TObject*, TTreeNode* node) {
        asked.push_back(node->Text());
        node->SetImageIndex(node->Level());
    };
    TTreeNode* music = tree.Items()->GetFirstNode();
    tree.Items()->Delete(music->Item(3));
    music->Delete();
    EXPECT_EQ(deleted, (std::vector<std::string>{"Music 3", "Music 0", "Music 1", "Music 2", "Music"}));
    tree.Invalidate();
    Pump();
    EXPECT_EQ(asked, (std::vector<std::string>{"Pictures", "Videos"}));
    Pump(); // setting an unchanged index asks for no further paint
    EXPECT_EQ(asked.size(), 2u);

    tree.RightClickSelect = true;
    const TRect videos = tree.NodeRect(tree.Items()->GetFirstNode()->GetNextSibling(), true);
    InjectMouseButton(1, true, tree.ClientToScreen(Point(videos.Left + 2, videos.Top + 2)));
    InjectMouseButton(1, false, tree.ClientToScreen(Point(videos.Left + 2, videos.Top + 2)));
    Pump();
    EXPECT_EQ(tree.Selected()->Text(), "Videos");
}

TEST_F(TreeView, RenamingInPlace)
{
    TTreeView& tree = Tree();
    TTreeNode* videos = tree.Items()->GetFirstNode()->GetNextSibling()->GetNextSibling();
    std::vector<std::string> edited;
    tree.OnEdited = [&edited](TObject*, TTreeNode*, std::string& text) { edited.push_back(text); };
    tree.OnEditing = [](TObject*, TTreeNode* node, bool& allow) { allow = node->Text() != "Music"; };
    videos->EditText();
    ASSERT_NE(tree.EditControl(), nullptr);
    EXPECT_EQ(tree.EditControl()->Text(), "Videos");
    Type("Films");
    Key(VK_RETURN);
    EXPECT_EQ(videos->Text(), "Films");
    EXPECT_EQ(tree.EditControl(), nullptr);
    videos->EditText();
    Type("dropped");
    Key(VK_ESCAPE);
    EXPECT_EQ(videos->Text(), "Films");
    EXPECT_EQ(tree.Perform(TVM_EDITLABELW, 0, ToLParam(tree.Items()->GetFirstNode())), 0); // refused
    videos->EditText();
    videos->Delete(); // renaming a node that goes is cancelled
    EXPECT_EQ(tree.EditControl(), nullptr);
    EXPECT_EQ(edited, std::vector<std::string>{"Films"});
}

} // namespace
} // namespace tovrel::test
