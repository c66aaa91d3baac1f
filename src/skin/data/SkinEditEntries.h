#pragma once
// Entries of edits, memos, spin edits, list boxes, check list boxes, combo boxes
// and up-down controls.
#include "skin/data/SkinEntry.h"

namespace tovrel {

class TskDataSkinEditControl : public TskKeyedEntry<TskDataSkinEditControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    TColor DisabledFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;

    static std::span<const TskKey<TskDataSkinEditControl>> ReadOrder();
};

class TskDataSkinMemoControl : public TskKeyedEntry<TskDataSkinMemoControl, TskDataSkinEditControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TColor BGColor = 0;
    TColor ActiveBGColor = 0;

    static std::span<const TskKey<TskDataSkinMemoControl>> ReadOrder();
};

class TskDataSkinSpinEditControl : public TskKeyedEntry<TskDataSkinSpinEditControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect ActiveSkinRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 12;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor DisabledFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;

    static std::span<const TskKey<TskDataSkinSpinEditControl>> ReadOrder();
};

class TskDataSkinListBox : public TskKeyedEntry<TskDataSkinListBox, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TRect CaptionRect;
    std::string CaptionFontName = "Arial";
    TFontStyles CaptionFontStyle;
    int CaptionFontHeight = 14;
    TColor CaptionFontColor = 0;
    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;
    TRect CheckButtonRect;
    TRect ActiveCheckButtonRect;
    TRect DownCheckButtonRect;
    std::string HScrollBarName;
    std::string VScrollBarName;
    std::string BothScrollBarName;
    bool ShowFocus = false;
    TRect DisabledButtonsRect;
    TRect ButtonsArea;

    static std::span<const TskKey<TskDataSkinListBox>> ReadOrder();
};

class TskDataSkinCheckListBox : public TskKeyedEntry<TskDataSkinCheckListBox, TskDataSkinListBox> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect UnCheckImageRect;
    TRect CheckImageRect;
    TRect ItemCheckRect;

    static std::span<const TskKey<TskDataSkinCheckListBox>> ReadOrder();
    static std::span<const std::string_view> WriteOrder();
};

class TskDataSkinComboBox : public TskKeyedEntry<TskDataSkinComboBox, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect SItemRect;
    TRect ActiveItemRect;
    TRect FocusItemRect;
    int ItemLeftOffset = 0;
    int ItemRightOffset = 0;
    TRect ItemTextRect;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor FocusFontColor = 0;
    TColor ActiveFontColor = 0;
    TRect ButtonRect;
    TRect ActiveButtonRect;
    TRect DownButtonRect;
    TRect UnEnabledButtonRect;
    bool ItemStretchEffect = false;
    bool FocusItemStretchEffect = false;
    TRect ActiveSkinRect;
    std::string ListBoxName;
    bool ShowFocus = false;

    static std::span<const TskKey<TskDataSkinComboBox>> ReadOrder();
    static std::span<const std::string_view> WriteOrder();
};

// Has no eight-piece division: loading and saving empty the corner points and
// the client rectangle.
class TskDataSkinUpDownControl : public TskKeyedEntry<TskDataSkinUpDownControl, TskDataSkinCustomControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    void LoadFromFile(const TskIniFile& IniFile) override;
    void SaveToFile(TskIniFile& IniFile) override;

    TRect UpButtonRect;
    TRect ActiveUpButtonRect;
    TRect DownUpButtonRect;
    TRect DownButtonRect;
    TRect ActiveDownButtonRect;
    TRect DownDownButtonRect;

    static std::span<const TskKey<TskDataSkinUpDownControl>> ReadOrder();

private:
    void ClearEightPieceGeometry();
};

} // namespace tovrel
