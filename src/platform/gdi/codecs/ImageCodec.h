#pragma once
// Image files to and from pixel surfaces. Decoders check every size against
// the bytes they have and refuse images larger than the limits below, so a
// truncated or lying file fails with EImageError instead of giving garbage.
//
// What the decoders produce: images without transparency come out as 24-bit
// surfaces; PNG and GIF images with transparency as 32-bit surfaces with
// straight alpha (255 = opaque); 32-bit BMPs keep their fourth byte as alpha
// (a BMP with colour masks but no alpha mask reads with alpha 0, the drawing
// layer's value for plain pixels).
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovrel {

class EImageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Largest decoded image: 32767 pixels a side and 64 Mi pixels in all.
constexpr int kMaxImageSide = 32767;
constexpr std::int64_t kMaxImagePixels = 64ll * 1024 * 1024;
// Throws EImageError("<format>: ...") unless 1 <= width, height and the limits hold.
void CheckImageSize(const char* format, std::int64_t width, std::int64_t height);

enum class TImageFormat { Unknown, Bmp, Png, Jpeg, Gif };

TImageFormat DetectImageFormat(std::span<const std::uint8_t> data);
// By content, not by name.
TSurface DecodeImage(std::span<const std::uint8_t> data);

std::vector<std::uint8_t> ReadImageFileBytes(const std::string& path);
void WriteImageFileBytes(const std::string& path, std::span<const std::uint8_t> data);
TSurface LoadImageFile(const std::string& path);

} // namespace tovrel
