#include "platform/vcl/SurfaceDrawing.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include <cstring>

namespace tovrel {

namespace {

BITMAPINFO InfoOf(int width, int height, TPixelFormat format)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biBitCount = format == TPixelFormat::pf32bit ? 32 : 24;
    return bmi;
}

} // namespace

HBITMAP CreateBitmapOf(const TSurface& surface)
{
    if (surface.Empty())
        return nullptr;
    const BITMAPINFO bmi = InfoOf(surface.Width(), surface.Height(), surface.PixelFormat());
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    TSurface& target = FindBitmap(bitmap)->Surface();
    std::memcpy(target.Bits(), surface.Bits(), std::min(target.SizeInBytes(), surface.SizeInBytes()));
    return bitmap;
}

TSurface ConvertSurface(const TSurface& surface, TPixelFormat format, std::uint8_t alpha)
{
    if (surface.PixelFormat() == format)
        return surface;
    TSurface result(surface.Width(), surface.Height(), format);
    const int from = surface.BytesPerPixel(), to = result.BytesPerPixel();
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint8_t* s = surface.ScanLine(y);
        std::uint8_t* d = result.ScanLine(y);
        for (int x = 0; x < surface.Width(); ++x, s += from, d += to) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if (to == 4)
                d[3] = alpha;
        }
    }
    return result;
}

void DrawSurface(HDC dc, const TRect& r, const TSurface& surface, bool straightAlpha)
{
    if (surface.Empty() || r.IsEmpty())
        return;
    const int w = surface.Width(), h = surface.Height();
    if (!straightAlpha || surface.PixelFormat() != TPixelFormat::pf32bit) {
        const BITMAPINFO bmi = InfoOf(w, h, surface.PixelFormat());
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchDIBits(dc, r.Left, r.Top, r.Width(), r.Height(), 0, 0, w, h, surface.Bits(), &bmi, DIB_RGB_COLORS,
                      SRCCOPY);
        return;
    }
    // The blend wants premultiplied pixels.
    TSurface premultiplied(w, h, TPixelFormat::pf32bit);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* s = surface.ScanLine(y);
        std::uint8_t* d = premultiplied.ScanLine(y);
        for (int x = 0; x < w * 4; x += 4) {
            const unsigned a = s[x + 3];
            for (int c = 0; c < 3; ++c)
                d[x + c] = std::uint8_t((s[x + c] * a + 127) / 255);
            d[x + 3] = std::uint8_t(a);
        }
    }
    HBITMAP bitmap = CreateBitmapOf(premultiplied);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, r.Left, r.Top, r.Width(), r.Height(), source, 0, 0, w, h, blend);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
}

} // namespace tovrel
