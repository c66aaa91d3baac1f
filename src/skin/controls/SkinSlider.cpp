// The slider's properties, layout and the mapping between values and pixels.
#include "skin/controls/SkinSlider.h"

#include "platform/gdi/SysColors.h"
#include "platform/vcl/Bitmap.h"
#include "skin/controls/SkinEntryLookup.h"
#include "skin/data/SkinScrollEntries.h"
#include "skin/draw/SkinImageBuilders.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {

constexpr int kMargin = 6; // between the control's edge and the ruler's start

// Halves go to the even neighbour.
int RoundEven(double v)
{
    return int(std::nearbyint(v));
}

} // namespace

TskSkinCustomSlider::TskSkinCustomSlider(TComponent* AOwner)
    : TskSkinControl(AOwner), FRuler(std::make_unique<TBitmap>())
{
    ControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks};
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(true);
    SetBounds(Left(), Top(), 150, 40);
    for (int i = 0; i < 4; ++i)
        FImages[std::size_t(i)] = DefaultSliderImage(TskSliderImage(i));
    FCreating = false;
    SetSkinDataName("slider");
    CalcLayout();
}

TskSkinCustomSlider::~TskSkinCustomSlider()
{
    OnChange = nullptr;
    OnChanged = nullptr;
    OnDrawPoints = nullptr;
}

void TskSkinCustomSlider::SetImage(TskSliderImage i, const TBitmap* Value)
{
    if (Value) {
        FImages[i]->Assign(Value);
        FUserImages.Include(i);
    } else {
        FImages[i] = DefaultSliderImage(i);
        FUserImages.Exclude(i);
        if (!Reading()) {
            FOptions.Exclude(i == siHThumb || i == siVThumb ? soThumbOpaque : soRulerOpaque);
            Invalidate();
        }
    }
    if (!FCreating)
        CalcLayout();
}

void TskSkinCustomSlider::SetIncrement(int Value)
{
    if (Value <= 0 || Value == FIncrement)
        return;
    FIncrement = Value;
    SetValue(FValue);
    Invalidate();
}

void TskSkinCustomSlider::SetMinValue(int Value)
{
    if (Value != FMinValue)
        SetRange(Value, FMaxValue);
}

void TskSkinCustomSlider::SetMaxValue(int Value)
{
    if (Value != FMaxValue)
        SetRange(FMinValue, Value);
}

void TskSkinCustomSlider::SetRange(int AMin, int AMax)
{
    if (AMax <= AMin && !Reading())
        return;
    FMinValue = AMin;
    FMaxValue = AMax;
    if (!Reading() && AMax < AMin + FIncrement)
        FIncrement = AMax - AMin;
    if (FOptions.Contains(soShowPoints))
        Invalidate();
    SetValue(FValue);
    RangeChanged();
}

void TskSkinCustomSlider::SetNumThumbStates(int Value)
{
    Value = std::clamp(Value, 1, 2);
    if (Value == FNumThumbStates)
        return;
    FNumThumbStates = Value;
    CalcLayout();
}

void TskSkinCustomSlider::SetOrientation(TskSliderOrientation Value)
{
    if (Value == FOrientation)
        return;
    FOrientation = Value;
    CalcLayout();
    if (!ComponentState().Contains(csLoading))
        SetBounds(Left(), Top(), Height(), Width());
}

void TskSkinCustomSlider::SetEdgeSize(int Value)
{
    const TBitmap& ruler = Horizontal() ? *FImages[siHRuler] : *FImages[siVRuler];
    const int length = Horizontal() ? ruler.Width() : ruler.Height();
    if (Value < 0 || 2 * Value >= length || Value == FEdgeSize)
        return;
    FEdgeSize = Value;
    CalcLayout();
}

void TskSkinCustomSlider::SetOptions(TskSliderOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    Invalidate();
}

void TskSkinCustomSlider::SetTransparent(bool Value)
{
    FTransparent = Value;
    Invalidate();
}

void TskSkinCustomSlider::GetSkinData()
{
    TskSkinControl::GetSkinData();
    Picture = nullptr;
    // An entry of another kind leaves the copied geometry as it was.
    const auto* e = SkinEntryAt<const TskDataSkinSlider>(SkinData(), FIndex);
    FSliderEntry = FSliderEntry && FIndex != -1;
    if (!e)
        return;
    FSliderEntry = true;
    HRulerRect = e->HRulerRect;
    HThumbRect = e->HThumbRect;
    VRulerRect = e->VRulerRect;
    VThumbRect = e->VThumbRect;
    SkinEdgeSize = e->EdgeSize;
    BGColor = e->BGColor;
    PointsColor = e->PointsColor;
    Picture = SkinData()->ActivePicture(e->PictureIndex);
}

void TskSkinCustomSlider::ChangeSkinData()
{
    CalcLayout();
}

TSize TskSkinCustomSlider::ThumbSize() const
{
    if (SkinThumb()) {
        const TRect& r = Horizontal() ? HThumbRect : VThumbRect;
        return TSize{r.Width() / 2, r.Height()};
    }
    const TBitmap& image = Horizontal() ? *FImages[siHThumb] : *FImages[siVThumb];
    return TSize{image.Width() / FNumThumbStates, image.Height()};
}

