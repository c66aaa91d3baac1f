#pragma once
// Entries of panels, rolling panels, bevels, splitters, scroll boxes and control bars.
#include "skin/data/SkinEntry.h"

namespace tovrel {

class TskDataSkinPanelControl : public TskKeyedEntry<TskDataSkinPanelControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect CaptionRect;
    TAlignment Alignment = TAlignment::taCenter;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    int BGPictureIndex = -1;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect MarkFrameRect;
    TRect FrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 16711935;

    static std::span<const TskKey<TskDataSkinPanelControl>> ReadOrder();
};

class TskDataSkinExPanelControl : public TskKeyedEntry<TskDataSkinExPanelControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect RollHSkinRect;
    TRect RollVSkinRect;
    int RollLeftOffset = 0;
    int RollRightOffset = 0;
    int RollTopOffset = 0;
    int RollBottomOffset = 0;
    TRect RollVCaptionRect;
    TRect RollHCaptionRect;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    TRect HRollButtonRect;
    TRect HRollButtonActiveRect;
    TRect HRollButtonDownRect;
    TRect HRestoreButtonRect;
    TRect HRestoreButtonActiveRect;
    TRect HRestoreButtonDownRect;
    TRect VRollButtonRect;
    TRect VRollButtonActiveRect;
    TRect VRollButtonDownRect;
    TRect VRestoreButtonRect;
    TRect VRestoreButtonActiveRect;
    TRect VRestoreButtonDownRect;
    TRect CaptionRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    bool ButtonsTransparent = false;
    TColor ButtonsTransparentColor = 16711935;

    static std::span<const TskKey<TskDataSkinExPanelControl>> ReadOrder();
};

class TskDataSkinBevel : public TskKeyedEntry<TskDataSkinBevel, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TColor LightColor = 0;
    TColor DarkColor = 0;

    static std::span<const TskKey<TskDataSkinBevel>> ReadOrder();
};

class TskDataSkinSplitterControl : public TskKeyedEntry<TskDataSkinSplitterControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect GripperRect;
    bool GripperTransparent = false;
    TColor GripperTransparentColor = 16711935;

    static std::span<const TskKey<TskDataSkinSplitterControl>> ReadOrder();
};

class TskDataSkinScrollBoxControl : public TskKeyedEntry<TskDataSkinScrollBoxControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    int BGPictureIndex = 0;

    static std::span<const TskKey<TskDataSkinScrollBoxControl>> ReadOrder();
};

class TskDataSkinControlBar : public TskKeyedEntry<TskDataSkinControlBar, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect ItemRect;
    int BGPictureIndex = -1;
    TRect HGripRect;
    TRect VGripRect;
    int GripOffset1 = 0;
    int GripOffset2 = 0;
    bool ItemStretchEffect = false;
    int ItemOffset1 = 0;
    int ItemOffset2 = 0;
    bool ItemTransparent = false;
    TColor ItemTransparentColor = 0;
    bool GripTransparent = false;
    TColor GripTransparentColor = 0;

    static std::span<const TskKey<TskDataSkinControlBar>> ReadOrder();
    static std::span<const std::string_view> WriteOrder();
};

} // namespace tovrel
