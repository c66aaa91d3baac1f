#include "platform/gdi/Surface.h"

#include <algorithm>

namespace tovrel {

TSurface::TSurface(int width, int height, TPixelFormat format)
    : width_(std::max(0, width)), height_(std::max(0, height)), format_(format)
{
    Allocate();
}

void TSurface::SetSize(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    Allocate();
}

void TSurface::SetPixelFormat(TPixelFormat format)
{
    if (format == format_)
        return;
    format_ = format;
    Allocate();
}

int TSurface::StrideFor(int width, TPixelFormat format)
{
    const int bytesPerPixel = format == TPixelFormat::pf32bit ? 4 : 3;
    return (std::max(0, width) * bytesPerPixel + 3) & ~3;
}

void TSurface::Allocate()
{
    stride_ = StrideFor(width_, format_);
    bits_.assign(std::size_t(stride_) * std::size_t(height_), 0);
}

} // namespace tovrel
