// The skinned edit's properties, geometry, non-client frame and input.
#include "skin/controls/SkinEdit.h"

#include "platform/gdi/Gdi.h"
#include "platform/gdi/Text.h"
#include "platform/wm/MessageLoop.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinEditEntries.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

TskSkinCustomEdit::TskSkinCustomEdit(TComponent* AOwner) : TskCustomEdit(AOwner)
{
    ControlStyle.Include(csOpaque);
    Font()->SetName("Arial");
    Font()->SetColor(clBlack);
    Font()->SetStyle(TFontStyles{});
    Font()->SetHeight(14);
    SetBorderStyle(bsNone);
    SetEditTransparent(true);
    SetHeight(20);
    FDefaultFont = std::make_unique<TFont>();
    FDefaultFont->Assign(Font());
    FDefaultFont->OnChange = [this](TObject*) {
        if (!HasEntry())
            Font()->Assign(FDefaultFont.get());
    };
}

void TskSkinCustomEdit::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    MenuSkinData = Value;
    if (Value && !Value->Empty)
        ChangeSkinData();
}

void TskSkinCustomEdit::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (!HasEntry())
        Invalidate();
}

void TskSkinCustomEdit::SetDefaultFont(const TFont* Value)
{
    FDefaultFont->Assign(Value);
}

void TskSkinCustomEdit::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!HasEntry() && Value > 0)
        SetWidth(Value);
}

void TskSkinCustomEdit::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!HasEntry() && Value > 0 && UseSkinFont)
        SetHeight(Value);
    else
        AdjustHeightToFont();
}

void TskSkinCustomEdit::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    TskCustomEdit::SetAlignment(Value);
}

void TskSkinCustomEdit::SetButtonMode(bool Value)
{
    FButtonMode = Value;
    if (HandleAllocated())
        RecreateWnd();
}

void TskSkinCustomEdit::CreateParams(TCreateParams& Params)
{
    TskCustomEdit::CreateParams(Params);
    // The skin background is painted under the text here, not by the parent.
    Params.ExStyle &= ~DWORD(WS_EX_TRANSPARENT);
    Params.Style &= ~DWORD(WS_BORDER);
}

void TskSkinCustomEdit::GetSkinData()
{
    FIndex = FSD && !FSD->Empty ? FSD->GetControlIndex(SkinDataName) : -1;
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TskDataSkinEditControl*>(FSD->CtrlList[std::size_t(FIndex)].get());
    if (!e)
        return;
    Picture = FSD->ActivePicture(e->PictureIndex);
    SkinRect = e->SkinRect;
    ActiveSkinRect = RectOr(e->ActiveSkinRect, SkinRect);
    LOffset = e->LTPoint.X;
    ROffset = SkinRect.Width() - e->RTPoint.X;
    ClRect = e->ClRect;
    FontName = e->FontName;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    FontColor = e->FontColor;
    DisabledFontColor = e->DisabledFontColor;
    ActiveFontColor = e->ActiveFontColor;
    SButtonRect = e->ButtonRect;
    ActiveButtonRect = e->ActiveButtonRect;
    DownButtonRect = RectOr(e->DownButtonRect, ActiveButtonRect);
    UnEnabledButtonRect = e->UnEnabledButtonRect;
    StretchEffect = e->StretchEffect;
}

void TskSkinCustomEdit::CalcEditRects()
{
    const int w = Width(), h = Height();
    if (!HasEntry()) {
        if (FButtonMode) {
            FButtonRect = Rect(w - h, 0, w, h);
            FEditRect = Rect(2, 2, FButtonRect.Left - 2, h - 2);
        } else {
            FEditRect = Rect(2, 2, w - 2, h - 2);
        }
        return;
    }
    const int grow = w - SkinRect.Width();
    FEditRect = ClRect;
    FEditRect.Right = w + ClRect.Right - SkinRect.Width();
    FButtonRect = SButtonRect;
    // A button in the fixed right piece follows the right edge.
    if (SButtonRect.Left >= SkinRect.Width() - ROffset)
        FButtonRect = Rect(FButtonRect.Left + grow, FButtonRect.Top, FButtonRect.Right + grow, FButtonRect.Bottom);
    if (!UseSkinFont) {
        const int dh = h - SkinRect.Height();
        FEditRect.Bottom += dh;
        FButtonRect.Bottom += dh;
    }
}

