#pragma once
// The combo box: csSimple (edit over a list always shown), csDropDown (edit
// with a drop-down list) and csDropDownList (fixed text with a drop-down
// list). The items live in the list box part; CB_* messages and Items go
// through the combo. The drop-down is a popup window that never takes the
// focus: while it is open the combo keeps the focus and the capture, keys
// move the list's selection, and a press on the button can be dragged onto
// an item and released to choose it.
//
// CBN_* notifications reach the combo as CN_COMMAND: CBN_SELCHANGE sets Text
// and calls Click then Select (OnSelect, or Change when there is none);
// CBN_EDITCHANGE calls Change; CBN_DROPDOWN and CBN_CLOSEUP call DropDown
// and CloseUp. Choosing with the mouse sends CBN_SELENDOK, CBN_CLOSEUP, then
// CBN_SELCHANGE when the choice differs; Escape or a click elsewhere sends
// CBN_SELENDCANCEL and CBN_CLOSEUP and puts the old selection back.
#include "platform/ctrls/CommonControls.h"
#include "platform/ctrls/Edit.h"
#include "platform/ctrls/ListBox.h"

#include <memory>

namespace tovrel {

enum TComboBoxStyle : std::uint8_t { csDropDown, csSimple, csDropDownList };

class TCustomComboBox;

// The list part: a child of a simple combo, a popup of the drop-down ones.
class TComboList : public TCustomListBox {
public:
    TComboList(TCustomComboBox& combo);
    bool Popup() const { return popup_; }
    void SetPopup(bool popup);
    void DefaultHandler(TMessage& message) override;

protected:
    bool IsTopLevel() const override { return popup_; }
    void CreateParams(TCreateParams& params) override;
    void Click() override;

private:
    TCustomComboBox& combo_;
    bool popup_ = true;
};

// The edit part of csSimple and csDropDown.
class TComboEdit : public TCustomEdit {
public:
    explicit TComboEdit(TCustomComboBox& combo);
    void DefaultHandler(TMessage& message) override;

protected:
    void Change() override;

private:
    TCustomComboBox& combo_;
};

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings* Items() { return items_.get(); }
    int ItemIndex();
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value) { dropDownCount_ = value > 0 ? value : dropDownCount_; }
    bool DroppedDown() const { return dropped_; }
    void SetDroppedDown(bool value);
    int ItemHeight() const { return list_->ItemHeight(); }
    void SetItemHeight(int value) { list_->SetItemHeight(value); }
    // The edit part (null for csDropDownList) and the list part.
    TCustomEdit* EditPart() const { return edit_; }
    TCustomListBox* ListPart() const { return list_; }
    void Clear() { Perform(CB_RESETCONTENT, 0, 0); }

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // The drop-down styles are as high as their font asks.
    void SetBounds(int left, int top, int width, int height) override;
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // Parts report here.
    void ListSelected();
    void EditChanged();
    // Keys the parts pass up; true when the combo took the key.
    bool ComboKey(WORD key);

protected:
    virtual void Change();
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void PaintWindow(HDC dc) override;
    void BoundsChanged() override;

private:
    bool HandleComboMessage(TMessage& message);
    void HandleMouse(TMessage& message);
    void LayoutParts();
    TRect ButtonRect() const;
    TRect TextRect() const;
    int FixedHeight() const;
    // After the selection moved: the text follows; `notify` sends CBN_SELCHANGE.
    void Selected(int index, bool notify);
    void ShowText(const std::string& text);
    void CloseDropDown(bool accept);
    // The list item under a point of this window, or -1.
    int ListItemAt(TPoint clientPoint) const;
    static TRect MonitorWorkArea(TPoint screen);
    void Notify(WORD code);

    std::unique_ptr<TStrings> items_;
    TComboList* list_ = nullptr;
    TComboEdit* edit_ = nullptr;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    bool dropped_ = false;
    bool pressedOnButton_ = false; // the press that opened the list may be dragged onto an item
    int committed_ = -1;           // the selection last reported
    bool syncingText_ = false;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};

} // namespace tovrel
