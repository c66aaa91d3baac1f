// How a skinned panel paints besides its skin image: the skin's background
// picture over the whole area and the transparent modes over the parent's
// background.
#include "platform/gdi/Text.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ControlMessages.h"
#include "skin/controls/SkinLabelFont.h"
#include "skin/controls/SkinPanel.h"
#include "skin/data/SkinData.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/TextHelpers.h"

namespace tovrel {

namespace {

enum TArrowKind { kArrowDown = 1, kArrowUp = 2 };

void Line(TCanvas& C, int x1, int y1, int x2, int y2)
{
    C.MoveTo(x1, y1);
    C.LineTo(x2, y2);
}

} // namespace

void TskSkinPanel::SetTransparentMode(bool Value)
{
    if (FTransparentMode == Value)
        return;
    FTransparentMode = Value;
    Repaint();
    if (!ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        CheckControlsBackground();
}

void TskSkinPanel::Paint()
{
    if (Width() < 1 || Height() < 1)
        return;
    GetSkinData();
    if (FIndex != -1 && FTransparentMode)
        PaintTransparent();
    else if (FIndex == -1 || !PaintWholeAreaPicture())
        TskSkinCustomControl::Paint();
}

bool TskSkinPanel::PaintWholeAreaPicture()
{
    int w = Width(), h = Height();
    CalcSize(w, h);
    const TRect whole{0, 0, Width(), Height()};
    if (TBitmap* background = SkinData()->ActivePicture(BGPictureIndex)) {
        DrawBlockOver(*Canvas(), whole, background->Canvas(), {0, 0, background->Width(), background->Height()},
                      G.Stretch);
        return true;
    }
    // Without border and caption the skin image itself is the client part
    // over the whole panel (CreateControlSkinImage), so that controls built
    // on the panel still draw over it.
    return false;
}

void TskSkinPanel::PaintTransparent()
{
    TBitmap buffer(Width(), Height());
    TCanvas& C = *buffer.Canvas();
    PaintParentBackground(this, C.Handle());
    if (FCaptionMode) {
        DrawTransparentGroupFrame(C);
    } else if (FBorderStyle != TskSkinBorderStyle::bvNone) {
        C.Brush()->SetStyle(bsClear);
        C.Pen()->SetColor(SkinData()->SkinColors.cBtnShadow());
        C.Rectangle(0, 0, Width(), Height());
    }
    PaintClient(&C);
    Canvas()->Draw(0, 0, &buffer);
}

void TskSkinPanel::DrawTransparentGroupFrame(TCanvas& C)
{
    const TskSkinData& skin = *SkinData();
    C.Pen()->SetColor(skin.SkinColors.cBtnShadow());
    C.Pen()->SetWidth(1);
    C.Brush()->SetStyle(bsClear);
    UseCaptionFont(C);
    TskSkinLabelFont label;
    label.GetSkinData(&skin, "stdlabel");
    C.Font()->SetColor(label.Index != -1 ? label.FontColor : skin.SkinColors.cBtnText());

    const std::string& text = Caption();
    HDC dc = C.Handle();
    const int h = WideTextHeight(dc, text) + 5, W = Width(), H = Height();
    const TRect band{0, 0, W, h};
    NewCaptionRect = {5, 0, W, h};
    int x = 5;
    if (const int mark = DrawSkinCheckMark(C, x, band); mark > 0)
        x += mark + 5;
    if (const int picture = CaptionPictureSize().cx; picture > 0) {
        DrawCaptionPicture(C, x, band);
        x += picture + 2;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(C.Font()->Color()));
    RECT textRect{x, 0, W, h};
    WideDrawText(dc, text, textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX);
    const int tw = WideTextWidth(dc, text), mid = h / 2;
    int lineFrom = x + tw + 3;
    if (FRollUpMode) {
        DrawArrowImage(dc, RECT{x + tw + 3, 0, x + tw + 10, h}, ColorToRGB(C.Font()->Color()),
                       FRollUpState ? kArrowDown : kArrowUp);
        lineFrom = x + tw + 12;
    }
    Line(C, lineFrom, mid, W, mid);
    Line(C, 0, mid, 4, mid);
    C.MoveTo(W - 1, mid);
    C.LineTo(W - 1, H - 1);
    C.LineTo(0, H - 1);
    C.LineTo(0, mid);
}

} // namespace tovrel
