#include "skin/data/SkinDescription.h"

#include <algorithm>
#include <array>

#include "skin/data/SkinGeometry.h"

namespace tovrel {

bool CheckSkinFile(const TskIniFile& IniFile)
{
    static constexpr std::array<std::string_view, 5> required{"VERSION", "PICTURES", "FORMINFO", "SKINOBJECTS",
                                                              "SKINCONTROLS"};
    return std::all_of(required.begin(), required.end(),
                       [&](std::string_view section) { return IniFile.SectionExists(section); });
}

std::span<const TskKey<TskSkinVersionInfo>> TskSkinVersionInfo::ReadOrder()
{
    using E = TskSkinVersionInfo;
    static const std::array<TskKey<E>, 5> keys{{
        {"skinname", &E::SkinName},
        {"skinauthor", &E::SkinAuthor},
        {"authoremail", &E::AuthorEmail},
        {"authorurl", &E::AuthorURL},
        {"skincomments", &E::SkinComments},
    }};
    return keys;
}

void TskSkinVersionInfo::LoadFromFile(const TskIniFile& IniFile)
{
    ReadSkinKeys(*this, IniFile, Section, ReadOrder());
}

void TskSkinVersionInfo::SaveToFile(TskIniFile& IniFile) const
{
    IniFile.EraseSection(Section);
    IniFile.WriteInteger(Section, "ver", 1);
    WriteSkinKeys(*this, IniFile, Section, ReadOrder());
}

std::span<const TskKey<TskSkinPictureNames>> TskSkinPictureNames::ReadOrder()
{
    using E = TskSkinPictureNames;
    static const std::array<TskKey<E>, 3> keys{{
        {"picture", &E::PictureName},
        {"inactivepicture", &E::InActivePictureName},
        {"mask", &E::MaskName},
    }};
    return keys;
}

void TskSkinPictureNames::LoadFromFile(const TskIniFile& IniFile)
{
    ReadSkinKeys(*this, IniFile, Section, ReadOrder());
    ActivePicturesNames.clear();
    ReadStrings(IniFile, Section, "activepictures", ActivePicturesNames);
}

void TskSkinPictureNames::SaveToFile(TskIniFile& IniFile) const
{
    IniFile.EraseSection(Section);
    WriteSkinKeys(*this, IniFile, Section, ReadOrder());
    WriteStrings(IniFile, Section, "activepictures", ActivePicturesNames);
}

std::span<const TskKey<TskFormInfo>> TskFormInfo::ReadOrder()
{
    using E = TskFormInfo;
    static const std::array<TskKey<E>, 31> keys{{
        {"lefttoppoint", &E::LTPoint},
        {"righttoppoint", &E::RTPoint},
        {"leftbottompoint", &E::LBPoint},
        {"rightbottompoint", &E::RBPoint},
        {"clientrect", &E::ClRect},
        {"bgpictureindex", &E::BGPictureIndex, -1},
        {"mdibgpictureindex", &E::MDIBGPictureIndex, -1},
        {"leftstretch", &E::LeftStretch},
        {"rightstretch", &E::RightStretch},
        {"topstretch", &E::TopStretch},
        {"bottomstretch", &E::BottomStretch},
        {"stretcheffect", &E::StretchEffect},
        {"stretchtype", &E::StretchType},
        {"mdibgstretcheffect", &E::MDIBGStretchEffect},
        {"mdibgstretchtype", &E::MDIBGStretchType},
        {"maskrectarea", &E::MaskRectArea},
        {"hittestlefttoppoint", &E::HitTestLTPoint},
        {"hittestrighttoppoint", &E::HitTestRTPoint},
        {"hittestleftbottompoint", &E::HitTestLBPoint},
        {"hittestrightbottompoint", &E::HitTestRBPoint},
        {"buttonsrect", &E::ButtonsRect},
        {"captionrect", &E::CaptionRect},
        {"buttonsoffset", &E::ButtonsOffset},
        {"buttonsinleft", &E::CapButtonsInLeft},
        {"mainmenupopupup", &E::MainMenuPopupUp},
        {"borderwidth", &E::BorderW},
        {"autorenderinginactiveimage", &E::AutoRenderingInActiveImage},
        {"inactiveeffect", &E::InActiveEffect},
        {"formminwidth", &E::FormMinWidth},
        {"mditabstransparent", &E::MDITabsTransparent},
        {"mainmenubartransparent", &E::MainMenuBarTransparent},
    }};
    return keys;
}

void TskFormInfo::LoadFromFile(const TskIniFile& IniFile, bool hasMask)
{
    ReadSkinKeys(*this, IniFile, Section, ReadOrder());
    if (hasMask) {
        if (IsNullRect(MaskRectArea))
            MaskRectArea = ClRect;
        else
            MaskRectArea =
                TRect{std::min(MaskRectArea.Left, ClRect.Left), std::min(MaskRectArea.Top, ClRect.Top),
                      std::max(MaskRectArea.Right, ClRect.Right), std::max(MaskRectArea.Bottom, ClRect.Bottom)};
        for (auto [hitTest, corner] : {std::pair{&HitTestLTPoint, LTPoint}, std::pair{&HitTestRTPoint, RTPoint},
                                       std::pair{&HitTestLBPoint, LBPoint}, std::pair{&HitTestRBPoint, RBPoint}})
            if (IsNullPoint(*hitTest))
                *hitTest = corner;
    }
    if (RBPoint.X != LTPoint.X && RBPoint.Y != LTPoint.Y) {
        LTPoint.X = std::max(LTPoint.X, ClRect.Left);
        LBPoint.X = std::max(LBPoint.X, ClRect.Left);
        LTPoint.Y = std::max(LTPoint.Y, ClRect.Top);
        RTPoint.Y = std::max(RTPoint.Y, ClRect.Top);
        RTPoint.X = std::min(RTPoint.X, ClRect.Right);
        RBPoint.X = std::min(RBPoint.X, ClRect.Right);
        LBPoint.Y = std::min(LBPoint.Y, ClRect.Bottom);
        RBPoint.Y = std::min(RBPoint.Y, ClRect.Bottom);
    }
}

void TskFormInfo::SaveToFile(TskIniFile& IniFile) const
{
    IniFile.EraseSection(Section);
    WriteSkinKeys(*this, IniFile, Section, ReadOrder());
}

} // namespace tovrel
