#include "skin/controls/SkinTextLabel.h"

#include "platform/gdi/Text.h"
#include "platform/vcl/Canvas.h"
#include "platform/vcl/ControlMessages.h"
#include "skin/data/SkinData.h"

namespace tovrel {

TskSkinTextLabel::TskSkinTextLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    ControlStyle.Exclude(csOpaque);
    ControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 65, 65);
    FLines->OnChange = [this](TObject*) { LinesChanged(); };
}

void TskSkinTextLabel::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value != nullptr)
        ChangeSkinData();
}

void TskSkinTextLabel::ChangeSkinData()
{
    FSkinFont.GetSkinData(FSD, SkinDataName);
    if (FAutoSize)
        AdjustBounds();
    Repaint();
}

void TskSkinTextLabel::SetLines(const TStrings* Value)
{
    FLines->Assign(Value);
    Repaint();
}

void TskSkinTextLabel::LinesChanged()
{
    AdjustBounds();
    Invalidate();
}

void TskSkinTextLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value)
        return;
    FAlignment = Value;
    Invalidate();
}

void TskSkinTextLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value)
        return;
    FLayout = Value;
    Invalidate();
}

void TskSkinTextLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value)
        return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TskSkinTextLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value)
        return;
    FAutoSize = Value;
    AdjustBounds();
}

void TskSkinTextLabel::DoDrawText(TRect& rect, UINT flags)
{
    FSkinFont.GetSkinData(FSD, SkinDataName);
    flags = DrawTextBiDiModeFlags(flags);
    FSkinFont.ChooseFont(*FDrawFont, FSD, *FDefaultFont, *Font(), UseSkinFont, UseSkinColor);
    FSkinFont.DrawText(*Canvas(), *FDrawFont, GetLabelText(), rect, flags, Enabled(), FSD);
}

int TskSkinTextLabel::TextHeight(const TRect& measured)
{
    // What a trailing break adds to one line, so it holds however the text
    // drawing counts the empty line after the break.
    TRect letter = Rect(0, 0, 0, 0), broken = letter;
    FSkinFont.DrawText(*Canvas(), *FDrawFont, "A", letter, DT_CALCRECT, true, FSD);
    FSkinFont.DrawText(*Canvas(), *FDrawFont, "A\r\n", broken, DT_CALCRECT, true, FSD);
    return measured.Bottom - (broken.Height() - letter.Height());
}

void TskSkinTextLabel::Paint()
{
    TRect r = ClientRect();
    UINT flags = DT_EXPANDTABS;
    if (FWordWrap)
        flags |= DT_WORDBREAK;
    flags |= FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT;
    if (FLayout != tlTop) {
        TRect measured = r;
        DoDrawText(measured, flags | DT_CALCRECT);
        const int offset = Height() - TextHeight(measured);
        r.Top += FLayout == tlBottom ? offset : offset / 2;
    }
    DoDrawText(r, flags);
}

void TskSkinTextLabel::AdjustBounds()
{
    if (!FAutoSize || ComponentState().Contains(csReading) || ComponentState().Contains(csLoading))
        return;
    TRect r = ClientRect();
    DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    const int width = r.Right;
    const int height = TextHeight(r);
    int left = Left();
    const TAlignment alignment = UseRightToLeftAlignment() && FAlignment != taCenter
                                     ? (FAlignment == taLeftJustify ? taRightJustify : taLeftJustify)
                                     : FAlignment;
    if (alignment == taRightJustify)
        left += Width() - width;
    SetBounds(left, Top(), width, height);
}

void TskSkinTextLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TskSkinTextLabel::WndProc(TMessage& message)
{
    if (message.Msg == CM_FONTCHANGED) {
        AdjustBounds();
        Invalidate();
    }
    TGraphicControl::WndProc(message);
}

} // namespace tovrel
