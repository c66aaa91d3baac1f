// TskEffectBmp: blurs, mosaic, wave, turns, flips, enlargement and mask effects.
#include "platform/gdi/SysColors.h"
#include "platform/rtl/Numbers.h"
#include "skin/draw/EffectBmp.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

bool IsWhite(const TskEffectBmp& mask, int x, int y)
{
    return (mask.GetPixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
}

bool MaskFits(const TskEffectBmp& image, const TskEffectBmp& mask)
{
    return image.Width > 0 && image.Height > 0 && mask.Width == image.Width && mask.Height >= image.Height;
}

// Each channel := the truncated mean of the four split-blur samples.
void AverageSamples(TskEffectBmp& bmp, int x, int y, const TskEffectBmp::TSamples& s)
{
    const std::uint8_t* a = bmp.Line(s.U) + 3 * s.L;
    const std::uint8_t* b = bmp.Line(s.D) + 3 * s.L;
    const std::uint8_t* c = bmp.Line(s.U) + 3 * s.R;
    const std::uint8_t* d = bmp.Line(s.D) + 3 * s.R;
    std::uint8_t* p = bmp.Line(y) + 3 * x;
    for (int k = 0; k < 3; ++k)
        p[k] = std::uint8_t((a[k] + b[k] + c[k] + d[k]) / 4);
}

// Visits pixels top to bottom, left to right, as the in-place effects must.
template <class Fn> void InScanOrder(const TskEffectBmp& bmp, Fn fn)
{
    for (int y = 0; y < bmp.Height; ++y)
        for (int x = 0; x < bmp.Width; ++x)
            fn(x, y);
}

void PutInside(TskEffectBmp& dst, int x, int y, std::uint32_t color)
{
    if (x >= 0 && y >= 0 && x < dst.Width && y < dst.Height)
        dst.SetPixel(x, y, color);
}

} // namespace

TskEffectBmp::TSamples TskEffectBmp::SamplesOf(int x, int y, int amount, int height) const
{
    TSamples s;
    s.U = y - amount < 0 ? y : y - amount;
    s.D = y + amount >= height ? y : y + amount;
    s.L = x - amount < 0 ? x : x - amount;
    s.R = x + amount >= Width ? x : x + amount;
    return s;
}

void TskEffectBmp::SplitBlur(int amount)
{
    if (amount <= 0)
        return;
    InScanOrder(*this, [&](int x, int y) { AverageSamples(*this, x, y, SamplesOf(x, y, amount, Height)); });
}

void TskEffectBmp::Mosaic(int size)
{
    if (size <= 1)
        return;
    InScanOrder(*this, [&](int x, int y) { SetPixel(x, y, GetPixel(x - x % size, y - y % size)); });
}

void TskEffectBmp::Wave(int xdiv, int ydiv, int ratio)
{
    if (xdiv == 0 || ydiv == 0 || Width == 0)
        return;
    const TskEffectBmp copy = CreateCopy(*this);
    InScanOrder(*this, [&](int i, int j) {
        const auto e = std::clamp<std::int64_t>(Round(std::sin(double(j) / ydiv) * ratio + i), 0, Width - 1);
        const auto f = std::clamp<std::int64_t>(Round(std::sin(double(i) / xdiv) * ratio + j), 0, Height - 1);
        SetPixel(i, j, copy.GetPixel(int(e), int(f)));
    });
}

void TskEffectBmp::Rotate90_1(TskEffectBmp& dst) const
{
    InScanOrder(*this, [&](int x, int y) { PutInside(dst, y, Width - 1 - x, GetPixel(x, y)); });
}

void TskEffectBmp::Rotate90_2(TskEffectBmp& dst) const
{
    InScanOrder(*this, [&](int x, int y) { PutInside(dst, Height - 1 - y, x, GetPixel(x, y)); });
}

void TskEffectBmp::FlipVert(TskEffectBmp& dst) const
{
    InScanOrder(*this, [&](int x, int y) { PutInside(dst, x, Height - 1 - y, GetPixel(x, y)); });
}

void TskEffectBmp::Resize(TskEffectBmp& dst) const
{
    if (Width == 0 || Height == 0)
        return;
    const double sx = double(dst.Width - 1) / Width, sy = double(dst.Height - 1) / Height;
    const int bw = int(Round(sx)) + 1, bh = int(Round(sy)) + 1;
    InScanOrder(*this, [&](int x, int y) {
        const int left = int(Round(x * sx)), top = int(Round(y * sy));
        for (int j = top; j < top + bh; ++j)
            for (int i = left; i < left + bw; ++i)
                PutInside(dst, i, j, GetPixel(x, y));
    });
}

void TskEffectBmp::MaskBlur(const TskEffectBmp& mask, int amount)
{
    if (!MaskFits(*this, mask) || amount <= 0)
        return;
    InScanOrder(*this, [&](int x, int y) {
        if (!IsWhite(mask, x, y))
            AverageSamples(*this, x, y, SamplesOf(x, y, amount, Height));
    });
}

void TskEffectBmp::MaskAntialiasing(const TskEffectBmp& mask, int amount)
{
    if (!MaskFits(*this, mask) || amount <= 0)
        return;
    InScanOrder(*this, [&](int x, int y) {
        if (IsWhite(mask, x, y))
            return;
        const TSamples m = SamplesOf(x, y, amount, mask.Height);
        if (IsWhite(mask, m.L, m.U) || IsWhite(mask, m.L, m.D) || IsWhite(mask, m.R, m.U) || IsWhite(mask, m.R, m.D))
            AverageSamples(*this, x, y, SamplesOf(x, y, amount, Height));
    });
}

void TskEffectBmp::MaskFillColor(const TskEffectBmp& mask, TColor color, double kf)
{
    if (!MaskFits(*this, mask))
        return;
    const COLORREF rgb = ColorToRGB(color);
    const int fill[3] = {GetBValue(rgb), GetGValue(rgb), GetRValue(rgb)};
    InScanOrder(*this, [&](int x, int y) {
        if (IsWhite(mask, x, y))
            return;
        std::uint8_t* p = Line(y) + 3 * x;
        for (int c = 0; c < 3; ++c)
            p[c] = std::uint8_t(std::clamp<std::int64_t>(Round((1 - kf) * p[c] + kf * fill[c]), 0, 255));
    });
}

} // namespace tovrel
