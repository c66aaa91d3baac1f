#include "Composition.h"

#include "platform/vcl/Bitmap.h"
#include "skin/data/SkinData.h"

namespace tovrel::skingen {

int TComposition::AddPicture(const std::string& fileName, int width, TRgb background)
{
    Active.push_back(std::make_unique<TAtlas>(fileName, width, background));
    return int(Active.size()) - 1;
}

void SetGeometry(TskDataSkinCustomControl& e, int picture, const TRect& skinRect, TResize mode, int corner, int inset,
                 bool tile)
{
    const int w = skinRect.Right - skinRect.Left, h = skinRect.Bottom - skinRect.Top;
    e.PictureIndex = picture;
    e.SkinRect = skinRect;
    e.LTPoint = e.RTPoint = e.LBPoint = e.RBPoint = TPoint{};
    switch (mode) {
    case TResize::Fixed: break;
    case TResize::WidthOnly:
        e.LTPoint = {corner, 0};
        e.RTPoint = {w - corner, 0};
        break;
    case TResize::HeightOnly:
        e.LTPoint = {0, corner};
        e.LBPoint = {0, h - corner};
        break;
    case TResize::Both:
        e.LTPoint = {corner, corner};
        e.RTPoint = {w - corner, corner};
        e.LBPoint = {corner, h - corner};
        e.RBPoint = {w - corner, h - corner};
        break;
    }
    e.ClRect = TRect{inset, inset, w - inset, h - inset};
    e.StretchEffect = !tile;
    e.StretchType = TskStretchType::skstFull;
    e.LeftStretch = e.TopStretch = e.RightStretch = e.BottomStretch = !tile;
}

TBoxFill StateFill(const TTheme& t, TState state)
{
    const auto fill = [&](TRgb top, TRgb bottom) { return TBoxFill{top, bottom, t.Fill}; };
    switch (state) {
    case TState::Normal:
    case TState::Focused: return fill(Lighter(t.Face, 90), Darker(t.Face, 18));
    case TState::Hot: return fill(Lighter(t.FaceHot, 90), t.FaceHot);
    case TState::Down: return fill(Darker(t.FaceDown, 10), Lighter(t.FaceDown, 40));
    case TState::Disabled: return TBoxFill{t.Face, t.Face, TFillStyle::Flat};
    }
    return fill(t.Face, t.Face);
}

TRgb StateBorder(const TTheme& t, TState state)
{
    switch (state) {
    case TState::Hot:
    case TState::Down: return t.BorderHot;
    case TState::Focused: return t.Accent;
    case TState::Disabled: return Lighter(t.Border, 110);
    case TState::Normal: break;
    }
    return t.Border;
}

void PaintStateBox(TPainter& p, const TRect& place, const TTheme& theme, TState state, TRgb back)
{
    p.Box(place, theme.Radius, theme.BorderWidth, StateFill(theme, state), StateBorder(theme, state), back);
}

namespace {

std::unique_ptr<TBitmap> ToBitmap(const TSurface& surface)
{
    auto bitmap = std::make_unique<TBitmap>();
    if (!surface.Empty())
        bitmap->SetSurface(surface);
    return bitmap;
}

void FillVersion(TskSkinVersionInfo& v, const TTheme& theme)
{
    v.SkinName = theme.Name;
    v.SkinAuthor = "Tovrel";
    v.AuthorEmail.clear();
    v.AuthorURL.clear();
    v.SkinComments = theme.Comments;
}

} // namespace

void Compose(const TTheme& theme, TskSkinData& data)
{
    TComposition c(theme);
    TPictureSet pictures;
    pictures.Controls = c.AddPicture("controls.bmp", 256, theme.Face);
    pictures.Scroll = c.AddPicture("scroll.bmp", 128, theme.Face);
    pictures.Menus = c.AddPicture("menus.bmp", 192, theme.Face);
    if (theme.Glow) {
        pictures.Glow = c.AddPicture("glow.bmp", 128, TRgb{});
        pictures.GlowMask = c.AddPicture("glowmask.bmp", 128, TRgb{});
    }
    if (!theme.Tools)
        AddFrame(c, pictures);
    AddControlEntries(c, pictures);
    AddScrollEntries(c, pictures);
    AddMenuEntries(c, pictures);
    AddFixedEntries(c);

    FillVersion(c.Description.Version, theme);
    TskSkinPictureNames& names = c.Description.Pictures;
    names.PictureName = c.Frame.Empty() ? "" : "frame.bmp";
    names.InActivePictureName.clear();
    names.MaskName = c.FrameMask.Empty() ? "" : "mask.bmp";
    names.ActivePicturesNames.clear();
    for (const auto& atlas : c.Active)
        names.ActivePicturesNames.push_back(atlas->FileName);

    data.ClearAll();
    static_cast<TskSkinDescription&>(data) = std::move(c.Description);
    data.FPicture = ToBitmap(c.Frame);
    data.FInActivePicture = std::make_unique<TBitmap>();
    data.FMask = ToBitmap(c.FrameMask);
    data.FActivePictures.clear();
    for (const auto& atlas : c.Active)
        data.FActivePictures.push_back(ToBitmap(atlas->Render()));
    data.Empty = false;
}

} // namespace tovrel::skingen
