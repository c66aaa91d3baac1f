#include "platform/gdi/Regions.h"

#include <algorithm>
#include <cstring>

namespace tovrel {

namespace {

// Shapes are built only inside this range of rows, so absurd sizes stay cheap.
const TRect kShapeRows{-(1 << 16), -(1 << 16), 1 << 16, 1 << 16};

TRect Normalized(int left, int top, int right, int bottom)
{
    return TRect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

std::shared_ptr<TGdiRegion> Find(HRGN rgn)
{
    return FindGdiObjectAs<TGdiRegion>(ToGdiObj(rgn));
}

} // namespace

int RegionKind(const TRegion& region)
{
    return region.IsEmpty() ? NULLREGION : region.IsRect() ? SIMPLEREGION : COMPLEXREGION;
}

HRGN CreateRegionHandle(TRegion region)
{
    return HandleCast<HRGN>(RegisterGdiObject(std::make_shared<TGdiRegion>(std::move(region))));
}

std::optional<TRegion> RegionOf(HRGN rgn)
{
    auto found = Find(rgn);
    if (!found)
        return std::nullopt;
    return found->Region;
}

HRGN CreateRectRgn(int left, int top, int right, int bottom)
{
    return CreateRegionHandle(TRegion(Normalized(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* r)
{
    return r ? CreateRectRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}

HRGN CreateEllipticRgn(int left, int top, int right, int bottom)
{
    return CreateRegionHandle(TRegion::Ellipse(TRect{left, top, right, bottom}, kShapeRows));
}

HRGN CreateEllipticRgnIndirect(const RECT* r)
{
    return r ? CreateEllipticRgn(r->Left, r->Top, r->Right, r->Bottom) : nullptr;
}

HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    return CreateRegionHandle(
        TRegion::RoundRect(TRect{left, top, right, bottom}, cornerWidth, cornerHeight, kShapeRows));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    if (!points || count < 0 || (fillMode != ALTERNATE && fillMode != WINDING))
        return nullptr;
    return CreateRegionHandle(
        TRegion::Polygon(std::vector<TPoint>(points, points + count), fillMode == WINDING, kShapeRows));
}

HRGN ExtCreateRegion(const void* transform, DWORD size, const RGNDATA* data)
{
    if (transform || !data || size < sizeof(RGNDATAHEADER))
        return nullptr;
    const RGNDATAHEADER& h = data->rdh;
    if (h.dwSize != sizeof(RGNDATAHEADER) || h.iType != RDH_RECTANGLES ||
        std::uint64_t(h.nCount) * sizeof(RECT) > size - sizeof(RGNDATAHEADER))
        return nullptr;
    std::vector<TRect> rects(h.nCount);
    if (h.nCount > 0)
        std::memcpy(rects.data(), data->Buffer, std::size_t(h.nCount) * sizeof(RECT));
    return CreateRegionHandle(TRegion::FromRects(rects));
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode)
{
    auto target = Find(dest);
    auto a = Find(src1);
    if (!target || !a)
        return ERROR;
    if (mode == RGN_COPY) {
        target->Region = a->Region;
        return RegionKind(target->Region);
    }
    auto b = Find(src2);
    if (!b)
        return ERROR;
    TRegionOp op;
    switch (mode) {
    case RGN_AND: op = TRegionOp::And; break;
    case RGN_OR: op = TRegionOp::Or; break;
    case RGN_XOR: op = TRegionOp::Xor; break;
    case RGN_DIFF: op = TRegionOp::Diff; break;
    default: return ERROR;
    }
    target->Region = a->Region.Combined(b->Region, op);
    return RegionKind(target->Region);
}

int OffsetRgn(HRGN rgn, int dx, int dy)
{
    auto r = Find(rgn);
    if (!r)
        return ERROR;
    r->Region.Offset(dx, dy);
    return RegionKind(r->Region);
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom)
{
    auto r = Find(rgn);
    if (!r)
        return false;
    r->Region = TRegion(Normalized(left, top, right, bottom));
    return true;
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    auto r = Find(rgn);
    return r && r->Region.Contains(x, y);
}

BOOL RectInRegion(HRGN rgn, const RECT* rect)
{
    auto r = Find(rgn);
    if (!r || !rect)
        return false;
    const TRect n = Normalized(rect->Left, rect->Top, rect->Right, rect->Bottom);
    return r->Region.Intersects(n);
}

int GetRgnBox(HRGN rgn, RECT* box)
{
    auto r = Find(rgn);
    if (!r)
        return ERROR;
    if (box)
        *box = r->Region.Bounds();
    return RegionKind(r->Region);
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    auto ra = Find(a), rb = Find(b);
    return ra && rb && ra->Region == rb->Region;
}

DWORD GetRegionData(HRGN rgn, DWORD size, RGNDATA* data)
{
    auto r = Find(rgn);
    if (!r)
        return 0;
    const std::vector<TRect> rects = r->Region.Rects();
    const std::uint64_t needed = sizeof(RGNDATAHEADER) + std::uint64_t(rects.size()) * sizeof(RECT);
    if (needed > 0xFFFFFFFFu)
        return 0;
    if (data && size >= needed) {
        data->rdh = RGNDATAHEADER{};
        data->rdh.nCount = DWORD(rects.size());
        data->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
        data->rdh.rcBound = r->Region.Bounds();
        if (!rects.empty())
            std::memcpy(data->Buffer, rects.data(), rects.size() * sizeof(RECT));
    }
    return DWORD(needed);
}

} // namespace tovrel
