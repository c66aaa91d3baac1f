#include "skin/shell/ShellTreeView.h"
#include "../../platform/shell/TempTree.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/MainThread.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellContextMenu.h"
#include "platform/shell/ShellUnit.h"
#include "platform/wm/Input.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

using Names = std::vector<std::string>;

class ShellTreeViewTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        InitializeShellUnit();
        for (const char* folder : {"films", "films/2024", "films/2024/夏天 旅行", "music", ".hidden"})
            tree.Folder(folder);
        tree.File("films/clip.mp4");
        tree.File("notes.txt");
        form = ShownForm(0, 0, 600, 400);
        view = Placed<TskSkinDirTreeView>(*form, Bounds(10, 10, 280, 360));
        view->SetRoot(tree.Root());
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        SetShellMenuPopup({});
        ControlTest::TearDown();
    }

    static Names Children(const TTreeNode* node)
    {
        Names names;
        for (int i = 0; node && i < node->Count(); ++i)
            names.push_back(node->Item(i)->Text());
        return names;
    }
    TTreeNode* NodeOf(const std::string& relative) const
    {
        const TItemIDListPtr id =
            DesktopIShellFolder()->ParseDisplayName(relative.empty() ? tree.Root() : tree.Path(relative));
        return view->FindNodeByID(id.get(), view->Items()->GetFirstNode());
    }
    // Context menus choose verb from now on.
    static void PickInContextMenus(std::string verb)
    {
        SetShellMenuPopup([verb](const std::vector<TShellVerb>& verbs, TPoint) {
            const auto found = std::find_if(verbs.begin(), verbs.end(), [&](auto& v) { return v.Verb == verb; });
            return found == verbs.end() ? 0 : found->Id;
        });
    }
    void RightClick(TTreeNode* node)
    {
        const TRect r = view->NodeRect(node, true);
        const TPoint at = view->ClientToScreen(TPoint{r.Left + 3, r.Top + r.Height() / 2});
        InjectMouseButton(1, true, at);
        InjectMouseButton(1, false, at);
        Pump();
    }

    TTempTree tree;
    std::unique_ptr<TForm> form;
    TskSkinDirTreeView* view = nullptr;
};

// The root shows its folders at once; a folder's own children are read only
// when it is first expanded, and its button comes from the shell meanwhile.
TEST_F(ShellTreeViewTest, ReadsAFoldersChildrenOnlyWhenItIsFirstExpanded)
{
    TTreeNode* root = view->Items()->GetFirstNode();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->Selected());
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(Children(root), (Names{"films", "music"})) << "no files, no hidden folders";
    TTreeNode* films = NodeOf("films");
    ASSERT_NE(films, nullptr);
    EXPECT_EQ(films->Count(), 0);
    EXPECT_TRUE(films->HasChildren());
    EXPECT_FALSE(NodeOf("music")->HasChildren());
    EXPECT_EQ(NodeOf("films/2024"), nullptr) << "not read before the expansion";

    films->Expand(false);
    EXPECT_EQ(Children(films), (Names{"2024"}));
    EXPECT_EQ(NodeOf("films/2024/夏天 旅行"), nullptr) << "one level only";
    EXPECT_EQ(view->Path(), tree.Root());

    // A handler that refuses takes the button of a node never read.
    view->OnExpanding = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
    TTreeNode* year = NodeOf("films/2024");
    ASSERT_TRUE(year->HasChildren());
    year->Expand(false);
    EXPECT_FALSE(year->Expanded());
    EXPECT_FALSE(year->HasChildren());
}

// A path several levels down reads and expands the way to it, selects it and
// expands it; a path the shell cannot parse raises and the selection stays.
TEST_F(ShellTreeViewTest, PathSelectsAFolderDeepDownAndRefusesWhatNamesNothing)
{
    view->SetPath(tree.Path("films/2024"));
    EXPECT_EQ(view->Path(), tree.Path("films/2024"));
    EXPECT_TRUE(NodeOf("films")->Expanded());
    EXPECT_TRUE(NodeOf("films/2024")->Expanded());
    EXPECT_EQ(Children(NodeOf("films/2024")), (Names{"夏天 旅行"}));

    EXPECT_THROW(view->SetPath(tree.Path("gone")), EInvalidPath);
    EXPECT_THROW(view->SetPath("relative/path"), EInvalidPath);
    EXPECT_EQ(view->Path(), tree.Path("films/2024"));

    // Computer lies above this root: not in the tree, so nothing is selected.
    view->ExpandMyComputer();
    EXPECT_EQ(view->Selected(), nullptr);
    EXPECT_EQ(view->Path(), "");
}

