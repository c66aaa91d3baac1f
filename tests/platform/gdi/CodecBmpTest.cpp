// Bitmap files: writer round trips, hand-built variants the writer never
// produces (masks, V4/V5 and core headers, run-length data), and a table of
// damaged files that must fail cleanly.
#include "CodecTestSupport.h"
#include "platform/gdi/codecs/BmpCodec.h"

#include <gtest/gtest.h>

#include <functional>

namespace tovrel::test {
namespace {

struct TBmpSpec {
    int HeaderSize = 40;
    int Width = 1;
    int Height = 1;
    int Bits = 24;
    std::uint32_t Compression = 0;
    std::vector<std::uint32_t> Masks; // inside the header from 52 bytes on, else after it
    std::vector<std::uint32_t> Palette;
    std::uint32_t ColorsUsed = 0;
    std::vector<std::uint8_t> Pixels;
};

void Put(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
}

std::vector<std::uint8_t> BuildBmp(const TBmpSpec& s)
{
    const bool core = s.HeaderSize == 12;
    const std::size_t masksAfter = (s.HeaderSize == 40 ? s.Masks.size() : 0) * 4;
    const std::size_t paletteBytes = s.Palette.size() * (core ? 3 : 4);
    const std::size_t dataOffset = 14 + std::size_t(s.HeaderSize) + masksAfter + paletteBytes;
    std::vector<std::uint8_t> out(dataOffset, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put(out, 2, std::uint32_t(dataOffset + s.Pixels.size()), 4);
    Put(out, 10, std::uint32_t(dataOffset), 4);
    Put(out, 14, std::uint32_t(s.HeaderSize), 4);
    if (core) {
        Put(out, 18, std::uint32_t(s.Width), 2);
        Put(out, 20, std::uint32_t(s.Height), 2);
        Put(out, 22, 1, 2);
        Put(out, 24, std::uint32_t(s.Bits), 2);
    } else {
        Put(out, 18, std::uint32_t(s.Width), 4);
        Put(out, 22, std::uint32_t(s.Height), 4);
        Put(out, 26, 1, 2);
        Put(out, 28, std::uint32_t(s.Bits), 2);
        Put(out, 30, s.Compression, 4);
        Put(out, 46, s.ColorsUsed, 4);
    }
    std::size_t at = 54; // masks: right after a 40-byte header, or its own fields in longer ones
    for (std::uint32_t m : s.Masks) {
        Put(out, at, m, 4);
        at += 4;
    }
    at = 14 + std::size_t(s.HeaderSize) + masksAfter;
    for (std::uint32_t c : s.Palette) {
        Put(out, at, c, core ? 3 : 4);
        at += core ? 3 : 4;
    }
    out.insert(out.end(), s.Pixels.begin(), s.Pixels.end());
    return out;
}

std::uint32_t Rgb(const TSurface& s, int x, int y)
{
    return Bgra(s, x, y) & 0xFFFFFF;
}

TEST(CodecBmp, WriterRoundTripsEveryDepthBothWays)
{
    for (int bits : {1, 4, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(std::to_string(bits) + (topDown ? " top-down" : " bottom-up"));
            const TSurface source = bits <= 8
                                        ? Stripes(13, 7, bits == 1 ? 2 : 5)
                                        : Gradient(13, 7, bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
            const auto file = EncodeBmp(source, {bits, topDown});
            EXPECT_EQ(file[2] | (file[3] << 8) | (file[4] << 16), int(file.size()));
            const TSurface back = DecodeBmp(file);
            EXPECT_EQ(back.PixelFormat(), bits == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
            EXPECT_EQ(FirstDifference(source, back, bits == 32), "");
        }
    }
}

TEST(CodecBmp, WriterRefusesTooManyColoursForAPalette)
{
    EXPECT_THROW(EncodeBmp(Stripes(8, 8, 3), {1, false}), EImageError);
    EXPECT_THROW(EncodeBmp(Gradient(40, 40, TPixelFormat::pf24bit), {8, false}), EImageError);
    EXPECT_THROW(EncodeBmp(TSurface(), {24, false}), EImageError);
}

TEST(CodecBmp, ReadsColourMasksAndNewerHeaders)
{
    // 16-bit 5-6-5 in a V5 header: red, green, blue, mid grey.
    TBmpSpec v5{124, 4, 1, 16, 3, {0xF800, 0x07E0, 0x001F, 0}, {}, 0, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0x10, 0x84}};
    TSurface s = DecodeBmp(BuildBmp(v5));
    EXPECT_EQ(s.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(Rgb(s, 0, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(s, 1, 0), 0x00FF00u);
    EXPECT_EQ(Rgb(s, 2, 0), 0x0000FFu);
    EXPECT_EQ(Rgb(s, 3, 0), 0x838183u);

    // 16-bit without masks is 5-5-5.
    TBmpSpec rgb555{40, 1, 1, 16, 0, {}, {}, 0, {0x00, 0x7C, 0, 0}};
    EXPECT_EQ(Rgb(DecodeBmp(BuildBmp(rgb555)), 0, 0), 0xFF0000u);

    // 32-bit masks after a 40-byte header, in R,G,B byte order: no alpha mask, alpha 0.
    TBmpSpec swapped{40, 1, 1, 32, 3, {0x000000FF, 0x0000FF00, 0x00FF0000}, {}, 0, {0x11, 0x22, 0x33, 0x99}};
    s = DecodeBmp(BuildBmp(swapped));
    EXPECT_EQ(Bgra(s, 0, 0), 0x00112233u);

    // V4 header with an alpha mask.
    TBmpSpec v4{108, 1, 1, 32, 3, {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000}, {}, 0, {0x11, 0x22, 0x33, 0x80}};
    EXPECT_EQ(Bgra(DecodeBmp(BuildBmp(v4)), 0, 0), 0x80332211u);
}

TEST(CodecBmp, ReadsCoreHeaderAndTopDownPalettes)
{
    TBmpSpec core{12, 2, 2, 8, 0, {}, {0x102030, 0x405060}, 0, {0, 1, 0, 0, 1, 0, 0, 0}};
    core.Palette.resize(256); // a core header always carries the full table
    TSurface s = DecodeBmp(BuildBmp(core));
    EXPECT_EQ(Rgb(s, 0, 1), 0x102030u); // first stored row is the bottom one
    EXPECT_EQ(Rgb(s, 1, 1), 0x405060u);
    EXPECT_EQ(Rgb(s, 0, 0), 0x405060u);

    TBmpSpec topDown{40, 2, -2, 8, 0, {}, {0x102030, 0x405060}, 2, {0, 1, 0, 0, 1, 0, 0, 0}};
    s = DecodeBmp(BuildBmp(topDown));
    EXPECT_EQ(Rgb(s, 0, 0), 0x102030u);
    EXPECT_EQ(Rgb(s, 0, 1), 0x405060u);
}

TEST(CodecBmp, ReadsRunLengthData)
{
    const std::vector<std::uint32_t> palette{0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
    // 4 x 2: bottom row a run of four 1s; top row an absolute run 2,3,2 then one 1.
    TBmpSpec rle8{40, 4, 2, 8, 1, {}, palette, 4, {4, 1, 0, 0, 0, 3, 2, 3, 2, 0, 1, 1, 0, 1}};
    TSurface s = DecodeBmp(BuildBmp(rle8));
    const std::uint32_t top[] = {0x00FF00, 0xFF0000, 0x00FF00, 0x0000FF};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(Rgb(s, x, 1), 0x0000FFu);
        EXPECT_EQ(Rgb(s, x, 0), top[x]);
    }
    // A delta skips pixels, which keep colour 0.
    TBmpSpec delta{40, 4, 2, 8, 1, {}, palette, 4, {0, 2, 2, 1, 2, 3, 0, 1}};
    s = DecodeBmp(BuildBmp(delta));
    EXPECT_EQ(Rgb(s, 1, 0), 0u);
    EXPECT_EQ(Rgb(s, 2, 0), 0xFF0000u);
    EXPECT_EQ(Rgb(s, 3, 0), 0xFF0000u);

    TBmpSpec rle4{40, 5, 1, 4, 2, {}, palette, 4, {5, 0x12, 0, 1}};
    s = DecodeBmp(BuildBmp(rle4));
    const std::uint32_t row[] = {0x0000FF, 0x00FF00, 0x0000FF, 0x00FF00, 0x0000FF};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(Rgb(s, x, 0), row[x]);
}

struct TDamage {
    const char* Name;
    std::function<std::vector<std::uint8_t>()> Make;
};

std::vector<std::uint8_t> Valid8Bit()
{
    return EncodeBmp(Stripes(6, 4, 5), {8, false});
}

std::vector<std::uint8_t> With(std::vector<std::uint8_t> file, std::size_t at, std::uint32_t v, int bytes = 4)
{
    Put(file, at, v, bytes);
    return file;
}

std::vector<std::uint8_t> Cut(std::vector<std::uint8_t> file, std::size_t size)
{
    file.resize(size);
    return file;
}

const std::vector<std::uint32_t> kFour{0, 1, 2, 3};

class CodecBmpDamaged : public testing::TestWithParam<TDamage> {};

TEST_P(CodecBmpDamaged, FailsWithAnError)
{
    const auto file = GetParam().Make();
    EXPECT_THROW(DecodeBmp(file), EImageError);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CodecBmpDamaged,
    testing::Values(TDamage{"NotABitmap", [] { return With(Valid8Bit(), 0, 'X', 1); }},
                    TDamage{"CutInTheFileHeader", [] { return Cut(Valid8Bit(), 10); }},
                    TDamage{"CutInTheInfoHeader", [] { return Cut(Valid8Bit(), 30); }},
                    TDamage{"CutInThePalette", [] { return Cut(Valid8Bit(), 60); }},
                    TDamage{"CutInThePixels",
                            [] {
                                auto f = Valid8Bit();
                                return Cut(f, f.size() - 1);
                            }},
                    TDamage{"UnknownHeaderSize", [] { return With(Valid8Bit(), 14, 99); }},
                    TDamage{"ZeroWidth", [] { return With(Valid8Bit(), 18, 0); }},
                    TDamage{"NegativeWidth", [] { return With(Valid8Bit(), 18, std::uint32_t(-5)); }},
                    TDamage{"ZeroHeight", [] { return With(Valid8Bit(), 22, 0); }},
                    TDamage{"HugeWidth", [] { return With(Valid8Bit(), 18, 100000); }},
                    TDamage{"HugeArea", [] { return With(With(Valid8Bit(), 18, 30000), 22, 30000); }},
                    TDamage{"MostNegativeHeight", [] { return With(Valid8Bit(), 22, 0x80000000u); }},
                    TDamage{"DimensionsLargerThanTheData", [] { return With(Valid8Bit(), 22, 400); }},
                    TDamage{"OddBitDepth", [] { return With(Valid8Bit(), 28, 7, 2); }},
                    TDamage{"UnknownCompression", [] { return With(Valid8Bit(), 30, 4); }},
                    TDamage{"PaletteLargerThanTheDepth", [] { return With(Valid8Bit(), 46, 300); }},
                    TDamage{"PixelDataOffsetBeyondTheEnd", [] { return With(Valid8Bit(), 10, 0x7FFFFFFF); }},
                    TDamage{"PaletteIndexOutOfRange",
                            [] {
                                return BuildBmp({40, 2, 1, 8, 0, {}, {0, 0xFFFFFF}, 2, {1, 7, 0, 0}});
                            }},
                    TDamage{"MasksWithEightBits",
                            [] {
                                return BuildBmp({40, 1, 1, 8, 3, {1, 2, 4}, {}, 0, {0, 0, 0, 0}});
                            }},
                    TDamage{"RunLongerThanTheRow",
                            [] {
                                return BuildBmp({40, 4, 2, 8, 1, {}, kFour, 4, {10, 1, 0, 1}});
                            }},
                    TDamage{"AbsoluteRunLongerThanTheRow",
                            [] {
                                return BuildBmp({40, 2, 1, 8, 1, {}, kFour, 4, {0, 3, 1, 1, 1, 0, 0, 1}});
                            }},
                    TDamage{"AbsoluteRunPastTheData",
                            [] {
                                return BuildBmp({40, 8, 1, 8, 1, {}, kFour, 4, {0, 8, 1, 1}});
                            }},
                    TDamage{"DeltaOutOfTheImage",
                            [] {
                                return BuildBmp({40, 4, 2, 8, 1, {}, kFour, 4, {0, 2, 0, 9, 1, 1, 0, 1}});
                            }},
                    TDamage{"RowsPastTheTop",
                            [] {
                                return BuildBmp({40, 1, 1, 8, 1, {}, kFour, 4, {1, 1, 0, 0, 1, 1, 0, 1}});
                            }},
                    TDamage{"NoEndMarker",
                            [] {
                                return BuildBmp({40, 4, 1, 8, 1, {}, kFour, 4, {4, 1}});
                            }},
                    TDamage{"RunLengthTopDown",
                            [] {
                                return BuildBmp({40, 4, -1, 8, 1, {}, kFour, 4, {4, 1, 0, 1}});
                            }},
                    TDamage{"RunLengthWrongDepth",
                            [] {
                                return BuildBmp({40, 4, 1, 4, 1, {}, kFour, 4, {4, 1, 0, 1}});
                            }}),
    [](const auto& info) { return std::string(info.param.Name); });

} // namespace
} // namespace tovrel::test
