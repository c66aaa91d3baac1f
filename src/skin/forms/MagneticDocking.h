#pragma once
// Magnetic docking, one axis at a time: a form dragged within the magnet
// size of an edge of its area, or of another form beside it, sticks to that
// edge until the cursor has moved more than the magnet size from where it
// caught.
#include <span>

namespace tovrel {

struct TskMagnetAxis {
    bool Near = false;  // stuck to the low edge (left or top)
    bool Far = false;   // stuck to the high edge (right or bottom)
    bool Other = false; // stuck to another form's edge
    int OtherEdge = 0;
    bool OtherFarSide = false;
    int MouseDownCoord = 0;

    void Release() { Near = Far = Other = false; }
};

// An edge of another form: the form's low side docks to another's high edge
// (FarSide false), its high side to another's low edge (FarSide true).
struct TskMagnetEdge {
    int Edge = 0;
    bool FarSide = false;
};

// The position for a form at Pos of extent Size within [Lo, Hi) along one
// axis, the cursor at Cursor on that axis, magnet size S.
int MagneticPosition(TskMagnetAxis& Axis, int Pos, int Size, int Lo, int Hi, int Cursor, int S);
// Then the nearest edge of another form within reach (or the one held);
// nothing while an edge of the area holds the form on this axis.
int MagneticToEdges(TskMagnetAxis& Axis, int Pos, int Size, std::span<const TskMagnetEdge> Edges, int Cursor, int S);

} // namespace tovrel
