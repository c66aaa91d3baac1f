// PNG: every colour type the platform's files use, written here with libpng's
// own low-level writer, then read back through the codec; round trips of the
// codec's writer; damaged files.
#include "CodecTestSupport.h"
#include "platform/gdi/codecs/PngCodec.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <csetjmp>

namespace tovrel::test {
namespace {

struct TPngSpec {
    int Width = 1;
    int Height = 1;
    int ColorType = PNG_COLOR_TYPE_RGB;
    int BitDepth = 8;
    bool Interlace = false;
    std::vector<png_color> Palette;
    std::vector<png_byte> PaletteAlpha; // tRNS for palettes
    bool HasKey = false;                // tRNS for grey and RGB
    png_color_16 Key{};
    std::vector<std::vector<png_byte>> Rows;
};

void AppendBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// C-style so libpng's longjmp skips no destructor; `out` lives in the caller.
bool WritePngInto(const TPngSpec& s, std::vector<std::uint8_t>* out, std::vector<png_bytep>* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, out, AppendBytes, NoFlush);
    png_set_IHDR(png, info, png_uint_32(s.Width), png_uint_32(s.Height), s.BitDepth, s.ColorType,
                 s.Interlace ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!s.Palette.empty())
        png_set_PLTE(png, info, s.Palette.data(), int(s.Palette.size()));
    if (!s.PaletteAlpha.empty())
        png_set_tRNS(png, info, s.PaletteAlpha.data(), int(s.PaletteAlpha.size()), nullptr);
    if (s.HasKey)
        png_set_tRNS(png, info, nullptr, 0, &s.Key);
    png_set_rows(png, info, rows->data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

std::vector<std::uint8_t> WritePng(TPngSpec s)
{
    std::vector<std::uint8_t> out;
    std::vector<png_bytep> rows;
    for (auto& row : s.Rows)
        rows.push_back(row.data());
    if (!WritePngInto(s, &out, &rows))
        ADD_FAILURE() << "fixture writer failed";
    return out;
}

// 16-bit samples whose high and low bytes match read back exactly as 8-bit.
std::vector<png_byte> Wide(std::initializer_list<int> samples)
{
    std::vector<png_byte> row;
    for (int v : samples) {
        row.push_back(png_byte(v));
        row.push_back(png_byte(v));
    }
    return row;
}

TEST(CodecPng, ReadsEveryColourType)
{
    struct TCase {
        const char* Name;
        TPngSpec Recipe;
        TPixelFormat Format;
        std::vector<std::uint32_t> Pixels; // 0xAARRGGBB, alpha only checked for 32-bit
    };
    const std::vector<png_color> rgbPalette{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    png_color_16 key{};
    key.red = 10;
    key.green = 20;
    key.blue = 30;
    png_color_16 greyKey{};
    greyKey.gray = 9;
    const TCase cases[] = {
        {"palette",
         {3, 1, PNG_COLOR_TYPE_PALETTE, 8, false, rgbPalette, {}, false, {}, {{0, 1, 2}}},
         TPixelFormat::pf24bit,
         {0xFF0000, 0x00FF00, 0x0000FF}},
        {"palette 2-bit",
         {3, 1, PNG_COLOR_TYPE_PALETTE, 2, false, rgbPalette, {}, false, {}, {{0b00011000}}},
         TPixelFormat::pf24bit,
         {0xFF0000, 0x00FF00, 0x0000FF}},
        {"palette tRNS",
         {3, 1, PNG_COLOR_TYPE_PALETTE, 8, false, rgbPalette, {255, 128, 0}, false, {}, {{0, 1, 2}}},
         TPixelFormat::pf32bit,
         {0xFFFF0000, 0x8000FF00, 0x00000000}},
        {"grey",
         {2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, false, {}, {{77, 200}}},
         TPixelFormat::pf24bit,
         {0x4D4D4D, 0xC8C8C8}},
        {"grey 1-bit",
         {2, 1, PNG_COLOR_TYPE_GRAY, 1, false, {}, {}, false, {}, {{0b01000000}}},
         TPixelFormat::pf24bit,
         {0x000000, 0xFFFFFF}},
        {"grey tRNS",
         {2, 1, PNG_COLOR_TYPE_GRAY, 8, false, {}, {}, true, greyKey, {{9, 10}}},
         TPixelFormat::pf32bit,
         {0x00000000, 0xFF0A0A0A}},
        {"grey alpha",
         {1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {}, {}, false, {}, {{100, 255}}},
         TPixelFormat::pf32bit,
         {0xFF646464}},
        {"RGB",
         {1, 1, PNG_COLOR_TYPE_RGB, 8, false, {}, {}, false, {}, {{1, 2, 3}}},
         TPixelFormat::pf24bit,
         {0x010203}},
        {"RGB 16-bit",
         {2, 1, PNG_COLOR_TYPE_RGB, 16, false, {}, {}, false, {}, {Wide({0x12, 0x34, 0x56, 0xFF, 0, 0x80})}},
         TPixelFormat::pf24bit,
         {0x123456, 0xFF0080}},
        {"RGB tRNS",
         {2, 1, PNG_COLOR_TYPE_RGB, 8, false, {}, {}, true, key, {{10, 20, 30, 10, 20, 31}}},
         TPixelFormat::pf32bit,
         {0x00000000, 0xFF0A141F}},
        {"RGBA",
         {2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, false, {}, {}, false, {}, {{1, 2, 3, 255, 4, 5, 6, 255}}},
         TPixelFormat::pf32bit,
         {0xFF010203, 0xFF040506}},
        {"RGBA 16-bit",
         {1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, false, {}, {}, false, {}, {Wide({0x40, 0x80, 0xC0, 0xFF})}},
         TPixelFormat::pf32bit,
         {0xFF4080C0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const TSurface s = DecodePng(WritePng(c.Recipe));
        ASSERT_EQ(s.PixelFormat(), c.Format);
        ASSERT_EQ(s.Width(), int(c.Pixels.size()));
        for (int x = 0; x < s.Width(); ++x) {
            const std::uint32_t want =
                c.Format == TPixelFormat::pf32bit ? c.Pixels[std::size_t(x)] : c.Pixels[std::size_t(x)] & 0xFFFFFF;
            if (c.Format == TPixelFormat::pf32bit && (want >> 24) == 0)
                EXPECT_EQ(Bgra(s, x, 0) >> 24, 0u) << x; // fully transparent: colour does not matter
            else
                EXPECT_EQ(Bgra(s, x, 0), want) << x;
        }
    }
}

TEST(CodecPng, InterlacedReadsLikePlain)
{
    const TSurface picture = Gradient(11, 9, TPixelFormat::pf24bit);
    TPngSpec recipe{11, 9, PNG_COLOR_TYPE_RGB, 8, true, {}, {}, false, {}, {}};
    for (int y = 0; y < 9; ++y) {
        std::vector<png_byte> row;
        for (int x = 0; x < 11; ++x) {
            const std::uint32_t p = Bgra(picture, x, y);
            row.insert(row.end(), {png_byte(p >> 16), png_byte(p >> 8), png_byte(p)});
        }
        recipe.Rows.push_back(row);
    }
    EXPECT_EQ(FirstDifference(DecodePng(WritePng(recipe)), picture, false), "");
}

TEST(CodecPng, WriterRoundTrips)
{
    const TSurface opaque = Gradient(33, 17, TPixelFormat::pf24bit);
    TSurface back = DecodePng(EncodePng(opaque, false));
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(FirstDifference(opaque, back, false), "");

    const TSurface translucent = Gradient(33, 17, TPixelFormat::pf32bit);
    back = DecodePng(EncodePng(translucent, true));
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf32bit);
    EXPECT_EQ(FirstDifference(translucent, back, true), "");

    // A 32-bit surface written without alpha loses only the alpha.
    back = DecodePng(EncodePng(translucent, false));
    EXPECT_EQ(FirstDifference(translucent, back, false), "");
    EXPECT_THROW(EncodePng(TSurface(), false), EImageError);
}

std::vector<std::uint8_t> WithFixedIhdrCrc(std::vector<std::uint8_t> file)
{
    const uLong crc = crc32(0, file.data() + 12, 17); // chunk type and 13 data bytes
    for (int i = 0; i < 4; ++i)
        file[29 + std::size_t(i)] = std::uint8_t(crc >> (24 - 8 * i));
    return file;
}

TEST(CodecPng, DamagedFilesFail)
{
    const auto good = EncodePng(Gradient(40, 30, TPixelFormat::pf24bit), false);
    auto cut = [&](std::size_t n) { return std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)); };
    auto badCrc = good;
    badCrc[29] ^= 0xFF;
    auto huge = good;
    huge[16] = 0x7F; // width 0x7F0000xx
    auto wide = good;
    wide[18] = 0x80; // width 32808: allowed by libpng, refused by our limit
    auto zeroWidth = good;
    zeroWidth[18] = zeroWidth[19] = 0;
    auto badDepth = good;
    badDepth[24] = 7;
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"empty", {}},
        {"signature only", cut(8)},
        {"cut in the header", cut(20)},
        {"cut in the pixels", cut(good.size() / 2)},
        {"header checksum wrong", badCrc},
        {"huge width", WithFixedIhdrCrc(huge)},
        {"wider than the limit", WithFixedIhdrCrc(wide)},
        {"zero width", WithFixedIhdrCrc(zeroWidth)},
        {"bad bit depth", WithFixedIhdrCrc(badDepth)},
    };
    for (const auto& [name, data] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(DecodePng(data), EImageError);
    }
}

} // namespace
} // namespace tovrel::test
