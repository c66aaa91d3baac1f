#pragma once
// Object entries of popup menu items and main menu bar items.
#include "skin/data/SkinEntry.h"

namespace tovrel {

class TskDataSkinMenuItem : public TskKeyedEntry<TskDataSkinMenuItem, TskDataSkinObject> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    // Empty active marks take the normal marks.
    void LoadFromFile(const TskIniFile& IniFile) override;

    TRect DividerRect;
    int DividerLO = 0;
    int DividerRO = 0;
    int ItemLO = 0;
    int ItemRO = 0;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor UnEnabledFontColor = 0;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TRect TextRct;
    TRect ImageRct;
    bool UseImageColor = false;
    TColor ImageColor = 0;
    TColor ActiveImageColor = 0;
    bool StretchEffect = false;
    bool DividerStretchEffect = false;
    bool InActiveStretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool InActiveTransparent = false;
    TRect CheckImageRect;
    TRect ActiveCheckImageRect;
    TRect RadioImageRect;
    TRect ActiveRadioImageRect;
    TRect ArrowImageRect;
    TRect ActiveArrowImageRect;

    static std::span<const TskKey<TskDataSkinMenuItem>> ReadOrder();
};

// Parent of the main menu bar item; no kind word of its own.
class TskDataSkinMainMenuItem : public TskKeyedEntry<TskDataSkinMainMenuItem, TskDataSkinObject> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect DownRect;
    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DownFontColor = 0;
    TColor UnEnabledFontColor = 0;
    TRect TextRct;
    int ItemLO = 0;
    int ItemRO = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;

    static std::span<const TskKey<TskDataSkinMainMenuItem>> ReadOrder();
};

class TskDataSkinMainMenuBarItem : public TskDataSkinMainMenuItem {
public:
    using TskDataSkinMainMenuItem::TskDataSkinMainMenuItem;
};

} // namespace tovrel
