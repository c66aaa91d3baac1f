// Popup menu items, the menu bar and its items: their images lie in the menu
// picture, which the objects name as their active picture.
#include "StateImages.h"
#include "skin/data/SkinMenuEntries.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel::skingen {
namespace {

constexpr int kItemWidth = 80, kItemHeight = 20, kMark = 16;
constexpr int kBarHeight = 22, kBarItemWidth = 40;

TBoxFill HighlightFill(const TTheme& t)
{
    return TBoxFill{Lighter(t.Highlight, 20), t.Highlight, t.Fill};
}

void AddMenuItem(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Menus);
    auto& e = c.AddObject<TskDataSkinMenuItem>("menuitem");
    e.SkinRectInAPicture = true;
    e.ActivePictureIndex = pics.Menus;
    const TRgb menuBack = t.Window;
    e.SkinRect = atlas.Add(kItemWidth, kItemHeight, [&t, menuBack](TPainter& p, const TRect& r) {
        p.FillRect(r, menuBack);
        p.FillRect(TRect{r.Left, r.Top, r.Left + 24, r.Bottom}, Mix(t.Face, t.Window, 128));
    });
    e.ActiveSkinRect = atlas.Add(kItemWidth, kItemHeight, [&t](TPainter& p, const TRect& r) {
        p.Box(r, std::min(t.Radius, 3), 1, HighlightFill(t), Darker(t.Highlight, 30), t.Window);
    });
    e.DividerRect = atlas.Add(kItemWidth, 5, [&t, menuBack](TPainter& p, const TRect& r) {
        p.FillRect(r, menuBack);
        p.FillRect(TRect{r.Left, r.Top, r.Left + 24, r.Bottom}, Mix(t.Face, t.Window, 128));
        p.HLine(r.Left + 28, r.Right - 2, r.Top + 2, Lighter(t.Border, 80));
    });
    e.DividerLO = 26;
    e.DividerRO = 2;
    // The glyph column lies in the left piece: a tiled middle must not repeat it.
    e.ItemLO = 26;
    e.ItemRO = 4;
    e.TextRct = TRect{28, 0, kItemWidth - 4, kItemHeight};
    e.ImageRct = TRect{2, 0, 22, kItemHeight};
    SetFont(e, t, t.WindowText);
    e.ActiveFontColor = ToColor(t.HighlightText);
    e.UnEnabledFontColor = ToColor(t.TextDisabled);
    e.StretchEffect = e.DividerStretchEffect = !t.Tile;
    const auto mark = [&](bool active, auto draw) {
        const TRgb back = active ? t.Highlight : Mix(t.Face, t.Window, 128);
        const TRgb ink = active ? t.HighlightText : t.WindowText;
        return atlas.Add(kMark, kMark, [back, ink, draw](TPainter& p, const TRect& r) {
            p.FillRect(r, back);
            draw(p, r, ink);
        });
    };
    const auto check = [](TPainter& p, const TRect& r, TRgb ink) { p.CheckMark(r, ink); };
    const auto radio = [](TPainter& p, const TRect& r, TRgb ink) {
        p.Disc((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0, 3.0, ink);
    };
    const auto arrow = [](TPainter& p, const TRect& r, TRgb ink) { p.Arrow(r, TPainter::TDirection::Right, 4, ink); };
    e.CheckImageRect = mark(false, check);
    e.ActiveCheckImageRect = mark(true, check);
    e.RadioImageRect = mark(false, radio);
    e.ActiveRadioImageRect = mark(true, radio);
    e.ArrowImageRect = mark(false, arrow);
    e.ActiveArrowImageRect = mark(true, arrow);
}

void AddMenuBar(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Menus);
    const TBoxFill band = ToolBarFill(t);

    auto& bar = c.AddControl<TskDataSkinMainMenuBar>("mainmenubar");
    bar.PictureIndex = pics.Menus;
    bar.SkinRect = atlas.Add(100, kBarHeight, [band](TPainter& p, const TRect& r) { p.Gradient(r, band); });
    bar.ItemsRect = TRect{2, 0, 98, kBarHeight};
    bar.MenuBarItem = "menubaritem";
    bar.TrackMarkColor = ToColor(t.Text);
    bar.TrackMarkActiveColor = ToColor(t.Accent);
    bar.StretchEffect = !t.Tile;

    auto& item = c.AddObject<TskDataSkinMainMenuBarItem>("menubaritem");
    item.SkinRectInAPicture = true;
    item.ActivePictureIndex = pics.Menus;
    item.SkinRect = atlas.Add(kBarItemWidth, kBarHeight, [band](TPainter& p, const TRect& r) { p.Gradient(r, band); });
    const auto boxed = [&](TState state) {
        return atlas.Add(kBarItemWidth, kBarHeight, [&t, band, state](TPainter& p, const TRect& r) {
            p.Gradient(r, band);
            PaintStateBox(p, TRect{r.Left, r.Top + 1, r.Right, r.Bottom - 1}, t, state, band.Top);
        });
    };
    item.ActiveSkinRect = boxed(TState::Hot);
    item.DownRect = boxed(TState::Down);
    item.TextRct = TRect{4, 0, kBarItemWidth - 4, kBarHeight};
    item.ItemLO = item.ItemRO = 4;
    SetFont(item, t, t.Text);
    item.ActiveFontColor = ToColor(t.TextHot);
    item.DownFontColor = ToColor(t.TextHot);
    item.UnEnabledFontColor = ToColor(t.TextDisabled);
    item.StretchEffect = !t.Tile;
}

} // namespace

void AddMenuEntries(TComposition& c, const TPictureSet& pics)
{
    if (c.Theme.Tools)
        return;
    AddMenuItem(c, pics);
    AddMenuBar(c, pics);
}

} // namespace tovrel::skingen
