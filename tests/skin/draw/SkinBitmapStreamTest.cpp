// TskBitmap streams and the PCX reader, with tables of cut and lying inputs.
#include <gtest/gtest.h>

#include "SkinDrawTestSupport.h"
#include "skin/draw/SkinBitmapLink.h"
#include "skin/draw/StreamStrings.h"

#include <sstream>

namespace tovrel::test {
namespace {

using test::CoordColor;
using test::FillWithCoordinates;

std::string Saved(const TskBitmap& b)
{
    std::ostringstream out;
    b.SaveToStream(out);
    return out.str();
}

std::string Int32Bytes(std::int32_t v)
{
    std::ostringstream out;
    WriteInt32(out, v);
    return out.str();
}

TEST(SkinBitmapStream, RoundTripKeepsNameSizeAndPixels)
{
    TskBitmap b;
    FillWithCoordinates(b, 3, 2, 0x80);
    b.Name = "按钮 glow";
    std::istringstream in(Saved(b));
    TskBitmap copy;
    copy.LoadFromStream(in);
    EXPECT_EQ(copy.Name, b.Name);
    ASSERT_EQ(copy.Width(), 3);
    ASSERT_EQ(copy.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(copy.Pixel(x, y), CoordColor(x, y, 0x80));

    std::ostringstream empty;
    WriteStringToStream(empty, "");
    EXPECT_EQ(empty.str(), Int32Bytes(0));
}

TEST(SkinBitmapStream, NegativeHeightIsStoredBottomUp)
{
    TskBitmap b;
    FillWithCoordinates(b, 1, 2);
    std::string bytes = Saved(b);
    bytes.replace(8, 4, Int32Bytes(-2)); // name "" (4 bytes), width, height
    std::istringstream in(bytes);
    TskBitmap flipped;
    flipped.LoadFromStream(in);
    EXPECT_EQ(flipped.Pixel(0, 0), CoordColor(0, 1));
    EXPECT_EQ(flipped.Pixel(0, 1), CoordColor(0, 0));
}

TEST(SkinBitmapStream, CutOrLyingStreamsAreRejectedAndChangeNothing)
{
    TskBitmap good;
    FillWithCoordinates(good, 2, 2);
    const std::string whole = Saved(good);
    const std::string header = Int32Bytes(0);
    const std::string cases[] = {
        "",
        whole.substr(0, 2),                                         // inside the name count
        whole.substr(0, 6),                                         // inside the width
        whole.substr(0, whole.size() - 1),                          // one pixel byte short
        Int32Bytes(1000) + "ab",                                    // name longer than the stream
        Int32Bytes(-5) + whole.substr(4),                           // negative name length
        header + Int32Bytes(-2) + Int32Bytes(2) + whole.substr(12), // negative width
        header + Int32Bytes(0x7FFFFFFF) + Int32Bytes(0x7FFFFFFF),   // sizes far beyond the bytes
        header + Int32Bytes(65536) + Int32Bytes(65536) + std::string(64, '\0'),
        header + Int32Bytes(2) + Int32Bytes(INT32_MIN),
    };
    for (const std::string& bytes : cases) {
        TskBitmap b;
        FillWithCoordinates(b, 1, 1);
        b.Name = "kept";
        std::istringstream in(bytes);
        EXPECT_THROW(b.LoadFromStream(in), EskBitmapError) << bytes.size();
        EXPECT_EQ(b.Width(), 1);
        EXPECT_EQ(b.Pixel(0, 0), CoordColor(0, 0));
        EXPECT_EQ(b.Name, "kept");
    }
}

TEST(SkinBitmapStream, LinkStreamsNameAndRectangle)
{
    TskBitmapLink link;
    link.Name = "thumb";
    link.Rect = Rect(1, -2, 30, 40);
    std::ostringstream out;
    link.SaveToStream(out);
    TskBitmapLink back;
    std::istringstream in(out.str());
    back.LoadFromStream(in);
    EXPECT_EQ(back.Name, "thumb");
    EXPECT_EQ(back.Rect, link.Rect);
    std::istringstream cut(out.str().substr(0, out.str().size() - 2));
    EXPECT_THROW(back.LoadFromStream(cut), EskBitmapError);
}

// A PCX file: header, image data, and for versions other than 3 the palette
// trailer (marker 12 and 256 RGB triples, entry i = (i, 255 - i, 7)).
struct TPcx {
    std::uint8_t Manufacturer = 10, Version = 5, Encoding = 1, Planes = 1;
    int XMin = 0, YMin = 0, XMax = 1, YMax = 1, BytesPerLine = 2;
    std::string Data;
    bool Palette = true;

    std::string Bytes() const
    {
        std::string h(128, '\0');
        h[0] = char(Manufacturer);
        h[1] = char(Version);
        h[2] = char(Encoding);
        h[3] = 8;
        auto word = [&h](int at, int v) {
            h[std::size_t(at)] = char(v & 0xFF);
            h[std::size_t(at) + 1] = char((v >> 8) & 0xFF);
        };
        word(4, XMin);
        word(6, YMin);
        word(8, XMax);
        word(10, YMax);
        h[65] = char(Planes);
        word(66, BytesPerLine);
        std::string bytes = h + Data;
        if (Palette) {
            bytes += char(12);
            for (int i = 0; i < 256; ++i)
                bytes += std::string{char(i), char(255 - i), char(7)};
        }
        return bytes;
    }
};

TskColor PaletteColor(int i)
{
    return SkColor(std::uint8_t(i), std::uint8_t(255 - i), 7, 255);
}

TEST(SkinBitmapPcx, RunsAndRawRowsDecodeThroughThePalette)
{
    TPcx rle; // 2 x 2: a run of two 5s, then 6, 7 as literals
    rle.Data = std::string{char(0xC2), 5, 6, 7};
    TskBitmap b;
    std::istringstream in(rle.Bytes());
    b.LoadFromPcxStream(in);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 2);
    EXPECT_EQ(b.Pixel(0, 0), PaletteColor(5));
    EXPECT_EQ(b.Pixel(1, 0), PaletteColor(5));
    EXPECT_EQ(b.Pixel(0, 1), PaletteColor(6));
    EXPECT_EQ(b.Pixel(1, 1), PaletteColor(7));

    TPcx raw; // 3 x 1 with a padded line of 4 and offset corners
    raw.Encoding = 0;
    raw.XMin = 10;
    raw.XMax = 12;
    raw.YMin = raw.YMax = 3;
    raw.BytesPerLine = 4;
    raw.Data = std::string{1, 2, 3, 9};
    std::istringstream rawIn(raw.Bytes());
    b.LoadFromPcxStream(rawIn);
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 1);
    EXPECT_EQ(b.Pixel(2, 0), PaletteColor(3));

