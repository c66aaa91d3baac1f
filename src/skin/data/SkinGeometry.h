#pragma once
// Rectangle, point and system-version tests that skin entries and skinned
// controls rely on; their edge behaviour is part of the skin format's meaning
// (a rectangle of width 0 is an absent part, a point with one coordinate 0 an
// absent point).
#include "platform/rtl/Types.h"

namespace tovrel {

inline int GetRectWidth(const TRect& R)
{
    return R.Right - R.Left;
}
inline int GetRectHeight(const TRect& R)
{
    return R.Bottom - R.Top;
}
inline TRect NullRect()
{
    return TRect{};
}
inline bool IsNullRect(const TRect& R)
{
    return GetRectWidth(R) <= 0 || GetRectHeight(R) <= 0;
}
// R, or Fallback when R has no area (a state image the skin left out).
inline TRect RectOr(const TRect& R, const TRect& Fallback)
{
    return IsNullRect(R) ? Fallback : R;
}
inline bool IsNullPoint(const TPoint& P)
{
    return P.X == 0 || P.Y == 0;
}
inline bool RectsEqual(const TRect& R1, const TRect& R2)
{
    return R1 == R2;
}

// Right and bottom edges count as inside, unlike PtInRect.
bool RectContainsPoint(const TRect& R, const TPoint& P);
// R1's corners both lie in R2 by the platform's PtInRect (TRect::Contains), so R1's right and bottom edges must
// lie strictly inside R2.
bool RectInRect(const TRect& R1, const TRect& R2);
// R1's top or bottom edge lies in R2's vertical range; R1's horizontal position
// plays no part.
bool RectPartlyInRect(const TRect& R1, const TRect& R2);

// The four corner blocks of a picture cut for nine-slice growth.
struct TCornerBlocks {
    TRect LT, RT, LB, RB;
};
// Where a part of such a picture lands when it grows by (dw, dh): a part
// inside one corner block moves with it, a part spanning two blocks stretches
// between them, anything else stays. Whether a span's far corner on a block's
// right or bottom edge counts as inside differs between the frame
// (`spanEdgesInside` false) and the controls (true).
TRect MapRectOverCorners(const TRect& R, const TCornerBlocks& blocks, int dw, int dh, bool spanEdgesInside);

// The operating system's version as the platform reports it (see PlatformEntries.h).
void GetWindowsVersion(int& Major, int& Minor);
bool IsWindowsVistaOrLater();
bool IsWindowsXPOrLater();
bool IsWindows2000OrLater();

} // namespace tovrel
