// Device-context entries of the pixel table.
#include "skin/draw/DcRoutines.h"

#include "platform/gdi/Gdi.h"

namespace tovrel {

void StretchToDCCopy(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh)
{
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, x, y, w, h, src.DC(), sx, sy, sw, sh, SRCCOPY);
}

void StretchToDCBlended(HDC dc, int x, int y, int w, int h, TskBitmap& src, int sx, int sy, int sw, int sh)
{
    if (w == 0 || h == 0)
        return;
    TskBitmap temp;
    temp.SetSize(w, h);
    BitBlt(temp.DC(), 0, 0, w, h, dc, x, y, SRCCOPY);
    src.Draw(temp, Rect(0, 0, w, h), Rect(sx, sy, sx + sw, sy + sh));
    BitBlt(dc, x, y, w, h, temp.DC(), 0, 0, SRCCOPY);
}

void* GetDCBitmapBits(HDC dc, int& width, int& height, int& bitCount)
{
    width = height = bitCount = 0;
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    if (bitmap == nullptr)
        return nullptr;
    DIBSECTION section;
    if (GetObject(bitmap, int(sizeof(section)), &section) != int(sizeof(section)))
        return nullptr;
    width = section.dsBmih.biWidth;
    height = section.dsBmih.biHeight;
    bitCount = section.dsBmih.biBitCount;
    return section.dsBm.bmBits;
}

} // namespace tovrel
