// JPEG and GIF: writer round trips, grey and CMYK JPEGs and GIF frames with
// transparency and interlacing written by the libraries themselves, detection
// by content, and damaged files.
#include "CodecTestSupport.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"

#include <cstdio> // before jpeglib.h, which uses FILE
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <unistd.h>

namespace tovrel::test {
namespace {

// A smooth picture: JPEG keeps it within a few levels.
TSurface Smooth(int width, int height)
{
    TSurface s(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = s.ScanLine(y) + x * 3;
            p[0] = std::uint8_t(40 + x * 3);
            p[1] = std::uint8_t(80 + y * 2);
            p[2] = std::uint8_t(200 - x * 2);
        }
    return s;
}

TEST(CodecJpeg, RoundTripStaysClose)
{
    const TSurface source = Smooth(33, 17);
    const auto file = EncodeJpeg(source, 95);
    const TSurface back = DecodeJpeg(file);
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(FirstDifference(source, back, false, 8), "");

    // 32-bit surfaces encode from their colour bytes.
    TSurface wide(33, 17, TPixelFormat::pf32bit);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 33; ++x) {
            std::memcpy(wide.ScanLine(y) + x * 4, source.ScanLine(y) + x * 3, 3);
            wide.ScanLine(y)[x * 4 + 3] = 0;
        }
    EXPECT_EQ(FirstDifference(source, DecodeJpeg(EncodeJpeg(wide, 95)), false, 8), "");
}

TEST(CodecJpeg, QualityTradesSizeForFidelity)
{
    const TSurface source = Gradient(64, 64, TPixelFormat::pf24bit);
    const auto low = EncodeJpeg(source, 0);
    const auto high = EncodeJpeg(source, 100);
    EXPECT_LT(low.size(), high.size());
    EXPECT_NO_THROW(DecodeJpeg(low));
    EXPECT_EQ(EncodeJpeg(source, -5), low);   // clamped
    EXPECT_EQ(EncodeJpeg(source, 250), high); // clamped
    EXPECT_THROW(EncodeJpeg(TSurface(), 50), EImageError);
}

// Written with libjpeg itself: the codec never writes these.
std::vector<std::uint8_t> WriteRawJpeg(J_COLOR_SPACE space, int components, const std::vector<std::uint8_t>& pixels,
                                       int width)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = 1;
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_start_compress(&info, TRUE);
    JSAMPROW row = const_cast<JSAMPROW>(pixels.data());
    jpeg_write_scanlines(&info, &row, 1);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::vector<std::uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

TEST(CodecJpeg, ReadsGreyAndCmykFiles)
{
    TSurface grey = DecodeJpeg(WriteRawJpeg(JCS_GRAYSCALE, 1, {0, 0, 0, 0, 200, 200, 200, 200}, 8));
    EXPECT_EQ(grey.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_NEAR(int(Bgra(grey, 6, 0) & 0xFF), 200, 4);
    EXPECT_EQ(Bgra(grey, 6, 0) & 0xFF, (Bgra(grey, 6, 0) >> 16) & 0xFF);

    // Inverted CMYK as such files store it: 8 pixels of red, then 8 of white.
    std::vector<std::uint8_t> cmyk;
    for (int x = 0; x < 16; ++x) {
        const bool red = x < 8;
        cmyk.insert(cmyk.end(), {255, std::uint8_t(red ? 0 : 255), std::uint8_t(red ? 0 : 255), 255});
    }
    const TSurface s = DecodeJpeg(WriteRawJpeg(JCS_CMYK, 4, cmyk, 16));
    ASSERT_EQ(s.Width(), 16);
    auto near = [](std::uint32_t p, std::uint32_t want) {
        for (int channel = 0; channel < 3; ++channel)
            if (std::abs(int((p >> (8 * channel)) & 0xFF) - int((want >> (8 * channel)) & 0xFF)) > 6)
                return false;
        return true;
    };
    EXPECT_TRUE(near(Bgra(s, 2, 0), 0xFF0000)) << std::hex << Bgra(s, 2, 0);
    EXPECT_TRUE(near(Bgra(s, 13, 0), 0xFFFFFF)) << std::hex << Bgra(s, 13, 0);
}

// A valid progressive file with one scan per bit of every coefficient of
// every component (2112 scans): refused before it can keep the decoder busy.
TEST(CodecJpeg, EndlessProgressionIsRefused)
{
    std::vector<jpeg_scan_info> script;
    for (int component = 0; component < 3; ++component) {
        for (int band = 0; band < 64; ++band) {
            script.push_back({1, {component, 0, 0, 0}, band, band, 0, 10});
            for (int bit = 10; bit > 0; --bit)
                script.push_back({1, {component, 0, 0, 0}, band, band, bit, bit - 1});
        }
    }
    const TSurface source = Smooth(8, 8);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 8;
    info.image_height = 8;
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    info.scan_info = script.data();
    info.num_scans = int(script.size());
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < 8; ++y) {
        JSAMPROW row = const_cast<JSAMPROW>(source.ScanLine(y));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const std::vector<std::uint8_t> file(buffer, buffer + size);
    std::free(buffer);
    try {
        DecodeJpeg(file);
        ADD_FAILURE() << "decoded";
    } catch (const EImageError& e) {
        EXPECT_STREQ(e.what(), "JPEG: too many scans");
    }
}

TEST(CodecJpeg, DamagedFilesFail)
{
    const auto good = EncodeJpeg(Gradient(64, 48, TPixelFormat::pf24bit), 80);
    auto cut = [&](std::size_t n) { return std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)); };
    auto scrambled = good;
    for (std::size_t i = good.size() / 2; i < good.size() - 2; ++i)
        scrambled[i] = std::uint8_t(i * 37);
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"empty", {}},
        {"marker only", cut(3)},
        {"cut in the header", cut(100)},
        {"cut in the pixels", cut(good.size() / 2)},
        {"scrambled pixels", scrambled},
    };
    for (const auto& [name, data] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(DecodeJpeg(data), EImageError);
    }
}

