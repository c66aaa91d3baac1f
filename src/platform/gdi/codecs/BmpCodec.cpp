#include "platform/gdi/codecs/BmpCodec.h"

#include "platform/gdi/codecs/ByteReader.h"
#include "platform/gdi/codecs/PixelPalette.h"

#include <bit>
#include <cstring>

namespace tovrel {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;
constexpr std::size_t kFileHeaderSize = 14;

[[noreturn]] void Fail(const std::string& why)
{
    throw EImageError("BMP: " + why);
}

struct TChannel {
    std::uint32_t Mask = 0;
    int Shift = 0;
    std::uint64_t Max = 1;

    explicit TChannel(std::uint32_t mask = 0) : Mask(mask)
    {
        if (mask) {
            Shift = std::countr_zero(mask);
            Max = mask >> Shift;
        }
    }
    std::uint8_t Get(std::uint32_t value) const
    {
        return Mask ? std::uint8_t(((value & Mask) >> Shift) * 255 / Max) : 0;
    }
};

struct THeader {
    std::int64_t Width = 0;
    std::int64_t Height = 0;
    bool TopDown = false;
    int Bits = 0;
    std::uint32_t Compression = kBiRgb;
    std::uint32_t Masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    std::size_t PaletteOffset = 0;
    std::size_t PaletteEntrySize = 4;
    std::size_t PaletteCount = 0;
    std::size_t DataOffset = 0;
    std::size_t DataEnd = 0;
};

THeader ParseHeader(const TByteReader& b)
{
    if (b.Size() < kFileHeaderSize || b.U8(0) != 'B' || b.U8(1) != 'M')
        Fail("not a bitmap file");
    THeader h;
    const std::uint32_t headerSize = b.U32(14);
    std::size_t colorsUsed = 0;
    if (headerSize == 12) {
        h.Width = b.U16(18);
        h.Height = b.U16(20);
        h.Bits = b.U16(24);
        h.PaletteEntrySize = 3;
    } else if (headerSize == 40 || headerSize == 52 || headerSize == 56 || headerSize == 108 || headerSize == 124) {
        h.Width = std::int32_t(b.U32(18));
        h.Height = std::int32_t(b.U32(22));
        h.Bits = b.U16(28);
        h.Compression = b.U32(30);
        colorsUsed = b.U32(46);
    } else {
        Fail("unsupported header size " + std::to_string(headerSize));
    }
    if (h.Height < 0) {
        h.TopDown = true;
        h.Height = -h.Height;
    }
    CheckImageSize("BMP", h.Width, h.Height);
    h.PaletteOffset = kFileHeaderSize + headerSize;

    const bool bitfields = h.Compression == kBiBitfields || h.Compression == kBiAlphaBitfields;
    switch (h.Compression) {
    case kBiRgb:
        if (h.Bits != 1 && h.Bits != 4 && h.Bits != 8 && h.Bits != 16 && h.Bits != 24 && h.Bits != 32)
            Fail("unsupported bit depth " + std::to_string(h.Bits));
        break;
    case kBiRle8:
    case kBiRle4:
        if (h.Bits != (h.Compression == kBiRle8 ? 8 : 4))
            Fail("run-length compression does not match the bit depth");
        if (h.TopDown)
            Fail("run-length bitmaps cannot be stored top-down");
        break;
    case kBiBitfields:
    case kBiAlphaBitfields:
        if (h.Bits != 16 && h.Bits != 32)
            Fail("colour masks need 16 or 32 bits per pixel");
        break;
    default: Fail("unsupported compression " + std::to_string(h.Compression));
    }
    if (bitfields) {
        const int maskCount = h.Compression == kBiAlphaBitfields ? 4 : 3;
        if (headerSize == 40) { // the masks follow the header
            for (int i = 0; i < maskCount; ++i)
                h.Masks[i] = b.U32(h.PaletteOffset + std::size_t(i) * 4);
            h.PaletteOffset += std::size_t(maskCount) * 4;
        } else {
            for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i)
                h.Masks[i] = b.U32(54 + std::size_t(i) * 4);
        }
    } else if (h.Bits == 16) {
        h.Masks[0] = 0x7C00;
        h.Masks[1] = 0x03E0;
        h.Masks[2] = 0x001F;
    }
    if (h.Bits <= 8) {
        const std::size_t maximum = std::size_t(1) << h.Bits;
        if (colorsUsed > maximum)
            Fail("palette of " + std::to_string(colorsUsed) + " colours for " + std::to_string(h.Bits) + " bits");
        h.PaletteCount = colorsUsed ? colorsUsed : maximum;
        if (!b.Has(h.PaletteOffset, h.PaletteCount * h.PaletteEntrySize))
            Fail("palette is truncated");
    }
    const std::size_t paletteEnd = h.PaletteOffset + h.PaletteCount * h.PaletteEntrySize;
    h.DataOffset = b.U32(10);
    if (h.DataOffset == 0)
        h.DataOffset = paletteEnd;
    if (h.DataOffset > b.Size())
        Fail("pixel data lies beyond the end of the file");
    h.DataEnd = b.Size();
    return h;
}

