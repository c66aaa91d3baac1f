#pragma once
// Small pictures made in code for the codec tests.
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace tovrel::test {

// Every pixel different (R = x*7, G = y*13, B = x^y), alpha a gradient when 32-bit.
inline TSurface Gradient(int width, int height, TPixelFormat format)
{
    TSurface s(width, height, format);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = s.ScanLine(y) + x * s.BytesPerPixel();
            p[0] = std::uint8_t(x ^ y);
            p[1] = std::uint8_t(y * 13);
            p[2] = std::uint8_t(x * 7);
            if (s.BytesPerPixel() == 4)
                p[3] = std::uint8_t((x + y) * 5);
        }
    return s;
}

// A picture with exactly `colours` colours in stripes.
inline TSurface Stripes(int width, int height, int colours)
{
    TSurface s(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int c = (x + y) % colours;
            std::uint8_t* p = s.ScanLine(y) + x * 3;
            p[0] = std::uint8_t(c * 3);
            p[1] = std::uint8_t(255 - c);
            p[2] = std::uint8_t(c * 11);
        }
    return s;
}

inline std::uint32_t Bgra(const TSurface& s, int x, int y)
{
    const std::uint8_t* p = s.ScanLine(y) + x * s.BytesPerPixel();
    const std::uint32_t a = s.BytesPerPixel() == 4 ? p[3] : 0;
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (a << 24);
}

// First pixel whose colour (and alpha, when both are 32-bit) differs, as "x,y", or "".
inline std::string FirstDifference(const TSurface& a, const TSurface& b, bool compareAlpha, int tolerance = 0)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return "size";
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            const std::uint32_t p = Bgra(a, x, y), q = Bgra(b, x, y);
            for (int channel = 0; channel < (compareAlpha ? 4 : 3); ++channel) {
                const int d = int((p >> (8 * channel)) & 0xFF) - int((q >> (8 * channel)) & 0xFF);
                if (std::abs(d) > tolerance)
                    return std::to_string(x) + "," + std::to_string(y);
            }
        }
    return "";
}

} // namespace tovrel::test
