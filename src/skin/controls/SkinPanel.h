#pragma once
// TskSkinPanel: the skinned container, its skin image or a default look with
// a 3-D border, an optional caption band with a glyph or image, a check box
// (checked mode) or a roll-up marker (roll-up mode), a transparent mode that
// shows the parent through it, children laid out in the skin's client
// rectangle. TskSkinPaintPanel lets its owner paint the client area;
// TskSkinGroupBox is a panel with a caption band and the "groupbox" entry.
#include <functional>
#include <memory>

#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinCustomControl.h"

namespace tovrel {

enum class TskSkinBorderStyle : std::uint8_t { bvFrame, bvRaised, bvLowered, bvNone };
// skipLeft: a skinned caption's glyph or image at the band's left end,
// whatever the text's alignment.
enum class TskImagePosition : std::uint8_t { skipDefault, skipLeft };

class TskSkinPanel : public TskSkinCustomControl {
public:
    explicit TskSkinPanel(TComponent* AOwner);
    ~TskSkinPanel() override;

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
    // The caption's glyph strip (a copy; the second of two glyphs while
    // disabled), or else the image of the caption image list.
    TBitmap* Glyph() const { return FGlyph.get(); }
    void SetGlyph(const TBitmap* Value);
    int NumGlyphs() const { return FNumGlyphs; }
    // 1 or 2.
    void SetNumGlyphs(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TCustomImageList* CaptionImageList() const { return FCaptionImageList; }
    void SetCaptionImageList(TCustomImageList* Value);
    int CaptionImageIndex() const { return FCaptionImageIndex; }
    void SetCaptionImageIndex(int Value);
    TskImagePosition ImagePosition() const { return FImagePosition; }
    void SetImagePosition(TskImagePosition Value);
    // Skinned: the parent's background instead of the skin image, with a
    // thin frame, or a group frame round a caption in caption mode.
    bool TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(bool Value);
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
    // A three-piece strip of the picture drawn behind the caption's text;
    // FrameTextRect is the text's place inside it.
    TRect FrameRect, FrameTextRect;
    int FrameLeftOffset = 0, FrameRightOffset = 0;
    // The caption rectangle at the current size.
    TRect NewCaptionRect;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void AdjustClientRect(TRect& Rect) const override;

protected:
    // The hook for painting the client area onto the panel's image.
    virtual void PaintClient(TCanvas* /*Canvas*/) {}
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WndProc(TMessage& Message) override;
    void CheckParentBackground() override;

private:
    // The default look's caption band, inside its frames.
    TRect DefaultCaptionBand() const;
    void DrawSkinCaption(TCanvas& C);
    // The frame strip behind a text TextWidth wide at TextX; moves the text
    // and the picture into it.
    void DrawCaptionFrameStrip(TCanvas& C, int TextWidth, int& TextX, int& PictureX) const;
    // The skin's check or uncheck image at X, centred on Band, in checked
    // mode; its width, 0 when nothing was drawn.
    int DrawSkinCheckMark(TCanvas& C, int X, const TRect& Band) const;
    // The entry's caption font (or DefaultFont) and the skin's character set.
    void UseCaptionFont(TCanvas& C) const;
    void RepaintAndRealign();
    // The glyph's or caption image's size; empty when there is none.
    TSize CaptionPictureSize() const;
    // At X, centred on the band R's height.
    void DrawCaptionPicture(TCanvas& C, int X, const TRect& R) const;
    // The text's width plus, with a picture, its width and the spacing.
    int GetCaptionWidth(int TextWidth) const;
    // Whole-area pictures of the skin in place of the skin image; false when
    // none applies.
    bool PaintWholeAreaPicture();
    void PaintTransparent();
    void DrawTransparentGroupFrame(TCanvas& C);

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
    std::unique_ptr<TBitmap> FGlyph;
    int FNumGlyphs = 1;
    int FSpacing = 2;
    TComponentRef<TCustomImageList> FCaptionImageList{*this, [this] { Repaint(); }};
    int FCaptionImageIndex = -1;
    TskImagePosition FImagePosition = TskImagePosition::skipDefault;
    bool FTransparentMode = false;
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