    TPcx v3; // the 16-colour system palette
    v3.Version = 3;
    v3.Palette = false;
    v3.Encoding = 0;
    v3.XMax = 2;
    v3.YMax = 0;
    v3.BytesPerLine = 4;
    v3.Data = std::string{9, 15, 20, 0};
    std::istringstream v3In(v3.Bytes());
    b.LoadFromPcxStream(v3In);
    EXPECT_EQ(b.Pixel(0, 0), SkColor(255, 0, 0, 255));
    EXPECT_EQ(b.Pixel(1, 0), SkColor(255, 255, 255, 255));
    EXPECT_EQ(b.Pixel(2, 0), SkColor(0, 0, 0, 255));
}

TEST(SkinBitmapPcx, DamagedFilesAreRejectedAndUnknownOnesIgnored)
{
    TPcx unknown;
    unknown.Manufacturer = 11;
    TskBitmap b;
    FillWithCoordinates(b, 1, 1);
    std::istringstream in(unknown.Bytes());
    b.LoadFromPcxStream(in);
    EXPECT_EQ(b.Pixel(0, 0), CoordColor(0, 0));

    const TPcx base = [] {
        TPcx p;
        p.Data = std::string{char(0xC2), 5, 6, 7};
        return p;
    }();
    std::vector<std::string> cases;
    cases.push_back(base.Bytes().substr(0, 100)); // header cut short
    auto with = [&](auto change) {
        TPcx p = base;
        change(p);
        cases.push_back(p.Bytes());
    };
    with([](TPcx& p) { p.XMax = 0, p.XMin = 1; });                        // no columns
    with([](TPcx& p) { p.YMin = 5; });                                    // no rows
    with([](TPcx& p) { p.BytesPerLine = 1; });                            // line shorter than the width
    with([](TPcx& p) { p.Palette = false, p.Data = std::string(3, 1); }); // no room for a palette
    with([](TPcx& p) { p.Palette = false, p.Encoding = 0, p.Data = std::string(800, 1), p.YMax = 400; });
    with([](TPcx& p) { p.Palette = false, p.YMax = 499, p.Data = std::string(999, 1) + char(0xC5); }); // run, no value
    with([](TPcx& p) { p.XMax = 65535, p.YMax = 65535, p.BytesPerLine = 65535; }); // huge, few bytes
    for (const std::string& bytes : cases) {
        std::istringstream damaged(bytes);
        EXPECT_THROW(b.LoadFromPcxStream(damaged), EskBitmapError) << bytes.size();
        EXPECT_EQ(b.Width(), 1);
        EXPECT_EQ(b.Pixel(0, 0), CoordColor(0, 0));
    }
}

// Damaged copies of good files: every byte position changed, and every length
// cut. Each load either works or raises EskBitmapError; nothing else.
TEST(SkinBitmapPcx, DamagedCopiesOfGoodFilesNeverGoWrong)
{
    TPcx pcx;
    pcx.Data = std::string{char(0xC2), 5, 6, 7};
    TskBitmap good;
    FillWithCoordinates(good, 3, 2);
    good.Name = "n";
    const std::string files[] = {pcx.Bytes(), Saved(good)};
    const bool isPcx[] = {true, false};
    for (int f = 0; f < 2; ++f) {
        const std::string& original = files[f];
        auto load = [&](const std::string& bytes) {
            TskBitmap b;
            std::istringstream in(bytes);
            try {
                if (isPcx[f])
                    b.LoadFromPcxStream(in);
                else
                    b.LoadFromStream(in);
            } catch (const EskBitmapError&) {}
        };
        for (std::size_t i = 0; i < original.size(); i += (i < 140 ? 1 : 97)) {
            for (unsigned char value : {0x00, 0x7F, 0xC1, 0xFF}) {
                std::string bytes = original;
                bytes[i] = char(value);
                load(bytes);
            }
            load(original.substr(0, i));
        }
    }
}

} // namespace
} // namespace tovrel::test
