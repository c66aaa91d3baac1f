#include "platform/vcl/ImageListCalls.h"

#include "platform/gdi/Icon.h"
#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/ImageList.h"

#include <algorithm>

namespace tovrel {

namespace {

TCustomImageList* ListWithImage(HIMAGELIST handle, int index)
{
    TCustomImageList* list = ImageListFromHandle(handle);
    return list && index >= 0 && index < list->Count() ? list : nullptr;
}

std::uint8_t Mix(unsigned a, unsigned b, unsigned weightOfB)
{
    return std::uint8_t((a * (256 - weightOfB) + b * weightOfB + 128) >> 8);
}

// The image as drawn in the style, still straight alpha.
TSurface StyledImage(const TSurface& image, COLORREF background, COLORREF blend, UINT style)
{
    const unsigned blendWeight = (style & ILD_BLEND50) ? 128 : (style & ILD_BLEND25) ? 64 : 0;
    const bool overBackground = !(style & ILD_TRANSPARENT) && background != CLR_NONE;
    TSurface result = ConvertSurface(image, TPixelFormat::pf32bit, 255);
    const std::uint8_t blendBgr[3] = {GetBValue(blend), GetGValue(blend), GetRValue(blend)};
    const std::uint8_t backBgr[3] = {GetBValue(background), GetGValue(background), GetRValue(background)};
    for (int y = 0; y < result.Height(); ++y) {
        std::uint8_t* p = result.ScanLine(y);
        for (int x = 0; x < result.Width(); ++x, p += 4) {
            if (blendWeight && blend == CLR_NONE)
                p[3] = Mix(p[3], 0, blendWeight);
            else if (blendWeight)
                for (int c = 0; c < 3; ++c)
                    p[c] = Mix(p[c], blendBgr[c], blendWeight);
            if (overBackground) {
                for (int c = 0; c < 3; ++c)
                    p[c] = Mix(backBgr[c], p[c], p[3] + (p[3] >> 7)); // alpha 255 weighs 256
                p[3] = 255;
            }
        }
    }
    return result;
}

TSurface TopLeftPart(const TSurface& image, int width, int height)
{
    TSurface part(width, height, image.PixelFormat());
    for (int y = 0; y < height; ++y)
        std::copy_n(image.ScanLine(y), std::size_t(width) * std::size_t(image.BytesPerPixel()), part.ScanLine(y));
    return part;
}

} // namespace

COLORREF ImageListColor(TColor colour)
{
    return colour == clNone ? CLR_NONE : colour == clDefault ? CLR_DEFAULT : ColorToRGB(colour);
}

void DrawStyledImage(HDC dc, const TRect& r, const TSurface& image, COLORREF background, COLORREF blend, UINT style)
{
    if (background == CLR_DEFAULT)
        background = CLR_NONE;
    if (blend == CLR_DEFAULT)
        blend = GetSysColor(COLOR_HIGHLIGHT);
    DrawSurface(dc, r, StyledImage(image, background, blend, style), true);
}

BOOL ImageList_DrawEx(HIMAGELIST handle, int index, HDC dc, int x, int y, int dx, int dy, COLORREF background,
                      COLORREF blend, UINT style)
{
    TCustomImageList* list = ListWithImage(handle, index);
    if (!list)
        return 0;
    const TSurface& image = list->Image(index);
    const int width = dx > 0 ? std::min(dx, image.Width()) : image.Width();
    const int height = dy > 0 ? std::min(dy, image.Height()) : image.Height();
    if (background == CLR_DEFAULT)
        background = ImageListColor(list->BkColor);
    const bool whole = width == image.Width() && height == image.Height();
    DrawStyledImage(dc, Bounds(x, y, width, height), whole ? image : TopLeftPart(image, width, height), background,
                    blend, style);
    return 1;
}

BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style)
{
    return ImageList_DrawEx(list, index, dc, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, style);
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy)
{
    TCustomImageList* list = ImageListFromHandle(handle);
    if (!list || !cx || !cy)
        return 0;
    *cx = list->Width();
    *cy = list->Height();
    return 1;
}

int ImageList_GetImageCount(HIMAGELIST handle)
{
    TCustomImageList* list = ImageListFromHandle(handle);
    return list ? list->Count() : 0;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF background)
{
    TCustomImageList* list = ImageListFromHandle(handle);
    if (!list)
        return CLR_NONE;
    const COLORREF previous = ImageListColor(list->BkColor);
    list->BkColor = background == CLR_NONE ? clNone : TColor(background & 0xFFFFFF);
    return previous;
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle)
{
    TCustomImageList* list = ImageListFromHandle(handle);
    return list ? ImageListColor(list->BkColor) : CLR_NONE;
}

HICON ImageList_GetIcon(HIMAGELIST handle, int index, UINT /*flags*/)
{
    TCustomImageList* list = ListWithImage(handle, index);
    return list ? CreateIconFromImages({MakeIconImage(list->Image(index))}, list->Width(), list->Height()) : nullptr;
}

} // namespace tovrel
