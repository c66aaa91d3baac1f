#pragma once
// Icon files made in code for the icon tests. A picture is given as rows of
// characters: 'r' red, 'b' blue, 'w' white, 'h' red at half alpha (32-bit
// pictures with alpha only), '.' transparent (black colour, mask bit set).
#include "platform/gdi/PixelView.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/codecs/PngCodec.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tovrel::test {

using TRows = std::vector<std::string>;

inline std::uint32_t RowsColour(char c) // 0xRRGGBB
{
    switch (c) {
    case 'r':
    case 'h': return 0xFF0000;
    case 'b': return 0x0000FF;
    case 'w': return 0xFFFFFF;
    default: return 0;
    }
}

inline std::uint8_t RowsAlpha(char c)
{
    return c == '.' ? 0 : c == 'h' ? 128 : 255;
}

// The straight-alpha pixel (0xAARRGGBB) a picture shows at a character.
inline TPixel ExpectedPixel(char c)
{
    return c == '.' ? 0 : (TPixel(RowsAlpha(c)) << 24) | RowsColour(c);
}

inline void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

// A DIB entry: info header (height counting the mask), palette, colour rows
// and mask rows, both bottom-up. The palette (0xRRGGBB) is for 1, 4 and 8
// bits; `alpha` (32 bits) takes alpha from the characters and leaves the mask clear.
inline std::vector<std::uint8_t> DibEntry(int bits, const TRows& rows, const std::vector<std::uint32_t>& palette = {},
                                          bool alpha = false)
{
    const int width = int(rows[0].size()), height = int(rows.size());
    std::vector<std::uint8_t> out;
    PutLE(out, 40, 4);
    PutLE(out, std::uint32_t(width), 4);
    PutLE(out, std::uint32_t(height * 2), 4);
    PutLE(out, 1, 2);
    PutLE(out, std::uint32_t(bits), 2);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    PutLE(out, std::uint32_t(palette.size()), 4);
    PutLE(out, 0, 4);
    for (std::uint32_t c : palette)
        PutLE(out, c, 4);
    const std::size_t stride = ((std::size_t(width) * std::size_t(bits) + 31) / 32) * 4;
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bytes(stride, 0);
        for (int x = 0; x < width; ++x) {
            const char c = rows[std::size_t(row)][std::size_t(x)];
            const std::uint32_t colour = RowsColour(c);
            if (bits <= 8) {
                std::uint32_t index = 0;
                while (index < palette.size() && palette[index] != colour)
                    ++index;
                const std::size_t bit = std::size_t(x) * std::size_t(bits);
                bytes[bit / 8] |= std::uint8_t(index << (8 - bits - int(bit % 8)));
            } else {
                std::uint8_t* p = bytes.data() + std::size_t(x) * std::size_t(bits / 8);
                p[0] = std::uint8_t(colour), p[1] = std::uint8_t(colour >> 8), p[2] = std::uint8_t(colour >> 16);
                if (bits == 32)
                    p[3] = alpha ? RowsAlpha(c) : 0;
            }
        }
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    const std::size_t maskStride = ((std::size_t(width) + 31) / 32) * 4;
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bits(maskStride, 0);
        for (int x = 0; x < width; ++x)
            if (!alpha && rows[std::size_t(row)][std::size_t(x)] == '.')
                bits[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

// A straight-alpha surface of the picture.
inline TSurface RowsSurface(const TRows& rows)
{
    TSurface s(int(rows[0].size()), int(rows.size()), TPixelFormat::pf32bit);
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            StorePixel(s.ScanLine(y) + x * 4, ExpectedPixel(rows[std::size_t(y)][std::size_t(x)]));
    return s;
}

inline std::vector<std::uint8_t> PngEntry(const TRows& rows)
{
    return EncodePng(RowsSurface(rows), true);
}

// The directory and the entries' data, in order.
inline std::vector<std::uint8_t> IcoFile(const std::vector<std::vector<std::uint8_t>>& entries)
{
    std::vector<std::uint8_t> out;
    PutLE(out, 0, 2);
    PutLE(out, 1, 2);
    PutLE(out, std::uint32_t(entries.size()), 2);
    std::size_t offset = 6 + 16 * entries.size();
    for (const auto& entry : entries) {
        PutLE(out, 0, 4); // sizes and colours: the pictures' own headers count
        PutLE(out, 1, 2);
        PutLE(out, 32, 2);
        PutLE(out, std::uint32_t(entry.size()), 4);
        PutLE(out, std::uint32_t(offset), 4);
        offset += entry.size();
    }
    for (const auto& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

} // namespace tovrel::test
