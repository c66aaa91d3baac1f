#include "platform/gdi/codecs/IcoCodec.h"

#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/ByteReader.h"
#include "platform/gdi/codecs/PngCodec.h"

#include <cstring>

namespace tovrel {

namespace {

constexpr std::size_t kDirectorySize = 6, kEntrySize = 16, kInfoHeaderSize = 40;
constexpr int kMaxSide = 256;

[[noreturn]] void Fail(const std::string& why)
{
    throw EImageError("ICO: " + why);
}

std::size_t MaskStride(int width)
{
    return ((std::size_t(width) + 31) / 32) * 4;
}

// The AND mask's rows (one bit a pixel, bottom row first) as a mask surface.
TSurface ReadMask(const TByteReader& entry, std::size_t at, int width, int height)
{
    const std::size_t stride = MaskStride(width);
    if (!entry.Has(at, stride * std::size_t(height)))
        Fail("the mask is truncated");
    TSurface mask(width, height, TPixelFormat::pf32bit);
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* bits = entry.At(at + std::size_t(row) * stride, stride);
        std::uint8_t* out = mask.ScanLine(height - 1 - row);
        for (int x = 0; x < width; ++x)
            if (bits[x / 8] & (0x80 >> (x % 8)))
                std::memset(out + x * 4, 0xFF, 4);
    }
    return mask;
}

TIconImage DecodeDibEntry(std::span<const std::uint8_t> data)
{
    const TByteReader entry(data, "ICO");
    const std::uint32_t headerSize = entry.U32(0);
    if (headerSize < kInfoHeaderSize)
        Fail("unsupported picture header of " + std::to_string(headerSize) + " bytes");
    const auto height = std::int32_t(entry.U32(8));
    if (height < 2)
        Fail("a picture's height must count its colour and mask rows");
    const int rows = height / 2;
    TDibPicture dib = DecodeDib(data, rows);
    const TSurface mask = ReadMask(entry, dib.End, dib.Picture.Width(), rows);
    TIconImage image = MakeIconImage(dib.Picture, &mask);
    image.Bits = entry.U16(14);
    return image;
}

TIconImage DecodeEntry(std::span<const std::uint8_t> data)
{
    if (DetectImageFormat(data) == TImageFormat::Png)
        return MakeIconImage(ConvertSurface(DecodePng(data), TPixelFormat::pf32bit, 255));
    return DecodeDibEntry(data);
}

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(std::uint8_t(value >> (8 * i)));
}

std::vector<std::uint8_t> EncodeEntry(const TIconImage& image)
{
    const int width = IconWidth(image), height = IconHeight(image);
    std::vector<std::uint8_t> out;
    Put(out, kInfoHeaderSize, 4);
    Put(out, std::uint32_t(width), 4);
    Put(out, std::uint32_t(height * 2), 4);
    Put(out, 1, 2);
    Put(out, 32, 2);
    for (int i = 0; i < 6; ++i) // compression, image size, resolution, colours: all 0
        Put(out, 0, 4);
    for (int row = height - 1; row >= 0; --row) {
        const std::uint8_t* p = image.Color.ScanLine(row);
        out.insert(out.end(), p, p + std::size_t(width) * 4);
    }
    const std::size_t stride = MaskStride(width);
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> bits(stride, 0);
        const std::uint8_t* m = image.Mask.ScanLine(row);
        for (int x = 0; x < width; ++x)
            if (m[x * 4])
                bits[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

} // namespace

std::vector<TIconImage> DecodeIco(std::span<const std::uint8_t> data)
{
    const TByteReader file(data, "ICO");
    if (file.Size() < kDirectorySize || file.U16(0) != 0 || file.U16(2) != 1)
        Fail("not an icon file");
    const std::size_t count = file.U16(4);
    if (count == 0)
        Fail("the file holds no pictures");
    if (!file.Has(kDirectorySize, count * kEntrySize))
        Fail("the directory is truncated");
    std::vector<TIconImage> images;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kDirectorySize + i * kEntrySize;
        const std::size_t size = file.U32(at + 8), offset = file.U32(at + 12);
        const std::string name = "entry " + std::to_string(i + 1);
        if (!file.Has(offset, size))
            Fail(name + " lies beyond the end of the file");
        try {
            images.push_back(DecodeEntry(file.Span(offset, size)));
        } catch (const EImageError& error) {
            Fail(name + ": " + error.what());
        }
    }
    return images;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<TIconImage>& images)
{
    if (images.empty())
        Fail("cannot write an icon without pictures");
    std::vector<std::vector<std::uint8_t>> entries;
    for (const TIconImage& image : images) {
        if (IconWidth(image) < 1 || IconWidth(image) > kMaxSide || IconHeight(image) < 1 ||
            IconHeight(image) > kMaxSide)
            Fail("pictures must have sides of 1 to 256 pixels");
        entries.push_back(EncodeEntry(image));
    }
    std::vector<std::uint8_t> out;
    Put(out, 0, 2);
    Put(out, 1, 2);
    Put(out, std::uint32_t(images.size()), 2);
    std::size_t offset = kDirectorySize + kEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        Put(out, std::uint32_t(IconWidth(images[i]) % kMaxSide), 1); // 0 stands for 256
        Put(out, std::uint32_t(IconHeight(images[i]) % kMaxSide), 1);
        Put(out, 0, 2); // no palette, reserved
        Put(out, 1, 2);
        Put(out, 32, 2);
        Put(out, std::uint32_t(entries[i].size()), 4);
        Put(out, std::uint32_t(offset), 4);
        offset += entries[i].size();
    }
    for (const auto& entry : entries)
        out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

} // namespace tovrel
