// The skinned panel's caption picture: a glyph strip of its own, or else an
// image of the caption image list.
#include "skin/controls/SkinPanel.h"
#include "skin/draw/GlyphLayout.h"

#include <algorithm>

namespace tovrel {

void TskSkinPanel::SetGlyph(const TBitmap* Value)
{
    FGlyph->Assign(Value);
    Repaint();
}

void TskSkinPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
}

void TskSkinPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TskSkinPanel::SetCaptionImageList(TCustomImageList* Value)
{
    FCaptionImageList = Value;
    Repaint();
}

void TskSkinPanel::SetCaptionImageIndex(int Value)
{
    if (FCaptionImageIndex == Value)
        return;
    FCaptionImageIndex = Value;
    Repaint();
}

void TskSkinPanel::SetImagePosition(TskImagePosition Value)
{
    if (FImagePosition == Value)
        return;
    FImagePosition = Value;
    Repaint();
}

TSize TskSkinPanel::CaptionPictureSize() const
{
    if (!FGlyph->Empty())
        return {FGlyph->Width() / FNumGlyphs, FGlyph->Height()};
    const TCustomImageList* images = FCaptionImageList;
    if (images && FCaptionImageIndex >= 0 && FCaptionImageIndex < images->Count())
        return {images->Width(), images->Height()};
    return {0, 0};
}

int TskSkinPanel::GetCaptionWidth(int TextWidth) const
{
    const int picture = CaptionPictureSize().cx;
    return picture > 0 ? TextWidth + picture + FSpacing : TextWidth;
}

void TskSkinPanel::DrawCaptionPicture(TCanvas& C, int X, const TRect& R) const
{
    const TSize size = CaptionPictureSize();
    if (size.cx <= 0)
        return;
    const int y = R.Top + R.Height() / 2 - size.cy / 2;
    if (FGlyph->Empty()) {
        FCaptionImageList->Draw(&C, X, y, FCaptionImageIndex, Enabled());
        return;
    }
    TskBitmap glyph;
    glyph.Assign(FGlyph.get());
    DrawGlyph(C.Handle(), X, y, glyph, FNumGlyphs, !Enabled() && FNumGlyphs == 2 ? 2 : 1);
}

} // namespace tovrel
