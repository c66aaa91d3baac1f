// The skinned list box's look and its caption: the frame and caption
// images, and the up, down and check buttons with their auto-repeat.
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/wm/Timers.h"
#include "skin/controls/SkinDefaultFaces.h"
#include "skin/controls/SkinListBox.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/TextHelpers.h"

#include <algorithm>

namespace tovrel {

namespace {

enum TArrowKind { kArrowUp = 3, kArrowDown = 4 };
constexpr unsigned kFirstRepeatMs = 500, kRepeatMs = 100, kResumeRepeatMs = 50;

} // namespace

int TskSkinCustomListBox::DefaultButtonSize() const
{
    return std::min(17, FDefaultCaptionHeight - 3);
}

void TskSkinCustomListBox::SetDefaultButtonRects()
{
    const int BS = DefaultButtonSize();
    Buttons[0].R = Rect(Width() - BS - 2, 2, Width() - 2, BS + 1);
    Buttons[1].R = Rect(Buttons[0].R.Left - BS, 2, Buttons[0].R.Left, BS + 1);
    Buttons[2].R = Rect(Buttons[1].R.Left - BS, 2, Buttons[1].R.Left, BS + 1);
}

void TskSkinCustomListBox::DrawCaptionText(TCanvas& Cnvs, const TRect& R, int Y)
{
    const std::string& text = Caption();
    const int CW = Cnvs.TextWidth(text);
    int X = R.Left + 2;
    if (FAlignment == taRightJustify)
        X = R.Right - CW - 2;
    else if (FAlignment == taCenter)
        X = R.Left + 2 + R.Width() / 2 - CW / 2;
    HDC dc = Cnvs.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Cnvs.Font()->Color()));
    RECT r{std::max(R.Left, X), Y, R.Right, R.Bottom};
    WideDrawText(dc, text, r, DT_SINGLELINE | DT_NOPREFIX);
}

void TskSkinCustomListBox::CreateControlDefaultImage(TBitmap& B)
{
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& C = *B.Canvas();
    const bool buttons = FCaptionMode && FShowCaptionButtons;
    if (buttons)
        SetDefaultButtonRects();
    const TRect client = ClientRect();
    C.Brush()->SetColor(clBtnShadow);
    C.FrameRect(client);
    if (!FCaptionMode)
        return;
    const int BS = DefaultButtonSize();
    const TRect caption{3, 2, buttons ? Width() - 3 * BS - 3 : Width() - 2, FDefaultCaptionHeight - 2};
    C.SetFont(FDefaultCaptionFont.get());
    if (TskSkinData* sd = SkinData(); sd && sd->ResourceStrData())
        C.Font()->SetCharset(sd->ResourceStrData()->CharSet());
    DrawCaptionText(C, Rect(caption.Left - 2, caption.Top, caption.Right + 2, caption.Bottom),
                    (FDefaultCaptionHeight - 2) / 2 - C.TextHeight(Caption()) / 2);
    C.Pen()->SetColor(clBtnShadow);
    C.MoveTo(1, FDefaultCaptionHeight - 1);
    C.LineTo(Width() - 1, FDefaultCaptionHeight - 1);
    if (buttons)
        for (int i = 0; i < 3; ++i)
            DrawCaptionButton(C, i);
}

TRect TskSkinCustomListBox::MapCaptionButtonRect(const TRect& R) const
{
    const int dw = Width() - G.SkinRect.Width(), dh = Height() - G.SkinRect.Height();
    TRect r = R;
    int edge = G.RTPt.X;
    if (r.Top > G.LTPt.Y) {
        r.Top += dh;
        r.Bottom += dh;
        edge = G.RBPt.X;
    }
    if (edge < r.Left) {
        r.Left += dw;
        r.Right += dw;
    }
    return r;
}

void TskSkinCustomListBox::CreateControlSkinImage(TBitmap& B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    const int dw = Width() - G.SkinRect.Width(), dh = Height() - G.SkinRect.Height();
    NewClRect = {G.ClRect.Left, G.ClRect.Top, G.ClRect.Right + dw, G.ClRect.Bottom + dh};
    TCanvas& C = *B.Canvas();
    if (!FShowCaptionButtons && !Look.ButtonRect[0].IsEmpty() && G.Picture) {
        // Cover the button pictures the skin image carries.
        if (Look.DisabledButtonsRect.IsEmpty()) {
            C.CopyRect(
                Rect(G.NewLTPoint.X, 0, Width() + Look.ButtonRect[0].Right - G.SkinRect.Width(), NewClRect.Top - 1), &C,
                Rect(G.NewLTPoint.X, 0, G.NewRTPoint.X, NewClRect.Top - 1));
        } else {
            const TRect& a = Look.ButtonsArea;
            C.CopyRect(Rect(a.Left + dw, a.Top, a.Right + dw, a.Bottom), G.Picture->Canvas(), Look.DisabledButtonsRect);
        }
    }
    if (!FCaptionMode)
        return;
    NewCaptionRect = Look.CaptionRect;
    if (FShowCaptionButtons) {
        if (Look.CaptionRect.Right >= G.RTPt.X)
            NewCaptionRect.Right += dw;
        for (int i = 0; i < 3; ++i)
            Buttons[i].R = MapCaptionButtonRect(Look.ButtonRect[i]);
    } else {
        NewCaptionRect.Right = Width() - Look.CaptionRect.Left;
        for (TskCBButtonX& b : Buttons)
            b.R = TRect{};
    }
    if (!Look.CaptionRect.IsEmpty()) {
        C.Font()->SetName(Look.CaptionFontName);
        C.Font()->SetHeight(Look.CaptionFontHeight);
        C.Font()->SetColor(Look.CaptionFontColor);
        C.Font()->SetStyle(Look.CaptionFontStyle);
        TskSkinData* sd = SkinData();
        C.Font()->SetCharset(sd && sd->ResourceStrData() ? sd->ResourceStrData()->CharSet()
                                                         : FDefaultCaptionFont->Charset());
        DrawCaptionText(C, NewCaptionRect,
                        NewCaptionRect.Top + NewCaptionRect.Height() / 2 - C.TextHeight(Caption()) / 2);
    }
    if (FShowCaptionButtons)
        for (int i = 0; i < 3; ++i)
            DrawCaptionButton(C, i);
}

