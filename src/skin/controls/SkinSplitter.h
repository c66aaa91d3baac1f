#pragma once
// The splitter drawn from a skin entry ("vsplitter" between left- or
// right-aligned controls, "hsplitter" between top- or bottom-aligned ones):
// a three-piece strip along it with a gripper picture in the middle, and its
// thickness taken from the entry.
#include "platform/ctrls/Splitter.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinGripperImage.h"

#include <string>

namespace tovrel {

class TBitmap;
class TskSkinData;

class TskSkinSplitter : public TSplitter {
public:
    explicit TskSkinSplitter(TComponent* AOwner);

    TskSkinData* SkinData() const { return FSD; }
    // Stores, then ChangeSkinData (also for none).
    void SetSkinData(TskSkinData* Value);
    std::string SkinDataName = "vsplitter";
    // The thickness without an entry, or while transparent.
    int DefaultSize = 10;
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int SkinIndex() const { return FIndex; }

    // Looks the entry up and copies its fields; -1 and no picture without one.
    void GetSkinData();
    // Looks the entry up again, takes its thickness and repaints.
    void ChangeSkinData();

protected:
    void Paint() override;

private:
    bool Horizontal() const { return Align() == alTop || Align() == alBottom; }
    void PaintSkinStrip();

    TComponentRef<TskSkinData> FSD{*this};
    int FIndex = -1;
    bool FTransparent = false;
    TPoint LTPt, RTPt, LBPt;
    TRect SkinRect;
    bool StretchEffect = false;
    TskGripperImage Gripper;
    TBitmap* FSkinPicture = nullptr;
};

} // namespace tovrel
