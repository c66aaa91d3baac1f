#include "skin/forms/MagneticDocking.h"

#include <cstdlib>

namespace tovrel {

namespace {

// Edge at Edge for the form's side at Side = Pos + Offset: catches, holds or lets go.
int Stick(bool& Stuck, int& MouseDownCoord, int Pos, int Offset, int Edge, int Cursor, int S)
{
    const int side = Pos + Offset;
    const bool near = Edge - S < side && side < Edge + S;
    if (near && !Stuck) {
        Pos = Edge - Offset;
        MouseDownCoord = Cursor;
    } else if (Stuck) {
        Pos = std::abs(Cursor - MouseDownCoord) > S ? Cursor + Edge - Offset - MouseDownCoord : Edge - Offset;
    }
    Stuck = near;
    return Pos;
}

} // namespace

int MagneticPosition(TskMagnetAxis& Axis, int Pos, int Size, int Lo, int Hi, int Cursor, int S)
{
    Pos = Stick(Axis.Near, Axis.MouseDownCoord, Pos, 0, Lo, Cursor, S);
    return Stick(Axis.Far, Axis.MouseDownCoord, Pos, Size, Hi, Cursor, S);
}

int MagneticToEdges(TskMagnetAxis& Axis, int Pos, int Size, std::span<const TskMagnetEdge> Edges, int Cursor, int S)
{
    if (Axis.Near || Axis.Far) {
        Axis.Other = false;
        return Pos;
    }
    const TskMagnetEdge* nearest = nullptr;
    int distance = S;
    for (const TskMagnetEdge& e : Edges) {
        const int d = std::abs(Pos + (e.FarSide ? Size : 0) - e.Edge);
        if (d < distance) {
            nearest = &e;
            distance = d;
        }
    }
    if (nearest) {
        // Another edge catches afresh.
        if (nearest->Edge != Axis.OtherEdge || nearest->FarSide != Axis.OtherFarSide)
            Axis.Other = false;
        Axis.OtherEdge = nearest->Edge;
        Axis.OtherFarSide = nearest->FarSide;
    } else if (!Axis.Other) {
        return Pos;
    }
    return Stick(Axis.Other, Axis.MouseDownCoord, Pos, Axis.OtherFarSide ? Size : 0, Axis.OtherEdge, Cursor, S);
}

} // namespace tovrel
