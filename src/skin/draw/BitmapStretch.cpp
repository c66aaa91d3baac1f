// Copies and nearest-neighbour scaling between skin bitmaps and into sections.
#include "skin/draw/BitmapStretch.h"

#include "platform/rtl/Numbers.h"
#include "skin/draw/PixelRoutines.h"

#include <algorithm>
#include <vector>

namespace tovrel {

TRect IntersectRects(const TRect& a, const TRect& b)
{
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right), std::min(a.Bottom, b.Bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

namespace {

void RunRow(TskRowOp op, const TskColor* src, TskColor* dst, int count)
{
    const TskPixelRoutines& t = PixelRoutines();
    switch (op) {
    case TskRowOp::Copy: t.MoveLongword(src, dst, count); break;
    case TskRowOp::Alpha: t.BlendLine(src, dst, count); break;
    case TskRowOp::Keyed: t.CopyLineKeyed(src, dst, count); break;
    }
}

// Source index for destination index i of a span of d pixels over s source
// pixels starting at start; the factor is a 32-bit float on purpose, as it
// decides which pixels are sampled.
int SampleIndex(int i, int s, int d, int start, bool rounded)
{
    if (d <= 1)
        return (start + start + s - 1) / 2;
    const float factor = float(s - 1) / float(d - 1);
    const double at = double(i) * double(factor) + start;
    const auto v = rounded ? Round(at) : Trunc(at);
    return int(std::clamp<std::int64_t>(v, start, start + s - 1));
}

template <class RowOf>
void StretchInto(TskRowOp op, RowOf rowOf, TRect bound, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src,
                 bool rounded)
{
    if (srcRect.IsEmpty())
        return;
    const TRect clip = IntersectRects(IntersectRects(dstClip, bound), dstRect);
    if (clip.IsEmpty())
        return;
    if (srcRect.Left < 0 || srcRect.Top < 0 || srcRect.Right > src.Width() || srcRect.Bottom > src.Height())
        return;
    AssertPixels(src.Bits());
    const int sw = srcRect.Width(), sh = srcRect.Height();
    const int dw = dstRect.Width(), dh = dstRect.Height();
    const int cw = clip.Width(), ch = clip.Height();
    if (sw == dw && sh == dh) {
        const int sx = srcRect.Left + clip.Left - dstRect.Left;
        const int sy = srcRect.Top + clip.Top - dstRect.Top;
        for (int k = 0; k < ch; ++k)
            RunRow(op, src.Row(sy + k) + sx, rowOf(clip.Top + k) + clip.Left, cw);
        return;
    }
    std::vector<int> columns(std::size_t(cw), 0);
    for (int i = 0; i < cw; ++i)
        columns[std::size_t(i)] = SampleIndex(i + clip.Left - dstRect.Left, sw, dw, srcRect.Left, rounded);
    std::vector<TskColor> buffer(std::size_t(cw), 0);
    int previous = -1;
    for (int j = 0; j < ch; ++j) {
        const int sy = SampleIndex(j + clip.Top - dstRect.Top, sh, dh, srcRect.Top, rounded);
        TskColor* dst = rowOf(clip.Top + j) + clip.Left;
        if (sy != previous) {
            const TskColor* srow = src.Row(sy);
            for (int i = 0; i < cw; ++i)
                buffer[std::size_t(i)] = srow[columns[std::size_t(i)]];
        }
        if (op == TskRowOp::Copy && sy == previous)
            PixelRoutines().MoveLongword(rowOf(clip.Top + j - 1) + clip.Left, dst, cw);
        else
            RunRow(op, buffer.data(), dst, cw);
        previous = sy;
    }
    EndMMX();
}

} // namespace

void BltRows(TskRowOp op, TskBitmap& dst, TRect dstRect, TskBitmap& src, int srcX, int srcY)
{
    AssertPixels(dst.Bits());
    AssertPixels(src.Bits());
    for (int k = 0; k < dstRect.Height(); ++k)
        RunRow(op, src.Row(srcY + k) + srcX, dst.Row(dstRect.Top + k) + dstRect.Left, dstRect.Width());
    EndMMX();
}

void StretchRows(TskRowOp op, TskBitmap& dst, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap& src)
{
    if (dst.Empty())
        return;
    StretchInto(
        op, [&](int y) { return dst.Row(y); }, Rect(0, 0, dst.Width(), dst.Height()), dstRect, dstClip, srcRect, src,
        false);
}

void StretchRowsToDIB(TskRowOp op, void* bits, TRect dstRect, TRect dstClip, TRect srcRect, TskBitmap* src,
                      int dibHeight, int dibWidth)
{
    AssertPixels(bits);
    AssertPixels(src);
    auto* pixels = static_cast<TskColor*>(bits);
    StretchInto(
        op, [&](int y) { return pixels + std::ptrdiff_t(dibHeight - 1 - y) * dibWidth; },
        Rect(0, 0, dibWidth, dibHeight), dstRect, dstClip, srcRect, *src, true);
}

} // namespace tovrel
