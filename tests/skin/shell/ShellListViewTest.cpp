#include "skin/shell/ShellListView.h"
#include "../../platform/shell/TempTree.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/rtl/MainThread.h"
#include "platform/shell/ShellContextMenu.h"
#include "platform/shell/ShellEnvironment.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/shell/ShellUnit.h"
#include "platform/vcl/Strings.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tovrel::test {
namespace {

// The list with its header clicks and label editing reachable from tests.
class TTestShellListView : public TskSkinFileListView {
public:
    using TskSkinFileListView::TskSkinFileListView;
    void ClickColumn(int index) { ColClick(Columns()->Items(index)); }
};

// A combo box standing in for the linked one: it records what the list tells it.
class TRecordingCombo : public IShellComboLink {
public:
    TComponent* LinkComponent() override { return nullptr; }
    void SetRoot(const TRoot& Value) override { Roots.push_back(Value); }
    void FollowFolder(PCItemIDList ID) override { Shown.push_back(DesktopPath(ID)); }
    void SetListView(TskCustomShellListView* Value) override { List = Value; }

    static std::string DesktopPath(PCItemIDList ID) { return CreateFolderForID(ID)->PathName(); }

    std::vector<TRoot> Roots;
    std::vector<std::string> Shown;
    TskCustomShellListView* List = nullptr;
};

class TRecordingLauncher : public IShellLauncher {
public:
    bool Open(const std::string& target, const std::string& workingFolder) override
    {
        Opened.push_back(target + " in " + workingFolder);
        return true;
    }
    std::vector<std::string> Opened;
};

using Names = std::vector<std::string>;

std::string CurrentDir()
{
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? buffer : "";
}

// Media files of several kinds (different sizes and ages), two folders, and
// a file without an extension.
struct TFixtureFile {
    const char* Name;
    int Size;
    int AgeRank; // later ranks are newer
};
constexpr TFixtureFile FixtureFiles[] = {
    {"clip.MKV", 200, 4}, {"picture.jpg", 50, 1}, {"song one.mp3", 100, 3}, {"z.wav", 400, 2}, {"大海 2.mp4", 300, 5},
};
const Names FixtureFolders = {"a folder", "子 文件夹"};
const Names FileNamesByName = {"clip.MKV", "picture.jpg", "song one.mp3", "z.wav", "大海 2.mp4"};

class ShellListViewTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        InitializeShellUnit();
        const std::time_t base = std::time(nullptr) - 100000;
        for (const TFixtureFile& file : FixtureFiles) {
            const std::string path = tree.File(file.Name, std::string(std::size_t(file.Size), 'x'));
            const timespec times[2] = {{base, 0}, {base + 60 * file.AgeRank, 0}};
            ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        }
        tree.File("notes");
        tree.Folder("a folder");
        tree.Folder("子 文件夹");
        tree.File("子 文件夹/片段 一.mkv");
        form = ShownForm(0, 0, 600, 400);
        list = Placed<TTestShellListView>(*form, Bounds(10, 10, 560, 360));
        list->SetShellComboBox(&combo);
        list->OnPathChanged = [this](TObject*) { ++pathChanges; };
        list->SetRoot(tree.Root());
        Pump();
    }
    void TearDown() override
    {
        form.reset();
        SetShellLauncher(nullptr);
        SetShellMenuPopup({});
        ControlTest::TearDown();
    }

    Names Rows() const
    {
        Names names;
        for (int i = 0; i < list->FolderCount(); ++i)
            names.push_back(list->GetFolder(i)->DisplayName());
        return names;
    }
    Names FileRows() const
    {
        Names names = Rows();
        names.erase(names.begin(), names.begin() + std::min<std::ptrdiff_t>(2, std::ptrdiff_t(names.size())));
        return names;
    }
    int RowOf(const std::string& name) const
    {
        const Names names = Rows();
        return int(std::find(names.begin(), names.end(), name) - names.begin());
    }
    void SelectRow(const std::string& name)
    {
        list->SetFocus();
        list->SetItemIndex(RowOf(name));
        Pump();
    }
    std::string RowText(int row, int column)
    {
        TListItem* item = list->Items()->Item(row);
        return column == 0 ? item->Caption() : item->SubItems()->Strings(column - 1);
    }

    // Context menus choose verb from now on.
    static void PickInContextMenus(std::string verb)
    {
        SetShellMenuPopup([verb](const std::vector<TShellVerb>& verbs, TPoint) {
            const auto found = std::find_if(verbs.begin(), verbs.end(), [&](auto& v) { return v.Verb == verb; });
            return found == verbs.end() ? 0 : found->Id;
        });
    }

    TTempTree tree;
    TRecordingCombo combo;
    std::unique_ptr<TForm> form;
    TTestShellListView* list = nullptr;
    int pathChanges = 0;
};

