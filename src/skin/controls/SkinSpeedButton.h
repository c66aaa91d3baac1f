#pragma once
// The skinned speed button: a tool button without a window (it never takes
// the focus), drawn from a button entry ("toolbutton" by default) with a hot,
// a pressed and a disabled picture, a glyph strip or an image-list image and
// an optional caption. It stays down in a group of exclusive buttons
// (GroupIndex, AllowAllUp), repeats its click while held (RepeatMode), and
// morphs and animates on hover when the skin allows effects. Its timers run
// on the window layer's clock. In a skinned tool bar it takes the bar's
// image lists.
#include <memory>

#include "platform/vcl/Timer.h"
#include "skin/controls/GraphicSkinCustomControl.h"
#include "skin/controls/SkinButton.h"
#include "skin/menus/SkinImagesMenu.h"

namespace tovrel {

class TskSkinSpeedButton : public TskGraphicSkinCustomControl, protected TskButtonEntryLook {
public:
    explicit TskSkinSpeedButton(TComponent* AOwner);
    ~TskSkinSpeedButton() override;

    TCustomImageList* ImageList() const { return FButtonImages; }
    void SetImageList(TCustomImageList* Value) { FButtonImages = Value; }
    int ImageIndex() const { return FImageIndex; }
    // Repaints only inside a skinned tool bar, whose lists the button draws from.
    void SetImageIndex(int Value);
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    // 1 normal, 2 disabled, 3 pressed, 4 hot; clamped to 1..4.
    void SetNumGlyphs(int Value);
    int Margin() const { return FMargin; }
    // Values below -1 are refused; -1 centres image and text together.
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TskButtonLayout Layout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    bool Transparent() const { return !ControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool Flat() const { return FFlat; }
    // Also sets Transparent.
    void SetFlat(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    // Takes WidthWithCaption or WidthWithoutCaption when both are set.
    void SetShowCaption(bool Value);

    bool Down() const { return FDown; }
    // Stores, drives the morph, repaints and, in a group without AllowAllUp,
    // raises the other buttons of the group.
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value) { FGroupIndex = Value; }
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    int WidthWithCaption = 0, WidthWithoutCaption = 0;
    TskButtonPaintEvent OnPaint;

    // The one place that clicks.
    virtual void ButtonClick();
    // Forgets the hover and pressed state and any running effect, and repaints.
    void RefreshButton();

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& AWidth, int& AHeight) override;

    // State, for tests and the gallery.
    bool MouseIn() const { return FMouseIn; }
    double MorphFactor() const { return FMorph.Kf; }
    bool Morphing() const { return FMorphTimer->Enabled(); }
    bool Repeating() const { return FRepeatTimer->Enabled(); }
    int CurrentFrame() const { return FAnimation.CurrentFrame; }

protected:
    // One state picture R with its caption into B at the control's size.
    virtual void CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn);
    // Where image and caption go; the menu button keeps its marker strip free.
    virtual TRect ContentRect(const TRect& R) const { return R; }
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& /*B*/) override {}
    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    virtual void MouseEntered();
    virtual void MouseLeft();
    // The down look: down and (hovered or in a group).
    bool ShowsDown() const { return FDown && (FMouseIn || FGroupIndex != 0); }
    // The default look's face for the state.
    TskPressableFace DefaultFace() const;
    // Image and caption (after OnPaint) into R of canvas.
    void DrawContent(TCanvas& canvas, const TRect& R, bool ADown, bool AMouseIn, bool Pressed);
    // The content of the transparent idle look straight onto the canvas.
    void PaintTransparentContent(const TRect& R);
    bool SkinEffectsOn() const;
    bool MorphingActive() const;

    bool FMouseIn = false;
    bool FDown = false;
    bool FMouseDown = false;
    int FGroupIndex = 0;
    // The images-menu link the menu button offers: its chosen image and
    // caption can stand in for the button's own.
    TComponentRef<TskSkinImagesMenu> FSkinImagesMenu{*this};
    bool UseImagesMenuImage = false, UseImagesMenuCaption = false;

private:
    template <class T> void StoreAndRepaint(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }
    void BuildImage(TBitmap& B);
    bool DrawMorph(TBitmap& B);
    bool AnimationApplies() const;
    void StartMorphing();
    void StopMorphing();
    void MorphTick();
    // After the hot state changed: the morph when it runs, else a repaint.
    void HotStateChanged();
    void StartAnimation(bool AInc);
    void StopAnimation();
    void AnimationTick();
    void StartRepeat();
    void StopRepeat();
    void RepeatTick();
    void SetRepeatInterval(unsigned Ms);
    void SetAnimationTimer(unsigned Ms);
    void StopAnimationOnPress();
    friend struct TskButtonBehaviour<TskSkinSpeedButton>;

    std::unique_ptr<TBitmap> FGlyph;
    TComponentRef<TCustomImageList> FButtonImages{*this};
    int FImageIndex = 0;
    int FNumGlyphs = 1;
    int FMargin = -1;
    int FSpacing = 1;
    TskButtonLayout FLayout = blGlyphLeft;
    bool FFlat = false;
    bool FShowCaption = true;
    bool FAllowAllUpCheck = false;
    TRect NormalSkinRect;

    TskHoverMorph FMorph;
    TskFrameAnimation FAnimation;
    bool FRepeatStarted = false;
    std::unique_ptr<TTimer> FMorphTimer, FAnimateTimer, FRepeatTimer;
};

} // namespace tovrel
