// The slider's ruler image, built-in images, tick marks and painting.
#include "skin/controls/SkinSlider.h"

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Canvas.h"
#include "skin/controls/SkinPictureParts.h"
#include "skin/draw/DefaultGlyphs.h"
#include "skin/draw/ParentBackground.h"
#include "skin/draw/SkinImageBuilders.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

constexpr TColor kKey = TColor(0xFF00FF);
constexpr TColor kShadow = TColor(0x808080), kDark = TColor(0x404040), kFace = TColor(0xC0C0C0),
                 kLight = TColor(0xFFFFFF);

std::unique_ptr<TBitmap> KeyFilled(int w, int h)
{
    auto b = std::make_unique<TBitmap>(w, h);
    b->Canvas()->Brush()->SetColor(kKey);
    b->Canvas()->FillRect(TRect{0, 0, w, h});
    return b;
}

// One thumb at (x0, 0) of `length` along its point and `across` wide; the
// point takes the last third. Transposed draws it pointing right.
void DrawThumbShape(TCanvas& C, int x0, int across, int length, bool hatched, bool transposed)
{
    const int body = length * 2 / 3;
    const auto put = [&](int a, int l, TColor c) {
        if (transposed)
            C.SetPixel(x0 + l, a, c);
        else
            C.SetPixel(x0 + a, l, c);
    };
    for (int l = 0; l < length; ++l) {
        const int inset = l < body ? 0 : l - body + 1;
        const int from = inset, to = across - 1 - inset;
        for (int a = from; a <= to; ++a) {
            TColor c = (hatched && (a + l) % 2 == 0) ? kLight : kFace;
            if (a == from || l == 0)
                c = kLight;
            if (a == to || l == length - 1 || (l >= body && a == to))
                c = kDark;
            put(a, l, c);
        }
    }
}

// A sunken groove `length` long and `across` thick; transposed runs down.
void DrawGroove(TCanvas& C, int across, int length, bool transposed)
{
    const TColor rows[] = {kShadow, kDark, kFace, kFace, kFace, kFace, kFace, kLight};
    for (int a = 0; a < across; ++a)
        for (int l = 0; l < length; ++l) {
            const bool corner = (l == 0 || l == length - 1) && (a == 0 || a == across - 1);
            const TColor c = corner ? kKey : rows[std::min(a, 7)];
            if (transposed)
                C.SetPixel(a, l, c);
            else
                C.SetPixel(l, a, c);
        }
}

} // namespace

std::unique_ptr<TBitmap> DefaultSliderImage(TskSliderImage i)
{
    std::unique_ptr<TBitmap> b;
    switch (i) {
    case siHThumb:
        b = KeyFilled(18, 17);
        for (int s = 0; s < 2; ++s)
            DrawThumbShape(*b->Canvas(), s * 9, 9, 17, s == 1, false);
        break;
    case siVThumb:
        b = KeyFilled(38, 9);
        for (int s = 0; s < 2; ++s)
            DrawThumbShape(*b->Canvas(), s * 19, 9, 19, s == 1, true);
        break;
    case siHRuler:
        b = KeyFilled(10, 8);
        DrawGroove(*b->Canvas(), 8, 10, false);
        break;
    case siVRuler:
        b = KeyFilled(8, 10);
        DrawGroove(*b->Canvas(), 8, 10, true);
        break;
    }
    return b;
}

void TskSkinCustomSlider::BuildRuler()
{
    const TRect R = GetRulerRect();
    TBitmap& ruler = *FRuler;
    if (FIndex != -1 && FSliderEntry && Picture) {
        if (Horizontal())
            CreateHSkinImage(SkinEdgeSize, SkinEdgeSize, ruler, *Picture, HRulerRect, std::max(0, R.Width() - 2 * 6),
                             false);
        else
            CreateVSkinImage(SkinEdgeSize, SkinEdgeSize, ruler, *Picture, VRulerRect, std::max(0, R.Height() - 2 * 6),
                             false);
        return;
    }
    const TBitmap& src = Horizontal() ? *FImages[siHRuler] : *FImages[siVRuler];
    const int SL = Horizontal() ? src.Width() : src.Height();
    const int length = std::max(0, (Horizontal() ? R.Width() : R.Height()) - 2 * 6);
    if (Horizontal())
        ruler.SetSize(length, src.Height());
    else
        ruler.SetSize(src.Width(), length);
    const int L = length - 2 * FEdgeSize, Step = SL - 2 * FEdgeSize;
    // An image no longer than its two end pieces has nothing to tile.
    if (Step <= 0 || length <= 0)
        return;
    const int Count = std::max(0, L) / Step + 1, Rem = std::max(0, L) % Step;
    const auto copy = [&](int dest, int len, int from) {
        if (len <= 0)
            return;
        const TRect d =
            Horizontal() ? TRect{dest, 0, dest + len, src.Height()} : TRect{0, dest, src.Width(), dest + len};
        const TRect s =
            Horizontal() ? TRect{from, 0, from + len, src.Height()} : TRect{0, from, src.Width(), from + len};
        ruler.Canvas()->CopyRect(d, const_cast<TBitmap&>(src).Canvas(), s);
    };
    for (int i = 0; i < Count; ++i) {
        if (i == 0)
            copy(0, SL - FEdgeSize, 0);
        else if (i == Count - 1)
            copy(FEdgeSize + i * Step, FEdgeSize + Rem, FEdgeSize + Step - Rem);
        else
            copy(FEdgeSize + i * Step, Step, FEdgeSize);
    }
}