TEST_F(ShellListViewTest, BrowsesIntoASubFolderAndBack)
{
    EXPECT_EQ(combo.List, list);
    EXPECT_EQ(list->Path(), tree.Root());
    Names expected = FixtureFolders;
    expected.insert(expected.end(), FileNamesByName.begin(), FileNamesByName.end());
    EXPECT_EQ(Rows(), expected) << "folders first; a name without a dot is hidden by the default mask";

    SelectRow("子 文件夹");
    Key(VK_RETURN);
    EXPECT_EQ(list->Path(), tree.Path("子 文件夹"));
    EXPECT_EQ(Rows(), Names{"片段 一.mkv"});
    EXPECT_EQ(pathChanges, 1);
    ASSERT_FALSE(combo.Shown.empty());
    EXPECT_EQ(combo.Shown.back(), tree.Path("子 文件夹")) << "the linked combo follows";

    Key(VK_BACK);
    EXPECT_EQ(list->Path(), tree.Root());
    EXPECT_EQ(Rows(), expected);

    // The combo's choice moves the list; the list's echo to the combo ends there.
    SelectRow("a folder");
    Key(VK_RETURN);
    const std::size_t shownBefore = combo.Shown.size();
    list->FollowFolder(DesktopShellFolder()->ShellFolder()->ParseDisplayName(tree.Path("子 文件夹")).get());
    EXPECT_EQ(list->Path(), tree.Path("子 文件夹"));
    EXPECT_EQ(combo.Shown.size(), shownBefore + 1);
    EXPECT_EQ(pathChanges, 4);

    // A file is no folder: Enter opens nothing.
    list->SetPath(tree.Root());
    SelectRow("clip.MKV");
    Key(VK_RETURN);
    EXPECT_EQ(list->Path(), tree.Root());
    EXPECT_EQ(list->GetSelectedFile(), tree.Path("clip.MKV"));
    EXPECT_THROW(list->SetPath(tree.Path("gone")), EInvalidPath);
    EXPECT_EQ(list->Path(), tree.Root());
}

TEST_F(ShellListViewTest, LaysOutEachViewStyle)
{
    struct Case {
        TViewStyle Style;
        bool SideBySide; // the second row right of the first, else below it
        int Columns;
    } cases[] = {{vsIcon, true, 0}, {vsSmallIcon, true, 0}, {vsList, false, 0}, {vsReport, false, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Style));
        list->SetViewStyle(c.Style);
        Pump();
        const TRect first = list->Items()->Item(0)->DisplayRect(drBounds);
        const TRect second = list->Items()->Item(1)->DisplayRect(drBounds);
        EXPECT_FALSE(first.IsEmpty());
        if (c.SideBySide) {
            EXPECT_EQ(second.Top, first.Top);
            EXPECT_GE(second.Left, first.Right);
        } else {
            EXPECT_EQ(second.Left, first.Left);
            EXPECT_GE(second.Top, first.Bottom);
        }
        EXPECT_EQ(RowText(RowOf("大海 2.mp4"), 0), "大海 2.mp4");
        EXPECT_GE(list->Items()->Item(0)->ImageIndex(), 0) << "rows carry the shell's icons";
        if (c.Columns == 0)
            continue;
        Names captions;
        for (int i = 0; i < list->Columns()->Count(); ++i)
            captions.push_back(list->Columns()->Items(i)->Caption());
        EXPECT_EQ(captions, (Names{"Name", "Size", "Type", "Modified"}));
        EXPECT_EQ(list->Columns()->Items(1)->Alignment(), taRightJustify);
        const int file = RowOf("picture.jpg"), folder = RowOf("a folder");
        EXPECT_EQ(RowText(file, 1).empty(), false);
        EXPECT_NE(RowText(file, 3).find(':'), std::string::npos) << "a file shows its date";
        EXPECT_EQ(RowText(folder, 1), "") << "a folder has no size to show";
    }
}

