// Morph transitions between two TskEffectBmp images of the same size.
#include "platform/rtl/Numbers.h"
#include "skin/data/SkinTypes.h"
#include "skin/draw/EffectBmp.h"

#include <algorithm>

namespace tovrel {

namespace {

std::uint8_t Mix(double wa, int a, double wb, int b)
{
    return std::uint8_t(std::clamp<std::int64_t>(Round(wa * a + wb * b), 0, 255));
}

// A(x) := Round(t * a + (1 - t) * b) per channel.
void BlendPixel(std::uint8_t* a, const std::uint8_t* b, double t)
{
    for (int c = 0; c < 3; ++c)
        a[c] = Mix(t, a[c], 1 - t, b[c]);
}

void MorphPixel(std::uint8_t* a, const std::uint8_t* b, double kf)
{
    for (int c = 0; c < 3; ++c)
        a[c] = Mix(1 - kf, a[c], kf, b[c]);
}

void CopyPixel(std::uint8_t* a, const std::uint8_t* b)
{
    std::copy_n(b, 3, a);
}

bool SameSize(const TskEffectBmp& a, const TskEffectBmp& b)
{
    return a.Width == b.Width && a.Height == b.Height && a.Width > 0 && a.Height > 0;
}

int Clamp(std::int64_t v, int low, int high)
{
    return int(std::clamp<std::int64_t>(v, low, high));
}

// Walks positions from `from` by `direction` to `to` (inclusive) with a weight
// starting at 0 and growing by step up to 1.
template <class Fn> void GradientWalk(int from, int to, int direction, double step, Fn blend)
{
    double t = 0;
    for (int i = from; direction > 0 ? i <= to : i >= to; i += direction) {
        blend(i, t);
        t = std::min(t + step, 1.0);
    }
}

} // namespace

void TskEffectBmp::Morph(const TskEffectBmp& bmp, double kf)
{
    if (!SameSize(*this, bmp))
        return;
    kf = std::clamp(kf, 0.0, 1.0);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            MorphPixel(Line(y) + 3 * x, bmp.Line(y) + 3 * x, kf);
}

void TskEffectBmp::MorphRect(const TskEffectBmp& bmp, double kf, TRect rct, int startX, int startY)
{
    kf = std::clamp(kf, 0.0, 1.0);
    for (int y = std::max(rct.Top, 0); y < std::min(rct.Bottom, Height); ++y)
        for (int x = std::max(rct.Left, 0); x < std::min(rct.Right, Width); ++x) {
            const int bx = startX + x - rct.Left, by = startY + y - rct.Top;
            if (bx >= 0 && by >= 0 && bx < bmp.Width && by < bmp.Height)
                MorphPixel(Line(y) + 3 * x, bmp.Line(by) + 3 * bx, kf);
        }
}

void TskEffectBmp::CopyRect(const TskEffectBmp& bmp, TRect rct, int startX, int startY)
{
    rct.Right = std::min(rct.Right, Width - 1);
    rct.Bottom = std::min(rct.Bottom, Height - 1);
    for (int y = std::max(rct.Top, 0); y <= rct.Bottom; ++y)
        for (int x = std::max(rct.Left, 0); x <= rct.Right; ++x) {
            const int bx = startX + x - rct.Left, by = startY + y - rct.Top;
            if (bx >= 0 && by >= 0 && bx < bmp.Width && by < bmp.Height)
                CopyPixel(Line(y) + 3 * x, bmp.Line(by) + 3 * bx);
        }
}

void TskEffectBmp::MorphHGrad(const TskEffectBmp& bmp, double kf)
{
    if (!SameSize(*this, bmp))
        return;
    const int w = Width;
    const std::int64_t n = Round(w * kf);
    const std::int64_t g = (w - n) / 2;
    const double step = g == 0 ? 1 : 1.0 / double(g);
    const int left = Clamp(w / 2 - n / 2, 0, w - 1), right = Clamp(w / 2 + n / 2, 0, w - 1);
    for (int y = 0; y < Height; ++y) {
        std::uint8_t* a = Line(y);
        const std::uint8_t* b = bmp.Line(y);
        for (int x = left; x <= right; ++x)
            CopyPixel(a + 3 * x, b + 3 * x);
        auto blend = [&](int x, double t) { BlendPixel(a + 3 * x, b + 3 * x, t); };
        GradientWalk(left, 0, -1, step, blend);
        GradientWalk(right, w - 1, +1, step, blend);
    }
}

void TskEffectBmp::MorphVGrad(const TskEffectBmp& bmp, double kf)
{
    if (!SameSize(*this, bmp))
        return;
    const int h = Height;
    const std::int64_t n = Round(h * kf);
    const std::int64_t g = (h - 1 - n) / 2;
    const double step = g == 0 ? 0 : 1.0 / double(g);
    const int top = Clamp(h / 2 - n / 2, 0, h - 1), bottom = Clamp(h / 2 + n / 2, 0, h - 1);
    for (int y = top; y <= bottom; ++y)
        std::copy_n(bmp.Line(y), std::size_t(Width) * 3, Line(y));
    auto blend = [&](int y, double t) {
        for (int x = 0; x < Width; ++x)
            BlendPixel(Line(y) + 3 * x, bmp.Line(y) + 3 * x, t);
    };
    GradientWalk(top, 0, -1, step, blend);
    GradientWalk(bottom, h - 1, +1, step, blend);
}

void TskEffectBmp::MorphGrad(const TskEffectBmp& bmp, double kf)
{
    if (Width < Height)
        MorphVGrad(bmp, kf);
    else
        MorphHGrad(bmp, kf);
}

void TskEffectBmp::MorphLeftGrad(const TskEffectBmp& bmp, double kf)
{
    if (!SameSize(*this, bmp))
        return;
    std::int64_t n = Round(Width * kf);
    if (n <= 0)
        n = 1;
    if (n > Width - 1)
        n = Width - 1;
    const double step = n <= 0 ? 1 : 1.0 / double(n);
    for (int y = 0; y < Height; ++y)
        GradientWalk(0, int(n), +1, step,
                     [&](int x, double t) { BlendPixel(Line(y) + 3 * x, bmp.Line(y) + 3 * x, t); });
}

void TskEffectBmp::MorphRightGrad(const TskEffectBmp& bmp, double kf)
{
    if (!SameSize(*this, bmp))
        return;
    std::int64_t s = Width - Round(Width * kf);
    if (s < 0)
        s = 0;
    if (s > Width - 1)
        s = Width - 1;
    const double step = Width - s <= 0 ? 1 : 1.0 / double(Width - s);
    for (int y = 0; y < Height; ++y)
        GradientWalk(Width - 1, int(s), -1, step,
                     [&](int x, double t) { BlendPixel(Line(y) + 3 * x, bmp.Line(y) + 3 * x, t); });
}

void TskEffectBmp::MorphPush(const TskEffectBmp& bmp, double kf)
{
    if (!SameSize(*this, bmp))
        return;
    const int w = Width;
    const int n = Clamp(Round(w * kf), 0, w - 1);
    for (int y = 0; y < Height; ++y) {
        std::uint8_t* a = Line(y);
        const std::uint8_t* b = bmp.Line(y);
        for (int x = w - 1; x >= n; --x)
            CopyPixel(a + 3 * x, a + 3 * std::max(x - n - 1, 0));
        int j = std::max(w - n - 1, 0);
        for (int x = 0; x <= n; ++x) {
            CopyPixel(a + 3 * x, b + 3 * j);
            j = std::min(j + 1, w - 1);
        }
    }
}

namespace {

// The slide width: Round(W * kf) between 1 and W - 1.
int SlideWidth(int w, double kf)
{
    std::int64_t n = Round(w * kf);
    if (n <= 0)
        n = 1;
    if (n > w - 1)
        n = w - 1;
    return int(n);
}

} // namespace

void TskEffectBmp::MorphLeftSlide(const TskEffectBmp& bmp, double kf)
{
    Slide(bmp, kf, true);
}

void TskEffectBmp::MorphRightSlide(const TskEffectBmp& bmp, double kf)
{
    Slide(bmp, kf, false);
}

void TskEffectBmp::Slide(const TskEffectBmp& bmp, double kf, bool fromLeft)
{
    if (!SameSize(*this, bmp))
        return;
    const int n = SlideWidth(Width, kf);
    for (int y = 0; y < Height; ++y) {
        int j = std::max(Width - 1 - n, 0);
        for (int k = 0; k < n; ++k) {
            j = std::min(j + 1, Width - 1);
            // From the left: B's last n columns over A's first; from the right:
            // B's first n columns over A's last.
            if (fromLeft)
                CopyPixel(Line(y) + 3 * k, bmp.Line(y) + 3 * j);
            else
                CopyPixel(Line(y) + 3 * j, bmp.Line(y) + 3 * k);
        }
    }
}

void TskEffectBmp::MorphByKind(TskMorphKind kind, const TskEffectBmp& bmp, double kf)
{
    switch (kind) {
    case TskMorphKind::mkDefault: Morph(bmp, kf); break;
    case TskMorphKind::mkGradient: MorphGrad(bmp, kf); break;
    case TskMorphKind::mkLeftGradient: MorphLeftGrad(bmp, kf); break;
    case TskMorphKind::mkRightGradient: MorphRightGrad(bmp, kf); break;
    case TskMorphKind::mkLeftSlide: MorphLeftSlide(bmp, kf); break;
    case TskMorphKind::mkRightSlide: MorphRightSlide(bmp, kf); break;
    case TskMorphKind::mkPush: MorphPush(bmp, kf); break;
    }
}

} // namespace tovrel
