// The shell's two process-wide image lists as the shell controls use them:
// handles, sizes, pictures drawn with alpha, and SHGetFileInfo's answers.
#include "TempTree.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/SurfaceDrawing.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellUnit.h"
#include "platform/shell/SystemImageLists.h"
#include "platform/vcl/ImageListCalls.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

using test::TTempTree;

// A white 32-bit picture of `size` pixels drawn by `draw`.
TSurface DrawnOnWhite(int size, const std::function<void(HDC)>& draw)
{
    HBITMAP bitmap = CreateBitmapOf(TSurface(size, size));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, HandleCast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    TSurface result = FindBitmap(bitmap)->Surface();
    DeleteObject(bitmap);
    return result;
}

TEST(SystemImageListsTest, TwoListsOfTheShellPicturesLiveForTheProcess)
{
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        const HIMAGELIST list = ShellSystemImageList(large);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ShellSystemImageList(large), list);
        int cx = 0, cy = 0;
        ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
        const int size = large ? LargeShellIconSize : SmallShellIconSize;
        EXPECT_EQ(cx, size);
        EXPECT_EQ(cy, size);
        EXPECT_EQ(ImageList_GetImageCount(list), int(ShellIconCount));
        for (int icon : {int(siFolder), int(siVideo)}) {
            const TSurface viaList = DrawnOnWhite(size, [&](HDC dc) {
                EXPECT_TRUE(ImageList_DrawEx(list, icon, dc, 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_NORMAL));
            });
            const TSurface expected = DrawnOnWhite(size, [&](HDC dc) {
                BlendSurface(dc, Bounds(0, 0, size, size), ShellImageList(large)[std::size_t(icon)]);
            });
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    for (int c = 0; c < 3; ++c)
                        ASSERT_NEAR(viaList.ScanLine(y)[x * 4 + c], expected.ScanLine(y)[x * 4 + c], 2)
                            << "icon " << icon << " at " << x << "," << y;
        }
    }
    EXPECT_NE(ShellSystemImageList(false), ShellSystemImageList(true));
}

TEST(SystemImageListsTest, FileInfoGivesTheListAndTheIndex)
{
    InitializeShellUnit();
    TTempTree tree;
    tree.Folder("clips");
    tree.File("clips/a.mp4");
    struct TCase {
        std::string Path;
        unsigned Flags;
        int Index;
    } const cases[] = {
        {tree.Path("clips"), SHGFI_SYSICONINDEX | SHGFI_SMALLICON, siFolder},
        {tree.Path("clips"), SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_OPENICON, siOpenFolder},
        {tree.Path("clips/a.mp4"), SHGFI_SYSICONINDEX | SHGFI_LARGEICON, siVideo},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path);
        const TItemIDListPtr id = DesktopIShellFolder()->ParseDisplayName(c.Path);
        SHFILEINFO info;
        const auto list = SHGetFileInfo(id.get(), 0, &info, sizeof info, c.Flags | SHGFI_PIDL);
        EXPECT_EQ(list, reinterpret_cast<std::uintptr_t>(ShellSystemImageList(!(c.Flags & SHGFI_SMALLICON))));
        EXPECT_EQ(info.iIcon, c.Index);
    }
    const TItemIDListPtr clip = DesktopIShellFolder()->ParseDisplayName(tree.Path("clips/a.mp4"));
    SHFILEINFO info;
    EXPECT_EQ(SHGetFileInfo(clip.get(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON | SHGFI_DISPLAYNAME), 1u);
    ASSERT_NE(info.hIcon, nullptr);
    EXPECT_EQ(IconWidth(*FindIconImage(info.hIcon)), SmallShellIconSize);
    EXPECT_EQ(info.szDisplayName, "a.mp4");
    DestroyIcon(info.hIcon);
    EXPECT_EQ(SHGetFileInfo(nullptr, 0, &info, sizeof info, SHGFI_SYSICONINDEX), 0u);
}

} // namespace
} // namespace tovrel::test
