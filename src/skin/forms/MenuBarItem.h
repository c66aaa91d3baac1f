#pragma once
// The objects of the skinned main menu bar: the state every bar object
// shares (hot, pressed, morph factor) and the top-level item, which sizes
// itself from its caption, hides itself when it does not fit, and draws its
// normal, hot and pressed looks from the skin's item entry or in the
// built-in look, with the hover morph and the frame animation of the skin.
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/ControlTypes.h"
#include "platform/vcl/GraphicsTypes.h"
#include "skin/data/SkinTypes.h"

#include <string>

namespace tovrel {

class TCanvas;
class TMenuItem;
class TskDataSkinObject;
class TskDataSkinMainMenuItem;
class TskSkinData;
class TskSkinMainMenuBar;

class TskMenuBarObject {
public:
    TskMenuBarObject(TskSkinMainMenuBar* AParent, const TskDataSkinObject* AData);
    virtual ~TskMenuBarObject() = default;

    // A state change shown: the morph timer runs when the object morphs, else it is drawn at once.
    virtual void ReDraw();
    virtual void Draw(TCanvas& /*Cnvs*/) {}
    virtual void MouseDown(int /*X*/, int /*Y*/, TMouseButton /*Button*/) {}
    virtual void MouseUp(int /*X*/, int /*Y*/, TMouseButton /*Button*/) {}
    virtual void DblClick() {}
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Whether the morph factor still has a way to go.
    virtual bool CanMorphing() const;
    bool EnableMorphing() const;
    // One morph step of 0.2 towards the hot (Active) or the normal look, drawn on the bar.
    void DoMorphing();

    TskSkinMainMenuBar* Parent;
    std::string IDName;
    TBitmap* Picture = nullptr;
    TRect SkinRect, ActiveSkinRect, DownRect, ObjectRect;
    bool FMouseIn = false;
    bool FDown = false;
    bool Active = false;
    bool Enabled = true;
    bool Morphing = false;
    TskMorphKind MorphKind = TskMorphKind::mkDefault;
    double FMorphKf = 0;

protected:
    // The entry's own pressed rectangle, before an item fills an empty one in.
    TRect BaseDownRect;
};

class TskSkinMainMenuBarItem : public TskMenuBarObject {
public:
    TskSkinMainMenuBarItem(TskSkinMainMenuBar* AParent, const TskDataSkinMainMenuItem* AData);

    void ReDraw() override;
    void Draw(TCanvas& Cnvs) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;
    // Pressed: its sub-menu opens. Released: it goes back to normal.
    void SetItemDown(bool Value);
    void PopupItemMenu();
    bool EnableAnimation() const;
    // One frame of the animation; false when the item had nothing left to play.
    bool AnimationStep();
    // Its ObjectRect from the item before it and its caption, then whether it
    // fits (hidden items are disabled and come back with their former state).
    // False when it is hidden.
    bool CalcObjectRect();
    bool HasSubItems() const;

    TMenuItem* MenuItem = nullptr;
    bool FSkinSupport = false;
    bool Visible = true;
    bool OldEnabled = true;
    TRect TextRct;
    int LO = 0, RO = 0;
    bool StretchEffect = false;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = clBlack, ActiveFontColor = clBlack, DownFontColor = clBlack, UnEnabledFontColor = clGray;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 25;
    bool InActiveAnimation = false;
    int CurrentFrame = 0;

private:
    void DefaultDraw(TCanvas& Cnvs);
    void SkinDraw(TCanvas& Cnvs);
    // The item's image of R (active: the hot colours, stretched middle) in B.
    void CreateItemImage(TBitmap& B, TCanvas& Cnvs, const TRect& R, bool AActive);
    void PrepareFont(TCanvas& C) const;
    // The caption in the text rectangle, or the menu item's own drawing.
    void DrawCaption(TCanvas& C, TRect R, bool Selected);
    int CaptionWidth() const;
    TRect FrameRect(int K) const;
    // Leaving: without a backward animation the first frame comes back at once.
    void ResetAnimation();
};

} // namespace tovrel
