#include "IconPainter.h"

#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

namespace tovrel::skingen {
namespace {

constexpr TRgb kWhite{255, 255, 255}, kBlack{0, 0, 0};

// Paints on the colour picture and, for the coverage that becomes alpha, on a
// grey picture; glyph coordinates run from 0 to 1 across the glyph's box.
class TIconCanvas {
public:
    TIconCanvas(const TIconSpec& recipe, int size)
        : spec_(recipe), size_(size), colour_(size, size, TPixelFormat::pf24bit),
          cover_(size, size, TPixelFormat::pf24bit), paint_(colour_), mask_(cover_)
    {
        ink_ = recipe.Tile ? kWhite : recipe.Colour;
        paint_.FillRect(TRect{0, 0, size, size}, recipe.Tile ? recipe.Colour : kWhite);
        mask_.FillRect(TRect{0, 0, size, size}, kBlack);
        const double inset = recipe.Tile ? 0.2 : 0.06;
        origin_ = size * inset;
        span_ = size * (1 - 2 * inset);
        if (recipe.Tile) {
            const TRect all{0, 0, size, size};
            const int radius = std::max(2, size / 6);
            paint_.Box(all, radius, 1,
                       TBoxFill{Lighter(recipe.Colour, 50), Darker(recipe.Colour, 25), TFillStyle::Vertical},
                       Darker(recipe.Colour, 60), recipe.Colour);
            mask_.Box(all, radius, 1, TBoxFill{kWhite, kWhite, TFillStyle::Flat}, kWhite, kBlack);
        }
    }

    double X(double u) const { return origin_ + u * span_; }
    double Y(double v) const { return origin_ + v * span_; }
    double W(double w) const { return std::max(1.0, w * span_); }

    void Line(double u0, double v0, double u1, double v1, double w = 0.1)
    {
        Both([&](TPainter& p, TRgb c) { p.Segment(X(u0), Y(v0), X(u1), Y(v1), W(w), c); });
    }
    void Dot(double u, double v, double r)
    {
        Both([&](TPainter& p, TRgb c) { p.Disc(X(u), Y(v), r * span_, c); });
    }
    void Rect(double u0, double v0, double u1, double v1) { Polygon({{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}}); }
    void Frame(double u0, double v0, double u1, double v1, double w)
    {
        Line(u0, v0, u1, v0, w);
        Line(u1, v0, u1, v1, w);
        Line(u1, v1, u0, v1, w);
        Line(u0, v1, u0, v0, w);
    }
    void Polygon(std::vector<std::pair<double, double>> points)
    {
        for (auto& [u, v] : points) {
            u = X(u);
            v = Y(v);
        }
        Both([&](TPainter& p, TRgb c) { p.Polygon(points, c); });
    }
    // A hole through the glyph: the tile shows through, or nothing on a bare icon.
    void CutDot(double u, double v, double r)
    {
        if (spec_.Tile)
            paint_.Disc(X(u), Y(v), r * span_, spec_.Colour);
        else
            mask_.Disc(X(u), Y(v), r * span_, kBlack);
    }
    void Ring(double u, double v, double outer, double inner)
    {
        Dot(u, v, outer);
        CutDot(u, v, inner);
    }

    TSurface Result() const
    {
        TSurface out(size_, size_, TPixelFormat::pf32bit);
        for (int y = 0; y < size_; ++y)
            for (int x = 0; x < size_; ++x) {
                const std::uint8_t* c = colour_.ScanLine(y) + x * 3;
                std::uint8_t* o = out.ScanLine(y) + x * 4;
                o[0] = c[0];
                o[1] = c[1];
                o[2] = c[2];
                o[3] = cover_.ScanLine(y)[x * 3 + 2];
            }
        return out;
    }

private:
    // Glyph strokes: ink on the colour picture; on a bare icon they also make the coverage.
    void Both(const std::function<void(TPainter&, TRgb)>& draw)
    {
        draw(paint_, ink_);
        if (!spec_.Tile)
            draw(mask_, kWhite);
    }

