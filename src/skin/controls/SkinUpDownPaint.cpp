// The up-down's default, skin and free-size skin looks.
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinDefaultLook.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinButtonEntries.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"

namespace tovrel {

namespace {

constexpr int kArrowLeft = 1, kArrowRight = 2, kArrowUp = 3, kArrowDown = 4; // DrawArrowImage kinds

} // namespace

int TskSkinUpDown::ArrowKind(int Button) const
{
    if (FOrientation == udVertical)
        return Button == 0 ? kArrowUp : kArrowDown;
    return Button == 0 ? kArrowRight : kArrowLeft;
}

void TskSkinUpDown::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    TCanvas& C = *B.Canvas();
    for (int i = 0; i < 2; ++i) {
        const TButtonPart& b = Buttons[i];
        DefaultButtonFace(C, b.R, b.MouseIn, b.Down && b.MouseIn);
        DrawArrowImage(C.Handle(), b.R, RGB(0, 0, 0), ArrowKind(i));
    }
}

void TskSkinUpDown::CreateControlSkinImage(TBitmap& B)
{
    if (!FUpDownEntry) {
        CreateControlDefaultImage(B);
        return;
    }
    if (!UseSkinSize) {
        for (int i = 0; i < 2; ++i)
            DrawResizedButton(*B.Canvas(), i);
        return;
    }
    TskSkinCustomControl::CreateControlSkinImage(B);
    if (!G.Picture)
        return;
    for (int i = 0; i < 2; ++i) {
        const TButtonPart& b = Buttons[i];
        TRect source;
        if (b.Down && b.MouseIn)
            source = i == 0 ? DownUpButtonRect : DownDownButtonRect;
        else if (b.MouseIn)
            source = i == 0 ? ActiveUpButtonRect : ActiveDownButtonRect;
        if (!IsNullRect(source))
            B.Canvas()->Draw(b.R.Left, b.R.Top, PicturePart(*G.Picture, source).get());
    }
}

void TskSkinUpDown::DrawResizedButton(TCanvas& C, int i)
{
    const TButtonPart& b = Buttons[i];
    const int w = b.R.Width(), h = b.R.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap image(w, h);
    const auto* e = FindSkinEntryAs<const TskDataSkinButtonControl>(SkinData(), "resizebutton");
    TBitmap* picture = e ? SkinData()->ActivePicture(e->PictureIndex) : nullptr;
    if (!e || !picture) {
        // Nothing to draw from: a plain face.
        image.Canvas()->Brush()->SetColor(clBtnFace);
        image.Canvas()->FillRect(TRect{0, 0, w, h});
        C.Draw(b.R.Left, b.R.Top, &image);
        return;
    }
    const bool pressed = b.Down && b.MouseIn;
    const TRect active = IsNullRect(e->ActiveSkinRect) ? e->SkinRect : e->ActiveSkinRect;
    const TRect source = pressed     ? (IsNullRect(e->DownSkinRect) ? active : e->DownSkinRect)
                         : b.MouseIn ? active
                                     : e->SkinRect;
    ResizedEntryImage(image, *picture, *e, source, w, h);
    C.Draw(b.R.Left, b.R.Top, &image);
    const TColor glyph = pressed ? e->DownFontColor : b.MouseIn ? e->ActiveFontColor : e->FontColor;
    TRect arrow = b.R;
    if (pressed) {
        arrow.Left += 2;
        arrow.Top += 2;
    }
    DrawArrowImage(C.Handle(), arrow, ColorToRGB(glyph), ArrowKind(i));
}

} // namespace tovrel
