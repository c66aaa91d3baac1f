#include "skin/data/SkinViewEntries.h"

namespace tovrel {

std::span<const TskKey<TskDataSkinGridControl>> TskDataSkinGridControl::ReadOrder()
{
    using E = TskDataSkinGridControl;
    static const std::array<TskKey<E>, 25> keys{{
        {"fixedcellrect", &E::FixedCellRect},
        {"selectcellrect", &E::SelectCellRect},
        {"focuscellrect", &E::FocusCellRect},
        {"fixedcellleftoffset", &E::FixedCellLeftOffset},
        {"fixedcellrightoffset", &E::FixedCellRightOffset},
        {"fixedcelltextrect", &E::FixedCellTextRect},
        {"cellleftoffset", &E::CellLeftOffset},
        {"cellrightoffset", &E::CellRightOffset},
        {"celltextrect", &E::CellTextRect},
        {"bgpictureindex", &E::BGPictureIndex, -1},
        {"linescolor", &E::LinesColor},
        {"bgcolor", &E::BGColor},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"selectfontcolor", &E::SelectFontColor},
        {"focusfontcolor", &E::FocusFontColor},
        {"fixedfontname", &E::FixedFontName, "Arial"},
        {"fixedfontheight", &E::FixedFontHeight, 14},
        {"fixedfontstyle", &E::FixedFontStyle},
        {"fixedfontcolor", &E::FixedFontColor},
        {"cellstretcheffect", &E::CellStretchEffect},
        {"fixedcellstretcheffect", &E::FixedCellStretchEffect},
        {"showfocus", &E::ShowFocus},
    }};
    return keys;
}

std::span<const std::string_view> TskDataSkinGridControl::WriteOrder()
{
    // "bgpictureindex" goes out after "bgcolor".
    static const std::array<std::string_view, 25> order{"fixedcellrect",
                                                        "selectcellrect",
                                                        "focuscellrect",
                                                        "fixedcellleftoffset",
                                                        "fixedcellrightoffset",
                                                        "fixedcelltextrect",
                                                        "cellleftoffset",
                                                        "cellrightoffset",
                                                        "celltextrect",
                                                        "linescolor",
                                                        "bgcolor",
                                                        "bgpictureindex",
                                                        "fontname",
                                                        "fontheight",
                                                        "fontstyle",
                                                        "fontcolor",
                                                        "selectfontcolor",
                                                        "focusfontcolor",
                                                        "fixedfontname",
                                                        "fixedfontheight",
                                                        "fixedfontstyle",
                                                        "fixedfontcolor",
                                                        "cellstretcheffect",
                                                        "fixedcellstretcheffect",
                                                        "showfocus"};
    return order;
}

std::span<const TskKey<TskDataSkinTabControl>> TskDataSkinTabControl::ReadOrder()
{
    using E = TskDataSkinTabControl;
    static const std::array<TskKey<E>, 36> keys{{
        {"tabrect", &E::TabRect},
        {"activetabrect", &E::ActiveTabRect},
        {"focustabrect", &E::FocusTabRect},
        {"mouseintabrect", &E::MouseInTabRect},
        {"clientrect", &E::ClRect},
        {"bgpictureindex", &E::BGPictureIndex, -1},
        {"lefttoppoint", &E::LTPoint},
        {"righttoppoint", &E::RTPoint},
        {"leftbottompoint", &E::LBPoint},
        {"rightbottompoint", &E::RBPoint},
        {"tableftoffset", &E::TabLeftOffset},
        {"tabrightoffset", &E::TabRightOffset},
        {"tabsbgrect", &E::TabsBGRect},
        {"tabstretcheffect", &E::TabStretchEffect},
        {"leftstretch", &E::LeftStretch},
        {"topstretch", &E::TopStretch},
        {"rightstretch", &E::RightStretch},
        {"bottomstretch", &E::BottomStretch},
        {"stretcheffect", &E::StretchEffect},
        {"stretchtype", &E::StretchType},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"focusfontcolor", &E::FocusFontColor},
        {"mouseinfontcolor", &E::MouseInFontColor},
        {"updown", &E::UpDown},
        {"showfocus", &E::ShowFocus},
        {"focusoffsetx", &E::FocusOffsetX},
        {"focusoffsety", &E::FocusOffsetY},
        {"closebuttonrect", &E::CloseButtonRect},
        {"closebuttonactiverect", &E::CloseButtonActiveRect},
        {"closebuttondownrect", &E::CloseButtonDownRect},
        {"buttontransparent", &E::ButtonTransparent},
        {"buttontransparentcolor", &E::ButtonTransparentColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinMainMenuBar>> TskDataSkinMainMenuBar::ReadOrder()
{
    using E = TskDataSkinMainMenuBar;
    static const std::array<TskKey<E>, 10> keys{{
        {"itemsrect", &E::ItemsRect},
        {"menubaritem", &E::MenuBarItem},
        {"closebutton", &E::CloseButton},
        {"minbutton", &E::MinButton},
        {"maxbutton", &E::MaxButton},
        {"sysmenubutton", &E::SysMenuButton},
        {"trackmarkcolor", &E::TrackMarkColor},
        {"trackmarkactivecolor", &E::TrackMarkActiveColor},
        {"stretcheffect", &E::StretchEffect},
        {"itemtransparent", &E::ItemTransparent},
    }};
    return keys;
}

} // namespace tovrel
