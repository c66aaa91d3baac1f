#include "../../platform/shell/TempTree.h"
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Forms.h"
#include "skin/controls/SkinStdLabel.h"
#include "skin/shell/DirectoryListBox.h"
#include "skin/shell/DriveComboBox.h"
#include "skin/shell/FileControlPaths.h"
#include "skin/shell/FileControlVolumes.h"
#include "skin/shell/FileListBox.h"
#include "skin/shell/FilterComboBox.h"

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace tovrel::test {

namespace {

// One pixel per byte.
int ByteWidth(const std::string& text)
{
    return int(text.size());
}

TEST(FileControlPaths, DropFirstFolderLeavesTheMarkerInFront)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/", ""},
        {"/a/b/c/", "/.../b/c/"},
        {"/.../b/c/", "/.../c/"},
        {"/.../c/", "/.../"},
        {".../", ""},
        {"a/b/", ".../b/"},
        // A dot folder is a name, not the marker.
        {"/.config/app/", "/.../app/"},
        {"/.../.config/app/", "/.../app/"},
        {"/..data/x/", "/.../x/"},
    };
    for (const auto& [in, out] : cases) {
        std::string s = in;
        DropFirstFolder(s);
        EXPECT_EQ(s, out) << in;
    }
}

TEST(FileControlPaths, FitPathToWidthShortensStepByStep)
{
    const std::string path = "/home/user/.cache/clips/take.mp4";
    const std::vector<std::pair<int, std::string>> cases = {
        {100, path},
        {int(path.size()), path},
        {31, "/.../user/.cache/clips/take.mp4"},
        {30, "/.../.cache/clips/take.mp4"},
        {26, "/.../.cache/clips/take.mp4"},
        {19, "/.../clips/take.mp4"},
        {13, "/.../take.mp4"},
        {12, ".../take.mp4"},
        {8, "take.mp4"},
        // The bare name may still be too wide.
        {3, "take.mp4"},
    };
    for (const auto& [width, expected] : cases)
        EXPECT_EQ(FitPathToWidth(path, ByteWidth, width), expected) << width;
    EXPECT_EQ(FitPathToWidth("/take.mp4", ByteWidth, 3), "take.mp4");
}

// Keeps the process's current folder and the mount-table source for a test.
class FileControlsTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        saved = CurrentFolder();
        root = std::filesystem::canonical(tree.Root()).string();
    }
    void TearDown() override
    {
        form.reset();
        SetMountTableSource(nullptr);
        SetVolumeLabelFolder("");
        ASSERT_EQ(::chdir(saved.c_str()), 0);
        ControlTest::TearDown();
    }
    void UseMountTable(const std::string& table)
    {
        SetMountTableSource([table] { return table; });
    }
    template <class T> T* Place(int left, int top, int width, int height)
    {
        if (!form)
            form = ShownForm(0, 0, 600, 400);
        auto* control = new T(form.get());
        control->SetParent(form.get());
        control->SetBounds(left, top, width, height);
        return control;
    }
    static std::vector<std::string> Rows(TStrings& items)
    {
        std::vector<std::string> rows;
        for (int i = 0; i < items.Count(); ++i)
            rows.push_back(items.Strings(i));
        return rows;
    }

    TTempTree tree;
    std::string saved, root;
    std::unique_ptr<TForm> form;
};

