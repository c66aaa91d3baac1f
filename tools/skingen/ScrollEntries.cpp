// The three scroll bars: a track with an arrow button at each end, drawn in
// the bar's own image, and the hot and pressed buttons and thumbs beside it.
#include "StateImages.h"
#include "skin/data/SkinScrollEntries.h"

namespace tovrel::skingen {
namespace {

constexpr int kThickness = 19;
constexpr int kLength = 80;

using TDir = TPainter::TDirection;

void PaintTrack(TPainter& p, const TRect& r, const TTheme& t, bool horizontal)
{
    const TRgb track = Mix(t.Face, t.Window, 140);
    p.FillRect(r, track);
    const TRgb edge = Darker(track, 12);
    if (horizontal) {
        p.HLine(r.Left, r.Right, r.Top, edge);
        p.HLine(r.Left, r.Right, r.Bottom - 1, edge);
    } else {
        p.VLine(r.Left, r.Top, r.Bottom, edge);
        p.VLine(r.Right - 1, r.Top, r.Bottom, edge);
    }
}

void PaintArrowButton(TPainter& p, const TRect& r, const TTheme& t, TState state, TDir dir)
{
    PaintStateBox(p, TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, t, state, Mix(t.Face, t.Window, 140));
    p.Arrow(r, dir, 4, GlyphColor(t, state));
}

void PaintThumb(TPainter& p, const TRect& r, const TTheme& t, TState state, bool horizontal)
{
    const TRect body{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    PaintStateBox(p, body, t, state, Mix(t.Face, t.Window, 140));
    const TRgb grip = Darker(StateBorder(t, state), 10);
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    for (int d : {-3, 0, 3}) {
        if (horizontal)
            p.VLine(cx + d, cy - 3, cy + 4, grip);
        else
            p.HLine(cx - 3, cx + 4, cy + d, grip);
    }
}

// With `corner` the horizontal bar ends in a free square beside a vertical bar.
void AddScrollBar(TComposition& c, const TPictureSet& pics, std::string name, bool horizontal, bool corner = false)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Scroll);
    const int extra = corner ? kThickness : 0;
    const int w = horizontal ? kLength + extra : kThickness, h = horizontal ? kThickness : kLength;
    const TDir back = horizontal ? TDir::Left : TDir::Up, forth = horizontal ? TDir::Right : TDir::Down;
    const TRect first{0, 0, kThickness, kThickness};
    const TRect last = horizontal ? TRect{w - extra - kThickness, 0, w - extra, h} : TRect{0, h - kThickness, w, h};

    auto& e = c.AddControl<TskDataSkinScrollBarControl>(std::move(name));
    const TRect whole = atlas.Add(w, h, [&t, horizontal, first, last, back, forth, extra](TPainter& p, const TRect& r) {
        PaintTrack(p, r, t, horizontal);
        if (extra > 0)
            p.FillRect(TRect{r.Right - extra, r.Top, r.Right, r.Bottom}, t.Face);
        const auto at = [&r](const TRect& place) {
            return TRect{r.Left + place.Left, r.Top + place.Top, r.Left + place.Right, r.Top + place.Bottom};
        };
        PaintArrowButton(p, at(first), t, TState::Normal, back);
        PaintArrowButton(p, at(last), t, TState::Normal, forth);
    });
    // The end button must lie beyond the stretch point to follow the bar's far end.
    SetGeometry(e, pics.Scroll, whole, horizontal ? TResize::WidthOnly : TResize::HeightOnly, kThickness + 1, 0,
                t.Tile);
    if (horizontal)
        e.RTPoint = {last.Left - 1, 0}; // the corner square travels with the end button
    e.TrackArea = horizontal ? TRect{kThickness, 0, last.Left, h} : TRect{0, kThickness, w, h - kThickness};
    // The up button increases the position: it is the far one.
    e.UpButtonRect = last;
    e.DownButtonRect = first;
    const auto button = [&](TState state, TDir dir) {
        return atlas.Add(kThickness, kThickness,
                         [&t, state, dir](TPainter& p, const TRect& r) { PaintArrowButton(p, r, t, state, dir); });
    };
    e.ActiveUpButtonRect = button(TState::Hot, forth);
    e.DownUpButtonRect = button(TState::Down, forth);
    e.ActiveDownButtonRect = button(TState::Hot, back);
    e.DownDownButtonRect = button(TState::Down, back);
    const int tw = horizontal ? 32 : kThickness, th = horizontal ? kThickness : 32;
    const auto thumb = [&](TState state) {
        return atlas.Add(
            tw, th, [&t, state, horizontal](TPainter& p, const TRect& r) { PaintThumb(p, r, t, state, horizontal); });
    };
    e.ThumbRect = thumb(TState::Normal);
    e.ActiveThumbRect = thumb(TState::Hot);
    e.DownThumbRect = thumb(TState::Down);
    e.ThumbOffset1 = e.ThumbOffset2 = CornerFor(t, tw, th) + 1;
    e.ThumbStretchEffect = !t.Tile;
    e.ThumbMinSize = 2 * e.ThumbOffset1 + 4;
    e.ThumbMinPageSize = e.ThumbMinSize;
}

} // namespace

void AddScrollEntries(TComposition& c, const TPictureSet& pics)
{
    AddScrollBar(c, pics, "hscrollbar", true);
    AddScrollBar(c, pics, "vscrollbar", false);
    AddScrollBar(c, pics, "bothhscrollbar", true, true);
}

} // namespace tovrel::skingen
