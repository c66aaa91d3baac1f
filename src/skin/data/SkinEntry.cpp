#include "skin/data/SkinEntry.h"

#include <array>

namespace tovrel {

std::span<const TskKey<TskDataSkinControl>> TskDataSkinControl::ReadOrder()
{
    using E = TskDataSkinControl;
    static const std::array<TskKey<E>, 3> keys{{
        {"pictureindex", &E::PictureIndex, -1},
        {"maskpictureindex", &E::MaskPictureIndex, -1},
        {"skinrect", &E::SkinRect},
    }};
    return keys;
}

void TskDataSkinControl::LoadFromFile(const TskIniFile& IniFile)
{
    ReadSkinKeys(*this, IniFile, IDName, ReadOrder());
}

void TskDataSkinControl::SaveToFile(TskIniFile& IniFile)
{
    IniFile.EraseSection(IDName);
    WriteSkinKeys(*this, IniFile, IDName, ReadOrder());
}

std::span<const TskKey<TskDataSkinCustomControl>> TskDataSkinCustomControl::ReadOrder()
{
    using E = TskDataSkinCustomControl;
    static const std::array<TskKey<E>, 11> keys{{
        {"lefttoppoint", &E::LTPoint},
        {"righttoppoint", &E::RTPoint},
        {"leftbottompoint", &E::LBPoint},
        {"rightbottompoint", &E::RBPoint},
        {"clientrect", &E::ClRect},
        {"leftstretch", &E::LeftStretch},
        {"topstretch", &E::TopStretch},
        {"rightstretch", &E::RightStretch},
        {"bottomstretch", &E::BottomStretch},
        {"stretcheffect", &E::StretchEffect},
        {"stretchtype", &E::StretchType},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinObject>> TskDataSkinObject::ReadOrder()
{
    using E = TskDataSkinObject;
    static const std::array<TskKey<E>, 14> keys{{
        {"hint", &E::Hint},
        {"activepictureindex", &E::ActivePictureIndex, -1},
        {"activemaskpictureindex", &E::ActiveMaskPictureIndex, -1},
        {"skinrectinapicture", &E::SkinRectInAPicture},
        {"skinrect", &E::SkinRect},
        {"activeskinrect", &E::ActiveSkinRect},
        {"inactiveskinrect", &E::InActiveSkinRect},
        {"morphing", &E::Morphing},
        {"morphkind", &E::MorphKind},
        {"glowlayerpictureindex", &E::GlowLayerPictureIndex, -1},
        {"glowlayermaskpictureindex", &E::GlowLayerMaskPictureIndex, -1},
        {"glowlayeroffsetx", &E::GlowLayerOffsetX},
        {"glowlayeroffsety", &E::GlowLayerOffsetY},
        {"glowlayeralphablendvalue", &E::GlowLayerAlphaBlendValue, 255},
    }};
    return keys;
}

void TskDataSkinObject::LoadFromFile(const TskIniFile& IniFile)
{
    ReadSkinKeys(*this, IniFile, IDName, ReadOrder());
}

void TskDataSkinObject::SaveToFile(TskIniFile& IniFile)
{
    IniFile.EraseSection(IDName);
    WriteSkinKeys(*this, IniFile, IDName, ReadOrder());
}

} // namespace tovrel