TEST_F(ShellListViewTest, SortsByEachColumnBothWays)
{
    list->SetViewStyle(vsReport);
    struct Case {
        int Column;
        Names Ascending;
    } cases[] = {
        {slcName, FileNamesByName},
        {slcSize, {"picture.jpg", "song one.mp3", "clip.MKV", "大海 2.mp4", "z.wav"}},
        {slcType, {"picture.jpg", "clip.MKV", "song one.mp3", "大海 2.mp4", "z.wav"}},
        {slcModified, {"picture.jpg", "z.wav", "song one.mp3", "clip.MKV", "大海 2.mp4"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Column);
        for (bool descending : {false, true}) {
            list->ClickColumn(c.Column);
            EXPECT_EQ(list->SortColumn(), c.Column);
            EXPECT_EQ(list->SortDescending(), descending);
            Names expected = c.Ascending;
            if (descending)
                std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(FileRows(), expected);
            Names folders = Rows();
            folders.resize(2);
            EXPECT_TRUE(std::is_permutation(folders.begin(), folders.end(), FixtureFolders.begin()))
                << "folders stay first both ways";
        }
    }
    EXPECT_EQ(RowText(0, 0), Rows()[0]) << "the rows are fetched in the sorted order";
}

TEST_F(ShellListViewTest, SortMeetingAVanishedFileKeepsTheRows)
{
    list->SetViewStyle(vsReport);
    const Names before = Rows();
    ::unlink(tree.Path("z.wav").c_str());
    EXPECT_THROW(list->ClickColumn(slcSize), EInvalidPath);
    EXPECT_EQ(Rows(), before) << "no row lost or moved";
    EXPECT_EQ(list->SortColumn(), -1);
    list->ClickColumn(slcName);
    EXPECT_FALSE(list->SortDescending()) << "the next click starts ascending";
}

TEST_F(ShellListViewTest, RenameNeverReplacesAnExistingFile)
{
    list->SetViewStyle(vsReport);
    SelectRow("song one.mp3");
    list->BeginRename();
    ASSERT_NE(list->EditControl(), nullptr);
    list->EditControl()->SetText("z.wav");
    try {
        list->EndLabelEdit(true);
        ADD_FAILURE() << "the rename went through";
    } catch (const Exception& error) {
        EXPECT_EQ(std::string(error.what()), "Rename to z.wav failed");
    }
    EXPECT_EQ(ReadText(tree.Path("z.wav")), std::string(400, 'x'));
    EXPECT_EQ(ReadText(tree.Path("song one.mp3")), std::string(100, 'x'));
    EXPECT_EQ(list->GetFolder(RowOf("song one.mp3"))->DisplayName(), "song one.mp3");

    // A free name renames, and the row's type follows the new name.
    const int row = RowOf("picture.jpg");
    const std::string oldType = RowText(row, 2);
    SelectRow("picture.jpg");
    list->BeginRename();
    list->EditControl()->SetText("picture.png");
    list->EndLabelEdit(true);
    EXPECT_EQ(RowText(row, 0), "picture.png");
    EXPECT_NE(RowText(row, 2), oldType);
    EXPECT_EQ(ReadText(tree.Path("picture.png")), std::string(50, 'x'));
}

TEST_F(ShellListViewTest, TypeAheadFindsANamePrefix)
{
    const int song = RowOf("song one.mp3");
    struct Case {
        TItemFind Find;
        const char* Text;
        int Start;
        bool Wrap;
        int Row;
    } cases[] = {
        {ifPartialString, "SONG", 0, false, song},
        {ifExactString, "song one", 0, false, song},
        {ifPartialString, "a", 3, true, 0},
        {ifPartialString, "a", 3, false, -1},
        {ifPartialString, "q", 0, true, -1},
        {ifPartialString, "大海", 0, false, RowOf("大海 2.mp4")},
        {ifData, "a", 0, true, -1},
        {ifPartialString, "a", -1, true, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(list->OwnerDataFind(c.Find, c.Text, {}, nullptr, c.Start, sdAll, c.Wrap), c.Row) << c.Text;
}

TEST_F(ShellListViewTest, RefreshKeepsTheSelectedRowWhileItExists)
{
    const int last = list->FolderCount() - 1;
    list->SetItemIndex(last);
    Key(VK_F5);
    EXPECT_EQ(list->ItemIndex(), last);
    ::unlink(tree.Path("z.wav").c_str());
    list->Refresh();
    EXPECT_EQ(list->FolderCount(), last);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(ShellListViewTest, FilesMatchingTheMask)
{
    struct Case {
        const char* Mask;
        Names Files;
    } cases[] = {
        {"*.*|*.*", FileNamesByName},
        {"*", {"clip.MKV", "notes", "picture.jpg", "song one.mp3", "z.wav", "大海 2.mp4"}},
        {"", {}},
        {" *.MP3 ; *.wav", {"song one.mp3", "z.wav"}},
        {"*.mp4;*.MP4", {"大海 2.mp4"}},
        {"notes", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Mask);
        list->SetMask(c.Mask);
        EXPECT_EQ(FileRows(), c.Files);
        EXPECT_EQ(list->Items()->Count(), list->FolderCount());
    }
}

TEST_F(ShellListViewTest, OpeningAFileKeepsTheWorkingFolder)
{
    auto launcher = std::make_shared<TRecordingLauncher>();
    SetShellLauncher(launcher);
    PickInContextMenus("open");
    const std::string before = CurrentDir();
    SelectRow("子 文件夹");
    Key(VK_RETURN);
    SelectRow("片段 一.mkv");
    ShowItemContextMenu(list, list->SelectedFolder(), TPoint{20, 20});
    EXPECT_EQ(launcher->Opened, Names{tree.Path("子 文件夹/片段 一.mkv") + " in " + tree.Path("子 文件夹")});
    EXPECT_EQ(CurrentDir(), before);
}

TEST_F(ShellListViewTest, DeletesToTheTrash)
{
    TTempTree home;
    TScopedEnv data{"XDG_DATA_HOME", home.Root()};
    SelectRow("song one.mp3");
    EXPECT_TRUE(list->DeleteSelected());
    EXPECT_EQ(RowOf("song one.mp3"), list->FolderCount());
    EXPECT_EQ(ReadText(TrashFolder() + "/files/song one.mp3"), std::string(100, 'x'));
}

TEST_F(ShellListViewTest, RightClickDeletesToTheTrashAndReadsTheFolderAgain)
{
    TTempTree home;
    TScopedEnv data{"XDG_DATA_HOME", home.Root()};
    PickInContextMenus("delete");
    list->SetViewStyle(vsReport);
    SelectRow("z.wav");
    const TRect row = list->Items()->Item(RowOf("z.wav"))->DisplayRect(drBounds);
    const TPoint at = list->ClientToScreen(TPoint{row.Left + 5, row.Top + row.Height() / 2});
    InjectMouseButton(1, true, at);
    InjectMouseButton(1, false, at);
    Pump();
    EXPECT_EQ(RowOf("z.wav"), list->FolderCount()) << "the row went with the file";
    EXPECT_EQ(ReadText(TrashFolder() + "/files/z.wav"), std::string(400, 'x'));
}

TEST_F(ShellListViewTest, WatcherReportedFileAppearsAfterTheQueueRuns)
{
    list->SetAutoRefresh(true);
    ASSERT_TRUE(list->Watching());
    const int before = list->FolderCount();
    tree.File("新 片段.mp4");
    EXPECT_EQ(list->FolderCount(), before) << "nothing changes off the main thread";
    ASSERT_TRUE(TMainThread::WaitPumping([&] { return list->FolderCount() == before + 1; }, 10000));
    EXPECT_LT(RowOf("新 片段.mp4"), list->FolderCount());
    EXPECT_TRUE(list->Watching()) << "the re-read folder is watched again";
}

} // namespace
} // namespace tovrel::test
