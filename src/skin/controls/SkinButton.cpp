// The push button's properties, its skin entry and its pictures.
#include "skin/controls/SkinButton.h"

#include "skin/controls/SkinButtonBehaviour.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Wm.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ImageListSource.h"

namespace tovrel {

TskSkinButton::TskSkinButton(TComponent* AOwner)
    : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>()),
      FLayerManager(std::make_unique<TskLayerManager>())
{
    // Every click comes from ButtonClick; the framework's own click stays out.
    ControlStyle.Exclude(csClickEvents);
    SetSkinDataName("button");
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

TskSkinButton::~TskSkinButton()
{
    // The window's timers go with it; the glow layer goes with its manager.
    StopRepeat();
    StopMorphing();
    StopAnimation();
}

void TskSkinButton::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinButton::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value < 1 ? 1 : (Value > 4 ? 4 : Value);
    Repaint();
}

void TskSkinButton::SetImageList(TCustomImageList* Value)
{
    FImageList = Value;
    Repaint();
}

void TskSkinButton::SetImageIndex(int Value)
{
    StoreAndRepaint(FImageIndex, Value);
}

void TskSkinButton::SetLayout(TskButtonLayout Value)
{
    StoreAndRepaint(FLayout, Value);
}

void TskSkinButton::SetMargin(int Value)
{
    if (Value >= -1)
        StoreAndRepaint(FMargin, Value);
}

void TskSkinButton::SetSpacing(int Value)
{
    StoreAndRepaint(FSpacing, Value);
}

void TskSkinButton::SetGroupIndex(int Value)
{
    FGroupIndex = Value;
    if (Value != 0)
        SetCanFocused(false);
}

void TskSkinButton::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinButton::SetDefault(bool Value)
{
    FDefault = Value;
    if (HandleAllocated() && FCanFocused)
        if (TCustomForm* form = ParentForm())
            form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TskSkinButton::SetDown(bool Value)
{
    TskButtonBehaviour<TskSkinButton>::SetDown(*this, Value);
}

TCustomForm* TskSkinButton::ParentForm()
{
    return dynamic_cast<TCustomForm*>(GetParentTopLevel(this));
}

void TskSkinButton::ButtonClick()
{
    if (FCanFocused)
        if (TCustomForm* form = ParentForm())
            form->SetModalResult(ModalResult);
    if (OnClick)
        OnClick(this);
}

void TskSkinButton::RefreshButton()
{
    TskButtonBehaviour<TskSkinButton>::Refresh(*this);
}

void TskSkinButton::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    if (FIndex == -1) {
        AnimateSkinRect = TRect{};
        return;
    }
    NormalSkinRect = G.SkinRect;
    const auto* entry = dynamic_cast<const TskDataSkinButtonControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
    if (entry == nullptr)
        return;
    if (!UseSkinSize && G.MaskPicture != nullptr)
        G.MaskPicture = nullptr;
    ReadButtonEntry(*entry);
    FocusedSkinRect = entry->FocusedSkinRect;
    ShowFocus = entry->ShowFocus;
    GlowLayerPictureIndex = entry->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = entry->GlowLayerMaskPictureIndex;
    GlowLayerOffsetLeft = entry->GlowLayerOffsetLeft;
    GlowLayerOffsetRight = entry->GlowLayerOffsetRight;
    GlowLayerOffsetTop = entry->GlowLayerOffsetTop;
    GlowLayerOffsetBottom = entry->GlowLayerOffsetBottom;
    GlowLayerShowOffsetX = entry->GlowLayerShowOffsetX;
    GlowLayerShowOffsetY = entry->GlowLayerShowOffsetY;
    GlowLayerAlphaBlendValue = entry->GlowLayerAlphaBlendValue;
    ApplyAnimationFrame();
}

void TskSkinButton::CalcSize(int& AWidth, int& AHeight)
{
    if (UseSkinSize || G.ResizeMode == 1) {
        TskSkinCustomControl::CalcSize(AWidth, AHeight);
        return;
    }
    G.NewClRect = G.GrownClRect(AWidth, AHeight);
}

bool TskSkinButton::IsFocused()
{
    return FCanFocused && Focused();
}

bool TskSkinButton::Hot()
{
    return FMouseIn || IsFocused();
}

bool TskSkinButton::ShowsPressed()
{
    return FDown && (FGroupIndex != 0 || FMouseIn || (IsFocused() && !FMouseDown));
}

