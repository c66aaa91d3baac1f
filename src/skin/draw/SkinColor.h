#pragma once
// The skin engine's 32-bit pixel: bits 0-7 blue, 8-15 green, 16-23 red, 24-31
// alpha (straight, not premultiplied). In memory the bytes are B, G, R, A, the
// layout of the drawing layer's 32-bit surfaces.
#include "platform/rtl/Types.h"

#include <cstdint>

namespace tovrel {

using TskColor = std::uint32_t;

// Red 127, green 0, blue 127, alpha 0: marks holes of transparent bitmaps.
constexpr TskColor TransparentKeyColor = 0x007F007F;
// Link pixels of this exact value never count as masked.
constexpr TskColor MaskIgnoreColor = 0x33333333;

constexpr std::uint8_t AlphaOf(TskColor c)
{
    return std::uint8_t(c >> 24);
}
constexpr std::uint8_t RedOf(TskColor c)
{
    return std::uint8_t(c >> 16);
}
constexpr std::uint8_t GreenOf(TskColor c)
{
    return std::uint8_t(c >> 8);
}
constexpr std::uint8_t BlueOf(TskColor c)
{
    return std::uint8_t(c);
}
constexpr TskColor SkColor(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    return (TskColor(a) << 24) | (TskColor(r) << 16) | (TskColor(g) << 8) | TskColor(b);
}
constexpr bool SameRgb(TskColor a, TskColor b)
{
    return ((a ^ b) & 0x00FFFFFF) == 0;
}

// A platform colour (red in the low byte) taken literally, with alpha 255;
// system colour codes are not resolved.
constexpr TskColor ColorToBsColor(TColor c)
{
    const auto v = std::uint32_t(c);
    return 0xFF000000u | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

} // namespace tovrel
