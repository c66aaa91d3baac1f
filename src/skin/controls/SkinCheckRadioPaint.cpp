// The pictures of the skinned check box and radio button: the flat look over
// the parent's background, the whole-box skin image, and the default looks.
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/data/ResourceStrData.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

namespace {

constexpr TColor kHotFrameColor = 0x800000;

TRect Grown(const TRect& r, int left, int top, int right, int bottom)
{
    return Rect(r.Left - left, r.Top - top, r.Right + right, r.Bottom + bottom);
}

} // namespace

void TskSkinCheckRadioBox::BuildImage(TBitmap& B, const TLook& look)
{
    LookUpEntry();
    if (FFlat) {
        BuildFlatImage(B, look);
    } else if (FIndex == -1) {
        BuildDefaultBoxImage(B, look);
    } else if (MorphingActive() && FMorph.Blending()) {
        TLook normal = look, hot = look;
        normal.Hot = normal.MouseIn = false;
        hot.Hot = hot.MouseIn = true;
        TBitmap normalImage(Width(), Height()), hotImage(Width(), Height());
        BuildBoxImage(normalImage, G.SkinRect, normal);
        BuildBoxImage(hotImage, ActiveSkinRect, hot);
        DrawMorphed(B, normalImage, hotImage, MorphKind, FMorph.Kf);
    } else {
        BuildBoxImage(B, look.Hot ? ActiveSkinRect : G.SkinRect, look);
    }
}

void TskSkinCheckRadioBox::ChooseTextFont(TCanvas& canvas) const
{
    TFont& font = *canvas.Font();
    font.Assign(DefaultFont());
    if (FIndex != -1 && UseSkinFont) {
        font.SetName(FontName);
        font.SetHeight(FontHeight);
        font.SetStyle(FontStyle);
    }
    const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr;
    font.SetCharset(strings ? strings->CharSet() : DefaultFont()->Charset());
    canvas.Brush()->SetStyle(bsClear);
}

bool TskSkinCheckRadioBox::HasIcon() const
{
    return FImages && FImageIndex >= 0 && FImageIndex < FImages->Count();
}

TColor TskSkinCheckRadioBox::FlatTextColor() const
{
    if (FIndex == -1)
        return Enabled() ? DefaultFont()->Color() : clBtnShadow;
    if (!UseSkinFontColor)
        return DefaultFont()->Color();
    return Enabled() ? FrameFontColor : UnEnabledFontColor;
}

void TskSkinCheckRadioBox::BuildFlatImage(TBitmap& B, const TLook& look)
{
    TCanvas& canvas = *B.Canvas();
    PaintParentBackground(this, canvas.Handle());
    const int H = Height();
    int x0 = 22;
    if (FIndex == -1) {
        const TColor frame = look.MouseIn && !look.DefaultFrame ? kHotFrameColor : clBtnShadow;
        DrawDefaultCheckBox(canvas, H, frame, look.State, FRadio, look.Enabled);
    } else {
        const TskCheckMark mark = ChooseCheckMark(Marks, look.State, look.Enabled, look.MouseIn);
        if (G.Picture)
            DrawCheckMark(canvas, *G.Picture, mark, 3, H / 2 - mark.Rect.Height() / 2);
        x0 = Marks.Check.Width() + 7;
    }

    TRect iconRect;
    int iconWidth = 0;
    if (HasIcon()) {
        iconWidth = FImages->Width();
        iconRect = Bounds(x0, H / 2 - FImages->Height() / 2, iconWidth, FImages->Height());
        FImages->Draw(&canvas, iconRect.Left, iconRect.Top, FImageIndex, look.Enabled);
    }

    ChooseTextFont(canvas);
    canvas.Font()->SetColor(FlatTextColor());
    HDC dc = canvas.Handle();
    const std::string& caption = Caption();
    TRect textRect;
    if (!FWordWrap) {
        const int left = x0 + (iconWidth > 0 ? iconWidth + (FIndex == -1 ? 5 : 8) : 0);
        const int tw = WideTextWidth(dc, caption), th = WideTextHeight(dc, caption);
        textRect = Bounds(left, H / 2 - th / 2, tw, th);
        textRect.Right = IntMin(textRect.Right, Width() - 2);
        DrawSingleLineText(dc, caption, textRect);
    } else {
        RECT measured = Rect(x0 + iconWidth, 0, Width(), H);
        WideDrawText(dc, caption, measured, DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT);
        const int height = measured.Bottom - measured.Top;
        textRect = Bounds(measured.Left, IntMax(0, H / 2 - height / 2), measured.Right - measured.Left, height);
        RECT drawn = textRect;
        WideDrawText(dc, caption, drawn, DT_WORDBREAK | DT_EXPANDTABS);
    }

    if (!look.Focus)
        return;
    SetTextColor(dc, ColorToRGB(canvas.Font()->Color()));
    if (!caption.empty())
        DrawSkinFocusRect(dc, Grown(textRect, 2, 1, FWordWrap ? 2 : 3, 1));
    else if (iconWidth > 0)
        DrawSkinFocusRect(dc, Grown(iconRect, 1, 1, 1, 1));
}

void TskSkinCheckRadioBox::BuildBoxImage(TBitmap& B, const TRect& skinRect, const TLook& look)
{
    CreateResizedImage(B, G.Picture, skinRect);
    TCanvas& canvas = *B.Canvas();
    if (G.Picture) {
        const TskCheckMark mark = ChooseCheckMark(Marks, look.State, look.Enabled, look.Hot);
        DrawCheckMark(canvas, *G.Picture, mark, CIRect.Left, CIRect.Top + (CIRect.Height() - mark.Rect.Height()) / 2);
    }
    ChooseTextFont(canvas);
    canvas.Font()->SetColor(!look.Enabled ? UnEnabledFontColor : look.Hot ? ActiveFontColor : FontColor);
    DrawSingleLineText(canvas.Handle(), Caption(), NewTextArea);
}

void TskSkinCheckRadioBox::BuildDefaultBoxImage(TBitmap& B, const TLook& look)
{
    TCanvas& canvas = *B.Canvas();
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(ClientRect());
    if (look.Focus || look.MouseIn) {
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(ClientRect());
    }
    DrawDefaultCheckBox(canvas, Height(), look.MouseIn ? kHotFrameColor : clBtnShadow, look.State, FRadio,
                        look.Enabled);
    ChooseTextFont(canvas);
    canvas.Font()->SetColor(look.Enabled ? DefaultFont()->Color() : clBtnShadow);
    DrawSingleLineText(canvas.Handle(), Caption(), Rect(19, 0, Width(), Height()));
}

} // namespace tovrel
