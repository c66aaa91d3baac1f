#include "../../platform/shell/TempTree.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/shell/ShellUnit.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"

namespace tovrel::test {
namespace {

class ShellLinkTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        InitializeShellUnit();
        tree.Folder("子 文件夹");
        tree.File("子 文件夹/片段 一.mkv");
    }
    TTempTree tree;
};

// Either side may make the link; the box then shows every folder the list
// opens, and neither is left holding the other once it is gone.
TEST_F(ShellLinkTest, ABoxAndAListLinkedFromEitherSideFollowEachOther)
{
    for (const bool fromList : {true, false}) {
        SCOPED_TRACE(fromList ? "linked by the list" : "linked by the box");
        auto form = ShownForm(0, 0, 600, 400);
        auto* combo = Placed<TskSkinShellComboBox>(*form, Bounds(10, 10, 300, 24));
        auto* list = Placed<TskSkinFileListView>(*form, Bounds(10, 40, 560, 340));
        if (fromList) {
            list->SetRoot(tree.Root());
            list->SetShellComboBox(combo);
        } else {
            combo->SetRoot(tree.Root());
            combo->SetShellListView(list);
        }
        Pump();
        EXPECT_EQ(list->ShellComboBox(), combo);
        EXPECT_EQ(combo->ShellListView(), list);
        EXPECT_EQ(combo->Root(), list->Root());

        list->SetPath(tree.Path("子 文件夹"));
        Pump();
        EXPECT_EQ(combo->Path(), tree.Path("子 文件夹"));

        delete combo;
        EXPECT_EQ(list->ShellComboBox(), nullptr);
        list->SetPath(tree.Root());
        EXPECT_EQ(list->Path(), tree.Root());
    }
}

// The box hears of the new folder before the list has read it: a handler
// that looks at the list's rows then must not meet the old folder's rows,
// whose parent folder is already gone.
TEST_F(ShellLinkTest, TheBoxsChangeHandlerFindsNoRowsOfTheFolderLeft)
{
    auto form = ShownForm(0, 0, 600, 400);
    auto* combo = Placed<TskSkinShellComboBox>(*form, Bounds(10, 10, 300, 24));
    auto* list = Placed<TskSkinFileListView>(*form, Bounds(10, 40, 560, 340));
    list->SetRoot(tree.Root());
    list->SetShellComboBox(combo);
    Pump();
    ASSERT_GT(list->FolderCount(), 0);
    std::vector<int> rowsSeen;
    combo->OnChange = [&](TObject*) {
        rowsSeen.push_back(list->FolderCount());
        for (int i = 0; i < list->FolderCount(); ++i)
            list->GetFolder(i)->DisplayName();
    };
    list->SetPath(tree.Path("子 文件夹"));
    list->Back();
    list->Refresh();
    ASSERT_FALSE(rowsSeen.empty());
    EXPECT_EQ(rowsSeen, std::vector<int>(rowsSeen.size(), 0));
    EXPECT_EQ(list->Path(), tree.Root());
    EXPECT_GT(list->FolderCount(), 0);
}

} // namespace
} // namespace tovrel::test
