#pragma once
// Drawing the program's own small pictures (stock icons, the shell's item
// icons): shapes given in a 16-unit square, scaled to the surface, with
// coverage from 4 x 4 samples per pixel so every size comes out smooth. The
// surface is 32-bit with premultiplied alpha; each shape is laid over what is
// there (source over).
#include "platform/gdi/Surface.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace tovrel {

struct TIconPoint {
    double x, y;
};

struct TIconColour {
    std::uint8_t r, g, b;
};

class TIconPainter {
public:
    explicit TIconPainter(TSurface& surface);

    void Polygon(std::initializer_list<TIconPoint> points, TIconColour colour);
    void Rect(double x0, double y0, double x1, double y1, TIconColour colour);
    void Ellipse(double cx, double cy, double rx, double ry, TIconColour colour);
    // A line through the points, `width` units wide, with round ends and joins.
    void Stroke(const std::vector<TIconPoint>& points, double width, TIconColour colour);
    // Points on the circle around (cx, cy) from angle `from` to `to` (degrees,
    // clockwise from twelve o'clock), for strokes along an arc.
    static std::vector<TIconPoint> Arc(double cx, double cy, double radius, double from, double to);

private:
    using TInside = std::function<bool(double x, double y)>;
    void Fill(double left, double top, double right, double bottom, TIconColour colour, const TInside& inside);

    TSurface& surface_;
    double scale_;
};

} // namespace tovrel
