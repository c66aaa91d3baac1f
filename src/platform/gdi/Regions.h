#pragma once
// Region handles over TRegion. Results: NULLREGION, SIMPLEREGION (one
// rectangle), COMPLEXREGION, or ERROR for unknown handles.
#include "platform/gdi/GdiObject.h"

#include <optional>
#include <vector>

namespace tovrel {

int RegionKind(const TRegion& region); // NULLREGION, SIMPLEREGION or COMPLEXREGION

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* r);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* r);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode);
// size is the byte size of data (header plus rectangles); a count beyond it, a
// wrong header size or type fails with null. The transform must be null.
HRGN ExtCreateRegion(const void* transform, DWORD size, const RGNDATA* data);
HRGN CreateRegionHandle(TRegion region);

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* r);
int GetRgnBox(HRGN rgn, RECT* r);
BOOL EqualRgn(HRGN a, HRGN b);
// Writes the header and rectangles (RDH_RECTANGLES) when size is large enough;
// returns the size needed (null data or a short buffer write nothing), 0 on error.
DWORD GetRegionData(HRGN rgn, DWORD size, RGNDATA* data);
// The region behind a handle, copied; nullopt for unknown handles.
std::optional<TRegion> RegionOf(HRGN rgn);

} // namespace tovrel
