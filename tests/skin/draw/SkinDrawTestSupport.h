#pragma once
// Fixtures for the skin drawing tests: pictures whose pixels name their own
// coordinates (red = x, green = y), so a test can tell which source pixel
// landed where.
#include "skin/draw/SkinBitmap.h"

namespace tovrel::test {

inline TskColor CoordColor(int x, int y, std::uint8_t alpha = 255)
{
    return SkColor(std::uint8_t(x), std::uint8_t(y), 0x5A, alpha);
}

inline void FillWithCoordinates(TskBitmap& bmp, int width, int height, std::uint8_t alpha = 255)
{
    bmp.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bmp.Pixel(x, y) = CoordColor(x, y, alpha);
}

// The source coordinates a pixel names, or (-1, -1) for a pixel no fixture wrote.
inline TPoint SourceOf(TskColor c)
{
    if (BlueOf(c) != 0x5A)
        return {-1, -1};
    return {RedOf(c), GreenOf(c)};
}

} // namespace tovrel::test
