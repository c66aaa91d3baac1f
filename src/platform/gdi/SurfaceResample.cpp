#include "platform/gdi/SurfaceResample.h"

#include "platform/gdi/SurfaceDrawing.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace tovrel {

namespace {

struct TWeight {
    int Source;
    double Share;
};

// For each of `to` new pixels along one axis, the old pixels it covers and how much.
std::vector<std::vector<TWeight>> AxisWeights(int from, int to)
{
    std::vector<std::vector<TWeight>> weights(static_cast<std::size_t>(to));
    const double step = double(from) / to;
    for (int i = 0; i < to; ++i) {
        const double start = i * step, end = (i + 1) * step;
        for (int s = int(std::floor(start)); s < std::min(from, int(std::ceil(end))); ++s) {
            const double overlap = std::min(end, s + 1.0) - std::max(start, double(s));
            if (overlap > 0)
                weights[std::size_t(i)].push_back({s, overlap / step});
        }
    }
    return weights;
}

} // namespace

TSurface ResampleSurface(const TSurface& surface, int width, int height)
{
    const TSurface source = ConvertSurface(surface, TPixelFormat::pf32bit);
    TSurface result(width, height, TPixelFormat::pf32bit);
    if (source.Empty() || result.Empty())
        return result;
    const auto columns = AxisWeights(source.Width(), width);
    const auto rows = AxisWeights(source.Height(), height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = result.ScanLine(y);
        for (int x = 0; x < width; ++x, out += 4) {
            double sum[4] = {0, 0, 0, 0};
            for (const TWeight& row : rows[std::size_t(y)]) {
                const std::uint8_t* in = source.ScanLine(row.Source);
                for (const TWeight& column : columns[std::size_t(x)]) {
                    const std::uint8_t* p = in + column.Source * 4;
                    for (int c = 0; c < 4; ++c)
                        sum[c] += p[c] * row.Share * column.Share;
                }
            }
            for (int c = 0; c < 4; ++c)
                out[c] = std::uint8_t(std::clamp(std::lround(sum[c]), 0L, 255L));
        }
    }
    return result;
}

} // namespace tovrel
