#include "platform/ctrls/ComboBox.h"

#include "platform/ctrls/ArrowGlyph.h"
#include "platform/ctrls/ControlNotify.h"
#include "platform/ctrls/ListBoxStrings.h"
#include "platform/ctrls/TextMeasure.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Drawing.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/wm/Input.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Paint.h"

#include <algorithm>

namespace tovrel {

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TItemStrings>(*this, ComboBoxItemMessages))
{
    list_ = new TComboList(*this);
    edit_ = new TComboEdit(*this);
    SetTabStop(true);
    SetColor(clWindow);
    // The combo takes and keeps the capture itself while its list is open.
    ControlStyle.Exclude(csClickEvents);
    ControlStyle.Exclude(csCaptureMouse);
    SetBounds(0, 0, 145, FixedHeight());
}

TCustomComboBox::~TCustomComboBox()
{
    Destroying();
    // The popup list has no parent: it goes with the combo, which owns it.
    dropped_ = false;
    DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    params.Style |= style_ == csSimple ? CBS_SIMPLE : style_ == csDropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST;
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    LayoutParts();
}

int TCustomComboBox::FixedHeight() const
{
    return list_->ItemHeight() + 6 + 2 * GetSystemMetrics(SM_CYEDGE);
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height)
{
    TWinControl::SetBounds(left, top, width, style_ == csSimple ? height : FixedHeight());
}

void TCustomComboBox::BoundsChanged()
{
    TWinControl::BoundsChanged();
    LayoutParts();
}

TRect TCustomComboBox::ButtonRect() const
{
    const TRect client = ClientRect();
    if (style_ == csSimple)
        return Rect(client.Right, client.Top, client.Right, client.Top);
    return Rect(client.Right - GetSystemMetrics(SM_CXVSCROLL), client.Top, client.Right,
                client.Top + FixedHeight() - 2 * GetSystemMetrics(SM_CYEDGE));
}

TRect TCustomComboBox::TextRect() const
{
    const TRect button = ButtonRect();
    const int lineBottom = ClientRect().Top + FixedHeight() - 2 * GetSystemMetrics(SM_CYEDGE);
    return Rect(2, 2, std::max(2, button.Left - 1), std::max(2, lineBottom - 2));
}

void TCustomComboBox::LayoutParts()
{
    if (edit_) {
        const TRect r = TextRect();
        edit_->SetVisible(style_ != csDropDownList);
        edit_->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    }
    if (style_ == csSimple) {
        const int top = FixedHeight() - 2 * GetSystemMetrics(SM_CYEDGE);
        list_->SetBounds(0, top, ClientWidth(), std::max(0, ClientHeight() - top));
    }
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (style_ == value)
        return;
    SetDroppedDown(false);
    style_ = value;
    list_->SetPopup(style_ != csSimple);
    SetBounds(Left(), Top(), Width(), style_ == csSimple ? std::max(Height(), FixedHeight() * 4) : FixedHeight());
    RecreateWnd();
    LayoutParts();
    Invalidate();
}

