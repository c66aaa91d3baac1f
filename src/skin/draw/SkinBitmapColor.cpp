// TskBitmap colour adjustments (HSL model), vertical flip and reflections.
#include "platform/rtl/Numbers.h"
#include "skin/draw/SkinBitmap.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

struct THsl {
    double H = 0, S = 0, L = 0;
};

THsl RgbToHsl(TskColor c)
{
    const double r = RedOf(c) / 255.0, g = GreenOf(c) / 255.0, b = BlueOf(c) / 255.0;
    const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    THsl hsl;
    hsl.L = (mx + mn) / 2;
    if (mx == mn)
        return hsl;
    const double d = mx - mn;
    hsl.S = hsl.L < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (r == mx)
        hsl.H = (g - b) / d;
    else if (g == mx)
        hsl.H = (b - r) / d + 2;
    else
        hsl.H = (r - g) / d + 4;
    hsl.H /= 6;
    if (hsl.H < 0)
        hsl.H += 1;
    return hsl;
}

std::uint8_t HueToRgb(double m1, double m2, double h)
{
    h -= std::floor(h);
    double v;
    if (6 * h < 1)
        v = m1 + (m2 - m1) * 6 * h;
    else if (2 * h < 1)
        v = m2;
    else if (3 * h < 2)
        v = m1 + (m2 - m1) * (2.0 / 3 - h) * 6;
    else
        v = m1;
    return std::uint8_t(Round(v * 255));
}

TskColor HslToRgb(const THsl& hsl)
{
    if (hsl.S == 0) {
        const auto grey = std::uint8_t(Round(hsl.L * 255));
        return SkColor(grey, grey, grey, 255);
    }
    const double m2 = hsl.L <= 0.5 ? hsl.L * (1 + hsl.S) : hsl.L + hsl.S - hsl.L * hsl.S;
    const double m1 = 2 * hsl.L - m2;
    return SkColor(HueToRgb(m1, m2, hsl.H + 1.0 / 3), HueToRgb(m1, m2, hsl.H), HueToRgb(m1, m2, hsl.H - 1.0 / 3), 255);
}

// Shifts a 0..1 component by delta in 0..255 steps, wrapping once.
double ShiftComponent(double value, int delta)
{
    std::int64_t v = Round(value * 255) + delta;
    if (v > 255)
        v -= 255;
    if (v < 0)
        v += 255;
    return double(v) / 255;
}

template <class Fn> void ForEachVisiblePixel(TskBitmap& bmp, Fn change)
{
    if (bmp.Empty())
        return;
    for (int y = 0; y < bmp.Height(); ++y)
        for (TskColor *p = bmp.Row(y), *end = p + bmp.Width(); p != end; ++p)
            if (AlphaOf(*p) != 0)
                *p = (change(*p) & 0x00FFFFFF) | (*p & 0xFF000000);
}

template <class Fn> void AdjustHsl(TskBitmap& bmp, Fn change)
{
    ForEachVisiblePixel(bmp, [&](TskColor c) {
        THsl hsl = RgbToHsl(c);
        change(hsl);
        return HslToRgb(hsl);
    });
}

} // namespace

void TskBitmap::SetBitmapHue(int hue)
{
    const double h = std::clamp(hue, 0, 255) / 255.0;
    AdjustHsl(*this, [h](THsl& hsl) { hsl.H = h; });
}

void TskBitmap::ChangeBitmapHue(int deltaHue)
{
    if (deltaHue != 0)
        AdjustHsl(*this, [deltaHue](THsl& hsl) { hsl.H = ShiftComponent(hsl.H, deltaHue); });
}

void TskBitmap::ChangeBitmapSat(int deltaSat)
{
    if (deltaSat != 0)
        AdjustHsl(*this, [deltaSat](THsl& hsl) { hsl.S = ShiftComponent(hsl.S, deltaSat); });
}

void TskBitmap::ChangeBitmapBrightness(int deltaBrightness)
{
    if (deltaBrightness == 0)
        return;
    ForEachVisiblePixel(*this, [deltaBrightness](TskColor c) {
        auto channel = [deltaBrightness](int v) { return std::uint8_t(std::clamp(v + deltaBrightness, 0, 255)); };
        return SkColor(channel(RedOf(c)), channel(GreenOf(c)), channel(BlueOf(c)), 0);
    });
}

void TskBitmap::FlipVert()
{
    for (int y = 0; y < height_ / 2; ++y)
        std::swap_ranges(Row(y), Row(y) + width_, Row(height_ - 1 - y));
}

void TskBitmap::ScaleAlphaRows(int divisor)
{
    if (Empty())
        return;
    FlipVert();
    const double step = 2.0 / height_;
    for (int y = 0; y < height_; ++y) {
        const double f = 1 - y * step;
        for (TskColor *p = Row(y), *end = p + width_; p != end; ++p) {
            const int a = AlphaOf(*p);
            if (a == 0)
                continue;
            const auto scaled = std::max<std::int64_t>(0, Round(f * a) / divisor);
            *p = (*p & 0x00FFFFFF) | (TskColor(scaled) << 24);
        }
    }
}

void TskBitmap::Reflection()
{
    ScaleAlphaRows(3);
}
void TskBitmap::Reflection2()
{
    ScaleAlphaRows(4);
}
void TskBitmap::Reflection3()
{
    ScaleAlphaRows(2);
}

} // namespace tovrel
