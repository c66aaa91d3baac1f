// The built-in frame of a skinned form without a usable skin: a 3-pixel
// three-dimensional border, a striped caption with the form's text, and six
// caption buttons drawn from system colours.
#include "platform/gdi/Blits.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/GraphicsObjects.h"
#include "platform/vcl/Icon.h"
#include "platform/wm/Paint.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/TextHelpers.h"
#include "skin/forms/SkinForm.h"

namespace tovrel {

namespace {

constexpr int kBorder = 3;

bool IsToolWindow(TFormBorderStyle style)
{
    return style == bsToolWindow || style == bsSizeToolWin;
}

} // namespace

int TskSkinForm::GetDefCaptionHeight() const
{
    return IsToolWindow(FForm->BorderStyle()) ? 15 : 19;
}

int TskSkinForm::GetDefButtonSize() const
{
    return IsToolWindow(FForm->BorderStyle()) ? 13 : 17;
}

void TskSkinForm::CalcDefRects()
{
    if (ObjectList.empty())
        return;
    const int width = FFormWidth > 0 ? FFormWidth : FForm->Width();
    int X = width - kBorder;
    const int Y = 4, S = GetDefButtonSize();
    NewDefCaptionRect = {kBorder, kBorder, X, GetDefCaptionHeight()};
    for (TskStdCommand command : kCaptionButtonOrder)
        if (auto* b = PlacedButton(command)) {
            b->ObjectRect = {X - S, Y, X, Y + S};
            X -= S;
        }
    NewDefCaptionRect.Right = X;
    X = NewDefCaptionRect.Left;
    if (auto* b = PlacedButton(TskStdCommand::cmSysMenu)) {
        b->ObjectRect = {X, Y, X + S, Y + S};
        X += S;
        NewDefCaptionRect.Left = X;
    }
}

TRect TskSkinForm::GetDefCaptionRect()
{
    CalcDefRects();
    return NewDefCaptionRect;
}

void TskSkinForm::PaintNCDefault(HDC DC, bool AUseExternalDC)
{
    if (FSD && FSD->ChangeSkinDataProcess)
        return;
    if (ObjectList.empty() && !FSkinSupport)
        CreateDefaultObjects();
    CalcDefRects();
    const HWND wnd = FForm->Handle();
    HDC dc = AUseExternalDC ? DC : GetWindowDC(wnd);
    if (!dc)
        return;
    const int W = FFormWidth > 0 ? FFormWidth : FForm->Width(), H = FFormHeight > 0 ? FFormHeight : FForm->Height();
    const int C = GetDefCaptionHeight();
    if (W > 2 * kBorder && C > 0) {
        TBitmap B(W - 2 * kBorder, C);
        TCanvas* canvas = B.Canvas();
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(Rect(0, 0, B.Width(), B.Height()));
        const int X0 = NewDefCaptionRect.Left - kBorder, X1 = B.Width() - NewDefCaptionRect.Right;
        for (int y = 2; y <= C - 4; ++y) {
            canvas->Pen()->SetColor((y - 2) % 2 == 0 ? clBtnHighlight : clBtnShadow);
            canvas->MoveTo(X0 + 2, y);
            canvas->LineTo(B.Width() - X1 - 6, y);
        }
        canvas->SetFont(GetFormActive() ? DefCaptionFont.get() : DefInActiveCaptionFont.get());
        std::string text = FForm->Caption();
        if (!text.empty()) {
            HDC bdc = canvas->Handle();
            WideFitTextToWidth(bdc, text, B.Width() - X0 - X1);
            const int X = X0 + (B.Width() - X0 - X1) / 2 - (WideTextWidth(bdc, text) + 5) / 2;
            const int Y = C / 2 - WideTextHeight(bdc, text) / 2;
            RECT r{X, Y, X, Y};
            WideDrawText(bdc, text, r, FForm->DrawTextBiDiModeFlags(DT_CALCRECT));
            canvas->Brush()->SetColor(clBtnFace);
            canvas->FillRect(Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 2));
            SetBkMode(canvas->Handle(), TRANSPARENT);
            WideDrawText(canvas->Handle(), text, r, FForm->DrawTextBiDiModeFlags(DT_VCENTER));
        }
        for (auto& object : ObjectList) {
            if (!object->Visible)
                continue;
            const TRect kept = object->ObjectRect;
            object->ObjectRect = {kept.Left - kBorder, kept.Top - kBorder, kept.Right - kBorder, kept.Bottom - kBorder};
            object->Draw(canvas, true);
            object->ObjectRect = kept;
        }
        ExcludeClipRect(dc, kBorder, C + kBorder, W - kBorder, H - kBorder);
        BitBlt(dc, kBorder, kBorder, B.Width(), B.Height(), canvas->Handle(), 0, 0, SRCCOPY);
    }
    TCanvas frame;
    frame.SetHandle(dc);
    TRect ring = Rect(0, 0, W, H);
    Frame3D(&frame, ring, cl3DLight, cl3DDkShadow, 1);
    Frame3D(&frame, ring, clBtnHighlight, clBtnShadow, 1);
    Frame3D(&frame, ring, clBtnFace, clBtnFace, 1);
    frame.SetHandle(nullptr);
    if (!AUseExternalDC)
        ReleaseDC(wnd, dc);
}

