#pragma once
// Icon files: a directory of pictures, each stored as a PNG file or as a DIB
// (1, 4, 8, 16, 24 or 32 bits per pixel) followed by its AND mask. Every
// entry is read, in file order; a damaged directory or entry raises
// EImageError("ICO: ..."), naming the entry.
#include "platform/gdi/IconImage.h"
#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel {

std::vector<TIconImage> DecodeIco(std::span<const std::uint8_t> data);
// Each picture as a 32-bit DIB entry with its mask; sides of 1 to 256 pixels.
std::vector<std::uint8_t> EncodeIco(const std::vector<TIconImage>& images);

} // namespace tovrel
