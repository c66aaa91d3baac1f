#include "skin/controls/SkinStdLabel.h"

#include "platform/gdi/Text.h"
#include "platform/vcl/Canvas.h"
#include "skin/data/SkinData.h"

namespace tovrel {

TskSkinStdLabel::TskSkinStdLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    SetTransparent(true);
}

void TskSkinStdLabel::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value != nullptr)
        ChangeSkinData();
}

void TskSkinStdLabel::SetEllipsType(TskEllipsType Value)
{
    if (FEllipsType == Value)
        return;
    FEllipsType = Value;
    Invalidate();
}

void TskSkinStdLabel::ChangeSkinData()
{
    FSkinFont.GetSkinData(FSD, SkinDataName);
    if (AutoSize())
        AdjustBounds();
    Repaint();
}

void TskSkinStdLabel::DrawLabelText(TCanvas& canvas, std::string text, TRect& rect, UINT flags)
{
    FSkinFont.GetSkinData(FSD, SkinDataName);
    // An empty label keeps one line of height.
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&")))
        text += ' ';
    if (FEllipsType == sketEndEllips)
        flags |= DT_END_ELLIPSIS;
    else if (FEllipsType == sketPathEllips)
        flags |= DT_PATH_ELLIPSIS;
    flags = DrawTextBiDiModeFlags(flags);
    FSkinFont.ChooseFont(*FDrawFont, FSD, *FDefaultFont, *Font(), UseSkinFont, UseSkinColor);
    FSkinFont.DrawText(canvas, *FDrawFont, text, rect, flags, Enabled(), FSD);
}

void TskSkinStdLabel::DoDrawText(TRect& rect, UINT flags)
{
    DrawLabelText(*Canvas(), Caption(), rect, flags);
}

void TskSkinStdLabel::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    TRect r = ClientRect();
    if (!Transparent()) {
        C.Brush()->SetColor(Color());
        C.Brush()->SetStyle(bsSolid);
        C.FillRect(Rect(X, Y, X + r.Width(), Y + r.Height()));
    }
    const UINT flags = DrawTextFlags();
    if (Layout() != tlTop) {
        TRect measured = r;
        DrawLabelText(C, AText, measured, flags | DT_CALCRECT);
        const int offset = r.Height() - measured.Height();
        r.Top += Layout() == tlBottom ? offset : offset / 2;
    }
    r = Rect(r.Left + X, r.Top + Y, r.Right + X, r.Bottom + Y);
    DrawLabelText(C, AText, r, flags);
}

} // namespace tovrel
