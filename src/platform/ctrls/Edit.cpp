#include "platform/ctrls/Edit.h"

#include "platform/ctrls/ControlNotify.h"
#include "platform/ctrls/EditView.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/SysColors.h"
#include "platform/wm/Caret.h"
#include "platform/wm/Input.h"
#include "platform/wm/Paint.h"

#include <algorithm>

namespace tovrel {

TCustomEdit::TCustomEdit(TComponent* owner, bool multiLine)
    : TWinControl(owner), buffer_(multiLine), view_(std::make_unique<TEditView>(*this))
{
    SetBounds(0, 0, multiLine ? 185 : 121, multiLine ? 89 : 21);
    SetTabStop(true);
    SetColor(clWindow);
    Cursor = crIBeam;
    ControlStyle.Include(csDoubleClicks);
    ControlStyle.Exclude(csCaptureMouse); // selecting by mouse holds the capture itself
}

TCustomEdit::~TCustomEdit()
{
    Destroying();
    DestroyHandle();
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= MultiLine() ? (ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN) : ES_AUTOHSCROLL;
    if (readOnly_)
        params.Style |= ES_READONLY;
    if (passwordChar_)
        params.Style |= ES_PASSWORD;
    if (!hideSelection_)
        params.Style |= ES_NOHIDESEL;
    if (charCase_ == ecUpperCase)
        params.Style |= ES_UPPERCASE;
    else if (charCase_ == ecLowerCase)
        params.Style |= ES_LOWERCASE;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    view_->ScrollToCaret();
}

void TCustomEdit::DoEnter()
{
    // A click places the caret itself; only focus by keyboard or code selects all.
    if (AutoSelect && !MultiLine() && !selectingByMouse_)
        SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::Notify(WORD code)
{
    NotifyCommand(*this, code);
}

void TCustomEdit::SyncWindowText()
{
    SetTextQuietly(*this, buffer_.Text());
}

void TCustomEdit::CaretMoved()
{
    view_->ScrollToCaret();
    if (hasCaret_)
        view_->ShowCaretAt();
    Invalidate();
}

void TCustomEdit::TextEdited()
{
    SyncWindowText();
    CaretMoved();
    Notify(EN_UPDATE);
    Notify(EN_CHANGE);
}

void TCustomEdit::SetReadOnly(bool value)
{
    Perform(EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value)
{
    Perform(EM_LIMITTEXT, WPARAM(std::max(0, value)), 0);
}

void TCustomEdit::SetPasswordChar(char16_t value)
{
    Perform(EM_SETPASSWORDCHAR, value, 0);
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    charCase_ = value;
    RecreateWnd();
}

bool TCustomEdit::ViewWordWrap() const
{
    return view_->WordWrap();
}

void TCustomEdit::SetViewWordWrap(bool value)
{
    view_->SetWordWrap(value);
    CaretMoved();
}

void TCustomEdit::SetHideSelection(bool value)
{
    hideSelection_ = value;
    Invalidate();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value)
{
    if (borderStyle_ == value)
        return;
    borderStyle_ = value;
    RecreateWnd();
}

void TCustomEdit::SetAlignment(TAlignment value)
{
    alignment_ = value;
    Invalidate();
}

bool TCustomEdit::Modified()
{
    return Perform(EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool value)
{
    Perform(EM_SETMODIFY, value, 0);
}

bool TCustomEdit::CanUndo()
{
    return Perform(EM_CANUNDO, 0, 0) != 0;
}

int TCustomEdit::SelStart()
{
    DWORD start = 0, end = 0;
    Perform(EM_GETSEL, WPARAM(&start), ToLParam(&end));
    return int(start);
}

void TCustomEdit::SetSelStart(int value)
{
    Perform(EM_SETSEL, WPARAM(value), value);
}

int TCustomEdit::SelLength()
{
    DWORD start = 0, end = 0;
    Perform(EM_GETSEL, WPARAM(&start), ToLParam(&end));
    return int(end - start);
}

void TCustomEdit::SetSelLength(int value)
{
    const int start = SelStart();
    Perform(EM_SETSEL, WPARAM(start), start + std::max(0, value));
}

std::string TCustomEdit::SelText()
{
    return buffer_.SelText();
}

void TCustomEdit::SetSelText(const std::string& text)
{
    Perform(EM_REPLACESEL, 0, ToLParam(text.c_str()));
}

void TCustomEdit::PaintWindow(HDC dc)
{
    view_->Paint(dc, hasCaret_);
}

void TCustomEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        const UINT colorMessage = readOnly_ || !Enabled() ? CN_CTLCOLORSTATIC : CN_CTLCOLOREDIT;
        HBRUSH brush;
        {
            // The colour handler may leave its colours in the DC.
            const TSavedDC saved(dc);
            brush = reinterpret_cast<HBRUSH>(Perform(colorMessage, message.WParam, ToLParam(Handle())));
        }
        const RECT r = ClientRect();
        FillRect(dc, &r, brush);
        message.Result = 1;
        return;
    }
    case CM_TEXTCHANGED:
        // Typing keeps Text in step through WM_SETTEXT; only changes made by code report it.
        if (SettingTextQuietly(*this))
            return;
        break;
    case CM_FONTCHANGED:
    case CM_ENABLEDCHANGED: CaretMoved(); break;
    default: break;
    }
    TWinControl::WndProc(message);
}

void TCustomEdit::DefaultHandler(TMessage& message)
{
    if (HandleEditMessage(message))
        return;
    switch (message.Msg) {
    case WM_SETTEXT:
        if (!SettingTextQuietly(*this)) {
            buffer_.SetText(message.LParam ? FromLParam<const char>(message.LParam) : "");
            CaretMoved();
            Notify(EN_UPDATE);
            Notify(EN_CHANGE);
        }
        break;
    case WM_SETFOCUS:
        if (HandleAllocated()) {
            CreateCaret(Handle(), nullptr, 1, view_->LineHeight());
            hasCaret_ = true;
            view_->ShowCaretAt();
            ShowCaret(Handle());
            Invalidate();
        }
        Notify(EN_SETFOCUS);
        break;
    case WM_KILLFOCUS:
        if (hasCaret_) {
            DestroyCaret();
            hasCaret_ = false;
        }
        Invalidate();
        Notify(EN_KILLFOCUS);
        break;
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
        if (MultiLine() && WantReturns)
            code |= DLGC_WANTALLKEYS;
        if (MultiLine() && WantTabs)
            code |= DLGC_WANTTAB;
        message.Result = code;
        return;
    }
    case WM_CHAR:
    case WM_IME_CHAR: HandleChar(char16_t(message.WParam)); return;
    case WM_KEYDOWN: HandleKeyDown(WORD(message.WParam)); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: HandleMouse(message); break;
    case WM_CONTEXTMENU:
        // Reached only when neither OnContextPopup nor a PopupMenu of the
        // control's own took the message.
        if (!PopupMenu()) {
            message.Result = 1;
            PopupEditMenu(message.LParam);
            return;
        }
        break;
    case CN_COMMAND:
        if (HIWORD(message.WParam) == EN_CHANGE)
            Change();
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(message.WParam);
        SetTextColor(dc, ColorToRGB(Font()->Color()));
        SetBkColor(dc, ColorToRGB(Color()));
        message.Result = reinterpret_cast<LRESULT>(Brush()->Handle());
        return;
    }
    default: break;
    }
    TWinControl::DefaultHandler(message);
}

} // namespace tovrel