void TskSkinButton::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap B(Width(), Height());
    BuildImage(B);
    Canvas()->Draw(0, 0, &B);
}

void TskSkinButton::BuildImage(TBitmap& B)
{
    GetSkinData();
    int w = Width(), h = Height();
    CalcSize(w, h);
    if (FIndex == -1) {
        CreateControlDefaultImage(B);
        return;
    }
    if (DrawMorph(B))
        return;
    const bool focused = IsFocused();
    if (!Enabled() && !IsNullRect(DisabledSkinRect))
        CreateButtonImage(B, DisabledSkinRect, false, false);
    else if (ShowsPressed())
        CreateButtonImage(B, DownSkinRect, true, true);
    else if (focused && !IsNullRect(FocusedSkinRect) && !FAnimateTimer)
        CreateButtonImage(B, FocusedSkinRect, false, true);
    else if (focused || FMouseIn || (MorphingActive() && FMorph.Kf == 1))
        CreateButtonImage(B, ActiveSkinRect, false, true);
    else
        CreateButtonImage(B, NormalSkinRect, false, false);
}

void TskSkinButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    TRect textRect = G.NewClRect;
    if (!UseSkinSize && G.ResizeMode != 1) {
        if (G.Picture != nullptr) {
            if (G.ResizeMode == 0)
                B.Canvas()->CopyRect(Rect(0, 0, B.Width(), B.Height()), G.Picture->Canvas(), R);
            else
                CreateStretchImage(B, *G.Picture, R, G.ClRect, true);
        }
        textRect = G.ClRect;
        textRect.Right += B.Width() - R.Width();
        textRect.Bottom += B.Height() - R.Height();
    } else {
        CreateResizedImage(B, G.Picture, R);
    }
    TCanvas& canvas = *B.Canvas();
    SetCaptionFont(canvas, DefaultFont(), UseSkinFont, SkinData());
    canvas.Font()->SetColor(StateFontColor(Enabled(), UseSkinFontColor, DefaultFont()->Color(), ADown, AMouseIn));
    if (ShowFocus && Focused())
        DrawSkinFocusRect(canvas.Handle(), textRect);
    DrawCaption(B, textRect, ADown, AMouseIn, ADown && AMouseIn);
}

void TskSkinButton::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& canvas = *B.Canvas();
    const TRect r = ClientRect();
    const bool pressed = ShowsPressed();
    FillPressableFace(canvas, r,
                      pressed ? TskPressableFace::Down : (Hot() ? TskPressableFace::Hot : TskPressableFace::Normal));
    SetCaptionFont(canvas, DefaultFont(), false, SkinData());
    if (!Enabled())
        canvas.Font()->SetColor(clBtnShadow);
    DrawCaption(B, r, FDown, FMouseIn, pressed);
}

void TskSkinButton::DrawCaption(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn, bool GlyphDown)
{
    TCanvas& canvas = *B.Canvas();
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
    TCustomImageList* images = FImageList;
    if (images != nullptr && FImageIndex >= 0 && FImageIndex < images->Count()) {
        style.Down = ADown && AMouseIn;
        const TskImageSource source = ImageSourceOf(*images);
        DrawImageAndText(canvas.Handle(), R, style, Caption(), FImageIndex, &source, Enabled());
        return;
    }
    style.Down = GlyphDown;
    TskBitmap glyph;
    if (!FGlyph->Empty())
        glyph.Assign(FGlyph.get());
    DrawGlyphAndText(canvas.Handle(), R, style, Caption(), glyph, FNumGlyphs,
                     ButtonGlyphNum(ADown, AMouseIn, Enabled(), FNumGlyphs));
}

void TskSkinButton::ChangeSkinData()
{
    StopMorphing();
    StopAnimation();
    FMorph.Kf = 0;
    TskSkinCustomControl::ChangeSkinData();
    if (MorphingActive() && FIndex != -1 && Hot())
        FMorph.Kf = 1;
    if (FMouseIn && HandleAllocated())
        PostMessage(Handle(), ShowLayerMessage, 0, 0);
}

void TskSkinButton::BeforeChangeSkinData()
{
    TskSkinCustomControl::BeforeChangeSkinData();
    if (FLayerManager->IsVisible())
        FLayerManager->Hide();
}

} // namespace tovrel
