// Morph transitions: which image and column each pixel shows, and blend weights.
#include <gtest/gtest.h>

#include "skin/data/SkinTypes.h"
#include "skin/draw/EffectBmp.h"

#include <string>
#include <utility>
#include <vector>

namespace tovrel::test {
namespace {

// Pixels name their image (blue 0xA0 for A, 0xB0 for B) and column (red).
TskEffectBmp Named(int w, int h, std::uint8_t image)
{
    TskEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, (std::uint32_t(x) << 16) | (std::uint32_t(y) << 8) | image);
    return b;
}

// "A3 A4 B9 ..." for row y.
std::string RowOf(const TskEffectBmp& b, int y = 0)
{
    std::string s;
    for (int x = 0; x < b.Width; ++x) {
        const std::uint32_t p = b.GetPixel(x, y);
        s += (p & 0xFF) == 0xA0 ? 'A' : (p & 0xFF) == 0xB0 ? 'B' : '?';
        s += std::to_string(p >> 16) + (x + 1 < b.Width ? " " : "");
    }
    return s;
}

// Red channel of row y, for blends of A = 0 and B = 200.
std::string LevelsOf(const TskEffectBmp& b, int y = 0)
{
    std::string s;
    for (int x = 0; x < b.Width; ++x)
        s += std::to_string(b.GetPixel(x, y) >> 16) + (x + 1 < b.Width ? " " : "");
    return s;
}

TskEffectBmp Level(int w, int h, int v)
{
    TskEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.SetPixel(x, y, std::uint32_t(v) * 0x010101u);
    return b;
}

using TMorph = void (TskEffectBmp::*)(const TskEffectBmp&, double);

TEST(EffectBmpMorph, MovingMorphsPlaceTheRightColumns)
{
    struct Case {
        const char* Name;
        TMorph Op;
        double Kf;
        const char* Row;
    };
    const Case cases[] = {
        {"push 0", &TskEffectBmp::MorphPush, 0, "B4 A0 A1 A2 A3"},
        {"push 0.4", &TskEffectBmp::MorphPush, 0.4, "B2 B3 B4 A0 A1"},
        {"push 1", &TskEffectBmp::MorphPush, 1, "B0 B1 B2 B3 B4"},
        {"left slide 0", &TskEffectBmp::MorphLeftSlide, 0, "B4 A1 A2 A3 A4"},
        {"left slide 0.4", &TskEffectBmp::MorphLeftSlide, 0.4, "B3 B4 A2 A3 A4"},
        {"left slide 1", &TskEffectBmp::MorphLeftSlide, 1, "B1 B2 B3 B4 A4"},
        {"right slide 0.4", &TskEffectBmp::MorphRightSlide, 0.4, "A0 A1 A2 B0 B1"},
        {"right slide 1", &TskEffectBmp::MorphRightSlide, 1, "A0 B0 B1 B2 B3"},
        {"grad 1", &TskEffectBmp::MorphGrad, 1, "B0 B1 B2 B3 B4"},
    };
    for (const Case& c : cases) {
        TskEffectBmp a = Named(5, 1, 0xA0);
        (a.*c.Op)(Named(5, 1, 0xB0), c.Kf);
        EXPECT_EQ(RowOf(a), c.Row) << c.Name;
    }
}

TEST(EffectBmpMorph, GradientsBlendWithTheirWeights)
{
    struct Case {
        const char* Name;
        TMorph Op;
        double Kf;
        const char* Levels;
    };
    const Case cases[] = {
        {"morph 0", &TskEffectBmp::Morph, 0, "0 0 0 0 0 0 0 0 0 0"},
        {"morph 0.25", &TskEffectBmp::Morph, 0.25, "50 50 50 50 50 50 50 50 50 50"},
        {"morph 1.5", &TskEffectBmp::Morph, 1.5, "200 200 200 200 200 200 200 200 200 200"},
        {"morph -1", &TskEffectBmp::Morph, -1, "0 0 0 0 0 0 0 0 0 0"},
        {"hgrad 0", &TskEffectBmp::MorphHGrad, 0, "0 40 80 120 160 200 160 120 80 40"},
        {"hgrad 0.4", &TskEffectBmp::MorphHGrad, 0.4, "0 67 133 200 200 200 200 200 133 67"},
        {"left grad 0", &TskEffectBmp::MorphLeftGrad, 0, "200 0 0 0 0 0 0 0 0 0"},
        {"left grad 0.5", &TskEffectBmp::MorphLeftGrad, 0.5, "200 160 120 80 40 0 0 0 0 0"},
        {"right grad 0", &TskEffectBmp::MorphRightGrad, 0, "0 0 0 0 0 0 0 0 0 200"},
        {"right grad 0.3", &TskEffectBmp::MorphRightGrad, 0.3, "0 0 0 0 0 0 0 67 133 200"},
    };
    for (const Case& c : cases) {
        TskEffectBmp a = Level(10, 2, 0);
        (a.*c.Op)(Level(10, 2, 200), c.Kf);
        EXPECT_EQ(LevelsOf(a, 1), c.Levels) << c.Name;
    }
}

TEST(EffectBmpMorph, VerticalGradientWorksByRowsOnTallImages)
{
    TskEffectBmp a = Level(3, 9, 0);
    a.MorphGrad(Level(3, 9, 200), 0); // n = 0, g = 4: rows fade out from row 4
    const int expected[9] = {0, 50, 100, 150, 200, 150, 100, 50, 0};
    for (int y = 0; y < 9; ++y)
        EXPECT_EQ(a.GetPixel(2, y) >> 16, std::uint32_t(expected[y])) << y;
}

TEST(EffectBmpMorph, NarrowEmptyAndMismatchedImages)
{
    const TMorph towardsB[] = {&TskEffectBmp::MorphHGrad, &TskEffectBmp::MorphLeftGrad, &TskEffectBmp::MorphRightGrad,
                               &TskEffectBmp::MorphPush};
    for (TMorph op : towardsB)
        for (double kf : {0.0, 0.5, 1.0}) {
            TskEffectBmp a = Named(1, 2, 0xA0);
            (a.*op)(Named(1, 2, 0xB0), kf);
            EXPECT_EQ(RowOf(a, 1), "B0") << kf;
        }
    for (TMorph op : {&TskEffectBmp::MorphLeftSlide, &TskEffectBmp::MorphRightSlide}) {
        TskEffectBmp a = Named(1, 1, 0xA0);
        (a.*op)(Named(1, 1, 0xB0), 0.5);
        EXPECT_EQ(RowOf(a), "A0");
    }
    const TMorph all[] = {&TskEffectBmp::Morph,          &TskEffectBmp::MorphGrad,       &TskEffectBmp::MorphHGrad,
                          &TskEffectBmp::MorphVGrad,     &TskEffectBmp::MorphLeftGrad,   &TskEffectBmp::MorphRightGrad,
                          &TskEffectBmp::MorphLeftSlide, &TskEffectBmp::MorphRightSlide, &TskEffectBmp::MorphPush};
    for (TMorph op : all)
        for (double kf : {-3.0, -0.5, 0.3, 2.5}) {
            TskEffectBmp wider = Named(6, 4, 0xA0);
            (wider.*op)(Named(7, 4, 0xB0), kf);
            EXPECT_EQ(RowOf(wider, 3), "A0 A1 A2 A3 A4 A5");
            TskEffectBmp empty(0, 0);
            (empty.*op)(TskEffectBmp(0, 0), kf);
            TskEffectBmp a = Named(6, 4, 0xA0); // out-of-range progress stays inside the images
            (a.*op)(Named(6, 4, 0xB0), kf);
        }
}

TEST(EffectBmpMorph, RectangleOperationsCopyAndBlendParts)
{
    TskEffectBmp a = Named(4, 3, 0xA0);
    a.CopyRect(Named(4, 3, 0xB0), Rect(0, 0, 4, 3), 0, 0); // right and bottom lowered and included
    EXPECT_EQ(RowOf(a, 2), "B0 B1 B2 B3");

    TskEffectBmp c = Named(4, 1, 0xA0);
    c.CopyRect(Named(4, 1, 0xB0), Rect(1, 0, 2, 0), 2, 0);
    EXPECT_EQ(RowOf(c), "A0 B2 B3 A3");

    TskEffectBmp m = Level(4, 2, 0);
    m.MorphRect(Level(8, 8, 200), 0.5, Rect(1, 1, 3, 2), 5, 5);
    EXPECT_EQ(LevelsOf(m, 1), "0 100 100 0");
    EXPECT_EQ(LevelsOf(m, 0), "0 0 0 0");
}

// Every pixel of an image, row by row.
std::vector<std::uint32_t> PixelsOf(const TskEffectBmp& b)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x)
            pixels.push_back(b.GetPixel(x, y));
    return pixels;
}

