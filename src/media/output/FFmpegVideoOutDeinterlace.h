#pragma once
// The engine's own deinterlacer: the lines of the second field are rebuilt
// from their neighbours with the vertical 5-tap filter (-1 4 2 4 -1)/8, the
// first field is kept. It works without delay, so a picture leaves as it came.
struct AVFrame;

namespace tovrel {

// dst must have src's format and size, with its own buffers. False (dst
// untouched) for formats other than 8-bit planar YUV 4:2:0, 4:2:2, 4:4:4,
// 4:1:1 and gray, or sizes that are not multiples of 4.
bool DeinterlacePicture(AVFrame* dst, const AVFrame* src);

} // namespace tovrel