int TskSkinCustomEdit::CalcFontHeight()
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, Font()->Handle());
    TEXTMETRIC tm{};
    GetTextMetrics(screen, &tm);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return tm.tmHeight + (HasEntry() ? SkinRect.Height() - ClRect.Height() : 4);
}

void TskSkinCustomEdit::AdjustHeightToFont()
{
    if (!UseSkinFont)
        SetHeight(CalcFontHeight());
}

void TskSkinCustomEdit::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    GetSkinData();
    if ((AWidth != Width() || AHeight != Height()) && !(!HasEntry() && UseSkinFont)) {
        if (!UseSkinFont)
            AHeight = CalcFontHeight();
        else if (HasEntry())
            AHeight = SkinRect.Height();
    }
    TskCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
    CalcEditRects();
    Invalidate();
    RepaintFrame();
}

void TskSkinCustomEdit::Invalidate()
{
    if (Parent() && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void TskSkinCustomEdit::RepaintFrame()
{
    if (Parent() && HandleAllocated())
        SendMessage(Handle(), WM_NCPAINT, 0, 0);
}

void TskSkinCustomEdit::ApplyFontColor()
{
    if (HasEntry())
        Font()->SetColor(Focused() || FMouseIn ? ActiveFontColor : FontColor);
}

void TskSkinCustomEdit::ChangeSkinData()
{
    GetSkinData();
    if (!HasEntry()) {
        Font()->Assign(FDefaultFont.get());
        if (FDefaultWidth > 0)
            SetWidth(FDefaultWidth);
        if (FDefaultHeight > 0)
            SetHeight(FDefaultHeight);
    } else if (UseSkinFont) {
        Font()->SetName(FontName);
        Font()->SetStyle(FontStyle);
        SetHeight(SkinRect.Height());
        Font()->SetHeight(FontHeight);
    } else {
        Font()->Assign(FDefaultFont.get());
    }
    if (FSD && FSD->ResourceStrData())
        Font()->SetCharset(FSD->ResourceStrData()->CharSet());
    else
        Font()->SetCharset(FDefaultFont->Charset());
    if (HandleAllocated())
        RecreateWnd();
    ApplyFontColor();
    if (!UseSkinFont)
        AdjustHeightToFont();
    CalcEditRects();
    RepaintFrame();
    Invalidate();
}

void TskSkinCustomEdit::NcCalcSize(TMessage& message)
{
    GetSkinData();
    RECT* r =
        message.WParam ? &FromLParam<NCCALCSIZE_PARAMS>(message.LParam)->rgrc[0] : FromLParam<RECT>(message.LParam);
    if (!r)
        return;
    if (!HasEntry()) {
        const int right = FButtonMode ? (r->Bottom - r->Top) + 2 : 2;
        *r = Rect(r->Left + 2, r->Top + 2, r->Right - right, r->Bottom - 2);
    } else {
        *r = Rect(r->Left + ClRect.Left, r->Top + ClRect.Top, r->Right - (SkinRect.Width() - ClRect.Right),
                  r->Bottom - (SkinRect.Height() - ClRect.Bottom));
    }
    if (r->Right < r->Left)
        r->Right = r->Left;
    if (r->Bottom < r->Top)
        r->Bottom = r->Top;
    message.Result = 0;
}

LRESULT TskSkinCustomEdit::NcHitTest(TPoint Screen)
{
    RECT window;
    GetWindowRect(Handle(), &window);
    const TPoint p{Screen.X - window.Left, Screen.Y - window.Top};
    CalcEditRects();
    if (FButtonRect.Contains(p))
        return HTHSCROLL;
    if (!FEditRect.Contains(p))
        return HTVSCROLL;
    return HTCLIENT;
}

void TskSkinCustomEdit::MouseInChanged(bool In)
{
    FMouseIn = In;
    if (!Focused() && HasEntry()) {
        ApplyFontColor();
        RepaintFrame();
        Invalidate();
    }
    if (!In && (FButtonDown || FButtonActive)) {
        FButtonDown = FButtonActive = false;
        RepaintFrame();
        Invalidate();
    }
    const TNotifyEvent& event = In ? OnMouseEnter : OnMouseLeave;
    if (event)
        event(this);
}

void TskSkinCustomEdit::NcMouse(TMessage& message)
{
    const bool onButton = FButtonMode && message.WParam == WPARAM(HTHSCROLL);
    switch (message.Msg) {
    case WM_NCMOUSEMOVE:
        if (onButton) {
            if (!FButtonActive) {
                FButtonActive = true;
                RepaintFrame();
            }
            return;
        }
        if (FButtonActive) {
            FButtonActive = false;
            RepaintFrame();
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (onButton) {
            FButtonDown = true;
            RepaintFrame();
            return;
        }
        break;
    case WM_NCLBUTTONUP:
        if (onButton && FButtonDown) {
            FButtonDown = false;
            RepaintFrame();
            if (!Focused() && CanFocus())
                SetFocus();
            if (OnButtonClick)
                OnButtonClick(this);
            return;
        }
        if (FButtonDown) {
            // Released off the button: no click.
            FButtonDown = false;
            RepaintFrame();
        }
        break;
    default: break;
    }
    TskCustomEdit::WndProc(message);
}

void TskSkinCustomEdit::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_NCCALCSIZE: NcCalcSize(message); return;
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(Handle());
        PaintFrame(dc, true);
        ReleaseDC(Handle(), dc);
        message.Result = 0;
        return;
    }
    case WM_ERASEBKGND:
        PaintEditBackground(reinterpret_cast<HDC>(message.WParam));
        message.Result = 1;
        return;
    case WM_NCHITTEST:
        if (ImageButtonHitTest(message))
            return;
        if (FButtonMode) {
            message.Result = NcHitTest(PointFromLParam(message.LParam));
            if (message.Result != HTCLIENT)
                return;
        }
        break;
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
        if (!ImageButtonMouse(message))
            NcMouse(message);
        return;
    case WM_MOUSEMOVE:
        TskCustomEdit::WndProc(message);
        if (FButtonActive) {
            FButtonActive = false;
            RepaintFrame();
        }
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TskCustomEdit::WndProc(message);
        if (!FMouseIn)
            ApplyFontColor();
        RepaintFrame();
        Invalidate();
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TskCustomEdit::WndProc(message);
        if (message.Msg == CM_MOUSELEAVE)
            ImageButtonsLeft();
        MouseInChanged(message.Msg == CM_MOUSEENTER);
        return;
    case WM_SIZE:
        TskCustomEdit::WndProc(message);
        LayoutImageButtons(true);
        CalcEditRects();
        RepaintFrame();
        return;
    case CM_ENABLEDCHANGED:
        TskCustomEdit::WndProc(message);
        Invalidate();
        return;
    case CM_FONTCHANGED:
        TskCustomEdit::WndProc(message);
        if (!UseSkinFont)
            AdjustHeightToFont();
        return;
    case SkinPaintToMessage:
        if (message.WParam) {
            PaintFrame(reinterpret_cast<HDC>(message.WParam), false);
            message.Result = SkinPaintDoneResult;
        }
        return;
    default: break;
    }
    TskCustomEdit::WndProc(message);
}

} // namespace tovrel
