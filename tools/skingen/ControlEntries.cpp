// Push buttons, check and radio boxes, labels, panels, edits, list and combo
// boxes, views, tabs, up-downs and the slider.
#include <algorithm>

#include "StateImages.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/data/SkinViewEntries.h"

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

template <class Entry>
void SetButtonStates(Entry& e, const TStateRects& s)
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
            const TRgb ink = state == TState::Disabled ? t.TextDisabled : (mark == TMark::Grayed ? t.TextDisabled : t.Accent);
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

// A framed band whose middle carries the given fill.
TRect AddFramedBox(TAtlas& atlas, const TTheme& t, int w, int h, TBoxFill fill, TRgb border)
{
    return atlas.Add(w, h, [&t, fill, border](TPainter& p, const TRect& r) {
        p.Box(r, t.Radius, t.BorderWidth, fill, border, t.Face);
    });
}

void AddLabels(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    for (const char* name : {"menuheader", "label"}) {
        auto& e = c.AddControl<TskDataSkinLabelControl>(name);
        const TRect band = c.Picture(pics.Controls).Add(80, 20, [&t](TPainter& p, const TRect& r) {
            p.Gradient(r, TBoxFill{Lighter(t.Highlight, 20), t.Highlight, t.Fill});
        });
        SetGeometry(e, pics.Controls, band, TResize::WidthOnly, 4, 2, t.Tile);
        SetFont(e, t, t.HighlightText);
        e.FontStyle = TFontStyles{TFontStyle::fsBold};
    }
    if (t.Tools)
        return;
    auto& std = c.AddControl<TskDataSkinStdLabelControl>("stdlabel");
    SetFont(std, t, t.Text);
    std.ActiveFontColor = ToColor(t.Accent);
}

void AddPanels(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    const auto panel = [&](const char* name, int w, int h, TBoxFill fill, TRgb border) -> TskDataSkinPanelControl& {
        auto& e = c.AddControl<TskDataSkinPanelControl>(name);
        SetGeometry(e, pics.Controls, AddFramedBox(atlas, t, w, h, fill, border), TResize::Both,
                    CornerFor(t, w, h), t.BorderWidth, t.Tile);
        SetFont(e, t, t.Text);
        return e;
    };
    const TBoxFill plain{t.Face, t.Face, TFillStyle::Flat};
    panel("toolpanel", 48, 25, ToolBarFill(t), Lighter(t.Border, 60));
    panel("resizetoolpanel", 48, 25, ToolBarFill(t), Lighter(t.Border, 60));
    if (t.Tools)
        return;
    panel("panel", 48, 48, plain, Lighter(t.Border, 50));
    panel("statusbar", 48, 22, ToolBarFill(t), Lighter(t.Border, 60));

    // The group box: a caption band over a framed body.
    constexpr int w = 80, h = 64, band = 20;
    auto& group = c.AddControl<TskDataSkinPanelControl>("groupbox");
    const TRect image = atlas.Add(w, h, [&t](TPainter& p, const TRect& r) {
        p.FillRect(r, t.Face);
        p.Box(r, t.Radius, t.BorderWidth, TBoxFill{t.Face, t.Face, TFillStyle::Flat}, Lighter(t.Border, 40), t.Face);
        TRect top{r.Left, r.Top, r.Right, r.Top + band};
        p.Box(top, t.Radius, t.BorderWidth, TBoxFill{Mix(t.Face, t.Accent, 30), Mix(t.Face, t.Accent, 60), t.Fill},
              Lighter(t.Border, 40), t.Face);
    });
    SetGeometry(group, pics.Controls, image, TResize::Both, CornerFor(t, w, h), t.BorderWidth + 1, t.Tile);
    group.LTPoint.Y = group.RTPoint.Y = band + 2;
    group.ClRect = TRect{t.BorderWidth + 2, band + 2, w - t.BorderWidth - 2, h - t.BorderWidth - 2};
    group.CaptionRect = TRect{8, 0, w - 8, band};
    group.Alignment = TAlignment::taLeftJustify;
    SetFont(group, t, t.Text);
    group.FontStyle = TFontStyles{TFontStyle::fsBold};

    auto& bevel = c.AddControl<TskDataSkinBevel>("bevel");
    bevel.LightColor = ToColor(Lighter(t.Face, 200));
    bevel.DarkColor = ToColor(Darker(t.Face, 70));

    auto& box = c.AddControl<TskDataSkinScrollBoxControl>("scrollbox");
    SetGeometry(box, pics.Controls, AddFramedBox(atlas, t, 40, 40, TBoxFill{t.Window, t.Window, TFillStyle::Flat}, t.Border),
                TResize::Both, CornerFor(t, 40, 40), t.BorderWidth, t.Tile);
    box.BGPictureIndex = -1;
}

