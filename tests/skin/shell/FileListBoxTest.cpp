#include "skin/shell/FileListBox.h"
#include "../../platform/shell/TempTree.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/ctrls/Edit.h"
#include "platform/rtl/Exceptions.h"
#include "platform/vcl/Forms.h"
#include "skin/shell/FileControlPaths.h"
#include "skin/shell/FileControlVolumes.h"
#include "skin/shell/FilterComboBox.h"

#include <filesystem>

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace tovrel::test {

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// A fixture folder with Chinese names, names holding spaces, two cases of
// one extension, a hidden file and a sub-folder, listed by a file list box
// (with a linked edit box) on a shown form.
class FileListBoxTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        for (const char* name : {"视频 一.mp4", "my clip.MKV", "a b.mkv", "notes.txt", "README", ".hidden.mp4"})
            tree.File(name);
        tree.Folder("子 目录");
        tree.File("子 目录/inner.mp4");
        form = ShownForm(0, 0, 300, 300);
        edit = Placed<TEdit>(*form, Bounds(10, 250, 200, 20));
        list = Placed<TskSkinFileListBox>(*form, Bounds(10, 10, 200, 200));
        list->SetFileEdit(edit);
        list->OnChange = [this](TObject*) { ++changes; };
        list->EnterFolder(tree.Root());
        Pump();
        changes = 0;
    }
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        for (int i = 0; i < list->Items()->Count(); ++i)
            rows.push_back(list->Items()->Get(i));
        return rows;
    }

    TTempTree tree;
    std::unique_ptr<TForm> form;
    TEdit* edit = nullptr;
    TskSkinFileListBox* list = nullptr;
    int changes = 0;
};

TEST_F(FileListBoxTest, ListsTheVisibleFilesInOrderWithNoneChosen)
{
    EXPECT_EQ(tree.Root(), list->Directory());
    EXPECT_THAT(Rows(), ElementsAre("a b.mkv", "my clip.MKV", "notes.txt", "README", "视频 一.mp4"));
    EXPECT_EQ(-1, list->ItemIndex());
    EXPECT_EQ("", list->FileName());
    EXPECT_EQ("*.*", edit->Text());
}

struct MaskCase {
    const char* Mask;
    std::vector<std::string> Rows;
};

const MaskCase kMaskCases[] = {
    {"*.mp4", {"视频 一.mp4"}},
    // Patterns match without regard to case, the way file dialogs' filters are written.
    {"*.mkv", {"a b.mkv", "my clip.MKV"}},
    // Both patterns match each of these: each is listed once.
    {"*.mkv;*.MKV", {"a b.mkv", "my clip.MKV"}},
    {"*.mkv;a*", {"a b.mkv", "my clip.MKV"}},
    {"*.*;*.txt;notes*", {"a b.mkv", "my clip.MKV", "notes.txt", "README", "视频 一.mp4"}},
    {" *.txt ; 视频*", {"notes.txt", "视频 一.mp4"}},
    {"*.txt;", {"notes.txt"}},
    {"README", {"README"}},
    {"*.avi", {}},
    {"", {}},
};

TEST_F(FileListBoxTest, TheMaskPicksTheRowsAndAChangeReadsTheFolderAgain)
{
    for (const MaskCase& c : kMaskCases) {
        SCOPED_TRACE(c.Mask);
        changes = 0;
        list->SetMask(c.Mask);
        EXPECT_EQ(c.Rows, Rows());
        EXPECT_EQ(1, changes);
        EXPECT_EQ(c.Mask, edit->Text());
    }
    // The same text again reads nothing; a file made meanwhile shows once
    // the mask changes, also only in letter case.
    list->SetMask("*.TXT");
    tree.File("new.TXT");
    list->SetMask("*.TXT");
    EXPECT_THAT(Rows(), ElementsAre("notes.txt"));
    list->SetMask("*.txt");
    EXPECT_THAT(Rows(), ElementsAre("new.TXT", "notes.txt"));
}

TEST_F(FileListBoxTest, FileTypeAddsHiddenFilesAndFolders)
{
    list->SetFileType(TskFileType{skftNormal, skftHidden});
    EXPECT_THAT(Rows(), ElementsAre(".hidden.mp4", "a b.mkv", "my clip.MKV", "notes.txt", "README", "视频 一.mp4"));
    list->SetFileType(TskFileType{skftNormal, skftDirectory});
    EXPECT_THAT(Rows(), ElementsAre("a b.mkv", "my clip.MKV", "notes.txt", "README", "[子 目录]", "视频 一.mp4"));
    // Folders alone.
    list->SetFileType(TskFileType{skftDirectory});
    EXPECT_THAT(Rows(), ElementsAre("[子 目录]"));
}

TEST_F(FileListBoxTest, ChoosingANameReportsItOnce)
{
    list->SelectName("a b.mkv");
    EXPECT_EQ(tree.Path("a b.mkv"), list->FileName());
    EXPECT_EQ("a b.mkv", edit->Text());
    EXPECT_EQ(7, edit->SelLength());
    EXPECT_EQ(1, changes);
    list->SelectName("a b.mkv");
    EXPECT_EQ(1, changes);
    // Without regard to case when no row has the exact text.
    list->SelectName("NOTES.TXT");
    EXPECT_EQ(tree.Path("notes.txt"), list->FileName());
    // A click on the reported row reports nothing; on another row, once.
    list->ListBoxClick();
    EXPECT_EQ(2, changes);
    list->SetItemIndex(0);
    list->ListBoxClick();
    EXPECT_EQ(3, changes);
    EXPECT_EQ("a b.mkv", edit->Text());
    // No such row: nothing chosen, the edit box shows the mask.
    list->SelectName("missing.mp4");
    EXPECT_EQ("", list->FileName());
    EXPECT_EQ("*.*", edit->Text());
}

