// The speed button's properties, its skin entry and its pictures.
#include "skin/controls/SkinSpeedButton.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinButtonBehaviour.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/ImageListSource.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

TskSkinSpeedButton::TskSkinSpeedButton(TComponent* AOwner)
    : TskGraphicSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()),
      FMorphTimer(std::make_unique<TTimer>(nullptr)), FAnimateTimer(std::make_unique<TTimer>(nullptr)),
      FRepeatTimer(std::make_unique<TTimer>(nullptr))
{
    ControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
    SetSkinDataName("toolbutton");
    SetBounds(0, 0, 25, 25);
    FMorphTimer->SetEnabled(false);
    FMorphTimer->SetInterval(kMorphInterval);
    FMorphTimer->SetOnTimer([this](TObject*) { MorphTick(); });
    FAnimateTimer->SetEnabled(false);
    FAnimateTimer->SetOnTimer([this](TObject*) { AnimationTick(); });
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
}

TskSkinSpeedButton::~TskSkinSpeedButton() = default;

void TskSkinSpeedButton::SetImageIndex(int Value)
{
    FImageIndex = Value;
    if (dynamic_cast<TskSkinToolBar*>(Parent()) != nullptr)
        Repaint();
}

void TskSkinSpeedButton::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinSpeedButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TskSkinSpeedButton::SetMargin(int Value)
{
    if (Value >= -1)
        StoreAndRepaint(FMargin, Value);
}

void TskSkinSpeedButton::SetSpacing(int Value)
{
    StoreAndRepaint(FSpacing, Value);
}

void TskSkinSpeedButton::SetLayout(TskButtonLayout Value)
{
    StoreAndRepaint(FLayout, Value);
}

void TskSkinSpeedButton::SetTransparent(bool Value)
{
    if (Value)
        ControlStyle.Exclude(csOpaque);
    else
        ControlStyle.Include(csOpaque);
    Repaint();
}

void TskSkinSpeedButton::SetFlat(bool Value)
{
    FFlat = Value;
    SetTransparent(Value);
}

void TskSkinSpeedButton::SetShowCaption(bool Value)
{
    if (FShowCaption == Value)
        return;
    FShowCaption = Value;
    if (WidthWithCaption > 0 && WidthWithoutCaption > 0)
        SetWidth(Value ? WidthWithCaption : WidthWithoutCaption);
    else
        Repaint();
}

void TskSkinSpeedButton::SetDown(bool Value)
{
    TskButtonBehaviour<TskSkinSpeedButton>::SetDown(*this, Value);
}

void TskSkinSpeedButton::ButtonClick()
{
    if (OnClick)
        OnClick(this);
}

void TskSkinSpeedButton::RefreshButton()
{
    TskButtonBehaviour<TskSkinSpeedButton>::Refresh(*this);
}

void TskSkinSpeedButton::GetSkinData()
{
    TskGraphicSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        ActiveSkinRect = TRect{};
        return;
    }
    NormalSkinRect = G.SkinRect;
    const auto* entry = dynamic_cast<const TskDataSkinButtonControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
    if (entry == nullptr)
        return;
    ReadButtonEntry(*entry);
    // A see-through button shows what lies behind it; there is nothing to blend.
    if (Transparent())
        FMorphingEntry = false;
    if (SkinEffectsOn() && FAnimateTimer->Enabled())
        FAnimation.ApplyFrame(ActiveSkinRect, NormalSkinRect, AnimateSkinRect, G.SkinRect, FrameCount);
}

void TskSkinSpeedButton::CalcSize(int& AWidth, int& AHeight)
{
    if (UseSkinSize || G.ResizeMode == 1) {
        TskGraphicSkinCustomControl::CalcSize(AWidth, AHeight);
        return;
    }
    G.NewClRect = G.GrownClRect(AWidth, AHeight);
}

void TskSkinSpeedButton::ChangeSkinData()
{
    StopAnimation();
    StopMorphing();
    TskGraphicSkinCustomControl::ChangeSkinData();
    if (MorphingActive() && FIndex != -1 && FMouseIn && !Transparent())
        FMorph.Kf = 1;
}

void TskSkinSpeedButton::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    int w = Width(), h = Height();
    CalcSize(w, h);
    const bool idle = !ShowsDown() && !FMouseIn && !(MorphingActive() && FMorph.Kf == 1);
    if (Transparent() && idle) {
        PaintTransparentContent(FIndex == -1 ? ClientRect() : G.NewClRect);
        return;
    }
    TBitmap B(Width(), Height());
    BuildImage(B);
    Canvas()->Draw(0, 0, &B);
}

void TskSkinSpeedButton::BuildImage(TBitmap& B)
{
    if (FIndex == -1) {
        CreateControlDefaultImage(B);
        return;
    }
    if (DrawMorph(B))
        return;
    if (ShowsDown())
        CreateButtonImage(B, DownSkinRect, true, true);
    else if (FMouseIn || (MorphingActive() && FMorph.Kf == 1))
        CreateButtonImage(B, ActiveSkinRect, false, true);
    else if (!Enabled() && !IsNullRect(DisabledSkinRect))
        CreateButtonImage(B, DisabledSkinRect, false, false);
    else
        CreateButtonImage(B, NormalSkinRect, false, false);
}