void TskSkinCustomListBox::DrawCaptionButton(TCanvas& Cnvs, int I)
{
    const TskCBButtonX& b = Buttons[I];
    if (FIndex == -1) {
        if (!DrawHotOrPressedFace(Cnvs, b.R, b.MouseIn, b.Down)) {
            Cnvs.Brush()->SetColor(clBtnFace);
            Cnvs.FillRect(b.R);
        }
        if (I == 2)
            DrawCheckImage(Cnvs.Handle(), b.R.Left + 4, b.R.Top + 4, 0);
        else
            DrawArrowImage(Cnvs.Handle(), b.R, 0, I == 0 ? kArrowUp : kArrowDown);
        return;
    }
    if (b.R.IsEmpty() || !G.Picture)
        return;
    TRect source;
    if (b.Down && b.MouseIn)
        source = Look.DownButtonRect[I];
    else if (b.MouseIn)
        source = Look.ActiveButtonRect[I];
    if (source.IsEmpty() || !b.MouseIn) {
        const TRect& place = Look.ButtonRect[I];
        source = Bounds(place.Left + G.SkinRect.Left, place.Top + G.SkinRect.Top, place.Width(), place.Height());
    }
    Cnvs.CopyRect(b.R, G.Picture->Canvas(), source);
}

void TskSkinCustomListBox::RedrawCaptionButton(int /*I*/)
{
    Invalidate();
}

// Caption-button input.

void TskSkinCustomListBox::TestActiveButton(int X, int Y)
{
    if (!FCaptionMode || !FShowCaptionButtons)
        return;
    if (FIndex != -1 && Look.ButtonRect[0].IsEmpty() && Look.ButtonRect[1].IsEmpty())
        return;
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 3; ++i)
        if (Buttons[i].R.Contains(Point(X, Y))) {
            ActiveButton = i;
            break;
        }
    if (CaptureButton != -1 && ActiveButton != CaptureButton)
        ActiveButton = -1;
    if (ActiveButton == OldActiveButton)
        return;
    if (OldActiveButton != -1)
        CaptionButtonLeave(OldActiveButton);
    if (ActiveButton != -1)
        CaptionButtonEnter(ActiveButton);
}

void TskSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FCaptionMode && FShowCaptionButtons) {
        TestActiveButton(X, Y);
        if (ActiveButton != -1) {
            CaptureButton = ActiveButton;
            CaptionButtonDown(ActiveButton);
        }
    }
    TskSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TskSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TskSkinCustomControl::MouseMove(Shift, X, Y);
    TestActiveButton(X, Y);
}

void TskSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (CaptureButton != -1) {
        const int I = CaptureButton;
        CaptureButton = -1;
        CaptionButtonUp(I);
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinCustomListBox::CaptionButtonDown(int I)
{
    Buttons[I].MouseIn = true;
    Buttons[I].Down = true;
    RedrawCaptionButton(I);
    const TNotifyEvent* events[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
    if (*events[I])
        return;
    FTimerMode = I == 0 ? 1 : I == 1 ? 2 : 0;
    if (FTimerMode != 0 && HandleAllocated()) {
        WaitMode = true;
        SetTimer(Handle(), 1, kFirstRepeatMs, nullptr);
    }
}

void TskSkinCustomListBox::CaptionButtonUp(int I)
{
    TskCBButtonX& b = Buttons[I];
    b.Down = false;
    if (I != ActiveButton)
        b.MouseIn = false;
    RedrawCaptionButton(I);
    const TNotifyEvent* events[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
    // A release away from the pressed button cancels it.
    if (b.MouseIn) {
        if (*events[I])
            (*events[I])(this);
        else if (I == 2)
            ListBox->Perform(CN_COMMAND, MAKEWPARAM(0, LBN_SELCHANGE), 0);
        else
            StepSelection(I == 0 ? 1 : 2);
    }
    if (FTimerMode != 0)
        StopRepeatTimer();
}

void TskSkinCustomListBox::CaptionButtonEnter(int I)
{
    Buttons[I].MouseIn = true;
    RedrawCaptionButton(I);
    if (FTimerMode != 0 && Buttons[I].Down && HandleAllocated())
        SetTimer(Handle(), 1, kResumeRepeatMs, nullptr);
}

void TskSkinCustomListBox::CaptionButtonLeave(int I)
{
    Buttons[I].MouseIn = false;
    RedrawCaptionButton(I);
    if (FTimerMode != 0 && Buttons[I].Down && HandleAllocated())
        KillTimer(Handle(), 1);
}

void TskSkinCustomListBox::StepSelection(int Mode)
{
    const int index = ItemIndex();
    if (Mode == 1 && index > 0)
        SetItemIndex(index - 1);
    else if (Mode == 2 && index < Items()->Count() - 1)
        SetItemIndex(index + 1);
}

void TskSkinCustomListBox::RepeatTick()
{
    if (WaitMode) {
        WaitMode = false;
        SetTimer(Handle(), 1, kRepeatMs, nullptr);
        return;
    }
    StepSelection(FTimerMode);
}

void TskSkinCustomListBox::StopRepeatTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), 1);
    FTimerMode = 0;
    WaitMode = false;
}

} // namespace tovrel
