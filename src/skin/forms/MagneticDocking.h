#pragma once
// Magnetic docking, one axis at a time: a form dragged within the magnet
// size of an edge of its area sticks to that edge until the cursor has moved
// more than the magnet size from where it caught.

namespace tovrel {

struct TskMagnetAxis {
    bool Near = false; // stuck to the low edge (left or top)
    bool Far = false;  // stuck to the high edge (right or bottom)
    int MouseDownCoord = 0;
};

// The position for a form at Pos of extent Size within [Lo, Hi) along one
// axis, the cursor at Cursor on that axis, magnet size S.
int MagneticPosition(TskMagnetAxis& Axis, int Pos, int Size, int Lo, int Hi, int Cursor, int S);

} // namespace tovrel
