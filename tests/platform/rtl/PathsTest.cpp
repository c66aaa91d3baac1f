#include "platform/rtl/Paths.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace tovrel::test {
namespace {

TEST(PathsTest, SplittingTable)
{
    struct Case {
        const char* name;
        const char* path;
        const char* dir;
        const char* file;
        const char* ext;
    };
    const Case cases[] = {
        {"/data/in/clip.avi", "/data/in/", "/data/in", "clip.avi", ".avi"},
        {"clip.tar.gz", "", "", "clip.tar.gz", ".gz"},
        {"/data/in.d/clip", "/data/in.d/", "/data/in.d", "clip", ""},
        {"/data/in/", "/data/in/", "/data/in", "", ""},
        {"/clip.mp4", "/", "/", "clip.mp4", ".mp4"},
        {".hidden", "", "", ".hidden", ".hidden"},
        {"/输出/视频.mp4", "/输出/", "/输出", "视频.mp4", ".mp4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractFilePath(c.name), c.path) << c.name;
        EXPECT_EQ(ExtractFileDir(c.name), c.dir) << c.name;
        EXPECT_EQ(ExtractFileName(c.name), c.file) << c.name;
        EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
    }
}

TEST(PathsTest, ChangingAndJoining)
{
    EXPECT_EQ(ChangeFileExt("/a/b.avi", ".mp4"), "/a/b.mp4");
    EXPECT_EQ(ChangeFileExt("/a.d/b", ".mp4"), "/a.d/b.mp4");
    EXPECT_EQ(ChangeFileExt("b.avi", ""), "b");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter("/a/"), "/a/");
    EXPECT_EQ(IncludeTrailingPathDelimiter(""), "/");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/a/"), "/a");
    EXPECT_EQ(ExcludeTrailingPathDelimiter("/"), "/"); // the root stays the root
    EXPECT_EQ(PathJoin("/a", "b"), "/a/b");
    EXPECT_EQ(PathJoin("/a/", "/b"), "/a/b");
    EXPECT_EQ(PathJoin("", "b"), "b");
}

TEST(PathsTest, ExpandFileNameResolvesDotsAgainstTheWorkingFolder)
{
    EXPECT_EQ(ExpandFileName("/a/./b/../c"), "/a/c");
    EXPECT_EQ(ExpandFileName("/a/b/"), "/a/b/");
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(ExpandFileName("x/../y.txt"), std::string(cwd) + "/y.txt");
}

} // namespace
} // namespace tovrel::test
