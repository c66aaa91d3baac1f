#pragma once
// Painting areas of a device context in surface coordinates: with a solid
// colour or a tiled pattern, through a raster operation, inside the clip.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/RasterOp.h"

#include <vector>

namespace tovrel {

struct TFill {
    TPixel Solid = 0;
    const TSurface* Pattern = nullptr; // tiled; row 0 of the tile lies at PatternOrigin
    TPoint PatternOrigin;

    static TFill Colour(COLORREF c) { return TFill{PixelFromColor(c), nullptr, {}}; }
    TPixel At(int x, int y) const;
};

// The fill of a brush in a DC: patterns tile from the DC's brush origin.
TFill BrushFill(const TDeviceContext& dc, const TGdiBrush& brush, COLORREF solid);

void PaintRect(TDeviceContext& dc, const TRect& area, const TFill& fill, BYTE rop);
void PaintRegion(TDeviceContext& dc, const TRegion& area, const TFill& fill, BYTE rop);

// The pixels a pen of the given width covers along a line from a to b, end
// pixel excluded; width 1 gives the thin line, wider pens a square brush.
// Pixels far outside `limit` may be left out.
void AddLinePixels(TPoint a, TPoint b, int width, const TRect& limit, std::vector<TRect>& out);

} // namespace tovrel