// A and B differ in every pixel and vary along both axes, so each effect leaves its own trace.
TskEffectBmp Ramp(int w, int h, bool second)
{
    TskEffectBmp b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int red = second ? 250 - 19 * x : 20 * x + 5 * y, green = second ? 200 - 11 * y : 40 + 5 * x;
            b.SetPixel(x, y, std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | (second ? 0xE0u : 0x20u));
        }
    return b;
}

TEST(EffectBmpMorph, KindSelectsTheOperation)
{
    const std::pair<TskMorphKind, TMorph> kinds[] = {
        {TskMorphKind::mkDefault, &TskEffectBmp::Morph},
        {TskMorphKind::mkGradient, &TskEffectBmp::MorphGrad},
        {TskMorphKind::mkLeftGradient, &TskEffectBmp::MorphLeftGrad},
        {TskMorphKind::mkRightGradient, &TskEffectBmp::MorphRightGrad},
        {TskMorphKind::mkLeftSlide, &TskEffectBmp::MorphLeftSlide},
        {TskMorphKind::mkRightSlide, &TskEffectBmp::MorphRightSlide},
        {TskMorphKind::mkPush, &TskEffectBmp::MorphPush},
    };
    // Wide and tall: the gradient kind works by columns on one and by rows on the other.
    for (const auto& [w, h] : {std::pair{10, 2}, std::pair{3, 9}})
        for (double kf : {0.0, 0.5, 1.0}) {
            std::vector<std::vector<std::uint32_t>> results;
            for (const auto& [kind, op] : kinds) {
                const std::string name =
                    "kind " + std::to_string(int(kind)) + " on " + std::to_string(w) + "x" + std::to_string(h);
                TskEffectBmp byKind = Ramp(w, h, false), direct = Ramp(w, h, false);
                byKind.MorphByKind(kind, Ramp(w, h, true), kf);
                (direct.*op)(Ramp(w, h, true), kf);
                EXPECT_EQ(PixelsOf(byKind), PixelsOf(direct)) << name << " at " << kf;
                // Halfway, no two kinds look alike.
                if (kf == 0.5) {
                    for (std::size_t other = 0; other < results.size(); ++other)
                        EXPECT_NE(PixelsOf(byKind), results[other]) << name << " and kind " << other;
                }
                results.push_back(PixelsOf(byKind));
            }
        }
}

} // namespace
} // namespace tovrel::test
