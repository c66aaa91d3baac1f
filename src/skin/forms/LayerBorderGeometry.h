#pragma once
// Where the four windows of a layered border go around a form, which resize
// zone a screen point is in, and the bounds a drag on a zone gives the form:
// pure functions of the skin's layer entry and the form's bounds.
#include <array>
#include <optional>

#include "platform/rtl/Types.h"

namespace tovrel {

class TskDataSkinLayerFrame;

enum class TskFormLayerBorderType : std::uint8_t { skflLeft, skflTop, skflRight, skflBottom };
enum class TskFormLayerBorderHit : std::uint8_t {
    skflhNone,
    skflhLeft,
    skflhTop,
    skflhRight,
    skflhBottom,
    skflhTopLeft,
    skflhTopRight,
    skflhBottomLeft,
    skflhBottomRight
};

struct TskLayerBorderGeometry {
    // The picture stretched so that the entry's ClRect covers the form.
    TRect Outer;
    // Top and bottom span the outer width; left and right the height between.
    int TopHeight = 0, BottomHeight = 0, SideHeight = 0;
    // Screen rectangles by TskFormLayerBorderType; an empty one has no window.
    std::array<TRect, 4> Windows;
    TRect Window(TskFormLayerBorderType Type) const { return Windows[std::size_t(Type)]; }
};

TskLayerBorderGeometry CalcLayerBorder(const TskDataSkinLayerFrame& Data, TSize Picture, TRect Form);

// How far the resize zones reach outside the form's edges (never negative).
struct TskLayerBorderZones {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
TskLayerBorderZones LayerBorderZones(const TskDataSkinLayerFrame& Data);

// The zone of screen point P over the border window of Type; corner grips
// reach 3 pixels into the form.
TskFormLayerBorderHit LayerBorderHitMode(TskFormLayerBorderType Type, TPoint P, TRect Form,
                                         const TskLayerBorderZones& Zones);

struct TskSizeLimits {
    int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
};
// The form's new bounds for a pointer move of (DX, DY) on zone Hit, the size
// held within Limits; nothing when the step changes nothing or would move
// the edges that must stay.
std::optional<TRect> LayerBorderDragBounds(TskFormLayerBorderHit Hit, int DX, int DY, TRect Form,
                                           const TskSizeLimits& Limits);

} // namespace tovrel
