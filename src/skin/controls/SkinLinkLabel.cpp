#include "skin/controls/SkinLinkLabel.h"

#include "platform/gdi/Text.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/vcl/Canvas.h"
#include "skin/draw/GlowText.h"

namespace tovrel {

TskSkinLinkLabel::TskSkinLinkLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    SetTransparent(true);
    FDefaultFont->SetName("Arial");
    FDefaultFont->SetHeight(14);
    FDefaultFont->SetStyle(TFontStyles{fsUnderline});
    Font()->Assign(FDefaultFont.get());
    Cursor = crHandPoint;
}

void TskSkinLinkLabel::SetSkinData(TskSkinData* Value)
{
    FSD = Value;
    if (Value)
        ChangeSkinData();
}

void TskSkinLinkLabel::SetUseUnderLine(bool Value)
{
    if (FUseUnderLine == Value)
        return;
    FUseUnderLine = Value;
    Invalidate();
}

void TskSkinLinkLabel::ChangeSkinData()
{
    FSkinFont.GetSkinData(FSD, SkinDataName);
    if (AutoSize())
        AdjustBounds();
    Invalidate();
}

void TskSkinLinkLabel::Click()
{
    TCustomLabel::Click();
    // The result is not reported: an address that cannot be opened does nothing.
    if (!URL.empty())
        ShellLauncher()->Open(URL, "");
}

void TskSkinLinkLabel::DoDrawText(TRect& rect, UINT flags)
{
    FSkinFont.GetSkinData(FSD, SkinDataName);
    std::string text = Caption();
    if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == "&")))
        text += ' ';
    flags = DrawTextBiDiModeFlags(flags);
    TRect r = rect;
    if (GlowEffect)
        r.Top += GlowSize, r.Bottom += GlowSize;

    const bool skinned = FSkinFont.Index != -1;
    FSkinFont.ChooseFont(*FDrawFont, FSD, *FDefaultFont, *Font(), UseSkinFont, true);
    const TColor glowColour = skinned ? FSkinFont.ActiveFontColor : DefaultActiveFontColor;
    // With a glow the text keeps its colour and the glow carries the hover colour.
    const bool hover = FMouseIn && Enabled();
    if (hover && (!skinned || !GlowEffect))
        FDrawFont->SetColor(glowColour);
    TFontStyles style = FDrawFont->Style();
    if (FUseUnderLine)
        style.Include(fsUnderline);
    else
        style.Exclude(fsUnderline);
    FDrawFont->SetStyle(style);

    if (hover && GlowEffect && !(flags & DT_CALCRECT)) {
        Canvas()->SetFont(FDrawFont.get());
        Canvas()->Brush()->SetStyle(bsClear);
        DrawGlowText(Canvas()->Handle(), r, text, GlowSize, glowColour, 0, flags);
        return;
    }
    FSkinFont.DrawText(*Canvas(), *FDrawFont, text, r, flags, Enabled(), FSD);
    if (flags & DT_CALCRECT)
        rect = r;
}

void TskSkinLinkLabel::WndProc(TMessage& message)
{
    TCustomLabel::WndProc(message);
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE) {
        FMouseIn = message.Msg == CM_MOUSEENTER;
        Invalidate();
    }
}

} // namespace tovrel
