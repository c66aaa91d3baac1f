#include "platform/ctrls/EditView.h"

#include "platform/ctrls/Edit.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/gdi/TextUtf8.h"
#include "platform/wm/Caret.h"

#include <algorithm>

namespace tovrel {

void TEditView::SetMargins(WPARAM which, int left, int right)
{
    if (left == int(EC_USEFONTINFO) || right == int(EC_USEFONTINFO)) {
        // Half an average character, as a font-based margin.
        const int fontMargin = TTextMeasure(*edit_.Font()).Metrics().tmAveCharWidth / 2;
        if (left == int(EC_USEFONTINFO))
            left = fontMargin;
        if (right == int(EC_USEFONTINFO))
            right = fontMargin;
    }
    if (which & EC_LEFTMARGIN)
        leftMargin_ = std::max(0, left);
    if (which & EC_RIGHTMARGIN)
        rightMargin_ = std::max(0, right);
    formatRect_.reset();
}

TRect TEditView::FormatRect() const
{
    if (formatRect_)
        return *formatRect_;
    const TRect client = edit_.ClientRect();
    return Rect(client.Left + leftMargin_, client.Top, std::max(client.Left + leftMargin_, client.Right - rightMargin_),
                client.Bottom);
}

void TEditView::SetFormatRect(const RECT* rect)
{
    if (rect)
        formatRect_ = *rect;
    else
        formatRect_.reset();
}

int TEditView::LineHeight() const
{
    return std::max(1, TTextMeasure(*edit_.Font()).LineHeight());
}

int TEditView::VisibleLines() const
{
    return std::max(1, FormatRect().Height() / LineHeight());
}

std::vector<TEditView::TRow> TEditView::Rows() const
{
    const TEditBuffer& buffer = edit_.buffer_;
    std::vector<TRow> rows;
    const int width = FormatRect().Width();
    const bool wrap = wordWrap_ && buffer.MultiLine() && width > 0;
    std::optional<TTextMeasure> measure;
    for (int line = 0; line < buffer.LineCount(); ++line) {
        const int start = buffer.LineIndex(line);
        const std::u32string_view text = buffer.Line(line);
        if (!wrap) {
            rows.push_back({start, start + int(text.size())});
            continue;
        }
        if (!measure)
            measure.emplace(*edit_.Font());
        const std::vector<int> offsets = measure->Offsets(
            edit_.passwordChar_ ? std::u32string(text.size(), char32_t(edit_.passwordChar_)) : std::u32string(text));
        int from = 0;
        do {
            // The longest run that fits, broken after its last space when it has one.
            int to = from + 1;
            while (to < int(text.size()) && offsets[std::size_t(to + 1)] - offsets[std::size_t(from)] <= width)
                ++to;
            if (to < int(text.size())) {
                int space = to;
                while (space > from && text[std::size_t(space - 1)] != U' ')
                    --space;
                if (space > from)
                    to = space;
            }
            to = std::min(to, int(text.size()));
            rows.push_back({start + from, start + to});
            from = to;
        } while (from < int(text.size()));
    }
    return rows;
}

int TEditView::RowOf(const std::vector<TRow>& rows, int pos)
{
    int row = 0;
    while (row + 1 < int(rows.size()) && rows[std::size_t(row) + 1].Start <= pos)
        ++row;
    return row;
}

std::u32string TEditView::DisplayText(const TRow& row) const
{
    const std::size_t length = std::size_t(row.End - row.Start);
    if (edit_.passwordChar_)
        return std::u32string(length, char32_t(edit_.passwordChar_));
    return std::u32string(edit_.buffer_.Chars().substr(std::size_t(row.Start), length));
}

int TEditView::AlignOffset(int lineWidth) const
{
    const int room = FormatRect().Width() - lineWidth;
    if (room <= 0)
        return 0;
    switch (edit_.alignment_) {
    case taRightJustify: return room - 1;
    case taCenter: return room / 2;
    default: return 0;
    }
}

TPoint TEditView::PosToPoint(int pos) const
{
    pos = std::clamp(pos, 0, edit_.buffer_.Length());
    const std::vector<TRow> rows = Rows();
    const int row = RowOf(rows, pos);
    const std::u32string text = DisplayText(rows[std::size_t(row)]);
    const int column = std::min(pos - rows[std::size_t(row)].Start, int(text.size()));
    TTextMeasure measure(*edit_.Font());
    const int x = measure.Width(std::u32string_view(text).substr(0, std::size_t(column)));
    const TRect r = FormatRect();
    return Point(r.Left + AlignOffset(measure.Width(text)) + x - scrollX_,
                 r.Top + (row - topRow_) * measure.LineHeight());
}

int TEditView::PointToPos(TPoint p) const
{
    TTextMeasure measure(*edit_.Font());
    const TRect r = FormatRect();
    const std::vector<TRow> rows = Rows();
    const int lineHeight = std::max(1, measure.LineHeight());
    const int dy = p.Y - r.Top;
    const int offsetRows = dy >= 0 ? dy / lineHeight : -((-dy + lineHeight - 1) / lineHeight);
    const int row = std::clamp(topRow_ + offsetRows, 0, int(rows.size()) - 1);
    const std::u32string text = DisplayText(rows[std::size_t(row)]);
    const std::vector<int> offsets = measure.Offsets(text);
    const int x = p.X - r.Left - AlignOffset(offsets.back()) + scrollX_;
    int column = 0;
    while (column < int(text.size()) && x > (offsets[std::size_t(column)] + offsets[std::size_t(column) + 1]) / 2)
        ++column;
    // A wrapped row ends before its last space: the caret stays on the row.
    const bool wrapped = row + 1 < int(rows.size()) && rows[std::size_t(row) + 1].Start == rows[std::size_t(row)].End;
    if (wrapped && column == int(text.size()) && column > 0)
        --column;
    return rows[std::size_t(row)].Start + column;
}

void TEditView::ScrollToCaret()
{
    const TEditBuffer& buffer = edit_.buffer_;
    const std::vector<TRow> rows = Rows();
    const int caretRow = RowOf(rows, buffer.Caret());
    if (caretRow < topRow_)
        topRow_ = caretRow;
    else if (caretRow >= topRow_ + VisibleLines())
        topRow_ = caretRow - VisibleLines() + 1;
    topRow_ = std::clamp(topRow_, 0, std::max(0, int(rows.size()) - 1));

    const TRect r = FormatRect();
    TTextMeasure measure(*edit_.Font());
    const std::u32string text = DisplayText(rows[std::size_t(caretRow)]);
    const int column = std::min(buffer.Caret() - rows[std::size_t(caretRow)].Start, int(text.size()));
    const int caretX = measure.Width(std::u32string_view(text).substr(0, std::size_t(column)));
    const int lineWidth = measure.Width(text);
    const int room = std::max(1, r.Width());
    if (caretX - scrollX_ < 0)
        scrollX_ = std::max(0, caretX - room / 4);
    else if (caretX - scrollX_ >= room)
        scrollX_ = caretX - room + 1;
    // Never leave empty room on the right while text is scrolled out on the left.
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, std::max(lineWidth, caretX) - room + 1));
}

