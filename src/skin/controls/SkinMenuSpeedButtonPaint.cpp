// The menu button's pictures: the state pictures of the generic button
// entries split into a main and a track part, the drop-down marker, and the
// default look.
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/data/SkinGeometry.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/SkinImageBuilders.h"

namespace tovrel {

namespace {

// A pixel shift of a pressed or open marker.
constexpr int kMarkerShift = 2;

} // namespace

void TskSkinMenuSpeedButton::DrawStatePart(TBitmap& B, const TRect& dest, const TRect& source)
{
    const int w = dest.Width(), h = dest.Height();
    if (IsNullRect(source) || G.Picture == nullptr || w <= 0 || h <= 0)
        return;
    TBitmap part(w, h);
    if (ResizeEntry() && G.ResizeMode == 1) {
        const TskSkinCorners skin{G.LTPt, G.RTPt, G.LBPt, G.RBPt, G.ClRect};
        const TskSkinCorners fresh = NewSkinCorners(skin, TSize{G.SkinRect.Width(), G.SkinRect.Height()}, TSize{w, h});
        CreateSkinImage(skin, fresh, part, *G.Picture, source, w, h, true, G.Stretch);
    } else {
        CreateStretchImage(part, *G.Picture, source, G.ClRect, true);
    }
    B.Canvas()->Draw(dest.Left, dest.Top, &part);
}

void TskSkinMenuSpeedButton::DrawMarker(TCanvas& canvas, TRect strip, bool shifted, const TRect& marker)
{
    if (shifted)
        strip = Rect(strip.Left + kMarkerShift, strip.Top + kMarkerShift, strip.Right + kMarkerShift,
                     strip.Bottom + kMarkerShift);
    const COLORREF color = ColorToRGB(canvas.Font()->Color());
    if (FDrawStandardArrow) {
        DrawArrowImage(canvas.Handle(), strip, color, FArrowType);
        return;
    }
    if (FIndex == -1 || IsNullRect(marker) || G.Picture == nullptr) {
        DrawDropDownArrow(canvas.Handle(), strip, FMenuTracked && FIndex != -1 ? ColorToRGB(DownFontColor) : color);
        return;
    }
    TBitmap image(marker.Width(), marker.Height());
    image.Canvas()->CopyRect(Rect(0, 0, marker.Width(), marker.Height()), G.Picture->Canvas(), marker);
    image.SetTransparentColor(MenuMarkerTransparentColor);
    image.SetTransparent(true);
    canvas.Draw(strip.Left + strip.Width() / 2 - marker.Width() / 2,
                strip.Top + strip.Height() / 2 - marker.Height() / 2, &image);
}

void TskSkinMenuSpeedButton::CreateButtonImage(TBitmap& B, const TRect& R, bool ADown, bool AMouseIn)
{
    if (!GenericEntry()) {
        if (FMenuTracked && FTrackButtonMode && !IsNullRect(TrackButtonRect) && !IsNullRect(DownSkinRect) &&
            G.Picture != nullptr) {
            // The whole button hot, its track part pressed.
            TskSkinSpeedButton::CreateButtonImage(B, ActiveSkinRect, false, true);
            const TRect source =
                Rect(DownSkinRect.Left + TrackButtonRect.Left, DownSkinRect.Top + TrackButtonRect.Top,
                     DownSkinRect.Left + TrackButtonRect.Right, DownSkinRect.Top + TrackButtonRect.Bottom);
            B.Canvas()->CopyRect(TrackRect(), G.Picture->Canvas(), source);
            return;
        }
        TskSkinSpeedButton::CreateButtonImage(B, R, ADown, AMouseIn);
        return;
    }
    const bool pressed = ADown && AMouseIn;
    const TRect normal = Flat() ? TRect{} : G.SkinRect;
    const TRect whole = Rect(0, 0, Width(), Height());
    if (FTrackButtonMode) {
        const TRect strip = MarkerStrip();
        TRect main = whole;
        main.Right = strip.Left;
        const TRect mainSource =
            FMenuTracked || AMouseIn ? (pressed && !FMenuTracked ? DownSkinRect : ActiveSkinRect) : normal;
        const TRect trackSource = FMenuTracked || pressed ? DownSkinRect : (AMouseIn ? ActiveSkinRect : normal);
        DrawStatePart(B, main, mainSource);
        DrawStatePart(B, strip, trackSource);
    } else {
        DrawStatePart(B, whole, pressed ? DownSkinRect : (AMouseIn ? ActiveSkinRect : normal));
    }
    TCanvas& canvas = *B.Canvas();
    SetCaptionFont(canvas, DefaultFont(), UseSkinFont, SkinData());
    canvas.Font()->SetColor(StateFontColor(Enabled(), UseSkinFontColor, DefaultFont()->Color(), ADown, AMouseIn));
    DrawContent(canvas, ContentRect(G.NewClRect), ADown, AMouseIn, pressed);
    const bool open = pressed || FMenuTracked;
    DrawMarker(canvas, MarkerStrip(), open,
               open ? MenuMarkerDownRect : (AMouseIn ? MenuMarkerActiveRect : MenuMarkerRect));
}

void TskSkinMenuSpeedButton::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& canvas = *B.Canvas();
    const TRect whole = ClientRect();
    if (FTrackButtonMode) {
        const TRect strip = MarkerStrip();
        TRect main = whole;
        main.Right = strip.Left;
        const TskPressableFace face = DefaultFace();
        FillPressableFace(canvas, main, FMenuTracked ? TskPressableFace::Hot : face);
        FillPressableFace(canvas, strip, FMenuTracked ? TskPressableFace::Down : face);
    } else {
        FillPressableFace(canvas, whole, DefaultFace());
    }
    SetCaptionFont(canvas, DefaultFont(), false, SkinData());
    if (!Enabled())
        canvas.Font()->SetColor(clBtnShadow);
    DrawContent(canvas, ContentRect(whole), FDown, FMouseIn, ShowsDown());
    canvas.Font()->SetColor(clBtnText);
    DrawMarker(canvas, MarkerStrip(), ShowsDown() || FMenuTracked, TRect{});
}

void TskSkinMenuSpeedButton::Paint()
{
    TskSkinSpeedButton::Paint();
    if (FMouseIn || FDown || FMenuTracked || !Transparent())
        return;
    // The idle see-through button drew its content straight on; the marker follows.
    TCanvas& canvas = *Canvas();
    if (FIndex == -1) {
        canvas.Font()->SetColor(clBtnText);
        DrawMarker(canvas, MarkerStrip(), false, TRect{});
        return;
    }
    TRect strip =
        GenericEntry() ? MarkerStrip() : Rect(G.NewClRect.Right, G.NewClRect.Top, Width(), G.NewClRect.Bottom);
    if (G.ResizeMode != 1)
        strip.Left -= kMarkerShift;
    canvas.Font()->SetColor(SkinData()->SkinColors.cBtnText());
    DrawMarker(canvas, strip, false, MenuMarkerFlatRect);
}

} // namespace tovrel
