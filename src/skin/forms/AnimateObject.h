#pragma once
// TskSkinAnimateObject: a frame object that shows one frame of a strip of
// equally sized images and steps through it on the form component's 25-ms
// animate timer: played once (or looped) from code, or, as a caption button,
// forward while the pointer is over it and backward when it leaves.
#include "skin/data/SkinGeometry.h"
#include "skin/forms/FrameObjects.h"

namespace tovrel {

class TMenuItem;
class TskDataSkinAnimate;

class TskSkinAnimateObject : public TskActiveSkinObject, public TskCommandButton {
public:
    TskSkinAnimateObject(TskSkinForm* AParent, TskDataSkinAnimate* AData);
    TskCommandButton* CommandButton() override { return this; }

    void Draw(TCanvas* Cnvs, bool UpDate) override;
    void DblClick() override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void MouseEnter() override;
    void MouseLeave() override;

    // Plays from frame 1.
    void Start();
    // Back to frame 1, still.
    void Stop();
    // One tick of the animate timer.
    void ChangeFrame();
    // The linked menu closed: play back to frame 1.
    void MenuClosed();
    // Frame n (1-based) in the active picture.
    TRect FrameRect(int N) const;
    // Held still by the pressed image.
    bool HeldDown() const { return FDown && !IsNullRect(DownSkinRect); }

    int FFrame = 1;
    int FInc = 25;
    int TimerInterval = 25;
    TMenuItem* MenuItem = nullptr;
    bool FPopupUp = false;
    bool FDown = false;
    bool FMenuTracking = false;
    int CountFrames = 1;
    bool Cycle = false;
    bool ButtonStyle = false;
    bool Increment = true;
    TRect DownSkinRect;

private:
    void ShowFrame(int Value);
    void ExecuteCommand();
    void TrackMenu();
    bool InRestoreStrip() const;
    // Plays in the direction given, or redraws the pressed image.
    void Play(bool Forward);
};

} // namespace tovrel