void TEditView::ShowCaretAt()
{
    const TPoint p = PosToPoint(edit_.buffer_.Caret());
    SetCaretPos(p.X, p.Y);
}

void TEditView::Paint(HDC dc, bool focused)
{
    const TEditBuffer& buffer = edit_.buffer_;
    const UINT colorMessage = edit_.readOnly_ || !edit_.Enabled() ? CN_CTLCOLORSTATIC : CN_CTLCOLOREDIT;
    edit_.Perform(colorMessage, WPARAM(dc), ToLParam(edit_.Handle()));
    if (!edit_.Enabled())
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));

    const TRect r = FormatRect();
    const TSavedDC saved(dc);
    IntersectClipRect(dc, r.Left, r.Top, r.Right, r.Bottom);
    HGDIOBJ oldFont = SelectObject(dc, edit_.Font()->Handle());
    TTextMeasure measure(*edit_.Font());
    const int lineHeight = std::max(1, measure.LineHeight());
    const bool showSelection = buffer.HasSelection() && (focused || !edit_.hideSelection_);
    const std::vector<TRow> rows = Rows();
    const int last = std::min(int(rows.size()) - 1, topRow_ + VisibleLines());
    for (int line = topRow_; line <= last; ++line) {
        const std::u32string text = DisplayText(rows[std::size_t(line)]);
        const std::string utf8 = EncodeUtf8(text);
        const std::vector<int> offsets = measure.Offsets(text);
        const int x = r.Left + AlignOffset(offsets.back()) - scrollX_;
        const int y = r.Top + (line - topRow_) * lineHeight;
        ExtTextOut(dc, x, y, 0, nullptr, utf8);
        if (!showSelection)
            continue;
        const int lineStart = rows[std::size_t(line)].Start;
        const int from = std::clamp(buffer.SelStart() - lineStart, 0, int(text.size()));
        const int to = std::clamp(buffer.SelEnd() - lineStart, 0, int(text.size()));
        if (from >= to)
            continue;
        const RECT selection = Rect(x + offsets[std::size_t(from)], y, x + offsets[std::size_t(to)], y + lineHeight);
        const TSavedDC savedColours(dc);
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        ExtTextOut(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &selection, utf8);
    }
    SelectObject(dc, oldFont);
}

} // namespace tovrel
