#pragma once
// The skinned list box: a frame from a "listbox" entry (or a default look),
// an optional caption with up, down and check buttons, the inner list box in
// the client area, and skinned scroll bars created while the list needs them
// in place of the inner list box's own bars.
#include "platform/vcl/Strings.h"
#include "skin/controls/SkinCustomControl.h"
#include "skin/controls/SkinInnerListBox.h"

#include <functional>
#include <memory>

namespace tovrel {

class TskSkinScrollBar;

using TskDrawSkinItemEvent =
    std::function<void(TCanvas& Cnvs, int Index, int ItemWidth, int ItemHeight, TRect TxtRect, TOwnerDrawState State)>;

// A button of the list's caption or of a combo box.
struct TskCBButtonX {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

// What the skin's list-box entry gives the rows and the caption.
struct TskListBoxLook {
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TRect SItemRect, ActiveItemRect, FocusItemRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    TRect ItemTextRect;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    // Up, down, check: place in the skin image and hot and pressed pictures.
    TRect ButtonRect[3], ActiveButtonRect[3], DownButtonRect[3];
    std::string VScrollBarName, HScrollBarName, BothScrollBarName;
    bool ShowFocus = false;
    TRect DisabledButtonsRect, ButtonsArea;
};

class TskSkinCustomListBox : public TskSkinCustomControl {
public:
    explicit TskSkinCustomListBox(TComponent* AOwner);
    ~TskSkinCustomListBox() override;

    TskListBox* ListBox = nullptr; // owned as a child
    TskSkinScrollBar* ScrollBar = nullptr;
    TskSkinScrollBar* HScrollBar = nullptr;
    TskListBoxLook Look;

    TStrings* Items() { return ListBox->Items(); }
    void SetItems(const TStrings* Value);
    int ItemIndex() { return ListBox->ItemIndex(); }
    void SetItemIndex(int Value) { ListBox->SetItemIndex(Value); }
    int TopIndex() { return ListBox->TopIndex(); }
    void SetTopIndex(int Value) { ListBox->SetTopIndex(Value); }
    int ItemAtPos(TPoint Pos, bool Existing) { return ListBox->ItemAtPos(Pos, Existing); }
    TRect ItemRect(int Item) { return ListBox->ItemRect(Item); }
    void Clear();
    bool Sorted() const { return ListBox->Sorted(); }
    void SetSorted(bool Value);
    bool MultiSelect() const { return ListBox->MultiSelect(); }
    void SetMultiSelect(bool Value) { ListBox->SetMultiSelect(Value); }
    int Columns() const { return ListBox->Columns(); }
    void SetColumns(int Value);

    bool ShowCaptionButtons() const { return FShowCaptionButtons; }
    void SetShowCaptionButtons(bool Value);
    bool CaptionMode() const { return FCaptionMode; }
    void SetCaptionMode(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int DefaultCaptionHeight() const { return FDefaultCaptionHeight; }
    void SetDefaultCaptionHeight(int Value);
    TFont* DefaultCaptionFont() const { return FDefaultCaptionFont.get(); }
    int DefaultItemHeight() const { return FDefaultItemHeight; }
    // Values of 0 or less are refused.
    void SetDefaultItemHeight(int Value);
    bool UseSkinItemHeight = true;
    bool HorizontalExtent() const { return FHorizontalExtent; }
    void SetHorizontalExtent(bool Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    TStrings* TabWidths() const { return FTabWidths.get(); }
    void SetTabWidths(const TStrings* Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);

    TskDrawSkinItemEvent OnDrawItem;
    TNotifyEvent OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick;
    TNotifyEvent OnListBoxClick, OnListBoxDblClick;
    TKeyEvent OnListBoxKeyDown, OnListBoxKeyUp;
    TKeyPressEvent OnListBoxKeyPress;
    TMouseEvent OnListBoxMouseDown, OnListBoxMouseUp;
    TMouseMoveEvent OnListBoxMouseMove;

    // The height that shows AItemsCount rows.
    int CalcHeight(int AItemsCount);
    // Shows, hides and fills the skinned bars from the inner list's scroll state.
    void UpDateScrollBar();
    void GetSkinData() override;
    void ChangeSkinData() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The caption buttons' state, for drawing and tests.
    const TskCBButtonX& CaptionButton(int I) const { return Buttons[I]; }
    int TimerMode() const { return FTimerMode; }

    // Hooks the inner list box calls before its own handling.
    virtual int GetItemWidth(int Index, TCanvas& Cnvs);
    virtual void ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseMove(TShiftState Shift, int X, int Y);
    virtual void ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ListBoxClick();
    virtual void ListBoxDblClick();
    virtual void ListBoxKeyDown(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyUp(WORD& Key, TShiftState Shift);
    virtual void ListBoxKeyPress(char16_t& Key);
    virtual void ListBoxEnter() {}
    virtual void ListBoxExit() {}
    // Continue false swallows a message of the inner list box.
    virtual void ListBoxWProc(TMessage& /*message*/, bool& Continue) { Continue = true; }
    virtual void ListBoxCreateWnd() {}

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void DefaultFontChanged() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    friend class TskListBox;
    void AlignListControls();
    void UpdateHorizontalBar();
    void UpdateVerticalBar();
    void ShowSkinScrollBar();
    void ShowSkinHScrollBar();
    void HideSkinScrollBar();
    void HideSkinHScrollBar();
    void NameBars();
    // The font rows are drawn with on Cnvs.
    void SetItemFont(TCanvas& Cnvs);
    int VisibleItemWidth();
    // Caption buttons.
    int DefaultButtonSize() const;
    void SetDefaultButtonRects();
    void TestActiveButton(int X, int Y);
    void CaptionButtonDown(int I);
    void CaptionButtonUp(int I);
    void CaptionButtonEnter(int I);
    void CaptionButtonLeave(int I);
    void DrawCaptionButton(TCanvas& Cnvs, int I);
    void RedrawCaptionButton(int I);
    void StepSelection(int Mode);
    void RepeatTick();
    void StopRepeatTimer();
    void DrawCaptionText(TCanvas& Cnvs, const TRect& R, int Y);
    TRect MapCaptionButtonRect(const TRect& R) const;

    bool FShowCaptionButtons = true;
    bool FCaptionMode = false;
    TAlignment FAlignment = taLeftJustify;
    int FDefaultCaptionHeight = 20;
    std::unique_ptr<TFont> FDefaultCaptionFont;
    int FDefaultItemHeight = 20;
    bool FHorizontalExtent = false;
    bool FStopUpDateHScrollBar = false;
    bool FInUpdate = false;
    int FRowCount = 0;
    std::unique_ptr<TStrings> FTabWidths;
    TComponentRef<TCustomImageList> FImages{*this};
    int FImageIndex = -1;
    TRect NewClRect, ListRect, NewCaptionRect;
    TskCBButtonX Buttons[3];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    int FTimerMode = 0;
    bool WaitMode = false;
};

class TskSkinListBox : public TskSkinCustomListBox {
public:
    using TskSkinCustomListBox::TskSkinCustomListBox;
};

} // namespace tovrel
