// TskBitmap's own stream format and the PCX reader. Every size is checked
// against the bytes the stream really holds before anything is allocated, and
// the bitmap changes only once the whole image has been read.
#include "skin/draw/SkinBitmap.h"
#include "skin/draw/StreamStrings.h"

#include <array>
#include <cstdlib>
#include <vector>

namespace tovrel {

namespace {

void CommitPixels(TskBitmap& bmp, int width, int height, const std::vector<TskColor>& pixels)
{
    bmp.SetSize(width, height);
    std::copy(pixels.begin(), pixels.end(), bmp.Bits());
}

} // namespace

void TskBitmap::SaveToStream(std::ostream& stream) const
{
    WriteStringToStream(stream, Name);
    WriteInt32(stream, width_);
    WriteInt32(stream, height_);
    if (!Empty())
        stream.write(reinterpret_cast<const char*>(bits_), std::streamsize(std::size_t(width_) * height_ * 4));
}

void TskBitmap::LoadFromStream(std::istream& stream)
{
    std::string name;
    ReadStringFromStream(stream, name);
    const std::int32_t width = ReadInt32(stream);
    const std::int32_t rawHeight = ReadInt32(stream);
    if (width < 0)
        throw EskBitmapError("Bitmap stream has a negative width");
    const long long height = std::llabs(rawHeight);
    std::vector<TskColor> pixels;
    if (width != 0 && height != 0) {
        if (std::uint64_t(height) > BytesLeft(stream) / 4 / std::uint64_t(width))
            throw EskBitmapError("Bitmap stream is shorter than its pixels");
        pixels.resize(std::size_t(width) * std::size_t(height));
        ReadExact(stream, pixels.data(), pixels.size() * sizeof(TskColor));
        CommitPixels(*this, width, int(height), pixels);
        if (rawHeight < 0)
            FlipVert();
    }
    Name = name;
}

namespace {

constexpr int PcxHeaderSize = 128;
constexpr int PcxPaletteTrailer = 769; // marker byte and 256 RGB triples

// The 16-colour system palette of version 3 files, as R, G, B.
constexpr std::array<std::array<std::uint8_t, 3>, 16> SystemPalette16 = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

int Word(const std::uint8_t* p)
{
    return p[0] | (p[1] << 8);
}

std::vector<std::uint8_t> ReadRest(std::istream& stream)
{
    std::vector<std::uint8_t> rest(std::size_t(BytesLeft(stream)));
    ReadExact(stream, rest.data(), rest.size());
    return rest;
}

std::vector<TskColor> PcxPalette(std::istream& stream, int version)
{
    std::vector<TskColor> palette(256, 0xFF000000u);
    if (version == 3) {
        for (std::size_t i = 0; i < SystemPalette16.size(); ++i)
            palette[i] = SkColor(SystemPalette16[i][0], SystemPalette16[i][1], SystemPalette16[i][2], 255);
        return palette;
    }
    const auto afterHeader = stream.tellg();
    const std::uint64_t left = BytesLeft(stream);
    if (left < PcxPaletteTrailer)
        throw EskBitmapError("PCX image has no palette");
    stream.seekg(std::streamoff(left - PcxPaletteTrailer), std::ios::cur);
    std::uint8_t trailer[PcxPaletteTrailer];
    ReadExact(stream, trailer, sizeof(trailer));
    for (int i = 0; i < 256; ++i)
        palette[std::size_t(i)] = SkColor(trailer[1 + 3 * i], trailer[2 + 3 * i], trailer[3 + 3 * i], 255);
    stream.seekg(afterHeader);
    return palette;
}

std::vector<std::uint8_t> DecodePcxRuns(const std::vector<std::uint8_t>& data, std::uint64_t needed)
{
    // A run of two bytes gives at most 63: anything needing more cannot be there.
    if (needed > std::uint64_t(data.size()) * 32)
        throw EskBitmapError("PCX image data is truncated");
    std::vector<std::uint8_t> out;
    out.reserve(std::size_t(needed));
    std::size_t i = 0;
    while (out.size() < needed) {
        if (i >= data.size())
            throw EskBitmapError("PCX image data is truncated");
        const std::uint8_t b = data[i++];
        if ((b & 0xC0) != 0xC0) {
            out.push_back(b);
            continue;
        }
        if (i >= data.size())
            throw EskBitmapError("PCX image data is truncated");
        const std::uint8_t value = data[i++];
        const std::size_t count = std::min<std::uint64_t>(b & 0x3F, needed - out.size());
        out.insert(out.end(), count, value);
    }
    return out;
}

} // namespace

void TskBitmap::LoadFromPcxStream(std::istream& stream)
{
    std::uint8_t header[PcxHeaderSize];
    stream.read(reinterpret_cast<char*>(header), PcxHeaderSize);
    const auto got = stream.gcount();
    if (got >= 1 && header[0] != 10 && header[0] != 205)
        return;
    if (got < PcxHeaderSize)
        throw EskBitmapError("PCX header is truncated");
    stream.clear();
    const int width = Word(header + 8) - Word(header + 4) + 1;
    const int height = Word(header + 10) - Word(header + 6) + 1;
    const int lineLength = header[65] * Word(header + 66);
    if (width <= 0 || height <= 0)
        throw EskBitmapError("PCX image has no pixels");
    if (lineLength < width)
        throw EskBitmapError("PCX scan line is shorter than the image width");
    const std::vector<TskColor> palette = PcxPalette(stream, header[1]);
    std::vector<std::uint8_t> data = ReadRest(stream);
    const std::uint64_t needed = std::uint64_t(height) * std::uint64_t(lineLength);
    if (header[2] == 1)
        data = DecodePcxRuns(data, needed);
    else if (data.size() < needed)
        throw EskBitmapError("PCX image data is truncated");
    std::vector<TskColor> pixels(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                palette[data[std::size_t(y) * std::size_t(lineLength) + std::size_t(x)]];
    CommitPixels(*this, width, height, pixels);
}

} // namespace tovrel
