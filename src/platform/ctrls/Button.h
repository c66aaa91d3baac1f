#pragma once
// Push button, check box and radio button. A click (press and release on
// the control, Space released, or Enter/Escape for the default and cancel
// buttons through CM_DIALOGKEY, or the caption's accelerator) reaches the
// control as CN_COMMAND with BN_CLICKED and runs Click. A button's
// ModalResult goes to its form.
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsTypes.h"
#include "platform/vcl/WinControl.h"

namespace tovrel {

constexpr WORD BN_CLICKED = 0;
enum TCheckBoxState : std::uint8_t { cbUnchecked, cbChecked, cbGrayed };

// What the three have in common: the pressed look while the mouse or Space
// holds them, and the click.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* owner);
    void DefaultHandler(TMessage& message) override;
    void WndProc(TMessage& message) override;

protected:
    // What BN_CLICKED does: a button clicks, a check box toggles, a radio button checks.
    virtual void Clicked() = 0;
    bool Pressed() const { return pressed_ && hot_; }
    bool HasFocus();
    // The caption in rect (greyed when disabled); returns the rectangle it took.
    TRect PaintCaption(HDC dc, TRect rect, UINT flags);
    // A check or radio box's caption, with the focus frame around it when focused.
    void PaintMarkCaption(HDC dc, TRect rect);

private:
    // Held by the mouse or Space, pushed in while the pointer stays over it.
    void Press() { SetPressed(true, true); }
    // While held by the mouse: pushed in only with the pointer over it.
    void FollowPointer(bool over) { SetPressed(true, over); }
    void Release() { SetPressed(false, false); }
    void SetPressed(bool pressed, bool hot);
    bool pressed_ = false; // held by the mouse or Space
    bool hot_ = false;     // the pointer is over it while held
    bool byKey_ = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel = false;
    TModalResult ModalResult = mrNone;
    void Click() override;
    void WndProc(TMessage& message) override;

protected:
    void Clicked() override { Click(); }
    void PaintWindow(HDC dc) override;

private:
    bool default_ = false;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool AllowGrayed = false;
    TAlignment Alignment = taRightJustify; // the caption's side

protected:
    void Clicked() override { Toggle(); }
    // Unchecked -> checked -> greyed (when allowed) -> unchecked.
    virtual void Toggle();
    void PaintWindow(HDC dc) override;

private:
    TCheckBoxState state_ = cbUnchecked;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return checked_; }
    // Checking one unchecks the radio buttons beside it (same parent) and clicks.
    void SetChecked(bool value);

protected:
    void Clicked() override { SetChecked(true); }
    void PaintWindow(HDC dc) override;

private:
    bool checked_ = false;
};

} // namespace tovrel
