// Writes a small seed corpus for every fuzz target into <folder>/<target>/:
// pictures made by the product's own encoders, PCX files, unpacked and packed
// skins, settings files and option texts. Run by scripts/fuzz before fuzzing.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Streams.h"
#include "skin/data/SkinCompressedContent.h"
#include "skin/data/SkinCompressedSkin.h"
#include "skin/data/SkinCompressedStreams.h"

namespace tovrel {
namespace {

namespace fs = std::filesystem;
using TBytes = std::vector<std::uint8_t>;

void WriteSeed(const fs::path& folder, const std::string& name, std::span<const std::uint8_t> bytes)
{
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& text)
{
    WriteSeed(folder, name, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// A few colours in stripes, with alpha where asked: small enough for the
// 1-, 4- and 8-bit writers, varied enough to give every reader some work.
TSurface Stripes(int width, int height, bool alpha)
{
    TSurface surface(width, height, alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = surface.ScanLine(y) + x * surface.BytesPerPixel();
            const bool odd = (x + y) % 2 != 0;
            pixel[0] = odd ? 255 : 0;
            pixel[1] = std::uint8_t(x % 3 == 0 ? 255 : 0);
            pixel[2] = odd ? 0 : 255;
            if (alpha)
                pixel[3] = std::uint8_t(y == 0 ? 0 : 255);
        }
    return surface;
}

TSurface TwoColours(int width, int height)
{
    TSurface surface(width, height, TPixelFormat::pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.ScanLine(y)[x * 3] = (x + y) % 2 ? 255 : 0;
    return surface;
}

void WriteImageSeeds(const fs::path& root)
{
    const TSurface opaque = Stripes(7, 5, false), withAlpha = Stripes(6, 4, true);
    WriteSeed(root / "bmp", "24.bmp", EncodeBmp(opaque));
    WriteSeed(root / "bmp", "24-topdown.bmp", EncodeBmp(opaque, {24, true}));
    WriteSeed(root / "bmp", "32.bmp", EncodeBmp(withAlpha, {32, false}));
    WriteSeed(root / "bmp", "8.bmp", EncodeBmp(opaque, {8, false}));
    WriteSeed(root / "bmp", "4.bmp", EncodeBmp(opaque, {4, false}));
    WriteSeed(root / "bmp", "1.bmp", EncodeBmp(TwoColours(9, 3), {1, false}));
    WriteSeed(root / "png", "rgb.png", EncodePng(opaque, false));
    WriteSeed(root / "png", "rgba.png", EncodePng(withAlpha, true));
    WriteSeed(root / "jpeg", "q90.jpg", EncodeJpeg(opaque, 90));
    WriteSeed(root / "jpeg", "q10.jpg", EncodeJpeg(Stripes(17, 9, false), 10));
    WriteSeed(root / "gif", "opaque.gif", EncodeGif(opaque));
    WriteSeed(root / "gif", "alpha.gif", EncodeGif(withAlpha));
}

// An 8-bit one-plane PCX: 128-byte header, rows (run-length coded or not), and
// for version 5 the 256-colour palette behind its marker byte.
TBytes Pcx(int version, bool runLength, int width, int height)
{
    const int lineLength = width + width % 2;
    TBytes file(128, 0);
    file[0] = 10;
    file[1] = std::uint8_t(version);
    file[2] = runLength ? 1 : 0;
    file[3] = 8;
    file[8] = std::uint8_t(width - 1);
    file[10] = std::uint8_t(height - 1);
    file[65] = 1;
    file[66] = std::uint8_t(lineLength);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < lineLength; ++x) {
            const std::uint8_t index = std::uint8_t((x / 2 + y) % 16);
            if (runLength && (x % 2 == 0)) {
                file.push_back(0xC2); // a run of two
                file.push_back(index);
            } else if (!runLength) {
                file.push_back(index);
            }
        }
    if (version == 5) {
        file.push_back(12);
        for (int i = 0; i < 256; ++i) {
            file.push_back(std::uint8_t(i));
            file.push_back(std::uint8_t(255 - i));
            file.push_back(std::uint8_t(i * 7));
        }
    }
    return file;
}

void WritePcxSeeds(const fs::path& root)
{
    WriteSeed(root / "pcx", "v5-rle.pcx", Pcx(5, true, 6, 4));
    WriteSeed(root / "pcx", "v5-plain.pcx", Pcx(5, false, 5, 3));
    WriteSeed(root / "pcx", "v3-rle.pcx", Pcx(3, true, 8, 2));
}

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Unpacked and packed skins around each seed description of the INI corpus.
void WriteSkinSeeds(const fs::path& root, const fs::path& iniCorpus)
{
    TBitmap picture(12, 8, TPixelFormat::pf24bit), mask(12, 8, TPixelFormat::pf24bit);
    TBitmap active(4, 4, TPixelFormat::pf32bit);
    picture.SetSurface(Stripes(12, 8, false));
    active.SetSurface(Stripes(4, 4, true));
    TBitmap* const actives[] = {&active};
    for (const auto& entry : fs::directory_iterator(iniCorpus)) {
        const std::string name = entry.path().stem().string();
        TMemoryStream content;
        WriteSkinContent(content, &picture, nullptr, &mask, actives, ReadText(entry.path()));
        WriteSeed(root / "skin-content", name + ".bin", content.Bytes());
        TskCompressedStoredSkin stored(nullptr);
        CompressStream(content, stored.CompressedData());
        TMemoryStream file;
        stored.SaveToCompressStream(file);
        WriteSeed(root / "skin-compressed", name + ".skn", file.Bytes());
        WriteSeed(root / "ini-file", name + ".ini", ReadText(entry.path()));
    }
}

void WriteSettingsSeeds(const fs::path& root)
{
    WriteSeed(root / "ini-file", "option.ini",
              "\xEF\xBB\xBF; settings of the converter\r\n"
              "[General]\r\nLanguage=English\r\nOutputFolder = /home/user/Videos \r\nShutdown=0\r\n\r\n"
              "[Window]\r\nLeft=$10\r\nTop=0x20\r\nWidth=800\r\n  ; a comment inside\r\nwidth=900\r\n"
              "[general]\r\nLanguage=Other\r\n[Empty]\r\n=no key\r\nno equals\r\n[Unclosed\r\nKey=Value\r\n");
    WriteSeed(root / "ini-file", "lf.ini", "[a]\nb=1\nc = two words \n\n[d]\ne=\n");
    WriteSeed(root / "option-text", "output.txt",
              "TimeStart=1000000\r\nTimeLength=2000000\r\nvcodec=mpeg4\r\nb=800k\r\ns=320x240\r\nr=30000/1001\r\n"
              "aspect=16:9\r\nacodec=mp2\r\nar=44100\r\nac=2\r\nab=128k\r\nvtag=xvid\r\nmetadata=title=a=b\r\n"
              "map=0:1\r\nt=1:02.5\r\nss=3\r\nitsscale=2:1.5\r\nstreamid=19:301\r\nJoin\r\nHook=1\r\n");
    WriteSeed(root / "option-text", "input.txt", "TimeStart=5<CRLF>f=avi<CRLF>programid=-3<CRLF>vn<CRLF>");
    WriteSeed(root / "option-text", "target.txt", "target=pal-dvd\nqscale=2\npix_fmt=yuv422p\nvf=hflip\nfs=500\n");
}

} // namespace
} // namespace tovrel

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds <output folder> <skin INI corpus folder>\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    tovrel::WriteImageSeeds(root);
    tovrel::WritePcxSeeds(root);
    tovrel::WriteSkinSeeds(root, argv[2]);
    tovrel::WriteSettingsSeeds(root);
    return 0;
}
