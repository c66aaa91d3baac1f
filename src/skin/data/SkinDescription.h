#pragma once
// The fixed sections of a skin description: the test that a text is one, the
// descriptive texts ("VERSION"), the picture names ("PICTURES") and the form
// frame geometry ("FORMINFO").
#include <span>
#include <string>
#include <vector>

#include "skin/data/SkinKeys.h"

namespace tovrel {

// True when "VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS" and "SKINCONTROLS"
// each hold at least one key.
bool CheckSkinFile(const TskIniFile& IniFile);

struct TskSkinVersionInfo {
    static constexpr std::string_view Section = "VERSION";

    std::string SkinName;
    std::string SkinAuthor;
    std::string AuthorEmail;
    std::string AuthorURL;
    std::string SkinComments;

    void LoadFromFile(const TskIniFile& IniFile);
    // Erases the section, then writes "ver" = 1 and the five texts.
    void SaveToFile(TskIniFile& IniFile) const;

    static std::span<const TskKey<TskSkinVersionInfo>> ReadOrder();
};

struct TskSkinPictureNames {
    static constexpr std::string_view Section = "PICTURES";

    std::string PictureName;
    std::string InActivePictureName;
    std::string MaskName;
    std::vector<std::string> ActivePicturesNames;

    // Replaces the names; the active picture names come from the list "activepictures".
    void LoadFromFile(const TskIniFile& IniFile);
    void SaveToFile(TskIniFile& IniFile) const;

    static std::span<const TskKey<TskSkinPictureNames>> ReadOrder();
};

struct TskFormInfo {
    static constexpr std::string_view Section = "FORMINFO";

    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    int BGPictureIndex = -1;
    int MDIBGPictureIndex = -1;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TskStretchType StretchType = TskStretchType::skstFull;
    bool MDIBGStretchEffect = false;
    TskStretchType MDIBGStretchType = TskStretchType::skstFull;
    TRect MaskRectArea;
    TPoint HitTestLTPoint;
    TPoint HitTestRTPoint;
    TPoint HitTestLBPoint;
    TPoint HitTestRBPoint;
    TRect ButtonsRect;
    TRect CaptionRect;
    int ButtonsOffset = 0;
    bool CapButtonsInLeft = false;
    bool MainMenuPopupUp = false;
    int BorderW = 0;
    bool AutoRenderingInActiveImage = false;
    TskInActiveEffect InActiveEffect = TskInActiveEffect::ieBrightness;
    int FormMinWidth = 0;
    bool MDITabsTransparent = false;
    bool MainMenuBarTransparent = false;

    // Reads the 31 keys and completes them: with a mask, the mask area grows to
    // hold the client rectangle and empty hit-test points take the corner
    // points; the corner points are clamped into the client rectangle.
    void LoadFromFile(const TskIniFile& IniFile, bool hasMask);
    // Erases the section, then writes the 31 keys as they stand.
    void SaveToFile(TskIniFile& IniFile) const;

    static std::span<const TskKey<TskFormInfo>> ReadOrder();
};

} // namespace tovrel