void TskSkinSpeedButton::PaintTransparentContent(const TRect& R)
{
    TCanvas& canvas = *Canvas();
    const bool skinned = FIndex != -1;
    SetCaptionFont(canvas, DefaultFont(), skinned && UseSkinFont, SkinData());
    TColor color = DefaultFont()->Color();
    if (!Enabled())
        color = skinned ? SkinData()->SkinColors.cBtnShadow() : clBtnShadow;
    else if (skinned && UseSkinFontColor)
        color = SkinData()->SkinColors.cBtnText();
    canvas.Font()->SetColor(color);
    DrawContent(canvas, ContentRect(R), false, false, false);
}

void TskSkinSpeedButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    TRect content = G.NewClRect;
    if (!UseSkinSize && G.ResizeMode != 1) {
        if (G.Picture != nullptr) {
            if (G.ResizeMode == 0)
                B.Canvas()->CopyRect(Rect(0, 0, B.Width(), B.Height()), G.Picture->Canvas(), R);
            else
                CreateStretchImage(B, *G.Picture, R, G.ClRect, true);
        }
        content = G.ClRect;
        content.Right += B.Width() - R.Width();
        content.Bottom += B.Height() - R.Height();
    } else {
        CreateResizedImage(B, G.Picture, R);
    }
    TCanvas& canvas = *B.Canvas();
    SetCaptionFont(canvas, DefaultFont(), UseSkinFont, SkinData());
    canvas.Font()->SetColor(StateFontColor(Enabled(), UseSkinFontColor, DefaultFont()->Color(), ADown, AMouseIn));
    DrawContent(canvas, ContentRect(content), ADown, AMouseIn, ADown && AMouseIn);
}

void TskSkinSpeedButton::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& canvas = *B.Canvas();
    const TRect r = ClientRect();
    FillPressableFace(canvas, r, DefaultFace());
    SetCaptionFont(canvas, DefaultFont(), false, SkinData());
    if (!Enabled())
        canvas.Font()->SetColor(clBtnShadow);
    DrawContent(canvas, ContentRect(r), FDown, FMouseIn, ShowsDown());
}

TskPressableFace TskSkinSpeedButton::DefaultFace() const
{
    if (ShowsDown())
        return TskPressableFace::Down;
    if (FMouseIn)
        return TskPressableFace::Hot;
    return FFlat ? TskPressableFace::Flat : TskPressableFace::Normal;
}

void TskSkinSpeedButton::DrawContent(TCanvas& canvas, const TRect& R, bool ADown, bool AMouseIn, bool Pressed)
{
    bool drawDefault = true;
    if (OnPaint) {
        OnPaint(this, &canvas, R, ADown, AMouseIn, drawDefault);
        if (!drawDefault)
            return;
    }
    canvas.Brush()->SetStyle(bsClear);
    TskCaptionStyle style;
    style.Margin = FMargin;
    style.Spacing = FSpacing;
    style.Layout = int(FLayout);
    std::string caption = FShowCaption ? Caption() : std::string();
    TskSkinImagesMenu* imagesMenu = FSkinImagesMenu;
    const TskImagesMenuItem* chosen = imagesMenu != nullptr ? imagesMenu->SelectedItem() : nullptr;
    if (chosen != nullptr && UseImagesMenuImage && imagesMenu->Images() != nullptr) {
        if (UseImagesMenuCaption)
            caption = chosen->Caption;
        style.Down = Pressed;
        const TskImageSource source = ImageSourceOf(*imagesMenu->Images());
        DrawImageAndText(canvas.Handle(), R, style, caption, chosen->ImageIndex, &source, Enabled());
        return;
    }
    TCustomImageList* images = nullptr;
    bool enabledLook = Enabled();
    if (auto* bar = dynamic_cast<TskSkinToolBar*>(Parent()); bar != nullptr && FGlyph->Empty()) {
        images = bar->Images();
        if (!Enabled() && bar->DisabledImages() != nullptr) {
            images = bar->DisabledImages();
            enabledLook = true;
        } else if ((AMouseIn || ADown) && bar->HotImages() != nullptr) {
            images = bar->HotImages();
        }
    } else if (FGlyph->Empty() && FButtonImages != nullptr && FImageIndex >= 0 &&
               FImageIndex < FButtonImages->Count()) {
        images = FButtonImages;
    }
    if (images != nullptr) {
        style.Down = Pressed;
        const TskImageSource source = ImageSourceOf(*images);
        DrawImageAndText(canvas.Handle(), R, style, caption, FImageIndex, &source, enabledLook);
        return;
    }
    style.Down = Pressed;
    TskBitmap glyph;
    if (!FGlyph->Empty())
        glyph.Assign(FGlyph.get());
    DrawGlyphAndText(canvas.Handle(), R, style, caption, glyph, FNumGlyphs,
                     ButtonGlyphNum(ADown, AMouseIn, Enabled(), FNumGlyphs));
}

} // namespace tovrel
