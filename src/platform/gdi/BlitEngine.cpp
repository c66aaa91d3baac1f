#include "platform/gdi/BlitEngine.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace tovrel {

namespace {

TRect Normalized(const TBlitArea& a)
{
    const long long x2 = (long long)a.X + a.Width, y2 = (long long)a.Y + a.Height;
    auto fit = [](long long v) { return int(std::clamp(v, -(1LL << 30), 1LL << 30)); };
    return {fit(std::min<long long>(a.X, x2)), fit(std::min<long long>(a.Y, y2)), fit(std::max<long long>(a.X, x2)),
            fit(std::max<long long>(a.Y, y2))};
}

bool SharesMemory(const TPixelView& a, const TPixelView& b)
{
    if (a.Empty() || b.Empty())
        return false;
    auto span = [](const TPixelView& v) {
        const std::uint8_t* first = v.Stride >= 0 ? v.Origin : v.Row(v.Height - 1);
        return std::pair(first, first + std::llabs(v.Stride) * v.Height);
    };
    const auto [a0, a1] = span(a);
    const auto [b0, b1] = span(b);
    return a0 < b1 && b0 < a1;
}

} // namespace

bool PlanBlit(const TPixelView& target, const TBlitArea& to, const TPixelView& source, const TBlitArea& from,
              TBlitPlan& plan)
{
    const TRect d = Normalized(to), s = Normalized(from);
    // Only the part of the destination on the target is planned.
    const TRect onTarget{std::max(d.Left, 0), std::max(d.Top, 0), std::min(d.Right, target.Width),
                         std::min(d.Bottom, target.Height)};
    if (d.IsEmpty() || s.IsEmpty() || source.Empty() || onTarget.IsEmpty())
        return false;
    const bool mirrorX = (to.Width < 0) != (from.Width < 0), mirrorY = (to.Height < 0) != (from.Height < 0);
    // Extents as 64-bit: saturated corners can lie 2^31 apart.
    auto extent = [](int from, int to) { return (long long)to - from; };
    plan.SameSize = extent(d.Left, d.Right) == extent(s.Left, s.Right) &&
                    extent(d.Top, d.Bottom) == extent(s.Top, s.Bottom) && !mirrorX && !mirrorY;
    // Sample over the full destination, then keep the columns and rows on the target.
    auto sample = [](std::vector<int>& out, int dFirst, int dLast, int keepFirst, int keepLast, int sFirst, long long m,
                     bool mirror, int limit) {
        const long long n = (long long)dLast - dFirst;
        out.resize(std::size_t(keepLast - keepFirst));
        for (int v = keepFirst; v < keepLast; ++v) {
            const long long i = (long long)v - dFirst;
            const long long step = mirror ? n - 1 - i : i;
            const long long p = sFirst + (n == m ? step : (long long)((2 * (__int128)step + 1) * m / (2 * n)));
            out[std::size_t(v - keepFirst)] = p >= 0 && p < limit ? int(p) : -1;
        }
    };
    sample(plan.SourceX, d.Left, d.Right, onTarget.Left, onTarget.Right, s.Left, extent(s.Left, s.Right), mirrorX,
           source.Width);
    sample(plan.SourceY, d.Top, d.Bottom, onTarget.Top, onTarget.Bottom, s.Top, extent(s.Top, s.Bottom), mirrorY,
           source.Height);
    plan.Dest = onTarget;
    plan.Source = source;
    if (SharesMemory(target, source)) { // overlapping copies read the pixels as they were
        plan.Detached = std::make_shared<TSurface>(source.Width, source.Height, TPixelFormat::pf32bit);
        const TPixelView copy = TPixelView::Of(*plan.Detached);
        for (int y = 0; y < source.Height; ++y)
            for (int x = 0; x < source.Width; ++x)
                copy.Write(x, y, source.Read(x, y));
        plan.Source = copy;
    }
    return true;
}

bool CopyRowsDirect(TDeviceContext& dst, const TBlitPlan& plan)
{
    const TPixelView target = dst.Pixels();
    if (!plan.SameSize || plan.Source.BytesPerPixel != 4 || target.BytesPerPixel != 4)
        return false;
    // At equal size, x maps to x + shift wherever the source has the column.
    const int shift = plan.SourceX.empty() ? 0 : plan.SourceX.front() - plan.Dest.Left;
    dst.ForEachVisibleRect(plan.Dest, [&](const TRect& r) {
        const int x0 = std::max(r.Left, -shift), x1 = std::min(r.Right, plan.Source.Width - shift);
        if (x0 >= x1)
            return;
        for (int y = r.Top; y < r.Bottom; ++y) {
            const int sy = plan.SourceY[std::size_t(y - plan.Dest.Top)];
            if (sy >= 0)
                std::memcpy(target.At(x0, y), plan.Source.At(x0 + shift, sy), std::size_t(x1 - x0) * 4);
        }
    });
    return true;
}

void StretchPixels(TDeviceContext& dst, const TBlitArea& to, const TPixelView& source, const TBlitArea& from,
                   const TPixelOp& op)
{
    if (op) {
        StretchPixelsWith(dst, to, source, from, [&op](TPixel s, TPixel d, int x, int y) { return op(s, d, x, y); });
        return;
    }
    TBlitPlan plan;
    if (PlanBlit(dst.Pixels(), to, source, from, plan) && !CopyRowsDirect(dst, plan))
        RunBlitPlan(dst, plan, [](TPixel s, TPixel, int, int) { return s; });
}

TPixelView ClientBitsView(const void* bits, const BITMAPINFO* bmi)
{
    if (!bits || !bmi)
        return {};
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    const long long height = std::llabs((long long)h.biHeight);
    if (h.biCompression != BI_RGB || (h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth <= 0 || height <= 0 ||
        (long long)h.biWidth * height > (1LL << 28))
        return {};
    const int bytesPerPixel = h.biBitCount / 8;
    const std::ptrdiff_t stride = (std::ptrdiff_t(h.biWidth) * bytesPerPixel + 3) & ~std::ptrdiff_t(3);
    auto* base = static_cast<std::uint8_t*>(const_cast<void*>(bits));
    TPixelView v{base, stride, int(h.biWidth), int(height), bytesPerPixel};
    if (h.biHeight > 0) { // bottom-up: the first stored row is the picture's last
        v.Origin = base + stride * (height - 1);
        v.Stride = -stride;
    }
    return v;
}

} // namespace tovrel
