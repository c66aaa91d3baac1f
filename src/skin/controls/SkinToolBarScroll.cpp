// The tool bar's scrolling: the scroll state, the two scroll buttons in the
// non-client area, their hover, clicks and timer.
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Input.h"
#include "platform/wm/Paint.h"
#include "platform/wm/WindowPos.h"
#include "platform/wm/Wm.h"
#include "skin/controls/SkinButtonLook.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"

namespace tovrel {

namespace {

constexpr ULONG_PTR kScrollTimerId = 1;
enum TArrowKind { kArrowLeft = 1, kArrowRight = 2 };

} // namespace

void TskSkinToolBar::UpdateScrollState()
{
    if (!FCanScroll || Width() == 0)
        return;
    int a = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (TControl* child = Controls(i); child->Visible())
            a = std::max(a, child->Left() + child->Width());
    if (a > 0 && a + SPosition > ClientRect().Width()) {
        SetScrollButtonsVisible(true);
        const int clientWidth = ClientRect().Width();
        const int m = SPosition + a - 1;
        if (SPosition > 0 && a < clientWidth && FHSizeOffset > 0) {
            // The bar grew while scrolled: the content slides back by the growth.
            FHSizeOffset = std::min(FHSizeOffset, SPosition);
            SMax = m;
            SPosition -= FHSizeOffset;
            SPage = clientWidth;
            ScrollBy(FHSizeOffset, 0);
        } else if (FHSizeOffset == 0 && m < SMax && SPosition > 0 && a < clientWidth) {
            // The content shrank while scrolled: its end stays at the right edge.
            SMax = m;
            SPosition += a - clientWidth;
            SPage = clientWidth;
            ScrollBy(clientWidth - a, 0);
        } else {
            SMax = m;
            SPage = clientWidth;
        }
        FHSizeOffset = 0;
        SOldPosition = SPosition;
        return;
    }
    if (a > 0) {
        if (SPosition > 0)
            ScrollBy(SPosition, 0);
        FHSizeOffset = SMax = SPosition = SPage = SOldPosition = 0;
    }
    SetScrollButtonsVisible(false);
}

void TskSkinToolBar::SetScrollButtonsVisible(bool Value)
{
    if (FButtons[0].Visible == Value)
        return;
    FButtons[0].Visible = FButtons[1].Visible = Value;
    if (!Value) {
        StopScrollTimer();
        FButtons[0].MouseIn = FButtons[1].MouseIn = FButtons[0].Down = FButtons[1].Down = false;
    }
    // The client area is measured again with or without the two buttons.
    NonClientChanged();
}

void TskSkinToolBar::ScrollStep(bool Right)
{
    const int step = FScrollOffset != 0 ? FScrollOffset : ClientRect().Width();
    if (Right)
        SPosition = std::min(SPosition + step, SMax - SPage + 1);
    else
        SPosition = std::max(SPosition - step, 0);
    if (SPosition == SOldPosition) {
        StopScrollTimer();
        return;
    }
    ScrollBy(SOldPosition - SPosition, 0);
    Repaint();
    UpdateScrollState();
}

void TskSkinToolBar::StartScrollTimer()
{
    if (HandleAllocated())
        SetTimer(Handle(), kScrollTimerId, unsigned(FScrollTimerInterval), nullptr);
}

void TskSkinToolBar::StopScrollTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), kScrollTimerId);
    FTimerMode = 0;
}

void TskSkinToolBar::LightButton(int Index)
{
    FButtons[0].MouseIn = Index == 0;
    FButtons[1].MouseIn = Index == 1;
    DrawScrollButtons();
}

void TskSkinToolBar::DrawScrollButtons()
{
    if (!FCanScroll || !ScrollButtonsVisible() || !HandleAllocated())
        return;
    HDC dc = GetWindowDC(Handle());
    TCanvas canvas;
    canvas.SetHandle(dc);
    DrawScrollButton(canvas, 0);
    DrawScrollButton(canvas, 1);
    canvas.SetHandle(nullptr);
    ReleaseDC(Handle(), dc);
}

