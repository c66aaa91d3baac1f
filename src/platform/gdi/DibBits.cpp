// Reading a bitmap's rows into client memory in the layout the caller describes.
#include "platform/gdi/Blits.h"
#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstdlib>

namespace tovrel {

int GetDIBits(HDC, HBITMAP bitmap, UINT startScan, UINT lines, void* bits, BITMAPINFO* bmi, UINT usage)
{
    auto source = FindBitmap(bitmap);
    if (!source || !bmi || usage != DIB_RGB_COLORS)
        return 0;
    const TPixelView from = source->Pixels();
    BITMAPINFOHEADER& h = bmi->bmiHeader;
    if (!bits) { // describe the bitmap
        h.biWidth = from.Width;
        h.biHeight = from.Height;
        h.biPlanes = 1;
        if (h.biBitCount == 0)
            h.biBitCount = WORD(from.BytesPerPixel * 8);
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(
            TSurface::StrideFor(from.Width, from.BytesPerPixel == 4 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit) *
            from.Height);
        return from.Height;
    }
    if (h.biCompression != BI_RGB || (h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth <= 0 || h.biHeight == 0 ||
        from.Empty())
        return 0;
    const long long height = std::llabs((long long)h.biHeight);
    const bool bottomUp = h.biHeight > 0;
    const int bytesPerPixel = h.biBitCount / 8;
    const std::ptrdiff_t stride = (std::ptrdiff_t(h.biWidth) * bytesPerPixel + 3) & ~std::ptrdiff_t(3);
    const long long last = std::min<long long>({(long long)startScan + lines, height, from.Height});
    const int width = std::min<int>(h.biWidth, from.Width);
    auto* out = static_cast<std::uint8_t*>(bits);
    int copied = 0;
    for (long long scan = startScan; scan < last; ++scan, ++copied) {
        // Scan numbers count from the bottom row for bottom-up layouts.
        const long long row = bottomUp ? from.Height - 1 - scan : scan;
        TPixelView line{out + (scan - startScan) * stride, 0, int(h.biWidth), 1, bytesPerPixel};
        if (row < 0 || row >= from.Height)
            continue;
        for (int x = 0; x < width; ++x)
            line.Write(x, 0, from.Read(x, int(row)));
    }
    return copied;
}

} // namespace tovrel
