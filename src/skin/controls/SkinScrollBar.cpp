// The scroll bar's properties, part geometry and drawing.
#include "skin/controls/SkinScrollBar.h"

#include "platform/gdi/SysColors.h"
#include "skin/controls/SkinButtonFace.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/draw/DefaultGlyphs.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

constexpr int kDefaultButton = 17; // default-look arrow buttons, frame included
constexpr int kDefaultThumb = 16;  // shortest default-look thumb

// Rounded to the nearest integer, halves to the even one.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

bool IsNull(const TRect& r)
{
    return r.Width() <= 0 || r.Height() <= 0;
}

} // namespace

TskSkinScrollBar::TskSkinScrollBar(TComponent* AOwner) : TskSkinCustomControl(AOwner)
{
    SetSkinDataName("hscrollbar");
    SetBounds(0, 0, 200, 19);
    SetDefaultHeight(19);
    SetTabStop(false);
}

int TskSkinScrollBar::ClampPosition(int Value) const
{
    // The cap first, then Min, so that a page wider than the range keeps Min.
    Value = std::min(Value, FPageSize != 0 ? FMax - FPageSize + 1 : FMax);
    return std::max(Value, FMin);
}

void TskSkinScrollBar::SetPosition(int Value)
{
    Value = ClampPosition(Value);
    if (Value == FPosition)
        return;
    FPosition = Value;
    Repaint();
    if (OnChange)
        OnChange(this);
}

void TskSkinScrollBar::SimplySetPosition(int AValue)
{
    AValue = ClampPosition(AValue);
    if (AValue == FPosition)
        return;
    FPosition = AValue;
    Repaint();
}

void TskSkinScrollBar::SetRange(int AMin, int AMax, int APageSize, int APosition)
{
    FMin = AMin;
    FMax = AMax;
    FPageSize = APageSize;
    FPosition = ClampPosition(APosition);
    Repaint();
}

void TskSkinScrollBar::SetMin(int Value)
{
    FMin = Value;
    FPosition = std::max(FPosition, FMin);
    Repaint();
}

void TskSkinScrollBar::SetMax(int Value)
{
    FMax = Value;
    FPosition = ClampPosition(FPosition);
    Repaint();
}

void TskSkinScrollBar::SetPageSize(int Value)
{
    // Compared with the absolute end of the range, so that Min other than 0 works.
    if (FPosition + Value <= FMax + 1)
        FPageSize = Value;
    Repaint();
}

void TskSkinScrollBar::SetSmallChange(int Value)
{
    FSmallChange = Value;
    Repaint();
}

void TskSkinScrollBar::SetLargeChange(int Value)
{
    FLargeChange = Value;
    Repaint();
}

void TskSkinScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value)
        return;
    FKind = Value;
    Repaint();
}

void TskSkinScrollBar::SetBoth(bool Value)
{
    if (FBoth == Value)
        return;
    FBoth = Value;
    if (Value) {
        FNormalSkinDataName = SkinDataName();
        SetSkinDataName(BothSkinDataName);
    } else if (!FNormalSkinDataName.empty()) {
        SetSkinDataName(FNormalSkinDataName);
    }
    GetSkinData();
    if (FIndex == -1)
        Repaint();
    else
        ChangeSkinData();
}

void TskSkinScrollBar::SetBothMarkerWidth(int Value)
{
    if (Value < 0)
        return;
    FBothMarkerWidth = Value;
    if (FIndex == -1)
        Repaint();
}

void TskSkinScrollBar::SetCanFocused(bool Value)
{
    FCanFocused = Value;
    SetTabStop(Value);
}

void TskSkinScrollBar::GetSkinData()
{
    TskSkinCustomControl::GetSkinData();
    FScrollEntry = false;
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TskDataSkinScrollBarControl*>(SkinData()->CtrlList[std::size_t(FIndex)].get());
    if (!e)
        return;
    FScrollEntry = true;
    STrackArea = e->TrackArea;
    CopyArrowButtons(*e);
    ThumbRect = e->ThumbRect;
    ActiveThumbRect = RectOr(e->ActiveThumbRect, ThumbRect);
    DownThumbRect = RectOr(e->DownThumbRect, ActiveThumbRect);
    GlyphRect = e->GlyphRect;
    ActiveGlyphRect = RectOr(e->ActiveGlyphRect, GlyphRect);
    DownGlyphRect = RectOr(e->DownGlyphRect, ActiveGlyphRect);
    ThumbOffset1 = e->ThumbOffset1;
    ThumbOffset2 = e->ThumbOffset2;
    ThumbMinSize = e->ThumbMinSize;
    ThumbMinPageSize = e->ThumbMinPageSize;
    ThumbTransparent = e->ThumbTransparent;
    ThumbTransparentColor = e->ThumbTransparentColor;
    GlyphTransparent = e->GlyphTransparent;
    GlyphTransparentColor = e->GlyphTransparentColor;
    ThumbStretchEffect = e->ThumbStretchEffect;
}