void TskSkinToolBar::DrawScrollButton(TCanvas& Canvas, int Index)
{
    const TScrollButton& button = FButtons[Index];
    const int w = button.R.Width(), h = button.R.Height();
    if (w <= 0 || h <= 0)
        return;
    const bool pressed = (button.Down && button.MouseIn) || (button.MouseIn && HotScroll);
    TBitmap B(w, h);
    TColor arrow = clBtnText;
    GetSkinData();
    if (ButtonData != nullptr) {
        const TskDataSkinButtonControl& e = *ButtonData;
        TRect source = e.SkinRect;
        arrow = e.FontColor;
        if (pressed && !IsNullRect(e.DownSkinRect)) {
            source = e.DownSkinRect;
            arrow = e.DownFontColor;
        } else if (button.MouseIn && !IsNullRect(e.ActiveSkinRect)) {
            source = e.ActiveSkinRect;
            arrow = e.ActiveFontColor;
        }
        TskSkinControlGeometry g;
        g.CopyEntry(*SkinData(), FindSkinEntry(SkinData(), "resizebutton"));
        int gw = w, gh = h;
        g.CalcSize(gw, gh, true);
        g.CreateResizedImage(B, g.Picture, source, w, h);
    } else {
        FillPressableFace(*B.Canvas(), Rect(0, 0, w, h),
                          pressed ? TskPressableFace::Down
                                  : (button.MouseIn ? TskPressableFace::Hot : TskPressableFace::Normal));
    }
    DrawArrowImage(B.Canvas()->Handle(), RECT{0, 0, w, h}, ColorToRGB(arrow), Index == 0 ? kArrowLeft : kArrowRight);
    Canvas.Draw(button.R.Left, button.R.Top, &B);
}

bool TskSkinToolBar::HandleNonClient(TMessage& Message)
{
    const LRESULT hit = LRESULT(Message.WParam);
    const int index = hit == HTSCROLLLEFT ? 0 : (hit == HTSCROLLRIGHT ? 1 : -1);
    switch (Message.Msg) {
    case WM_NCMOUSEMOVE:
        if (index != -1 && !FButtons[index].MouseIn) {
            LightButton(index);
            if (HotScroll) {
                FTimerMode = index + 1;
                StartScrollTimer();
            }
        }
        return index != -1;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (index == -1)
            return false;
        FButtons[index].Down = true;
        DrawScrollButtons();
        FTimerMode = index + 1;
        StartScrollTimer();
        return true;
    case WM_NCLBUTTONUP:
        if (index == -1)
            return false;
        // A click always scrolls one step, a held button once more on release.
        FButtons[index].Down = false;
        DrawScrollButtons();
        StopScrollTimer();
        ScrollStep(index == 1);
        return true;
    default: return false;
    }
}

void TskSkinToolBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCCALCSIZE: {
        // The bar has no other non-client parts.
        if (FCanScroll && ScrollButtonsVisible()) {
            RECT* r = Message.WParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                          : reinterpret_cast<RECT*>(Message.LParam);
            r->Left += kToolBarScrollButtonWidth;
            r->Right -= kToolBarScrollButtonWidth;
        }
        Message.Result = 0;
        return;
    }
    case WM_NCPAINT:
        DrawScrollButtons();
        Message.Result = 0;
        return;
    case WM_SIZE:
        TskSkinPanel::WndProc(Message);
        FButtons[0].R = Rect(0, 0, kToolBarScrollButtonWidth, Height());
        FButtons[1].R = Rect(Width() - kToolBarScrollButtonWidth, 0, Width(), Height());
        DrawScrollButtons();
        return;
    case WM_NCHITTEST: {
        const TPoint p = ScreenToClient(Point(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)));
        if (FCanScroll && ScrollButtonsVisible() && (p.X < 0 || p.X > ClientRect().Width())) {
            Message.Result = p.X < 0 ? HTSCROLLLEFT : HTSCROLLRIGHT;
            return;
        }
        break;
    }
    case WM_NCMOUSEMOVE:
        // Passed on as well: the framework tracks the pointer for the leave.
        if (FCanScroll)
            HandleNonClient(Message);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
        if (FCanScroll && HandleNonClient(Message))
            return;
        break;
    case WM_MOUSEMOVE:
        if (FButtons[0].MouseIn || FButtons[1].MouseIn) {
            StopScrollTimer();
            LightButton(-1);
        }
        break;
    case CM_MOUSELEAVE: {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (HandleAllocated() && WindowFromPoint(cursor) == Handle())
            break;
        if (FButtons[0].MouseIn || FButtons[1].MouseIn) {
            StopScrollTimer();
            LightButton(-1);
        }
        break;
    }
    case WM_TIMER:
        if (Message.WParam == kScrollTimerId) {
            if (FTimerMode != 0)
                ScrollStep(FTimerMode == 2);
            return;
        }
        break;
    default: break;
    }
    TskSkinPanel::WndProc(Message);
}

} // namespace tovrel
