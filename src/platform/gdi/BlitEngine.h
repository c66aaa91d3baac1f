#pragma once
// The one copy loop behind every blit: maps each visible destination pixel to
// its nearest source pixel (mirroring where the extents' signs differ) and
// combines the two with a per-pixel operation. Source pixels outside the
// source view are never read; their destination pixels stay as they are.
#include "platform/gdi/DeviceContext.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovrel {

// Extents may be negative (mirroring); coordinates are surface/view pixels.
struct TBlitArea {
    int X = 0, Y = 0, Width = 0, Height = 0;
};

// Returns the new destination pixel from the source and destination ones.
using TPixelOp = std::function<TPixel(TPixel source, TPixel dest, int x, int y)>;

// Where each destination column and row samples the source (-1: outside it),
// and the source itself (a private copy when it shares memory with the target).
struct TBlitPlan {
    TRect Dest;
    std::vector<int> SourceX; // by x - Dest.Left
    std::vector<int> SourceY; // by y - Dest.Top
    TPixelView Source;
    std::shared_ptr<TSurface> Detached;
    bool SameSize = false;
};
bool PlanBlit(const TPixelView& target, const TBlitArea& to, const TPixelView& source, const TBlitArea& from,
              TBlitPlan& plan);
// Copies rows at equal size where both sides are 32-bit; false when it cannot.
bool CopyRowsDirect(TDeviceContext& dst, const TBlitPlan& plan);

template <class Op> void RunBlitPlan(TDeviceContext& dst, const TBlitPlan& plan, Op op)
{
    const TPixelView target = dst.Pixels();
    const TPixelView& src = plan.Source;
    const bool direct = src.BytesPerPixel == 4 && target.BytesPerPixel == 4;
    dst.ForEachVisibleRect(plan.Dest, [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            const int sy = plan.SourceY[std::size_t(y - plan.Dest.Top)];
            if (sy < 0)
                continue;
            const int* sourceX = plan.SourceX.data();
            const int left = plan.Dest.Left;
            if (direct) { // 32-bit on both sides: whole pixels, no byte shuffling
                std::uint8_t* out = target.Row(y);
                const std::uint8_t* in = src.Row(sy);
                for (int x = r.Left; x < r.Right; ++x) {
                    const int sx = sourceX[x - left];
                    if (sx >= 0)
                        StorePixel(out + 4 * x, op(LoadPixel(in + 4 * sx), LoadPixel(out + 4 * x), x, y));
                }
                continue;
            }
            for (int x = r.Left; x < r.Right; ++x) {
                const int sx = sourceX[x - left];
                if (sx >= 0)
                    target.Write(x, y, op(src.Read(sx, sy), target.Read(x, y), x, y));
            }
        }
    });
}

template <class Op>
void StretchPixelsWith(TDeviceContext& dst, const TBlitArea& to, const TPixelView& source, const TBlitArea& from, Op op)
{
    TBlitPlan plan;
    if (PlanBlit(dst.Pixels(), to, source, from, plan))
        RunBlitPlan(dst, plan, op);
}

// op null means a plain copy.
void StretchPixels(TDeviceContext& dst, const TBlitArea& to, const TPixelView& src, const TBlitArea& from,
                   const TPixelOp& op);

// A read-only view over client memory described by bmi; empty on bad input.
TPixelView ClientBitsView(const void* bits, const BITMAPINFO* bmi);

} // namespace tovrel
