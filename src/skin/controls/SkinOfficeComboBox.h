#pragma once
// The office-style combo box: a closed box showing the chosen entry (image,
// bold title, caption) beside a drop-down button, and an office list that
// drops down under it. It fires OnClick then OnChange on every choice, also
// when the same entry is chosen again and when ItemIndex is set from code.
#include "skin/controls/SkinOfficeListBox.h"

#include <utility>
#include <vector>

namespace tovrel {

class TskDataSkinButtonControl;

class TskSkinCustomOfficeComboBox : public TskSkinCustomControl {
public:
    explicit TskSkinCustomOfficeComboBox(TComponent* AOwner);
    ~TskSkinCustomOfficeComboBox() override;

    TskSkinOfficeItems* Items() const { return FListBox->Items(); }
    void SetItems(const TskSkinOfficeItems* Value) { FListBox->SetItems(Value); }
    int ItemIndex() const { return FListBox->ItemIndex(); }
    // The list's setter (raising for an index past the entries), then a
    // repaint and, unless the form is loading, OnClick and Change.
    void SetItemIndex(int Value);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* Value) { FListBox->SetImages(Value); }
    bool ShowItemTitle() const { return FShowItemTitle; }
    void SetShowItemTitle(bool Value);
    bool ShowItemImage() const { return FShowItemImage; }
    void SetShowItemImage(bool Value);
    bool ShowItemText() const { return FShowItemText; }
    void SetShowItemText(bool Value);
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    // True also clears UseSkinSize.
    void SetToolButtonStyle(bool Value);
    bool UseSkinSize = false;
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    int DropDownCount() const { return FDropDownCount; }
    // Negative values are ignored.
    void SetDropDownCount(int Value);
    int ListBoxWidth = 0;
    int ListBoxHeight = 0;
    bool HideSelection = true;
    // Where layered windows reach the screen: the drop-down at this opacity,
    // fading in up to it with the animation.
    bool AlphaBlend = false;
    BYTE AlphaBlendValue = 0;
    bool AlphaBlendAnimation = false;

    // Passed through to the drop-down.
    void SetListBoxSkinDataName(std::string Value) { FListBox->SetSkinDataName(std::move(Value)); }
    void SetListBoxShowItemTitles(bool Value) { FListBox->SetShowItemTitles(Value); }
    void SetListBoxShowLines(bool Value) { FListBox->SetShowLines(Value); }
    void SetListBoxItemHeight(int Value) { FListBox->SetItemHeight(Value); }
    void SetListBoxHeaderHeight(int Value) { FListBox->SetHeaderHeight(Value); }
    void SetListBoxUseSkinFont(bool Value) { FListBox->UseSkinFont = Value; }

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TskDrawSkinOfficeItemEvent OnDrawItem;

    virtual void DropDown();
    // True makes the highlighted entry the choice.
    void CloseUp(bool Value);
    bool IsPopupVisible() const { return FListBox->Visible(); }
    bool CanCancelDropDown() const { return IsPopupVisible() && !FMouseIn; }
    TskPopupOfficeListBox* ListBox() const { return FListBox; }
    // 0 none, 1 scrolling up, 2 down while a drag leaves the open list.
    int TimerMode() const { return FTimerMode; }
    TRect ButtonRect() const { return Button.R; }
    TRect ItemRect() const { return CBItem.R; }
    // The screen centre of each row the open list shows, by item index
    // (nothing while the list is closed).
    std::vector<std::pair<int, TPoint>> ShownRowCentres() const;

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& AWidth, int& AHeight) override;
    // The closed box with AText as the entry text, drawn into C at (X, Y).
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);

protected:
    virtual void Change();
    void WndProc(TMessage& message) override;
    void SetControlRegion() override;
    void DefaultFontChanged() override { Font()->Assign(DefaultFont()); }
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    struct TButtonPart {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    struct TItemPart {
        TRect R;
        bool Focused = false;
    };

    void CalcRects();
    bool Loading() const { return ComponentState().Contains(csLoading); }
    void ListBoxWindowProcHook(TMessage& message);
    void TrackListBoxMouse();
    void SetTimerMode(int Mode);
    void StopTimer();
    void TimerTick();
    // The list's index after a move; commits through ItemIndex.
    void CommitListIndex() { SetItemIndex(FListBox->ItemIndex()); }
    void WheelNotch(int Delta);
    bool IsOwnControl(const TControl* Sender) const;

    // Painting.
    int ShownIndex() const;
    bool Pressed() const { return Button.Down && Button.MouseIn; }
    bool Hot() const { return FMouseIn || Focused(); }
    void DrawDefaultFrame(TCanvas& C);
    void DrawSkinFrame(TBitmap& B);
    void DrawButton(TCanvas& C);
    void DrawResizedButton(TCanvas& C);
    void DrawDefaultItem(TCanvas& C);
    void DrawSkinItem(TBitmap& B);
    void DrawSkinSizedItem(TBitmap& B);
    void DrawDefaultToolButton(TBitmap& B, const std::string& Text);
    void DrawSkinToolButton(TBitmap& B, const std::string& Text);
    void DrawSkinMenuMarker(TCanvas& C, const TRect& R, const TskDataSkinButtonControl& Entry);
    void DrawEntryContent(TCanvas& C, TRect R, const std::string& Text, bool WithTitle);
    void SetEntryFont(TCanvas& C, const std::string& Name, TFontStyles Style, int Height) const;
    TColor GetDisabledFontColor() const;
    // The item background cut from the frame image under CBItem.R.
    void CopyFrameUnderItem(TBitmap& Item, const TBitmap& Frame) const;

    TskPopupOfficeListBox* FListBox = nullptr;
    TWndMethod FListBoxWindowProc;
    TButtonPart Button;
    TItemPart CBItem;
    bool FDropDown = false;
    int FOldItemIndex = -1;
    bool FMouseIn = false;
    bool FLBDown = false;
    bool WasInLB = false;
    int FTimerMode = 0;
    bool FShowItemTitle = true, FShowItemImage = true, FShowItemText = true;
    bool FToolButtonStyle = false;
    TColor FDefaultColor;
    int FDropDownCount = 7;
    std::string FText;

    // Copies of the "combobox" entry; FComboEntry false without one.
    bool FComboEntry = false;
    TRect ActiveSkinRect, SItemRect, ActiveItemRect, FocusItemRect, ItemTextRect;
    TRect CBButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    std::string FontName;
    TFontStyles FontStyle;
    int FontHeight = 0;
    TColor FontColor = 0, ActiveFontColor = 0, FocusFontColor = 0;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
};

class TskSkinOfficeComboBox : public TskSkinCustomOfficeComboBox {
public:
    using TskSkinCustomOfficeComboBox::TskSkinCustomOfficeComboBox;
};

} // namespace tovrel
