#pragma once
// The skinned combo box: a box showing the chosen item beside a drop-down
// button, and a drop-down list (a skinned list box in a popup window that
// never takes the activation or the focus). Choosing an item copies it into
// Text, which fires OnChange only when the text changed, then OnClick, then
// Change; nothing fires while the form loads. Typing searches the items by
// prefix, and keys typed within 500 ms of each other extend the search.
//
// The editable style puts an edit part over the item area: a transparent
// inner edit (a numeric one with NumEdit) that shows and edits Text, takes
// the keys and the focus, and completes what is typed from the items.
// Choosing from the list puts the item into the edit part.
#include "platform/ctrls/Edit.h"
#include "skin/controls/SkinListBox.h"

#include <cstdint>

namespace tovrel {

class TskSkinCustomComboBox;

enum TskSkinCustomComboBoxStyle : std::uint8_t { skcbEditStyle, skcbFixedStyle };

struct TskCBItem {
    TRect R;
    TOwnerDrawState State;
};

// The drop-down list window.
class TskPopupListBox : public TskSkinListBox {
public:
    explicit TskPopupListBox(TComponent* AOwner);
    // Origin in screen coordinates.
    void Show(TPoint Origin);
    void Hide();

protected:
    bool IsTopLevel() const override { return true; }
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
};

class TskSkinCustomComboBox : public TskSkinCustomControl {
public:
    explicit TskSkinCustomComboBox(TComponent* AOwner);
    ~TskSkinCustomComboBox() override;

    TStrings* Items() { return FListBox->Items(); }
    void SetItems(const TStrings* Value) { Items()->Assign(Value); }
    int ItemIndex() { return FListBox->ItemIndex(); }
    // Copies the item into Text (OnChange when the text differs), then OnClick and Change.
    void SetItemIndex(int Value);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    int ListBoxWidth() const { return FListBoxWidth; }
    void SetListBoxWidth(int Value) { FListBoxWidth = Value; }
    bool AutoComplete = true;
    TskSkinCustomComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TskSkinCustomComboBoxStyle Value);
    bool ToolButtonStyle() const { return FToolButtonStyle; }
    void SetToolButtonStyle(bool Value);
    bool UseSkinSize = true;
    // The edit part made by the editable style is a numeric edit; read when it is made.
    bool NumEdit = false;
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // Given to the edit part when it is made.
    bool HideSelection = true;
    TColor DefaultColor() const { return FDefaultColor; }
    void SetDefaultColor(TColor Value);
    TCustomImageList* Images() const { return FListBox->Images(); }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FListBox->ImageIndex(); }
    void SetImageIndex(int Value);
    TStrings* TabWidths() const { return FListBox->TabWidths(); }
    void SetTabWidths(const TStrings* Value) { FListBox->SetTabWidths(Value); }
    void SetOnListBoxDrawItem(TskDrawSkinItemEvent Value);

    TNotifyEvent OnChange, OnClick, OnCloseUp, OnDropDown;
    TskDrawSkinItemEvent OnComboBoxDrawItem;

    virtual void DropDown();
    // True accepts the highlighted item, false puts the old one back.
    void CloseUp(bool Value);
    bool IsPopupVisible() const { return FListBox->Visible(); }
    bool CanCancelDropDown();
    TskPopupListBox* ListBox() const { return FListBox; }
    // The edit part (editable style only).
    TWinControl* EditPart() const { return FEdit; }
    // The edit part's selection; 0 and no effect without one.
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);

    void GetSkinData() override;
    void ChangeSkinData() override;
    void CalcSize(int& AWidth, int& AHeight) override;
    void Invalidate() override;
    // Paints the box at its size onto C at (X, Y), showing AText.
    void PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText);

    // The button and the item area at the current size.
    const TskCBButtonX& DropButton() const { return Button; }
    const TskCBItem& ItemArea() const { return CBItem; }
    bool DroppedDown() const { return FDropDown; }
    int AutoScrollMode() const { return TimerMode; }

protected:
    // Descendants' hook after every committed choice; nothing here.
    virtual void Change() {}
    // Makes the edit part of the editable style (the inner edit, parented by
    // the box). The box owns what it returns, hooks its window procedure
    // through EditWindowProcHook, and expects EditTextChanged from its change
    // event; a descendant may supply another edit that keeps to this.
    virtual TWinControl* CreateEditControl();
    // Sees each message of the edit part first: the list keys, committing
    // steps, completion and the closing of the list; Continue false keeps the
    // message from the edit.
    virtual void EditWindowProcHook(TMessage& message, bool& Continue);
    // The edit part's text changed: the list follows it (the first item it
    // begins, selected with AutoComplete, else scrolled to the top), then Text
    // takes it (OnChange, then Change).
    void EditTextChanged(const std::string& EditText);

    void WndProc(TMessage& message) override;
    void Paint() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void SetControlRegion() override;
    void DefaultFontChanged() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    TskPopupListBox* FListBox = nullptr;
    TWinControl* FEdit = nullptr;

