#pragma once
// The small painter the skin generator draws every picture with: boxes with
// rounded corners, gradients and borders, lines and the glyphs of arrows,
// checks and caption buttons, on 24-bit surfaces. Edges are anti-aliased by a
// fixed 4x4 sampling, so the same call always gives the same bytes.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "platform/gdi/Surface.h"
#include "platform/rtl/Types.h"

namespace tovrel::skingen {

struct TRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    bool operator==(const TRgb&) const = default;
};

// a + (b - a) * t / 255
TRgb Mix(TRgb a, TRgb b, int t);
TRgb Lighter(TRgb c, int amount);
TRgb Darker(TRgb c, int amount);
// The skin format's colour value (0x00BBGGRR).
TColor ToColor(TRgb c);
// "#RRGGBB" as the theme and icon tables write colours; nothing for any other text.
std::optional<TRgb> ParseHexColour(std::string_view text);

enum class TFillStyle { Flat, Vertical, Glossy };

// How a box is filled: top and bottom colours and the style between them.
struct TBoxFill {
    TRgb Top;
    TRgb Bottom;
    TFillStyle Style = TFillStyle::Vertical;
};

// The colour of the fill at `row` of a box `height` rows high.
TRgb FillColorAt(const TBoxFill& fill, int row, int height);

class TPainter {
public:
    explicit TPainter(TSurface& surface) : surface_(surface) {}

    void FillRect(const TRect& r, TRgb c);
    void Pixel(int x, int y, TRgb c);
    void HLine(int x0, int x1, int y, TRgb c);
    void VLine(int x, int y0, int y1, TRgb c);
    // The box fill over r (no border, square corners).
    void Gradient(const TRect& r, const TBoxFill& fill);
    // A box with rounded corners of `radius` and a border of `borderWidth` in
    // `border`; pixels outside the rounded shape take `back`.
    void Box(const TRect& r, int radius, int borderWidth, const TBoxFill& fill, TRgb border, TRgb back);
    // A thick anti-aliased segment (coordinates in pixels, centres at +0.5).
    void Segment(double x0, double y0, double x1, double y1, double thickness, TRgb c);
    void Disc(double cx, double cy, double radius, TRgb c);
    // A filled convex polygon (coordinates in pixels).
    void Polygon(std::span<const std::pair<double, double>> points, TRgb c);
    // A filled triangle pointing in the direction named, centred in r.
    enum class TDirection { Up, Down, Left, Right };
    void Arrow(const TRect& r, TDirection direction, int size, TRgb c);
    void CheckMark(const TRect& r, TRgb c);
    void Cross(const TRect& r, TRgb c);

private:
    // Blends c over the pixel with a coverage of 0..16.
    void Blend(int x, int y, TRgb c, int coverage);
    TSurface& surface_;
};

} // namespace tovrel::skingen