std::vector<std::uint32_t> ReadPalette(const TByteReader& b, const THeader& h)
{
    std::vector<std::uint32_t> palette(h.PaletteCount);
    const std::uint8_t* p = b.At(h.PaletteOffset, h.PaletteCount * h.PaletteEntrySize);
    for (std::size_t i = 0; i < h.PaletteCount; ++i, p += h.PaletteEntrySize)
        palette[i] = (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[1]) << 8) | p[0];
    return palette;
}

void PutRgb(std::uint8_t* dst, std::uint32_t rgb)
{
    dst[0] = std::uint8_t(rgb);
    dst[1] = std::uint8_t(rgb >> 8);
    dst[2] = std::uint8_t(rgb >> 16);
}

std::uint32_t PaletteColour(const std::vector<std::uint32_t>& palette, unsigned index)
{
    if (index >= palette.size())
        Fail("palette index " + std::to_string(index) + " out of range");
    return palette[index];
}

std::size_t RowStride(const THeader& h)
{
    return ((std::size_t(h.Width) * std::size_t(h.Bits) + 31) / 32) * 4;
}

void DecodeRows(const TByteReader& b, const THeader& h, TSurface& out)
{
    const int width = int(h.Width);
    const int height = int(h.Height);
    const std::size_t stride = RowStride(h);
    if (!b.Has(h.DataOffset, stride * std::size_t(height)))
        Fail("pixel data is truncated");
    const auto palette = ReadPalette(b, h);
    const TChannel r(h.Masks[0]), g(h.Masks[1]), bl(h.Masks[2]), a(h.Masks[3]);
    const int outBytes = out.BytesPerPixel();
    for (int row = 0; row < height; ++row) {
        const std::uint8_t* src = b.At(h.DataOffset + std::size_t(row) * stride, stride);
        std::uint8_t* dst = out.ScanLine(h.TopDown ? row : height - 1 - row);
        for (int x = 0; x < width; ++x, dst += outBytes) {
            if (h.Bits <= 8) {
                const std::size_t bit = std::size_t(x) * std::size_t(h.Bits);
                const unsigned index = (src[bit / 8] >> (8 - h.Bits - int(bit % 8))) & ((1u << h.Bits) - 1);
                PutRgb(dst, PaletteColour(palette, index));
            } else if (h.Bits == 24) {
                std::memcpy(dst, src + std::size_t(x) * 3, 3);
            } else if (h.Bits == 32 && h.Compression == kBiRgb) {
                std::memcpy(dst, src + std::size_t(x) * 4, 4);
            } else {
                const std::uint8_t* p = src + std::size_t(x) * std::size_t(h.Bits / 8);
                const std::uint32_t v =
                    h.Bits == 16 ? std::uint32_t(p[0] | (p[1] << 8))
                                 : std::uint32_t(p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24));
                dst[0] = bl.Get(v);
                dst[1] = g.Get(v);
                dst[2] = r.Get(v);
                if (outBytes == 4)
                    dst[3] = a.Get(v);
            }
        }
    }
}

