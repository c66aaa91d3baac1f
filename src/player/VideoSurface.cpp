#include "player/VideoSurface.h"

#include <algorithm>

namespace tovrel {

void TVideoSurface::Read(const std::function<void(const TSurface&, std::int64_t)>& fn) const
{
    std::lock_guard lock(lock_);
    fn(surface_, picturePTS_);
}

void TVideoSurface::Write(const std::function<void(TSurface&)>& fn)
{
    std::lock_guard lock(lock_);
    fn(surface_);
}

void TVideoSurface::Open(int width, int height)
{
    std::lock_guard lock(lock_);
    surface_.SetPixelFormat(TPixelFormat::pf32bit);
    surface_.SetSize(width, height);
    FillSurfaceRect(surface_, TRect{0, 0, width, height}, 0);
    exists_ = true;
    picturePTS_ = -1;
}

void TVideoSurface::Close()
{
    std::lock_guard lock(lock_);
    surface_.SetSize(0, 0);
    exists_ = false;
    picturePTS_ = -1;
}

bool TVideoSurface::Exists() const
{
    std::lock_guard lock(lock_);
    return exists_;
}

TSize TVideoSurface::Size() const
{
    std::lock_guard lock(lock_);
    return {surface_.Width(), surface_.Height()};
}

void TVideoSurface::SetPicturePTS(std::int64_t pts)
{
    std::lock_guard lock(lock_);
    picturePTS_ = pts;
}

void FillSurfaceRect(TSurface& surface, const TRect& rect, std::uint32_t rgb)
{
    const int left = std::max(rect.Left, 0), right = std::min(rect.Right, surface.Width());
    const int top = std::max(rect.Top, 0), bottom = std::min(rect.Bottom, surface.Height());
    const std::uint8_t pixel[4] = {std::uint8_t(rgb), std::uint8_t(rgb >> 8), std::uint8_t(rgb >> 16), 0xFF};
    for (int y = top; y < bottom; ++y) {
        std::uint8_t* row = surface.ScanLine(y);
        for (int x = left; x < right; ++x)
            std::copy(pixel, pixel + 4, row + x * 4);
    }
}

} // namespace tovrel