TEST(CodecGif, RoundTripIsExactUpTo256Colours)
{
    const TSurface source = Stripes(33, 17, 200);
    const TSurface back = DecodeGif(EncodeGif(source));
    EXPECT_EQ(back.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(FirstDifference(source, back, false), "");
}

TEST(CodecGif, ManyColoursAreReducedTo256)
{
    const TSurface source = Smooth(64, 64); // 4096 colours
    const TSurface back = DecodeGif(EncodeGif(source));
    EXPECT_EQ(FirstDifference(source, back, false, 32), "");
    std::set<std::uint32_t> colours;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            colours.insert(Bgra(back, x, y));
    EXPECT_LE(colours.size(), 256u);
    EXPECT_GT(colours.size(), 16u);
}

void AppendBytes(std::vector<std::uint8_t>& out, std::initializer_list<int> bytes)
{
    for (int b : bytes)
        out.push_back(std::uint8_t(b));
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

// A 4 x 4 screen with a 4-colour table; one 2 x 4 frame at (1, 0), colour 3
// transparent, its rows given in file order.
std::vector<std::uint8_t> FrameGif(bool interlaced)
{
    std::vector<std::uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
    GifColorType colours[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 4, 4, 2, 0, map);
    GraphicsControlBlock control{};
    control.TransparentColor = 3;
    GifByteType block[4];
    const std::size_t length = EGifGCBToExtension(&control, block);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), block);
    EGifPutImageDesc(gif, 1, 0, 2, 4, interlaced, nullptr);
    // Row y holds colours (y % 2 + 1, 3): red, green, red, green; right column transparent.
    const int fileOrder[] = {0, 2, 1, 3}; // interlace passes for 4 rows: 0 | (4) | 2 | 1, 3
    for (int i = 0; i < 4; ++i) {
        const int y = interlaced ? fileOrder[i] : i;
        GifPixelType line[2] = {GifPixelType(y % 2 + 1), 3};
        EGifPutLine(gif, line, 2);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

TEST(CodecGif, FirstFrameWithTransparencyOnTheScreen)
{
    for (bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced ? "interlaced" : "plain");
        const TSurface s = DecodeGif(FrameGif(interlaced));
        ASSERT_EQ(s.PixelFormat(), TPixelFormat::pf32bit);
        ASSERT_EQ(s.Width(), 4);
        const std::uint32_t colour[] = {0xFFFF0000, 0xFF00FF00, 0xFFFF0000, 0xFF00FF00};
        for (int y = 0; y < 4; ++y) {
            EXPECT_EQ(Bgra(s, 0, y) >> 24, 0u) << "outside the frame";
            EXPECT_EQ(Bgra(s, 1, y), colour[y]) << y;
            EXPECT_EQ(Bgra(s, 2, y) >> 24, 0u) << "transparent index";
            EXPECT_EQ(Bgra(s, 3, y) >> 24, 0u) << "outside the frame";
        }
    }
}

TEST(CodecGif, DamagedFilesFail)
{
    const auto good = EncodeGif(Stripes(20, 10, 7));
    auto cut = [&](std::size_t n) { return std::vector<std::uint8_t>(good.begin(), good.begin() + std::ptrdiff_t(n)); };
    // 2 x 1 image, 2-entry colour table, pixels coded as index 3 (clear, 3, 3, end).
    std::vector<std::uint8_t> badIndex{'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0};
    AppendBytes(badIndex, {0, 0, 0, 255, 255, 255, ',', 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0xDC, 0x0A, 0, ';'});
    std::vector<std::uint8_t> noImage{'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0, 0, 0, ';'};
    std::vector<std::uint8_t> noColours{'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0, 0, 0};
    AppendBytes(noColours, {',', 0, 0, 0, 0, 2, 0, 1, 0, 0, 2, 2, 0xDC, 0x0A, 0, ';'});
    auto huge = good;
    huge[6] = huge[7] = 0xFF; // screen 65535 wide
    huge[8] = huge[9] = 0xFF;
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"empty", {}},
        {"signature only", cut(6)},
        {"cut in the screen", cut(9)},
        {"cut in the pixels", cut(good.size() - 8)},
        {"colour index past the table", badIndex},
        {"no image", noImage},
        {"no colour table", noColours},
        {"huge screen", huge},
    };
    for (const auto& [name, data] : cases) {
        SCOPED_TRACE(name);
        EXPECT_THROW(DecodeGif(data), EImageError);
    }
}

TEST(CodecFiles, DecodeByContentAndLoadFiles)
{
    const TSurface picture = Stripes(9, 5, 4);
    const std::pair<TImageFormat, std::vector<std::uint8_t>> files[] = {
        {TImageFormat::Bmp, EncodeBmp(picture)},
        {TImageFormat::Png, EncodePng(picture, false)},
        {TImageFormat::Jpeg, EncodeJpeg(picture, 90)},
        {TImageFormat::Gif, EncodeGif(picture)},
    };
    for (const auto& [format, bytes] : files) {
        EXPECT_EQ(DetectImageFormat(bytes), format);
        EXPECT_EQ(DecodeImage(bytes).Width(), 9);
    }
    const std::uint8_t text[] = {'h', 'e', 'l', 'l', 'o'};
    EXPECT_EQ(DetectImageFormat(text), TImageFormat::Unknown);
    EXPECT_THROW(DecodeImage(text), EImageError);

    const auto dir = std::filesystem::temp_directory_path() / ("tovrel-codec-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "picture.png").string();
    WriteImageFileBytes(path, files[1].second);
    EXPECT_EQ(FirstDifference(LoadImageFile(path), picture, false), "");
    EXPECT_THROW(LoadImageFile((dir / "missing.png").string()), EImageError);
    EXPECT_THROW(WriteImageFileBytes((dir / "no" / "such" / "x.png").string(), files[1].second), EImageError);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tovrel::test
