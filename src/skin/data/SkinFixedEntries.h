#pragma once
// The entries a skin has once rather than by name: popup menu windows, the
// layered form border, hint windows and the eight skin colours.
#include <span>
#include <string_view>

#include "skin/data/SkinKeys.h"

namespace tovrel {

class TskDataSkinPopupWindow {
public:
    static constexpr std::string_view Section = "POPUPWINDOW";

    void LoadFromFile(const TskIniFile& IniFile);
    void SaveToFile(TskIniFile& IniFile) const;

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ItemsRect;
    TColor ScrollMarkerColor = 0;
    TColor ScrollMarkerActiveColor = 0;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TskStretchType StretchType = TskStretchType::skstFull;

    static std::span<const TskKey<TskDataSkinPopupWindow>> ReadOrder();
};

class TskDataSkinLayerFrame {
public:
    static constexpr std::string_view Section = "LAYERFRAME";

    void LoadFromFile(const TskIniFile& IniFile);
    void SaveToFile(TskIniFile& IniFile) const;

    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    int InActivePictureIndex = -1;
    int InActiveMaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    int AlphaBlendValue = 255;
    int InActiveAlphaBlendValue = 255;
    TRect BorderRect;
    bool HitTestEnable = false;

    static std::span<const TskKey<TskDataSkinLayerFrame>> ReadOrder();
};

class TskDataSkinHintWindow {
public:
    static constexpr std::string_view Section = "HINTWINDOW";

    void LoadFromFile(const TskIniFile& IniFile);
    void SaveToFile(TskIniFile& IniFile) const;

    int WindowPictureIndex = -1;
    int MaskPictureIndex = -1;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    bool TopStretch = false;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TskStretchType StretchType = TskStretchType::skstFull;

    static std::span<const TskKey<TskDataSkinHintWindow>> ReadOrder();
};

// System colour references (0xFF000000 plus the colour number) that a consumer
// resolves when it draws.
constexpr TColor SkinSystemColor(int colorNumber)
{
    return TColor(0xFF000000u | unsigned(colorNumber));
}

class TskSkinColors {
public:
    static constexpr std::string_view Section = "SKINCOLORS";

    void LoadFromFile(const TskIniFile& IniFile);
    // Writes the eight keys without erasing the section first.
    void SaveToFile(TskIniFile& IniFile) const;
    void SetColorsToDefault();

    TColor cBtnFace() const { return FcBtnFace; }
    TColor cBtnText() const { return FcBtnText; }
    TColor cWindow() const { return FcWindow; }
    TColor cWindowText() const { return FcWindowText; }
    TColor cHighLight() const { return FcHighLight; }
    TColor cHighLightText() const { return FcHighLightText; }
    TColor cBtnHighLight() const { return FcBtnHighLight; }
    TColor cBtnShadow() const { return FcBtnShadow; }

    TColor FcBtnFace = 0;
    TColor FcBtnText = 0;
    TColor FcWindow = 0;
    TColor FcWindowText = 0;
    TColor FcHighLight = 0;
    TColor FcHighLightText = 0;
    TColor FcBtnHighLight = 0;
    TColor FcBtnShadow = 0;

    static std::span<const TskKey<TskSkinColors>> ReadOrder();
};

} // namespace tovrel
