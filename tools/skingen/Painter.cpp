#include "Painter.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tovrel::skingen {
namespace {

constexpr int kSamples = 4;
constexpr int kFullCoverage = kSamples * kSamples;

std::uint8_t MixChannel(int a, int b, int t)
{
    return std::uint8_t(a + (b - a) * t / 255);
}

bool InsideRounded(double px, double py, double w, double h, double radius)
{
    if (px < 0 || py < 0 || px >= w || py >= h)
        return false;
    const double cx = px < radius ? radius : (px > w - radius ? w - radius : px);
    const double cy = py < radius ? radius : (py > h - radius ? h - radius : py);
    const double dx = px - cx, dy = py - cy;
    return dx * dx + dy * dy <= radius * radius;
}

double SegmentDistance(double px, double py, double x0, double y0, double x1, double y1)
{
    const double vx = x1 - x0, vy = y1 - y0;
    const double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((px - x0) * vx + (py - y0) * vy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - (x0 + t * vx), dy = py - (y0 + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

// Samples the shape over every pixel of the box around it.
template <class Inside> void Cover(int left, int top, int right, int bottom, Inside inside, auto blend)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            int coverage = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    coverage += inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples) ? 1 : 0;
            if (coverage > 0)
                blend(x, y, coverage);
        }
}

} // namespace

TRgb Mix(TRgb a, TRgb b, int t)
{
    t = std::clamp(t, 0, 255);
    return {MixChannel(a.R, b.R, t), MixChannel(a.G, b.G, t), MixChannel(a.B, b.B, t)};
}
TRgb Lighter(TRgb c, int amount)
{
    return Mix(c, TRgb{255, 255, 255}, amount);
}
TRgb Darker(TRgb c, int amount)
{
    return Mix(c, TRgb{0, 0, 0}, amount);
}
TColor ToColor(TRgb c)
{
    return TColor(c.R | (c.G << 8) | (c.B << 16));
}

std::optional<TRgb> ParseHexColour(std::string_view text)
{
    if (text.size() != 7 || text[0] != '#' || text.find_first_not_of("0123456789abcdefABCDEF", 1) != text.npos)
        return std::nullopt;
    const unsigned long v = std::stoul(std::string(text.substr(1)), nullptr, 16);
    return TRgb{std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

void TPainter::Pixel(int x, int y, TRgb c)
{
    if (x < 0 || y < 0 || x >= surface_.Width() || y >= surface_.Height())
        return;
    std::uint8_t* p = surface_.ScanLine(y) + x * surface_.BytesPerPixel();
    p[0] = c.B;
    p[1] = c.G;
    p[2] = c.R;
}

void TPainter::Blend(int x, int y, TRgb c, int coverage)
{
    if (x < 0 || y < 0 || x >= surface_.Width() || y >= surface_.Height())
        return;
    std::uint8_t* p = surface_.ScanLine(y) + x * surface_.BytesPerPixel();
    const TRgb old{p[2], p[1], p[0]};
    Pixel(x, y, Mix(old, c, coverage * 255 / kFullCoverage));
}

void TPainter::FillRect(const TRect& r, TRgb c)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            Pixel(x, y, c);
}

void TPainter::HLine(int x0, int x1, int y, TRgb c)
{
    FillRect(TRect{x0, y, x1, y + 1}, c);
}
void TPainter::VLine(int x, int y0, int y1, TRgb c)
{
    FillRect(TRect{x, y0, x + 1, y1}, c);
}

TRgb FillColorAt(const TBoxFill& fill, int row, int height)
{
    const int span = std::max(1, height - 1);
    switch (fill.Style) {
    case TFillStyle::Flat: return fill.Top;
    case TFillStyle::Vertical: return Mix(fill.Top, fill.Bottom, row * 255 / span);
    case TFillStyle::Glossy: {
        const int half = std::max(1, height / 2);
        if (row < half)
            return Mix(Lighter(fill.Top, 80), Lighter(fill.Top, 25), row * 255 / half);
        return Mix(fill.Top, fill.Bottom, (row - half) * 255 / std::max(1, height - half - 1));
    }
    }
    return fill.Top;
}

void TPainter::Gradient(const TRect& r, const TBoxFill& fill)
{
    for (int y = r.Top; y < r.Bottom; ++y)
        HLine(r.Left, r.Right, y, FillColorAt(fill, y - r.Top, r.Bottom - r.Top));
}

void TPainter::Box(const TRect& r, int radius, int borderWidth, const TBoxFill& fill, TRgb border, TRgb back)
{
    const double w = r.Right - r.Left, h = r.Bottom - r.Top;
    const double inner = std::max(0, radius - borderWidth);
    for (int y = r.Top; y < r.Bottom; ++y) {
        const TRgb body = FillColorAt(fill, y - r.Top, r.Bottom - r.Top);
        for (int x = r.Left; x < r.Right; ++x) {
            int outerCount = 0, innerCount = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x - r.Left + (sx + 0.5) / kSamples, py = y - r.Top + (sy + 0.5) / kSamples;
                    if (InsideRounded(px, py, w, h, radius))
                        ++outerCount;
                    if (InsideRounded(px - borderWidth, py - borderWidth, w - 2 * borderWidth, h - 2 * borderWidth,
                                      inner))
                        ++innerCount;
                }
            innerCount = std::min(innerCount, outerCount);
            const int outside = kFullCoverage - outerCount, edge = outerCount - innerCount;
            auto channel = [&](auto pick) {
                return std::uint8_t((pick(back) * outside + pick(border) * edge + pick(body) * innerCount) /
                                    kFullCoverage);
            };
            Pixel(x, y,
                  TRgb{channel([](TRgb c) { return int(c.R); }), channel([](TRgb c) { return int(c.G); }),
                       channel([](TRgb c) { return int(c.B); })});
        }
    }
}

