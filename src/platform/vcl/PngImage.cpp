#include "platform/vcl/PngImage.h"

#include "platform/gdi/SurfaceDrawing.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/vcl/Bitmap.h"

#include <optional>

namespace tovrel {

namespace {

std::uint32_t BigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}

// What the header and the transparency chunk say, read from the raw file; the
// decoder has checked the file already.
struct TPngChunks {
    TPngHeader Header;
    std::vector<std::uint8_t> Palette;                     // PLTE: RGB triples
    std::optional<std::vector<std::uint8_t>> Transparency; // tRNS
};

TPngChunks ReadChunks(std::span<const std::uint8_t> data)
{
    TPngChunks chunks;
    std::size_t pos = 8;
    while (pos + 8 <= data.size()) {
        const std::uint32_t length = BigEndian32(&data[pos]);
        const std::string_view type(reinterpret_cast<const char*>(&data[pos + 4]), 4);
        const std::size_t body = pos + 8;
        if (length > data.size() - body)
            break;
        const auto content = data.subspan(body, length);
        if (type == "IHDR" && length >= 13) {
            chunks.Header.Width = int(BigEndian32(&content[0]));
            chunks.Header.Height = int(BigEndian32(&content[4]));
            chunks.Header.BitDepth = content[8];
            chunks.Header.ColorType = content[9];
        } else if (type == "PLTE") {
            chunks.Palette.assign(content.begin(), content.end());
        } else if (type == "tRNS") {
            chunks.Transparency = std::vector<std::uint8_t>(content.begin(), content.end());
        } else if (type == "IEND") {
            break;
        }
        pos = body + length + 4;
    }
    return chunks;
}

// A tRNS sample of the given depth as an 8-bit value.
std::uint8_t Sample8(const std::vector<std::uint8_t>& trns, std::size_t index, int bitDepth)
{
    if (trns.size() < index * 2 + 2)
        return 0;
    const unsigned value = (unsigned(trns[index * 2]) << 8) | trns[index * 2 + 1];
    if (bitDepth == 16)
        return std::uint8_t(value >> 8);
    if (bitDepth == 8)
        return std::uint8_t(value);
    return std::uint8_t(value * 255 / ((1u << bitDepth) - 1));
}

TColor ColorAt(const TSurface& s, int x, int y)
{
    const std::uint8_t* p = s.ScanLine(y) + std::size_t(x) * std::size_t(s.BytesPerPixel());
    return TColor(RGB(p[2], p[1], p[0]));
}

} // namespace

TPngTransparencyMode TPngImage::TransparencyMode() const
{
    return HasAlphaChannel() ? ptmPartial : transparencyMode_;
}

bool TPngImage::HasAlphaChannel() const
{
    return header_.ColorType == COLOR_GRAYSCALEALPHA || header_.ColorType == COLOR_RGBALPHA;
}

void TPngImage::SetTransparentColor(TColor color)
{
    if (HasAlphaChannel())
        return;
    transparentColor_ = color;
    transparencyMode_ = color == clNone ? ptmNone : ptmBit;
    Changed();
}

TAlphaRow TPngImage::AlphaScanline(int y)
{
    if (!HasAlphaChannel() || y < 0 || y >= image_.Height() || image_.PixelFormat() != TPixelFormat::pf32bit)
        return TAlphaRow();
    return TAlphaRow(image_.ScanLine(y));
}

TColor TPngImage::Pixels(int x, int y) const
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return clNone;
    return ColorAt(image_, x, y);
}

void TPngImage::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    const COLORREF rgb = ColorToRGB(color);
    std::uint8_t* p = image_.ScanLine(y) + std::size_t(x) * std::size_t(image_.BytesPerPixel());
    p[0] = GetBValue(rgb);
    p[1] = GetGValue(rgb);
    p[2] = GetRValue(rgb);
}

void TPngImage::CreateAlpha()
{
    if (HasAlphaChannel())
        return;
    if (image_.PixelFormat() != TPixelFormat::pf32bit)
        image_ = ConvertSurface(image_, TPixelFormat::pf32bit, 255);
    header_.ColorType = header_.ColorType == COLOR_GRAYSCALE ? COLOR_GRAYSCALEALPHA : COLOR_RGBALPHA;
    header_.BitDepth = 8;
    transparencyMode_ = ptmPartial;
    Changed();
}

