#include "skin/data/SkinButtonEntries.h"

#include <array>

namespace tovrel {

std::span<const TskKey<TskDataSkinButtonControl>> TskDataSkinButtonControl::ReadOrder()
{
    using E = TskDataSkinButtonControl;
    static const std::array<TskKey<E>, 31> keys{{
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"downfontcolor", &E::DownFontColor},
        {"disabledfontcolor", &E::DisabledFontColor},
        {"activeskinrect", &E::ActiveSkinRect},
        {"downskinrect", &E::DownSkinRect},
        {"focusedskinrect", &E::FocusedSkinRect},
        {"disabledskinrect", &E::DisabledSkinRect},
        {"morphing", &E::Morphing},
        {"morphkind", &E::MorphKind},
        {"animateskinrect", &E::AnimateSkinRect},
        {"framecount", &E::FrameCount},
        {"animateinterval", &E::AnimateInterval, 25},
        {"showfocus", &E::ShowFocus},
        {"menumarkerflatrect", &E::MenuMarkerFlatRect},
        {"menumarkerrect", &E::MenuMarkerRect},
        {"menumarkeractiverect", &E::MenuMarkerActiveRect},
        {"menumarkerdownrect", &E::MenuMarkerDownRect},
        {"menumarkertransparentcolor", &E::MenuMarkerTransparentColor},
        {"glowlayerpictureindex", &E::GlowLayerPictureIndex, -1},
        {"glowlayermaskpictureindex", &E::GlowLayerMaskPictureIndex, -1},
        {"glowlayeroffsetleft", &E::GlowLayerOffsetLeft},
        {"glowlayeroffsettop", &E::GlowLayerOffsetTop},
        {"glowlayeroffsetright", &E::GlowLayerOffsetRight},
        {"glowlayeroffsetbottom", &E::GlowLayerOffsetBottom},
        {"glowlayershowoffsetx", &E::GlowLayerShowOffsetX},
        {"glowlayershowoffsety", &E::GlowLayerShowOffsetY},
        {"glowlayeralphablendvalue", &E::GlowLayerAlphaBlendValue, 255},
    }};
    return keys;
}

std::span<const std::string_view> TskDataSkinButtonControl::WriteOrder()
{
    // The glow offsets go out as left, right, top, bottom.
    static const std::array<std::string_view, 31> order{"fontname",
                                                        "fontheight",
                                                        "fontstyle",
                                                        "fontcolor",
                                                        "activefontcolor",
                                                        "downfontcolor",
                                                        "disabledfontcolor",
                                                        "activeskinrect",
                                                        "downskinrect",
                                                        "focusedskinrect",
                                                        "disabledskinrect",
                                                        "morphing",
                                                        "morphkind",
                                                        "animateskinrect",
                                                        "framecount",
                                                        "animateinterval",
                                                        "showfocus",
                                                        "menumarkerflatrect",
                                                        "menumarkerrect",
                                                        "menumarkeractiverect",
                                                        "menumarkerdownrect",
                                                        "menumarkertransparentcolor",
                                                        "glowlayerpictureindex",
                                                        "glowlayermaskpictureindex",
                                                        "glowlayeroffsetleft",
                                                        "glowlayeroffsetright",
                                                        "glowlayeroffsettop",
                                                        "glowlayeroffsetbottom",
                                                        "glowlayershowoffsetx",
                                                        "glowlayershowoffsety",
                                                        "glowlayeralphablendvalue"};
    return order;
}

std::span<const TskKey<TskDataSkinMenuButtonControl>> TskDataSkinMenuButtonControl::ReadOrder()
{
    using E = TskDataSkinMenuButtonControl;
    static const std::array<TskKey<E>, 1> keys{{{"trackbuttonrect", &E::TrackButtonRect}}};
    return keys;
}

std::span<const TskKey<TskDataSkinCheckRadioControl>> TskDataSkinCheckRadioControl::ReadOrder()
{
    using E = TskDataSkinCheckRadioControl;
    static const std::array<TskKey<E>, 20> keys{{
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"unenabledfontcolor", &E::UnEnabledFontColor},
        {"framefontcolor", &E::FrameFontColor},
        {"activeskinrect", &E::ActiveSkinRect},
        {"checkimagearea", &E::CheckImageArea},
        {"textarea", &E::TextArea},
        {"checkimagerect", &E::CheckImageRect},
        {"uncheckimagerect", &E::UnCheckImageRect},
        {"activecheckimagerect", &E::ActiveCheckImageRect},
        {"activeuncheckimagerect", &E::ActiveUnCheckImageRect},
        {"unenabledcheckimagerect", &E::UnEnabledCheckImageRect},
        {"unenableduncheckimagerect", &E::UnEnabledUnCheckImageRect},
        {"grayedcheckimagerect", &E::GrayedCheckImageRect},
        {"activegrayedcheckimagerect", &E::ActiveGrayedCheckImageRect},
        {"morphing", &E::Morphing},
        {"morphkind", &E::MorphKind},
    }};
    return keys;
}

std::span<const std::string_view> TskDataSkinCheckRadioControl::WriteOrder()
{
    // "framefontcolor" goes out directly after "fontcolor".
    static const std::array<std::string_view, 20> order{"fontname",
                                                        "fontheight",
                                                        "fontstyle",
                                                        "fontcolor",
                                                        "framefontcolor",
                                                        "activefontcolor",
                                                        "unenabledfontcolor",
                                                        "activeskinrect",
                                                        "checkimagearea",
                                                        "textarea",
                                                        "checkimagerect",
                                                        "uncheckimagerect",
                                                        "activecheckimagerect",
                                                        "activeuncheckimagerect",
                                                        "unenabledcheckimagerect",
                                                        "unenableduncheckimagerect",
                                                        "grayedcheckimagerect",
                                                        "activegrayedcheckimagerect",
                                                        "morphing",
                                                        "morphkind"};
    return order;
}

std::span<const TskKey<TskDataSkinLabelControl>> TskDataSkinLabelControl::ReadOrder()
{
    using E = TskDataSkinLabelControl;
    static const std::array<TskKey<E>, 4> keys{{
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinStdLabelControl>> TskDataSkinStdLabelControl::ReadOrder()
{
    using E = TskDataSkinStdLabelControl;
    static const std::array<TskKey<E>, 5> keys{{
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor, 16711680},
    }};
    return keys;
}

} // namespace tovrel