// A tree, a list and a box linked from either side show one folder: each
// move of one moves the others, and a control that goes is dropped.
TEST_F(ShellTreeViewTest, LinkedListAndComboFollowTheTreeAndTheTreeFollowsThem)
{
    for (const bool fromTree : {true, false}) {
        SCOPED_TRACE(fromTree ? "linked by the tree" : "linked by the others");
        auto* list = Placed<TskSkinFileListView>(*form, Bounds(300, 40, 280, 300));
        auto* combo = Placed<TskSkinShellComboBox>(*form, Bounds(300, 10, 280, 24));
        if (fromTree) {
            view->SetShellListView(list);
            view->SetShellComboBox(combo);
        } else {
            list->SetShellTreeView(view);
            combo->SetShellTreeView(view);
        }
        Pump();
        EXPECT_EQ(view->ShellListView(), list);
        EXPECT_EQ(list->ShellTreeView(), view);
        EXPECT_EQ(combo->ShellTreeView(), view);
        EXPECT_EQ(list->Root(), tree.Root());

        view->SetPath(tree.Path("films/2024"));
        EXPECT_EQ(list->Path(), tree.Path("films/2024"));
        EXPECT_EQ(combo->Path(), tree.Path("films/2024"));

        // The user picks another node.
        view->SetSelected(NodeOf("music"));
        EXPECT_EQ(list->Path(), tree.Path("music"));
        EXPECT_EQ(combo->Path(), tree.Path("music"));

        // The list opens a folder the tree has not read yet.
        list->SetPath(tree.Path("films/2024/夏天 旅行"));
        EXPECT_EQ(view->Path(), tree.Path("films/2024/夏天 旅行"));
        EXPECT_EQ(combo->Path(), tree.Path("films/2024/夏天 旅行"));

        // A choice in the box: its root entry.
        combo->SetItemIndex(0);
        Pump();
        EXPECT_EQ(view->Path(), tree.Root());
        EXPECT_EQ(list->Path(), tree.Root());

        delete list;
        delete combo;
        EXPECT_EQ(view->ShellListView(), nullptr);
        EXPECT_EQ(view->ShellComboBox(), nullptr);
        view->SetPath(tree.Path("music"));
        EXPECT_EQ(view->Path(), tree.Path("music"));
    }
}

// Deleting through the context menu drops the node only when its folder has
// gone: a deletion that failed, or a success reported for a folder that is
// still there, leaves the folder in the tree.
TEST_F(ShellTreeViewTest, DeleteDropsTheNodeOnlyWhenTheFolderIsGone)
{
    PickInContextMenus("delete");
    {
        // The trash cannot be made under a file, so the move fails.
        const std::string blocker = tree.File("blocker");
        TScopedEnv data{"XDG_DATA_HOME", blocker + "/share"};
        RightClick(NodeOf("music"));
        EXPECT_EQ(view->Path(), tree.Path("music"));
        ASSERT_NE(NodeOf("music"), nullptr) << "the folder is still there";
    }
    view->CommandCompleted("delete", true);
    ASSERT_NE(NodeOf("music"), nullptr) << "reported gone, but still there";
    EXPECT_EQ(view->Path(), tree.Path("music"));

    TTempTree home;
    TScopedEnv data{"XDG_DATA_HOME", home.Root()};
    RightClick(NodeOf("music"));
    EXPECT_EQ(NodeOf("music"), nullptr);
    EXPECT_FALSE(DirectoryExists(tree.Path("music")));
    EXPECT_EQ(Children(view->Items()->GetFirstNode()), (Names{"films"}));
}

// Rebuilding a node reads folders made meanwhile and keeps what was
// expanded and selected.
TEST_F(ShellTreeViewTest, RefreshReadsNewFoldersAndKeepsExpansionAndSelection)
{
    view->SetPath(tree.Path("films/2024"));
    tree.Folder("films/added");
    view->Refresh(NodeOf("films"));
    EXPECT_EQ(Children(NodeOf("films")), (Names{"2024", "added"}));
    EXPECT_TRUE(NodeOf("films")->Expanded());
    EXPECT_TRUE(NodeOf("films/2024")->Expanded());
    EXPECT_EQ(view->Path(), tree.Path("films/2024"));
}

// With AutoRefresh the watcher follows the selection, and a folder made in
// the watched one shows once the main thread runs the watcher's report.
TEST_F(ShellTreeViewTest, AutoRefreshWatchesTheSelectedFolderAndReadsItAgain)
{
    view->SetAutoRefresh(true);
    view->SetPath(tree.Path("films"));
    ASSERT_TRUE(view->Watching());
    EXPECT_EQ(view->WatchedFolder(), tree.Path("films"));
    tree.Folder("films/新 文件夹");
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return Children(NodeOf("films")).size() == 2; }, 10000));
    EXPECT_EQ(Children(NodeOf("films")), (Names{"2024", "新 文件夹"}));
    EXPECT_EQ(view->Path(), tree.Path("films"));
}

// Renaming in place never replaces another folder: the refusal is raised
// and the node keeps its name; an accepted name renames the folder.
TEST_F(ShellTreeViewTest, RenameInPlaceNeverReplacesAnotherFolder)
{
    const auto rename = [this](const std::string& relative, const std::string& name) {
        TTreeNode* node = NodeOf(relative);
        view->SetSelected(node);
        node->EditText();
        ASSERT_NE(view->EditControl(), nullptr);
        view->EditControl()->SetText(name);
        view->EndEditing(true);
    };
    EXPECT_THROW(rename("music", "films"), Exception);
    EXPECT_NE(NodeOf("music"), nullptr);
    EXPECT_TRUE(DirectoryExists(tree.Path("films/2024")));

    rename("music", "音乐");
    EXPECT_FALSE(DirectoryExists(tree.Path("music")));
    EXPECT_TRUE(DirectoryExists(tree.Path("音乐")));
    EXPECT_EQ(Children(view->Items()->GetFirstNode()), (Names{"films", "音乐"}));
    EXPECT_EQ(view->Path(), tree.Path("音乐")) << "the renamed folder stays selected";
}

} // namespace
} // namespace tovrel::test
