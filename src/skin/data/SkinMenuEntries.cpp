#include "skin/data/SkinMenuEntries.h"

#include <array>

namespace tovrel {

std::span<const TskKey<TskDataSkinMenuItem>> TskDataSkinMenuItem::ReadOrder()
{
    using E = TskDataSkinMenuItem;
    static const std::array<TskKey<E>, 30> keys{{
        {"itemleftoffset", &E::ItemLO},
        {"itemrightoffset", &E::ItemRO},
        {"dividerrect", &E::DividerRect},
        {"dividerleftoffset", &E::DividerLO},
        {"dividerrightoffset", &E::DividerRO},
        {"textrect", &E::TextRct},
        {"imagerect", &E::ImageRct},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"unenabledfontcolor", &E::UnEnabledFontColor},
        {"stretcheffect", &E::StretchEffect},
        {"inactivestretcheffect", &E::InActiveStretchEffect},
        {"dividerstretcheffect", &E::DividerStretchEffect},
        {"animateskinrect", &E::AnimateSkinRect},
        {"framecount", &E::FrameCount},
        {"animateinterval", &E::AnimateInterval, 25},
        {"inactiveanimation", &E::InActiveAnimation},
        {"useimagecolor", &E::UseImageColor},
        {"imagecolor", &E::ImageColor},
        {"activeimagecolor", &E::ActiveImageColor},
        {"inactivetransparent", &E::InActiveTransparent},
        {"checkimagerect", &E::CheckImageRect},
        {"activecheckimagerect", &E::ActiveCheckImageRect},
        {"radioimagerect", &E::RadioImageRect},
        {"activeradioimagerect", &E::ActiveRadioImageRect},
        {"arrowimagerect", &E::ArrowImageRect},
        {"activearrowimagerect", &E::ActiveArrowImageRect},
    }};
    return keys;
}

void TskDataSkinMenuItem::LoadFromFile(const TskIniFile& IniFile)
{
    TskKeyedEntry::LoadFromFile(IniFile);
    for (auto [active, normal] :
         {std::pair{&ActiveCheckImageRect, &CheckImageRect}, std::pair{&ActiveRadioImageRect, &RadioImageRect},
          std::pair{&ActiveArrowImageRect, &ArrowImageRect}})
        if (active->IsEmpty())
            *active = *normal;
}

std::span<const TskKey<TskDataSkinMainMenuItem>> TskDataSkinMainMenuItem::ReadOrder()
{
    using E = TskDataSkinMainMenuItem;
    static const std::array<TskKey<E>, 16> keys{{
        {"itemleftoffset", &E::ItemLO},
        {"itemrightoffset", &E::ItemRO},
        {"downrect", &E::DownRect},
        {"textrect", &E::TextRct},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"downfontcolor", &E::DownFontColor},
        // Spelled with a capital C; key names compare without case.
        {"unenabledfontColor", &E::UnEnabledFontColor},
        {"stretcheffect", &E::StretchEffect},
        {"animateskinrect", &E::AnimateSkinRect},
        {"framecount", &E::FrameCount},
        {"animateinterval", &E::AnimateInterval, 25},
        {"inactiveanimation", &E::InActiveAnimation},
    }};
    return keys;
}

} // namespace tovrel
