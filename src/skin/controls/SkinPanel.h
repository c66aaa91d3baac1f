#pragma once
// TskSkinPanel: the skinned container, its skin image or a default look with
// a 3-D border, an optional caption band with a check box (checked mode) or a
// roll-up marker (roll-up mode), children laid out in the skin's client
// rectangle. TskSkinPaintPanel lets its owner paint the client area;
// TskSkinGroupBox is a panel with a caption band and the "groupbox" entry.
#include <functional>

#include "skin/controls/SkinCustomControl.h"

namespace tovrel {

enum class TskSkinBorderStyle : std::uint8_t { bvFrame, bvRaised, bvLowered, bvNone };

class TskSkinPanel : public TskSkinCustomControl {
public:
    explicit TskSkinPanel(TComponent* AOwner);

    bool CaptionMode() const { return FCaptionMode; }
    virtual void SetCaptionMode(bool Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    virtual void SetDefaultCaptionHeight(int Value);
    TAlignment DefaultAlignment() const { return FDefaultAlignment; }
    void SetDefaultAlignment(TAlignment Value);
    bool RibbonStyle() const { return FRibbonStyle; }
    void SetRibbonStyle(bool Value);
    TskSkinBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TskSkinBorderStyle Value);
    bool CheckedMode() const { return FCheckedMode; }
    void SetCheckedMode(bool Value);
    bool Checked() const { return FChecked; }
    // Stores, enables the children with AutoEnabledControls in checked mode,
    // and fires OnChecked every time.
    void SetChecked(bool Value);
    bool RollUpMode() const { return FRollUpMode; }
    void SetRollUpMode(bool Value);
    bool RollUpState() const { return FRollUpState; }
    // Outside roll-up mode it stays false.
    void SetRollUpState(bool Value);
    int RealHeight() const { return FRealHeight; }
    void DoRollUp(bool ARollUp);
    // (0, 0, Width, Height) through AdjustClientRect.
    TRect GetSkinClientRect() const;

    bool AutoEnabledControls = true;
    TNotifyEvent OnChecked;
    TNotifyEvent OnChangeRollUpState;

    // From the entry.
    TRect CaptionRect;
    TAlignment Alignment = TAlignment::taCenter;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0;
    int BGPictureIndex = -1;
    TRect CheckImageRect, UnCheckImageRect, MarkFrameRect;
    // The caption rectangle at the current size.
    TRect NewCaptionRect;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void AdjustClientRect(TRect& Rect) const override;

protected:
    // The hook for painting the client area onto the panel's image.
    virtual void PaintClient(TCanvas* /*Canvas*/) {}
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;

private:
    // The default look's caption band, inside its frames.
    TRect DefaultCaptionBand() const;
    void DrawSkinCaption(TCanvas& C);
    void RepaintAndRealign();

    bool FCaptionMode = false;
    int FDefaultCaptionHeight = 22;
    TAlignment FDefaultAlignment = TAlignment::taLeftJustify;
    bool FRibbonStyle = false;
    TskSkinBorderStyle FBorderStyle = TskSkinBorderStyle::bvFrame;
    bool FCheckedMode = false;
    bool FChecked = false;
    bool FRollUpMode = false;
    bool FRollUpState = false;
    int FRealHeight = -1;
};

using TskPaintPanelEvent = std::function<void(TCanvas* Cnvs, TRect R)>;

class TskSkinPaintPanel : public TskSkinPanel {
public:
    explicit TskSkinPaintPanel(TComponent* AOwner);
    TskPaintPanelEvent OnPanelPaint;

protected:
    void PaintClient(TCanvas* Canvas) override;
};

class TskSkinGroupBox : public TskSkinPanel {
public:
    explicit TskSkinGroupBox(TComponent* AOwner);
};

} // namespace tovrel
