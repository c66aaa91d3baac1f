#pragma once
// A pair of arrow buttons stepping Position by Increment between Min and Max.
// A click steps once, on release over the button; a held button repeats on
// window timer 1 (first step after 600 ms, then every 100 ms, every 50 ms
// after the pointer came back onto it). It shows no number: its owner reads
// Position or reacts to OnChange. Drawn from "hupdown"/"vupdown", from
// "resizebutton" per button when it does not take the skin's size, or in a
// default look.
#include "platform/ctrls/UpDown.h"
#include "skin/controls/SkinArrowButtons.h"
#include "skin/controls/SkinCustomControl.h"

namespace tovrel {

class TskSkinUpDown : public TskSkinCustomControl, private TskArrowButtonRects {
public:
    explicit TskSkinUpDown(TComponent* AOwner);

    bool UseSkinSize = true;
    TUDOrientation Orientation() const { return FOrientation; }
    // Repaints; the entry name stays as it is (set it for a vertical skin look).
    void SetOrientation(TUDOrientation Value);
    int Increment = 1;
    int Position() const { return FPosition; }
    // Outside Min..Max ignored; otherwise stored and OnChange fires, also for
    // the same value (not while the owner form loads).
    void SetPosition(int Value);
    int Min() const { return FMin; }
    // Pulls Position up to it without OnChange.
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    struct TButton {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    // 0 steps up (right or top half), 1 steps down.
    const TButton& Button(int i) const { return Buttons[i]; }
    int ActiveButton() const { return FActiveButton; }
    int CaptureButton() const { return FCaptureButton; }

    void GetSkinData() override;
    void CalcSize(int& AWidth, int& AHeight) override;

protected:
    void SetControlRegion() override;
    void CreateControlDefaultImage(TBitmap& B) override;
    void CreateControlSkinImage(TBitmap& B) override;
    void WndProc(TMessage& message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    bool SkinLook() const { return FIndex != -1 && FUpDownEntry; }
    void CalcButtonRects();
    int ButtonAt(int X, int Y) const;
    void TrackPointer(int X, int Y);
    void StartTimer(unsigned Interval);
    void StopTimer();
    void TimerTick();
    void Step(int Delta);
    void DrawResizeButton(TCanvas& Canvas, int i);
    int ArrowKind(int i) const;

    TUDOrientation FOrientation = udHorizontal;
    int FPosition = 0, FMin = 0, FMax = 100;
    TButton Buttons[2];
    int FOldActiveButton = -1, FActiveButton = -1, FCaptureButton = -1;
    int FTimerMode = 0; // 0 none, 1 step down, 2 step up
    bool FWaitMode = false;
    bool FUpDownEntry = false;
};

} // namespace tovrel
