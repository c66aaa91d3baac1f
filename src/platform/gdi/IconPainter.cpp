#include "platform/gdi/IconPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovrel {

namespace {

bool InsidePolygon(const std::vector<TIconPoint>& p, double x, double y)
{
    bool inside = false;
    for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
        if ((p[i].y > y) != (p[j].y > y) && x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
            inside = !inside;
    }
    return inside;
}

double DistanceToSegment(TIconPoint a, TIconPoint b, double x, double y)
{
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    const double t = length2 > 0 ? std::clamp(((x - a.x) * dx + (y - a.y) * dy) / length2, 0.0, 1.0) : 0.0;
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

// Source over, premultiplied.
void Blend(std::uint8_t* pixel, TIconColour colour, double coverage)
{
    const double keep = 1.0 - coverage;
    pixel[0] = std::uint8_t(std::lround(colour.b * coverage + pixel[0] * keep));
    pixel[1] = std::uint8_t(std::lround(colour.g * coverage + pixel[1] * keep));
    pixel[2] = std::uint8_t(std::lround(colour.r * coverage + pixel[2] * keep));
    pixel[3] = std::uint8_t(std::lround(255 * coverage + pixel[3] * keep));
}

} // namespace

TIconPainter::TIconPainter(TSurface& surface) : surface_(surface), scale_(surface.Width() / 16.0) {}

void TIconPainter::Polygon(std::initializer_list<TIconPoint> points, TIconColour colour)
{
    const std::vector<TIconPoint> p(points);
    double left = 16, top = 16, right = 0, bottom = 0;
    for (const TIconPoint& q : p) {
        left = std::min(left, q.x), right = std::max(right, q.x);
        top = std::min(top, q.y), bottom = std::max(bottom, q.y);
    }
    Fill(left, top, right, bottom, colour, [&](double x, double y) { return InsidePolygon(p, x, y); });
}

void TIconPainter::Rect(double x0, double y0, double x1, double y1, TIconColour colour)
{
    Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, colour);
}

void TIconPainter::Ellipse(double cx, double cy, double rx, double ry, TIconColour colour)
{
    Fill(cx - rx, cy - ry, cx + rx, cy + ry, colour, [&](double x, double y) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    });
}

void TIconPainter::Stroke(const std::vector<TIconPoint>& points, double width, TIconColour colour)
{
    if (points.empty())
        return;
    const double half = width / 2;
    double left = 16, top = 16, right = 0, bottom = 0;
    for (const TIconPoint& q : points) {
        left = std::min(left, q.x - half), right = std::max(right, q.x + half);
        top = std::min(top, q.y - half), bottom = std::max(bottom, q.y + half);
    }
    Fill(left, top, right, bottom, colour, [&](double x, double y) {
        for (std::size_t i = 0; i < points.size(); ++i)
            if (DistanceToSegment(points[i], points[std::min(i + 1, points.size() - 1)], x, y) <= half)
                return true;
        return false;
    });
}

std::vector<TIconPoint> TIconPainter::Arc(double cx, double cy, double radius, double from, double to)
{
    constexpr int Steps = 24;
    std::vector<TIconPoint> points;
    for (int i = 0; i <= Steps; ++i) {
        const double angle = (from + (to - from) * i / Steps) * std::numbers::pi / 180;
        points.push_back({cx + radius * std::sin(angle), cy - radius * std::cos(angle)});
    }
    return points;
}

void TIconPainter::Fill(double left, double top, double right, double bottom, TIconColour colour, const TInside& inside)
{
    constexpr int Samples = 4;
    const int x0 = std::max(0, int(std::floor(left * scale_)));
    const int y0 = std::max(0, int(std::floor(top * scale_)));
    const int x1 = std::min(surface_.Width(), int(std::ceil(right * scale_)));
    const int y1 = std::min(surface_.Height(), int(std::ceil(bottom * scale_)));
    for (int y = y0; y < y1; ++y) {
        std::uint8_t* row = surface_.ScanLine(y);
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < Samples; ++sy)
                for (int sx = 0; sx < Samples; ++sx)
                    hits += inside((x + (sx + 0.5) / Samples) / scale_, (y + (sy + 0.5) / Samples) / scale_);
            if (hits)
                Blend(row + x * 4, colour, hits / double(Samples * Samples));
        }
    }
}

} // namespace tovrel
