#include "TempTree.h"

#include "platform/shell/FileOperations.h"
#include "platform/shell/MountTable.h"
#include "platform/shell/ShellEnvironment.h"
#include "platform/shell/Trash.h"

#include <cerrno>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

using test::ReadText;
using test::TScopedEnv;
using test::TTempTree;

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

TEST(TrashTest, DeleteThenRestoreByTheInfoFile)
{
    TTempTree tree;
    TScopedEnv data("XDG_DATA_HOME", tree.Folder("data"));
    const std::string trash = TrashFolder();
    EXPECT_EQ(trash, tree.Path("data/Trash"));
    tree.Folder("视频 100%");
    const std::string original = tree.File("视频 100%/片段#1.mp4", "clip");
    const std::string second = tree.File("片段#1.mp4", "other");

    std::string name;
    ASSERT_EQ(MoveToTrash(original, trash, &name), 0);
    EXPECT_EQ(name, "片段#1.mp4");
    EXPECT_FALSE(Exists(original));
    std::string secondName;
    ASSERT_EQ(MoveToTrash(second, trash, &secondName), 0);
    EXPECT_EQ(secondName, "片段#1.mp4.2") << "a taken name is never replaced";

    const std::string infoText = ReadText(trash + "/info/" + name + ".trashinfo");
    EXPECT_THAT(infoText, ::testing::HasSubstr("Path=" + PercentEncodePath(original) + "\n"));
    EXPECT_THAT(infoText,
                ::testing::ContainsRegex("DeletionDate=[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}"));
    EXPECT_EQ(PercentEncodePath(original).find_first_of(" #"), std::string::npos);
    EXPECT_THAT(PercentEncodePath(original), ::testing::HasSubstr("100%25/"));

    const std::optional<TTrashInfo> info = ParseTrashInfo(infoText);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->Path, original);
    ASSERT_EQ(RenameNoReplace(trash + "/files/" + name, info->Path), 0);
    EXPECT_EQ(ReadText(original), "clip");
}

TEST(TrashTest, RefusesWhatItCannotTrash)
{
    TTempTree tree;
    EXPECT_EQ(MoveToTrash(tree.Path("missing"), tree.Path("Trash")), ENOENT);
    EXPECT_EQ(MoveToTrash("relative.txt", tree.Path("Trash")), EINVAL);
    EXPECT_FALSE(ParseTrashInfo("Path=/x\n"));
    EXPECT_FALSE(ParseTrashInfo("[Trash Info]\nPath=/bad%zz\n"));
    EXPECT_FALSE(PercentDecode("%4"));
    EXPECT_EQ(PercentDecode("%E4%B8%AD/a%20b"), "中/a b");
}

TEST(PasteTest, CopyAndMoveNeverReplace)
{
    TTempTree tree;
    tree.Folder("src");
    tree.Folder("src/inner");
    tree.File("src/inner/a.txt", "a");
    ::symlink("inner/a.txt", tree.Path("src/link").c_str());
    tree.Folder("dst");
    tree.File("taken.txt", "mine");
    tree.File("dst/taken.txt", "theirs");

    ASSERT_EQ(CopyEntryInto(tree.Path("src"), tree.Path("dst")), 0);
    EXPECT_EQ(ReadText(tree.Path("dst/src/inner/a.txt")), "a");
    EXPECT_EQ(ReadText(tree.Path("dst/src/link")), "a");
    EXPECT_EQ(CopyEntryInto(tree.Path("src"), tree.Path("dst")), EEXIST);
    EXPECT_EQ(CopyEntryInto(tree.Path("taken.txt"), tree.Path("dst")), EEXIST);
    EXPECT_EQ(MoveEntryInto(tree.Path("taken.txt"), tree.Path("dst")), EEXIST);
    EXPECT_EQ(ReadText(tree.Path("dst/taken.txt")), "theirs");
    EXPECT_EQ(CopyEntryInto(tree.Path("src"), tree.Path("src/inner")), EINVAL) << "into itself";

    EXPECT_EQ(MoveEntryInto(tree.Path("src"), tree.Path("src/inner")), EINVAL) << "into itself";
    ASSERT_EQ(MoveEntryInto(tree.Path("taken.txt"), tree.Path("src")), 0);
    EXPECT_EQ(ReadText(tree.Path("src/taken.txt")), "mine");
    EXPECT_FALSE(Exists(tree.Path("taken.txt")));
}

TEST(MountTableTest, VolumesAreUserFileSystemsRootFirst)
{
    const char* table = "proc /proc proc rw 0 0\n"
                        "/dev/sdb1 /media/me/USB\\040Stick vfat rw 0 0\n"
                        "overlay / overlay rw 0 0\n"
                        "sysfs /sys sysfs rw 0 0\n"
                        "/dev/sda2 /home ext4 rw 0 0\n"
                        "/dev/sr0 /media/cd iso9660 ro 0 0\n"
                        "server:/share /mnt/nfs nfs4 rw 0 0\n"
                        "tmpfs /run/user/1000 tmpfs rw 0 0\n"
                        "tmpfs /mnt/ram tmpfs rw 0 0\n"
                        "/dev/sda1 /boot/efi vfat rw 0 0\n"
                        "/dev/sda2 /home ext4 rw 0 0\n"
                        "broken line\n";
    std::vector<std::pair<std::string, TVolumeKind>> got;
    for (const TVolume& v : VolumesFromMountTable(table))
        got.emplace_back(v.MountPath, v.Kind);
    using K = TVolumeKind;
    EXPECT_THAT(
        got, ::testing::ElementsAre(
                 std::pair{std::string("/"), K::vkFixed}, std::pair{std::string("/media/me/USB Stick"), K::vkRemovable},
                 std::pair{std::string("/media/cd"), K::vkOptical}, std::pair{std::string("/mnt/nfs"), K::vkNetwork},
                 std::pair{std::string("/mnt/ram"), K::vkRam}, std::pair{std::string("/home"), K::vkFixed}));
    EXPECT_EQ(VolumesFromMountTable("").front().MountPath, "/") << "the root is always there";
}

} // namespace
} // namespace tovrel::test
