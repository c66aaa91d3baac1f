#include "platform/wm/Caret.h"

#include "platform/gdi/Drawing.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Paint.h"
#include "platform/wm/Timers.h"
#include "platform/wm/Window.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/WmInternal.h"

namespace tovrel {

namespace {

struct TCaret {
    HWND Owner = nullptr;
    TSize Size;
    TPoint Pos;
    int HideCount = 1;
    bool Drawn = false;  // its rectangle is inverted on the window now
    bool BlinkOn = true; // the phase of the blink
    ULONG_PTR Timer = 0;
};
TCaret caret;

void Invert()
{
    HDC dc = GetDC(caret.Owner);
    RECT r = Bounds(caret.Pos.X, caret.Pos.Y, caret.Size.cx, caret.Size.cy);
    InvertRect(dc, &r);
    ReleaseDC(caret.Owner, dc);
    caret.Drawn = !caret.Drawn;
}

bool ShouldShow()
{
    return caret.Owner && caret.HideCount == 0 && caret.BlinkOn;
}

void Refresh()
{
    if (caret.Owner && caret.Drawn != ShouldShow())
        Invert();
}

void Blink(HWND, UINT, ULONG_PTR, DWORD)
{
    caret.BlinkOn = !caret.BlinkOn;
    Refresh();
}

void PlaceInputMethod()
{
    POINT p = caret.Pos;
    if (caret.Owner && ClientToScreen(caret.Owner, &p))
        Backend().SetTextInputRect(Bounds(p.X, p.Y, caret.Size.cx, caret.Size.cy));
}

} // namespace

void CaretBeforePaint(HWND hwnd)
{
    if (caret.Owner == hwnd && caret.Drawn)
        Invert();
}

void CaretAfterPaint(HWND hwnd)
{
    if (caret.Owner == hwnd)
        Refresh();
}

void ForgetCaretOf(HWND hwnd)
{
    if (caret.Owner == hwnd) {
        caret.Drawn = false; // the window is going: nothing to restore
        DestroyCaret();
    }
}

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height)
{
    if (!IsWindow(hwnd))
        return 0;
    DestroyCaret();
    caret.Owner = hwnd;
    caret.Size = {width > 0 ? width : GetSystemMetrics(SM_CXBORDER),
                  height > 0 ? height : GetSystemMetrics(SM_CYBORDER)};
    caret.Pos = {0, 0};
    caret.HideCount = 1;
    caret.BlinkOn = true;
    caret.Timer = SetTimer(nullptr, 0, GetCaretBlinkTime(), Blink);
    PlaceInputMethod();
    return 1;
}

BOOL DestroyCaret()
{
    if (!caret.Owner)
        return 0;
    if (caret.Drawn && IsWindow(caret.Owner))
        Invert();
    KillTimer(nullptr, caret.Timer);
    caret = TCaret{};
    return 1;
}

BOOL ShowCaret(HWND hwnd)
{
    if (!caret.Owner || (hwnd && hwnd != caret.Owner) || caret.HideCount == 0)
        return 0;
    --caret.HideCount;
    caret.BlinkOn = true;
    Refresh();
    return 1;
}

BOOL HideCaret(HWND hwnd)
{
    if (!caret.Owner || (hwnd && hwnd != caret.Owner))
        return 0;
    ++caret.HideCount;
    Refresh();
    return 1;
}

BOOL SetCaretPos(int x, int y)
{
    if (!caret.Owner)
        return 0;
    if (caret.Drawn)
        Invert();
    caret.Pos = {x, y};
    caret.BlinkOn = true; // a moved caret shows at once
    Refresh();
    PlaceInputMethod();
    return 1;
}

BOOL GetCaretPos(POINT* p)
{
    if (!p || !caret.Owner)
        return 0;
    *p = caret.Pos;
    return 1;
}

UINT GetCaretBlinkTime()
{
    return 530;
}

} // namespace tovrel