// Window-coloured field with a border; hot with the accent.
TRect AddField(TAtlas& atlas, const TTheme& t, int w, int h, TState state)
{
    const TRgb inside = state == TState::Disabled ? Lighter(t.Face, 60) : t.Window;
    const TRgb border = state == TState::Hot ? t.Accent : t.Border;
    return atlas.Add(w, h, [&t, inside, border](TPainter& p, const TRect& r) {
        p.Box(r, std::min(t.Radius, 3), t.BorderWidth, TBoxFill{inside, inside, TFillStyle::Flat}, border, t.Face);
    });
}

void AddListBox(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    auto& e = c.AddControl<TskDataSkinListBox>("listbox");
    SetGeometry(e, pics.Controls, AddField(atlas, t, 48, 48, TState::Normal), TResize::Both, CornerFor(t, 48, 48),
                t.BorderWidth + 1, t.Tile);
    constexpr int iw = 60, ih = 18;
    e.SItemRect = atlas.Add(iw, ih, [&t](TPainter& p, const TRect& r) { p.FillRect(r, t.Window); });
    e.ActiveItemRect = atlas.Add(iw, ih, [&t](TPainter& p, const TRect& r) {
        p.Gradient(r, TBoxFill{Lighter(t.Highlight, 20), t.Highlight, t.Fill});
    });
    e.FocusItemRect = atlas.Add(iw, ih, [&t](TPainter& p, const TRect& r) {
        p.Box(r, 0, 1, TBoxFill{Lighter(t.Highlight, 20), t.Highlight, t.Fill}, t.Accent, t.Window);
    });
    e.ItemLeftOffset = e.ItemRightOffset = 2;
    e.ItemTextRect = TRect{4, 0, iw - 4, ih};
    SetFont(e, t, t.WindowText);
    e.ActiveFontColor = e.FocusFontColor = ToColor(t.HighlightText);
    e.HScrollBarName = "hscrollbar";
    e.VScrollBarName = "vscrollbar";
    e.BothScrollBarName = "bothhscrollbar";
}

void AddComboBox(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    constexpr int w = 80, h = 20, bw = 16;
    const TRect place{w - bw - 2, 2, w - 2, h - 2};
    const auto field = [&](TState state) {
        const TRgb border = state == TState::Hot ? t.Accent : t.Border;
        return atlas.Add(w, h, [&t, border, place, state](TPainter& p, const TRect& r) {
            p.Box(r, std::min(t.Radius, 3), t.BorderWidth, TBoxFill{t.Window, t.Window, TFillStyle::Flat}, border,
                  t.Face);
            const TRect button{r.Left + place.Left, r.Top + place.Top, r.Left + place.Right, r.Top + place.Bottom};
            PaintStateBox(p, button, t, state == TState::Hot ? TState::Hot : TState::Normal, t.Window);
            p.Arrow(button, TPainter::TDirection::Down, 4, GlyphColor(t, state));
        });
    };
    auto& e = c.AddControl<TskDataSkinComboBox>("combobox");
    SetGeometry(e, pics.Controls, field(TState::Normal), TResize::WidthOnly, 4, t.BorderWidth + 2, t.Tile);
    e.RTPoint = TPoint{w - bw - 4, 0};
    e.ClRect = TRect{t.BorderWidth + 2, t.BorderWidth + 1, w - bw - 4, h - t.BorderWidth - 1};
    e.ActiveSkinRect = field(TState::Hot);
    e.ButtonRect = place;
    const TStateRects buttons =
        AddStateImages(atlas, bw, h - 4, [&t](TPainter& p, const TRect& r, TState state) {
            PaintStateBox(p, r, t, state, t.Window);
            p.Arrow(r, TPainter::TDirection::Down, 4, GlyphColor(t, state));
        });
    e.ActiveButtonRect = buttons.Hot;
    e.DownButtonRect = buttons.Down;
    e.UnEnabledButtonRect = buttons.Disabled;
    constexpr int iw = 60, ih = 16;
    e.SItemRect = atlas.Add(iw, ih, [&t](TPainter& p, const TRect& r) { p.FillRect(r, t.Window); });
    e.ActiveItemRect = atlas.Add(iw, ih, [&t](TPainter& p, const TRect& r) { p.FillRect(r, t.Highlight); });
    e.FocusItemRect = e.ActiveItemRect;
    e.ItemLeftOffset = e.ItemRightOffset = 1;
    e.ItemTextRect = TRect{3, 0, iw - 3, ih};
    e.ItemStretchEffect = e.FocusItemStretchEffect = true;
    SetFont(e, t, t.WindowText);
    e.ActiveFontColor = ToColor(t.WindowText);
    e.FocusFontColor = ToColor(t.HighlightText);
    e.ListBoxName = "listbox";
}

void AddEdit(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    auto& e = c.AddControl<TskDataSkinEditControl>("edit");
    SetGeometry(e, pics.Controls, AddField(atlas, t, 60, 21, TState::Normal), TResize::WidthOnly, 4,
                t.BorderWidth + 2, t.Tile);
    e.ActiveSkinRect = AddField(atlas, t, 60, 21, TState::Hot);
    SetFont(e, t, t.WindowText);
    e.ActiveFontColor = ToColor(t.WindowText);
    e.DisabledFontColor = ToColor(t.TextDisabled);
}