void TskSkinCustomSlider::DrawPoints(TCanvas& C, int Step, int PointsHeight, int ExtremePointsHeight)
{
    C.Pen()->SetColor(FIndex != -1 && FSliderEntry ? PointsColor : clWindowText);
    const int L = GetRulerLength();
    const double range = double(FMaxValue) - double(FMinValue);
    if (Step <= 0 || range <= 0)
        return;
    // Starts just below the spacing that gives ticks 4 px apart, so a huge
    // range does not walk there one step at a time.
    int k = L >= 4 ? std::max(0, int(range / (double(Step) * (L / 4 + 1))) - 1) : 0;
    int N = 0, D = 0;
    do {
        ++k;
        N = int(std::nearbyint(range / (k * Step))) + 1;
        D = N > 1 ? L / (N - 1) : L;
    } while (D < 4 && D < L);
    const TSize t = ThumbSize();
    long long next = FMinValue; // may pass MaxValue before the last tick is forced to it
    for (int i = 1; i <= N; ++i, next += static_cast<long long>(k) * Step) {
        const int A = i == N ? FMaxValue : int(std::min<long long>(next, FMaxValue));
        const int len = A == FMinValue || A == FMaxValue ? ExtremePointsHeight : PointsHeight;
        if (Horizontal()) {
            const int X = GetOffsetByValue(A) + t.cx / 2;
            C.MoveTo(X, FPointsRect.Top);
            C.LineTo(X, FPointsRect.Top + len);
        } else {
            const int Y = GetOffsetByValue(A) + t.cy / 2;
            C.MoveTo(FPointsRect.Left, Y);
            C.LineTo(FPointsRect.Left + len, Y);
        }
    }
}

void TskSkinCustomSlider::DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight)
{
    DrawPoints(*Canvas(), PointsStep, PointsHeight, ExtremePointsHeight);
}

void TskSkinCustomSlider::DrawThumb(TCanvas& C)
{
    const bool second = FThumbDown || !Enabled();
    const TPoint P{FThumbRect.Left, FThumbRect.Top};
    if (SkinThumb()) {
        const TRect& r = Horizontal() ? HThumbRect : VThumbRect;
        const int w = r.Width() / 2;
        const int from = r.Left + (second ? w : 0);
        const auto thumb = PicturePart(*Picture, TRect{from, r.Top, from + w, r.Bottom});
        thumb->SetTransparent(true);
        C.Draw(P.X, P.Y, thumb.get());
        return;
    }
    TBitmap& image = Horizontal() ? *FImages[siHThumb] : *FImages[siVThumb];
    const int w = image.Width() / FNumThumbStates;
    const int from = FNumThumbStates == 2 && second ? w : 0;
    const auto thumb = PicturePart(image, TRect{from, 0, from + w, image.Height()});
    thumb->SetTransparent(!FOptions.Contains(soThumbOpaque));
    C.Draw(P.X, P.Y, thumb.get());
}

void TskSkinCustomSlider::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    // One off-screen image, one blit: the thumb never flickers over the ruler.
    TBitmap B(Width(), Height());
    TCanvas& C = *B.Canvas();
    const bool skin = FIndex != -1 && FSliderEntry;
    if (FTransparent) {
        PaintParentBackground(this, C.Handle());
    } else {
        C.Brush()->SetColor(skin ? BGColor : Color());
        C.FillRect(ClientRect());
    }
    if (FRuler->Width() > 0) {
        TBitmap ruler;
        ruler.Assign(FRuler.get());
        ruler.SetTransparent(!(FOptions.Contains(soRulerOpaque) && !skin));
        C.Draw(FRulerOrg.X, FRulerOrg.Y, &ruler);
    }
    if (FOptions.Contains(soShowFocus) && Focused()) {
        C.Font()->SetColor(skin ? SkinData()->SkinColors.cBtnText() : Font()->Color());
        TRect r = GetRulerRect();
        r = TRect{r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2};
        HDC dc = C.Handle();
        SetTextColor(dc, ColorToRGB(C.Font()->Color()));
        DrawSkinFocusRect(dc, r);
    }
    if (FOptions.Contains(soShowPoints)) {
        if (OnDrawPoints)
            OnDrawPoints(this);
        else
            DrawPoints(C, FIncrement, 3, 5);
    }
    DrawThumb(C);
    Canvas()->Draw(0, 0, &B);
}

} // namespace tovrel
