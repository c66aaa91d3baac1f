#include "platform/gdi/Blits.h"

#include "platform/gdi/BlitEngine.h"
#include "platform/gdi/DcAccess.h"
#include "platform/gdi/Painter.h"
#include "platform/gdi/RasterOp.h"

#include <cstdlib>

namespace tovrel {

namespace {

TBlitArea SurfaceArea(const TDeviceContext& dc, int x, int y, int width, int height)
{
    const TPoint p = dc.LogicalToSurface(TPoint{x, y});
    return {p.X, p.Y, width, height};
}

// The pixel operation of a raster operation; null for a plain copy.
TPixelOp RopOp(TDeviceContext& dst, BYTE code)
{
    if (code == kRopSrcCopy)
        return nullptr;
    if (!RopUsesPattern(code))
        return [code](TPixel s, TPixel d, int, int) { return ApplyRop(code, 0, s, d); };
    const TFill fill = dst.Brush().IsNull() ? TFill{} : BrushFill(dst, dst.Brush(), dst.BrushColor());
    return [code, fill](TPixel s, TPixel d, int x, int y) { return ApplyRop(code, fill.At(x, y), s, d); };
}

// Runs fn(destination, source) when both handles are live DCs.
template <class Fn> BOOL WithTwoDCs(HDC dst, HDC src, Fn fn)
{
    auto source = FindDeviceContext(src);
    if (!source)
        return false;
    return WithDC(dst, BOOL(false), [&](TDeviceContext& d) {
        fn(d, *source);
        return true;
    });
}

// Every byte of p times f / 255, rounded; two bytes per 32-bit step.
TPixel ScaleBytes(TPixel p, int f)
{
    auto lanes = [f](TPixel v) {
        v = (v & 0x00FF00FFu) * TPixel(f) + 0x00800080u;
        return ((v + ((v >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
    };
    return lanes(p) | (lanes(p >> 8) << 8);
}

// Bytewise sum, saturating at 255.
TPixel AddBytes(TPixel a, TPixel b)
{
    auto lanes = [](TPixel x, TPixel y) {
        TPixel sum = (x & 0x00FF00FFu) + (y & 0x00FF00FFu);
        sum |= ((sum & 0x01000100u) >> 8) * 0xFFu;
        return sum & 0x00FF00FFu;
    };
    return lanes(a, b) | (lanes(a >> 8, b >> 8) << 8);
}

} // namespace

BOOL BitBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop)
{
    const BYTE code = Rop3Code(rop);
    if (!RopUsesSource(code))
        return WithDC(dst, BOOL(false), [&](TDeviceContext& d) {
            PaintRect(d, d.LogicalToSurface(ExtentRect(x, y, width, height)),
                      d.Brush().IsNull() ? TFill{} : BrushFill(d, d.Brush(), d.BrushColor()), code);
            return true;
        });
    return StretchBlt(dst, x, y, width, height, src, srcX, srcY, width, height, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                DWORD rop)
{
    const BYTE code = Rop3Code(rop);
    return WithTwoDCs(dst, src, [&](TDeviceContext& d, TDeviceContext& s) {
        StretchPixels(d, SurfaceArea(d, x, y, width, height), s.Pixels(),
                      SurfaceArea(s, srcX, srcY, srcWidth, srcHeight), RopOp(d, code));
    });
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                BLENDFUNCTION blend)
{
    if (blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    auto source = FindDeviceContext(src);
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    if (!source || (perPixel && source->Pixels().BytesPerPixel != 4))
        return false;
    const int k = blend.SourceConstantAlpha;
    return WithTwoDCs(dst, src, [&](TDeviceContext& d, TDeviceContext& s) {
        const TBlitArea to = SurfaceArea(d, x, y, width, height),
                        from = SurfaceArea(s, srcX, srcY, srcWidth, srcHeight);
        if (perPixel)
            StretchPixelsWith(d, to, s.Pixels(), from, [k](TPixel sp, TPixel dp, int, int) {
                const TPixel scaled = k == 255 ? sp : ScaleBytes(sp, k);
                return AddBytes(scaled, ScaleBytes(dp, 255 - int(scaled >> 24)));
            });
        else
            StretchPixelsWith(d, to, s.Pixels(), from, [k](TPixel sp, TPixel dp, int, int) {
                return AddBytes(ScaleBytes(sp, k), ScaleBytes(dp, 255 - k));
            });
    });
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT colourKey)
{
    if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    const TPixel key = PixelFromColor(colourKey);
    return WithTwoDCs(dst, src, [&](TDeviceContext& d, TDeviceContext& s) {
        StretchPixelsWith(d, SurfaceArea(d, x, y, width, height), s.Pixels(),
                          SurfaceArea(s, srcX, srcY, srcWidth, srcHeight),
                          [key](TPixel sp, TPixel dp, int, int) { return (sp & 0x00FFFFFF) == key ? dp : sp; });
    });
}

int StretchDIBits(HDC dst, int x, int y, int width, int height, int srcX, int srcY, int srcWidth, int srcHeight,
                  const void* bits, const BITMAPINFO* bmi, UINT usage, DWORD rop)
{
    const TPixelView view = ClientBitsView(bits, bmi);
    if (view.Empty() || usage != DIB_RGB_COLORS)
        return 0;
    const BYTE code = Rop3Code(rop);
    return WithDC(dst, 0, [&](TDeviceContext& d) {
        StretchPixels(d, SurfaceArea(d, x, y, width, height), view, {srcX, srcY, srcWidth, srcHeight}, RopOp(d, code));
        return std::abs(srcHeight);
    });
}

int SetDIBitsToDevice(HDC dst, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan, UINT lines,
                      const void* bits, const BITMAPINFO* bmi, UINT)
{
    const TPixelView view = ClientBitsView(bits, bmi);
    if (view.Empty() || startScan != 0 || lines < UINT(view.Height) || width > (1u << 30) || height > (1u << 30))
        return 0;
    return WithDC(dst, 0, [&](TDeviceContext& d) {
        StretchPixels(d, SurfaceArea(d, x, y, int(width), int(height)), view, {srcX, srcY, int(width), int(height)},
                      nullptr);
        return int(lines);
    });
}

} // namespace tovrel
