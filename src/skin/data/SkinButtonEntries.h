#pragma once
// Entries of push buttons, menu buttons, check and radio boxes and labels.
#include "skin/data/SkinEntry.h"

namespace tovrel {

class TskDataSkinButtonControl : public TskKeyedEntry<TskDataSkinButtonControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect DownSkinRect;
    TRect DisabledSkinRect;
    TRect FocusedSkinRect;
    bool Morphing = false;
    TskMorphKind MorphKind = TskMorphKind::mkDefault;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool ShowFocus = false;
    TRect MenuMarkerFlatRect;
    TRect MenuMarkerRect;
    TRect MenuMarkerActiveRect;
    TRect MenuMarkerDownRect;
    TColor MenuMarkerTransparentColor = 0;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetLeft = 0;
    int GlowLayerOffsetRight = 0;
    int GlowLayerOffsetTop = 0;
    int GlowLayerOffsetBottom = 0;
    int GlowLayerShowOffsetX = 0;
    int GlowLayerShowOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    static std::span<const TskKey<TskDataSkinButtonControl>> ReadOrder();
    static std::span<const std::string_view> WriteOrder();
};

class TskDataSkinMenuButtonControl : public TskKeyedEntry<TskDataSkinMenuButtonControl, TskDataSkinButtonControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect TrackButtonRect;

    static std::span<const TskKey<TskDataSkinMenuButtonControl>> ReadOrder();
};

class TskDataSkinCheckRadioControl : public TskKeyedEntry<TskDataSkinCheckRadioControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect ActiveSkinRect;
    TRect CheckImageArea;
    TRect TextArea;
    TRect CheckImageRect;
    TRect UnCheckImageRect;
    TRect ActiveCheckImageRect;
    TRect ActiveUnCheckImageRect;
    TRect UnEnabledCheckImageRect;
    TRect UnEnabledUnCheckImageRect;
    TRect GrayedCheckImageRect;
    TRect ActiveGrayedCheckImageRect;
    bool Morphing = false;
    TskMorphKind MorphKind = TskMorphKind::mkDefault;
    TColor FrameFontColor = 0;

    static std::span<const TskKey<TskDataSkinCheckRadioControl>> ReadOrder();
    static std::span<const std::string_view> WriteOrder();
};

// A label with an eight-piece frame.
class TskDataSkinLabelControl : public TskKeyedEntry<TskDataSkinLabelControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;

    static std::span<const TskKey<TskDataSkinLabelControl>> ReadOrder();
};

// The font of plain and link labels; no image of its own.
class TskDataSkinStdLabelControl : public TskKeyedEntry<TskDataSkinStdLabelControl, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 16711680;

    static std::span<const TskKey<TskDataSkinStdLabelControl>> ReadOrder();
};

} // namespace tovrel
