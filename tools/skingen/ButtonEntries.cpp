// Push buttons, tool and drop buttons, the menu button, check and radio
// boxes and the up-down buttons: images of every state side by side.
#include <algorithm>

#include "StateImages.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"

namespace tovrel::skingen {
namespace {

constexpr TRgb kMarkerKey{255, 0, 255};

using TDir = TPainter::TDirection;

TStatePaint ArrowGlyph(const TTheme& theme, TDir direction, int size)
{
    return [&theme, direction, size](TPainter& p, const TRect& r, TState state) {
        p.Arrow(r, direction, size, GlyphColor(theme, state));
    };
}

template <class Entry> void SetButtonStates(Entry& e, const TStateRects& s)
{
    e.ActiveSkinRect = s.Hot;
    e.DownSkinRect = s.Down;
    e.DisabledSkinRect = s.Disabled;
    e.FocusedSkinRect = s.Focused;
}

template <class Entry>
Entry& AddButton(TComposition& c, const TPictureSet& pics, std::string name, int w, int h, const TStatePaint& look)
{
    const TTheme& t = c.Theme;
    Entry& e = c.template AddControl<Entry>(std::move(name));
    const TStateRects s = AddStateImages(c.Picture(pics.Controls), w, h, look);
    SetGeometry(e, pics.Controls, s.Normal, TResize::Both, CornerFor(t, w, h), t.BorderWidth + 1, t.Tile);
    SetButtonStates(e, s);
    SetFont(e, t, t.Text);
    e.ActiveFontColor = ToColor(t.TextHot);
    e.DownFontColor = ToColor(t.TextHot);
    e.DisabledFontColor = ToColor(t.TextDisabled);
    e.Morphing = t.Morphing;
    e.MorphKind = t.MorphKind;
    return e;
}

// A soft halo around a w x h button: colour in one picture, its strength as grey in the other.
void AddButtonGlow(TComposition& c, const TPictureSet& pics, TskDataSkinButtonControl& e, int w, int h)
{
    constexpr int spread = 6;
    const TTheme& t = c.Theme;
    const int gw = w + 2 * spread, gh = h + 2 * spread;
    const auto halo = [gw, gh](TPainter& p, const TRect& r, TRgb inner) {
        for (int i = 0; i < spread; ++i) {
            const TRgb ring = Mix(TRgb{}, inner, (i + 1) * 255 / spread);
            const TRect box{r.Left + i, r.Top + i, r.Left + gw - i, r.Top + gh - i};
            p.Box(box, spread + 2 - i, 1, TBoxFill{ring, ring, TFillStyle::Flat}, ring, TRgb{});
        }
    };
    // Both pictures are packed alike, so the halo and its strength share a place.
    c.Picture(pics.Glow).Add(gw, gh, [&t, halo](TPainter& p, const TRect& r) { halo(p, r, t.Accent); });
    c.Picture(pics.GlowMask).Add(gw, gh, [halo](TPainter& p, const TRect& r) { halo(p, r, TRgb{200, 200, 200}); });
    e.GlowLayerPictureIndex = pics.Glow;
    e.GlowLayerMaskPictureIndex = pics.GlowMask;
    e.GlowLayerOffsetLeft = e.GlowLayerOffsetTop = e.GlowLayerOffsetRight = e.GlowLayerOffsetBottom = spread;
    e.GlowLayerAlphaBlendValue = 220;
}

void AddButtons(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    AddButton<TskDataSkinButtonControl>(c, pics, "resizetoolbutton", 44, 25, ToolLook(t));
    AddButton<TskDataSkinButtonControl>(c, pics, "resizebutton", 20, 20, BoxLook(t));
    // Drop buttons carry no glyph: the controls draw their arrow over any size.
    AddButton<TskDataSkinButtonControl>(c, pics, "combobutton", 16, 18, BoxLook(t));
    AddButton<TskDataSkinButtonControl>(c, pics, "editbutton", 16, 18, BoxLook(t));
    if (t.Tools)
        return;
    auto& button = AddButton<TskDataSkinButtonControl>(c, pics, "button", 72, 25, BoxLook(t));
    if (pics.Glow >= 0)
        AddButtonGlow(c, pics, button, 72, 25);
    AddButton<TskDataSkinButtonControl>(c, pics, "toolbutton", 27, 25, ToolLook(t));

    auto& menu = AddButton<TskDataSkinMenuButtonControl>(c, pics, "toolmenubutton", 60, 25, ToolLook(t));
    menu.TrackButtonRect = TRect{60 - 14, 0, 60, 25};
    TAtlas& atlas = c.Picture(pics.Controls);
    const auto marker = [&t, &atlas](TState state) {
        return atlas.Add(9, 6, [&t, state](TPainter& p, const TRect& r) {
            p.FillRect(r, kMarkerKey);
            p.Arrow(r, TDir::Down, 4, GlyphColor(t, state));
        });
    };
    menu.MenuMarkerFlatRect = marker(TState::Normal);
    menu.MenuMarkerRect = marker(TState::Normal);
    menu.MenuMarkerActiveRect = marker(TState::Hot);
    menu.MenuMarkerDownRect = marker(TState::Down);
    menu.MenuMarkerTransparentColor = ToColor(kMarkerKey);
}

void AddCheckRadio(TComposition& c, const TPictureSet& pics, std::string name, bool radio)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    auto& e = c.AddControl<TskDataSkinCheckRadioControl>(std::move(name));
    static constexpr int w = 80, h = 17, box = 13;
    const TRect normal = atlas.Add(w, h, [&t](TPainter& p, const TRect& r) { p.FillRect(r, t.Face); });
    SetGeometry(e, pics.Controls, normal, TResize::WidthOnly, 20, 0, t.Tile);
    e.ActiveSkinRect = atlas.Add(w, h, [&t](TPainter& p, const TRect& r) { p.FillRect(r, t.Face); });
    e.CheckImageArea = TRect{2, 2, 2 + box, 2 + box};
    e.TextArea = TRect{19, 0, w, h};
    SetFont(e, t, t.Text);
    e.ActiveFontColor = ToColor(t.TextHot == t.Text ? t.Accent : t.TextHot);
    e.UnEnabledFontColor = ToColor(t.TextDisabled);
    e.FrameFontColor = ToColor(t.Text);
    e.Morphing = t.Morphing;
    e.MorphKind = t.MorphKind;
    enum class TMark { None, Checked, Grayed };
    const auto image = [&](TState state, TMark mark) {
        return atlas.Add(box, box, [&t, state, mark, radio](TPainter& p, const TRect& r) {
            const TRgb back = t.Face;
            const TRgb border = StateBorder(t, state == TState::Down ? TState::Hot : state);
            const TRgb inside = state == TState::Disabled ? Lighter(t.Face, 60) : t.Window;
            const int radius = radio ? box / 2 : std::min(t.Radius, 3);
            p.Box(r, radius, 1, TBoxFill{inside, inside, TFillStyle::Flat}, border, back);
            const TRgb ink =
                state == TState::Disabled ? t.TextDisabled : (mark == TMark::Grayed ? t.TextDisabled : t.Accent);
            if (mark == TMark::None)
                return;
            if (radio)
                p.Disc((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0, 3.0, ink);
            else if (mark == TMark::Grayed)
                p.FillRect(TRect{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3}, ink);
            else
                p.CheckMark(r, ink);
        });
    };
    e.CheckImageRect = image(TState::Normal, TMark::Checked);
    e.UnCheckImageRect = image(TState::Normal, TMark::None);
    e.ActiveCheckImageRect = image(TState::Hot, TMark::Checked);
    e.ActiveUnCheckImageRect = image(TState::Hot, TMark::None);
    e.UnEnabledCheckImageRect = image(TState::Disabled, TMark::Checked);
    e.UnEnabledUnCheckImageRect = image(TState::Disabled, TMark::None);
    e.GrayedCheckImageRect = image(TState::Normal, TMark::Grayed);
    e.ActiveGrayedCheckImageRect = image(TState::Hot, TMark::Grayed);
}

void AddUpDown(TComposition& c, const TPictureSet& pics, std::string name, bool horizontal)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    constexpr int s = 16;
    const TDir first = horizontal ? TDir::Left : TDir::Up, second = horizontal ? TDir::Right : TDir::Down;
    const int w = horizontal ? 2 * s : s, h = horizontal ? s : 2 * s;
    const TRect firstPlace{0, 0, s, s};
    const TRect secondPlace = horizontal ? TRect{s, 0, 2 * s, s} : TRect{0, s, s, 2 * s};
    auto& e = c.AddControl<TskDataSkinUpDownControl>(std::move(name));
    const TRect whole = atlas.Add(w, h, [&t, first, second, firstPlace, secondPlace](TPainter& p, const TRect& r) {
        for (auto [place, dir] : {std::pair{firstPlace, first}, std::pair{secondPlace, second}}) {
            const TRect b{r.Left + place.Left, r.Top + place.Top, r.Left + place.Right, r.Top + place.Bottom};
            PaintStateBox(p, b, t, TState::Normal, t.Face);
            p.Arrow(b, dir, 4, t.Text);
        }
    });
    SetGeometry(e, pics.Controls, whole, TResize::Fixed, 0, 0, t.Tile);
    e.UpButtonRect = firstPlace;
    e.DownButtonRect = secondPlace;
    const TStateRects up = AddStateImages(atlas, s, s, BoxLook(t, ArrowGlyph(t, first, 4)));
    const TStateRects down = AddStateImages(atlas, s, s, BoxLook(t, ArrowGlyph(t, second, 4)));
    e.ActiveUpButtonRect = up.Hot;
    e.DownUpButtonRect = up.Down;
    e.ActiveDownButtonRect = down.Hot;
    e.DownDownButtonRect = down.Down;
}

} // namespace

void AddButtonEntries(TComposition& c, const TPictureSet& pics)
{
    AddButtons(c, pics);
    if (c.Theme.Tools)
        return;
    AddCheckRadio(c, pics, "checkbox", false);
    AddCheckRadio(c, pics, "radiobox", true);
    AddUpDown(c, pics, "hupdown", true);
    AddUpDown(c, pics, "vupdown", false);
}

} // namespace tovrel::skingen
