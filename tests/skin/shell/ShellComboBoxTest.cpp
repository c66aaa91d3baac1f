#include "skin/shell/ShellComboBox.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellUnit.h"
#include "platform/shell/TempTree.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Forms.h"

#include <gmock/gmock.h>

#include <string>
#include <utility>
#include <vector>

namespace tovrel::test {

namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

// A list view as the box sees it: records what the box asks and, like a real
// view, answers a new folder by telling its box.
class FakeListView : public TComponent, public IShellListViewLink {
public:
    FakeListView() : TComponent(nullptr) {}
    TComponent& LinkComponent() override { return *this; }
    void SetRoot(const TRoot& Value) override { Roots.push_back(Value); }
    void FollowFolder(PCItemIDList ID) override
    {
        Followed.push_back(DesktopIShellFolder()->GetDisplayNameOf(ID, SHGDN_FORPARSING));
        if (Box)
            Box->FollowFolder(ID);
    }
    void SetComboBoxLink(TskCustomShellComboBox* Value) override { Box = Value; }

    TskCustomShellComboBox* Box = nullptr;
    std::vector<TRoot> Roots;
    std::vector<std::string> Followed;
};

// Exposes the two item drawers.
class DrawingShellCombo : public TskSkinShellComboBox {
public:
    using TskSkinShellComboBox::DrawComboItem;
    using TskSkinShellComboBox::DrawListItem;
    using TskSkinShellComboBox::TskSkinShellComboBox;
};

// The first column of a white picture that something was drawn on; -1 for none.
int FirstDrawnColumn(TBitmap& picture)
{
    for (int x = 0; x < picture.Width(); ++x)
        for (int y = 0; y < picture.Height(); ++y)
            if (picture.Canvas()->Pixels(x, y) != clWhite)
                return x;
    return -1;
}

class ShellComboBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        InitializeShellUnit();
        tree.Folder("my videos");
        tree.Folder("my videos/sub");
        tree.Folder("my videos/sub/深层 folder");
        tree.Folder("中文 文件夹");
        tree.File("a.mp4");
        form = ShownForm(0, 0, 300, 200);
        combo = Placed<DrawingShellCombo>(*form, Bounds(10, 10, 200, 22));
        combo->HandleNeeded();
        combo->SetRoot(tree.Root());
    }

    // The outline as (caption, indent) rows.
    std::vector<std::pair<std::string, int>> Outline() const
    {
        std::vector<std::pair<std::string, int>> rows;
        for (int i = 0; i < combo->ItemsEx().Count(); ++i)
            rows.emplace_back(combo->ItemsEx().Item(i).Caption, combo->ItemsEx().Item(i).Indent);
        return rows;
    }
    TItemIDListPtr ID(const std::string& relative) const
    {
        return DesktopIShellFolder()->ParseDisplayName(relative.empty() ? tree.Root() : tree.Path(relative));
    }
    std::string RootName() const { return tree.Root().substr(tree.Root().rfind('/') + 1); }

    TTempTree tree;
    std::unique_ptr<TForm> form;
    DrawingShellCombo* combo = nullptr;
};

TEST_F(ShellComboBoxTest, OutlineRunsFromTheRootToTheShownFolder)
{
    EXPECT_THAT(Outline(), ElementsAre(Pair(RootName(), 0), Pair("my videos", 1), Pair("中文 文件夹", 1)));
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Path(), tree.Root());

    combo->SetPath(tree.Path("my videos/sub/深层 folder"));

    EXPECT_THAT(Outline(), ElementsAre(Pair(RootName(), 0), Pair("my videos", 1), Pair("sub", 2),
                                       Pair("深层 folder", 3), Pair("中文 文件夹", 1)));
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "深层 folder");
    EXPECT_EQ(combo->Path(), tree.Path("my videos/sub/深层 folder"));
    ASSERT_EQ(combo->Items()->Count(), 5) << "the shown strings mirror the entries";
    EXPECT_EQ(combo->Items()->Get(2), "sub");
    for (int i = 0; i < combo->ItemsEx().Count(); ++i)
        EXPECT_GE(combo->ItemsEx().Item(i).ImageIndex, 0) << i;

    combo->SetItemIndex(-1);
    EXPECT_EQ(combo->Path(), "") << "nothing selected";
}

TEST_F(ShellComboBoxTest, ListEntriesAreIndentedHalfAnIconPerLevel)
{
    combo->SetPath(tree.Path("my videos/sub/深层 folder"));
    ASSERT_EQ(combo->ImageWidth(), 16);
    struct DrawCase {
        int Entry;
        bool InList;
        int IconLeft;
    };
    for (const DrawCase c : {DrawCase{0, true, 0}, {1, true, 8}, {3, true, 24}, {3, false, 0}}) {
        TBitmap picture(120, 20);
        picture.Canvas()->Brush()->SetColor(clWhite);
        picture.Canvas()->FillRect(Rect(0, 0, 120, 20));
        if (c.InList)
            combo->DrawListItem(*picture.Canvas(), c.Entry, Rect(0, 0, 120, 20));
        else
            combo->DrawComboItem(*picture.Canvas(), c.Entry, Rect(0, 0, 120, 20));
        const int first = FirstDrawnColumn(picture);
        EXPECT_GE(first, c.IconLeft) << c.Entry << " " << c.InList;
        EXPECT_LT(first, c.IconLeft + 4) << c.Entry << " " << c.InList;
    }
}

