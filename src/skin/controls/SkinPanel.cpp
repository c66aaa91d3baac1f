#include "skin/controls/SkinPanel.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ControlMessages.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"
#include "skin/data/SkinPanelEntries.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/SkinImageBuilders.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

namespace {

enum TArrowKind { kArrowDown = 1, kArrowUp = 2 };

void FrameLines(TCanvas& C, const TRect& r, TColor topLeft, TColor bottomRight)
{
    C.Pen()->SetColor(topLeft);
    C.MoveTo(r.Left, r.Bottom - 1);
    C.LineTo(r.Left, r.Top);
    C.LineTo(r.Right - 1, r.Top);
    C.Pen()->SetColor(bottomRight);
    C.LineTo(r.Right - 1, r.Bottom - 1);
    C.LineTo(r.Left, r.Bottom - 1);
}

TRect Inset(const TRect& r, int by)
{
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

// x of a text w wide in r by alignment.
int AlignedX(const TRect& r, int w, TAlignment a, int leftPad)
{
    switch (a) {
    case TAlignment::taRightJustify: return r.Right - w;
    case TAlignment::taCenter: return r.Left + leftPad + r.Width() / 2 - w / 2;
    default: return r.Left + leftPad;
    }
}

// Single-line text from (x, y), cut at the clip rectangle.
void DrawClippedText(TCanvas& C, const std::string& text, int x, int y, const TRect& clip)
{
    HDC dc = C.Handle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(C.Font()->Color()));
    RECT r{std::max(clip.Left, x), y, clip.Right, clip.Bottom};
    WideDrawText(dc, text, r, DT_SINGLELINE | DT_NOPREFIX);
}

} // namespace

TskSkinPanel::TskSkinPanel(TComponent* AOwner) : TskSkinCustomControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    ControlStyle = ControlStyle + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,
                                                csDoubleClicks,    csSetCaption,   csOpaque};
    SetBounds(Left(), Top(), 150, 150);
    SetSkinDataName("panel");
}

TskSkinPanel::~TskSkinPanel() = default;

void TskSkinPanel::RepaintAndRealign()
{
    Repaint();
    Realign();
}

void TskSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    RepaintAndRealign();
}

void TskSkinPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (FIndex == -1 && FCaptionMode)
        RepaintAndRealign();
}

void TskSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    FDefaultAlignment = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TskSkinPanel::SetRibbonStyle(bool Value)
{
    if (FRibbonStyle == Value)
        return;
    FRibbonStyle = Value;
    Repaint();
}

void TskSkinPanel::SetBorderStyle(TskSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (FIndex == -1)
        RepaintAndRealign();
}

void TskSkinPanel::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    Repaint();
}

void TskSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TskSkinPanel::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckedMode)
        Repaint();
    if (AutoEnabledControls && FCheckedMode)
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(FChecked);
    if (OnChecked)
        OnChecked(this);
}

void TskSkinPanel::SetRollUpState(bool Value)
{
    if (FRollUpState == Value || !FRollUpMode)
        return;
    FRollUpState = Value;
    DoRollUp(Value);
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TskSkinPanel::DoRollUp(bool ARollUp)
{
    if (ARollUp && FRealHeight == -1) {
        FRealHeight = Height();
        DisableAlign();
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetVisible(false);
        GetSkinData();
        SetHeight(FIndex == -1 ? FDefaultCaptionHeight + 1 : Height() - RealClientHeight());
    } else if (!ARollUp && FRealHeight != -1) {
        SetHeight(FRealHeight);
        FRealHeight = -1;
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetVisible(true);
        EnableAlign();
    }
}

TRect TskSkinPanel::GetSkinClientRect() const
{
    TRect r{0, 0, Width(), Height()};
    AdjustClientRect(r);
    return r;
}

void TskSkinPanel::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    const auto* entry =
        FIndex != -1 ? dynamic_cast<const TskDataSkinPanelControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get())
                     : nullptr;
    if (!entry)
        return;
    CaptionRect = entry->CaptionRect;
    Alignment = entry->Alignment;
    FontName = entry->FontName;
    FontStyle = entry->FontStyle;
    FontHeight = entry->FontHeight;
    FontColor = entry->FontColor;
    // A number naming no picture of the skin means none.
    BGPictureIndex = SkinData()->ActivePicture(entry->BGPictureIndex) ? entry->BGPictureIndex : -1;
    CheckImageRect = entry->CheckImageRect;
    UnCheckImageRect = entry->UnCheckImageRect;
    MarkFrameRect = entry->MarkFrameRect;
    FrameRect = entry->FrameRect;
    FrameLeftOffset = entry->FrameLeftOffset;
    FrameRightOffset = entry->FrameRightOffset;
    FrameTextRect = entry->FrameTextRect;
}

