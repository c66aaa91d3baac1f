#pragma once
// The skinned slider (track bar): a thumb dragged along a ruler chooses an
// integer Value between MinValue and MaxValue; presses on the ruler jump by
// Increment at once and then every 400 ms (window timer 1); Home, End and
// the arrows jump too. Ruler, thumb, background and tick colour come from
// the "slider" entry, or from four replaceable images drawn in code.
#include "skin/controls/SkinControl.h"

#include <array>
#include <memory>

namespace tovrel {

enum TskSliderOrientation : std::uint8_t { soHorizontal, soVertical };
enum TskSliderOption : std::uint8_t { soShowFocus, soShowPoints, soSmooth, soRulerOpaque, soThumbOpaque };
using TskSliderOptions = TSet<TskSliderOption>;
enum TskSliderImage : std::uint8_t { siHThumb, siHRuler, siVThumb, siVRuler };
using TskSliderImages = TSet<TskSliderImage>;
enum TskJumpMode : std::uint8_t { jmNone, jmHome, jmEnd, jmNext, jmPrior };

class TskSkinCustomSlider : public TskSkinControl {
public:
    explicit TskSkinCustomSlider(TComponent* AOwner);
    ~TskSkinCustomSlider() override;

    // A copy of Value becomes image i; null brings back the built-in image
    // (and drops the matching opaque option).
    void SetImage(TskSliderImage i, const TBitmap* Value);
    TBitmap* Image(TskSliderImage i) const { return FImages[i].get(); }
    TskSliderImages UserImages() const { return FUserImages; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    int MinValue() const { return FMinValue; }
    void SetMinValue(int Value);
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int Value);
    int NumThumbStates() const { return FNumThumbStates; }
    void SetNumThumbStates(int Value);
    TskSliderOrientation Orientation() const { return FOrientation; }
    // Swaps width and height at run time.
    void SetOrientation(TskSliderOrientation Value);
    int EdgeSize() const { return FEdgeSize; }
    // Refused unless twice the value is shorter than the ruler image.
    void SetEdgeSize(int Value);
    TskSliderOptions Options() const { return FOptions; }
    void SetOptions(TskSliderOptions Value);
    int Value() const { return GetValue(); }
    // Clamped; every effective change fires OnChange.
    void SetValue(int AValue);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool UseSkinThumb = true;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanged;
    TNotifyEvent OnDrawPoints;

    const TRect& ThumbRect() const { return FThumbRect; }
    TPoint RulerOrg() const { return FRulerOrg; }
    const TBitmap& Ruler() const { return *FRuler; }
    const TRect& PointsRect() const { return FPointsRect; }
    int RulerLength() const { return GetRulerLength(); }
    int OffsetByValue(int AValue) const { return GetOffsetByValue(AValue); }
    void ThumbJump(TskJumpMode JumpMode);

    void GetSkinData() override;
    void ChangeSkinData() override;

protected:
    virtual bool CanModify() { return true; }
    virtual TRect GetRulerRect() const { return TRect{0, 0, Width(), Height()}; }
    virtual int GetValue() const { return FValue; }
    virtual void CalcLayout();
    virtual void RangeChanged() {}
    virtual void ThumbMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void ThumbMouseMove(TShiftState Shift, int X, int Y);
    virtual void ThumbMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void DefaultDrawPoints(int PointsStep, int PointsHeight, int ExtremePointsHeight);
    virtual void Change();
    virtual void Changed();

    void Paint() override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

private:
    bool Horizontal() const { return FOrientation == soHorizontal; }
    bool SkinThumb() const { return FIndex != -1 && FSliderEntry && UseSkinThumb && Picture; }
    int ThumbStates() const { return SkinThumb() ? 2 : FNumThumbStates; }
    TSize ThumbSize() const;
    void BuildRuler();
    void SetRange(int AMin, int AMax);
    int GetRulerLength() const;
    int GetOffsetByValue(int AValue) const;
    int GetValueByOffset(int Offset) const;
    void GetThumbPosition(int& Offset, TPoint& P) const;
    void SetThumbOffset(int Offset);
    void InvalidateThumb();
    TskJumpMode GetJumpMode(int X, int Y) const;
    void TimerTrack();
    void StopTracking();
    void DrawPoints(TCanvas& C, int Step, int PointsHeight, int ExtremePointsHeight);
    void DrawThumb(TCanvas& C);
    bool Reading() const { return ComponentState().Contains(csReading); }

    std::array<std::unique_ptr<TBitmap>, 4> FImages;
    TskSliderImages FUserImages;
    std::unique_ptr<TBitmap> FRuler;
    TPoint FRulerOrg;
    TRect FThumbRect;
    bool FThumbDown = false;
    TRect FPointsRect;
    int FEdgeSize = 2;
    TskSliderOrientation FOrientation = soHorizontal;
    TskSliderOptions FOptions{soShowFocus, soShowPoints, soSmooth};
    int FNumThumbStates = 2;
    int FMinValue = 0, FMaxValue = 100, FIncrement = 10, FValue = 0;
    int FHit = 0;
    bool FFocused = false;
    bool FSliding = false;
    bool FTracking = false;
    bool FTimerActive = false;
    TPoint FMousePos;
    TskJumpMode FStartJump = jmNone;
    bool FTransparent = false;
    bool FCreating = true;

    // Copies of the "slider" entry.
    bool FSliderEntry = false;
    TRect HRulerRect, HThumbRect, VRulerRect, VThumbRect;
    int SkinEdgeSize = 0;
    TColor BGColor = 0, PointsColor = 0;
    TBitmap* Picture = nullptr; // owned by the skin data
};

class TskSkinSlider : public TskSkinCustomSlider {
public:
    using TskSkinCustomSlider::TskSkinCustomSlider;
};

// The built-in images: thumbs of two states side by side and sunken grooves,
// magenta where they are see-through.
std::unique_ptr<TBitmap> DefaultSliderImage(TskSliderImage i);

} // namespace tovrel
