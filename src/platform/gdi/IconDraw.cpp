#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/SysColors.h"

namespace tovrel {

BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT /*step*/, HBRUSH flickerFreeBrush, UINT flags)
{
    const auto image = FindIconImage(icon);
    const DWORD dcType = GetObjectType(dc);
    if (!image || (dcType != OBJ_DC && dcType != OBJ_MEMDC) || !(flags & DI_NORMAL))
        return 0;
    const bool defaultSize = flags & DI_DEFAULTSIZE;
    const int width = cx ? cx : defaultSize ? GetSystemMetrics(SM_CXICON) : IconWidth(*image);
    const int height = cy ? cy : defaultSize ? GetSystemMetrics(SM_CYICON) : IconHeight(*image);
    const TRect r = Bounds(x, y, width, height);
    if (flickerFreeBrush)
        FillRect(dc, &r, flickerFreeBrush);
    const bool mask = flags & DI_MASK, picture = flags & DI_IMAGE;
    if (mask && picture && IconHasAlpha(*image)) {
        BlendSurface(dc, r, Premultiplied(image->Color));
        return 1;
    }
    if (mask)
        BlitSurface(dc, r, image->Mask, picture ? SRCAND : SRCCOPY);
    if (picture)
        BlitSurface(dc, r, image->Color, mask ? SRCINVERT : SRCCOPY);
    return 1;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon)
{
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}

} // namespace tovrel
