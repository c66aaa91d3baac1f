#pragma once
// Exact palettes for the indexed writers (BMP 1/4/8-bit, GIF).
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace tovrel {

struct TIndexedImage {
    std::vector<std::uint32_t> Palette; // 0x00RRGGBB, in order of first appearance
    std::vector<std::uint8_t> Indexes;  // one per pixel, rows top-down
};

// The surface as indexes into its own colours, or nullopt when it has more
// than `maxColours` colours. Alpha is ignored.
std::optional<TIndexedImage> IndexExactly(const TSurface& surface, int maxColours);

// 0x00RRGGBB of a pixel.
inline std::uint32_t RgbAt(const TSurface& s, int x, int y)
{
    const std::uint8_t* p = s.ScanLine(y) + std::size_t(x) * std::size_t(s.BytesPerPixel());
    return (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
}

} // namespace tovrel
