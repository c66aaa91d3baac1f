#pragma once
// A left-button drag through synthetic input: press, two moves, release.
#include "../../platform/vcl/ControlTestSupport.h"
#include "platform/wm/Input.h"

namespace tovrel::test {

inline void DragPointer(TFakeClock& clock, TPoint from, int dx, int dy)
{
    clock.Advance(1000); // never a double click
    const TPoint to = Point(from.X + dx, from.Y + dy);
    InjectMouseButton(0, true, from);
    InjectMouseMove(Point(from.X + dx / 2, from.Y + dy / 2));
    InjectMouseMove(to);
    InjectMouseButton(0, false, to);
    Application->ProcessMessages();
}

} // namespace tovrel::test
