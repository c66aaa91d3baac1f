#include "platform/gdi/StockIcons.h"

#include "platform/gdi/Icon.h"
#include "platform/gdi/IconPainter.h"
#include "platform/gdi/SurfaceDrawing.h"

#include <functional>

namespace tovrel {

namespace {

constexpr TIconColour Shadow{70, 70, 70}, White{255, 255, 255}, Black{20, 20, 20};
constexpr TIconColour TitleBar{40, 90, 190}, ErrorRed{210, 40, 40}, InfoBlue{30, 100, 210}, WarningYellow{250, 200, 30};

void DrawWindow(TIconPainter& p)
{
    p.Rect(0.5, 1.5, 15.5, 14.5, Shadow);
    p.Rect(1.5, 2.5, 14.5, 5.5, TitleBar);
    p.Rect(1.5, 5.5, 14.5, 13.5, White);
    p.Rect(11.5, 3.2, 13.5, 4.8, White); // the close box
}

void DrawDisc(TIconPainter& p, TIconColour colour)
{
    p.Ellipse(8, 8, 7.5, 7.5, Shadow);
    p.Ellipse(8, 8, 6.8, 6.8, colour);
}

void DrawError(TIconPainter& p)
{
    DrawDisc(p, ErrorRed);
    p.Stroke({{5, 5}, {11, 11}}, 2, White);
    p.Stroke({{11, 5}, {5, 11}}, 2, White);
}

void DrawQuestion(TIconPainter& p)
{
    DrawDisc(p, InfoBlue);
    std::vector<TIconPoint> hook = TIconPainter::Arc(8, 6.2, 2.4, -80, 160);
    hook.push_back({8, 9.6});
    p.Stroke(hook, 1.8, White);
    p.Ellipse(8, 12, 1.1, 1.1, White);
}

void DrawWarning(TIconPainter& p)
{
    p.Polygon({{8, 0.5}, {15.8, 14.8}, {0.2, 14.8}}, Shadow);
    p.Polygon({{8, 2.2}, {14.5, 14}, {1.5, 14}}, WarningYellow);
    p.Stroke({{8, 5.5}, {8, 9.5}}, 1.8, Black);
    p.Ellipse(8, 12, 1.1, 1.1, Black);
}

void DrawInformation(TIconPainter& p)
{
    DrawDisc(p, InfoBlue);
    p.Ellipse(8, 4.6, 1.2, 1.2, White);
    p.Stroke({{8, 7.5}, {8, 12}}, 2, White);
}

std::function<void(TIconPainter&)> PainterFor(std::uintptr_t name)
{
    switch (name) {
    case IDI_APPLICATION: return DrawWindow;
    case IDI_HAND: return DrawError;
    case IDI_QUESTION: return DrawQuestion;
    case IDI_EXCLAMATION: return DrawWarning;
    case IDI_ASTERISK: return DrawInformation;
    default: return nullptr;
    }
}

} // namespace

std::vector<TIconImage> DrawStockIcon(std::uintptr_t name)
{
    const auto draw = PainterFor(name);
    std::vector<TIconImage> pictures;
    if (!draw)
        return pictures;
    for (int size : {32, 16}) {
        TSurface surface(size, size, TPixelFormat::pf32bit);
        TIconPainter painter(surface);
        draw(painter);
        pictures.push_back(MakeIconImage(Unpremultiplied(surface)));
    }
    return pictures;
}

} // namespace tovrel