void TskSkinPanel::ChangeSkinData()
{
    TskSkinCustomControl::ChangeSkinData();
    if (FRollUpState) {
        // Rolled up again at the new skin's frame height, the unrolled height kept.
        const int real = FRealHeight;
        FRealHeight = -1;
        DoRollUp(true);
        FRealHeight = real;
    } else {
        Realign();
    }
}

void TskSkinPanel::AdjustClientRect(TRect& Rect) const
{
    TskSkinCustomControl::AdjustClientRect(Rect);
    if (FIndex == -1 || ComponentState().Contains(csDesigning)) {
        if (FBorderStyle != TskSkinBorderStyle::bvNone)
            Rect = Inset(Rect, 1);
        if (FCaptionMode) {
            if (FRibbonStyle)
                Rect.Bottom -= FDefaultCaptionHeight;
            else
                Rect.Top += FDefaultCaptionHeight;
        }
        return;
    }
    if (BGPictureIndex != -1 || (FBorderStyle == TskSkinBorderStyle::bvNone && !FCaptionMode && G.ResizeMode == 1))
        return;
    // At the panel's size now: the geometry keeps the size of its last paint,
    // and a panel resized before it is painted again aligns its children
    // already.
    TskSkinControlGeometry now = G;
    int w = Width(), h = Height();
    now.CalcSize(w, h, true);
    Rect = now.NewClRect;
}

TRect TskSkinPanel::DefaultCaptionBand() const
{
    const int W = Width(), H = Height(), C = FDefaultCaptionHeight;
    if (FBorderStyle == TskSkinBorderStyle::bvFrame)
        return FRibbonStyle ? TRect{0, H - C, W, H} : TRect{0, 0, W, C};
    return FRibbonStyle ? TRect{1, H - C - 1, W - 1, H - 1} : TRect{1, 1, W - 1, C};
}