TEST_F(FileControlsTest, DriveRowsListTheRootFirstWithLabelsAndRemoteNames)
{
    tree.Folder("dev");
    tree.File("dev/root");
    tree.Folder("by-label");
    ASSERT_EQ(::symlink("../dev/root", tree.Path("by-label/System\\x20Disk").c_str()), 0);
    SetVolumeLabelFolder(tree.Path("by-label"));
    UseMountTable("proc /proc proc rw 0 0\n"
                  "server:/share /mnt/nas nfs4 rw 0 0\n"
                  "/dev/sdb1 /media/u/STICK vfat rw 0 0\n"
                  "/dev/sr0 /media/u/DVD iso9660 ro 0 0\n"
                  "tmpfs /mnt/ram tmpfs rw 0 0\n"
                  "tmpfs /run/user/1000 tmpfs rw 0 0\n" +
                  tree.Path("dev/root") + " / ext4 rw 0 0\n");
    ASSERT_EQ(::chdir("/"), 0);
    auto* combo = Place<TskSkinDriveComboBox>(10, 10, 200, 20);
    combo->HandleNeeded();
    EXPECT_EQ(Rows(*combo->Items()), (std::vector<std::string>{"/ [system disk]", "/media/u/DVD []", "/media/u/STICK",
                                                               "/mnt/nas server:/share", "/mnt/ram []"}));
    EXPECT_EQ(combo->Drive(), "/");
    EXPECT_EQ(combo->ItemIndex(), 0);

    combo->SetDrive("/mnt/nas");
    combo->SetTextCase(tcUpperCase);
    EXPECT_EQ(combo->Items()->Strings(0), "/ [SYSTEM DISK]");
    EXPECT_EQ(combo->Items()->Strings(3), "/mnt/nas SERVER:/SHARE");
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Drive(), "/mnt/nas");

    combo->SetDrive("");
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(FileControlsTest, DirectoryRowsAreThePathThenTheVisibleSubfolders)
{
    tree.Folder("a");
    tree.Folder("a/b");
    tree.Folder("a/b/zeta");
    tree.Folder("a/b/Alpha");
    tree.Folder("a/b/beta");
    tree.Folder("a/b/.hidden");
    tree.File("a/b/file.txt");
    ASSERT_EQ(::symlink("zeta", tree.Path("a/b/link-to-zeta").c_str()), 0);
    UseMountTable("/dev/sda1 / ext4 rw 0 0\n");
    auto* list = Place<TskSkinDirectoryListBox>(10, 10, 200, 300);
    list->HandleNeeded();
    list->SetDirectory(root + "/a/b");

    std::vector<std::string> expected{"/"};
    for (const auto& part : std::filesystem::path(root + "/a/b"))
        if (part != "/")
            expected.push_back(part.string());
    const int current = int(expected.size()) - 1;
    for (const char* name : {"Alpha", "beta", "link-to-zeta", "zeta"})
        expected.emplace_back(name);
    EXPECT_EQ(Rows(*list->Items()), expected);
    EXPECT_EQ(list->ItemIndex(), current);
    EXPECT_EQ(list->Directory(), root + "/a/b");
    // The process's current folder is left alone.
    EXPECT_EQ(CurrentFolder(), saved);

    EXPECT_EQ(list->GetItemPath(0), "/");
    EXPECT_EQ(list->GetItemPath(current - 1), root + "/a");
    EXPECT_EQ(list->GetItemPath(current), root + "/a/b");
    EXPECT_EQ(list->GetItemPath(current + 1), root + "/a/b/Alpha");
    EXPECT_EQ(list->GetItemPath(list->Items()->Count()), "");
    EXPECT_THROW(list->GetItemPath(-1), EListError);

    // Enter opens the selected sub-folder; a path level goes up to it.
    list->SetItemIndex(current + 2);
    char16_t enter = 13;
    list->ListBoxKeyPress(enter);
    EXPECT_EQ(list->Directory(), root + "/a/b/beta");
    list->SetItemIndex(current - 1);
    list->ListBoxDblClick();
    EXPECT_EQ(list->Directory(), root + "/a");

    // A folder that is not there raises and changes nothing.
    EXPECT_THROW(list->SetDirectory(root + "/a/none"), EInOutError);
    EXPECT_EQ(list->Directory(), root + "/a");
    EXPECT_EQ(CurrentFolder(), saved);
    // Relative paths are taken from the folder shown.
    list->SetDirectory("b/zeta");
    EXPECT_EQ(list->Directory(), root + "/a/b/zeta");
}

TEST_F(FileControlsTest, TheDirectoryListFollowsTheDriveComboAndBack)
{
    tree.Folder("nas");
    tree.Folder("nas/inside");
    tree.Folder("work");
    UseMountTable("/dev/sda1 / ext4 rw 0 0\n"
                  "server:/share " +
                  root +
                  "/nas nfs4 rw 0 0\n"
                  "server:/gone " +
                  root + "/gone nfs4 rw 0 0\n");
    ASSERT_EQ(::chdir(tree.Path("work").c_str()), 0);
    auto* combo = Place<TskSkinDriveComboBox>(10, 10, 200, 20);
    auto* list = Place<TskSkinDirectoryListBox>(10, 40, 200, 300);
    combo->SetDirList(list);
    EXPECT_EQ(list->DriveCombo(), combo);
    combo->HandleNeeded();
    list->HandleNeeded();
    int changes = 0;
    list->OnChange = [&](TObject*) { ++changes; };
    ASSERT_EQ(combo->Items()->Count(), 3);
    EXPECT_EQ(combo->Drive(), "/");

    // A chosen volume is entered.
    combo->SetItemIndex(2);
    EXPECT_EQ(combo->Drive(), root + "/nas");
    EXPECT_EQ(list->Directory(), root + "/nas");
    EXPECT_EQ(Rows(*list->Items()).back(), "inside");
    EXPECT_EQ(changes, 1);

    // A volume that cannot be entered raises nothing and keeps the folder.
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Drive(), root + "/gone");
    EXPECT_EQ(list->Directory(), root + "/nas");
    EXPECT_EQ(changes, 2);

    // A folder on another volume moves the combo box.
    list->SetDirectory(root + "/work");
    EXPECT_EQ(combo->Drive(), "/");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(list->Directory(), root + "/work");
    EXPECT_EQ(changes, 3);

    // Freeing the combo box unlinks it.
    delete combo;
    EXPECT_EQ(list->DriveCombo(), nullptr);
}

