#pragma once
// A numeric field on the inner edit: the Up and Down keys and the mouse wheel
// fire step events in place of moving the caret, and typed characters are
// filtered (digits, one leading '-', one decimal separator with Float); a
// refused character beeps.
#include "skin/controls/SkinInnerEdit.h"

namespace tovrel {

class TskSkinNumEdit : public TskCustomEdit {
public:
    explicit TskSkinNumEdit(TComponent* AOwner) : TskCustomEdit(AOwner) {}

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    // Off: printable characters and Backspace are refused too.
    bool EditorEnabled = true;
    // The decimal separator is accepted.
    bool Float = false;

    bool IsValidChar(char16_t Key);

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char16_t& Key) override;
    void WndProc(TMessage& message) override;
};

} // namespace tovrel
