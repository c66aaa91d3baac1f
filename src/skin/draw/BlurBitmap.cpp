// The triangular blur: running sums over rows, then over columns.
#include "skin/draw/GlowText.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tovrel {

namespace {

// Larger radii blur like this one; it keeps every sum inside 64 bits.
constexpr std::int64_t MaxBlurRadius = 1 << 20;

// out[x] = sum over k = -r..r of (r + 1 - |k|) * in[clamp(x + k)], divided by
// (r + 1)^2. The sum moves by (sum of the r + 1 values after x) - (sum of the
// r + 1 values up to x) per step; window sums come from prefix sums.
class TTriangleBlur {
public:
    explicit TTriangleBlur(std::int64_t r) : r_(r), divisor_((r + 1) * (r + 1)) {}

    void Run(const std::vector<std::int64_t>& in, std::vector<std::int64_t>& out)
    {
        const auto n = std::int64_t(in.size());
        prefix_.assign(in.size() + 1, 0);
        for (std::size_t i = 0; i < in.size(); ++i)
            prefix_[i + 1] = prefix_[i] + in[i];
        first_ = in.front();
        last_ = in.back();
        n_ = n;
        std::int64_t sum = StartSum(in);
        out.resize(in.size());
        for (std::int64_t x = 0; x < n; ++x) {
            out[std::size_t(x)] = sum / divisor_;
            sum += BoxSum(x + 1, x + r_ + 1) - BoxSum(x - r_, x);
        }
    }

private:
    // Sum of the edge-repeated sequence over [a, b].
    std::int64_t BoxSum(std::int64_t a, std::int64_t b) const
    {
        std::int64_t s = 0;
        if (a < 0) {
            s += (std::min<std::int64_t>(b, -1) - a + 1) * first_;
            a = 0;
        }
        if (b > n_ - 1) {
            const std::int64_t low = std::max(a, n_);
            if (low <= b)
                s += (b - low + 1) * last_;
            b = n_ - 1;
        }
        if (a <= b)
            s += prefix_[std::size_t(b + 1)] - prefix_[std::size_t(a)];
        return s;
    }

    // The weighted sum at x = 0: everything left of 0 repeats the first value,
    // everything from n - 1 on the last.
    std::int64_t StartSum(const std::vector<std::int64_t>& in) const
    {
        if (n_ == 1)
            return first_ * divisor_;
        std::int64_t s = first_ * ((r_ + 1) * (r_ + 2) / 2);
        for (std::int64_t k = 1; k <= std::min(r_, n_ - 2); ++k)
            s += in[std::size_t(k)] * (r_ + 1 - k);
        if (r_ >= n_ - 1)
            s += last_ * ((r_ + 2 - n_) * (r_ + 3 - n_) / 2);
        return s;
    }

    std::int64_t r_;
    std::int64_t divisor_;
    std::vector<std::int64_t> prefix_;
    std::int64_t first_ = 0, last_ = 0, n_ = 0;
};

} // namespace

void BlurBitmap(TskBitmap& bmp, int radius)
{
    if (radius <= 0 || bmp.Empty())
        return;
    const int w = bmp.Width(), h = bmp.Height();
    TTriangleBlur blur(std::min<std::int64_t>(radius, MaxBlurRadius));
    // Planes of blue, green and red after the horizontal pass.
    std::vector<std::int64_t> planes[3];
    for (auto& p : planes)
        p.resize(std::size_t(w) * std::size_t(h));
    std::vector<std::int64_t> in, out;
    for (int c = 0; c < 3; ++c) {
        const int shift = 8 * c;
        in.resize(std::size_t(w));
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x)
                in[std::size_t(x)] = (bmp.Pixel(x, y) >> shift) & 0xFF;
            blur.Run(in, out);
            std::copy(out.begin(), out.end(), planes[c].begin() + std::ptrdiff_t(y) * w);
        }
    }
    in.resize(std::size_t(h));
    std::vector<TskColor> column(std::size_t(h), 0xFF000000u);
    for (int x = 0; x < w; ++x) {
        std::fill(column.begin(), column.end(), 0xFF000000u);
        for (int c = 0; c < 3; ++c) {
            for (int y = 0; y < h; ++y)
                in[std::size_t(y)] = planes[c][std::size_t(y) * std::size_t(w) + std::size_t(x)];
            blur.Run(in, out);
            for (int y = 0; y < h; ++y)
                column[std::size_t(y)] |= TskColor(out[std::size_t(y)]) << (8 * c);
        }
        for (int y = 0; y < h; ++y)
            bmp.Pixel(x, y) = column[std::size_t(y)];
    }
}

} // namespace tovrel
