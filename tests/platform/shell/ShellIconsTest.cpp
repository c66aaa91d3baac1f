#include "platform/shell/ShellIcons.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

TEST(ShellIconsTest, BothListsHoldEveryPictureWithPremultipliedAlpha)
{
    for (const bool large : {false, true}) {
        const std::vector<TSurface>& list = ShellImageList(large);
        ASSERT_EQ(list.size(), std::size_t(ShellIconCount));
        const int size = large ? LargeShellIconSize : SmallShellIconSize;
        for (int icon = 0; icon < ShellIconCount; ++icon) {
            const TSurface& s = list[std::size_t(icon)];
            ASSERT_EQ(s.Width(), size);
            ASSERT_EQ(s.Height(), size);
            ASSERT_EQ(s.PixelFormat(), TPixelFormat::pf32bit);
            int opaque = 0, transparent = 0;
            for (int y = 0; y < size; ++y) {
                const std::uint8_t* row = s.ScanLine(y);
                for (int x = 0; x < size; ++x) {
                    const std::uint8_t* px = row + x * 4;
                    ASSERT_LE(std::max({px[0], px[1], px[2]}), px[3]) << "premultiplied: icon " << icon;
                    opaque += px[3] == 255;
                    transparent += px[3] == 0;
                }
            }
            EXPECT_GT(opaque, size * size / 8) << "icon " << icon << " draws a shape";
            EXPECT_GT(transparent, 0) << "icon " << icon << " leaves the background clear";
        }
    }
}

TEST(ShellIconsTest, PicturesDifferByKind)
{
    const std::vector<TSurface>& list = ShellImageList(false);
    for (int a = 0; a < ShellIconCount; ++a)
        for (int b = a + 1; b < ShellIconCount; ++b) {
            const TSurface& x = list[std::size_t(a)];
            const TSurface& y = list[std::size_t(b)];
            EXPECT_FALSE(std::equal(x.Bits(), x.Bits() + x.SizeInBytes(), y.Bits())) << a << " vs " << b;
        }
}

TEST(ShellIconsTest, FilePicturesFollowTheExtension)
{
    struct Case {
        const char* Name;
        TShellIcon Icon;
    } cases[] = {{"clip.MP4", siVideo},   {"song.flac", siAudio}, {"photo.JPG", siPicture},
                 {"pack.zip", siArchive}, {"notes.txt", siFile},  {"noextension", siFile}};
    for (const Case& c : cases)
        EXPECT_EQ(FileIconForName(c.Name), c.Icon) << c.Name;
}

} // namespace
} // namespace tovrel::test
