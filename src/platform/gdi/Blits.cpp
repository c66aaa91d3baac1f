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

BOOL StretchFromDC(HDC dst, const TBlitArea& to, HDC src, int srcX, int srcY, int srcWidth, int srcHeight,
                   const std::function<TPixelOp(TDeviceContext&, const TPixelView&)>& makeOp)
{
    auto source = FindDeviceContext(src);
    if (!source)
        return false;
    return WithDC(dst, BOOL(false), [&](TDeviceContext& d) {
        const TPixelView view = source->Pixels();
        StretchPixels(d, SurfaceArea(d, to.X, to.Y, to.Width, to.Height), view,
                      SurfaceArea(*source, srcX, srcY, srcWidth, srcHeight), makeOp(d, view));
        return true;
    });
}

int Channel(TPixel p, int shift) { return int((p >> shift) & 0xFF); }

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

BOOL StretchBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, DWORD rop)
{
    const BYTE code = Rop3Code(rop);
    return StretchFromDC(dst, {x, y, width, height}, src, srcX, srcY, srcWidth, srcHeight,
                         [code](TDeviceContext& d, const TPixelView&) { return RopOp(d, code); });
}

BOOL AlphaBlend(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                int srcHeight, BLENDFUNCTION blend)
{
    if (blend.BlendOp != AC_SRC_OVER || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    auto source = FindDeviceContext(src);
    if (!source)
        return false;
    const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
    if (perPixel && source->Pixels().BytesPerPixel != 4)
        return false;
    const int k = blend.SourceConstantAlpha;
    return StretchFromDC(dst, {x, y, width, height}, src, srcX, srcY, srcWidth, srcHeight,
                         [&](TDeviceContext&, const TPixelView&) -> TPixelOp {
                             return [k, perPixel](TPixel s, TPixel d, int, int) {
                                 TPixel out = 0;
                                 if (perPixel) {
                                     const int sa = Channel(s, 24) * k / 255;
                                     for (int shift = 0; shift < 32; shift += 8) {
                                         const int sc = Channel(s, shift) * k / 255;
                                         const int v = sc + (Channel(d, shift) * (255 - sa) + 127) / 255;
                                         out |= TPixel(v > 255 ? 255 : v) << shift;
                                     }
                                     return out;
                                 }
                                 for (int shift = 0; shift < 32; shift += 8)
                                     out |= TPixel((Channel(s, shift) * k + Channel(d, shift) * (255 - k) + 127) / 255)
                                            << shift;
                                 return out;
                             };
                         });
}

BOOL TransparentBlt(HDC dst, int x, int y, int width, int height, HDC src, int srcX, int srcY, int srcWidth,
                    int srcHeight, UINT colourKey)
{
    if (width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    const TPixel key = PixelFromColor(colourKey);
    return StretchFromDC(dst, {x, y, width, height}, src, srcX, srcY, srcWidth, srcHeight,
                         [key](TDeviceContext&, const TPixelView&) -> TPixelOp {
                             return [key](TPixel s, TPixel d, int, int) { return (s & 0x00FFFFFF) == key ? d : s; };
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
        StretchPixels(d, SurfaceArea(d, x, y, width, height), view, {srcX, srcY, srcWidth, srcHeight},
                      RopOp(d, code));
        return std::abs(srcHeight);
    });
}

int SetDIBitsToDevice(HDC dst, int x, int y, DWORD width, DWORD height, int srcX, int srcY, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* bmi, UINT)
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
