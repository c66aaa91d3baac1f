#include "platform/ctrls/ArrowGlyph.h"

#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"

namespace tovrel {

void DrawArrowGlyph(HDC dc, const RECT& r, TArrowDirection direction, bool enabled)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    POINT arrow[3];
    switch (direction) {
    case TArrowDirection::Up: arrow[0] = {cx - 3, cy + 1}, arrow[1] = {cx + 3, cy + 1}, arrow[2] = {cx, cy - 2}; break;
    case TArrowDirection::Down:
        arrow[0] = {cx - 3, cy - 1}, arrow[1] = {cx + 3, cy - 1}, arrow[2] = {cx, cy + 2};
        break;
    case TArrowDirection::Left:
        arrow[0] = {cx + 1, cy - 3}, arrow[1] = {cx + 1, cy + 3}, arrow[2] = {cx - 2, cy};
        break;
    case TArrowDirection::Right:
        arrow[0] = {cx - 1, cy - 3}, arrow[1] = {cx - 1, cy + 3}, arrow[2] = {cx + 2, cy};
        break;
    }
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

} // namespace tovrel
