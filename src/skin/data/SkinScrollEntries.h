#pragma once
// Entries of scroll bars, track bars, sliders and gauges.
#include "skin/data/SkinEntry.h"

namespace tovrel {

class TskDataSkinScrollBarControl : public TskKeyedEntry<TskDataSkinScrollBarControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect TrackArea;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect ThumbRect;
    TRect ActiveThumbRect;
    TRect DownThumbRect;
    int ThumbOffset1 = 0;
    int ThumbOffset2 = 0;
    TRect GlyphRect;
    TRect ActiveGlyphRect;
    TRect DownGlyphRect;
    bool GlyphTransparent = false;
    TColor GlyphTransparentColor = 16711935;
    bool ThumbTransparent = false;
    TColor ThumbTransparentColor = 16711935;
    bool ThumbStretchEffect = false;
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;

    static std::span<const TskKey<TskDataSkinScrollBarControl>> ReadOrder();
};

class TskDataSkinTrackBarControl : public TskKeyedEntry<TskDataSkinTrackBarControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect ActiveSkinRect;
    TRect TrackArea;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    bool Vertical = false;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 16711935;

    static std::span<const TskKey<TskDataSkinTrackBarControl>> ReadOrder();
};

class TskDataSkinSlider : public TskKeyedEntry<TskDataSkinSlider, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect HRulerRect;
    TRect HThumbRect;
    TRect VRulerRect;
    TRect VThumbRect;
    int EdgeSize = 0;
    TColor BGColor = 0;
    TColor PointsColor = 0;

    static std::span<const TskKey<TskDataSkinSlider>> ReadOrder();
};

class TskDataSkinGaugeControl : public TskKeyedEntry<TskDataSkinGaugeControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect ProgressArea;
    TRect ProgressRect;
    bool Vertical = false;
    int BeginOffset = 0;
    int EndOffset = 0;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    bool ProgressTransparent = false;
    TColor ProgressTransparentColor = 16711935;
    bool ProgressStretch = false;
    TRect AnimationSkinRect;
    int AnimationCountFrames = 0;
    int AnimationTimerInterval = 0;
    TRect ProgressAnimationSkinRect;
    int ProgressAnimationCountFrames = 0;
    int ProgressAnimationTimerInterval = 0;
    int AnimationBeginOffset = 0;
    int AnimationEndOffset = 0;

    static std::span<const TskKey<TskDataSkinGaugeControl>> ReadOrder();
};

} // namespace tovrel
