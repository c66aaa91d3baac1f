#include "StateImages.h"

#include <algorithm>

namespace tovrel::skingen {

TStateRects AddStateImages(TAtlas& atlas, int w, int h, const TStatePaint& paint)
{
    const auto add = [&](TState state) {
        return atlas.Add(w, h, [paint, state](TPainter& p, const TRect& r) { paint(p, r, state); });
    };
    TStateRects rects;
    rects.Normal = add(TState::Normal);
    rects.Hot = add(TState::Hot);
    rects.Down = add(TState::Down);
    rects.Disabled = add(TState::Disabled);
    rects.Focused = add(TState::Focused);
    return rects;
}

TStatePaint BoxLook(const TTheme& theme, TStatePaint glyph)
{
    return [&theme, glyph](TPainter& p, const TRect& r, TState state) {
        PaintStateBox(p, r, theme, state, theme.Face);
        if (glyph)
            glyph(p, r, state);
    };
}

TBoxFill ToolBarFill(const TTheme& theme)
{
    return TBoxFill{Lighter(theme.Face, 60), Darker(theme.Face, 12),
                    theme.Fill == TFillStyle::Flat ? TFillStyle::Flat : TFillStyle::Vertical};
}

TStatePaint ToolLook(const TTheme& theme, TStatePaint glyph)
{
    return [&theme, glyph](TPainter& p, const TRect& r, TState state) {
        if (state == TState::Normal || state == TState::Disabled)
            p.Gradient(r, ToolBarFill(theme));
        else
            PaintStateBox(p, r, theme, state, theme.Face);
        if (glyph)
            glyph(p, r, state);
    };
}

TRgb GlyphColor(const TTheme& theme, TState state)
{
    switch (state) {
    case TState::Hot:
    case TState::Down: return theme.TextHot;
    case TState::Disabled: return theme.TextDisabled;
    case TState::Normal:
    case TState::Focused: break;
    }
    return theme.Text;
}

int CornerFor(const TTheme& theme, int w, int h)
{
    const int wanted = std::max(theme.Radius, theme.BorderWidth) + 2;
    return std::max(1, std::min(wanted, (std::min(w, h) - 1) / 2));
}

} // namespace tovrel::skingen