TEST_F(FileListBoxTest, EnteringAFolderListsItsFiles)
{
    list->EnterFolder("子 目录");
    EXPECT_EQ(tree.Path("子 目录"), list->Directory());
    EXPECT_THAT(Rows(), ElementsAre("inner.mp4"));
    list->EnterFolder("..");
    EXPECT_EQ(tree.Root(), list->Directory());
    EXPECT_EQ(5, list->Items()->Count());
}

TEST_F(FileListBoxTest, AMissingFolderGivesAClearErrorAndAnEmptyList)
{
    const std::string missing = tree.Path("gone away");
    try {
        list->EnterFolder(missing);
        ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_THAT(e.Message(), HasSubstr(missing));
        EXPECT_NE(0, e.ErrorCode);
    }
    EXPECT_THAT(Rows(), IsEmpty());
    EXPECT_EQ("", list->FileName());
    EXPECT_EQ(1, changes);
    // The folder listed disappears: reading it again empties the list too.
    list->EnterFolder(tree.Path("子 目录"));
    ASSERT_EQ(1, list->Items()->Count());
    RemoveEntryTree(tree.Path("子 目录"));
    EXPECT_THROW(list->UpdateFiles(), EInOutError);
    EXPECT_THAT(Rows(), IsEmpty());
}

TEST_F(FileListBoxTest, ApplyFilePathTakesAFolderAFileOrAMask)
{
    const std::string root = std::filesystem::canonical(tree.Root()).string();
    const std::string sub = root + "/子 目录";
    // A folder (absolute, relative, or a folder row's bracketed text) is
    // listed with the mask kept; ".." goes back up.
    list->ApplyFilePath(sub);
    EXPECT_EQ(sub, list->Directory());
    EXPECT_THAT(Rows(), ElementsAre("inner.mp4"));
    list->ApplyFilePath("..");
    EXPECT_EQ(root, list->Directory());
    list->ApplyFilePath("[子 目录]");
    EXPECT_EQ(sub, list->Directory());
    // A path to a file enters its folder and chooses it.
    list->ApplyFilePath(root + "/notes.txt");
    EXPECT_EQ(root, list->Directory());
    EXPECT_EQ(root + "/notes.txt", list->FileName());
    EXPECT_EQ("notes.txt", edit->Text());
    // A mask keeps the folder and lists with it.
    list->ApplyFilePath("*.mkv;*.mp4");
    EXPECT_EQ("*.mkv;*.mp4", list->Mask());
    EXPECT_THAT(Rows(), ElementsAre("a b.mkv", "my clip.MKV", "视频 一.mp4"));
    list->ApplyFilePath("子 目录/*.mp4");
    EXPECT_EQ(sub, list->Directory());
    EXPECT_EQ("*.mp4", list->Mask());
    // A file the mask hides becomes the mask and is chosen.
    list->ApplyFilePath("../README");
    EXPECT_EQ(root, list->Directory());
    EXPECT_EQ("README", list->Mask());
    EXPECT_EQ(root + "/README", list->FileName());
    // A name that is nothing raises and changes nothing.
    EXPECT_THROW(list->ApplyFilePath("no such/clip.mp4"), EInOutError);
    EXPECT_THROW(list->ApplyFilePath("missing"), EInOutError);
    EXPECT_EQ(root, list->Directory());
    EXPECT_EQ("README", list->Mask());
    EXPECT_EQ(root + "/README", list->FileName());
}

TEST_F(FileListBoxTest, ApplyFilePathAndDriveLeaveTheCurrentFolderAlone)
{
    const std::string root = std::filesystem::canonical(tree.Root()).string();
    tree.Folder("vol");
    tree.File("vol/on volume.mp4");
    SetMountTableSource([root] { return "/dev/sda1 / ext4 rw 0 0\nserver:/share " + root + "/vol nfs4 rw 0 0\n"; });
    const std::string before = CurrentFolder();
    list->ApplyFilePath(tree.Path("子 目录"));
    EXPECT_EQ("/", list->Drive());
    // Another volume lists its root; the same one again does nothing.
    list->SetDrive(root + "/vol");
    EXPECT_EQ(root + "/vol", list->Directory());
    EXPECT_EQ(root + "/vol", list->Drive());
    EXPECT_THAT(Rows(), ElementsAre("on volume.mp4"));
    list->SelectName("on volume.mp4");
    list->SetDrive(root + "/vol");
    EXPECT_EQ(root + "/vol/on volume.mp4", list->FileName());
    EXPECT_EQ(before, CurrentFolder());
    SetMountTableSource(nullptr);
}

TEST_F(FileListBoxTest, TheFilterComboBoxHandsOverItsMask)
{
    auto* filter = Placed<TskSkinFilterComboBox>(*form, Bounds(10, 220, 200, 20));
    filter->SetFilter("Videos|*.mp4;*.mkv|Text|*.txt");
    Pump();
    filter->SetFileList(list);
    EXPECT_EQ(list, filter->FileList());
    EXPECT_EQ(filter, list->FilterCombo());
    // Linking hands over no mask; the next choice does.
    EXPECT_EQ("*.*", list->Mask());
    filter->SetItemIndex(1);
    EXPECT_THAT(Rows(), ElementsAre("notes.txt"));
    filter->SetItemIndex(0);
    EXPECT_THAT(Rows(), ElementsAre("a b.mkv", "my clip.MKV", "视频 一.mp4"));
    // Either side going ends the link.
    delete list;
    EXPECT_EQ(nullptr, filter->FileList());
    filter->SetItemIndex(1);
}

} // namespace

} // namespace tovrel::test