void TskSkinForm::PaintBGDefault(HDC DC)
{
    if (!DC)
        return;
    TCanvas canvas;
    canvas.SetHandle(DC);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(FForm->ClientRect());
    if (!LogoBitMap->Empty())
        canvas.Draw(std::max(0, FForm->ClientWidth() / 2 - LogoBitMap->Width() / 2),
                    std::max(0, FForm->ClientHeight() / 2 - LogoBitMap->Height() / 2), LogoBitMap.get());
    canvas.SetHandle(nullptr);
}

LRESULT TskSkinForm::HitTestDefault(TPoint P) const
{
    const int W = FForm->Width(), H = FForm->Height(), C = GetDefCaptionHeight();
    if (FWindowState != wsMaximized && !FRollUpState && CanResize() && FWindowState != wsMinimized) {
        if (ActiveObject != -1)
            return HTOBJECT;
        const bool left = P.X <= 2, top = P.Y <= 2, right = P.X >= W - 2, bottom = P.Y >= H - 2;
        if (left && top)
            return HTTOPLEFT;
        if (right && top)
            return HTTOPRIGHT;
        if (left && bottom)
            return HTBOTTOMLEFT;
        if (right && bottom)
            return HTBOTTOMRIGHT;
        if (left)
            return HTLEFT;
        if (top)
            return HTTOP;
        if (right)
            return HTRIGHT;
        if (bottom)
            return HTBOTTOM;
    }
    if (NewDefCaptionRect.Contains(P))
        return HTCAPTION;
    if (TRect{kBorder, C + kBorder, W - kBorder, H - kBorder}.Contains(P))
        return HTCLIENT;
    return HTOBJECT;
}

void TskSkinStdButtonObject::DefaultDraw(TCanvas* Cnvs)
{
    const int w = GetRectWidth(ObjectRect), h = GetRectHeight(ObjectRect);
    if (w <= 0 || h <= 0)
        return;
    if (Command == TskStdCommand::cmSysMenu && Parent->ShowIcon) {
        if (TIcon* icon = Parent->Form()->Icon(); icon && !icon->Empty())
            Cnvs->Draw(ObjectRect.Left, ObjectRect.Top, icon);
        return;
    }
    TBitmap B(w, h);
    TCanvas* c = B.Canvas();
    TRect R = Rect(0, 0, w, h);
    const bool pressed = FDown && FMouseIn;
    if (pressed || FMouseIn) {
        Frame3D(c, R, TColor(0x800000), TColor(0x800000), 1);
        c->Brush()->SetColor(pressed ? TColor(0xB59385) : TColor(0xD2BDB6));
        c->FillRect(R);
    } else {
        c->Brush()->SetColor(clBtnFace);
        c->FillRect(R);
    }
    const int X = w / 2 - 5 + (pressed ? 1 : 0), Y = h / 2 - 4 + (pressed ? 1 : 0);
    const COLORREF color = ColorToRGB(Enabled ? clBtnText : clBtnShadow);
    HDC dc = c->Handle();
    switch (Command) {
    case TskStdCommand::cmClose: DrawCloseImage(dc, X, Y, color); break;
    case TskStdCommand::cmMaximize:
        (Parent->WindowState() == wsMaximized ? DrawRestoreImage : DrawMaximizeImage)(dc, X, Y, color);
        break;
    case TskStdCommand::cmMinimize:
        (Parent->WindowState() == wsMinimized ? DrawRestoreImage : DrawMinimizeImage)(dc, X, Y, color);
        break;
    case TskStdCommand::cmSysMenu: DrawSysMenuImage(dc, X, Y, color); break;
    case TskStdCommand::cmRollUp: (Parent->RollUpState() ? DrawRollDownImage : DrawRollUpImage)(dc, X, Y, color); break;
    case TskStdCommand::cmMinimizeToTray: DrawTrayImage(dc, X, Y, color); break;
    case TskStdCommand::cmDefault: break;
    }
    BitBlt(Cnvs->Handle(), ObjectRect.Left, ObjectRect.Top, w, h, dc, 0, 0, SRCCOPY);
}

} // namespace tovrel
