#pragma once
// The skinned single-line edit. The platform edit keeps the text; the frame
// lives in the window's non-client area, drawn from the skin entry "edit"
// ("buttonedit" with a button): three pieces across when the control keeps
// the skin's height, a nine-slice image when its height follows its own font.
// The client area is the text area: it gets the client part of the same skin
// image and the text is drawn over it. In ButtonMode a button at the right
// end ("editbutton" or "resizebutton") fires OnButtonClick. Without an entry
// the frame is two one-pixel rings and the button a plain face.
#include "platform/vcl/ImageList.h"
#include "skin/controls/SkinInnerEdit.h"

#include <memory>

namespace tovrel {

class TskSkinCustomEdit : public TskCustomEdit {
public:
    explicit TskSkinCustomEdit(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    // Stores; loaded skin data is applied at once.
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName = "edit";
    int SkinIndex() const { return FIndex; }
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TFont* DefaultFont() const { return FDefaultFont.get(); }
    void SetDefaultFont(const TFont* Value);
    int DefaultWidth() const { return FDefaultWidth; }
    void SetDefaultWidth(int Value);
    int DefaultHeight() const { return FDefaultHeight; }
    void SetDefaultHeight(int Value);
    bool UseSkinFont = true;
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool ButtonMode() const { return FButtonMode; }
    // Recreates the window, so that the frame makes room for the button.
    void SetButtonMode(bool Value);

    TNotifyEvent OnButtonClick;

    // Two image buttons at the ends of the text area, from Images; a button
    // exists while its normal number is 0 or more.
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int LeftImageIndex() const { return FLeftImageIndex; }
    void SetLeftImageIndex(int Value);
    int RightImageIndex() const { return FRightImageIndex; }
    void SetRightImageIndex(int Value);
    int LeftImageHotIndex = -1, LeftImageDownIndex = -1;
    int RightImageHotIndex = -1, RightImageDownIndex = -1;
    TNotifyEvent OnLeftButtonClick;
    TNotifyEvent OnRightButtonClick;
    struct TImageButton {
        TRect R; // client coordinates
        bool MouseIn = false;
        bool Down = false;
    };
    const TImageButton& LeftButton() const { return FLeftButton; }
    const TImageButton& RightButton() const { return FRightButton; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The text area and the button in window coordinates (for the frame and tests).
    TRect EditRect() const { return FEditRect; }
    TRect ButtonRect() const { return FButtonRect; }
    bool ButtonActive() const { return FButtonActive; }
    bool ButtonDown() const { return FButtonDown; }

    void GetSkinData();
    void ChangeSkinData();
    // The whole control, frame and AText, painted into C at (X, Y).
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Invalidate() override;
    // Repaints the non-client frame.
    void RepaintFrame();

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& message) override;
    // Disabled, the text is drawn here in the skin's disabled colour.
    void PaintWindow(HDC dc) override;

private:
    bool HasEntry() const { return FIndex != -1; }
    // Hot look: the pointer over the control, or the focus.
    bool HotLook() { return FMouseIn || Focused(); }
    void CalcEditRects();
    int CalcFontHeight();
    void AdjustHeightToFont();
    void NcCalcSize(TMessage& message);
    LRESULT NcHitTest(TPoint Screen);
    void NcMouse(TMessage& message);
    void MouseInChanged(bool In);
    void ApplyFontColor();
    // SkinEditFrame.cpp: the frame image of the whole window, and the client background.
    void PaintFrameImage(TBitmap& B, bool Hot);
    void PaintFrameStrip(TBitmap& B, bool Hot);
    void PaintFrameStretch(TBitmap& B, bool Hot);
    void DrawEditButton(TCanvas& C, const TRect& R);
    void PaintFrame(HDC dc, bool ExcludeText);
    void PaintEditBackground(HDC dc);
    // SkinEditImageButtons.cpp.
    void LayoutImageButtons(bool SetRect);
    void DrawImageButtons(TCanvas& C);
    bool ImageButtonHitTest(TMessage& message);
    bool ImageButtonMouse(TMessage& message);
    void ImageButtonsLeft();

    TComponentRef<TskSkinData> FSD{*this};
    int FIndex = -1;
    TColor FDefaultColor = clWindow;
    std::unique_ptr<TFont> FDefaultFont;
    int FDefaultWidth = 0, FDefaultHeight = 0;
    TAlignment FAlignment = taLeftJustify;
    bool FButtonMode = false, FButtonDown = false, FButtonActive = false;
    bool FMouseIn = false;
    TRect FEditRect, FButtonRect;
    TComponentRef<TCustomImageList> FImages{*this};
    int FLeftImageIndex = -1, FRightImageIndex = -1;
    TImageButton FLeftButton, FRightButton;

    // Copied from the entry.
    TBitmap* Picture = nullptr;
    int LOffset = 0, ROffset = 0;
    TRect ClRect, SkinRect, ActiveSkinRect;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0, DisabledFontColor = 0, ActiveFontColor = 0;
    TRect SButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    bool StretchEffect = false;
};

class TskSkinEdit : public TskSkinCustomEdit {
public:
    using TskSkinCustomEdit::TskSkinCustomEdit;
};

} // namespace tovrel