    const TIconSpec& spec_;
    int size_;
    TSurface colour_, cover_;
    TPainter paint_, mask_;
    TRgb ink_;
    double origin_ = 0, span_ = 0;
};

using TGlyph = std::function<void(TIconCanvas&)>;

void Film(TIconCanvas& c)
{
    c.Frame(0.05, 0.18, 0.95, 0.82, 0.08);
    for (int i = 0; i < 5; ++i) {
        const double u = 0.14 + i * 0.16;
        c.Rect(u, 0.26, u + 0.08, 0.34);
        c.Rect(u, 0.66, u + 0.08, 0.74);
    }
    c.Polygon({{0.42, 0.4}, {0.42, 0.6}, {0.6, 0.5}});
}

const std::map<std::string, TGlyph, std::less<>>& Glyphs()
{
    static const std::map<std::string, TGlyph, std::less<>> glyphs{
        {"film", Film},
        {"hd",
         [](TIconCanvas& c) {
             c.Frame(0.05, 0.18, 0.95, 0.82, 0.08);
             c.Line(0.22, 0.32, 0.22, 0.68);
             c.Line(0.44, 0.32, 0.44, 0.68);
             c.Line(0.22, 0.5, 0.44, 0.5);
             c.Line(0.56, 0.32, 0.56, 0.68);
             c.Line(0.56, 0.32, 0.76, 0.4);
             c.Line(0.76, 0.4, 0.76, 0.6);
             c.Line(0.76, 0.6, 0.56, 0.68);
         }},
        {"note",
         [](TIconCanvas& c) {
             c.Dot(0.33, 0.76, 0.15);
             c.Line(0.46, 0.76, 0.46, 0.1, 0.09);
             c.Line(0.46, 0.1, 0.8, 0.26, 0.09);
         }},
        {"player",
         [](TIconCanvas& c) {
             c.Frame(0.24, 0.04, 0.76, 0.96, 0.07);
             c.Rect(0.32, 0.13, 0.68, 0.42);
             c.Ring(0.5, 0.68, 0.17, 0.07);
         }},
        {"phone",
         [](TIconCanvas& c) {
             c.Frame(0.27, 0.04, 0.73, 0.96, 0.07);
             c.Rect(0.33, 0.14, 0.67, 0.76);
             c.Dot(0.5, 0.86, 0.05);
         }},
        {"tablet",
         [](TIconCanvas& c) {
             c.Frame(0.1, 0.12, 0.9, 0.88, 0.07);
             c.Rect(0.18, 0.2, 0.82, 0.72);
             c.Dot(0.5, 0.8, 0.04);
         }},
        {"tv",
         [](TIconCanvas& c) {
             c.Frame(0.04, 0.14, 0.96, 0.74, 0.07);
             c.Line(0.5, 0.74, 0.5, 0.9, 0.08);
             c.Line(0.3, 0.9, 0.7, 0.9, 0.08);
         }},
        {"console",
         [](TIconCanvas& c) {
             c.Frame(0.04, 0.28, 0.96, 0.76, 0.08);
             c.Line(0.18, 0.52, 0.4, 0.52, 0.08);
             c.Line(0.29, 0.41, 0.29, 0.63, 0.08);
             c.Dot(0.66, 0.46, 0.06);
             c.Dot(0.8, 0.58, 0.06);
         }},
        {"disc",
         [](TIconCanvas& c) {
             c.Ring(0.5, 0.5, 0.46, 0.13);
             c.Dot(0.5, 0.5, 0.05);
         }},
        {"globe",
         [](TIconCanvas& c) {
             c.Ring(0.5, 0.5, 0.46, 0.38);
             c.Line(0.08, 0.5, 0.92, 0.5, 0.07);
             c.Line(0.5, 0.08, 0.5, 0.92, 0.07);
             c.Line(0.2, 0.28, 0.8, 0.28, 0.06);
             c.Line(0.2, 0.72, 0.8, 0.72, 0.06);
         }},
        {"add",
         [](TIconCanvas& c) {
             c.Line(0.5, 0.12, 0.5, 0.88, 0.2);
             c.Line(0.12, 0.5, 0.88, 0.5, 0.2);
         }},
        {"play",
         [](TIconCanvas& c) {
             c.Polygon({{0.2, 0.08}, {0.2, 0.92}, {0.9, 0.5}});
         }},
        {"stop", [](TIconCanvas& c) { c.Rect(0.14, 0.14, 0.86, 0.86); }},
        {"pause",
         [](TIconCanvas& c) {
             c.Rect(0.18, 0.1, 0.42, 0.9);
             c.Rect(0.58, 0.1, 0.82, 0.9);
         }},
        {"resume",
         [](TIconCanvas& c) {
             c.Rect(0.1, 0.1, 0.28, 0.9);
             c.Polygon({{0.38, 0.1}, {0.38, 0.9}, {0.92, 0.5}});
         }},
        {"options",
         [](TIconCanvas& c) {
             for (int i = 0; i < 8; ++i) {
                 const double a = i * 3.14159265358979 / 4;
                 c.Line(0.5, 0.5, 0.5 + 0.46 * std::cos(a), 0.5 + 0.46 * std::sin(a), 0.16);
             }
             c.Ring(0.5, 0.5, 0.34, 0.14);
         }},
        {"folder",
         [](TIconCanvas& c) {
             c.Rect(0.04, 0.18, 0.44, 0.34);
             c.Rect(0.04, 0.3, 0.96, 0.86);
         }},
        {"help",
         [](TIconCanvas& c) {
             c.Ring(0.5, 0.5, 0.47, 0.37);
             c.Line(0.36, 0.36, 0.5, 0.25, 0.1);
             c.Line(0.5, 0.25, 0.64, 0.36, 0.1);
             c.Line(0.64, 0.36, 0.5, 0.5, 0.1);
             c.Line(0.5, 0.5, 0.5, 0.6, 0.1);
             c.Dot(0.5, 0.74, 0.06);
         }},
        {"skin",
         [](TIconCanvas& c) {
             c.Dot(0.5, 0.5, 0.46);
             c.CutDot(0.32, 0.34, 0.08);
             c.CutDot(0.58, 0.26, 0.08);
             c.CutDot(0.74, 0.5, 0.08);
             c.CutDot(0.42, 0.7, 0.11);
         }},
        {"about",
         [](TIconCanvas& c) {
             c.Ring(0.5, 0.5, 0.47, 0.37);
             c.Dot(0.5, 0.3, 0.07);
             c.Line(0.5, 0.46, 0.5, 0.74, 0.12);
         }},
        {"delete",
         [](TIconCanvas& c) {
             c.Line(0.15, 0.15, 0.85, 0.85, 0.18);
             c.Line(0.85, 0.15, 0.15, 0.85, 0.18);
         }},
        {"up",
         [](TIconCanvas& c) {
             c.Polygon({{0.5, 0.06}, {0.94, 0.54}, {0.06, 0.54}});
             c.Rect(0.34, 0.5, 0.66, 0.94);
         }},
        {"down",
         [](TIconCanvas& c) {
             c.Polygon({{0.5, 0.94}, {0.06, 0.46}, {0.94, 0.46}});
             c.Rect(0.34, 0.06, 0.66, 0.5);
         }},
        {"rename",
         [](TIconCanvas& c) {
             c.Line(0.26, 0.74, 0.8, 0.2, 0.18);
             c.Polygon({{0.08, 0.92}, {0.14, 0.68}, {0.32, 0.86}});
         }},
        {"clear",
         [](TIconCanvas& c) {
             c.Line(0.78, 0.08, 0.52, 0.5, 0.12);
             c.Polygon({{0.3, 0.42}, {0.74, 0.6}, {0.6, 0.94}, {0.08, 0.94}});
         }},
        {"browse",
         [](TIconCanvas& c) {
             for (double u : {0.18, 0.5, 0.82})
                 c.Dot(u, 0.55, 0.11);
         }},
    };
    return glyphs;
}

} // namespace

TSurface PaintIcon(const TIconSpec& recipe, int size)
{
    const auto glyph = Glyphs().find(recipe.Glyph);
    if (glyph == Glyphs().end())
        throw std::invalid_argument("no glyph named " + recipe.Glyph);
    TIconCanvas canvas(recipe, size);
    glyph->second(canvas);
    return canvas.Result();
}

} // namespace tovrel::skingen
