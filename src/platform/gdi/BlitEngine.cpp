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

// A copy of the source pixels when they share memory with the destination, so
// overlapping copies (scrolling) read the pixels as they were before the call.
struct TDetachedSource {
    TSurface Copy;
    TPixelView View;
};

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

void StretchPixels(TDeviceContext& dst, const TBlitArea& to, const TPixelView& source, const TBlitArea& from,
                   const TPixelOp& op)
{
    const TRect d = Normalized(to), s = Normalized(from);
    if (d.IsEmpty() || s.IsEmpty() || source.Empty())
        return;
    const TPixelView target = dst.Pixels();
    TPixelView src = source;
    TSurface detached;
    if (SharesMemory(target, source)) {
        detached = TSurface(source.Width, source.Height, TPixelFormat::pf32bit);
        const TPixelView copy = TPixelView::Of(detached);
        for (int y = 0; y < source.Height; ++y)
            for (int x = 0; x < source.Width; ++x)
                copy.Write(x, y, source.Read(x, y));
        src = copy;
    }
    const bool mirrorX = (to.Width < 0) != (from.Width < 0), mirrorY = (to.Height < 0) != (from.Height < 0);
    const long long dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    const bool sameSize = dw == sw && dh == sh && !mirrorX && !mirrorY;
    auto sourceX = [&](int x) {
        long long fx = x - d.Left;
        if (mirrorX)
            fx = dw - 1 - fx;
        return s.Left + (sameSize ? fx : (2 * fx + 1) * sw / (2 * dw));
    };
    auto sourceY = [&](int y) {
        long long fy = y - d.Top;
        if (mirrorY)
            fy = dh - 1 - fy;
        return s.Top + (sameSize ? fy : (2 * fy + 1) * sh / (2 * dh));
    };
    const bool fastCopy = !op && sameSize && src.BytesPerPixel == 4 && target.BytesPerPixel == 4;
    dst.ForEachVisibleRect(d, [&](const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y) {
            const long long sy = sourceY(y);
            if (sy < 0 || sy >= src.Height)
                continue;
            if (fastCopy) {
                // Only the columns that exist in the source: x maps to x + shift.
                const long long shift = (long long)s.Left - d.Left;
                const long long x0 = std::max<long long>(r.Left, -shift);
                const long long x1 = std::min<long long>(r.Right, src.Width - shift);
                if (x0 < x1)
                    std::memcpy(target.At(int(x0), y), src.At(int(x0 + shift), int(sy)), std::size_t(x1 - x0) * 4);
                continue;
            }
            for (int x = r.Left; x < r.Right; ++x) {
                const long long sx = sourceX(x);
                if (sx < 0 || sx >= src.Width)
                    continue;
                const TPixel p = src.Read(int(sx), int(sy));
                target.Write(x, y, op ? op(p, target.Read(x, y), x, y) : p);
            }
        }
    });
}

TPixelView ClientBitsView(const void* bits, const BITMAPINFO* bmi)
{
    if (!bits || !bmi)
        return {};
    const BITMAPINFOHEADER& h = bmi->bmiHeader;
    const long long height = std::llabs((long long)h.biHeight);
    if (h.biCompression != BI_RGB || (h.biBitCount != 24 && h.biBitCount != 32) || h.biWidth <= 0 || height <= 0
        || (long long)h.biWidth * height > (1LL << 28))
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
