#include "platform/gdi/codecs/GifCodec.h"

#include "platform/gdi/codecs/PixelPalette.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace tovrel {

namespace {

[[noreturn]] void Fail(const std::string& why)
{
    throw EImageError("GIF: " + why);
}

[[noreturn]] void FailWith(const char* what, int code)
{
    const char* text = GifErrorString(code);
    Fail(std::string(what) + (text ? std::string(": ") + text : std::string()));
}

struct TMemoryReader {
    std::span<const std::uint8_t> Data;
    std::size_t Position = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* reader = static_cast<TMemoryReader*>(gif->UserData);
    const std::size_t n = std::min(std::size_t(std::max(length, 0)), reader->Data.size() - reader->Position);
    if (n > 0)
        std::memcpy(buffer, reader->Data.data() + reader->Position, n);
    reader->Position += n;
    return int(n);
}

int WriteToMemory(GifFileType* gif, const GifByteType* buffer, int length)
{
    auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
    out->insert(out->end(), buffer, buffer + length);
    return length;
}

struct TDecoderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
struct TEncoderCloser {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
using TGifReader = std::unique_ptr<GifFileType, TDecoderCloser>;
using TGifWriter = std::unique_ptr<GifFileType, TEncoderCloser>;

struct TColourMapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TColourMap = std::unique_ptr<ColorMapObject, TColourMapDeleter>;

// Skips an extension, noting the transparent index of a graphics control block.
void ReadExtension(GifFileType* gif, int& transparentIndex)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        FailWith("damaged extension", gif->Error);
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        GraphicsControlBlock control;
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            transparentIndex = control.TransparentColor;
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            FailWith("damaged extension", gif->Error);
    }
}

TSurface ReadFrame(GifFileType* gif, int transparentIndex)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        FailWith("damaged image descriptor", gif->Error);
    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount < 1)
        Fail("image has no colour table");
    CheckImageSize("GIF", frame.Width, frame.Height);
    const int screenWidth = gif->SWidth;
    const int screenHeight = gif->SHeight;
    const bool covers = frame.Left == 0 && frame.Top == 0 && frame.Width >= screenWidth && frame.Height >= screenHeight;
    const bool transparent = transparentIndex >= 0 || !covers;
    TSurface surface(screenWidth, screenHeight, transparent ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);

    // Interlaced frames arrive in four passes of rows.
    std::vector<int> rowOrder;
    rowOrder.reserve(std::size_t(frame.Height));
    if (frame.Interlace) {
        const int starts[] = {0, 4, 2, 1};
        const int steps[] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = starts[pass]; y < frame.Height; y += steps[pass])
                rowOrder.push_back(y);
    } else {
        for (int y = 0; y < frame.Height; ++y)
            rowOrder.push_back(y);
    }
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    const int bytes = surface.BytesPerPixel();
    for (int row : rowOrder) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
            FailWith("image data is damaged or truncated", gif->Error);
        const int y = frame.Top + row;
        if (y < 0 || y >= screenHeight)
            continue; // frames may stick out of the screen; the outside is not shown
        for (int x = 0; x < frame.Width; ++x) {
            const int index = line[std::size_t(x)];
            if (index >= map->ColorCount)
                Fail("colour index " + std::to_string(index) + " out of range");
            const int sx = frame.Left + x;
            if (sx < 0 || sx >= screenWidth || index == transparentIndex)
                continue;
            std::uint8_t* p = surface.ScanLine(y) + std::size_t(sx) * std::size_t(bytes);
            const GifColorType& c = map->Colors[index];
            p[0] = c.Blue;
            p[1] = c.Green;
            p[2] = c.Red;
            if (bytes == 4)
                p[3] = 255;
        }
    }
    return surface;
}

int PowerOfTwoAtLeast(int n)
{
    int size = 2;
    while (size < n)
        size *= 2;
    return size;
}

// Palette and indexes: exact when possible, else a median-cut reduction.
TIndexedImage Reduce(const TSurface& surface)
{
    if (auto exact = IndexExactly(surface, 256))
        return *std::move(exact);
    const std::size_t count = std::size_t(surface.Width()) * std::size_t(surface.Height());
    std::vector<GifByteType> red(count), green(count), blue(count);
    std::size_t i = 0;
    for (int y = 0; y < surface.Height(); ++y)
        for (int x = 0; x < surface.Width(); ++x, ++i) {
            const std::uint32_t rgb = RgbAt(surface, x, y);
            red[i] = GifByteType(rgb >> 16);
            green[i] = GifByteType(rgb >> 8);
            blue[i] = GifByteType(rgb);
        }
    int mapSize = 256;
    std::vector<GifColorType> colours(256);
    TIndexedImage image;
    image.Indexes.resize(count);
    if (GifQuantizeBuffer(unsigned(surface.Width()), unsigned(surface.Height()), &mapSize, red.data(), green.data(),
                          blue.data(), image.Indexes.data(), colours.data()) == GIF_ERROR)
        Fail("colour reduction failed");
    for (int c = 0; c < mapSize; ++c)
        image.Palette.push_back((std::uint32_t(colours[std::size_t(c)].Red) << 16) |
                                (std::uint32_t(colours[std::size_t(c)].Green) << 8) | colours[std::size_t(c)].Blue);
    return image;
}

} // namespace

TSurface DecodeGif(std::span<const std::uint8_t> data)
{
    TMemoryReader reader{data};
    int error = 0;
    TGifReader gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif)
        FailWith("cannot read the header", error);
    CheckImageSize("GIF", gif->SWidth, gif->SHeight);
    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            FailWith("damaged file", gif->Error);
        if (record == IMAGE_DESC_RECORD_TYPE)
            return ReadFrame(gif.get(), transparentIndex);
        if (record == EXTENSION_RECORD_TYPE)
            ReadExtension(gif.get(), transparentIndex);
        else if (record == TERMINATE_RECORD_TYPE)
            Fail("file holds no image");
        else
            Fail("damaged file");
    }
}

std::vector<std::uint8_t> EncodeGif(const TSurface& surface)
{
    if (surface.Empty())
        Fail("cannot write an empty image");
    if (surface.Width() > 65535 || surface.Height() > 65535)
        Fail("image too large");
    const TIndexedImage image = Reduce(surface);
    const int mapSize = PowerOfTwoAtLeast(int(image.Palette.size()));
    TColourMap map(GifMakeMapObject(mapSize, nullptr));
    if (!map)
        Fail("out of memory");
    for (std::size_t c = 0; c < image.Palette.size(); ++c) {
        map->Colors[c].Red = GifByteType(image.Palette[c] >> 16);
        map->Colors[c].Green = GifByteType(image.Palette[c] >> 8);
        map->Colors[c].Blue = GifByteType(image.Palette[c]);
    }

    std::vector<std::uint8_t> out;
    int error = 0;
    TGifWriter gif(EGifOpen(&out, WriteToMemory, &error));
    if (!gif)
        FailWith("cannot start the file", error);
    const int width = surface.Width();
    const int height = surface.Height();
    if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(gif.get(), 0, 0, width, height, false, nullptr) == GIF_ERROR)
        FailWith("cannot write the header", gif->Error);
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        std::copy_n(image.Indexes.begin() + std::ptrdiff_t(y) * width, width, line.begin());
        if (EGifPutLine(gif.get(), line.data(), width) == GIF_ERROR)
            FailWith("cannot write the image", gif->Error);
    }
    GifFileType* finished = gif.release();
    if (EGifCloseFile(finished, &error) == GIF_ERROR)
        FailWith("cannot finish the file", error);
    return out;
}

} // namespace tovrel
