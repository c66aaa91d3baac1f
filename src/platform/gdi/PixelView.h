#pragma once
// Direct access to the rows of a 24- or 32-bit pixel buffer, whichever way its
// rows are stored: Row(0) is always the top row (a bottom-up buffer has a
// negative stride). Pixels pass around as 0xAARRGGBB values, the order of the
// B,G,R,A bytes in memory; a 24-bit pixel reads with alpha 0.
#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tovrel {

using TPixel = std::uint32_t;

constexpr TPixel PixelFromColor(COLORREF c) // alpha 0
{
    return (TPixel(GetRValue(c)) << 16) | (TPixel(GetGValue(c)) << 8) | TPixel(GetBValue(c));
}
constexpr COLORREF ColorFromPixel(TPixel p)
{
    return RGB(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p));
}
constexpr std::uint8_t PixelAlpha(TPixel p)
{
    return std::uint8_t(p >> 24);
}

// Whole 32-bit pixels in byte buffers, without aliasing assumptions.
inline TPixel LoadPixel(const std::uint8_t* p)
{
    TPixel v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void StorePixel(std::uint8_t* p, TPixel v)
{
    std::memcpy(p, &v, 4);
}

struct TPixelView {
    std::uint8_t* Origin = nullptr; // first byte of the top row
    std::ptrdiff_t Stride = 0;      // bytes from a row to the one below it
    int Width = 0;
    int Height = 0;
    int BytesPerPixel = 4;

    static TPixelView Of(TSurface& s, bool bottomUp = false)
    {
        if (s.Empty())
            return {};
        TPixelView v{s.Bits(), s.Stride(), s.Width(), s.Height(), s.BytesPerPixel()};
        if (bottomUp) {
            v.Origin = s.ScanLine(s.Height() - 1);
            v.Stride = -std::ptrdiff_t(s.Stride());
        }
        return v;
    }

    bool Empty() const { return Origin == nullptr || Width <= 0 || Height <= 0; }
    TRect Bounds() const { return Rect(0, 0, Width, Height); }
    std::uint8_t* Row(int y) const { return Origin + std::ptrdiff_t(y) * Stride; }
    std::uint8_t* At(int x, int y) const { return Row(y) + std::ptrdiff_t(x) * BytesPerPixel; }

    // Unchecked: the caller clips to Bounds().
    TPixel Read(int x, int y) const
    {
        const std::uint8_t* p = At(x, y);
        if (BytesPerPixel == 4)
            return LoadPixel(p);
        return TPixel(p[0]) | (TPixel(p[1]) << 8) | (TPixel(p[2]) << 16);
    }
    void Write(int x, int y, TPixel v) const
    {
        std::uint8_t* p = At(x, y);
        if (BytesPerPixel == 4) {
            StorePixel(p, v);
            return;
        }
        p[0] = std::uint8_t(v);
        p[1] = std::uint8_t(v >> 8);
        p[2] = std::uint8_t(v >> 16);
    }
};

} // namespace tovrel
