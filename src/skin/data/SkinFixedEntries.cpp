#include "skin/data/SkinFixedEntries.h"

#include <array>

namespace tovrel {
namespace {

template <class E> void LoadFixedEntry(E& entry, const TskIniFile& ini)
{
    ReadSkinKeys(entry, ini, E::Section, E::ReadOrder());
}

template <class E> void SaveFixedEntry(const E& entry, TskIniFile& ini)
{
    ini.EraseSection(E::Section);
    WriteSkinKeys(entry, ini, E::Section, E::ReadOrder());
}

} // namespace

std::span<const TskKey<TskDataSkinPopupWindow>> TskDataSkinPopupWindow::ReadOrder()
{
    using E = TskDataSkinPopupWindow;
    static const std::array<TskKey<E>, 15> keys{{
        {"windowpictureindex", &E::WindowPictureIndex, -1},
        {"maskpictureindex", &E::MaskPictureIndex, -1},
        {"lefttoppoint", &E::LTPoint},
        {"righttoppoint", &E::RTPoint},
        {"leftbottompoint", &E::LBPoint},
        {"rightbottompoint", &E::RBPoint},
        {"itemsrect", &E::ItemsRect},
        {"scrollmarkercolor", &E::ScrollMarkerColor},
        {"scrollmarkeractivecolor", &E::ScrollMarkerActiveColor},
        {"leftstretch", &E::LeftStretch},
        {"rightstretch", &E::RightStretch},
        {"topstretch", &E::TopStretch},
        {"bottomstretch", &E::BottomStretch},
        {"stretcheffect", &E::StretchEffect},
        {"stretchtype", &E::StretchType},
    }};
    return keys;
}

void TskDataSkinPopupWindow::LoadFromFile(const TskIniFile& IniFile)
{
    LoadFixedEntry(*this, IniFile);
}
void TskDataSkinPopupWindow::SaveToFile(TskIniFile& IniFile) const
{
    SaveFixedEntry(*this, IniFile);
}

std::span<const TskKey<TskDataSkinLayerFrame>> TskDataSkinLayerFrame::ReadOrder()
{
    using E = TskDataSkinLayerFrame;
    static const std::array<TskKey<E>, 13> keys{{
        {"pictureindex", &E::PictureIndex, -1},
        {"maskpictureindex", &E::MaskPictureIndex, -1},
        {"inactivepictureindex", &E::InActivePictureIndex, -1},
        {"inactivemaskpictureindex", &E::InActiveMaskPictureIndex, -1},
        {"lefttoppoint", &E::LTPoint},
        {"righttoppoint", &E::RTPoint},
        {"leftbottompoint", &E::LBPoint},
        {"rightbottompoint", &E::RBPoint},
        {"clientrect", &E::ClRect},
        {"alphablendvalue", &E::AlphaBlendValue, 255},
        {"inactivealphablendvalue", &E::InActiveAlphaBlendValue, 255},
        {"borderrect", &E::BorderRect},
        {"hittestenable", &E::HitTestEnable},
    }};
    return keys;
}

void TskDataSkinLayerFrame::LoadFromFile(const TskIniFile& IniFile)
{
    LoadFixedEntry(*this, IniFile);
}
void TskDataSkinLayerFrame::SaveToFile(TskIniFile& IniFile) const
{
    SaveFixedEntry(*this, IniFile);
}

std::span<const TskKey<TskDataSkinHintWindow>> TskDataSkinHintWindow::ReadOrder()
{
    using E = TskDataSkinHintWindow;
    static const std::array<TskKey<E>, 17> keys{{
        {"windowpictureindex", &E::WindowPictureIndex, -1},
        {"maskpictureindex", &E::MaskPictureIndex, -1},
        {"lefttoppoint", &E::LTPoint},
        {"righttoppoint", &E::RTPoint},
        {"leftbottompoint", &E::LBPoint},
        {"rightbottompoint", &E::RBPoint},
        {"clientrect", &E::ClRect},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"leftstretch", &E::LeftStretch},
        {"rightstretch", &E::RightStretch},
        {"topstretch", &E::TopStretch},
        {"bottomstretch", &E::BottomStretch},
        {"stretcheffect", &E::StretchEffect},
        {"stretchtype", &E::StretchType},
    }};
    return keys;
}

void TskDataSkinHintWindow::LoadFromFile(const TskIniFile& IniFile)
{
    LoadFixedEntry(*this, IniFile);
}
void TskDataSkinHintWindow::SaveToFile(TskIniFile& IniFile) const
{
    SaveFixedEntry(*this, IniFile);
}

std::span<const TskKey<TskSkinColors>> TskSkinColors::ReadOrder()
{
    using E = TskSkinColors;
    static const std::array<TskKey<E>, 8> keys{{
        {"cbtnface", &E::FcBtnFace, SkinSystemColor(15)},
        {"cbtntext", &E::FcBtnText, SkinSystemColor(18)},
        {"cwindow", &E::FcWindow, SkinSystemColor(5)},
        {"cwindowtext", &E::FcWindowText, SkinSystemColor(8)},
        {"chighlight", &E::FcHighLight, SkinSystemColor(13)},
        {"chighlighttext", &E::FcHighLightText, SkinSystemColor(14)},
        {"cbtnhighlight", &E::FcBtnHighLight, SkinSystemColor(20)},
        {"cbtnshadow", &E::FcBtnShadow, SkinSystemColor(16)},
    }};
    return keys;
}

void TskSkinColors::LoadFromFile(const TskIniFile& IniFile)
{
    LoadFixedEntry(*this, IniFile);
}

void TskSkinColors::SaveToFile(TskIniFile& IniFile) const
{
    WriteSkinKeys(*this, IniFile, Section, ReadOrder());
}

void TskSkinColors::SetColorsToDefault()
{
    for (const TskKey<TskSkinColors>& key : ReadOrder())
        this->*std::get<TColor TskSkinColors::*>(key.Member) = key.IntDefault;
}

} // namespace tovrel
