// The device-context calls that read or set origins, colours and modes.
#include "platform/gdi/DcAccess.h"

namespace tovrel {

namespace {

template <class T, class Get, class Set> T Exchange(HDC dc, T failure, T value, Get get, Set set)
{
    return WithDC(dc, failure, [&](TDeviceContext& c) {
        const T previous = get(c);
        set(c, value);
        return previous;
    });
}

BOOL MoveOrigin(HDC dc, int x, int y, POINT* old, bool window, bool relative)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        const TPoint current = window ? c.WindowOrigin() : c.ViewportOrigin();
        if (old)
            *old = current;
        const TPoint next = relative ? TPoint{current.X + x, current.Y + y} : TPoint{x, y};
        if (window)
            c.SetWindowOrigin(next);
        else
            c.SetViewportOrigin(next);
        return true;
    });
}

BOOL ReadOrigin(HDC dc, POINT* p, bool window)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        if (p)
            *p = window ? c.WindowOrigin() : c.ViewportOrigin();
        return p != nullptr;
    });
}

} // namespace

int SaveDC(HDC dc)
{
    return WithDC(dc, 0, [](TDeviceContext& c) { return c.Save(); });
}

BOOL RestoreDC(HDC dc, int savedDC)
{
    return WithDC(dc, BOOL(false), [savedDC](TDeviceContext& c) { return c.Restore(savedDC); });
}

int GetDeviceCaps(HDC dc, int index)
{
    return WithDC(dc, 0, [index](TDeviceContext&) {
        switch (index) {
        case HORZRES: return 1920;
        case VERTRES: return 1080;
        case BITSPIXEL: return 32;
        case PLANES: return 1;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        default: return 0;
        }
    });
}

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old)
{
    return MoveOrigin(dc, x, y, old, true, false);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old)
{
    return MoveOrigin(dc, dx, dy, old, true, true);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old)
{
    return MoveOrigin(dc, x, y, old, false, false);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old)
{
    return MoveOrigin(dc, dx, dy, old, false, true);
}
BOOL GetWindowOrgEx(HDC dc, POINT* p)
{
    return ReadOrigin(dc, p, true);
}
BOOL GetViewportOrgEx(HDC dc, POINT* p)
{
    return ReadOrigin(dc, p, false);
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old)
{
    return WithDC(dc, BOOL(false), [&](TDeviceContext& c) {
        if (old)
            *old = c.Modes().BrushOrigin;
        c.Modes().BrushOrigin = {x, y};
        return true;
    });
}

#define TOVREL_DC_MODE(Type, Name, Field, Failure, Valid)                                                              \
    Type Set##Name(HDC dc, Type value)                                                                                 \
    {                                                                                                                  \
        if (!(Valid))                                                                                                  \
            return Failure;                                                                                            \
        return Exchange(                                                                                               \
            dc, Type(Failure), value, [](TDeviceContext& c) { return c.Modes().Field; },                               \
            [](TDeviceContext& c, Type v) { c.Modes().Field = v; });                                                   \
    }                                                                                                                  \
    Type Get##Name(HDC dc)                                                                                             \
    {                                                                                                                  \
        return WithDC(dc, Type(Failure), [](TDeviceContext& c) { return c.Modes().Field; });                           \
    }

TOVREL_DC_MODE(COLORREF, TextColor, TextColor, CLR_INVALID, true)
TOVREL_DC_MODE(COLORREF, BkColor, BkColor, CLR_INVALID, true)
TOVREL_DC_MODE(int, BkMode, BkMode, 0, value == TRANSPARENT || value == OPAQUE)
TOVREL_DC_MODE(int, ROP2, Rop2, 0, value >= R2_BLACK && value <= R2_WHITE)
TOVREL_DC_MODE(int, StretchBltMode, StretchMode, 0, value >= BLACKONWHITE && value <= HALFTONE)
TOVREL_DC_MODE(UINT, TextAlign, TextAlign, UINT(GDI_ERROR), true)
#undef TOVREL_DC_MODE

COLORREF SetDCBrushColor(HDC dc, COLORREF c)
{
    return Exchange(
        dc, CLR_INVALID, c, [](TDeviceContext& x) { return x.Modes().DcBrushColor; },
        [](TDeviceContext& x, COLORREF v) { x.Modes().DcBrushColor = v; });
}

COLORREF SetDCPenColor(HDC dc, COLORREF c)
{
    return Exchange(
        dc, CLR_INVALID, c, [](TDeviceContext& x) { return x.Modes().DcPenColor; },
        [](TDeviceContext& x, COLORREF v) { x.Modes().DcPenColor = v; });
}

} // namespace tovrel