void TPainter::Segment(double x0, double y0, double x1, double y1, double thickness, TRgb c)
{
    const double half = thickness / 2;
    const int left = int(std::floor(std::min(x0, x1) - half)), right = int(std::ceil(std::max(x0, x1) + half));
    const int top = int(std::floor(std::min(y0, y1) - half)), bottom = int(std::ceil(std::max(y0, y1) + half));
    Cover(
        left, top, right, bottom, [&](double px, double py) { return SegmentDistance(px, py, x0, y0, x1, y1) <= half; },
        [&](int x, int y, int coverage) { Blend(x, y, c, coverage); });
}

void TPainter::Disc(double cx, double cy, double radius, TRgb c)
{
    Cover(
        int(std::floor(cx - radius)), int(std::floor(cy - radius)), int(std::ceil(cx + radius)),
        int(std::ceil(cy + radius)),
        [&](double px, double py) { return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= radius * radius; },
        [&](int x, int y, int coverage) { Blend(x, y, c, coverage); });
}

void TPainter::Polygon(std::span<const std::pair<double, double>> points, TRgb c)
{
    if (points.size() < 3)
        return;
    double left = points[0].first, right = left, top = points[0].second, bottom = top;
    for (auto [x, y] : points) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    // Inside when on the same side of every edge (the polygon is convex).
    const auto inside = [&](double px, double py) {
        int sign = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto [x0, y0] = points[i];
            const auto [x1, y1] = points[(i + 1) % points.size()];
            const double cross = (x1 - x0) * (py - y0) - (y1 - y0) * (px - x0);
            const int s = cross > 0 ? 1 : (cross < 0 ? -1 : 0);
            if (s != 0 && sign != 0 && s != sign)
                return false;
            if (s != 0)
                sign = s;
        }
        return true;
    };
    Cover(int(std::floor(left)), int(std::floor(top)), int(std::ceil(right)), int(std::ceil(bottom)), inside,
          [&](int x, int y, int coverage) { Blend(x, y, c, coverage); });
}

void TPainter::Arrow(const TRect& r, TDirection direction, int size, TRgb c)
{
    // A solid triangle of `size` rows, its tip towards `direction`.
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    for (int i = 0; i < size; ++i) {
        const int reach = i;
        const int offset = i - size / 2;
        switch (direction) {
        case TDirection::Up: HLine(cx - reach, cx + reach + 1, cy + offset, c); break;
        case TDirection::Down: HLine(cx - reach, cx + reach + 1, cy - offset, c); break;
        case TDirection::Left: VLine(cx + offset, cy - reach, cy + reach + 1, c); break;
        case TDirection::Right: VLine(cx - offset, cy - reach, cy + reach + 1, c); break;
        }
    }
}

void TPainter::CheckMark(const TRect& r, TRgb c)
{
    const double w = r.Right - r.Left, h = r.Bottom - r.Top;
    const double x = r.Left, y = r.Top;
    Segment(x + w * 0.22, y + h * 0.52, x + w * 0.42, y + h * 0.72, 2.0, c);
    Segment(x + w * 0.42, y + h * 0.72, x + w * 0.80, y + h * 0.28, 2.0, c);
}

void TPainter::Cross(const TRect& r, TRgb c)
{
    const double inset = 0.5;
    Segment(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset, 1.8, c);
    Segment(r.Right - inset, r.Top + inset, r.Left + inset, r.Bottom - inset, 1.8, c);
}

} // namespace tovrel::skingen
