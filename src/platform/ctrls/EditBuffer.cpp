#include "platform/ctrls/EditBuffer.h"

#include "platform/gdi/TextUtf8.h"
#include "platform/rtl/Text.h"

#include <algorithm>

namespace tovrel {

namespace {

bool IsWordChar(char32_t c)
{
    return c == U'_' || (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c >= 0x80;
}

bool IsSpace(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n';
}

} // namespace

std::string TEditBuffer::Text() const
{
    return EncodeUtf8(text_);
}

void TEditBuffer::SetText(std::string_view utf8)
{
    text_ = Utf8ToUtf32(utf8);
    anchor_ = caret_ = 0;
    modified_ = false;
    EmptyUndo();
}

std::string TEditBuffer::SelText() const
{
    return EncodeUtf8(std::u32string_view(text_).substr(std::size_t(SelStart()), std::size_t(SelEnd() - SelStart())));
}

void TEditBuffer::Select(int anchor, int caret)
{
    const int length = Length();
    anchor_ = std::clamp(anchor, 0, length);
    caret_ = caret < 0 ? length : std::min(caret, length);
    typingEnd_ = -1;
}

void TEditBuffer::MoveCaret(int pos, bool extend)
{
    caret_ = std::clamp(pos, 0, Length());
    if (!extend)
        anchor_ = caret_;
    typingEnd_ = -1;
}

void TEditBuffer::SaveUndo()
{
    undoText_ = text_;
    undoAnchor_ = anchor_;
    undoCaret_ = caret_;
    canUndo_ = true;
}

void TEditBuffer::Replace(int start, int end, std::u32string_view with)
{
    text_.replace(std::size_t(start), std::size_t(end - start), with);
    anchor_ = caret_ = start + int(with.size());
    modified_ = true;
}

TEditBuffer::TChange TEditBuffer::ReplaceSel(std::string_view utf8, bool canUndo, bool typing)
{
    std::u32string insert = Utf8ToUtf32(utf8);
    if (!multiLine_) {
        const auto lineBreak = insert.find_first_of(U"\r\n");
        if (lineBreak != std::u32string::npos)
            insert.resize(lineBreak);
    }
    TChange change;
    const int start = SelStart(), end = SelEnd();
    const long long room = (long long)maxLength_ - (Length() - (end - start));
    if ((long long)insert.size() > room) {
        insert.resize(std::size_t(std::max(0LL, room)));
        // A CR LF pair is never split by the limit.
        if (!insert.empty() && insert.back() == U'\r')
            insert.pop_back();
        change.Truncated = true;
    }
    if (insert.empty() && start == end)
        return change;
    const bool continuesTyping = typing && start == end && start == typingEnd_;
    if (canUndo && !continuesTyping)
        SaveUndo();
    Replace(start, end, insert);
    typingEnd_ = typing ? caret_ : -1;
    change.Changed = true;
    return change;
}

bool TEditBuffer::DeleteBackward()
{
    if (!HasSelection()) {
        if (caret_ == 0)
            return false;
        anchor_ = PrevChar(caret_);
    }
    const int start = SelStart(), end = SelEnd();
    SaveUndo();
    Replace(start, end, {});
    typingEnd_ = -1;
    return true;
}

bool TEditBuffer::DeleteForward()
{
    if (!HasSelection()) {
        if (caret_ >= Length())
            return false;
        anchor_ = NextChar(caret_);
    }
    const int start = SelStart(), end = SelEnd();
    SaveUndo();
    Replace(start, end, {});
    typingEnd_ = -1;
    return true;
}

bool TEditBuffer::Undo()
{
    if (!canUndo_)
        return false;
    std::swap(text_, undoText_);
    const int anchor = anchor_, caret = caret_;
    anchor_ = std::min(undoAnchor_, Length());
    caret_ = std::min(undoCaret_, Length());
    undoAnchor_ = anchor;
    undoCaret_ = caret;
    modified_ = true;
    typingEnd_ = -1;
    return true;
}

void TEditBuffer::EmptyUndo()
{
    canUndo_ = false;
    undoText_.clear();
    typingEnd_ = -1;
}

int TEditBuffer::PrevChar(int pos) const
{
    if (pos <= 0)
        return 0;
    pos = std::min(pos, Length());
    if (pos >= 2 && text_[std::size_t(pos - 1)] == U'\n' && text_[std::size_t(pos - 2)] == U'\r')
        return pos - 2;
    return pos - 1;
}

int TEditBuffer::NextChar(int pos) const
{
    if (pos >= Length())
        return Length();
    pos = std::max(pos, 0);
    if (text_[std::size_t(pos)] == U'\r' && pos + 1 < Length() && text_[std::size_t(pos + 1)] == U'\n')
        return pos + 2;
    return pos + 1;
}

int TEditBuffer::PrevWord(int pos) const
{
    pos = std::clamp(pos, 0, Length());
    while (pos > 0 && IsSpace(text_[std::size_t(pos - 1)]))
        --pos;
    if (pos > 0 && !IsWordChar(text_[std::size_t(pos - 1)]))
        return pos - 1;
    while (pos > 0 && IsWordChar(text_[std::size_t(pos - 1)]))
        --pos;
    return pos;
}

int TEditBuffer::NextWord(int pos) const
{
    const int length = Length();
    pos = std::clamp(pos, 0, length);
    if (pos < length && IsWordChar(text_[std::size_t(pos)])) {
        while (pos < length && IsWordChar(text_[std::size_t(pos)]))
            ++pos;
    } else if (pos < length && !IsSpace(text_[std::size_t(pos)])) {
        ++pos;
    }
    while (pos < length && IsSpace(text_[std::size_t(pos)]))
        ++pos;
    return pos;
}

std::pair<int, int> TEditBuffer::WordAt(int pos) const
{
    const int length = Length();
    pos = std::clamp(pos, 0, length);
    if (pos == length && pos > 0)
        --pos;
    if (length == 0)
        return {0, 0};
    const bool word = IsWordChar(text_[std::size_t(pos)]);
    auto same = [&](int i) {
        const char32_t c = text_[std::size_t(i)];
        return word ? IsWordChar(c)
                    : (!IsWordChar(c) && !IsSpace(c) ? i == pos : IsSpace(c) && c != U'\n' && c != U'\r');
    };
    int first = pos, last = pos + 1;
    while (first > 0 && same(first - 1))
        --first;
    while (last < length && same(last))
        ++last;
    return {first, last};
}

int TEditBuffer::LineCount() const
{
    if (!multiLine_)
        return 1;
    return 1 + int(std::count(text_.begin(), text_.end(), U'\n'));
}

int TEditBuffer::LineFromChar(int pos) const
{
    if (!multiLine_)
        return 0;
    pos = std::clamp(pos, 0, Length());
    return int(std::count(text_.begin(), text_.begin() + pos, U'\n'));
}

int TEditBuffer::LineIndex(int line) const
{
    if (line < 0)
        return -1;
    if (!multiLine_)
        return line == 0 ? 0 : -1;
    std::size_t start = 0;
    for (int i = 0; i < line; ++i) {
        const auto lf = text_.find(U'\n', start);
        if (lf == std::u32string::npos)
            return -1;
        start = lf + 1;
    }
    return int(start);
}

int TEditBuffer::LineLength(int line) const
{
    return int(Line(line).size());
}

std::u32string_view TEditBuffer::Line(int line) const
{
    const int start = LineIndex(line);
    if (start < 0)
        return {};
    const std::u32string_view rest = std::u32string_view(text_).substr(std::size_t(start));
    if (!multiLine_)
        return rest;
    std::size_t end = rest.find(U'\n');
    if (end == std::u32string_view::npos)
        end = rest.size();
    else if (end > 0 && rest[end - 1] == U'\r')
        --end;
    return rest.substr(0, end);
}

} // namespace tovrel
