#include "platform/gdi/DeviceContext.h"
#include "skin/controls/SkinControlGeometry.h"
#include "skin/data/SkinTypes.h"

namespace tovrel {

void DrawBlockOver(TCanvas& Canvas, TRect area, TCanvas* source, TRect block, const TskStretchFlags& stretch)
{
    const int cw = block.Width(), ch = block.Height();
    // An empty block or area has nothing to lay down (and would never end a tiling).
    if (!source || cw < 1 || ch < 1 || area.Width() < 1 || area.Height() < 1)
        return;
    const TSavedDC saved(Canvas.Handle());
    IntersectClipRect(Canvas.Handle(), area.Left, area.Top, area.Right, area.Bottom);
    if (stretch.StretchEffect) {
        switch (stretch.StretchType) {
        case TskStretchType::skstFull: Canvas.CopyRect(area, source, block); break;
        case TskStretchType::skstHorz:
            for (int i = 0; i <= area.Width() / cw; ++i)
                Canvas.CopyRect(Rect(area.Left + i * cw, area.Top, area.Left + (i + 1) * cw, area.Bottom), source,
                                block);
            break;
        case TskStretchType::skstVert:
            for (int i = 0; i <= area.Height() / ch; ++i)
                Canvas.CopyRect(Rect(area.Left, area.Top + i * ch, area.Right, area.Top + (i + 1) * ch), source, block);
            break;
        }
        return;
    }
    for (int row = 0; row <= area.Height() / ch; ++row)
        for (int column = 0; column <= area.Width() / cw; ++column) {
            const int x = area.Left + column * cw, y = area.Top + row * ch;
            Canvas.CopyRect(Rect(x, y, x + cw, y + ch), source, block);
        }
}

void TskSkinControlGeometry::DrawClientBackground(TCanvas& Canvas) const
{
    const TRect block = Rect(SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                             SkinRect.Top + ClRect.Bottom);
    DrawBlockOver(Canvas, NewClRect, Picture ? Picture->Canvas() : nullptr, block, Stretch);
}

} // namespace tovrel
