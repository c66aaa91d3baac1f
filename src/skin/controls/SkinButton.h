#pragma once
// The skinned push button: a separate skin image for each state (normal, hot,
// pressed, focused, disabled), the caption font and colours of the state from
// its entry, toggle groups, auto-repeat while held, Default, Cancel and
// ModalResult for dialogs, and the hover effects (SkinButtonEffects.cpp).
#include <functional>
#include <memory>
#include <string>

#include "platform/vcl/Forms.h"
#include "skin/controls/SkinButtonEffects.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinHoverMorph.h"
#include "skin/draw/LayerManager.h"

namespace tovrel {

enum class TskMorphKind : std::uint8_t;
template <class B> struct TskButtonBehaviour;

// A push button posts these to itself on mouse enter and leave, so the glow
// work runs after the mouse message.
constexpr unsigned ShowLayerMessage = 1424;
constexpr unsigned HideLayerMessage = 1425;

enum TskButtonLayout : std::uint8_t { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

// Custom drawing after the state image and the font, before image and caption;
// clearing DrawDefault leaves image and caption out.
using TskButtonPaintEvent =
    std::function<void(TObject* Sender, TCanvas* Cnvs, TRect R, bool ADown, bool AMouseIn, bool& DrawDefault)>;

class TskSkinButton : public TskSkinCustomControl, protected TskButtonEntryLook {
public:
    explicit TskSkinButton(TComponent* AOwner);
    ~TskSkinButton() override;

    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    // 1 normal, 2 disabled, 3 pressed, 4 hot; clamped to 1..4.
    void SetNumGlyphs(int Value);
    TCustomImageList* ImageList() const { return FImageList; }
    void SetImageList(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    TskButtonLayout Layout() const { return FLayout; }
    void SetLayout(TskButtonLayout Value);
    int Margin() const { return FMargin; }
    // Values below -1 are refused; -1 centres image and text together.
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);

    bool Down() const { return FDown; }
    // Stores, drives the morph, repaints and releases the group's other buttons.
    void SetDown(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    // A non-zero group makes the button a toggle that cannot take the focus.
    void SetGroupIndex(int Value);
    bool AllowAllUp = false;
    bool RepeatMode = false;
    int RepeatInterval = 100;
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);
    bool Default() const { return FDefault; }
    // Every button of the form re-evaluates which one answers Enter.
    void SetDefault(bool Value);
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    bool UseSkinSize = true;
    bool UseSkinFontColor = true;
    bool AlwaysShowLayeredFrame = false;
    TskButtonPaintEvent OnPaint;

    // The one place that clicks: the form's ModalResult, then OnClick.
    virtual void ButtonClick();
    // Forgets the hover and pressed state and any running effect, and repaints.
    void RefreshButton();
    // Shows or hides the glow frame around the button.
    void ShowLayer();
    void HideLayer();

    void GetSkinData() override;
    void ChangeSkinData() override;
    void BeforeChangeSkinData() override;
    void CalcSize(int& AWidth, int& AHeight) override;

    // State, for tests and the gallery.
    bool MouseIn() const { return FMouseIn; }
    bool ActsOnEnter() const { return FActive; }
    double MorphFactor() const { return FMorph.Kf; }
    bool Morphing() const { return FMorphTimer; }
    int CurrentFrame() const { return FAnimation.CurrentFrame; }
    const TskLayerManager& LayerManager() const { return *FLayerManager; }

protected:
    // One state image with its caption into B at the control's size.
    virtual void CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn);
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& /*B*/) override {}
    void Paint() override;
    void WndProc(TMessage& message) override;
    void CreateWnd() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    template <class T> void StoreAndRepaint(T& Field, T Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }
    // The look the button shows now, into B (control size).
    void BuildImage(TBitmap& B);
    void DrawCaption(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn, bool GlyphDown);
    bool IsFocused();
    // The mouse is over the button, or it has the focus and can take it.
    bool Hot();
    bool ShowsPressed();
    void SetMouseIn(bool Value) { FMouseIn = Value; }
    // Enter and leave share the condition under which the hot look changes.
    bool HoverChangesLook();
    void MouseEntered();
    void MouseLeft();
    void FocusChanged(TWinControl* NewFocus);
    bool HandleKeyMessage(TMessage& message);
    bool HandleDialogKey(TMessage& message);
    TCustomForm* ParentForm();

    void StartRepeat();
    void StopRepeat();
    bool Repeating() const { return FRepeatTimer; }
    void RepeatTick();
    void SetRepeatInterval(unsigned Ms);
    void SetAnimationTimer(unsigned Ms);
    friend struct TskButtonBehaviour<TskSkinButton>;

    // Hover effects (SkinButtonEffects.cpp).
    bool SkinEffectsOn() const;
    bool MorphingActive() const;
    bool AnimationApplies() const;
    void StartMorphing();
    void StopMorphing();
    void MorphTick();
    // After the hot state changed: the morph when it runs, else a repaint.
    void HotStateChanged();
    void StartAnimation(bool AInc);
    void StopAnimation();
    void AnimationTick();
    // Stops a running frame animation when the entry has one.
    void StopAnimationOnPress();
    bool DrawMorph(TBitmap& B);
    bool GlowAllowed() const;
    void ApplyAnimationFrame();
    void SetTimerFor(ULONG_PTR Id, unsigned Interval);
    void KillTimerFor(ULONG_PTR Id);

    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    TComponentRef<TCustomImageList> FImageList{*this};
    int FImageIndex = -1;
    TskButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 1;
    bool FDown = false;
    int FGroupIndex = 0;
    bool FCanFocused = true;
    bool FDefault = false;

    bool FMouseIn = false;
    bool FMouseDown = false;
    bool FActive = false;
    bool FAllowAllUpCheck = false;

    // Values of a button entry beyond the shared ones; the normal picture the paint uses.
    TRect NormalSkinRect, FocusedSkinRect;
    bool ShowFocus = false;
    int GlowLayerPictureIndex = -1, GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0, GlowLayerOffsetRight = 0, GlowLayerOffsetTop = 0, GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0, GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    // Effect and repeat state: each timer exists only while it runs.
    bool FMorphTimer = false;
    TskHoverMorph FMorph;
    bool FAnimateTimer = false;
    TskFrameAnimation FAnimation;
    bool FRepeatTimer = false;
    bool FRepeatStarted = false;
    std::unique_ptr<TskLayerManager> FLayerManager;
};

} // namespace tovrel
