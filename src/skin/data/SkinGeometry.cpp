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
