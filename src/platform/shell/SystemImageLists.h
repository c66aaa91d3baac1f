#pragma once
// The shell's pictures (ShellIcons.h) as the two process-wide image lists the
// shell controls draw from: small (16 x 16) and large (32 x 32), with the
// same indexes (TShellIcon) and straight alpha. Made on first use and never
// freed, so their handles stay valid for the whole process; no control
// destroys them. Main thread only.
#include "platform/gdi/GdiTypes.h"
#include "platform/shell/ItemIDList.h"
#include "platform/vcl/ImageListHandles.h"

#include <string>

namespace tovrel {

HIMAGELIST ShellSystemImageList(bool large);

constexpr unsigned SHGFI_LARGEICON = 0x0, SHGFI_SMALLICON = 0x1, SHGFI_OPENICON = 0x2, SHGFI_PIDL = 0x8,
                   SHGFI_ICON = 0x100, SHGFI_DISPLAYNAME = 0x200, SHGFI_SYSICONINDEX = 0x4000;

struct SHFILEINFO {
    HICON hIcon = nullptr; // SHGFI_ICON: a new icon the caller destroys
    int iIcon = 0;         // SHGFI_SYSICONINDEX (and SHGFI_ICON): the index in both lists
    std::uint32_t dwAttributes = 0;
    std::string szDisplayName; // SHGFI_DISPLAYNAME
};

// File information for an absolute item list (SHGFI_PIDL is implied). With
// SHGFI_SYSICONINDEX it returns the list's handle (small with
// SHGFI_SMALLICON), otherwise 1; 0 for a null list. SHGFI_OPENICON asks for
// an opened folder's picture.
std::uintptr_t SHGetFileInfo(PCItemIDList AbsoluteID, std::uint32_t attributes, SHFILEINFO* info, unsigned size,
                             unsigned flags);

} // namespace tovrel
