#include "skin/controls/SkinLabelFont.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/SysColors.h"
#include "platform/gdi/Text.h"
#include "platform/vcl/Canvas.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"

namespace tovrel {

void TskSkinLabelFont::GetSkinData(const TskSkinData* skinData, std::string_view name)
{
    Index = FindSkinEntry(skinData, name);
    if (Index < 0)
        return;
    const auto* entry = dynamic_cast<const TskDataSkinStdLabelControl*>(skinData->CtrlList[Index].get());
    if (entry == nullptr) {
        // Drawn as without an entry, not with fonts left from an earlier one.
        Index = -1;
        return;
    }
    FontName = entry->FontName;
    FontStyle = entry->FontStyle;
    FontHeight = entry->FontHeight;
    FontColor = entry->FontColor;
    ActiveFontColor = entry->ActiveFontColor;
}

void TskSkinLabelFont::ChooseFont(TFont& target, const TskSkinData* skinData, const TFont& defaultFont,
                                  const TFont& ownFont, bool useSkinFont, bool useSkinColor) const
{
    if (Index < 0) {
        target.Assign(useSkinFont ? &defaultFont : &ownFont);
    } else {
        target.Assign(&ownFont);
        if (useSkinFont) {
            target.SetName(FontName);
            target.SetStyle(FontStyle);
            target.SetHeight(FontHeight);
        }
        target.SetColor(useSkinColor ? FontColor : ownFont.Color());
    }
    const TskResourceStrData* strings = skinData != nullptr ? skinData->ResourceStrData() : nullptr;
    target.SetCharset(strings != nullptr ? strings->CharSet() : defaultFont.Charset());
}

void TskSkinLabelFont::DrawText(TCanvas& canvas, TFont& font, std::string_view text, TRect& rect, UINT flags,
                                bool enabled, const TskSkinData* skinData) const
{
    RECT r = rect;
    if (flags & DT_CALCRECT) {
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, font.Handle());
        DrawTextEx(screen, text, &r, flags, nullptr);
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        rect = r;
        return;
    }
    canvas.SetFont(&font);
    canvas.Brush()->SetStyle(bsClear);
    if (!enabled) {
        const bool skinned = Index >= 0 && skinData != nullptr;
        RECT light = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        canvas.Font()->SetColor(skinned ? skinData->SkinColors.cBtnHighLight() : clBtnHighlight);
        DrawTextEx(canvas.Handle(), text, &light, flags, nullptr);
        canvas.Font()->SetColor(skinned ? skinData->SkinColors.cBtnShadow() : clBtnShadow);
    }
    DrawTextEx(canvas.Handle(), text, &r, flags, nullptr);
    rect = r;
}

} // namespace tovrel
