#include "skin/data/SkinScrollEntries.h"

#include <array>

namespace tovrel {

std::span<const TskKey<TskDataSkinScrollBarControl>> TskDataSkinScrollBarControl::ReadOrder()
{
    using E = TskDataSkinScrollBarControl;
    static const std::array<TskKey<E>, 22> keys{{
        {"trackarea", &E::TrackArea},
        {"upbuttonrect", &E::UpButtonRect},
        {"activeupbuttonrect", &E::ActiveUpButtonRect},
        {"downupbuttonrect", &E::DownUpButtonRect},
        {"downbuttonrect", &E::DownButtonRect},
        {"activedownbuttonrect", &E::ActiveDownButtonRect},
        {"downdownbuttonrect", &E::DownDownButtonRect},
        {"thumbrect", &E::ThumbRect},
        {"activethumbrect", &E::ActiveThumbRect},
        {"downthumbrect", &E::DownThumbRect},
        {"thumboffset1", &E::ThumbOffset1},
        {"thumboffset2", &E::ThumbOffset2},
        {"thumbtransparent", &E::ThumbTransparent},
        {"thumbtransparentcolor", &E::ThumbTransparentColor},
        {"thumbstretcheffect", &E::ThumbStretchEffect},
        {"thumbminsize", &E::ThumbMinSize},
        {"thumbminpagesize", &E::ThumbMinPageSize},
        {"glyphrect", &E::GlyphRect},
        {"activeglyphrect", &E::ActiveGlyphRect},
        {"downglyphrect", &E::DownGlyphRect},
        {"glyphtransparent", &E::GlyphTransparent},
        {"glyphtransparentcolor", &E::GlyphTransparentColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinTrackBarControl>> TskDataSkinTrackBarControl::ReadOrder()
{
    using E = TskDataSkinTrackBarControl;
    static const std::array<TskKey<E>, 7> keys{{
        {"activeskinrect", &E::ActiveSkinRect},
        {"trackarea", &E::TrackArea},
        {"buttonrect", &E::ButtonRect},
        {"activebuttonrect", &E::ActiveButtonRect},
        {"vertical", &E::Vertical},
        {"buttontransparent", &E::ButtonTransparent},
        {"buttontransparentcolor", &E::ButtonTransparentColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinSlider>> TskDataSkinSlider::ReadOrder()
{
    using E = TskDataSkinSlider;
    static const std::array<TskKey<E>, 7> keys{{
        {"bgcolor", &E::BGColor},
        {"hrulerrect", &E::HRulerRect},
        {"hthumbrect", &E::HThumbRect},
        {"vrulerrect", &E::VRulerRect},
        {"vthumbrect", &E::VThumbRect},
        {"edgesize", &E::EdgeSize},
        {"pointscolor", &E::PointsColor},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinGaugeControl>> TskDataSkinGaugeControl::ReadOrder()
{
    using E = TskDataSkinGaugeControl;
    static const std::array<TskKey<E>, 20> keys{{
        {"progressarea", &E::ProgressArea},
        {"progressrect", &E::ProgressRect},
        {"beginoffset", &E::BeginOffset},
        {"endoffset", &E::EndOffset},
        {"vertical", &E::Vertical},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"progresstransparent", &E::ProgressTransparent},
        {"progresstransparentcolor", &E::ProgressTransparentColor},
        {"progressstretch", &E::ProgressStretch},
        {"animationskinrect", &E::AnimationSkinRect},
        {"animationcountframes", &E::AnimationCountFrames},
        {"animationtimerinterval", &E::AnimationTimerInterval},
        {"progressanimationskinrect", &E::ProgressAnimationSkinRect},
        {"progressanimationcountframes", &E::ProgressAnimationCountFrames},
        {"progressanimationtimerinterval", &E::ProgressAnimationTimerInterval},
        {"animationbeginoffset", &E::AnimationBeginOffset},
        {"animationendoffset", &E::AnimationEndOffset},
    }};
    return keys;
}

} // namespace tovrel
