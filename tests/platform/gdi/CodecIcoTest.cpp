// Icon files: one picture of every stored kind read against the picture it
// should show, the choice of entry by size, and damaged files that must fail
// with a message naming what is wrong.
#include "platform/gdi/IcoFileBuilder.h"
#include "platform/gdi/codecs/IcoCodec.h"

#include <gtest/gtest.h>

#include <functional>

namespace tovrel::test {
namespace {

// What IconPicture shows, as rows of 0xAARRGGBB values.
std::string PictureText(const TSurface& s)
{
    std::string out;
    char hex[16];
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            std::snprintf(hex, sizeof hex, "%08X ", LoadPixel(s.ScanLine(y) + x * 4));
            out += hex;
        }
        out += '\n';
    }
    return out;
}

const TRows kTwoColours = {"r.b", "b.r"}; // odd width: mask rows are padded
const TRows kRedOnly = {"r..", ".rr"};

TEST(CodecIco, ReadsEveryKindOfPicture)
{
    struct TCase {
        const char* Name;
        std::vector<std::uint8_t> Entry;
        TRows Shows;
        int Bits;
    } const cases[] = {
        {"1-bit", DibEntry(1, kRedOnly, {0x000000, 0xFF0000}), kRedOnly, 1},
        {"4-bit", DibEntry(4, kTwoColours, {0x000000, 0x123456, 0x0000FF, 0xFF0000}), kTwoColours, 4},
        {"8-bit", DibEntry(8, kTwoColours, {0x000000, 0xFF0000, 0x0000FF}), kTwoColours, 8},
        {"24-bit with mask", DibEntry(24, kTwoColours), kTwoColours, 24},
        {"32-bit without alpha: the mask", DibEntry(32, kTwoColours), kTwoColours, 32},
        {"32-bit with alpha: the mask is ignored", DibEntry(32, {"rh.", ".hb"}, {}, true), {"rh.", ".hb"}, 32},
        {"PNG", PngEntry({"rh.", ".wb"}), {"rh.", ".wb"}, 32},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::vector<TIconImage> images = DecodeIco(IcoFile({c.Entry}));
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(PictureText(IconPicture(images[0])), PictureText(RowsSurface(c.Shows)));
        EXPECT_EQ(images[0].Bits, c.Bits);
    }
}

TEST(CodecIco, BestEntryForASize)
{
    auto square = [](int side, int bits) {
        const TRows rows(std::size_t(side), std::string(std::size_t(side), 'r'));
        return DibEntry(bits, rows, bits <= 8 ? std::vector<std::uint32_t>{0, 0xFF0000} : std::vector<std::uint32_t>{});
    };
    // 16 (32-bit), 32 (8-bit), 32 (32-bit), 48 (24-bit).
    const auto images = DecodeIco(IcoFile({square(16, 32), square(32, 8), square(32, 32), square(48, 24)}));
    struct TCase {
        int Size;
        int Chosen;
    } const cases[] = {
        {16, 0},          // exact
        {32, 2},          // exact, the deeper of two
        {20, 2},          // the smallest larger
        {40, 3}, {64, 3}, // none larger: the largest
        {8, 0},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(BestIconImage(images, c.Size, c.Size), c.Chosen) << c.Size;
    EXPECT_EQ(BestIconImage({}, 32, 32), -1);
}

TEST(CodecIco, DamagedFilesFailWithAMessage)
{
    using TBytes = std::vector<std::uint8_t>;
    const TBytes good = IcoFile({DibEntry(24, kTwoColours)});
    auto put32 = [](TBytes& f, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            f[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    };
    constexpr std::size_t entrySize = 6 + 8, entryOffset = 6 + 12, picture = 6 + 16;
    struct TCase {
        const char* Name;
        std::function<void(TBytes&)> Damage;
        const char* Says;
    } const cases[] = {
        {"empty", [](TBytes& f) { f.clear(); }, "not an icon file"},
        {"a cursor", [](TBytes& f) { f[2] = 2; }, "not an icon file"},
        {"no pictures", [](TBytes& f) { f[4] = 0; }, "no pictures"},
        {"directory cut short", [](TBytes& f) { f.resize(12); }, "directory is truncated"},
        {"entry placed past the end", [&](TBytes& f) { put32(f, entryOffset, 0x7FFFFFF0); }, "beyond the end"},
        {"entry longer than the file", [&](TBytes& f) { put32(f, entrySize, 0x10000); }, "beyond the end"},
        {"colour rows cut short", [&](TBytes& f) { put32(f, entrySize, 40 + 8); }, "entry 1: BMP: pixel data"},
        {"mask cut short", [&](TBytes& f) { put32(f, entrySize, std::uint32_t(f.size() - picture - 4)); },
         "mask is truncated"},
        {"header too small", [&](TBytes& f) { put32(f, picture, 12); }, "unsupported picture header"},
        {"no rows", [&](TBytes& f) { put32(f, picture + 8, 0); }, "height"},
        {"absurd width", [&](TBytes& f) { put32(f, picture + 4, 100000); }, "too large"},
        {"unknown depth", [&](TBytes& f) { f[picture + 14] = 7; }, "bit depth"},
        {"damaged PNG", [&](TBytes& f) { std::copy_n("\x89PNG\r\n\x1A\n\0\0\0", 11, f.begin() + picture); },
         "entry 1: PNG"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TBytes file = good;
        c.Damage(file);
        try {
            DecodeIco(file);
            ADD_FAILURE() << "read without an error";
        } catch (const EImageError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("ICO: ", 0), 0u) << message;
            EXPECT_NE(message.find(c.Says), std::string::npos) << message;
        }
    }
}

TEST(CodecIco, WriterRoundTrips)
{
    const auto images = DecodeIco(IcoFile({DibEntry(24, kTwoColours), PngEntry({"rh", "wb"})}));
    const auto again = DecodeIco(EncodeIco(images));
    ASSERT_EQ(again.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(PictureText(IconPicture(again[i])), PictureText(IconPicture(images[i]))) << i;
    EXPECT_THROW(EncodeIco({}), EImageError);
}

} // namespace
} // namespace tovrel::test
