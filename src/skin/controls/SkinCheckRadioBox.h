#pragma once
// TskSkinCheckRadioBox: one class for the skinned check box and radio button.
// Flat (the default): transparent over the parent, the skin giving only the
// marks and the font. Not flat: the whole box is a skin image with a check
// area and a text area, and blends to its hot image under the mouse.
#include "platform/ctrls/Button.h"
#include "skin/controls/SkinCheckMarks.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinHoverMorph.h"

#include <string>

namespace tovrel {

class TskSkinCheckRadioBox : public TskSkinCustomControl {
public:
    explicit TskSkinCheckRadioBox(TComponent* AOwner);
    ~TskSkinCheckRadioBox() override;

    bool Checked() const { return FChecked; }
    // Checking unchecks the others of the group; unchecking a grayed box
    // leaves it grayed. OnClick follows (a radio button's only when checked),
    // from code as from the user.
    void SetChecked(bool Value);
    TCheckBoxState State() const { return FState; }
    // No group handling; OnClick always.
    void SetState(TCheckBoxState Value);
    // A check box: the opposite; a radio button: checked.
    virtual void Toggle();

    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value);
    bool Radio() const { return FRadio; }
    void SetRadio(bool Value);
    // Boxes of one parent with the same non-zero index are exclusive.
    int GroupIndex = 0;
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool UseSkinFontColor = true;
    bool CanFocused() const { return FCanFocused; }
    // Also sets TabStop.
    void SetCanFocused(bool Value);
    bool MouseIn() const { return FMouseIn; }
    double MorphFactor() const { return FMorph.Kf; }

    // The box as it looks now, with AChecked in place of Checked, at (X, Y).
    void PaintSkinTo(TCanvas* C, int X, int Y, bool AChecked);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CheckParentBackground() override;
    void CalcSize(int& AWidth, int& AHeight) override;

protected:
    void WndProc(TMessage& message) override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    // What one picture of the box shows.
    struct TLook {
        TCheckBoxState State = cbUnchecked;
        bool MouseIn = false; // hot marks, hot frame
        bool Hot = false;     // non-flat: the hot image
        bool Focus = false;   // focus frame
        bool Enabled = true;
        bool DefaultFrame = false; // without entry: the frame only shows hover
    };
    TLook CurrentLook() const;
    bool HasFocusFrame() const;
    bool MorphingActive() const;
    void HoverChanged();
    void StartMorphing();
    void StopMorphing();
    void MorphTick();
    void DoClick();
    void UncheckGroup();

    // Looks the entry up and fits the mark and text areas to the current size.
    void LookUpEntry();

    // Painting (SkinCheckRadioPaint.cpp).
    void BuildImage(TBitmap& B, const TLook& look);
    void BuildFlatImage(TBitmap& B, const TLook& look);
    void BuildBoxImage(TBitmap& B, const TRect& skinRect, const TLook& look);
    void BuildDefaultBoxImage(TBitmap& B, const TLook& look);
    void ChooseTextFont(TCanvas& canvas) const;
    TColor FlatTextColor() const;
    bool HasIcon() const;

    bool FChecked = false;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
    bool FRadio = false;
    bool FFlat = true;
    bool FWordWrap = false;
    TComponentRef<TCustomImageList> FImages{*this};
    int FImageIndex = 0;
    bool FCanFocused = true;
    bool FMouseIn = false;
    bool FMorphTimer = false;
    TskHoverMorph FMorph;

    // Copied from a check-radio entry.
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FrameFontColor = 0, UnEnabledFontColor = 0;
    TRect ActiveSkinRect, CheckImageArea, TextArea;
    TskCheckMarkRects Marks;
    bool Morphing = false;
    TskMorphKind MorphKind{};
    // Where the mark and the caption go in non-flat mode, for the current size.
    TRect CIRect, NewTextArea;
};

} // namespace tovrel