int TCustomComboBox::ItemIndex()
{
    return int(Perform(CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int index)
{
    Perform(CB_SETCURSEL, WPARAM(index), 0);
}

void TCustomComboBox::Notify(WORD code)
{
    NotifyCommand(*this, code);
}

void TCustomComboBox::ShowText(const std::string& text)
{
    syncingText_ = true;
    if (edit_ && style_ != csDropDownList) {
        edit_->SetText(text);
        edit_->SelectAll();
    }
    syncingText_ = false;
    SetTextQuietly(*this, text);
    Invalidate();
}

void TCustomComboBox::Selected(int index, bool notify)
{
    if (index == committed_)
        return;
    committed_ = index;
    ShowText(index >= 0 ? items_->Strings(index) : std::string());
    if (notify)
        Notify(CBN_SELCHANGE);
}

void TCustomComboBox::ListSelected()
{
    if (ComponentState().Contains(csDestroying))
        return;
    Selected(int(list_->Perform(LB_GETCURSEL, 0, 0)), true);
}

void TCustomComboBox::EditChanged()
{
    if (syncingText_ || ComponentState().Contains(csDestroying))
        return;
    SetTextQuietly(*this, edit_->Text());
    Notify(CBN_EDITUPDATE);
    Notify(CBN_EDITCHANGE);
}

void TCustomComboBox::Change()
{
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Select()
{
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown()
{
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (OnCloseUp)
        OnCloseUp(this);
}

bool TCustomComboBox::HandleComboMessage(TMessage& message)
{
    const WPARAM w = message.WParam;
    const LPARAM l = message.LParam;
    auto forward = [&](UINT listMessage) {
        message.Result = list_->Perform(listMessage, w, l);
        return true;
    };
    switch (message.Msg) {
    case CB_ADDSTRING: return forward(LB_ADDSTRING);
    case CB_INSERTSTRING: return forward(LB_INSERTSTRING);
    case CB_GETCOUNT: return forward(LB_GETCOUNT);
    case CB_GETLBTEXT: return forward(LB_GETTEXT);
    case CB_GETLBTEXTLEN: return forward(LB_GETTEXTLEN);
    case CB_GETITEMDATA: return forward(LB_GETITEMDATA);
    case CB_SETITEMDATA: return forward(LB_SETITEMDATA);
    case CB_FINDSTRING: return forward(LB_FINDSTRING);
    case CB_FINDSTRINGEXACT: return forward(LB_FINDSTRINGEXACT);
    case CB_GETITEMHEIGHT: return forward(LB_GETITEMHEIGHT);
    case CB_SETITEMHEIGHT: return forward(LB_SETITEMHEIGHT);
    case CB_GETCURSEL: message.Result = list_->Perform(LB_GETCURSEL, 0, 0); return true;
    case CB_DELETESTRING: {
        const int selected = int(list_->Perform(LB_GETCURSEL, 0, 0));
        forward(LB_DELETESTRING);
        if (int(w) == selected || selected >= list_->Count())
            committed_ = int(list_->Perform(LB_GETCURSEL, 0, 0));
        return true;
    }
    case CB_RESETCONTENT:
        list_->Perform(LB_RESETCONTENT, 0, 0);
        committed_ = -1;
        ShowText("");
        return true;
    case CB_SETCURSEL: {
        const bool valid = int(w) >= 0 && int(w) < list_->Count();
        list_->Perform(LB_SETCURSEL, valid ? w : WPARAM(-1), 0);
        Selected(valid ? int(w) : -1, false);
        message.Result = valid ? LRESULT(w) : CB_ERR;
        return true;
    }
    case CB_SELECTSTRING: {
        const LRESULT found = list_->Perform(LB_FINDSTRING, w, l);
        if (found >= 0)
            Perform(CB_SETCURSEL, WPARAM(found), 0);
        message.Result = found;
        return true;
    }
    case CB_SHOWDROPDOWN:
        SetDroppedDown(w != 0);
        message.Result = 1;
        return true;
    case CB_GETDROPPEDSTATE: message.Result = dropped_; return true;
    case CB_LIMITTEXT:
        if (edit_)
            edit_->SetMaxLength(int(w));
        message.Result = 1;
        return true;
    case CB_GETEDITSEL:
    case CB_SETEDITSEL:
        if (edit_ && style_ != csDropDownList) {
            message.Result =
                message.Msg == CB_GETEDITSEL
                    ? edit_->Perform(EM_GETSEL, w, l)
                    : edit_->Perform(EM_SETSEL, WPARAM(SHORT(LOWORD(ULONG_PTR(l)))), SHORT(HIWORD(ULONG_PTR(l))));
        } else {
            message.Result = CB_ERR;
        }
        return true;
    default: return false;
    }
}

void TCustomComboBox::WndProc(TMessage& message)
{
    if (message.Msg == CM_TEXTCHANGED && SettingTextQuietly(*this))
        return;
    TWinControl::WndProc(message);
}

void TCustomComboBox::DefaultHandler(TMessage& message)
{
    if (HandleComboMessage(message))
        return;
    switch (message.Msg) {
    case WM_SETTEXT:
        if (!SettingTextQuietly(*this)) {
            const std::string text = message.LParam ? FromLParam<const char>(message.LParam) : "";
            if (style_ == csDropDownList) {
                const int found = int(list_->Perform(LB_FINDSTRINGEXACT, WPARAM(-1), ToLParam(text.c_str())));
                list_->Perform(LB_SETCURSEL, WPARAM(found), 0);
                committed_ = found;
            } else {
                syncingText_ = true;
                edit_->SetText(text);
                syncingText_ = false;
            }
            Invalidate();
        }
        break;
    case WM_SETFOCUS:
        if (edit_ && style_ != csDropDownList && edit_->HandleAllocated()) {
            edit_->SetFocus();
            edit_->SelectAll();
        }
        Invalidate();
        Notify(CBN_SETFOCUS);
        break;
    case WM_KILLFOCUS: {
        const HWND to = reinterpret_cast<HWND>(message.WParam);
        if (dropped_ && !(edit_ && edit_->HandleAllocated() && to == edit_->Handle()))
            CloseDropDown(false);
        Invalidate();
        Notify(CBN_KILLFOCUS);
        break;
    }
    case WM_GETDLGCODE: message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | (dropped_ ? DLGC_WANTALLKEYS : 0); return;
    case WM_KEYDOWN: ComboKey(WORD(message.WParam)); return;
    case WM_SYSKEYDOWN:
        if (message.WParam == VK_DOWN || message.WParam == VK_UP) {
            ComboKey(VK_F4);
            return;
        }
        break;
    case WM_CHAR:
        // The fixed style searches its items by prefix, as its list would.
        if (style_ == csDropDownList && message.WParam >= 32)
            list_->Perform(WM_CHAR, message.WParam, message.LParam);
        if (message.WParam == 13 || message.WParam == 27)
            return;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED: HandleMouse(message); break;
    case CN_COMMAND:
        switch (HIWORD(message.WParam)) {
        case CBN_SELCHANGE:
            Click();
            Select();
            break;
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN: DropDown(); break;
        case CBN_CLOSEUP: CloseUp(); break;
        case CBN_DBLCLK: DblClick(); break;
        default: break;
        }
        return;
    default: break;
    }
    TWinControl::DefaultHandler(message);
}

void TCustomComboBox::PaintWindow(HDC dc)
{
    const bool focused = HandleAllocated() && GetFocus() == Handle();
    if (style_ == csDropDownList) {
        const TRect r = TextRect();
        HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, focused && !dropped_ ? GetSysColor(COLOR_HIGHLIGHT) : ColorToRGB(Color()));
        SetTextColor(dc, focused && !dropped_ ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToRGB(Font()->Color()));
        ExtTextOut(dc, r.Left + 1, r.Top, ETO_OPAQUE | ETO_CLIPPED, &r, Text());
        SelectObject(dc, oldFont);
        if (focused && !dropped_)
            DrawFocusRect(dc, &r);
    }
    if (style_ == csSimple)
        return;
    RECT button = ButtonRect();
    FillRect(dc, &button, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &button, dropped_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    DrawArrowGlyph(dc, button, TArrowDirection::Down, Enabled());
}

} // namespace tovrel