TEST_F(ShellComboBoxTest, JumpingMovesTheLinkedViewAndFollowingItInsertsTheWay)
{
    FakeListView view;
    combo->SetShellListView(&view);
    EXPECT_THAT(view.Roots, ElementsAre(tree.Root()));
    EXPECT_EQ(view.Box, combo);

    // The view goes two levels down on its own: the box shows the way there.
    const TItemIDListPtr deep = ID("my videos/sub");
    combo->FollowFolder(deep.get());
    EXPECT_THAT(Outline(),
                ElementsAre(Pair(RootName(), 0), Pair("my videos", 1), Pair("sub", 2), Pair("中文 文件夹", 1)));
    EXPECT_EQ(combo->ItemIndex(), 2);
    const TskShellFolder* shown = combo->FolderAt(2);
    combo->FollowFolder(deep.get());
    EXPECT_EQ(combo->FolderAt(2), shown) << "the same folder again leaves the outline as it is";
    EXPECT_TRUE(view.Followed.empty()) << "following the view does not drive it back";

    // Jumping to any entry moves the view; its answer does not rebuild the box.
    for (const std::string relative : {"my videos", "", "中文 文件夹", "my videos/sub"}) {
        const int index = combo->IndexOfID(ID(relative).get());
        ASSERT_GE(index, 0) << relative;
        combo->SetItemIndex(index);
        EXPECT_EQ(view.Followed.back(), relative.empty() ? tree.Root() : tree.Path(relative));
        EXPECT_EQ(combo->ItemsEx().Count(), 4) << relative;
        EXPECT_EQ(combo->Path(), view.Followed.back());
    }

    // Following the box's own entry (a list it owns) rebuilds safely.
    combo->SetShellListView(nullptr);
    combo->SetItemIndex(0);
    combo->FollowFolder(combo->FolderAt(2)->AbsoluteID());
    EXPECT_EQ(combo->Path(), tree.Path("my videos/sub"));

    // A folder outside the root: the default outline with the root selected.
    const TItemIDListPtr outside = DesktopIShellFolder()->ParseDisplayName("/");
    combo->FollowFolder(outside.get());
    EXPECT_EQ(combo->ItemsEx().Count(), 3);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ShellComboBoxTest, ViewLinksAreClearedWhenReplacedOrDestroyed)
{
    FakeListView first;
    combo->SetShellListView(&first);
    {
        FakeListView second;
        combo->SetShellListView(&second);
        EXPECT_EQ(first.Box, nullptr) << "the replaced view forgets the box";
        EXPECT_EQ(second.Box, combo);
    }
    EXPECT_EQ(combo->ShellListView(), nullptr) << "a destroyed view unlinks itself";
    combo->SetItemIndex(1); // must not reach the destroyed view
    combo->SetShellListView(&first);
    combo->SetShellListView(nullptr);
    EXPECT_EQ(first.Box, nullptr);
}

TEST_F(ShellComboBoxTest, BadPathsAndRootsRaiseAndKeepTheOutline)
{
    combo->SetPath(tree.Path("my videos"));
    const auto before = Outline();
    const std::string missing = tree.Path("gone");

    try {
        combo->SetPath(missing);
        ADD_FAILURE() << "no error";
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"" + missing + "\"");
    }
    try {
        combo->SetRoot(missing);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Error setting path: \"" + missing + "\"");
    }
    EXPECT_EQ(combo->Root(), tree.Root());
    EXPECT_EQ(Outline(), before) << "a root that names nothing leaves the old outline";
    EXPECT_THROW(combo->SetRoot(""), Exception);
    EXPECT_EQ(combo->Root(), tree.Root());
}

TEST_F(ShellComboBoxTest, DesktopRootNestsTheVolumesUnderComputerOnlyWhenWrittenExactly)
{
    const TItemIDListPtr computer = SpecialFolderLocation(TRootFolder::rfMyComputer);
    for (const auto& [root, volumesShown] : {std::pair<TRoot, bool>{"rfDesktop", true}, {"RFDESKTOP", false}}) {
        combo->SetRoot(tree.Root()); // a real change each time
        combo->SetRoot(root);
        ASSERT_GT(combo->ItemsEx().Count(), 0) << root;
        EXPECT_EQ(combo->ItemsEx().Item(0).Indent, 0) << root;
        const int at = combo->IndexOfID(computer.get());
        ASSERT_GT(at, 0) << root;
        EXPECT_EQ(combo->ItemsEx().Item(at).Indent, 1) << root;
        const bool nested = at + 1 < combo->ItemsEx().Count() && combo->ItemsEx().Item(at + 1).Indent == 2;
        EXPECT_EQ(nested, volumesShown) << root;
    }
}

} // namespace

} // namespace tovrel::test