void TskSkinCustomSlider::CalcLayout()
{
    GetSkinData();
    const int v = FValue;
    const TRect R = GetRulerRect();
    BuildRuler();
    const TSize t = ThumbSize();
    const int rw = FRuler->Width(), rh = FRuler->Height();
    if (Horizontal()) {
        if (t.cy > rh) {
            FThumbRect = Bounds(R.Left + kMargin, R.Top + kMargin, t.cx, t.cy);
            FRulerOrg = TPoint{R.Left + kMargin, R.Top + kMargin + (t.cy - rh) / 2};
            FPointsRect = TRect{FRulerOrg.X, R.Top + t.cy + 7, FRulerOrg.X + rw, R.Bottom - R.Top - 1};
        } else {
            FThumbRect = Bounds(R.Left + kMargin, R.Top + kMargin + (rh - t.cy) / 2, t.cx, t.cy);
            FRulerOrg = TPoint{R.Left + kMargin, R.Top + kMargin};
            FPointsRect = TRect{FRulerOrg.X, R.Top + rh + 7, FRulerOrg.X + rw, R.Bottom - R.Top - 1};
        }
    } else {
        // Compared by the property's state count, also for a skin thumb.
        const int fullWidth = SkinThumb() ? VThumbRect.Width() : FImages[siVThumb]->Width();
        if (fullWidth / FNumThumbStates > rw) {
            FThumbRect = Bounds(R.Left + kMargin, R.Top + kMargin, t.cx, t.cy);
            FRulerOrg = TPoint{R.Left + kMargin + (t.cx - rw) / 2, R.Top + kMargin};
            FPointsRect = TRect{R.Left + t.cx + 7, FRulerOrg.Y, R.Right - R.Left - 1, FRulerOrg.Y + rh};
        } else {
            FThumbRect = Bounds(R.Left + kMargin + (rw - t.cx) / 2, R.Top + kMargin, t.cx, t.cy);
            FRulerOrg = TPoint{R.Left + kMargin, R.Top + kMargin};
            FPointsRect = TRect{R.Left + rw + 7, FRulerOrg.Y, R.Right - R.Left - 1, FRulerOrg.Y + rh};
        }
    }
    SetValue(v);
    Invalidate();
}

int TskSkinCustomSlider::GetRulerLength() const
{
    const TSize t = ThumbSize();
    // At least one pixel: a short control must not divide by zero.
    return std::max(1, Horizontal() ? FRuler->Width() - t.cx : FRuler->Height() - t.cy);
}

int TskSkinCustomSlider::GetOffsetByValue(int AValue) const
{
    const TRect R = GetRulerRect();
    const int minPos = (Horizontal() ? R.Left : R.Top) + kMargin;
    const double range = double(FMaxValue) - double(FMinValue);
    int P = minPos;
    if (range != 0)
        P += RoundEven(GetRulerLength() * ((double(AValue) - FMinValue) / range));
    if (!Horizontal())
        P = R.Top + R.Bottom - P - ThumbSize().cy;
    return std::max(P, minPos);
}

int TskSkinCustomSlider::GetValueByOffset(int Offset) const
{
    if (!Horizontal())
        Offset = ClientHeight() - Offset - ThumbSize().cy;
    const double range = double(FMaxValue) - double(FMinValue);
    int X = RoundEven((Offset - GetRulerRect().Left - kMargin) * range / GetRulerLength());
    if (!FOptions.Contains(soSmooth) && FIncrement > 0)
        X = RoundEven(double(X) / FIncrement) * FIncrement;
    return std::min(std::max(X, 0) + FMinValue, FMaxValue);
}

void TskSkinCustomSlider::GetThumbPosition(int& Offset, TPoint& P) const
{
    const TRect R = GetRulerRect();
    const int minPos = (Horizontal() ? R.Left : R.Top) + kMargin;
    const int maxPos = minPos + GetRulerLength();
    Offset = std::clamp(Offset, minPos, maxPos);
    Offset = std::min(GetOffsetByValue(GetValueByOffset(Offset)), maxPos);
    P = Horizontal() ? TPoint{Offset, FThumbRect.Top} : TPoint{FThumbRect.Left, Offset};
}

void TskSkinCustomSlider::SetThumbOffset(int Offset)
{
    const int old = FValue;
    TPoint P;
    GetThumbPosition(Offset, P);
    InvalidateThumb();
    const TSize t = ThumbSize();
    FThumbRect = Bounds(P.X, P.Y, t.cx, t.cy);
    InvalidateThumb();
    if (FSliding) {
        FValue = GetValueByOffset(Offset);
        if (FValue != old)
            Change();
    }
}

void TskSkinCustomSlider::SetValue(int AValue)
{
    AValue = std::max(std::min(AValue, FMaxValue), FMinValue);
    const bool changed = AValue != FValue;
    FValue = AValue;
    SetThumbOffset(GetOffsetByValue(AValue));
    if (changed)
        Change();
}

void TskSkinCustomSlider::Change()
{
    if (OnChange)
        OnChange(this);
}

void TskSkinCustomSlider::Changed()
{
    if (OnChanged)
        OnChanged(this);
}

void TskSkinCustomSlider::ThumbJump(TskJumpMode JumpMode)
{
    // The grid counts multiples of Increment from 0, not from MinValue.
    const int grid = FIncrement > 0 ? RoundEven(double(FValue) / FIncrement) * FIncrement : FValue;
    int target = 0;
    switch (JumpMode) {
    case jmHome: target = FMinValue; break;
    case jmEnd: target = FMaxValue; break;
    case jmNext: target = grid + FIncrement; break;
    case jmPrior: target = grid - FIncrement; break;
    case jmNone: return;
    }
    if (target >= FMaxValue)
        target = FMaxValue;
    else if (target <= FMinValue)
        target = FMinValue;
    if (target != FValue)
        SetValue(target);
}

TskJumpMode TskSkinCustomSlider::GetJumpMode(int X, int Y) const
{
    if (Horizontal()) {
        if (X < FThumbRect.Left)
            return jmPrior;
        if (X > FThumbRect.Right)
            return jmNext;
    } else {
        if (Y < FThumbRect.Top)
            return jmNext;
        if (Y > FThumbRect.Bottom)
            return jmPrior;
    }
    return jmNone;
}

} // namespace tovrel
