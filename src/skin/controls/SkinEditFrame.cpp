// The skinned edit's drawing: the frame image of the whole window (painted
// into the non-client area with the text area clipped out), the client
// background under the text, and the button of ButtonMode.
#include "skin/controls/SkinEdit.h"

#include "platform/gdi/Gdi.h"
#include "platform/vcl/Bitmap.h"
#include "platform/wm/Paint.h"
#include "skin/controls/SkinButtonFace.h"
#include "skin/controls/SkinButtonImage.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/SkinImageBuilders.h"

#include <algorithm>

namespace tovrel {

void TskSkinCustomEdit::PaintFrameStrip(TBitmap& B, bool Hot)
{
    TCanvas& c = *B.Canvas();
    if (!HasEntry()) {
        const int bw = FButtonMode ? Width() - FButtonRect.Left : 0;
        const TRect r = Rect(0, 0, Width() - bw, Height());
        c.Brush()->SetColor(clBtnShadow);
        c.FrameRect(r);
        c.Brush()->SetColor(clBtnFace);
        c.FrameRect(Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
        c.Brush()->SetColor(FDefaultColor);
        c.FillRect(Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2));
        if (FButtonMode)
            DrawDefaultButtonFace(c, FButtonRect, FButtonActive, FButtonActive && FButtonDown);
        return;
    }
    if (!Picture)
        return;
    TBitmap strip;
    CreateHSkinImage(LOffset, ROffset, strip, *Picture, Hot ? ActiveSkinRect : SkinRect, Width(), StretchEffect);
    c.Draw(0, 0, &strip);
    if (!FButtonMode)
        return;
    TRect source;
    if (!Enabled() && !IsNullRect(UnEnabledButtonRect))
        source = UnEnabledButtonRect;
    else if (FButtonDown && FButtonActive)
        source = DownButtonRect;
    else if (FButtonActive)
        source = ActiveButtonRect;
    if (!IsNullRect(source))
        c.CopyRect(FButtonRect, Picture->Canvas(), source);
}

void TskSkinCustomEdit::PaintFrameStretch(TBitmap& B, bool Hot)
{
    if (Picture) {
        TBitmap frame(Width(), Height());
        CreateStretchImage(frame, *Picture, Hot ? ActiveSkinRect : SkinRect, ClRect, false);
        B.Canvas()->Draw(0, 0, &frame);
    }
    if (FButtonMode)
        DrawEditButton(*B.Canvas(), FButtonRect);
}

void TskSkinCustomEdit::DrawEditButton(TCanvas& C, const TRect& R)
{
    if (const auto* entry = FindButtonEntry(FSD, {"editbutton", "resizebutton"}))
        DrawButtonEntryImage(C, *FSD, *entry, R, FButtonActive, FButtonDown);
}

void TskSkinCustomEdit::PaintFrameImage(TBitmap& B, bool Hot)
{
    B.SetSize(Width(), Height());
    if (UseSkinFont || !HasEntry())
        PaintFrameStrip(B, Hot);
    else
        PaintFrameStretch(B, Hot);
}

void TskSkinCustomEdit::PaintFrame(HDC dc, bool ExcludeText)
{
    GetSkinData();
    CalcEditRects();
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap image;
    PaintFrameImage(image, HotLook());
    const int saved = SaveDC(dc);
    if (ExcludeText)
        ExcludeClipRect(dc, FEditRect.Left, FEditRect.Top, FEditRect.Right, FEditRect.Bottom);
    BitBlt(dc, 0, 0, Width(), Height(), image.Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(dc, saved);
}

void TskSkinCustomEdit::PaintEditBackground(HDC dc)
{
    const TRect client = ClientRect();
    if (client.Width() <= 0 || client.Height() <= 0)
        return;
    GetSkinData();
    TBitmap back(client.Width(), client.Height());
    TCanvas& c = *back.Canvas();
    if (!HasEntry() || !Picture) {
        c.Brush()->SetColor(FDefaultColor);
        c.FillRect(client);
    } else {
        const TRect look = HotLook() ? ActiveSkinRect : SkinRect;
        const TRect piece =
            Rect(look.Left + ClRect.Left, look.Top + ClRect.Top, look.Left + ClRect.Right, look.Top + ClRect.Bottom);
        const int left = std::max(0, LOffset - ClRect.Left);
        const int right = std::max(0, ClRect.Right + ROffset - SkinRect.Width());
        TBitmap strip;
        CreateHSkinImage(left, right, strip, *Picture, piece, client.Width(), StretchEffect);
        if (UseSkinFont)
            c.Draw(0, 0, &strip);
        else
            c.StretchDraw(client, &strip);
    }
    DrawImageButtons(c);
    BitBlt(dc, 0, 0, client.Width(), client.Height(), c.Handle(), 0, 0, SRCCOPY);
}

void TskSkinCustomEdit::PaintWindow(HDC dc)
{
    if (Enabled()) {
        TskCustomEdit::PaintWindow(dc);
        return;
    }
    TCanvas c;
    c.SetHandle(dc);
    if (HasEntry() && UseSkinFont) {
        c.Font()->SetName(FontName);
        c.Font()->SetHeight(FontHeight);
        c.Font()->SetStyle(FontStyle);
        c.Font()->SetColor(DisabledFontColor);
    } else {
        c.SetFont(FDefaultFont.get());
        c.Font()->SetColor(HasEntry() ? DisabledFontColor : clGrayText);
    }
    c.Brush()->SetStyle(bsClear);
    const TRect r = Rect(0, 0, FEditRect.Width(), FEditRect.Height());
    const std::string text = Text();
    const int width = c.TextWidth(text);
    int x = r.Left + 2;
    if (FAlignment == taRightJustify)
        x = r.Right - width - 1;
    else if (FAlignment == taCenter)
        x = r.Left + r.Width() / 2 - width / 2;
    c.TextRect(r, x, 0, text);
    c.SetHandle(nullptr);
}

void TskSkinCustomEdit::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    GetSkinData();
    CalcEditRects();
    if (Width() <= 0 || Height() <= 0)
        return;
    TBitmap image;
    PaintFrameImage(image, false);
    TCanvas& c = *image.Canvas();
    if (!HasEntry() || !UseSkinFont) {
        c.SetFont(FDefaultFont.get());
    } else {
        c.Font()->SetName(FontName);
        c.Font()->SetStyle(FontStyle);
        c.Font()->SetHeight(FontHeight);
        c.Font()->SetColor(FontColor);
    }
    c.Brush()->SetStyle(bsClear);
    const TRect t = FEditRect;
    const int width = c.TextWidth(AText);
    int x = t.Left + 2;
    if (FAlignment == taRightJustify)
        x = t.Right - width;
    else if (FAlignment == taCenter)
        x = t.Left + 2 + t.Width() / 2 - width / 2;
    c.TextRect(t, x, t.Top, AText);
    C.Draw(X, Y, &image);
}

} // namespace tovrel
