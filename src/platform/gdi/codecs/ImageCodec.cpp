#include "platform/gdi/codecs/ImageCodec.h"

#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"

#include <cstring>
#include <fstream>

namespace tovrel {

void CheckImageSize(const char* format, std::int64_t width, std::int64_t height)
{
    if (width < 1 || height < 1)
        throw EImageError(std::string(format) + ": empty or negative image size");
    if (width > kMaxImageSide || height > kMaxImageSide || width * height > kMaxImagePixels)
        throw EImageError(std::string(format) + ": image of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is too large");
}

TImageFormat DetectImageFormat(std::span<const std::uint8_t> data)
{
    auto startsWith = [&](const char* magic, std::size_t n) {
        return data.size() >= n && std::memcmp(data.data(), magic, n) == 0;
    };
    if (startsWith("BM", 2))
        return TImageFormat::Bmp;
    if (startsWith("\x89PNG\r\n\x1A\n", 8))
        return TImageFormat::Png;
    if (startsWith("\xFF\xD8\xFF", 3))
        return TImageFormat::Jpeg;
    if (startsWith("GIF87a", 6) || startsWith("GIF89a", 6))
        return TImageFormat::Gif;
    return TImageFormat::Unknown;
}

TSurface DecodeImage(std::span<const std::uint8_t> data)
{
    switch (DetectImageFormat(data)) {
    case TImageFormat::Bmp: return DecodeBmp(data);
    case TImageFormat::Png: return DecodePng(data);
    case TImageFormat::Jpeg: return DecodeJpeg(data);
    case TImageFormat::Gif: return DecodeGif(data);
    case TImageFormat::Unknown: break;
    }
    throw EImageError("unknown image format");
}

std::vector<std::uint8_t> ReadImageFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EImageError("cannot open \"" + path + "\"");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw EImageError("cannot read \"" + path + "\"");
    return bytes;
}

void WriteImageFileBytes(const std::string& path, std::span<const std::uint8_t> data)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw EImageError("cannot create \"" + path + "\"");
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    out.close();
    if (!out)
        throw EImageError("cannot write \"" + path + "\"");
}

TSurface LoadImageFile(const std::string& path)
{
    const auto bytes = ReadImageFileBytes(path);
    try {
        return DecodeImage(bytes);
    } catch (const EImageError& e) {
        throw EImageError(path + ": " + e.what());
    }
}

} // namespace tovrel
