#pragma once
// PNG through libpng. Every colour type, 16-bit samples (scaled to 8 bits),
// tRNS and interlacing read; images with alpha or tRNS come out 32-bit. The
// writer uses libpng's simplified interface (errors come back as results).
#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel {

TSurface DecodePng(std::span<const std::uint8_t> data);

// Writes RGB (24-bit) or RGBA (32-bit, the surface's alpha byte as alpha).
std::vector<std::uint8_t> EncodePng(const TSurface& surface, bool withAlpha);

} // namespace tovrel
