#pragma once
// Entries of tree views, list views, rich edits, grids, tab controls and the main
// menu bar. All derive from the plain control entry.
#include <array>

#include "skin/data/SkinEntry.h"

namespace tovrel {

// Font and background keys shared by the three view entries, which are otherwise
// unrelated classes.
template <class Self> class TskDataSkinTextView : public TskKeyedEntry<Self, TskDataSkinControl> {
public:
    using TskKeyedEntry<Self, TskDataSkinControl>::TskKeyedEntry;

    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor BGColor = 16777215;

    static std::span<const TskKey<Self>> ReadOrder()
    {
        // A missing "bgcolor" reads black, although a new entry is white.
        static const std::array<TskKey<Self>, 5> keys{{
            {"fontname", &Self::FontName, "Arial"},
            {"fontheight", &Self::FontHeight, 14},
            {"fontstyle", &Self::FontStyle},
            {"fontcolor", &Self::FontColor},
            {"bgcolor", &Self::BGColor},
        }};
        return keys;
    }
};

class TskDataSkinTreeView : public TskDataSkinTextView<TskDataSkinTreeView> {
public:
    using TskDataSkinTextView::TskDataSkinTextView;
};

class TskDataSkinListView : public TskDataSkinTextView<TskDataSkinListView> {
public:
    using TskDataSkinTextView::TskDataSkinTextView;
};

class TskDataSkinRichEdit : public TskDataSkinTextView<TskDataSkinRichEdit> {
public:
    using TskDataSkinTextView::TskDataSkinTextView;
};

class TskDataSkinGridControl : public TskKeyedEntry<TskDataSkinGridControl, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect FixedCellRect;
    TRect SelectCellRect;
    TRect FocusCellRect;
    int FixedCellLeftOffset = 0;
    int FixedCellRightOffset = 0;
    TRect FixedCellTextRect;
    int CellLeftOffset = 0;
    int CellRightOffset = 0;
    TRect CellTextRect;
    TColor LinesColor = 0;
    TColor BGColor = 0;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor SelectFontColor = 0;
    TColor FocusFontColor = 0;
    std::string FixedFontName = "Arial";
    TFontStyles FixedFontStyle;
    int FixedFontHeight = 14;
    TColor FixedFontColor = 0;
    bool FixedCellStretchEffect = false;
    bool CellStretchEffect = false;
    bool ShowFocus = false;
    int BGPictureIndex = -1;

    static std::span<const TskKey<TskDataSkinGridControl>> ReadOrder();
    static std::span<const std::string_view> WriteOrder();
};

class TskDataSkinTabControl : public TskKeyedEntry<TskDataSkinTabControl, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect TabRect;
    TRect ActiveTabRect;
    TRect FocusTabRect;
    TRect MouseInTabRect;
    TRect ClRect;
    TRect TabsBGRect;
    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    int TabLeftOffset = 0;
    int TabRightOffset = 0;
    std::string FontName = "Arial";
    TFontStyles FontStyle;
    int FontHeight = 14;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor FocusFontColor = 0;
    TColor MouseInFontColor = 0;
    std::string UpDown;
    int BGPictureIndex = -1;
    bool TabStretchEffect = false;
    bool ShowFocus = false;
    int FocusOffsetX = 0;
    int FocusOffsetY = 0;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TskStretchType StretchType = TskStretchType::skstFull;
    TRect CloseButtonRect;
    TRect CloseButtonActiveRect;
    TRect CloseButtonDownRect;
    bool ButtonTransparent = false;
    TColor ButtonTransparentColor = 16711935;

    static std::span<const TskKey<TskDataSkinTabControl>> ReadOrder();
};

class TskDataSkinMainMenuBar : public TskKeyedEntry<TskDataSkinMainMenuBar, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect ItemsRect;
    std::string MenuBarItem;
    std::string CloseButton;
    std::string MaxButton;
    std::string MinButton;
    std::string SysMenuButton;
    TColor TrackMarkColor = 0;
    TColor TrackMarkActiveColor = 0;
    bool StretchEffect = false;
    bool ItemTransparent = false;

    static std::span<const TskKey<TskDataSkinMainMenuBar>> ReadOrder();
};

} // namespace tovrel
