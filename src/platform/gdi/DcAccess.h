#pragma once
// Runs a call on the device context behind a handle, or returns the failure
// value for unknown handles.
#include "platform/gdi/DeviceContext.h"

#include <climits>

namespace tovrel {

// The rectangle at (x, y) of the given extents, normalized; extents that would
// overflow are cut at the int range.
inline TRect ExtentRect(int x, int y, long long width, long long height)
{
    auto clamp = [](long long v) { return int(v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : v); };
    const int x2 = clamp(x + width), y2 = clamp(y + height);
    return {x < x2 ? x : x2, y < y2 ? y : y2, x < x2 ? x2 : x, y < y2 ? y2 : y};
}

template <class R, class F> R WithDC(HDC dc, R failure, F&& fn)
{
    auto context = FindDeviceContext(dc);
    return context ? R(fn(*context)) : failure;
}

} // namespace tovrel
