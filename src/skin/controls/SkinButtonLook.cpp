#include "skin/controls/SkinButtonLook.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "skin/data/ResourceStrData.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinGeometry.h"

namespace tovrel {

void FillFramed(TCanvas& canvas, const TRect& r, TColor frame, TColor fill)
{
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(fill);
    canvas.FillRect(r);
    canvas.Brush()->SetColor(frame);
    canvas.FrameRect(r);
}

void FillPressableFace(TCanvas& canvas, const TRect& r, TskPressableFace face)
{
    switch (face) {
    case TskPressableFace::Normal: FillFramed(canvas, r, clBtnShadow, clBtnFace); break;
    case TskPressableFace::Hot: FillFramed(canvas, r, kPressableHotFrame, kPressableHotFill); break;
    case TskPressableFace::Down: FillFramed(canvas, r, kPressableHotFrame, kPressableDownFill); break;
    case TskPressableFace::Flat: FillFramed(canvas, r, clBtnFace, clBtnFace); break;
    }
}

void TskButtonEntryLook::ReadButtonEntry(const TskDataSkinButtonControl& entry)
{
    FontName = entry.FontName;
    FontColor = entry.FontColor;
    ActiveFontColor = entry.ActiveFontColor;
    DownFontColor = entry.DownFontColor;
    FontStyle = entry.FontStyle;
    FontHeight = entry.FontHeight;
    ActiveSkinRect = IsNullRect(entry.ActiveSkinRect) ? entry.SkinRect : entry.ActiveSkinRect;
    DownSkinRect = IsNullRect(entry.DownSkinRect) ? ActiveSkinRect : entry.DownSkinRect;
    DisabledSkinRect = entry.DisabledSkinRect;
    DisabledFontColor = entry.DisabledFontColor == FontColor ? clGray : entry.DisabledFontColor;
    FMorphingEntry = entry.Morphing;
    MorphKind = entry.MorphKind;
    AnimateSkinRect = entry.AnimateSkinRect;
    FrameCount = entry.FrameCount;
    AnimateInterval = entry.AnimateInterval;
}

TColor TskButtonEntryLook::StateFontColor(bool enabled, bool useSkinFontColor, TColor defaultColor, bool down,
                                          bool mouseIn) const
{
    if (enabled && !useSkinFontColor)
        return defaultColor;
    if (!enabled)
        return DisabledFontColor;
    if (down && mouseIn)
        return DownFontColor;
    return mouseIn ? ActiveFontColor : FontColor;
}

void TskButtonEntryLook::SetCaptionFont(TCanvas& canvas, const TFont* defaultFont, bool useEntryFont,
                                        TskSkinData* skin) const
{
    canvas.SetFont(defaultFont);
    if (useEntryFont) {
        canvas.Font()->SetName(FontName);
        canvas.Font()->SetHeight(FontHeight);
        canvas.Font()->SetStyle(FontStyle);
    }
    const TskResourceStrData* strings = skin != nullptr ? skin->ResourceStrData() : nullptr;
    canvas.Font()->SetCharset(strings != nullptr ? strings->CharSet() : defaultFont->Charset());
}

int ButtonGlyphNum(bool down, bool mouseIn, bool enabled, int numGlyphs)
{
    if (down && mouseIn && numGlyphs > 2)
        return 3;
    if (mouseIn && numGlyphs > 3)
        return 4;
    if (!enabled && numGlyphs > 1)
        return 2;
    return 1;
}

} // namespace tovrel
