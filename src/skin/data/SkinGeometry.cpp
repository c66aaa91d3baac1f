#include "skin/data/SkinGeometry.h"

#include "skin/data/PlatformEntries.h"

namespace tovrel {

bool RectContainsPoint(const TRect& R, const TPoint& P)
{
    return R.Left <= P.X && P.X <= R.Right && R.Top <= P.Y && P.Y <= R.Bottom;
}

bool RectInRect(const TRect& R1, const TRect& R2)
{
    return R2.Contains(TPoint{R1.Left, R1.Top}) && R2.Contains(TPoint{R1.Right, R1.Bottom});
}

bool RectPartlyInRect(const TRect& R1, const TRect& R2)
{
    return R2.Contains(TPoint{R2.Left + 1, R1.Top}) || R2.Contains(TPoint{R2.Right - 1, R1.Bottom});
}

TRect MapRectOverCorners(const TRect& R, const TCornerBlocks& blocks, int dw, int dh, bool spanEdgesInside)
{
    const auto moved = [&R](int dx, int dy) { return TRect{R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy}; };
    if (RectInRect(R, blocks.LT))
        return R;
    if (RectInRect(R, blocks.RT))
        return moved(dw, 0);
    if (RectInRect(R, blocks.LB))
        return moved(0, dh);
    if (RectInRect(R, blocks.RB))
        return moved(dw, dh);
    const TPoint tl{R.Left, R.Top}, br{R.Right, R.Bottom};
    const auto in = [spanEdgesInside](const TRect& block, TPoint p) {
        return spanEdgesInside ? RectContainsPoint(block, p) : block.Contains(p);
    };
    TRect N = R;
    if (in(blocks.LT, tl) && in(blocks.RB, br)) {
        N.Right += dw;
        N.Bottom += dh;
    } else if (in(blocks.LT, tl) && in(blocks.RT, br)) {
        N.Right += dw;
    } else if (in(blocks.LB, tl) && in(blocks.RB, br)) {
        N = moved(0, dh);
        N.Right += dw;
    } else if (in(blocks.LT, tl) && in(blocks.LB, br)) {
        N.Bottom += dh;
    } else if (in(blocks.RT, tl) && in(blocks.RB, br)) {
        N = moved(dw, 0);
        N.Bottom += dh;
    }
    return N;
}

void GetWindowsVersion(int& Major, int& Minor)
{
    const std::uint32_t version = PlatformGetVersion();
    Major = int(version & 0xFF);
    Minor = int((version >> 8) & 0xFF);
}

bool IsWindowsVistaOrLater()
{
    int major = 0, minor = 0;
    GetWindowsVersion(major, minor);
    return major >= 6;
}

bool IsWindowsXPOrLater()
{
    int major = 0, minor = 0;
    GetWindowsVersion(major, minor);
    return major > 5 || (major == 5 && minor == 1);
}

bool IsWindows2000OrLater()
{
    int major = 0, minor = 0;
    GetWindowsVersion(major, minor);
    return major > 5 || (major == 5 && minor >= 0 && minor <= 2);
}

} // namespace tovrel
