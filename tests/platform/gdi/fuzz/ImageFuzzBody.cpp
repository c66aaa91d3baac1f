#include "platform/gdi/fuzz/ImageFuzzBody.h"

#include <cstdlib>

#include "platform/gdi/codecs/BmpCodec.h"
#include "platform/gdi/codecs/GifCodec.h"
#include "platform/gdi/codecs/JpegCodec.h"
#include "platform/gdi/codecs/PngCodec.h"

namespace tovrel::test {
namespace {

TSurface Decode(TImageFormat format, std::span<const std::uint8_t> data)
{
    switch (format) {
    case TImageFormat::Bmp: return DecodeBmp(data);
    case TImageFormat::Png: return DecodePng(data);
    case TImageFormat::Jpeg: return DecodeJpeg(data);
    case TImageFormat::Gif: return DecodeGif(data);
    case TImageFormat::Unknown: break;
    }
    return DecodeImage(data);
}

} // namespace

void ExerciseImageReader(TImageFormat format, std::string_view bytes)
{
    const std::span data(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    TSurface picture;
    try {
        picture = Decode(format, data);
    } catch (const EImageError&) {
        return;
    }
    const bool withinLimits = picture.Width() >= 1 && picture.Height() >= 1 && picture.Width() <= kMaxImageSide &&
                              picture.Height() <= kMaxImageSide &&
                              std::int64_t(picture.Width()) * picture.Height() <= kMaxImagePixels &&
                              picture.SizeInBytes() == std::size_t(picture.Stride()) * std::size_t(picture.Height());
    if (!withinLimits)
        std::abort(); // stop as a sanitizer does, so the fuzzer keeps the input
}

} // namespace tovrel::test