void TskSkinScrollBar::CalcSize(int& AWidth, int& AHeight)
{
    TskSkinCustomControl::CalcSize(AWidth, AHeight);
    CalcRects();
}

double TskSkinScrollBar::PageRatio() const
{
    if (FPageSize == 0)
        return FMax == FMin ? 0.0 : double(FPosition - FMin) / double(FMax - FMin);
    const int span = FMax - FPageSize + 1 - FMin;
    if (span > 0)
        return double(FPosition - FMin) / double(span);
    // The page covers the range.
    return Horizontal() ? 1.0 : 0.0;
}

void TskSkinScrollBar::PlaceThumb(int L, double r, int AcrossStart, int AcrossEnd)
{
    const int h = L / 2;
    Offset1 = StartOf(NewTrackArea) + h;
    Offset2 = EndOf(NewTrackArea) - h;
    BOffset = RoundEven((Offset2 - Offset1) * r);
    const int from = Offset1 + BOffset - h, to = Offset1 + BOffset + h;
    Buttons[kThumb].R =
        Horizontal() ? TRect{from, AcrossStart, to, AcrossEnd} : TRect{AcrossStart, from, AcrossEnd, to};
}

void TskSkinScrollBar::CalcRects()
{
    if (FIndex != -1 && FScrollEntry)
        CalcSkinRects();
    else
        CalcDefaultRects();
}

void TskSkinScrollBar::CalcDefaultRects()
{
    const int w = Width(), h = Height();
    if (Horizontal()) {
        const int wb = FBoth ? w - FBothMarkerWidth : w;
        Buttons[kDownButton].R = TRect{1, 1, kDefaultButton, h - 1};
        Buttons[kUpButton].R = TRect{wb - kDefaultButton, 1, wb - 1, h - 1};
        NewTrackArea = TRect{kDefaultButton, 1, wb - kDefaultButton, h - 1};
    } else {
        Buttons[kDownButton].R = TRect{1, 1, w - 1, kDefaultButton};
        Buttons[kUpButton].R = TRect{1, h - kDefaultButton, w - 1, h - 1};
        NewTrackArea = TRect{1, kDefaultButton, w - 1, h - kDefaultButton};
    }
    const int track = EndOf(NewTrackArea) - StartOf(NewTrackArea);
    int L = kDefaultThumb;
    if (FPageSize != 0) {
        const int divisor = FMax - FMin + 1;
        L = std::max(divisor == 0 ? 0 : RoundEven(double(track) * FPageSize / divisor), kDefaultThumb);
    }
    if (Horizontal())
        PlaceThumb(L, PageRatio(), NewTrackArea.Top, NewTrackArea.Bottom);
    else
        PlaceThumb(L, PageRatio(), NewTrackArea.Left, NewTrackArea.Right);
}

void TskSkinScrollBar::CalcSkinRects()
{
    const int d = Horizontal() ? Width() - G.SkinRect.Width() : Height() - G.SkinRect.Height();
    NewTrackArea = STrackArea;
    TRect up = UpButtonRect, down = DownButtonRect;
    const auto moveBeyondStretch = [&](TRect& r) {
        if (Horizontal() && r.Left > G.RTPt.X)
            r = TRect{r.Left + d, r.Top, r.Right + d, r.Bottom};
        else if (!Horizontal() && r.Top > G.LBPt.Y)
            r = TRect{r.Left, r.Top + d, r.Right, r.Bottom + d};
    };
    if (Horizontal())
        NewTrackArea.Right += d;
    else
        NewTrackArea.Bottom += d;
    moveBeyondStretch(up);
    moveBeyondStretch(down);
    Buttons[kUpButton].R = up;
    Buttons[kDownButton].R = down;

    const int tw = ThumbRect.Width(), th = ThumbRect.Height();
    const int base = ThumbMinSize != 0 ? ThumbMinSize : (Horizontal() ? tw : th);
    int L = base;
    if (FPageSize == 0) {
        if (ThumbMinPageSize != 0)
            L = ThumbMinPageSize;
    } else {
        const int track = EndOf(NewTrackArea) - StartOf(NewTrackArea);
        const int divisor = FMax - FMin + 1;
        L = std::max(divisor == 0 ? 0 : RoundEven(double(track) * FPageSize / divisor), base);
    }
    const int thickness = Horizontal() ? th : tw;
    const int trackStart = Horizontal() ? NewTrackArea.Top : NewTrackArea.Left;
    const int trackThickness = Horizontal() ? NewTrackArea.Height() : NewTrackArea.Width();
    const int across = trackStart + trackThickness / 2 - thickness / 2;
    PlaceThumb(L, PageRatio(), across, across + thickness);
}