void AddViews(TComposition& c)
{
    const TTheme& t = c.Theme;
    auto& list = c.AddControl<TskDataSkinListView>("listview");
    SetFont(list, t, t.WindowText);
    list.BGColor = ToColor(t.Window);
    auto& tree = c.AddControl<TskDataSkinTreeView>("treeview");
    SetFont(tree, t, t.WindowText);
    tree.BGColor = ToColor(t.Window);
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

void AddTab(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    auto& e = c.AddControl<TskDataSkinTabControl>("tab");
    static constexpr int w = 64, h = 48, tw = 60, th = 22;
    e.PictureIndex = pics.Controls;
    const TBoxFill page{t.Face, t.Face, TFillStyle::Flat};
    e.SkinRect = AddFramedBox(atlas, t, w, h, page, t.Border);
    const int corner = CornerFor(t, w, h);
    e.LTPoint = {corner, corner};
    e.RTPoint = {w - corner, corner};
    e.LBPoint = {corner, h - corner};
    e.RBPoint = {w - corner, h - corner};
    e.ClRect = TRect{t.BorderWidth + 1, t.BorderWidth + 1, w - t.BorderWidth - 1, h - t.BorderWidth - 1};
    e.StretchEffect = e.LeftStretch = e.TopStretch = e.RightStretch = e.BottomStretch = !t.Tile;
    e.TabStretchEffect = !t.Tile;
    const auto tab = [&](TBoxFill fill, TRgb border) {
        return atlas.Add(tw, th, [&t, fill, border](TPainter& p, const TRect& r) {
            // Rounded at the top only: the box runs on below the picture's cut.
            TSurface scratch(tw, th + t.Radius + 2, TPixelFormat::pf24bit);
            TPainter sp(scratch);
            sp.Box(TRect{0, 0, tw, th + t.Radius + 2}, t.Radius, t.BorderWidth, fill, border, t.Face);
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x) {
                    const std::uint8_t* px = scratch.ScanLine(y) + x * 3;
                    p.Pixel(r.Left + x, r.Top + y, TRgb{px[2], px[1], px[0]});
                }
        });
    };
    e.TabRect = tab(TBoxFill{Darker(t.Face, 8), Darker(t.Face, 24), t.Fill}, Lighter(t.Border, 40));
    e.ActiveTabRect = tab(page, t.Border);
    e.FocusTabRect = e.ActiveTabRect;
    e.MouseInTabRect = tab(TBoxFill{Lighter(t.FaceHot, 60), t.FaceHot, t.Fill}, t.BorderHot);
    e.TabsBGRect = atlas.Add(16, th, [&t](TPainter& p, const TRect& r) { p.FillRect(r, t.Face); });
    e.TabLeftOffset = e.TabRightOffset = CornerFor(t, tw, th);
    SetFont(e, t, t.Text);
    e.ActiveFontColor = ToColor(t.Text);
    e.FocusFontColor = ToColor(t.Text);
    e.MouseInFontColor = ToColor(t.TextHot);
    e.UpDown = "hupdown";
}

void AddSlider(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    auto& e = c.AddControl<TskDataSkinSlider>("slider");
    e.PictureIndex = pics.Controls;
    e.HRulerRect = atlas.Add(60, 6, [&t](TPainter& p, const TRect& r) {
        p.Box(r, 2, 1, TBoxFill{t.Window, Lighter(t.Border, 120), TFillStyle::Vertical}, t.Border, t.Face);
    });
    e.HThumbRect = atlas.Add(22, 11, [&t](TPainter& p, const TRect& r) {
        p.Disc(r.Left + 5.5, r.Top + 5.5, 5.0, t.Accent);
        p.Disc(r.Left + 16.5, r.Top + 5.5, 5.0, Lighter(t.Accent, 70));
    });
    e.SkinRect = e.HRulerRect;
    e.EdgeSize = 3;
    e.BGColor = ToColor(t.Face);
    e.PointsColor = ToColor(t.Border);
}

} // namespace

void AddControlEntries(TComposition& c, const TPictureSet& pics)
{
    AddButtons(c, pics);
    AddLabels(c, pics);
    AddPanels(c, pics);
    AddListBox(c, pics);
    AddComboBox(c, pics);
    if (c.Theme.Tools)
        return;
    AddCheckRadio(c, pics, "checkbox", false);
    AddCheckRadio(c, pics, "radiobox", true);
    AddEdit(c, pics);
    AddViews(c);
    AddUpDown(c, pics, "hupdown", true);
    AddUpDown(c, pics, "vupdown", false);
    AddTab(c, pics);
    AddSlider(c, pics);
}

} // namespace tovrel::skingen
