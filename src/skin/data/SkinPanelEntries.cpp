#include "skin/data/SkinPanelEntries.h"

#include <array>

namespace tovrel {

std::span<const TskKey<TskDataSkinPanelControl>> TskDataSkinPanelControl::ReadOrder()
{
    using E = TskDataSkinPanelControl;
    static const std::array<TskKey<E>, 17> keys{{
        {"bgpictureindex", &E::BGPictureIndex, -1},
        {"captionrect", &E::CaptionRect},
        {"alignment", &E::Alignment},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"checkimagerect", &E::CheckImageRect},
        {"uncheckimagerect", &E::UnCheckImageRect},
        {"markframerect", &E::MarkFrameRect},
        {"framerect", &E::FrameRect},
        {"frametextrect", &E::FrameTextRect},
        {"frameleftoffset", &E::FrameLeftOffset},
        {"framerightoffset", &E::FrameRightOffset},
        {"gripperrect", &E::GripperRect},
        {"grippertransparent", &E::GripperTransparent},
        {"grippertransparentcolor", &E::GripperTransparentColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinExPanelControl>> TskDataSkinExPanelControl::ReadOrder()
{
    using E = TskDataSkinExPanelControl;
    static const std::array<TskKey<E>, 30> keys{{
        {"rollhskinrect", &E::RollHSkinRect},
        {"rollvskinrect", &E::RollVSkinRect},
        {"rollleftoffset", &E::RollLeftOffset},
        {"rollrightoffset", &E::RollRightOffset},
        {"rolltopoffset", &E::RollTopOffset},
        {"rollbottomoffset", &E::RollBottomOffset},
        {"rollvcaptionrect", &E::RollVCaptionRect},
        {"rollhcaptionrect", &E::RollHCaptionRect},
        {"closebuttonrect", &E::CloseButtonRect},
        {"closebuttonactiverect", &E::CloseButtonActiveRect},
        {"closebuttondownrect", &E::CloseButtonDownRect},
        {"hrollbuttonrect", &E::HRollButtonRect},
        {"hrollbuttonactiverect", &E::HRollButtonActiveRect},
        {"hrollbuttondownrect", &E::HRollButtonDownRect},
        {"hrestorebuttonrect", &E::HRestoreButtonRect},
        {"hrestorebuttonactiverect", &E::HRestoreButtonActiveRect},
        {"hrestorebuttondownrect", &E::HRestoreButtonDownRect},
        {"vrollbuttonrect", &E::VRollButtonRect},
        {"vrollbuttonactiverect", &E::VRollButtonActiveRect},
        {"vrollbuttondownrect", &E::VRollButtonDownRect},
        {"vrestorebuttonrect", &E::VRestoreButtonRect},
        {"vrestorebuttonactiverect", &E::VRestoreButtonActiveRect},
        {"vrestorebuttondownrect", &E::VRestoreButtonDownRect},
        {"captionrect", &E::CaptionRect},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"buttonstransparent", &E::ButtonsTransparent},
        {"buttonstransparentcolor", &E::ButtonsTransparentColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinBevel>> TskDataSkinBevel::ReadOrder()
{
    using E = TskDataSkinBevel;
    static const std::array<TskKey<E>, 2> keys{{
        {"lightcolor", &E::LightColor},
        {"darkcolor", &E::DarkColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinSplitterControl>> TskDataSkinSplitterControl::ReadOrder()
{
    using E = TskDataSkinSplitterControl;
    static const std::array<TskKey<E>, 3> keys{{
        {"gripperrect", &E::GripperRect},
        {"grippertransparent", &E::GripperTransparent},
        {"grippertransparentcolor", &E::GripperTransparentColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinScrollBoxControl>> TskDataSkinScrollBoxControl::ReadOrder()
{
    using E = TskDataSkinScrollBoxControl;
    static const std::array<TskKey<E>, 1> keys{{{"bgpictureindex", &E::BGPictureIndex, -1}}};
    return keys;
}

std::span<const TskKey<TskDataSkinControlBar>> TskDataSkinControlBar::ReadOrder()
{
    using E = TskDataSkinControlBar;
    static const std::array<TskKey<E>, 13> keys{{
        {"itemrect", &E::ItemRect},
        {"bgpictureindex", &E::BGPictureIndex, -1},
        {"hgriprect", &E::HGripRect},
        {"vgriprect", &E::VGripRect},
        {"gripoffset1", &E::GripOffset1},
        {"gripoffset2", &E::GripOffset2},
        {"itemstretcheffect", &E::ItemStretchEffect},
        {"itemoffset1", &E::ItemOffset1, 3},
        {"itemoffset2", &E::ItemOffset2, 3},
        {"itemtransparent", &E::ItemTransparent},
        {"itemtransparentcolor", &E::ItemTransparentColor},
        {"griptransparent", &E::GripTransparent},
        {"griptransparentcolor", &E::GripTransparentColor},
    }};
    return keys;
}

std::span<const std::string_view> TskDataSkinControlBar::WriteOrder()
{
    // The item offsets go out before "itemstretcheffect".
    static const std::array<std::string_view, 13> order{"itemrect",
                                                        "bgpictureindex",
                                                        "hgriprect",
                                                        "vgriprect",
                                                        "gripoffset1",
                                                        "gripoffset2",
                                                        "itemoffset1",
                                                        "itemoffset2",
                                                        "itemstretcheffect",
                                                        "itemtransparent",
                                                        "itemtransparentcolor",
                                                        "griptransparent",
                                                        "griptransparentcolor"};
    return order;
}

} // namespace tovrel
