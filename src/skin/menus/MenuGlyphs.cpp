#include "skin/menus/MenuGlyphs.h"

#include "platform/vcl/GraphicsObjects.h"

namespace tovrel {

void DrawMenuCheckImage(TCanvas& canvas, int x, int y, TColor color)
{
    canvas.Pen()->SetColor(color);
    for (int i = 0; i < 3; ++i) {
        const TPoint line[] = {{x, y + 5 - i}, {x + 2, y + 7 - i}, {x + 7, y + 2 - i}};
        canvas.Polyline(line);
    }
}

void DrawMenuArrowImage(TCanvas& canvas, int x, int y, TColor color)
{
    canvas.Pen()->SetColor(color);
    for (int i = 0; i < 4; ++i) {
        canvas.MoveTo(x + i, y + i);
        canvas.LineTo(x + i, y + 7 - i);
    }
}

void DrawMenuRadioImage(TCanvas& canvas, int x, int y, TColor color)
{
    canvas.Pen()->SetColor(color);
    canvas.Brush()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Ellipse(x, y, x + 6, y + 6);
}

} // namespace tovrel
