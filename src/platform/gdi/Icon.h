#pragma once
// Icon handles. Each holds one picture (TIconImage: 32-bit colour and an AND
// mask) and the pictures at other sizes it was made from (an icon file's
// entries, a stock icon's drawings), which LR_COPYFROMRESOURCE copies choose
// from. Handles live in the drawing objects' table, so they are never reused
// and a destroyed icon's handle is unknown, but they are no drawing objects:
// GetObjectType gives 0, and SelectObject and DeleteObject refuse them. The
// icons LoadIcon gives (and LoadImage with LR_SHARED) are shared: DestroyIcon
// leaves them alone.
//
// Drawing (DrawIconEx): a picture with alpha is blended by it (DI_NORMAL) or
// copied with its alpha byte (DI_IMAGE); one without is drawn through its
// mask as raster operations on all four bytes: SRCAND with the mask, then
// SRCINVERT with the colour, so the screen stays where the mask is white.
// DI_MASK alone copies the mask (white where transparent). Sizes of 0 mean
// the icon's own, or SM_CXICON x SM_CYICON with DI_DEFAULTSIZE; other sizes
// stretch (nearest pixel).
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/IconImage.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tovrel {

struct ICONINFO {
    BOOL fIcon = 1;
    DWORD xHotspot = 0;
    DWORD yHotspot = 0;
    HBITMAP hbmMask = nullptr;  // 32-bit: white where transparent
    HBITMAP hbmColor = nullptr; // 32-bit
};

constexpr UINT IMAGE_BITMAP = 0, IMAGE_ICON = 1, IMAGE_CURSOR = 2;
constexpr UINT LR_DEFAULTCOLOR = 0x0, LR_COPYDELETEORG = 0x8, LR_LOADFROMFILE = 0x10, LR_DEFAULTSIZE = 0x40,
               LR_COPYFROMRESOURCE = 0x4000, LR_SHARED = 0x8000;
constexpr UINT DI_MASK = 0x1, DI_IMAGE = 0x2, DI_NORMAL = 0x3, DI_COMPAT = 0x4, DI_DEFAULTSIZE = 0x8;
constexpr std::uintptr_t IDI_APPLICATION = 32512, IDI_HAND = 32513, IDI_QUESTION = 32514, IDI_EXCLAMATION = 32515,
                         IDI_ASTERISK = 32516, IDI_ERROR = IDI_HAND, IDI_WARNING = IDI_EXCLAMATION,
                         IDI_INFORMATION = IDI_ASTERISK;

inline const char* MAKEINTRESOURCE(std::uintptr_t id)
{
    return reinterpret_cast<const char*>(id);
}

// Copies the bitmaps: a colour bitmap (24- or 32-bit) and a mask whose
// non-black pixels are transparent. Without a mask a picture with alpha
// follows its alpha and one without is opaque. Null without a colour bitmap.
HICON CreateIconIndirect(const ICONINFO* info);
// New bitmaps, which the caller deletes.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
BOOL DestroyIcon(HICON icon);
HICON CopyIcon(HICON icon);
// IMAGE_ICON (and IMAGE_CURSOR) only. Sizes of 0: the icon's own, or
// SM_CXICON with LR_DEFAULTSIZE; another size is scaled (averaged) from the
// icon's picture, or with LR_COPYFROMRESOURCE from the best of its sources.
// LR_COPYDELETEORG destroys the original.
HANDLE CopyImage(HANDLE image, UINT type, int cx, int cy, UINT flags);

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flickerFreeBrush, UINT flags);
// DI_NORMAL at the default size.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);

// The stock icons (a null instance and IDI_*), drawn by the program at 32 and
// 16 pixels; LoadIcon gives the shared 32-pixel one. Other names give null.
HICON LoadIcon(HINSTANCE instance, std::uintptr_t name);
// IMAGE_ICON: a stock icon by MAKEINTRESOURCE(IDI_*), or with LR_LOADFROMFILE
// an icon file by name, at cx x cy (0: LR_DEFAULTSIZE gives SM_CXICON, else
// the best picture's own size). Null for anything else or a damaged file.
HANDLE LoadImage(HINSTANCE instance, const char* name, UINT type, int cx, int cy, UINT flags);

// An icon of the best of `sources` for cx x cy (0 x 0: SM_CXICON x
// SM_CYICON), scaled when none has that size; all of them stay its sources.
HICON CreateIconFromImages(std::vector<TIconImage> sources, int cx, int cy);
// The picture an icon draws; null for unknown handles.
std::shared_ptr<const TIconImage> FindIconImage(HICON icon);

} // namespace tovrel
