#include "TempTree.h"

#include "platform/shell/FileSystemFolder.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellItems.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/shell/ShellRoots.h"
#include "platform/shell/ShellUnit.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tovrel::test {
namespace {

using test::TScopedEnv;
using test::TTempTree;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::uint32_t AllItems = SHCONTF_FOLDERS | SHCONTF_NONFOLDERS | SHCONTF_INCLUDEHIDDEN;
const std::string BrokenName = "bad\xFF.txt";

class ShellNamespaceTest : public ::testing::Test {
protected:
    void SetUp() override { InitializeShellUnit(); }

    // The display names of what folder lists with flags, in order.
    static std::vector<std::string> Names(IShellFolder& folder, std::uint32_t flags)
    {
        std::vector<std::string> names;
        for (const TItemIDListPtr& id : folder.EnumObjects(flags))
            names.push_back(folder.GetDisplayNameOf(id.get(), SHGDN_INFOLDER));
        return names;
    }

    std::unique_ptr<TskShellFolder> FolderFor(const std::string& path)
    {
        std::unique_ptr<TskShellFolder> none;
        TRoot root = path;
        return CreateFolderForRoot(none, "", root);
    }

    TTempTree tree;
};

TEST_F(ShellNamespaceTest, ListsFoldersFirstThenNamesWithoutRegardToCase)
{
    tree.Folder("z-folder");
    tree.Folder("Y-folder");
    tree.File("b.txt");
    tree.File("A.mp4");
    tree.File("中文名.avi");
    tree.File(BrokenName);
    tree.File(".hidden");
    ::mkfifo(tree.Path("pipe").c_str(), 0644);
    TFileSystemFolder folder(tree.Root());

    EXPECT_THAT(Names(folder, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS),
                ElementsAre("Y-folder", "z-folder", "A.mp4", "b.txt", "bad\\xFF.txt", "中文名.avi"));
    EXPECT_THAT(Names(folder, AllItems),
                ElementsAre("Y-folder", "z-folder", ".hidden", "A.mp4", "b.txt", "bad\\xFF.txt", "pipe", "中文名.avi"));
    EXPECT_THAT(Names(folder, SHCONTF_FOLDERS), ElementsAre("Y-folder", "z-folder"));

    // The order the views sort by agrees with the listing; only identical bytes are equal.
    tree.File("a.mp4");
    const std::vector<TItemIDListPtr> ids = folder.EnumObjects(AllItems);
    for (std::size_t i = 0; i + 1 < ids.size(); ++i) {
        EXPECT_LT(folder.CompareIDs(ids[i].get(), ids[i + 1].get()), 0) << i;
        EXPECT_GT(folder.CompareIDs(ids[i + 1].get(), ids[i].get()), 0) << i;
        EXPECT_EQ(folder.CompareIDs(ids[i].get(), ids[i].get()), 0) << i;
    }
    const TItemIDListPtr absolute = DesktopIShellFolder()->ParseDisplayName(tree.Path("z-folder"));
    const TItemIDListPtr sibling = DesktopIShellFolder()->ParseDisplayName(tree.Path("A.mp4"));
    EXPECT_LT(DesktopIShellFolder()->CompareIDs(absolute.get(), sibling.get()), 0) << "folders first, deep lists too";
}

TEST_F(ShellNamespaceTest, InvalidUtf8NameIsShownEscapedButKeptAsRawBytes)
{
    tree.File(BrokenName, "raw");
    TFileSystemFolder folder(tree.Root());
    const std::vector<TItemIDListPtr> ids = folder.EnumObjects(AllItems);
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(ItemPayload(ids[0].get()), "F" + BrokenName);
    EXPECT_EQ(folder.GetDisplayNameOf(ids[0].get(), SHGDN_NORMAL), "bad\\xFF.txt");
    EXPECT_EQ(folder.GetDisplayNameOf(ids[0].get(), SHGDN_FORPARSING | SHGDN_INFOLDER), BrokenName);
    EXPECT_EQ(folder.PathOf(ids[0].get()), tree.Path(BrokenName));
    EXPECT_EQ(FolderFor(tree.Path(BrokenName))->FullObjectName(), tree.Path(BrokenName));
}

TEST_F(ShellNamespaceTest, AttributesFollowTheFileSystem)
{
    tree.Folder("folder");
    tree.Folder("folder/sub");
    tree.Folder("leaf");
    tree.File("file.txt");
    tree.File(".dot");
    ::chmod(tree.File("ro.txt").c_str(), 0444);
    ::symlink("file.txt", tree.Path("link").c_str());
    ::symlink("missing", tree.Path("dangling").c_str());
    ::mkfifo(tree.Path("fifo").c_str(), 0644);
    TFileSystemFolder folder(tree.Root());
    const auto attributes = [&](const std::string& name) {
        return folder.GetAttributesOf(MakeItemIDList("F" + name).get(), SFGAO_HASSUBFOLDER);
    };
    struct Case {
        std::string Name;
        SFGAOF Set;
        SFGAOF Clear;
    } cases[] = {
        {"folder", SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSTEM | SFGAO_CANRENAME, SFGAO_HIDDEN},
        {"leaf", SFGAO_FOLDER, SFGAO_HASSUBFOLDER},
        {"file.txt", SFGAO_FILESYSTEM | SFGAO_CANRENAME | SFGAO_CANDELETE, SFGAO_FOLDER | SFGAO_READONLY},
        {".dot", SFGAO_HIDDEN | SFGAO_GHOSTED, 0},
        {"ro.txt", SFGAO_READONLY, SFGAO_FOLDER},
        {"link", SFGAO_LINK, SFGAO_FOLDER | SFGAO_SYSTEM},
        {"dangling", SFGAO_LINK, SFGAO_FOLDER},
        {"fifo", SFGAO_SYSTEM, SFGAO_FOLDER},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(attributes(c.Name) & c.Set, c.Set) << c.Name;
        EXPECT_EQ(attributes(c.Name) & c.Clear, 0u) << c.Name;
    }
    EXPECT_EQ(attributes("gone"), 0u);
}

TEST_F(ShellNamespaceTest, ChineseFolderResolvesAndShowsItsName)
{
    tree.Folder("中文目录");
    tree.File("中文目录/视频.mp4");
    const auto folder = FolderFor(tree.Path("中文目录"));
    EXPECT_EQ(folder->DisplayName(), "中文目录");
    EXPECT_EQ(folder->PathName(), tree.Path("中文目录"));
    EXPECT_TRUE(folder->IsFolder());
    EXPECT_THAT(Names(*folder->ShellFolder(), AllItems), ElementsAre("视频.mp4"));
}

TEST_F(ShellNamespaceTest, DetailColumns)
{
    const int fd = ::open(tree.File("big.MP4", "").c_str(), O_WRONLY);
    ASSERT_EQ(::ftruncate(fd, 5LL << 30), 0); // sparse: takes no space
    ::close(fd);
    tree.Folder("dir");
    const auto root = FolderFor(tree.Root());
    TskShellFolder big(root.get(), MakeItemIDList("Fbig.MP4").get(), nullptr);
    TskShellFolder dir(root.get(), MakeItemIDList("Fdir").get(), nullptr);
    EXPECT_THROW(big.Details(1), Exception);
    big.LoadColumnDetails(root.get(), 0, 4);
    dir.LoadColumnDetails(root.get(), 0, 4);
    EXPECT_EQ(big.Details(1), "5368709120");
    EXPECT_EQ(big.Details(2), ".MP4");
    EXPECT_THAT(big.Details(3), HasSubstr(":"));
    EXPECT_THAT(big.Details(4), HasSubstr(":")) << "the list view's column sort looks for the time separator";
    EXPECT_EQ(dir.Details(1), "") << "a folder has no size to show";
    EXPECT_EQ(FindDataSize(ReadFindData(big)), 5LL << 30);
    EXPECT_EQ(FindDataSize(ReadFindData(dir)), -1);
    TskShellFolder gone(root.get(), MakeItemIDList("Fgone").get(), nullptr);
    try {
        ReadFindData(gone);
        ADD_FAILURE();
    } catch (const EInvalidPath& e) {
        EXPECT_EQ(e.Message(), "Unable to retrieve folder details for \"gone\". Error code $2");
    }
    EXPECT_EQ(big.ImageIndex(false), siVideo);
    EXPECT_EQ(dir.ImageIndex(true), siFolder);
}

TEST_F(ShellNamespaceTest, RenameNeverReplacesAndRefreshesTheItem)
{
    tree.File("a.txt", "a");
    tree.File("b.txt", "b");
    const auto root = FolderFor(tree.Root());
    TskShellFolder item(root.get(), MakeItemIDList("Fa.txt").get(), nullptr);
    item.LoadColumnDetails(root.get(), 0, 2);

    for (const char* bad : {"b.txt", "x/y", "..", ""}) {
        try {
            item.Rename(bad);
            ADD_FAILURE() << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), std::string("Rename to ") + bad + " failed");
        }
        EXPECT_EQ(ItemPayload(item.RelativeID()), "Fa.txt");
    }
    EXPECT_EQ(test::ReadText(tree.Path("b.txt")), "b");

    EXPECT_TRUE(item.Rename("c.mp3"));
    EXPECT_EQ(item.PathName(), tree.Path("c.mp3"));
    EXPECT_EQ(test::ReadText(tree.Path("c.mp3")), "a");
    item.LoadColumnDetails(root.get(), 0, 2);
    EXPECT_EQ(item.Details(2), ".mp3") << "texts of the old name are not kept";
}