private:
    bool Loading() const;
    // The edit part as an edit (null without one, or for another kind of window).
    TCustomEdit* EditBox() const;
    // The edit part: its font and colours from the skin entry or the box.
    void ApplyEditLook();
    // The edit's text colour: the active one while focused or under the pointer.
    void ShowEditActive(bool Active);
    // Erases the transparent edit with the box's face under it.
    void PaintFaceUnderEdit(HDC DC);
    // The edit part's height: one line of its font.
    int EditLineHeight() const;
    bool HasActiveLook() const { return FIndex != -1 && !Look.ActiveSkinRect.IsEmpty(); }
    void EditCancelMode(TControl* Sender);
    // An item stepped to from the edit part: the list's highlight, and with
    // Commit also Text (OnChange, OnClick, Change) with the edit's text selected.
    void StepEditItem(int Delta, bool Commit);
    // The key-up of the editable style: what was typed is completed from the items.
    void CompleteOnKeyUp(TMessage& message, bool System);
    void CompleteTypedText();
    // Drawing: the item the face shows, the looks, the item face and the button.
    int ShownIndex();
    bool ActiveLook();
    void DrawDefaultLook(TBitmap& B);
    void DrawDefaultItem(TBitmap& B);
    void DrawSkinLook(TBitmap& B, bool AlwaysNormalFrame);
    void DrawSkinItem(TBitmap& B);
    void DrawToolButtonLook(TBitmap& B, const std::string* AText);
    bool DrawToolButtonSkin(TBitmap& B, const std::string* AText);
    void DrawButtonFromEntry(TBitmap& B);
    // The shown item's image and text in T (or the owner-draw event).
    void DrawItemFace(TCanvas& C, TRect T, int W, int H, TOwnerDrawState State, const std::string* AText);
    void SetSkinItemFont(TCanvas& C, bool UseSkin);
    std::uint8_t Charset() const;
    void CalcRects();
    // After every real change of Text.
    void TextWasChanged();
    void StepItem(int Delta);
    // Enter accepts and Escape cancels an open list; true for those two keys.
    bool CloseUpOnKey(WPARAM Key);
    // Where a page key moves from Index.
    int PagedIndex(int Index, bool Up);
    void FindByTyping(char16_t C);
    int FindPrefix(const std::string& Text, int Start) const;
    void ListHook(TMessage& message);
    void TrackListHover(int X, int Y);
    void TrackDrag();
    void StartTimer(int Mode);
    void StopTimer();
    void TimerTick();
    void Wheel(const TMessage& message);
    bool OwnsControl(const TControl* C) const;

    bool FDropDown = false;
    bool FToolButtonStyle = false;
    TEditCharCase FCharCase = ecNormal;
    TColor FDefaultColor;
    bool WasInLB = false;
    int TimerMode = 0;
    int FListBoxWidth = 0;
    std::uint32_t FLastTime = 0;
    std::string FFilter;
    TskSkinCustomComboBoxStyle FStyle = skcbFixedStyle;
    bool FMouseIn = false;
    int FOldItemIndex = 0;
    int FDropDownCount = 8;
    bool FLBDown = false;
    bool FromEdit = false;
    // The edit's text changed since a key last went down there.
    bool FEditTyped = false;
    TWndMethod FListBoxWindowProc;
    TWndMethod FEditWindowProc;
    TskCBItem CBItem;
    TskCBButtonX Button;

public:
    // Skin values of the "combobox" entry.
    struct TLook {
        TRect ActiveSkinRect;
        TColor ActiveFontColor = 0;
        std::string FontName = "Arial";
        TFontStyles FontStyle;
        int FontHeight = 14;
        TRect SItemRect, FocusItemRect, ActiveItemRect;
        int ItemLeftOffset = 0, ItemRightOffset = 0;
        TRect ItemTextRect;
        TColor FontColor = 0, FocusFontColor = 0;
        TRect ButtonRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
        std::string ListBoxName;
        bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;
    } Look;
};

class TskSkinComboBox : public TskSkinCustomComboBox {
public:
    using TskSkinCustomComboBox::TskSkinCustomComboBox;
};

} // namespace tovrel
