#pragma once
// The edit control (one line) and the memo (several lines): caret, selection
// by mouse and keys, clipboard, one-level undo, read-only, password
// character, length limit, case conversion, margins and the formatting
// rectangle, input-method text (it arrives as WM_CHAR), the EM_* messages,
// and the edit's own context menu (EditContextMenu.cpp) for a WM_CONTEXTMENU
// that reaches the default handling of an edit without a PopupMenu. EN_*
// notifications reach the control itself as CN_COMMAND, the way the
// framework reflects them; EN_CHANGE calls Change (OnChange).
//
// Positions (SelStart, EM_GETSEL, EM_LINEINDEX ...) count characters.
#include "platform/ctrls/CommonControls.h"
#include "platform/ctrls/EditBuffer.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/GraphicsTypes.h"
#include "platform/vcl/Strings.h"
#include "platform/vcl/WinControl.h"

#include <memory>
#include <string>

namespace tovrel {

// Controls take bsNone or bsSingle of the forms' border styles.
using TBorderStyle = TFormBorderStyle;
enum TEditCharCase : std::uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner, bool multiLine = false);
    ~TCustomEdit() override;

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value); // 0: no limit
    char16_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(char16_t value);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase value);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value);
    bool AutoSelect = true;
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    bool Modified();
    void SetModified(bool value);
    bool CanUndo();
    void Undo() { Perform(WM_UNDO, 0, 0); }
    void ClearUndo() { Perform(EM_EMPTYUNDOBUFFER, 0, 0); }
    void Clear() { SetText(""); }
    void ClearSelection() { Perform(WM_CLEAR, 0, 0); }
    void CopyToClipboard() { Perform(WM_COPY, 0, 0); }
    void CutToClipboard() { Perform(WM_CUT, 0, 0); }
    void PasteFromClipboard() { Perform(WM_PASTE, 0, 0); }
    void SelectAll() { Perform(EM_SETSEL, 0, WPARAM(-1)); }

    int SelStart();
    void SetSelStart(int value);
    int SelLength();
    void SetSelLength(int value);
    std::string SelText();
    void SetSelText(const std::string& text);

    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;

    // The buffer the control edits (for tests and the skinned edits' painting).
    const TEditBuffer& Buffer() const { return buffer_; }

protected:
    virtual void Change();
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DoEnter() override;
    void PaintWindow(HDC dc) override;
    void FontApplied() override; // EditFont.cpp
    bool MultiLine() const { return buffer_.MultiLine(); }
    bool ViewWordWrap() const;
    void SetViewWordWrap(bool value);
    bool WantReturns = false;
    bool WantTabs = false;
    // The text of the context menu's item that sends `message` (WM_UNDO,
    // WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, EM_SETSEL); skinned edits take
    // theirs from the skin's string table.
    virtual std::string EditMenuCaption(UINT /*message*/, std::string builtIn) const { return builtIn; }

private:
    friend class TEditView;
    // Sends EN_* as the framework's reflected CN_COMMAND.
    void Notify(WORD code);
    // After the text changed: keep Text() in step, show, notify.
    void TextEdited();
    void Insert(std::string_view utf8, bool typing);
    bool HandleEditMessage(TMessage& message);
    void HandleChar(char16_t ch);
    void HandleKeyDown(WORD key);
    void HandleMouse(TMessage& message);
    // Shows Undo / Cut / Copy / Paste / Delete / Select All at `where` (screen,
    // or -1,-1 from the keyboard: at the caret) and runs the chosen one.
    void PopupEditMenu(LPARAM where);
    void CaretMoved();
    void SelectionChanged();
    void SyncWindowText();
    bool CanCopy() const { return passwordChar_ == 0; }

    TEditBuffer buffer_;
    std::unique_ptr<class TEditView> view_;
    bool readOnly_ = false;
    int maxLength_ = 0;
    char16_t passwordChar_ = 0;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    TBorderStyle borderStyle_ = bsSingle;
    TAlignment alignment_ = taLeftJustify;
    char16_t pendingHighSurrogate_ = 0;
    bool selectingByMouse_ = false;
    bool hasCaret_ = false;
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* owner) : TCustomEdit(owner, false) {}
};

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;
    // The text as lines (CRLF between them).
    TStrings* Lines() { return lines_.get(); }
    bool WantReturns() const { return TCustomEdit::WantReturns; }
    void SetWantReturns(bool value) { TCustomEdit::WantReturns = value; }
    bool WantTabs() const { return TCustomEdit::WantTabs; }
    void SetWantTabs(bool value) { TCustomEdit::WantTabs = value; }
    // Long lines break at spaces to fit (on by default). Only the display
    // wraps: EM_LINEINDEX and the other line messages count the lines of the text.
    bool WordWrap() const { return ViewWordWrap(); }
    void SetWordWrap(bool value) { SetViewWordWrap(value); }

private:
    std::unique_ptr<TStrings> lines_;
};

} // namespace tovrel
