// The entries a skin has once: colours, popup menu window, hint window and,
// when the theme asks for it, the layered border around the form.
#include <algorithm>

#include "StateImages.h"
#include "skin/data/SkinFixedEntries.h"

namespace tovrel::skingen {
namespace {

void FillColors(TskSkinColors& k, const TTheme& t)
{
    k.FcBtnFace = ToColor(t.Face);
    k.FcBtnText = ToColor(t.Text);
    k.FcWindow = ToColor(t.Window);
    k.FcWindowText = ToColor(t.WindowText);
    k.FcHighLight = ToColor(t.Highlight);
    k.FcHighLightText = ToColor(t.HighlightText);
    k.FcBtnHighLight = ToColor(Lighter(t.Face, 200));
    k.FcBtnShadow = ToColor(Darker(t.Face, 70));
}

// Corner points `corner` in from each side of a w x h window picture.
template <class Entry> void SetWindowCorners(Entry& e, int w, int h, int corner)
{
    e.LTPoint = {corner, corner};
    e.RTPoint = {w - corner, corner};
    e.LBPoint = {corner, h - corner};
    e.RBPoint = {w - corner, h - corner};
}

// Edges and middle stretched, or tiled when the theme tiles.
template <class Entry> void SetWindowStretch(Entry& e, bool tile)
{
    e.TopStretch = e.LeftStretch = e.RightStretch = e.BottomStretch = !tile;
    e.StretchEffect = !tile;
}

void AddPopupWindow(TComposition& c)
{
    const TTheme& t = c.Theme;
    constexpr int w = 48, h = 48;
    TskDataSkinPopupWindow& e = c.Description.PopupWindow;
    // The window's picture is its image alone: the points count from its corner.
    e.WindowPictureIndex = c.AddPicture("popup.bmp", w, t.Window);
    const TRect image = c.Picture(e.WindowPictureIndex).Add(w, h, [&t](TPainter& p, const TRect& r) {
        p.Box(r, 0, 1, TBoxFill{t.Window, t.Window, TFillStyle::Flat}, Darker(t.Border, 20), t.Window);
        p.FillRect(TRect{r.Left + 1, r.Top + 1, r.Left + 25, r.Bottom - 1}, Mix(t.Face, t.Window, 128));
    });
    SetWindowCorners(e, w, h, 3);
    e.ItemsRect = TRect{image.Left + 2, image.Top + 2, image.Right - 2, image.Bottom - 2};
    e.ScrollMarkerColor = ToColor(t.WindowText);
    e.ScrollMarkerActiveColor = ToColor(t.Accent);
    SetWindowStretch(e, t.Tile);
}

void AddHintWindow(TComposition& c)
{
    const TTheme& t = c.Theme;
    constexpr int w = 40, h = 30;
    TskDataSkinHintWindow& e = c.Description.HintWindow;
    e.WindowPictureIndex = c.AddPicture("hint.bmp", w, t.Face);
    const TRgb paper = Mix(t.Window, t.Highlight, 30);
    const TRect image = c.Picture(e.WindowPictureIndex).Add(w, h, [&t, paper](TPainter& p, const TRect& r) {
        p.Box(r, std::min(t.Radius, 4), 1, TBoxFill{Lighter(paper, 80), paper, TFillStyle::Vertical},
              Darker(t.Border, 20), t.Face);
    });
    SetWindowCorners(e, w, h, CornerFor(t, w, h));
    e.ClRect = TRect{image.Left + 4, image.Top + 3, image.Right - 4, image.Bottom - 3};
    e.FontName = t.FontName;
    e.FontHeight = t.FontHeight;
    e.FontColor = ToColor(t.WindowText);
    SetWindowStretch(e, t.Tile);
}

// A soft shadow around the form: its colour picture and a grey mask whose
// brightness is the shadow's strength, dark at the form's edge, fading out.
void AddLayerFrame(TComposition& c)
{
    const TTheme& t = c.Theme;
    constexpr int spread = 10, size = 64;
    const int picture = c.AddPicture("layer.bmp", size, TRgb{});
    const int mask = c.AddPicture("layermask.bmp", size, TRgb{});
    const auto strength = [](int x, int y) {
        const int dx = std::max({spread - x, x - (size - 1 - spread), 0});
        const int dy = std::max({spread - y, y - (size - 1 - spread), 0});
        const int d = std::max(dx, dy);
        return d == 0 ? 255 : std::max(0, 160 - d * 16);
    };
    c.Picture(picture).Add(size, size, [&t, strength](TPainter& p, const TRect& r) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                p.Pixel(r.Left + x, r.Top + y, strength(x, y) == 255 ? t.Frame : Darker(t.Frame, 200));
    });
    c.Picture(mask).Add(size, size, [strength](TPainter& p, const TRect& r) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const auto v = std::uint8_t(strength(x, y));
                p.Pixel(r.Left + x, r.Top + y, TRgb{v, v, v});
            }
    });
    TskDataSkinLayerFrame& e = c.Description.LayerFrame;
    e.PictureIndex = picture;
    e.MaskPictureIndex = mask;
    e.InActivePictureIndex = picture;
    e.InActiveMaskPictureIndex = mask;
    SetWindowCorners(e, size, size, 2 * spread);
    e.ClRect = TRect{spread, spread, size - spread, size - spread};
    e.BorderRect = TRect{spread, spread, spread, spread};
    e.AlphaBlendValue = 255;
    e.InActiveAlphaBlendValue = 180;
    e.HitTestEnable = false;
}

} // namespace

void AddFixedEntries(TComposition& c)
{
    FillColors(c.Description.SkinColors, c.Theme);
    if (c.Theme.Tools)
        return;
    AddPopupWindow(c);
    AddHintWindow(c);
    if (c.Theme.LayeredFrame)
        AddLayerFrame(c);
}

} // namespace tovrel::skingen
