#pragma once
// The skinned up-down: two arrow buttons stepping Position between Min and
// Max by Increment, on release or, while held, after 600 ms and then every
// 100 ms (window timer 1). Drawn from "hupdown"/"vupdown", from the
// "resizebutton" entry when it takes any size, or in a default look.
#include "skin/controls/SkinCustomControl.h"

namespace tovrel {

enum TUDOrientation : std::uint8_t { udHorizontal, udVertical };

class TskSkinUpDown : public TskSkinCustomControl {
public:
    explicit TskSkinUpDown(TComponent* AOwner);

    bool UseSkinSize = true;
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    int Increment = 1;
    int Position() const { return FPosition; }
    // Out of range is ignored; any other value fires OnChange, also the same one.
    void SetPosition(int Value);
    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);

    TNotifyEvent OnChange;
    TNotifyEvent OnUpButtonClick;
    TNotifyEvent OnDownButtonClick;

    // 0 steps up (right or top), 1 down.
    TRect ButtonRect(int i) const { return Buttons[i].R; }

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
    struct TButtonPart {
        TRect R;
        bool MouseIn = false;
        bool Down = false;
    };
    void CalcRects();
    int ButtonAt(int X, int Y) const;
    void TrackPointer(int X, int Y);
    void StartTimer(unsigned Interval);
    void StopTimer();
    void TimerTick();
    void Step(int Button);
    int ArrowKind(int Button) const;
    void DrawResizedButton(TCanvas& C, int i);

    TUDOrientation FOrientation = udHorizontal;
    TButtonPart Buttons[2];
    int OldActiveButton = -1, ActiveButton = -1, CaptureButton = -1;
    int TimerMode = 0;
    bool WaitMode = false;
    int FPosition = 0, FMin = 0, FMax = 100;
    bool FUpDownEntry = false;
    TRect UpButtonRect, ActiveUpButtonRect, DownUpButtonRect, DownButtonRect, ActiveDownButtonRect, DownDownButtonRect;
};

} // namespace tovrel
