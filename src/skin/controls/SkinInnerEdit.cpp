#include "skin/controls/SkinInnerEdit.h"

#include "platform/gdi/Gdi.h"
#include "platform/vcl/Forms.h"
#include "platform/wm/Keys.h"
#include "platform/wm/Paint.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"

namespace tovrel {

namespace {

constexpr char16_t kSelectAllChar = 1, kCopyChar = 3, kEnter = 13, kEscape = 27;

} // namespace

TskCustomEdit::TskCustomEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    ControlStyle.Include(csOpaque);
}

void TskCustomEdit::SetEditTransparent(bool Value)
{
    FEditTransparent = Value;
    if (HandleAllocated())
        RecreateWnd();
}

void TskCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~DWORD(WS_BORDER);
    Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    if (FEditTransparent)
        Params.ExStyle |= WS_EX_TRANSPARENT;
}

void TskCustomEdit::Invalidate()
{
    if (!FEditTransparent) {
        TCustomEdit::Invalidate();
        return;
    }
    TWinControl* parent = Parent();
    if (!parent || !parent->HandleAllocated() || !HandleAllocated())
        return;
    const RECT under = BoundsRect();
    InvalidateRect(parent->Handle(), &under, 1);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TskCustomEdit::Refresh()
{
    if (FEditTransparent)
        Invalidate();
}

void TskCustomEdit::Change()
{
    TCustomEdit::Change();
    Refresh();
}

std::string TskCustomEdit::EditMenuCaption(UINT message, std::string builtIn) const
{
    const char* key = nullptr;
    switch (message) {
    case WM_UNDO: key = "EDIT_UNDO"; break;
    case WM_CUT: key = "EDIT_CUT"; break;
    case WM_COPY: key = "EDIT_COPY"; break;
    case WM_PASTE: key = "EDIT_PASTE"; break;
    case WM_CLEAR: key = "EDIT_DELETE"; break;
    case EM_SETSEL: key = "EDIT_SELECTALL"; break;
    default: return builtIn;
    }
    const TskSkinData* skin = MenuSkinData;
    if (!skin || !skin->ResourceStrData())
        return builtIn;
    std::string text = skin->ResourceStrData()->GetResStr(key);
    return text.empty() ? builtIn : text;
}

bool TskCustomEdit::RefusesWhileReadOnly(const TMessage& message) const
{
    if (!FReadOnly)
        return false;
    switch (message.Msg) {
    case WM_CHAR:
    case WM_IME_CHAR:
        // Select-all and copy change nothing, so a read-only field still copies.
        return message.WParam != kSelectAllChar && message.WParam != kCopyChar;
    case WM_KEYDOWN: return message.WParam == VK_DELETE;
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO: return true;
    default: return false;
    }
}

void TskCustomEdit::DialogChar(TMessage& message)
{
    char16_t key = char16_t(message.WParam);
    if (OnKeyPress)
        OnKeyPress(this, key);
    if (TCustomForm* form = GetParentForm(this))
        form->Perform(CM_DIALOGKEY, message.WParam, message.LParam);
}

void TskCustomEdit::WndProc(TMessage& message)
{
    if ((message.Msg == WM_CHAR) && (message.WParam == kEnter || message.WParam == kEscape)) {
        DialogChar(message);
        return;
    }
    if (RefusesWhileReadOnly(message))
        return;
    switch (message.Msg) {
    case WM_CONTEXTMENU:
        // From the keyboard (-1, -1): at the centre of the edit.
        if (!PopupMenu() && (short(LOWORD(message.LParam)) < 0 || short(HIWORD(message.LParam)) < 0)) {
            const TPoint centre = ClientToScreen(Point(Width() / 2, Height() / 2));
            message.LParam = MAKELPARAM(centre.X, centre.Y);
        }
        TCustomEdit::WndProc(message);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (!FEditTransparent)
            break;
        SetBkMode(reinterpret_cast<HDC>(message.WParam), TRANSPARENT);
        SetTextColor(reinterpret_cast<HDC>(message.WParam), ColorToRGB(Font()->Color()));
        message.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        return;
    case WM_ERASEBKGND:
        if (!FEditTransparent)
            break;
        Invalidate();
        message.Result = 1;
        return;
    case WM_LBUTTONDOWN:
        TCustomEdit::WndProc(message);
        FDown = true;
        Refresh();
        return;
    case WM_LBUTTONUP: FDown = false; break;
    case WM_MOUSEMOVE:
        TCustomEdit::WndProc(message);
        if (FDown)
            Refresh();
        return;
    case WM_CHAR:
    case WM_KEYDOWN:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case WM_MOVE:
    case WM_KILLFOCUS:
    case WM_SETFOCUS:
        TCustomEdit::WndProc(message);
        Refresh();
        return;
    case CM_CANCELMODE:
        TCustomEdit::WndProc(message);
        if (OnEditCancelMode)
            OnEditCancelMode(reinterpret_cast<TControl*>(message.LParam));
        return;
    default: break;
    }
    TCustomEdit::WndProc(message);
}

} // namespace tovrel
