#pragma once
// Device-independent bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel,
// rows bottom-up or top-down, the 12-byte core header, the 40-byte info header
// and the V2-V5 headers, RLE8 and RLE4, and colour masks (BI_BITFIELDS).
#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel {

TSurface DecodeBmp(std::span<const std::uint8_t> data);

struct TBmpWriteOptions {
    int BitsPerPixel = 24; // 1, 4 or 8 (the image must have that few colours), 24 or 32
    bool TopDown = false;
};
// A file with a 40-byte info header and BI_RGB pixels; 32 bits keep alpha.
std::vector<std::uint8_t> EncodeBmp(const TSurface& surface, const TBmpWriteOptions& options = {});

} // namespace tovrel