void TskSkinPanel::CreateControlDefaultImage(TBitmap& B)
{
    TskSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& C = *B.Canvas();
    const TRect whole{0, 0, Width(), Height()};
    switch (FBorderStyle) {
    case TskSkinBorderStyle::bvFrame: FrameLines(C, whole, clBtnShadow, clBtnShadow); break;
    case TskSkinBorderStyle::bvRaised: FrameLines(C, whole, clBtnHighlight, clBtnShadow); break;
    case TskSkinBorderStyle::bvLowered: FrameLines(C, whole, clBtnShadow, clBtnHighlight); break;
    case TskSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode) {
        PaintClient(&C);
        return;
    }
    const TRect band = DefaultCaptionBand();
    if (FBorderStyle == TskSkinBorderStyle::bvFrame) {
        FrameLines(C, band, clBtnShadow, clBtnShadow);
        FrameLines(C, Inset(band, 1), clBtnHighlight, clBtnFace);
    } else {
        FrameLines(C, band, clBtnShadow, clBtnHighlight);
        FrameLines(C, Inset(band, 1), clBtnHighlight, clBtnShadow);
    }
    TRect R = Inset(band, 2);
    if (FCheckedMode)
        R.Left += 20;
    if (FRollUpMode)
        R.Right -= 10;
    C.SetFont(DefaultFont());
    if (const TskResourceStrData* strings = SkinData() ? SkinData()->ResourceStrData() : nullptr)
        C.Font()->SetCharset(strings->CharSet());
    const std::string& text = Caption();
    HDC dc = C.Handle();
    const int tw = WideTextWidth(dc, text), th = WideTextHeight(dc, text), cw = GetCaptionWidth(tw);
    const int y = R.Top + R.Height() / 2 - th / 2;
    const int pictureX =
        FDefaultAlignment == TAlignment::taRightJustify ? R.Right - cw : AlignedX(R, cw, FDefaultAlignment, 2);
    const int x = pictureX + (cw - tw);
    if (FCheckedMode) {
        const TRect box{5, R.Top + R.Height() / 2 - 7, 19, R.Top + R.Height() / 2 + 7};
        C.Brush()->SetColor(clWindow);
        C.FillRect(box);
        FrameLines(C, box, clBtnShadow, clBtnShadow);
        if (FChecked)
            DrawCheckImage(C.Handle(), box.Left + 3, box.Top + 2, ColorToRGB(clBtnText));
    }
    DrawClippedText(C, text, x, y, R);
    DrawCaptionPicture(C, pictureX, R);
    if (FRollUpMode)
        DrawArrowImage(C.Handle(), RECT{R.Right, R.Top, R.Right + 10, R.Bottom}, ColorToRGB(clBtnText),
                       FRollUpState ? kArrowDown : kArrowUp);
    PaintClient(&C);
}

