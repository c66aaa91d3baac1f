#include "platform/shell/SystemImageLists.h"

#include "platform/gdi/SurfaceDrawing.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellIcons.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ImageList.h"
#include "platform/vcl/ImageListCalls.h"

namespace tovrel {

namespace {

TCustomImageList* BuildList(bool large)
{
    const int size = large ? LargeShellIconSize : SmallShellIconSize;
    auto* list = new TImageList(nullptr);
    list->SetSize(size, size);
    list->ColorDepth = cd32Bit;
    TBitmap picture;
    for (const TSurface& drawn : ShellImageList(large)) {
        picture.SetSurface(Unpremultiplied(drawn));
        list->Add(&picture, nullptr);
    }
    return list;
}

} // namespace

HIMAGELIST ShellSystemImageList(bool large)
{
    // Never freed: controls keep the handles until the process ends.
    static TCustomImageList* const small = BuildList(false);
    static TCustomImageList* const largeList = BuildList(true);
    return (large ? largeList : small)->Handle();
}

std::uintptr_t SHGetFileInfo(PCItemIDList AbsoluteID, std::uint32_t, SHFILEINFO* info, unsigned, unsigned flags)
{
    if (!AbsoluteID || !info)
        return 0;
    const bool large = !(flags & SHGFI_SMALLICON);
    if (flags & (SHGFI_SYSICONINDEX | SHGFI_ICON))
        info->iIcon = ShellIconIndex(AbsoluteID, large, (flags & SHGFI_OPENICON) != 0);
    if (flags & SHGFI_ICON)
        info->hIcon = ImageList_GetIcon(ShellSystemImageList(large), info->iIcon, ILD_NORMAL);
    if (flags & SHGFI_DISPLAYNAME)
        info->szDisplayName = DesktopIShellFolder()->GetDisplayNameOf(AbsoluteID, SHGDN_NORMAL);
    if (flags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<std::uintptr_t>(ShellSystemImageList(large));
    return 1;
}

} // namespace tovrel
