#pragma once
// The text of an edit control and what editing does to it, without any
// window: selection (anchor and caret), replacing the selection under a
// length limit, one level of undo (undoing twice redoes), the modified flag,
// lines (split at LF; a CR before it belongs to the break) and the steps the
// caret takes by character, word and line. Positions count characters
// (code points); a CR LF pair is stepped over as one.
#include <climits>
#include <string>
#include <string_view>

namespace tovrel {

class TEditBuffer {
public:
    explicit TEditBuffer(bool multiLine) : multiLine_(multiLine) {}

    bool MultiLine() const { return multiLine_; }
    std::string Text() const;
    const std::u32string& Chars() const { return text_; }
    int Length() const { return int(text_.size()); }
    // Replaces everything: no selection, caret at 0, undo emptied. A
    // single-line buffer keeps the text as given (the control shows it on one line).
    void SetText(std::string_view utf8);

    int Anchor() const { return anchor_; }
    int Caret() const { return caret_; }
    int SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
    int SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
    bool HasSelection() const { return anchor_ != caret_; }
    std::string SelText() const;
    // The selection runs from `anchor` to `caret` (the caret's end), clamped;
    // a negative caret means the end of the text.
    void Select(int anchor, int caret);
    // Moves the caret; with `extend` the anchor stays, otherwise it follows.
    void MoveCaret(int pos, bool extend);

    struct TChange {
        bool Changed = false;
        bool Truncated = false; // the length limit cut the inserted text
    };
    // Replaces the selection with `utf8` (a single-line buffer takes only its
    // first line), as much of it as the limit allows; the caret follows it.
    // `typing` merges consecutive insertions into one undo step.
    TChange ReplaceSel(std::string_view utf8, bool canUndo, bool typing = false);
    // Deletes the selection, or the character before / after the caret.
    bool DeleteBackward();
    bool DeleteForward();

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length) { maxLength_ = length > 0 ? length : INT_MAX; }

    bool CanUndo() const { return canUndo_; }
    bool Undo();
    void EmptyUndo();
    bool Modified() const { return modified_; }
    void SetModified(bool value) { modified_ = value; }

    // Steps.
    int PrevChar(int pos) const;
    int NextChar(int pos) const;
    int PrevWord(int pos) const;
    int NextWord(int pos) const;
    // The word around pos (for a double click): [first, second).
    std::pair<int, int> WordAt(int pos) const;

    // Lines.
    int LineCount() const;
    int LineFromChar(int pos) const;
    int LineIndex(int line) const;  // -1 past the last line
    int LineLength(int line) const; // without the break
    int LineEnd(int line) const { return LineIndex(line) + LineLength(line); }
    std::u32string_view Line(int line) const;

private:
    void SaveUndo();
    void Replace(int start, int end, std::u32string_view with);

    bool multiLine_;
    std::u32string text_;
    int anchor_ = 0, caret_ = 0;
    int maxLength_ = INT_MAX;
    bool modified_ = false;

    std::u32string undoText_;
    int undoAnchor_ = 0, undoCaret_ = 0;
    bool canUndo_ = false;
    int typingEnd_ = -1; // where the running typed insertion ends
};

} // namespace tovrel