TEST_F(FileControlsTest, TheFileListAndTheLabelHearOfEveryFolder)
{
    tree.Folder("videos");
    tree.Folder("videos/holiday");
    UseMountTable("/dev/sda1 / ext4 rw 0 0\n");
    auto* list = Place<TskSkinDirectoryListBox>(10, 10, 200, 300);
    auto* label = Place<TskSkinStdLabel>(220, 10, 60, 20);
    label->SetAutoSize(false);
    auto* files = Place<TskSkinFileListBox>(220, 40, 200, 200);
    list->SetFileList(files);
    EXPECT_EQ(files->DirList(), list);
    list->SetDirLabel(label);
    list->HandleNeeded();
    list->SetDirectory(root + "/videos/holiday");
    EXPECT_EQ(files->Directory(), root + "/videos/holiday");

    // The label shows the shortened forms as it narrows, and the whole path when wide.
    TCanvas& canvas = *label->Canvas();
    canvas.SetFont(label->Font());
    const std::string full = root + "/videos/holiday";
    for (int width : {2000, canvas.TextWidth("/.../videos/holiday"), canvas.TextWidth(".../holiday"), 5}) {
        label->SetWidth(width);
        list->UpdateDirLabel();
        EXPECT_EQ(label->Caption(), FitPathToWidth(full, canvas, width)) << width;
        EXPECT_LE(canvas.TextWidth(label->Caption()), std::max(width, canvas.TextWidth("holiday")));
    }
    label->SetWidth(2000);
    list->UpdateDirLabel();
    EXPECT_EQ(label->Caption(), full);
    label->SetWidth(canvas.TextWidth("/.../videos/holiday"));
    list->UpdateDirLabel();
    EXPECT_EQ(label->Caption(), "/.../videos/holiday");

    delete files;
    EXPECT_EQ(list->FileList(), nullptr);
    list->SetDirectory(root + "/videos");
    EXPECT_EQ(list->Directory(), root + "/videos");
}

TEST_F(FileControlsTest, DriveDirectoryAndFileListFollowEachOther)
{
    tree.Folder("nas");
    tree.Folder("nas/clips");
    tree.File("nas/clips/take.mp4");
    tree.File("nas/clips/take.MKV");
    tree.File("nas/clips/notes.txt");
    tree.File("nas/top.mp4");
    tree.Folder("work");
    tree.File("work/a.txt");
    UseMountTable("/dev/sda1 / ext4 rw 0 0\n"
                  "server:/share " +
                  root + "/nas nfs4 rw 0 0\n");
    ASSERT_EQ(::chdir(tree.Path("work").c_str()), 0);
    auto* combo = Place<TskSkinDriveComboBox>(10, 10, 200, 20);
    auto* dirs = Place<TskSkinDirectoryListBox>(10, 40, 200, 200);
    auto* files = Place<TskSkinFileListBox>(220, 40, 200, 200);
    auto* filter = Place<TskSkinFilterComboBox>(220, 250, 200, 20);
    combo->SetDirList(dirs);
    dirs->SetFileList(files);
    filter->SetFileList(files);
    filter->SetFilter("Videos|*.mp4;*.mkv|Text|*.txt|All|*.*");
    for (TWinControl* control : std::initializer_list<TWinControl*>{combo, dirs, files, filter})
        control->HandleNeeded();
    const auto fileRows = [&] { return Rows(*files->Items()); };
    EXPECT_EQ(files->Mask(), "*.mp4;*.mkv");
    EXPECT_EQ(fileRows(), std::vector<std::string>{});

    // A drive chosen in the combo box moves the directory list, which moves the file list.
    combo->SetItemIndex(1);
    EXPECT_EQ(dirs->Directory(), root + "/nas");
    EXPECT_EQ(files->Directory(), root + "/nas");
    EXPECT_EQ(fileRows(), std::vector<std::string>{"top.mp4"});
    // A folder opened in the directory list; both patterns match the .MKV
    // file (case is ignored) and it is listed once.
    dirs->SetItemIndex(dirs->Items()->IndexOf("clips"));
    dirs->ListBoxDblClick();
    EXPECT_EQ(files->Directory(), root + "/nas/clips");
    EXPECT_EQ(fileRows(), (std::vector<std::string>{"take.MKV", "take.mp4"}));
    // The filter's choice is the file list's mask.
    filter->SetItemIndex(1);
    EXPECT_EQ(fileRows(), std::vector<std::string>{"notes.txt"});

    // A path typed into the file list moves the directory list and the drive.
    files->ApplyFilePath(root + "/work/a.txt");
    EXPECT_EQ(dirs->Directory(), root + "/work");
    EXPECT_EQ(combo->Drive(), "/");
    EXPECT_EQ(files->Directory(), root + "/work");
    EXPECT_EQ(files->FileName(), root + "/work/a.txt");
    files->ApplyFilePath("../nas/clips/*.mp4");
    EXPECT_EQ(dirs->Directory(), root + "/nas/clips");
    EXPECT_EQ(combo->Drive(), root + "/nas");
    EXPECT_EQ(fileRows(), std::vector<std::string>{"take.mp4"});
    // None of it touched the process's current folder.
    EXPECT_EQ(CurrentFolder(), root + "/work");
}

} // namespace
} // namespace tovrel::test
