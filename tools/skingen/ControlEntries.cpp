// Labels, panels, edits, list and combo boxes, views, tabs and the slider.
#include <algorithm>

#include "StateImages.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/data/SkinViewEntries.h"

namespace tovrel::skingen {
namespace {

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
        SetGeometry(e, pics.Controls, AddFramedBox(atlas, t, w, h, fill, border), TResize::Both, CornerFor(t, w, h),
                    t.BorderWidth, t.Tile);
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
    // The band reaches into both top corners, so it stretches with the box
    // and a long caption is not cut at the picture's width.
    group.CaptionRect = TRect{std::min(8, group.LTPoint.X), 0, std::max(w - 8, group.RTPoint.X), band};
    group.Alignment = TAlignment::taLeftJustify;
    SetFont(group, t, t.Text);
    group.FontStyle = TFontStyles{TFontStyle::fsBold};

    auto& bevel = c.AddControl<TskDataSkinBevel>("bevel");
    bevel.LightColor = ToColor(Lighter(t.Face, 200));
    bevel.DarkColor = ToColor(Darker(t.Face, 70));

    auto& box = c.AddControl<TskDataSkinScrollBoxControl>("scrollbox");
    SetGeometry(box, pics.Controls,
                AddFramedBox(atlas, t, 40, 40, TBoxFill{t.Window, t.Window, TFillStyle::Flat}, t.Border), TResize::Both,
                CornerFor(t, 40, 40), t.BorderWidth, t.Tile);
    box.BGPictureIndex = -1;
}

// Splitters: a face-coloured strip with darker edges and a dotted gripper on
// the magenta key in its middle.
void AddSplitters(TComposition& c, const TPictureSet& pics)
{
    const TTheme& t = c.Theme;
    TAtlas& atlas = c.Picture(pics.Controls);
    constexpr int thick = 6, length = 48, grip = 20;
    constexpr TRgb key{255, 0, 255};
    for (bool vertical : {true, false}) {
        auto& e = c.AddControl<TskDataSkinSplitterControl>(vertical ? "vsplitter" : "hsplitter");
        const int w = vertical ? thick : length, h = vertical ? length : thick;
        const TRect strip = atlas.Add(w, h, [&t, vertical](TPainter& p, const TRect& r) {
            p.FillRect(r, t.Face);
            if (vertical) {
                p.VLine(r.Left, r.Top, r.Bottom, Lighter(t.Face, 120));
                p.VLine(r.Right - 1, r.Top, r.Bottom, Darker(t.Face, 40));
            } else {
                p.HLine(r.Left, r.Right, r.Top, Lighter(t.Face, 120));
                p.HLine(r.Left, r.Right, r.Bottom - 1, Darker(t.Face, 40));
            }
        });
        SetGeometry(e, pics.Controls, strip, vertical ? TResize::HeightOnly : TResize::WidthOnly, 4, 0, true);
        e.GripperRect = atlas.Add(vertical ? 2 : grip, vertical ? grip : 2, [&t, key](TPainter& p, const TRect& r) {
            p.FillRect(r, key);
            for (int y = r.Top; y < r.Bottom; y += 2)
                for (int x = r.Left; x < r.Right; x += 2)
                    p.FillRect(TRect{x, y, x + 1, y + 1}, Darker(t.Face, 90));
        });
        e.GripperTransparent = true;
        e.GripperTransparentColor = ToColor(key);
    }
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
    const TStateRects buttons = AddStateImages(atlas, bw, h - 4, [&t](TPainter& p, const TRect& r, TState state) {
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
    SetGeometry(e, pics.Controls, AddField(atlas, t, 60, 21, TState::Normal), TResize::WidthOnly, 4, t.BorderWidth + 2,
                t.Tile);
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
    AddButtonEntries(c, pics);
    AddLabels(c, pics);
    AddPanels(c, pics);
    AddListBox(c, pics);
    AddComboBox(c, pics);
    if (c.Theme.Tools)
        return;
    AddEdit(c, pics);
    AddSplitters(c, pics);
    AddViews(c);
    AddTab(c, pics);
    AddSlider(c, pics);
}

} // namespace tovrel::skingen
