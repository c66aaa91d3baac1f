#pragma once
// Plain geometry and colour types shared by every layer. Field names follow the
// component framework's records (Left/Top/Right/Bottom, X/Y) because the window
// and skin code is written against them.
#include <cstdint>

namespace tovrel {

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom)
{
    return TRect{left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height)
{
    return TRect{left, top, left + width, top + height};
}
inline TPoint Point(int x, int y)
{
    return TPoint{x, y};
}

// The window system's names for the same records.
using RECT = TRect;
using POINT = TPoint;
using SIZE = TSize;

// 0x00BBGGRR; the high byte marks system colours (0x80000000 | index) in TColor.
using COLORREF = std::uint32_t;
using TColor = std::int32_t;

constexpr COLORREF RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr std::uint8_t GetRValue(COLORREF c)
{
    return std::uint8_t(c & 0xFF);
}
constexpr std::uint8_t GetGValue(COLORREF c)
{
    return std::uint8_t((c >> 8) & 0xFF);
}
constexpr std::uint8_t GetBValue(COLORREF c)
{
    return std::uint8_t((c >> 16) & 0xFF);
}

} // namespace tovrel
