// Focus frame and default glyphs drawn with pens and rectangles.
#include "skin/draw/DefaultGlyphs.h"

#include "platform/gdi/Gdi.h"

#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

namespace tovrel {

namespace {

// Selects a solid pen (and a solid or no brush) of one colour for its lifetime.
class TPenScope {
public:
    TPenScope(HDC dc, COLORREF color, bool filled) : dc_(dc)
    {
        pen_ = CreatePen(PS_SOLID, 1, color);
        brush_ = filled ? CreateSolidBrush(color) : nullptr;
        oldPen_ = SelectObject(dc, ToGdiObj(pen_));
        oldBrush_ = SelectObject(dc, filled ? ToGdiObj(brush_) : GetStockObject(NULL_BRUSH));
    }
    ~TPenScope()
    {
        SelectObject(dc_, oldPen_);
        SelectObject(dc_, oldBrush_);
        DeleteObject(ToGdiObj(pen_));
        if (brush_ != nullptr)
            DeleteObject(ToGdiObj(brush_));
    }
    TPenScope(const TPenScope&) = delete;
    TPenScope& operator=(const TPenScope&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_, oldBrush_;
};

void Polyline(HDC dc, std::initializer_list<TPoint> points)
{
    auto p = points.begin();
    MoveToEx(dc, p->X, p->Y, nullptr);
    for (++p; p != points.end(); ++p)
        LineTo(dc, p->X, p->Y);
}

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    Polyline(dc, {{x1, y1}, {x2, y2}});
}

// Rows of an arrow: for i = 0..count-1, a line across the axis of 2i + 1
// pixels at distance tip - i from the centre along it.
void ArrowRows(HDC dc, const RECT& r, int count, int dx, int dy)
{
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    for (int i = 0; i < count; ++i) {
        const int along = 2 - i;
        if (dx != 0)
            Line(dc, cx + dx * along, cy - i, cx + dx * along, cy + i + 1);
        else
            Line(dc, cx - i, cy + dy * along, cx + i + 1, cy + dy * along);
    }
}

} // namespace

void DrawSkinFocusRect(HDC dc, const RECT& r)
{
    if (r.IsEmpty())
        return;
    std::vector<TPoint> walk;
    std::set<std::pair<int, int>> decided;
    auto visit = [&](int x, int y) {
        if (decided.insert({x, y}).second)
            walk.push_back({x, y});
    };
    for (int x = r.Left; x < r.Right; ++x)
        visit(x, r.Top);
    for (int y = r.Top; y < r.Bottom; ++y)
        visit(r.Right - 1, y);
    for (int x = r.Right - 1; x >= r.Left; --x)
        visit(x, r.Bottom - 1);
    for (int y = r.Bottom - 1; y >= r.Top; --y)
        visit(r.Left, y);
    const bool bothOdd = r.Width() % 2 != 0 && r.Height() % 2 != 0;
    const COLORREF color = GetTextColor(dc);
    for (std::size_t i = bothOdd ? 1 : 0; i < walk.size(); i += 2)
        SetPixelV(dc, walk[i].X, walk[i].Y, color);
}

void DrawArrowImage(HDC dc, const RECT& r, COLORREF color, int kind)
{
    const TPenScope pen(dc, color, false);
    switch (kind) {
    case 1: ArrowRows(dc, r, 4, -1, 0); break;
    case 2: ArrowRows(dc, r, 4, 1, 0); break;
    case 3: ArrowRows(dc, r, 4, 0, -1); break;
    case 4: ArrowRows(dc, r, 4, 0, 1); break;
    default: break;
    }
}

void DrawDropDownArrow(HDC dc, const RECT& r, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    ArrowRows(dc, r, 3, 0, 1);
}

void DrawRadioImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, true);
    Rectangle(dc, x, y, x + 6, y + 6);
}

void DrawCheckImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    for (int i = 0; i < 3; ++i)
        Polyline(dc, {{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}});
}

void DrawCloseImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    Line(dc, x + 1, y + 1, x + 9, y + 9);
    Line(dc, x + 9, y + 1, x + 1, y + 9);
    Line(dc, x + 2, y + 1, x + 10, y + 9);
    Line(dc, x + 8, y + 1, x, y + 9);
}

void DrawSysMenuImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    Rectangle(dc, x + 1, y + 3, x + 9, y + 6);
}

void DrawMinimizeImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    Line(dc, x + 1, y + 8, x + 9, y + 8);
    Line(dc, x + 1, y + 9, x + 9, y + 9);
}

void DrawMaximizeImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    Rectangle(dc, x, y, x + 11, y + 10);
    Rectangle(dc, x, y, x + 11, y + 2);
}

void DrawRestoreImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    Rectangle(dc, x + 2, y, x + 10, y + 6);
    Rectangle(dc, x + 2, y, x + 10, y + 2);
    Rectangle(dc, x, y + 4, x + 7, y + 10);
    Rectangle(dc, x, y + 4, x + 7, y + 6);
}

void DrawRollUpImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    for (int i = 0; i < 4; ++i)
        Line(dc, x + 4 - i, y + 3 + i, x + 6 + i, y + 3 + i);
}

void DrawRollDownImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, false);
    for (int i = 0; i < 4; ++i)
        Line(dc, x + 1 + i, y + 2 + i, x + 9 - i, y + 2 + i);
}

void DrawTrayImage(HDC dc, int x, int y, COLORREF color)
{
    const TPenScope pen(dc, color, true);
    Rectangle(dc, x + 2, y + 2, x + 7, y + 7);
}

} // namespace tovrel
