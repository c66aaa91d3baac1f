#pragma once
// The three base classes of named skin entries. Each entry reads and writes one
// INI section named by its IDName.
#include <span>
#include <string>
#include <string_view>

#include "platform/rtl/Types.h"
#include "skin/data/SkinKeys.h"

namespace tovrel {

// Base of every control entry.
class TskDataSkinControl {
public:
    explicit TskDataSkinControl(std::string AIDName) : IDName(std::move(AIDName)) {}
    virtual ~TskDataSkinControl() = default;

    virtual void LoadFromFile(const TskIniFile& IniFile);
    // Erases the section, then writes every key.
    virtual void SaveToFile(TskIniFile& IniFile);

    std::string IDName;
    int PictureIndex = -1;
    int MaskPictureIndex = -1;
    TRect SkinRect;

    static std::span<const TskKey<TskDataSkinControl>> ReadOrder();
};

// Adds the keys of `Self` (its ReadOrder, and its WriteOrder when that differs)
// after those of `Parent`.
template <class Self, class Parent> class TskKeyedEntry : public Parent {
public:
    using Parent::Parent;

    void LoadFromFile(const TskIniFile& IniFile) override
    {
        Parent::LoadFromFile(IniFile);
        ReadSkinKeys(static_cast<Self&>(*this), IniFile, this->IDName, Self::ReadOrder());
    }
    void SaveToFile(TskIniFile& IniFile) override
    {
        Parent::SaveToFile(IniFile);
        WriteSkinKeys(static_cast<const Self&>(*this), IniFile, this->IDName, Self::ReadOrder(), Self::WriteOrder());
    }

    static std::span<const std::string_view> WriteOrder() { return {}; }
};

// Base of the control entries whose image is cut into corners, edges and middle.
class TskDataSkinCustomControl : public TskKeyedEntry<TskDataSkinCustomControl, TskDataSkinControl> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TPoint LTPoint;
    TPoint RTPoint;
    TPoint LBPoint;
    TPoint RBPoint;
    TRect ClRect;
    bool StretchEffect = false;
    TskStretchType StretchType = TskStretchType::skstFull;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;

    static std::span<const TskKey<TskDataSkinCustomControl>> ReadOrder();
};

// Base of every object entry (frame and menu parts).
class TskDataSkinObject {
public:
    explicit TskDataSkinObject(std::string AIDName) : IDName(std::move(AIDName)) {}
    virtual ~TskDataSkinObject() = default;

    virtual void LoadFromFile(const TskIniFile& IniFile);
    // Erases the section, then writes every key.
    virtual void SaveToFile(TskIniFile& IniFile);

    std::string IDName;
    std::string Hint;
    bool SkinRectInAPicture = false;
    TRect SkinRect;
    TRect ActiveSkinRect;
    int ActivePictureIndex = -1;
    int ActiveMaskPictureIndex = -1;
    TRect InActiveSkinRect;
    bool Morphing = false;
    TskMorphKind MorphKind = TskMorphKind::mkDefault;
    int GlowLayerPictureIndex = -1;
    int GlowLayerMaskPictureIndex = -1;
    int GlowLayerOffsetX = 0;
    int GlowLayerOffsetY = 0;
    int GlowLayerAlphaBlendValue = 255;

    static std::span<const TskKey<TskDataSkinObject>> ReadOrder();
};

} // namespace tovrel