// Run-length data into palette indexes, bottom row first. Every run is
// checked against the image; pixels the data skips keep index 0.
std::vector<std::uint8_t> DecodeRle(const TByteReader& b, const THeader& h)
{
    const std::size_t width = std::size_t(h.Width);
    const std::size_t height = std::size_t(h.Height);
    const bool rle4 = h.Compression == kBiRle4;
    std::vector<std::uint8_t> indexes(width * height, 0);
    std::size_t x = 0, y = 0;
    std::size_t p = h.DataOffset;
    auto put = [&](unsigned index) {
        if (y >= height || x >= width)
            Fail("run-length data overruns the image");
        indexes[y * width + x++] = std::uint8_t(index);
    };
    for (;;) {
        if (!b.Has(p, 2))
            Fail("run-length data ends without an end marker");
        const unsigned count = b.U8(p), value = b.U8(p + 1);
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(rle4 ? ((i & 1) ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) {
            x = 0;
            ++y;
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            x += b.U8(p);
            y += b.U8(p + 1);
            p += 2;
        } else {
            const std::size_t bytes = rle4 ? (value + 1) / 2 : value;
            const std::uint8_t* run = b.At(p, bytes);
            for (unsigned i = 0; i < value; ++i)
                put(rle4 ? ((i & 1) ? run[i / 2] & 0x0F : run[i / 2] >> 4) : run[i]);
            p += (bytes + 1) & ~std::size_t(1);
        }
    }
    return indexes;
}

void DecodeRleImage(const TByteReader& b, const THeader& h, TSurface& out)
{
    const auto palette = ReadPalette(b, h);
    const auto indexes = DecodeRle(b, h);
    const int width = int(h.Width);
    const int height = int(h.Height);
    for (int row = 0; row < height; ++row) {
        std::uint8_t* dst = out.ScanLine(height - 1 - row);
        for (int x = 0; x < width; ++x, dst += 3)
            PutRgb(dst, PaletteColour(palette, indexes[std::size_t(row) * std::size_t(width) + std::size_t(x)]));
    }
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

TSurface DecodeParsed(const TByteReader& bytes, const THeader& header)
{
    const bool alpha = header.Bits == 32 || header.Masks[3] != 0;
    TSurface surface(int(header.Width), int(header.Height), alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    if (header.Compression == kBiRle8 || header.Compression == kBiRle4)
        DecodeRleImage(bytes, header, surface);
    else
        DecodeRows(bytes, header, surface);
    return surface;
}

} // namespace

TSurface DecodeBmp(std::span<const std::uint8_t> data)
{
    const TByteReader bytes(data, "BMP");
    return DecodeParsed(bytes, ParseHeader(bytes));
}

TDibPicture DecodeDib(std::span<const std::uint8_t> dib, int rows)
{
    // Behind a made-up file header (no data offset: the rows follow the
    // palette), so the file reader's checks apply unchanged.
    std::vector<std::uint8_t> file(kFileHeaderSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    file.insert(file.end(), dib.begin(), dib.end());
    const TByteReader header(file, "BMP");
    const std::size_t heightAt = kFileHeaderSize + (header.U32(kFileHeaderSize) == 12 ? 6 : 8);
    const int heightBytes = header.U32(kFileHeaderSize) == 12 ? 2 : 4;
    if (!header.Has(heightAt, std::size_t(heightBytes)))
        Fail("file is truncated");
    for (int i = 0; i < heightBytes; ++i)
        file[heightAt + std::size_t(i)] = std::uint8_t(std::uint32_t(rows) >> (8 * i));
    const TByteReader bytes(file, "BMP");
    const THeader parsed = ParseHeader(bytes);
    if (parsed.Compression == kBiRle8 || parsed.Compression == kBiRle4)
        Fail("run-length pictures cannot be stored without a file header");
    TDibPicture result{DecodeParsed(bytes, parsed), 0};
    result.End = parsed.DataOffset - kFileHeaderSize + RowStride(parsed) * std::size_t(parsed.Height);
    return result;
}

std::vector<std::uint8_t> EncodeBmp(const TSurface& surface, const TBmpWriteOptions& options)
{
    const int bits = options.BitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        Fail("cannot write " + std::to_string(bits) + " bits per pixel");
    if (surface.Empty())
        Fail("cannot write an empty image");
    std::optional<TIndexedImage> indexed;
    if (bits <= 8) {
        indexed = IndexExactly(surface, 1 << bits);
        if (!indexed)
            Fail("image has more than " + std::to_string(1 << bits) + " colours");
    }
    const std::size_t width = std::size_t(surface.Width());
    const std::size_t height = std::size_t(surface.Height());
    const std::size_t stride = ((width * std::size_t(bits) + 31) / 32) * 4;
    const std::size_t paletteCount = indexed ? indexed->Palette.size() : 0;
    const std::size_t dataOffset = kFileHeaderSize + 40 + paletteCount * 4;
    const std::size_t fileSize = dataOffset + stride * height;
    if (fileSize > 0xFFFFFFFFu)
        Fail("image too large for a bitmap file");

    std::vector<std::uint8_t> out;
    out.reserve(fileSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, std::uint32_t(fileSize));
    Put32(out, 0);
    Put32(out, std::uint32_t(dataOffset));
    Put32(out, 40);
    Put32(out, std::uint32_t(width));
    Put32(out, options.TopDown ? std::uint32_t(-std::int32_t(height)) : std::uint32_t(height));
    Put16(out, 1);
    Put16(out, std::uint32_t(bits));
    Put32(out, kBiRgb);
    Put32(out, std::uint32_t(stride * height));
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, std::uint32_t(paletteCount));
    Put32(out, 0);
    if (indexed)
        for (std::uint32_t rgb : indexed->Palette)
            Put32(out, rgb);

    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t y = options.TopDown ? row : height - 1 - row;
        const std::size_t start = out.size();
        out.resize(start + stride, 0);
        std::uint8_t* dst = out.data() + start;
        const std::uint8_t* src = surface.ScanLine(int(y));
        for (std::size_t x = 0; x < width; ++x) {
            if (indexed) {
                const std::size_t bit = x * std::size_t(bits);
                dst[bit / 8] |= std::uint8_t(indexed->Indexes[y * width + x] << (8 - bits - int(bit % 8)));
            } else {
                const std::uint8_t* p = src + x * std::size_t(surface.BytesPerPixel());
                std::uint8_t* q = dst + x * std::size_t(bits / 8);
                std::memcpy(q, p, 3);
                if (bits == 32)
                    q[3] = surface.BytesPerPixel() == 4 ? p[3] : 0;
            }
        }
    }
    return out;
}

} // namespace tovrel
