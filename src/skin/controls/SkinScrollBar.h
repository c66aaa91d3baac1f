#pragma once
// The skinned scroll bar: two arrow buttons, a track and a thumb, drawn in the
// default look or cut from a "scrollbar" entry. It keeps its own range and
// position; views that hide their own bars feed it with SetRange and scroll
// from its OnChange. Held arrows and track presses repeat on window timer 1
// (first 500 ms, then every 50 ms) on the window layer's clock.
#include "platform/ctrls/ScrollBar.h"
#include "skin/controls/SkinArrowButtons.h"
#include "skin/controls/SkinCustomControl.h"

namespace tovrel {

class TskSkinScrollBar : public TskSkinCustomControl, private TskArrowButtonRects {
public:
    explicit TskSkinScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const { return FPosition; }
    // Clamped; a real change repaints and fires OnChange.
    void SetPosition(int Value);
    int PageSize() const { return FPageSize; }
    // Refused when the page would reach past Max from the current position.
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value);
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value);
    bool Both() const { return FBoth; }
    // A vertical bar stands beside this horizontal one: the corner stays free.
    void SetBoth(bool Value);
    int BothMarkerWidth() const { return FBothMarkerWidth; }
    void SetBothMarkerWidth(int Value);
    std::string BothSkinDataName = "bothhscrollbar";
    bool CanFocused() const { return FCanFocused; }
    void SetCanFocused(bool Value);

    TNotifyEvent OnChange;
    // A thumb drag ended.
    TNotifyEvent OnLastChange;
    // Replace the built-in step of the up (increasing) or down button.
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;
    TNotifyEvent OnPageUp;
    TNotifyEvent OnPageDown;

    // Everything at once, without OnChange: how views feed the bar.
    void SetRange(int AMin, int AMax, int APageSize, int APosition);
    // Without OnChange; repaints only on a change.
    void SimplySetPosition(int AValue);

    void GetSkinData() override;
    void CalcSize(int& AWidth, int& AHeight) override;

    // Parts: 0 thumb, 1 up button (increases), 2 down button.
    enum { kThumb = 0, kUpButton = 1, kDownButton = 2 };
    struct TPart {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    // Where the parts are at the current size, position and look.
    void CalcRects();
    const TPart& Part(int i) const { return Buttons[i]; }
    TRect TrackArea() const { return NewTrackArea; }
    // 0 none, 1/2 repeating the down/up button, 3/4 repeating a page towards Min/Max.
    int TimerMode() const { return FTimerMode; }

protected:
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool Horizontal() const { return FKind == sbHorizontal; }
    int ClampPosition(int Value) const;
    // Along the bar: X for a horizontal bar, Y for a vertical one.
    int Along(int X, int Y) const { return Horizontal() ? X : Y; }
    int Along(const TPoint& P) const { return Along(P.X, P.Y); }
    int StartOf(const TRect& R) const { return Horizontal() ? R.Left : R.Top; }
    int EndOf(const TRect& R) const { return Horizontal() ? R.Right : R.Bottom; }
    void CalcDefaultRects();
    void CalcSkinRects();
    // The thumb of length L placed by ratio r along the track.
    void PlaceThumb(int L, double r, int AcrossStart, int AcrossEnd);
    double PageRatio() const;
    int CalcValue(int Offset);
    void DrawButton(TCanvas& Canvas, int i);
    void DrawDefaultButton(TCanvas& Canvas, int i);
    void DrawSkinButton(TCanvas& Canvas, int i);
    void DrawSkinThumb(TCanvas& Canvas);
    bool ThumbPressedLook();
    void ButtonDown(int i);
    void ButtonUp(int i);
    void ButtonEnter(int i);
    void ButtonLeave(int i);
    void TestActiveButton(int X, int Y);
    int PartAt(int X, int Y) const;
    void UpButtonAction();
    void DownButtonAction();
    void TimerTick();
    void StartTimer(unsigned Interval);
    void StopTimer();
    void MouseLeft();

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
    int FSmallChange = 1, FLargeChange = 1;
    bool FBoth = false;
    int FBothMarkerWidth = 19;
    bool FCanFocused = false;
    std::string FNormalSkinDataName;

    TPart Buttons[3];
    int ActiveButton = -1, OldActiveButton = -1, CaptureButton = -1;
    TRect NewTrackArea;
    int Offset1 = 0, Offset2 = 0, BOffset = 0;
    bool FDown = false;
    int OMPos = 0, OldBOffset = 0;
    int MX = 0, MY = 0;
    bool MouseD = false;
    bool WaitMode = false;
    int FTimerMode = 0;

    // Copies of the "scrollbar" entry, in picture coordinates.
    bool FScrollEntry = false;
    TRect STrackArea, ThumbRect, ActiveThumbRect, DownThumbRect, GlyphRect, ActiveGlyphRect, DownGlyphRect;
    int ThumbOffset1 = 0, ThumbOffset2 = 0, ThumbMinSize = 0, ThumbMinPageSize = 0;
    bool ThumbTransparent = false, GlyphTransparent = false, ThumbStretchEffect = false;
    TColor ThumbTransparentColor = 0, GlyphTransparentColor = 0;
};

} // namespace tovrel
