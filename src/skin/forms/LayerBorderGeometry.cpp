#include "skin/forms/LayerBorderGeometry.h"

#include <algorithm>

#include "skin/data/SkinFixedEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

namespace {

using Hit = TskFormLayerBorderHit;

bool In(TPoint P, int L, int T, int R, int B)
{
    return TRect{L, T, R, B}.Contains(P);
}

// The zone beside the form on the left or right of a top or bottom window.
Hit SideZone(TPoint P, TRect F, const TskLayerBorderZones& Z)
{
    if (F.Left - Z.Left <= P.X && P.X < F.Left)
        return Hit::skflhLeft;
    if (F.Right < P.X && P.X <= F.Right + Z.Right)
        return Hit::skflhRight;
    return Hit::skflhNone;
}

int Limit(int Value, int Min, int Max)
{
    Value = std::max(Value, Min);
    return Max > 0 ? std::min(Value, Max) : Value;
}

} // namespace

TskLayerBorderGeometry CalcLayerBorder(const TskDataSkinLayerFrame& Data, TSize Picture, TRect Form)
{
    TskLayerBorderGeometry g;
    const TRect& cl = Data.ClRect;
    const int pw = Picture.cx, ph = Picture.cy;
    const int x = Form.Left - cl.Left, y = Form.Top - cl.Top;
    const int w = Form.Width() + pw - cl.Width(), h = Form.Height() + ph - cl.Height();
    g.Outer = {x, y, x + w, y + h};
    g.TopHeight = std::max(Data.LTPoint.Y, Data.RTPoint.Y);
    g.BottomHeight = ph - std::min(Data.LBPoint.Y, Data.RBPoint.Y);
    // The side strips repeat the picture's rows between the corners: none
    // there, no side windows.
    const bool strip = ph - g.TopHeight - g.BottomHeight > 0;
    g.SideHeight = strip ? std::max(0, h - g.TopHeight - g.BottomHeight) : 0;
    const auto set = [&g](TskFormLayerBorderType type, TRect r) {
        g.Windows[std::size_t(type)] = r.IsEmpty() ? TRect{} : r;
    };
    set(TskFormLayerBorderType::skflTop, {x, y, x + w, y + g.TopHeight});
    set(TskFormLayerBorderType::skflBottom, {x, y + h - g.BottomHeight, x + w, y + h});
    const int top = y + g.TopHeight, bottom = top + g.SideHeight, right = pw - cl.Right;
    set(TskFormLayerBorderType::skflLeft, {x, top, x + cl.Left, bottom});
    set(TskFormLayerBorderType::skflRight, {x + w - right, top, x + w, bottom});
    return g;
}

TskLayerBorderZones LayerBorderZones(const TskDataSkinLayerFrame& Data)
{
    if (IsNullRect(Data.BorderRect))
        return {};
    const TRect& cl = Data.ClRect;
    const TRect& b = Data.BorderRect;
    return {std::max(0, cl.Left - b.Left), std::max(0, cl.Top - b.Top), std::max(0, b.Right - cl.Right),
            std::max(0, b.Bottom - cl.Bottom)};
}

TskFormLayerBorderHit LayerBorderHitMode(TskFormLayerBorderType Type, TPoint P, TRect F, const TskLayerBorderZones& Z)
{
    switch (Type) {
    case TskFormLayerBorderType::skflLeft: return P.X >= F.Left - Z.Left ? Hit::skflhLeft : Hit::skflhNone;
    case TskFormLayerBorderType::skflRight: return P.X <= F.Right + Z.Right ? Hit::skflhRight : Hit::skflhNone;
    case TskFormLayerBorderType::skflTop:
        if (In(P, F.Left - Z.Left, F.Top - Z.Top, F.Left + 3, F.Top + 3))
            return Hit::skflhTopLeft;
        if (In(P, F.Left, F.Top - Z.Top, F.Right, F.Top))
            return Hit::skflhTop;
        if (In(P, F.Right - 3, F.Top - Z.Top, F.Right + Z.Right, F.Top + 3))
            return Hit::skflhTopRight;
        return P.Y > F.Top ? SideZone(P, F, Z) : Hit::skflhNone;
    case TskFormLayerBorderType::skflBottom:
        if (In(P, F.Left - Z.Left, F.Bottom - 3, F.Left + 3, F.Bottom + Z.Bottom))
            return Hit::skflhBottomLeft;
        if (In(P, F.Left, F.Bottom, F.Right, F.Bottom + Z.Bottom))
            return Hit::skflhBottom;
        if (In(P, F.Right - 3, F.Bottom - 3, F.Right + Z.Right, F.Bottom + Z.Bottom))
            return Hit::skflhBottomRight;
        return P.Y < F.Bottom ? SideZone(P, F, Z) : Hit::skflhNone;
    }
    return Hit::skflhNone;
}

std::optional<TRect> LayerBorderDragBounds(TskFormLayerBorderHit H, int DX, int DY, TRect F, const TskSizeLimits& L)
{
    const int width = F.Width(), height = F.Height();
    bool left = false, top = false, horizontal = false, vertical = false;
    switch (H) {
    case Hit::skflhNone: return std::nullopt;
    case Hit::skflhLeft: left = horizontal = true; break;
    case Hit::skflhRight: horizontal = true; break;
    case Hit::skflhTop: top = vertical = true; break;
    case Hit::skflhBottom: vertical = true; break;
    case Hit::skflhTopLeft: left = top = horizontal = vertical = true; break;
    case Hit::skflhTopRight: top = horizontal = vertical = true; break;
    case Hit::skflhBottomLeft: left = horizontal = vertical = true; break;
    case Hit::skflhBottomRight: horizontal = vertical = true; break;
    }
    const int w = horizontal ? Limit(left ? width - DX : width + DX, L.MinWidth, L.MaxWidth) : width;
    const int h = vertical ? Limit(top ? height - DY : height + DY, L.MinHeight, L.MaxHeight) : height;
    const int x = left ? F.Left + DX : F.Left, y = top ? F.Top + DY : F.Top;
    // A limit reached on a moving edge would drag the opposite edge along.
    if ((left && x + w != F.Right) || (top && y + h != F.Bottom))
        return std::nullopt;
    // A pointer that did not move changes no size.
    if (w == width && h == height)
        return std::nullopt;
    return TRect{x, y, x + w, y + h};
}

} // namespace tovrel
