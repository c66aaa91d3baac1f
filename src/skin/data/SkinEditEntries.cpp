#include "skin/data/SkinEditEntries.h"

#include <array>

namespace tovrel {

std::span<const TskKey<TskDataSkinEditControl>> TskDataSkinEditControl::ReadOrder()
{
    using E = TskDataSkinEditControl;
    static const std::array<TskKey<E>, 11> keys{{
        {"activeskinrect", &E::ActiveSkinRect},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"disabledfontcolor", &E::DisabledFontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"buttonrect", &E::ButtonRect},
        {"activebuttonrect", &E::ActiveButtonRect},
        {"downbuttonrect", &E::DownButtonRect},
        {"unenabledbuttonrect", &E::UnEnabledButtonRect},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinMemoControl>> TskDataSkinMemoControl::ReadOrder()
{
    using E = TskDataSkinMemoControl;
    static const std::array<TskKey<E>, 2> keys{{
        {"bgcolor", &E::BGColor},
        {"activebgcolor", &E::ActiveBGColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinSpinEditControl>> TskDataSkinSpinEditControl::ReadOrder()
{
    using E = TskDataSkinSpinEditControl;
    static const std::array<TskKey<E>, 13> keys{{
        {"activeskinrect", &E::ActiveSkinRect},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"disabledfontcolor", &E::DisabledFontColor},
        {"upbuttonrect", &E::UpButtonRect},
        {"activeupbuttonrect", &E::ActiveUpButtonRect},
        {"downupbuttonrect", &E::DownUpButtonRect},
        {"downbuttonrect", &E::DownButtonRect},
        {"activedownbuttonrect", &E::ActiveDownButtonRect},
        {"downdownbuttonrect", &E::DownDownButtonRect},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinListBox>> TskDataSkinListBox::ReadOrder()
{
    using E = TskDataSkinListBox;
    static const std::array<TskKey<E>, 32> keys{{
        {"itemrect", &E::SItemRect},
        {"activeitemrect", &E::ActiveItemRect},
        {"focusitemrect", &E::FocusItemRect},
        {"itemleftoffset", &E::ItemLeftOffset},
        {"itemrightoffset", &E::ItemRightOffset},
        {"itemtextrect", &E::ItemTextRect},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"focusfontcolor", &E::FocusFontColor},
        {"captionrect", &E::CaptionRect},
        {"captionfontname", &E::CaptionFontName, "Arial"},
        {"captionfontheight", &E::CaptionFontHeight, 14},
        {"captionfontstyle", &E::CaptionFontStyle},
        {"captionfontcolor", &E::CaptionFontColor},
        {"upbuttonrect", &E::UpButtonRect},
        {"activeupbuttonrect", &E::ActiveUpButtonRect},
        {"downupbuttonrect", &E::DownUpButtonRect},
        {"downbuttonrect", &E::DownButtonRect},
        {"activedownbuttonrect", &E::ActiveDownButtonRect},
        {"downdownbuttonrect", &E::DownDownButtonRect},
        {"checkbuttonrect", &E::CheckButtonRect},
        {"activecheckbuttonrect", &E::ActiveCheckButtonRect},
        {"downcheckbuttonrect", &E::DownCheckButtonRect},
        {"vscrollbarname", &E::VScrollBarName, "vscrollbar"},
        {"hscrollbarname", &E::HScrollBarName, "hscrollbar"},
        // Both spelled with two letters h.
        {"bothhscrollbarname", &E::BothScrollBarName, "bothhscrollbar"},
        {"showfocus", &E::ShowFocus},
        {"disabledbuttonsrect", &E::DisabledButtonsRect},
        {"buttonsarea", &E::ButtonsArea},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinCheckListBox>> TskDataSkinCheckListBox::ReadOrder()
{
    using E = TskDataSkinCheckListBox;
    static const std::array<TskKey<E>, 3> keys{{
        {"itemcheckrect", &E::ItemCheckRect},
        {"checkimagerect", &E::CheckImageRect},
        {"uncheckimagerect", &E::UnCheckImageRect},
    }};
    return keys;
}

std::span<const std::string_view> TskDataSkinCheckListBox::WriteOrder()
{
    static const std::array<std::string_view, 3> order{"itemcheckrect", "uncheckimagerect", "checkimagerect"};
    return order;
}

std::span<const TskKey<TskDataSkinComboBox>> TskDataSkinComboBox::ReadOrder()
{
    using E = TskDataSkinComboBox;
    static const std::array<TskKey<E>, 21> keys{{
        {"activeskinrect", &E::ActiveSkinRect},
        {"itemrect", &E::SItemRect},
        {"activeitemrect", &E::ActiveItemRect},
        {"focusitemrect", &E::FocusItemRect},
        {"itemleftoffset", &E::ItemLeftOffset},
        {"itemrightoffset", &E::ItemRightOffset},
        {"itemtextrect", &E::ItemTextRect},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"focusfontcolor", &E::FocusFontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"listboxname", &E::ListBoxName},
        {"buttonrect", &E::ButtonRect},
        {"activebuttonrect", &E::ActiveButtonRect},
        {"downbuttonrect", &E::DownButtonRect},
        {"unenabledbuttonrect", &E::UnEnabledButtonRect},
        {"itemstretcheffect", &E::ItemStretchEffect},
        {"focusitemstretcheffect", &E::FocusItemStretchEffect},
        {"showfocus", &E::ShowFocus},
    }};
    return keys;
}

std::span<const std::string_view> TskDataSkinComboBox::WriteOrder()
{
    // "listboxname" goes out after "unenabledbuttonrect".
    static const std::array<std::string_view, 21> order{"activeskinrect",
                                                        "itemrect",
                                                        "activeitemrect",
                                                        "focusitemrect",
                                                        "itemleftoffset",
                                                        "itemrightoffset",
                                                        "itemtextrect",
                                                        "fontname",
                                                        "fontheight",
                                                        "fontstyle",
                                                        "fontcolor",
                                                        "focusfontcolor",
                                                        "activefontcolor",
                                                        "buttonrect",
                                                        "activebuttonrect",
                                                        "downbuttonrect",
                                                        "unenabledbuttonrect",
                                                        "listboxname",
                                                        "itemstretcheffect",
                                                        "focusitemstretcheffect",
                                                        "showfocus"};
    return order;
}

std::span<const TskKey<TskDataSkinUpDownControl>> TskDataSkinUpDownControl::ReadOrder()
{
    using E = TskDataSkinUpDownControl;
    static const std::array<TskKey<E>, 6> keys{{
        {"upbuttonrect", &E::UpButtonRect},
        {"activeupbuttonrect", &E::ActiveUpButtonRect},
        {"downupbuttonrect", &E::DownUpButtonRect},
        {"downbuttonrect", &E::DownButtonRect},
        {"activedownbuttonrect", &E::ActiveDownButtonRect},
        {"downdownbuttonrect", &E::DownDownButtonRect},
    }};
    return keys;
}

void TskDataSkinUpDownControl::ClearEightPieceGeometry()
{
    LTPoint = RTPoint = LBPoint = RBPoint = TPoint{};
    ClRect = TRect{};
}

void TskDataSkinUpDownControl::LoadFromFile(const TskIniFile& IniFile)
{
    TskKeyedEntry::LoadFromFile(IniFile);
    ClearEightPieceGeometry();
}

void TskDataSkinUpDownControl::SaveToFile(TskIniFile& IniFile)
{
    ClearEightPieceGeometry();
    TskKeyedEntry::SaveToFile(IniFile);
}

} // namespace tovrel
