#pragma once
// Device-independent bitmap files: 1, 4, 8, 16, 24 and 32 bits per pixel,
// rows bottom-up or top-down, the 12-byte core header, the 40-byte info header
// and the V2-V5 headers, RLE8 and RLE4, and colour masks (BI_BITFIELDS).
#include "platform/gdi/codecs/ImageCodec.h"

namespace tovrel {

TSurface DecodeBmp(std::span<const std::uint8_t> data);

// A picture stored without its file header, as icon files keep theirs: the
// info header, colour masks or palette, then the rows. `rows` stands for the
// header's height (an icon's header counts the rows of its mask too); End is
// the offset just past the picture's rows.
struct TDibPicture {
    TSurface Picture;
    std::size_t End = 0;
};
TDibPicture DecodeDib(std::span<const std::uint8_t> dib, int rows);

struct TBmpWriteOptions {
    int BitsPerPixel = 24; // 1, 4 or 8 (the image must have that few colours), 24 or 32
    bool TopDown = false;
};
// A file with a 40-byte info header and BI_RGB pixels; 32 bits keep alpha.
std::vector<std::uint8_t> EncodeBmp(const TSurface& surface, const TBmpWriteOptions& options = {});

} // namespace tovrel
