#pragma once
// The image-list calls the controls make on list handles (ImageListHandles.h),
// and how an image is drawn in a style. ImageList_DrawEx:
// - ILD_FOCUS blends the image 25 % and ILD_SELECTED 50 % with the blend
//   colour (CLR_DEFAULT: the highlight colour); with CLR_NONE the image is
//   that much transparent instead, so the destination shows through.
// - ILD_NORMAL lays the image over the background colour (CLR_DEFAULT: the
//   list's BkColor), which fills its transparent parts; with a background of
//   CLR_NONE, or ILD_TRANSPARENT, the image is blended by its alpha alone.
// - dx, dy draw only that much of the image from its top-left corner (0: all).
// Calls given an unknown handle or an index out of range fail (FALSE, null,
// CLR_NONE).
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/ImageListHandles.h"

namespace tovrel {

constexpr UINT ILD_NORMAL = 0x0, ILD_TRANSPARENT = 0x1, ILD_BLEND25 = 0x2, ILD_FOCUS = 0x2, ILD_BLEND50 = 0x4,
               ILD_SELECTED = 0x4, ILD_BLEND = 0x4;
constexpr COLORREF CLR_NONE = 0xFFFFFFFF, CLR_DEFAULT = 0xFF000000;

BOOL ImageList_DrawEx(HIMAGELIST list, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF blend, UINT style);
// ImageList_DrawEx with the full image and both colours CLR_DEFAULT.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
int ImageList_GetImageCount(HIMAGELIST list);
// Returns the previous colour.
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF background);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// A new icon of the image (the caller destroys it).
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);

// Draws a straight-alpha image into r in a style. A CLR_DEFAULT blend colour
// is the highlight colour; a CLR_DEFAULT background counts as none (the
// calls above resolve it to the list's first).
void DrawStyledImage(HDC dc, const TRect& r, const TSurface& image, COLORREF background, COLORREF blend, UINT style);
// A list's colour as the calls take it: clNone is CLR_NONE, clDefault CLR_DEFAULT.
COLORREF ImageListColor(TColor colour);

} // namespace tovrel