void TskSkinPanel::CreateControlSkinImage(TBitmap& B)
{
    if (FBorderStyle == TskSkinBorderStyle::bvNone && G.ResizeMode == 1 && !FCaptionMode && !G.Stretch.StretchEffect) {
        // No border and no caption: the entry's client block tiled over the whole panel.
        TskSkinControlGeometry whole = G;
        whole.NewClRect = Rect(0, 0, B.Width(), B.Height());
        whole.DrawClientBackground(*B.Canvas());
        PaintClient(B.Canvas());
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(B);
    NewCaptionRect = G.ResizeMode <= 0 ? CaptionRect : ConvertSkinRect(CaptionRect);
    if (!Caption().empty() && !IsNullRect(CaptionRect) && FCaptionMode)
        DrawSkinCaption(*B.Canvas());
    PaintClient(B.Canvas());
}

int TskSkinPanel::DrawSkinCheckMark(TCanvas& C, int X, const TRect& Band) const
{
    const TRect mark = FChecked ? CheckImageRect : UnCheckImageRect;
    if (!FCheckedMode || IsNullRect(mark) || !G.Picture)
        return 0;
    const int w = mark.Width(), h = mark.Height();
    TBitmap image(w, h);
    image.Canvas()->CopyRect(TRect{0, 0, w, h}, G.Picture->Canvas(), mark);
    image.SetTransparent(true);
    C.Draw(X, Band.Top + Band.Height() / 2 - h / 2, &image);
    return w;
}

void TskSkinPanel::UseCaptionFont(TCanvas& C) const
{
    if (UseSkinFont) {
        C.Font()->SetName(FontName);
        C.Font()->SetHeight(FontHeight);
        C.Font()->SetStyle(FontStyle);
    } else {
        C.SetFont(DefaultFont());
    }
    const TskResourceStrData* strings = SkinData()->ResourceStrData();
    C.Font()->SetCharset(strings ? strings->CharSet() : DefaultFont()->Charset());
}

void TskSkinPanel::DrawCaptionFrameStrip(TCanvas& C, int TextWidth, int& TextX, int& PictureX) const
{
    if (IsNullRect(FrameRect) || !G.Picture)
        return;
    // The strip's end pieces hold the text's margins inside it.
    const int c = FrameRect.Width() - FrameTextRect.Width();
    TBitmap strip;
    CreateHSkinImage(FrameLeftOffset, FrameRightOffset, strip, *G.Picture, FrameRect, TextWidth + c, false);
    int stripX = TextX;
    switch (Alignment) {
    case TAlignment::taRightJustify:
        stripX = TextX - c;
        TextX = FrameTextRect.Left + TextX - c;
        PictureX -= c;
        break;
    case TAlignment::taCenter:
        stripX = TextX - FrameTextRect.Left - 2;
        PictureX -= FrameTextRect.Left;
        TextX -= 2;
        break;
    default: TextX = FrameTextRect.Left + TextX; break;
    }
    C.Draw(stripX, CaptionRect.Top, &strip);
}

void TskSkinPanel::DrawSkinCaption(TCanvas& C)
{
    TRect R = NewCaptionRect;
    if (FRollUpMode)
        R.Right -= 12;
    if (const int mark = DrawSkinCheckMark(C, R.Left, R); mark > 0)
        R.Left += mark + 2;
    UseCaptionFont(C);
    C.Font()->SetColor(FontColor);
    const std::string& text = Caption();
    HDC dc = C.Handle();
    const int tw = WideTextWidth(dc, text), th = WideTextHeight(dc, text), cw = GetCaptionWidth(tw);
    int pictureX = AlignedX(R, cw, Alignment, 0);
    int x = pictureX + (cw - tw);
    if (FImagePosition == TskImagePosition::skipLeft && cw > tw) {
        // The picture at the left end, the text aligned on its own beside it.
        pictureX = R.Left + 2;
        x = std::max(AlignedX(R, tw, Alignment, 0), pictureX + (cw - tw));
    }
    DrawCaptionFrameStrip(C, tw, x, pictureX);
    DrawClippedText(C, text, x, R.Top + R.Height() / 2 - th / 2, R);
    DrawCaptionPicture(C, pictureX, R);
    if (FRollUpMode) {
        const TRect M{R.Right, R.Top, R.Right + 10, R.Bottom};
        if (!IsNullRect(MarkFrameRect) && G.Picture)
            C.CopyRect(TRect{M.Left, M.Top, M.Left + MarkFrameRect.Width(), CaptionRect.Top + MarkFrameRect.Height()},
                       G.Picture->Canvas(), MarkFrameRect);
        DrawArrowImage(C.Handle(), M, ColorToRGB(FontColor), FRollUpState ? kArrowDown : kArrowUp);
    }
}

void TskSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == mbLeft) {
        TRect band = FIndex != -1   ? NewCaptionRect
                     : FRibbonStyle ? TRect{1, Height() - FDefaultCaptionHeight - 1, Width() - 1, Height() - 1}
                                    : TRect{1, 1, Width() - 1, FDefaultCaptionHeight};
        // Edges included.
        if (X >= band.Left && X <= band.Right && Y >= band.Top && Y <= band.Bottom) {
            if (FCheckedMode)
                SetChecked(!FChecked);
            if (FRollUpMode)
                SetRollUpState(!FRollUpState);
        }
    }
    TskSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

void TskSkinPanel::WndProc(TMessage& Message)
{
    TskSkinCustomControl::WndProc(Message);
    if ((Message.Msg == CM_TEXTCHANGED && FCaptionMode) || Message.Msg == CM_ENABLEDCHANGED)
        Repaint();
    else if (Message.Msg == WM_MOVE)
        CheckParentBackground();
}

void TskSkinPanel::CheckParentBackground()
{
    // What shows through has moved or changed: so has what the children show.
    if (!FTransparentMode)
        return;
    Repaint();
    CheckControlsBackground();
}

TskSkinPaintPanel::TskSkinPaintPanel(TComponent* AOwner) : TskSkinPanel(AOwner) {}

void TskSkinPaintPanel::PaintClient(TCanvas* Canvas)
{
    if (OnPanelPaint)
        OnPanelPaint(Canvas, GetSkinClientRect());
}

TskSkinGroupBox::TskSkinGroupBox(TComponent* AOwner) : TskSkinPanel(AOwner)
{
    SetSkinDataName("groupbox");
    SetCaptionMode(true);
}

} // namespace tovrel
