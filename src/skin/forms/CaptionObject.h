#pragma once
// The caption object: the form's title in the skin's caption font (label
// image, light and shadow copies, glow or reflection, ellipsis), its active
// and inactive looks, and the quick buttons at the caption's left end.
#include <memory>

#include "skin/forms/FrameObjects.h"

namespace tovrel {

class TskQuickButtonItem;

class TskSkinCaptionObject : public TskActiveSkinObject {
public:
    TskSkinCaptionObject(TskSkinForm* AParent, TskDataSkinObject* AData);

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseMove(int X, int Y) override;
    // Active means "the form is active" for the caption; the pointer changes nothing.
    void MouseEnter() override;
    void MouseLeave() override;

    bool EnableAnimation() const;
    // The strip's frame CurrentFrame (stacked when the strip is taller than the caption).
    TRect AnimateFrameRect() const;
    // The text area relative to the object at its current width.
    TRect TextRect() const;
    // Items and an image list: the buttons take part.
    bool HasQuickButtons() const;
    // Window coordinates; hot state, repaint and hint of the button under (X, Y).
    void TestQuickButtons(int X, int Y);

    int ActiveQuickButton = -1;
    int OldActiveQuickButton = -1;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0;
    TColor ShadowColor = 0, ActiveShadowColor = 0;
    bool Shadow = false;
    TColor LightColor = 0, ActiveLightColor = 0;
    bool Light = false;
    TAlignment Alignment = TAlignment::taLeftJustify;
    TRect TextRct;
    TRect FrameRect, ActiveFrameRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    TRect FrameTextRect;
    bool StretchEffect = false;
    bool FullFrame = false;
    int FIncTime = 0;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    int CurrentFrame = 0;
    bool InActiveAnimation = false;
    bool VistaGlowEffect = false, VistaGlowInActiveEffect = false;
    bool GlowEffect = false, GlowInActiveEffect = false;
    int GlowSize = 0;
    TColor GlowColor = 0, GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0, ReflectionActiveColor = 0;
    int ReflectionOffset = 0;

private:
    void RepaintFrame() const;
    // The quick button under (X, Y) goes down (Press) or up; false when there is none.
    bool PressQuickButton(int X, int Y, bool Press);
    void SetCaptionFont(TCanvas* C, TColor Color) const;
    // The caption picture Src of Pic at the object's size, ends kept where
    // they lie in the frame's fixed corners, with the text of AActive on it.
    std::unique_ptr<TBitmap> CreateCaptionImage(TRect Src, TBitmap* Pic, bool AActive) const;
    void DrawCaptionText(TCanvas* C, int DX, int DY, bool AActive) const;
    void DrawQuickButtons(TCanvas* Cnvs);
    void DrawQuickButton(TCanvas* Cnvs, const TskQuickButtonItem& Item) const;
    void DrawImage(TCanvas* Cnvs, TBitmap& Image, bool InActiveEffect) const;
};

} // namespace tovrel
