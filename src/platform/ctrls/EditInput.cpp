// Typing, keys, mouse and clipboard of the edit control, and its EM_* messages.
#include "platform/ctrls/Edit.h"

#include "platform/ctrls/EditView.h"
#include "platform/gdi/TextUtf8.h"
#include "platform/rtl/Text.h"
#include "platform/wm/Caret.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Monitors.h"
#include "platform/wm/Paint.h"

#include <algorithm>

namespace tovrel {

namespace {

constexpr char16_t kSelectAll = 1, kCopy = 3, kBackspace = 8, kTab = 9, kReturn = 13, kPaste = 22, kCut = 24,
                   kUndo = 26;

bool IsKeyDown(int vk)
{
    return GetKeyState(vk) < 0;
}

std::string Utf8Of(char32_t c)
{
    return EncodeUtf8(std::u32string(1, c));
}

} // namespace

void TCustomEdit::Insert(std::string_view utf8, bool typing)
{
    std::string text(utf8);
    if (charCase_ == ecUpperCase)
        text = UpperCase(text);
    else if (charCase_ == ecLowerCase)
        text = LowerCase(text);
    const TEditBuffer::TChange change = buffer_.ReplaceSel(text, true, typing);
    if (change.Changed)
        TextEdited();
    if (change.Truncated)
        Notify(EN_MAXTEXT);
}

void TCustomEdit::HandleChar(char16_t ch)
{
    if (ch >= 0xD800 && ch < 0xDC00) {
        pendingHighSurrogate_ = ch;
        return;
    }
    char32_t c = ch;
    if (ch >= 0xDC00 && ch < 0xE000) {
        if (!pendingHighSurrogate_)
            return;
        c = 0x10000 + ((char32_t(pendingHighSurrogate_) - 0xD800) << 10) + (ch - 0xDC00);
    }
    pendingHighSurrogate_ = 0;
    switch (c) {
    case kSelectAll: SelectAll(); return;
    case kCopy: Perform(WM_COPY, 0, 0); return;
    case kPaste: Perform(WM_PASTE, 0, 0); return;
    case kCut: Perform(WM_CUT, 0, 0); return;
    case kUndo: Perform(WM_UNDO, 0, 0); return;
    case kBackspace:
        if (!readOnly_ && buffer_.DeleteBackward())
            TextEdited();
        return;
    case kReturn:
        if (MultiLine() && WantReturns && !readOnly_)
            Insert("\r\n", false);
        return;
    case kTab:
        if (MultiLine() && WantTabs && !readOnly_)
            Insert("\t", true);
        return;
    default: break;
    }
    if (c < 32 || c == 127 || readOnly_)
        return;
    Insert(Utf8Of(c), true);
}

void TCustomEdit::HandleKeyDown(WORD key)
{
    const bool shift = IsKeyDown(VK_SHIFT), ctrl = IsKeyDown(VK_CONTROL);
    const int caret = buffer_.Caret();
    const int line = buffer_.LineFromChar(caret);
    auto moveTo = [&](int pos) {
        buffer_.MoveCaret(pos, shift);
        CaretMoved();
    };
    auto moveLines = [&](int delta) {
        if (!MultiLine()) {
            moveTo(delta < 0 ? buffer_.PrevChar(caret) : buffer_.NextChar(caret));
            return;
        }
        // Rows as shown (wrapped lines included), keeping the caret's x.
        const TPoint at = view_->PosToPoint(caret);
        moveTo(view_->PointToPos(Point(at.X, at.Y + delta * view_->LineHeight())));
    };
    switch (key) {
    case VK_LEFT:
        if (buffer_.HasSelection() && !shift)
            moveTo(buffer_.SelStart());
        else
            moveTo(ctrl ? buffer_.PrevWord(caret) : buffer_.PrevChar(caret));
        break;
    case VK_RIGHT:
        if (buffer_.HasSelection() && !shift)
            moveTo(buffer_.SelEnd());
        else
            moveTo(ctrl ? buffer_.NextWord(caret) : buffer_.NextChar(caret));
        break;
    case VK_HOME: moveTo(ctrl ? 0 : buffer_.LineIndex(line)); break;
    case VK_END: moveTo(ctrl ? buffer_.Length() : buffer_.LineEnd(line)); break;
    case VK_UP: moveLines(-1); break;
    case VK_DOWN: moveLines(1); break;
    case VK_PRIOR: moveLines(-std::max(1, view_->FormatRect().Height() / view_->LineHeight())); break;
    case VK_NEXT: moveLines(std::max(1, view_->FormatRect().Height() / view_->LineHeight())); break;
    case VK_DELETE:
        if (shift) {
            Perform(WM_CUT, 0, 0);
        } else if (!readOnly_) {
            if (ctrl && !buffer_.HasSelection())
                buffer_.Select(caret, buffer_.NextWord(caret));
            if (buffer_.DeleteForward())
                TextEdited();
        }
        break;
    case VK_INSERT:
        if (ctrl)
            Perform(WM_COPY, 0, 0);
        else if (shift)
            Perform(WM_PASTE, 0, 0);
        break;
    default: break;
    }
}

void TCustomEdit::HandleMouse(TMessage& message)
{
    const TPoint p = PointFromLParam(message.LParam);
    switch (message.Msg) {
    case WM_LBUTTONDOWN:
        selectingByMouse_ = true;
        if (HandleAllocated() && GetFocus() != Handle())
            ::tovrel::SetFocus(Handle());
        buffer_.MoveCaret(view_->PointToPos(p), (message.WParam & MK_SHIFT) != 0);
        if (HandleAllocated())
            SetCapture(Handle());
        CaretMoved();
        break;
    case WM_LBUTTONDBLCLK: {
        const auto [first, last] = buffer_.WordAt(view_->PointToPos(p));
        buffer_.Select(first, last);
        CaretMoved();
        break;
    }
    case WM_MOUSEMOVE:
        if (selectingByMouse_ && (message.WParam & MK_LBUTTON)) {
            buffer_.MoveCaret(view_->PointToPos(p), true);
            CaretMoved();
        }
        break;
    case WM_LBUTTONUP:
        if (selectingByMouse_) {
            selectingByMouse_ = false;
            if (HandleAllocated() && GetCapture() == Handle())
                ReleaseCapture();
        }
        break;
    case WM_CAPTURECHANGED: selectingByMouse_ = false; break;
    default: break;
    }
}

bool TCustomEdit::HandleEditMessage(TMessage& message)
{
    const WPARAM w = message.WParam;
    const LPARAM l = message.LParam;
    LRESULT& result = message.Result;
    auto lineOf = [&](WPARAM index) {
        return int(w == WPARAM(-1) ? buffer_.LineFromChar(buffer_.Caret()) : buffer_.LineFromChar(int(index)));
    };
    switch (message.Msg) {
    case EM_GETSEL:
        if (w)
            *reinterpret_cast<DWORD*>(w) = DWORD(buffer_.SelStart());
        if (l)
            *FromLParam<DWORD>(l) = DWORD(buffer_.SelEnd());
        result = MAKELRESULT(std::min(buffer_.SelStart(), 0xFFFF), std::min(buffer_.SelEnd(), 0xFFFF));
        return true;
    case EM_SETSEL:
        if (int(w) == -1)
            buffer_.MoveCaret(buffer_.Caret(), false);
        else
            buffer_.Select(int(w), int(l));
        CaretMoved();
        return true;
    case EM_GETRECT:
        if (l)
            *FromLParam<RECT>(l) = view_->FormatRect();
        return true;
    case EM_SETRECT:
    case EM_SETRECTNP:
        view_->SetFormatRect(FromLParam<const RECT>(l));
        if (message.Msg == EM_SETRECT)
            CaretMoved();
        else
            view_->ScrollToCaret();
        return true;
    case EM_SCROLLCARET:
        CaretMoved();
        result = 1;
        return true;
    case EM_GETMODIFY: result = buffer_.Modified(); return true;
    case EM_SETMODIFY: buffer_.SetModified(w != 0); return true;
    case EM_GETLINECOUNT: result = buffer_.LineCount(); return true;
    case EM_LINEINDEX: result = buffer_.LineIndex(int(w) == -1 ? lineOf(w) : int(w)); return true;
    case EM_LINELENGTH: result = buffer_.LineLength(lineOf(w)); return true;
    case EM_LINEFROMCHAR: result = lineOf(w); return true;
    case EM_GETLINE: {
        // The buffer's first WORD holds its size in bytes; no terminating NUL is written.
        char* out = FromLParam<char>(l);
        if (!out)
            return true;
        WORD size = 0;
        std::copy_n(out, sizeof size, reinterpret_cast<char*>(&size));
        const std::string text = EncodeUtf8(buffer_.Line(int(w)));
        const std::size_t n = std::min<std::size_t>(size, text.size());
        std::copy_n(text.data(), n, out);
        result = LRESULT(n);
        return true;
    }
    case EM_REPLACESEL: Insert(l ? FromLParam<const char>(l) : "", false); return true;
    case EM_LIMITTEXT:
        maxLength_ = int(std::min<WPARAM>(w, 0x7FFFFFFF));
        buffer_.SetMaxLength(maxLength_);
        return true;
    case EM_GETLIMITTEXT: result = buffer_.MaxLength(); return true;
    case EM_CANUNDO: result = buffer_.CanUndo(); return true;
    case EM_UNDO:
    case WM_UNDO:
        result = !readOnly_ && buffer_.Undo();
        if (result)
            TextEdited();
        return true;
    case EM_EMPTYUNDOBUFFER: buffer_.EmptyUndo(); return true;
    case EM_SETPASSWORDCHAR:
        passwordChar_ = char16_t(w);
        CaretMoved();
        return true;
    case EM_GETPASSWORDCHAR: result = passwordChar_; return true;
    case EM_GETFIRSTVISIBLELINE:
        result = MultiLine() ? view_->FirstVisibleLine()
                             : view_->PointToPos(Point(view_->FormatRect().Left, view_->FormatRect().Top));
        return true;
    case EM_SETREADONLY:
        readOnly_ = w != 0;
        Invalidate();
        result = 1;
        return true;
    case EM_SETMARGINS:
        view_->SetMargins(w, LOWORD(ULONG_PTR(l)), HIWORD(ULONG_PTR(l)));
        CaretMoved();
        return true;
    case EM_GETMARGINS: result = MAKELRESULT(view_->LeftMargin(), view_->RightMargin()); return true;
    case EM_POSFROMCHAR: {
        if (int(w) < 0 || int(w) > buffer_.Length()) {
            result = -1;
            return true;
        }
        const TPoint p = view_->PosToPoint(int(w));
        result = MAKELRESULT(p.X, p.Y);
        return true;
    }
    case EM_CHARFROMPOS: {
        const int pos = view_->PointToPos(PointFromLParam(l));
        result = MAKELRESULT(pos, buffer_.LineFromChar(pos));
        return true;
    }
    case WM_COPY:
        if (CanCopy() && buffer_.HasSelection())
            SetClipboardText(buffer_.SelText());
        return true;
    case WM_CUT:
        if (CanCopy() && !readOnly_ && buffer_.HasSelection()) {
            SetClipboardText(buffer_.SelText());
            Insert("", false);
        }
        return true;
    case WM_CLEAR:
        if (!readOnly_ && buffer_.HasSelection())
            Insert("", false);
        return true;
    case WM_PASTE:
        if (!readOnly_)
            Insert(GetClipboardText(), false);
        return true;
    default: return false;
    }
}

} // namespace tovrel
