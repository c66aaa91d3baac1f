#pragma once
// Shared by the line and shape calls.
#include "platform/gdi/DeviceContext.h"

namespace tovrel {

BYTE PenRop(const TDeviceContext& dc); // the mix mode as a raster operation
// Draws the segments between consecutive points (and back to the first when closed).
void StrokePath(TDeviceContext& dc, const POINT* points, int count, bool closed);

} // namespace tovrel
