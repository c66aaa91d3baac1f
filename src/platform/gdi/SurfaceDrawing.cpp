#include "platform/gdi/SurfaceDrawing.h"

#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
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

// Applies f(colourByte, alpha) to the three colour bytes of every pixel.
template <class F> TSurface MapColourBytes(const TSurface& surface, F f)
{
    TSurface result = ConvertSurface(surface, TPixelFormat::pf32bit, 255);
    for (int y = 0; y < result.Height(); ++y) {
        std::uint8_t* p = result.ScanLine(y);
        for (int x = 0; x < result.Width(); ++x, p += 4)
            for (int c = 0; c < 3; ++c)
                p[c] = f(p[c], p[3]);
    }
    return result;
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

TSurface Premultiplied(const TSurface& straight)
{
    return MapColourBytes(straight, [](unsigned c, unsigned a) { return std::uint8_t((c * a + 127) / 255); });
}

TSurface Unpremultiplied(const TSurface& premultiplied)
{
    return MapColourBytes(premultiplied, [](unsigned c, unsigned a) {
        return a == 0 ? std::uint8_t(0) : std::uint8_t(std::min(255u, (c * 255 + a / 2) / a));
    });
}

bool HasAlphaChannel(const TSurface& surface)
{
    if (surface.PixelFormat() != TPixelFormat::pf32bit)
        return false;
    for (int y = 0; y < surface.Height(); ++y) {
        const std::uint8_t* p = surface.ScanLine(y);
        for (int x = 0; x < surface.Width(); ++x)
            if (p[x * 4 + 3] != 0)
                return true;
    }
    return false;
}

void BlitSurface(HDC dc, const TRect& r, const TSurface& surface, DWORD rop)
{
    if (surface.Empty() || r.IsEmpty())
        return;
    const BITMAPINFO bmi = InfoOf(surface.Width(), surface.Height(), surface.PixelFormat());
    const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, r.Left, r.Top, r.Width(), r.Height(), 0, 0, surface.Width(), surface.Height(), surface.Bits(),
                  &bmi, DIB_RGB_COLORS, rop);
    SetStretchBltMode(dc, oldMode);
}

void BlendSurface(HDC dc, const TRect& r, const TSurface& premultiplied)
{
    if (premultiplied.Empty() || r.IsEmpty())
        return;
    HBITMAP bitmap = CreateBitmapOf(premultiplied);
    HDC source = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(source, bitmap);
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    AlphaBlend(dc, r.Left, r.Top, r.Width(), r.Height(), source, 0, 0, premultiplied.Width(), premultiplied.Height(),
               blend);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(bitmap);
}

void DrawSurface(HDC dc, const TRect& r, const TSurface& surface, bool straightAlpha)
{
    if (straightAlpha && surface.PixelFormat() == TPixelFormat::pf32bit)
        BlendSurface(dc, r, Premultiplied(surface));
    else
        BlitSurface(dc, r, surface, SRCCOPY);
}

} // namespace tovrel
