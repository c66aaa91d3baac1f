// Row routines of the pixel table and the plain blend.
#include "skin/draw/RowRoutines.h"

#include "skin/draw/PixelRoutines.h"

#include <cstring>

namespace tovrel {

TskColor PlainBlendPixel(TskColor f, TskColor b)
{
    const TskColor a = AlphaOf(f);
    if (a == 255)
        return f;
    if (a == 0)
        return b;
    const TskColor na = 255 - a;
    // Red and blue share one word: each product is at most 255 * 255, so the
    // two lanes never carry into each other.
    const TskColor rb = (((f & 0x00FF00FF) * a + (b & 0x00FF00FF) * na) & 0xFF00FF00) >> 8;
    const TskColor g = (((f & 0x0000FF00) * a + (b & 0x0000FF00) * na) & 0x00FF0000) >> 8;
    return 0xFF000000u | rb | g;
}

void PlainBlendLine(const TskColor* src, TskColor* dst, int count)
{
    for (int i = 0; i < count; ++i) {
        const TskColor s = src[i];
        const std::uint8_t a = AlphaOf(s);
        if (a == 0)
            continue;
        dst[i] = a == 255 ? s : PlainBlendPixel(s, dst[i]);
    }
}

void CopyLineKeyed(const TskColor* src, TskColor* dst, int count)
{
    for (int i = 0; i < count; ++i)
        if (!SameRgb(src[i], TransparentKeyColor))
            dst[i] = src[i] | 0xFF000000u;
}

void MoveLongword(const TskColor* src, TskColor* dst, int count)
{
    if (count <= 0 || src == dst)
        return;
    std::memmove(dst, src, std::size_t(count) * sizeof(TskColor));
}

void FillLongword(TskColor* dst, int count, TskColor value)
{
    for (int i = 0; i < count; ++i)
        dst[i] = value;
}

void FillRectLongword(TskColor* bits, int stride, int, TskColor value, int y2, int x2, int y1, int x1)
{
    for (int y = y1; y <= y2; ++y)
        FillLongword(bits + std::ptrdiff_t(y) * stride + x1, x2 - x1 + 1, value);
}

void SetAlphaLongword(TskColor* bits, int count, std::uint8_t alpha)
{
    const TskColor a = TskColor(alpha) << 24;
    for (int i = 0; i < count; ++i)
        bits[i] = (bits[i] & 0x00FFFFFF) | a;
}

void SetAlphaRectLongword(TskColor* bits, int stride, int, std::uint8_t alpha, int y2, int x2, int y1, int x1)
{
    for (int y = y1; y <= y2; ++y)
        SetAlphaLongword(bits + std::ptrdiff_t(y) * stride + x1, x2 - x1 + 1, alpha);
}

} // namespace tovrel
