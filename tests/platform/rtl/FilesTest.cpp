#include "platform/rtl/Files.h"
#include "platform/rtl/FileSearch.h"
#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel::test {
namespace {

// A fresh folder under the temp folder, removed with its content afterwards.
class FilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = ::testing::TempDir() + "rtl-files-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern + "/";
    }
    void TearDown() override { std::system(("rm -rf '" + root_ + "'").c_str()); }

    std::string Write(const std::string& name, size_t bytes)
    {
        const std::string path = root_ + name;
        std::ofstream(path) << std::string(bytes, 'x');
        return path;
    }

    std::string root_;
};

TEST_F(FilesTest, ExistenceSizeAndDeletion)
{
    const std::string file = Write("a.avi", 1234);
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(root_));
    EXPECT_FALSE(FileExists(root_)); // files only
    EXPECT_FALSE(FileExists(""));
    EXPECT_EQ(FileSizeOf(file), 1234);
    EXPECT_EQ(FileSizeOf(root_), -1);
    EXPECT_EQ(FileSizeOf(root_ + "missing"), -1);
    EXPECT_FALSE(DeleteFile(root_)); // never a folder
    EXPECT_TRUE(DeleteFile(file));
    EXPECT_FALSE(FileExists(file));
    EXPECT_FALSE(DeleteFile(file));
}

TEST_F(FilesTest, ForceDirectoriesMakesEveryLevel)
{
    const std::string deep = root_ + "视频/输出/x/";
    EXPECT_TRUE(ForceDirectories(deep));
    EXPECT_TRUE(DirectoryExists(deep));
    EXPECT_TRUE(ForceDirectories(deep)); // already there
    EXPECT_FALSE(ForceDirectories(""));
    const std::string file = Write("plain", 1);
    EXPECT_FALSE(ForceDirectories(file + "/sub")); // a file is in the way
}

TEST_F(FilesTest, ProgramFolderIsTheTestBinarysFolder)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + ExtractFileName(ProgramFileName())));
}

TEST_F(FilesTest, FindFirstNextHonoursMaskAndAttributes)
{
    Write("one.AVI", 10);
    Write("two.avi", 20);
    Write("notes.txt", 5);
    Write(".hidden.avi", 1);
    ASSERT_EQ(mkdir((root_ + "sub.avi").c_str(), 0755), 0);

    auto list = [&](const std::string& mask, int attr) {
        std::map<std::string, TSearchRec> found;
        TSearchRec rec;
        for (int r = FindFirst(root_ + mask, attr, rec); r == 0; r = FindNext(rec))
            found[rec.Name] = rec;
        FindClose(rec);
        return found;
    };
    auto names = [](const std::map<std::string, TSearchRec>& found) {
        std::set<std::string> out;
        for (auto& [name, rec] : found)
            out.insert(name);
        return out;
    };

    const auto plain = list("*.avi", faAnyFile & ~faDirectory & ~faHidden);
    EXPECT_EQ(names(plain), (std::set<std::string>{"one.AVI", "two.avi"})); // mask ignores case
    EXPECT_EQ(plain.at("two.avi").Size, 20);
    EXPECT_EQ(plain.at("two.avi").Attr & faDirectory, 0);
    EXPECT_GT(plain.at("two.avi").Time, 40000.0);

    EXPECT_EQ(names(list("*.*", 0)), (std::set<std::string>{"one.AVI", "two.avi", "notes.txt"}));
    EXPECT_EQ(names(list("*.avi", faAnyFile)), (std::set<std::string>{"one.AVI", "two.avi", ".hidden.avi", "sub.avi"}));
    EXPECT_NE(list("*", faDirectory).at("sub.avi").Attr & faDirectory, 0);
    EXPECT_EQ(names(list("t?o.*", 0)), (std::set<std::string>{"two.avi"}));

    TSearchRec rec;
    EXPECT_EQ(FindFirst(root_ + "*.mkv", faAnyFile, rec), ENOENT);
    EXPECT_EQ(FindFirst(root_ + "missing/*.*", faAnyFile, rec), ENOENT);
    EXPECT_EQ(FindNext(rec), EBADF);
}

} // namespace
} // namespace tovrel::test
