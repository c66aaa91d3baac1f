#pragma once
// GIF through giflib. Reads the first frame onto the logical screen: 24-bit
// when fully opaque, 32-bit with alpha 0 for transparent and uncovered pixels.
// Writes one frame: exact colours when the image has at most 256, otherwise
// reduced to 256 by giflib's median cut.
#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel {

TSurface DecodeGif(std::span<const std::uint8_t> data);
std::vector<std::uint8_t> EncodeGif(const TSurface& surface);

} // namespace tovrel
