#include "skin/data/SkinFrameEntries.h"

#include <array>

namespace tovrel {

std::string DefaultRestoreHint(std::string_view hint, TskStdCommand command)
{
    const bool restores = (hint == "Maximize" && command == TskStdCommand::cmMaximize) ||
                          (hint == "Minimize" && command == TskStdCommand::cmMinimize) ||
                          ((hint == "RollUp" || hint == "Roll Up") && command == TskStdCommand::cmRollUp);
    return restores ? "Restore" : "";
}

void TskDataUserObject::LoadFromFile(const TskIniFile& IniFile)
{
    SkinRect = ReadRect(IniFile, IDName, "skinrect");
}

void TskDataUserObject::SaveToFile(TskIniFile& IniFile)
{
    IniFile.EraseSection(IDName);
    WriteRect(IniFile, IDName, "skinrect", SkinRect);
}

std::span<const TskKey<TskDataSkinButton>> TskDataSkinButton::ReadOrder()
{
    using E = TskDataSkinButton;
    static const std::array<TskKey<E>, 2> keys{{
        {"downrect", &E::DownRect},
        // Spelled so in every skin.
        {"disableskinrsect", &E::DisableSkinRect},
    }};
    return keys;
}

std::span<const TskKey<TskDataSkinStdButton>> TskDataSkinStdButton::ReadOrder()
{
    using E = TskDataSkinStdButton;
    static const std::array<TskKey<E>, 6> keys{{
        {"command", &E::Command},
        {"restorerect", &E::RestoreRect},
        {"restoreactiverect", &E::RestoreActiveRect},
        {"restoredownrect", &E::RestoreDownRect},
        {"restoreinactiverect", &E::RestoreInActiveRect},
        {"restorehint", &E::RestoreHint},
    }};
    return keys;
}

void TskDataSkinStdButton::LoadFromFile(const TskIniFile& IniFile)
{
    TskKeyedEntry::LoadFromFile(IniFile);
    if (RestoreHint.empty())
        RestoreHint = DefaultRestoreHint(Hint, Command);
}

std::span<const TskKey<TskDataSkinAnimate>> TskDataSkinAnimate::ReadOrder()
{
    using E = TskDataSkinAnimate;
    static const std::array<TskKey<E>, 11> keys{{
        {"countframes", &E::CountFrames, 1},
        {"cycle", &E::Cycle},
        {"buttonstyle", &E::ButtonStyle},
        {"timerinterval", &E::TimerInterval, 50},
        {"command", &E::Command},
        {"downskinrect", &E::DownSkinRect},
        {"restorerect", &E::RestoreRect},
        {"restoreactiverect", &E::RestoreActiveRect},
        {"restoredownrect", &E::RestoreDownRect},
        {"restoreinactiverect", &E::RestoreInActiveRect},
        {"restorehint", &E::RestoreHint},
    }};
    return keys;
}

void TskDataSkinAnimate::LoadFromFile(const TskIniFile& IniFile)
{
    TskKeyedEntry::LoadFromFile(IniFile);
    // An animation never morphs.
    Morphing = false;
    if (RestoreHint.empty())
        RestoreHint = DefaultRestoreHint(Hint, Command);
}

std::span<const TskKey<TskDataSkinCaption>> TskDataSkinCaption::ReadOrder()
{
    using E = TskDataSkinCaption;
    static const std::array<TskKey<E>, 36> keys{{
        {"textrect", &E::TextRct},
        {"fontname", &E::FontName, "Arial"},
        {"fontheight", &E::FontHeight, 14},
        {"fontstyle", &E::FontStyle},
        {"fontcolor", &E::FontColor},
        {"activefontcolor", &E::ActiveFontColor},
        {"alignment", &E::Alignment},
        {"light", &E::Light},
        {"lightcolor", &E::LightColor},
        {"activelightcolor", &E::ActiveLightColor},
        {"shadow", &E::Shadow},
        {"shadowcolor", &E::ShadowColor},
        {"activeshadowcolor", &E::ActiveShadowColor},
        {"framerect", &E::FrameRect},
        {"activeframerect", &E::ActiveFrameRect},
        {"frametextrect", &E::FrameTextRect},
        {"frameleftoffset", &E::FrameLeftOffset},
        {"framerightoffset", &E::FrameRightOffset},
        {"stretcheffect", &E::StretchEffect},
        {"animateskinrect", &E::AnimateSkinRect},
        {"framecount", &E::FrameCount},
        {"animateinterval", &E::AnimateInterval, 25},
        {"inactiveanimation", &E::InActiveAnimation},
        {"fullframe", &E::FullFrame},
        {"vistagloweffect", &E::VistaGlowEffect},
        {"vistaglowinactiveeffect", &E::VistaGlowInActiveEffect},
        {"gloweffect", &E::GlowEffect},
        {"glowinactiveeffect", &E::GlowInActiveEffect},
        {"glowsize", &E::GlowSize, 3},
        {"glowcolor", &E::GlowColor},
        {"glowactivecolor", &E::GlowActiveColor},
        {"glowoffset", &E::GlowOffset},
        {"reflectioneffect", &E::ReflectionEffect},
        // The two reflection colours are spelled so in every skin.
        {"reflactioncolor", &E::ReflectionColor},
        {"reflactionactivecolor", &E::ReflectionActiveColor},
        {"reflectionoffset", &E::ReflectionOffset},
    }};
    return keys;
}

} // namespace tovrel
