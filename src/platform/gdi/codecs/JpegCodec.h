#pragma once
// JPEG through libjpeg-turbo. Reads baseline and progressive colour, greyscale
// and CMYK files into 24-bit surfaces; a corrupt or truncated stream is an
// error, not a grey-filled picture. Writes at quality 0-100.
#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel {

TSurface DecodeJpeg(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeJpeg(const TSurface& surface, int quality);

} // namespace tovrel
