#pragma once
// The player's own picture: a 32-bit BGRA surface the play thread draws into
// and the host paints from. Every access goes through Lock.
#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <functional>
#include <mutex>

namespace tovrel {

class TVideoSurface {
public:
    // Runs fn with the surface locked; hosts copy from it here.
    void Read(const std::function<void(const TSurface& surface, std::int64_t picturePTS)>& fn) const;
    void Write(const std::function<void(TSurface& surface)>& fn);
    // Reallocates to the size, filled with opaque black; the previous picture is gone.
    void Open(int width, int height);
    void Close();
    bool Exists() const;
    TSize Size() const;
    // The time of the picture drawn last (microseconds from the media start), -1 before any.
    void SetPicturePTS(std::int64_t pts);

private:
    mutable std::mutex lock_;
    TSurface surface_;
    bool exists_ = false;
    std::int64_t picturePTS_ = -1;
};

// Fills a rectangle of a 32-bit surface with an opaque colour (BGRA bytes of 0x00RRGGBB), clipped.
void FillSurfaceRect(TSurface& surface, const TRect& rect, std::uint32_t rgb);

} // namespace tovrel