bool TskSkinScrollBar::ThumbPressedLook()
{
    return Buttons[kThumb].Down || (FCanFocused && Focused());
}

void TskSkinScrollBar::DrawButton(TCanvas& Canvas, int i)
{
    if (FIndex != -1 && FScrollEntry)
        DrawSkinButton(Canvas, i);
    else
        DrawDefaultButton(Canvas, i);
}

void TskSkinScrollBar::DrawDefaultButton(TCanvas& Canvas, int i)
{
    const TPart& part = Buttons[i];
    const bool pressed = (part.Down && part.MouseIn) || (i == kThumb && ThumbPressedLook());
    const TRect inner = DrawDefaultButtonFace(Canvas, part.R, part.MouseIn, pressed);
    if (i == kThumb)
        return;
    // Up increases: right or down; down decreases: left or up.
    const int kind = i == kUpButton ? (Horizontal() ? 2 : 4) : (Horizontal() ? 1 : 3);
    DrawArrowImage(Canvas.Handle(), inner, RGB(0, 0, 0), kind);
}

void TskSkinScrollBar::DrawSkinButton(TCanvas& Canvas, int i)
{
    if (i == kThumb) {
        DrawSkinThumb(Canvas);
        return;
    }
    const TPart& part = Buttons[i];
    TRect source;
    if (part.Down && part.MouseIn)
        source = i == kUpButton ? DownUpButtonRect : DownDownButtonRect;
    else if (part.MouseIn)
        source = i == kUpButton ? ActiveUpButtonRect : ActiveDownButtonRect;
    // The normal buttons belong to the bar's own image.
    if (IsNull(source) || !G.Picture)
        return;
    Canvas.CopyRect(part.R, G.Picture->Canvas(), source);
}

void TskSkinScrollBar::DrawSkinThumb(TCanvas& Canvas)
{
    const TPart& part = Buttons[kThumb];
    if (!G.Picture || IsNull(part.R))
        return;
    const bool pressed = ThumbPressedLook();
    const TRect source = pressed ? DownThumbRect : part.MouseIn ? ActiveThumbRect : ThumbRect;
    const TRect glyph = pressed ? DownGlyphRect : part.MouseIn ? ActiveGlyphRect : GlyphRect;
    TBitmap thumb;
    const int length = Horizontal() ? part.R.Width() : part.R.Height();
    if (FPageSize != 0 || ThumbMinPageSize != 0) {
        if (Horizontal())
            CreateHSkinImage(ThumbOffset1, ThumbOffset2, thumb, *G.Picture, source, length, ThumbStretchEffect);
        else
            CreateVSkinImage(ThumbOffset1, ThumbOffset2, thumb, *G.Picture, source, length, ThumbStretchEffect);
    } else {
        thumb.SetSize(part.R.Width(), part.R.Height());
        thumb.Canvas()->CopyRect(TRect{0, 0, thumb.Width(), thumb.Height()}, G.Picture->Canvas(), source);
    }
    const int thumbLength = Horizontal() ? thumb.Width() : thumb.Height();
    const int glyphLength = Horizontal() ? glyph.Width() : glyph.Height();
    if (!IsNull(glyph) && glyphLength < thumbLength) {
        TBitmap g(glyph.Width(), glyph.Height());
        g.Canvas()->CopyRect(TRect{0, 0, g.Width(), g.Height()}, G.Picture->Canvas(), glyph);
        if (GlyphTransparent) {
            g.SetTransparent(true);
            g.SetTransparentColor(GlyphTransparentColor);
        }
        thumb.Canvas()->Draw(thumb.Width() / 2 - g.Width() / 2, thumb.Height() / 2 - g.Height() / 2, &g);
    }
    if (ThumbTransparent) {
        thumb.SetTransparent(true);
        thumb.SetTransparentColor(ThumbTransparentColor);
    }
    Canvas.Draw(part.R.Left, part.R.Top, &thumb);
}

void TskSkinScrollBar::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    B.Canvas()->Brush()->SetColor(clBtnFace);
    B.Canvas()->FillRect(ClientRect());
    if (Enabled())
        DrawButton(*B.Canvas(), kThumb);
    DrawButton(*B.Canvas(), kUpButton);
    DrawButton(*B.Canvas(), kDownButton);
}

void TskSkinScrollBar::CreateControlSkinImage(TBitmap& B)
{
    TskSkinCustomControl::CreateControlSkinImage(B);
    CalcRects();
    DrawButton(*B.Canvas(), kUpButton);
    DrawButton(*B.Canvas(), kDownButton);
    if (Enabled())
        DrawButton(*B.Canvas(), kThumb);
}

} // namespace tovrel