TEST_F(ShellNamespaceTest, RenamedFolderListsItsContentsUnderTheNewName)
{
    tree.Folder("old");
    tree.File("old/inside.txt");
    auto folder = FolderFor(tree.Path("old"));
    ASSERT_TRUE(folder->Rename("新"));
    EXPECT_EQ(folder->FullObjectName(), tree.Path("新"));
    EXPECT_EQ(folder->DisplayName(), "新");
    EXPECT_THAT(Names(*folder->ShellFolder(), AllItems), ElementsAre("inside.txt"));
}

TEST_F(ShellNamespaceTest, ModifiedTimeInTwoSecondStepsAndNoneForFolders)
{
    const std::string file = tree.File("t.txt");
    const auto setTime = [&](std::int64_t unixSeconds) {
        const timespec times[2] = {{unixSeconds, 0}, {unixSeconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    };
    const std::int64_t odd = 1700000001; // an odd second
    setTime(odd);
    EXPECT_DOUBLE_EQ(FindDataModified(*ReadEntryFindData(file)), UnixTimeToLocalDateTime(odd - 1));
    setTime(315532800 - 86400 * 2); // before 1980
    EXPECT_EQ(FindDataModified(*ReadEntryFindData(file)), -1);
    EXPECT_EQ(FindDataModified(*ReadEntryFindData(tree.Root())), -1);
    EXPECT_EQ(FindDataColumnText(*ReadEntryFindData(tree.Root()), 3), "");
}

TEST_F(ShellNamespaceTest, VanishedFolderListsNothingRatherThanTheDesktop)
{
    tree.Folder("gone");
    tree.File("gone/inside.txt");
    const auto folder = FolderFor(tree.Path("gone"));
    RemoveEntryTree(tree.Path("gone"));
    EXPECT_TRUE(folder->ShellFolder()->EnumObjects(AllItems).empty());
    const auto file = FolderFor(tree.File("plain.txt"));
    EXPECT_TRUE(file->ShellFolder()->EnumObjects(AllItems).empty());
    EXPECT_FALSE(file->IsFolder());
}

TEST_F(ShellNamespaceTest, RootsResolveOrFailWithoutLosingTheOldFolder)
{
    TScopedEnv home("HOME", tree.Root());
    std::unique_ptr<TskShellFolder> folder;
    TRoot root = "rfmycomputer";
    folder = CreateFolderForRoot(folder, "", root);
    EXPECT_EQ(folder->DisplayName(), "计算机");
    EXPECT_EQ(folder->PathName(), "计算机") << "a virtual item's path name is its display name";
    EXPECT_EQ(folder->FullObjectName(), "");
    const std::vector<TItemIDListPtr> volumes = folder->ShellFolder()->EnumObjects(AllItems);
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(folder->ShellFolder()->PathOf(volumes[0].get()), "/");
    EXPECT_EQ(folder->ShellFolder()->GetDisplayNameOf(volumes[0].get(), SHGDN_NORMAL), "文件系统");

    TskShellFolder* const kept = folder.get();
    for (std::string bad : {"", "/no/such/folder", "rfPrinters", "relative/path"}) {
        root = bad;
        try {
            CreateFolderForRoot(folder, "rfMyComputer", root);
            ADD_FAILURE() << bad;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Error setting path: \"" + bad + "\"");
        }
        EXPECT_EQ(root, "rfMyComputer");
        EXPECT_EQ(folder.get(), kept);
    }

    root = "rfPersonal";
    folder = CreateFolderForRoot(folder, "rfMyComputer", root);
    EXPECT_EQ(folder->PathName(), tree.Root());
    EXPECT_EQ(folder->Parent(), DesktopShellFolder());
    EXPECT_EQ(folder->Level(), 0);
    EXPECT_TRUE(ItemIDListsEqual(folder->AbsoluteID(), folder->RelativeID()));
}

TEST_F(ShellNamespaceTest, DesktopHoldsHomeComputerAndUserFolders)
{
    TScopedEnv home("HOME", tree.Root());
    TScopedEnv config("XDG_CONFIG_HOME", tree.Folder("config"));
    tree.Folder("视频");
    tree.File("config/user-dirs.dirs", "# comment\nXDG_VIDEOS_DIR=\"$HOME/视频\"\nXDG_MUSIC_DIR=\"$HOME/missing\"\n"
                                       "XDG_DESKTOP_DIR=\"$HOME/\"\n");
    IShellFolder& desktop = *DesktopIShellFolder();
    EXPECT_THAT(Names(desktop, AllItems), ElementsAre("主文件夹", "计算机", "视频"));
    EXPECT_EQ(DesktopShellFolder()->DisplayName(), "桌面");
    EXPECT_EQ(DesktopShellFolder()->PathName(), tree.Root()) << "no desktop folder: the home folder";
    EXPECT_EQ(ShellIconIndex(DesktopShellFolder()->AbsoluteID(), false, false), siDesktop);
    EXPECT_EQ(ShellIconIndex(MakeItemIDList("H").get(), false, false), siHome);
}

TEST_F(ShellNamespaceTest, ZipArchiveIsNeverAFolder)
{
    for (const char* name : {"a.zip", "b.ZIP", "c.ZiP"}) {
        tree.Folder(name);
        EXPECT_FALSE(FolderFor(tree.Path(name))->IsFolder()) << name;
    }
}

class TRecordingLauncher : public IShellLauncher {
public:
    bool Open(const std::string& target, const std::string& workingFolder) override
    {
        Target = target;
        WorkingFolder = workingFolder;
        return true;
    }
    std::string Target, WorkingFolder;
};

TEST_F(ShellNamespaceTest, ExecuteDefaultOpensThePathThroughTheLauncher)
{
    auto launcher = std::make_shared<TRecordingLauncher>();
    SetShellLauncher(launcher);
    tree.Folder("in");
    const std::string path = tree.File("in/" + BrokenName);
    EXPECT_EQ(FolderFor(path)->ExecuteDefault(), 1);
    EXPECT_EQ(launcher->Target, path);
    EXPECT_EQ(launcher->WorkingFolder, tree.Path("in"));
    TRoot computer = "rfMyComputer";
    std::unique_ptr<TskShellFolder> none;
    EXPECT_EQ(CreateFolderForRoot(none, "", computer)->ExecuteDefault(), 0);
    SetShellLauncher(nullptr);
}

} // namespace
} // namespace tovrel::test