void TPngImage::CreateBlank(std::uint8_t colorType, int bitDepth, int width, int height)
{
    header_ = TPngHeader{width, height, std::uint8_t(bitDepth), colorType};
    const bool alpha = HasAlphaChannel();
    image_ = TSurface(width, height, alpha ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
    transparencyMode_ = alpha ? ptmPartial : ptmNone;
    transparentColor_ = clNone;
    Changed();
}

TSurface TPngImage::Decode(std::span<const std::uint8_t> data)
{
    TSurface decoded = DecodePng(data);
    const TPngChunks chunks = ReadChunks(data);
    header_ = chunks.Header;
    header_.Width = decoded.Width();
    header_.Height = decoded.Height();
    transparencyMode_ = ptmNone;
    transparentColor_ = clNone;
    if (HasAlphaChannel()) {
        transparencyMode_ = ptmPartial;
        return ConvertSurface(decoded, TPixelFormat::pf32bit, 255);
    }
    if (!chunks.Transparency)
        return ConvertSurface(decoded, TPixelFormat::pf24bit);
    const std::vector<std::uint8_t>& trns = *chunks.Transparency;
    if (header_.ColorType == COLOR_GRAYSCALE) {
        const std::uint8_t grey = Sample8(trns, 0, header_.BitDepth);
        transparentColor_ = TColor(RGB(grey, grey, grey));
    } else if (header_.ColorType == COLOR_RGB) {
        transparentColor_ = TColor(RGB(Sample8(trns, 0, header_.BitDepth), Sample8(trns, 1, header_.BitDepth),
                                       Sample8(trns, 2, header_.BitDepth)));
    } else {
        // A palette with exactly one fully transparent entry and no partial ones
        // is single-colour transparency; anything else keeps its alpha.
        int clearEntry = -1, clearCount = 0;
        bool partial = false;
        for (std::size_t i = 0; i < trns.size(); ++i) {
            if (trns[i] == 0) {
                clearEntry = clearEntry < 0 ? int(i) : clearEntry;
                ++clearCount;
            } else if (trns[i] != 255) {
                partial = true;
            }
        }
        if (partial || clearCount != 1 || chunks.Palette.size() < std::size_t(clearEntry) * 3 + 3) {
            transparencyMode_ = ptmPartial;
            return ConvertSurface(decoded, TPixelFormat::pf32bit, 255);
        }
        const std::uint8_t* rgb = &chunks.Palette[std::size_t(clearEntry) * 3];
        transparentColor_ = TColor(RGB(rgb[0], rgb[1], rgb[2]));
    }
    transparencyMode_ = ptmBit;
    return ConvertSurface(decoded, TPixelFormat::pf24bit);
}

TSurface TPngImage::WithTransparency() const
{
    if (image_.PixelFormat() == TPixelFormat::pf32bit || transparencyMode_ != ptmBit)
        return image_;
    TSurface result = ConvertSurface(image_, TPixelFormat::pf32bit, 255);
    for (int y = 0; y < result.Height(); ++y)
        for (int x = 0; x < result.Width(); ++x)
            if (ColorAt(result, x, y) == transparentColor_)
                result.ScanLine(y)[x * 4 + 3] = 0;
    return result;
}

std::vector<std::uint8_t> TPngImage::Encode() const
{
    const TSurface surface = WithTransparency();
    return EncodePng(surface, surface.PixelFormat() == TPixelFormat::pf32bit);
}

void TPngImage::ImageReplaced(const TBitmap* from)
{
    if (!from)
        return;
    header_ = TPngHeader{image_.Width(), image_.Height(), 8, COLOR_RGB};
    transparencyMode_ = ptmNone;
    transparentColor_ = clNone;
    if (from->Transparent() && !image_.Empty()) {
        transparentColor_ = TColor(ColorToRGB(from->TransparentColor()));
        transparencyMode_ = ptmBit;
    }
}

void TPngImage::CopySettings(const TRasterImage& from)
{
    const auto& png = static_cast<const TPngImage&>(from);
    header_ = png.header_;
    transparencyMode_ = png.transparencyMode_;
    transparentColor_ = png.transparentColor_;
}

void TPngImage::AssignTo(TPersistent* dest) const
{
    auto* bitmap = dynamic_cast<TBitmap*>(dest);
    if (!bitmap || transparencyMode_ != ptmBit || image_.PixelFormat() == TPixelFormat::pf32bit) {
        TRasterImage::AssignTo(dest);
        return;
    }
    bitmap->SetSurface(image_);
    bitmap->SetTransparentColor(transparentColor_);
    bitmap->SetTransparent(true);
}

void TPngImage::Draw(TCanvas& canvas, const TRect& r)
{
    DrawSurface(canvas.Handle(), r, WithTransparency(), true);
}

} // namespace tovrel
