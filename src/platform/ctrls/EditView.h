#pragma once
// Where an edit control's text sits on screen: margins and the formatting
// rectangle, horizontal and vertical scrolling that keeps the caret in view,
// character <-> point mapping, the caret, and painting with the colours the
// control's CN_CTLCOLOREDIT / CN_CTLCOLORSTATIC answer gives.
#include "platform/ctrls/EditBuffer.h"
#include "platform/rtl/Types.h"
#include "platform/wm/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

namespace tovrel {

class TCustomEdit;

class TEditView {
public:
    explicit TEditView(TCustomEdit& edit) : edit_(edit) {}

    void SetMargins(WPARAM which, int left, int right);
    int LeftMargin() const { return leftMargin_; }
    int RightMargin() const { return rightMargin_; }
    // The rectangle text is laid out in (client coordinates).
    TRect FormatRect() const;
    // null: back to the client rectangle less the margins.
    void SetFormatRect(const RECT* rect);

    int LineHeight() const;
    // The first row in view (rows are the lines as shown, after wrapping).
    int FirstVisibleLine() const { return topRow_; }
    // Long lines of a memo break at spaces to fit the formatting rectangle.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value) { wordWrap_ = value; }
    int ScrollX() const { return scrollX_; }
    // The point where the character at pos starts (for pos == Length, where
    // the last one ends).
    TPoint PosToPoint(int pos) const;
    // The character boundary nearest to p; the caret goes there.
    int PointToPos(TPoint p) const;
    // Scrolls so that the caret is inside the formatting rectangle.
    void ScrollToCaret();
    void ShowCaretAt();
    void Paint(HDC dc, bool focused);

private:
    // A row shows the characters [Start, End) of the text.
    struct TRow {
        int Start = 0, End = 0;
    };
    std::vector<TRow> Rows() const;
    // The row a position belongs to: at a wrap, the caret starts the next row.
    static int RowOf(const std::vector<TRow>& rows, int pos);
    std::u32string DisplayText(const TRow& row) const;
    int AlignOffset(int lineWidth) const;
    int VisibleLines() const;

    TCustomEdit& edit_;
    int leftMargin_ = 0, rightMargin_ = 0;
    std::optional<TRect> formatRect_;
    int scrollX_ = 0;
    int topRow_ = 0;
    bool wordWrap_ = false;
};

} // namespace tovrel
