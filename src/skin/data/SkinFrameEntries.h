#pragma once
// Object entries of a skinned form's frame: user objects, caption buttons,
// standard caption buttons, main menu bar buttons, animations and the caption.
#include "skin/data/SkinEntry.h"

namespace tovrel {

// Only a named rectangle: reads and writes "skinrect" alone.
class TskDataUserObject : public TskDataSkinObject {
public:
    using TskDataSkinObject::TskDataSkinObject;

    void LoadFromFile(const TskIniFile& IniFile) override;
    void SaveToFile(TskIniFile& IniFile) override;
};

class TskDataSkinButton : public TskKeyedEntry<TskDataSkinButton, TskDataSkinObject> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    TRect DownRect;
    TRect DisableSkinRect;

    static std::span<const TskKey<TskDataSkinButton>> ReadOrder();
};

class TskDataSkinStdButton : public TskKeyedEntry<TskDataSkinStdButton, TskDataSkinButton> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    void LoadFromFile(const TskIniFile& IniFile) override;

    TskStdCommand Command = TskStdCommand::cmClose;
    std::string RestoreHint;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;

    static std::span<const TskKey<TskDataSkinStdButton>> ReadOrder();
};

// The buttons the main menu bar shows for a maximized child window.
class TskDataSkinMainMenuBarButton : public TskDataSkinStdButton {
public:
    using TskDataSkinStdButton::TskDataSkinStdButton;
};

class TskDataSkinAnimate : public TskKeyedEntry<TskDataSkinAnimate, TskDataSkinObject> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    void LoadFromFile(const TskIniFile& IniFile) override;

    int CountFrames = 0;
    bool Cycle = false;
    bool ButtonStyle = false;
    int TimerInterval = 0;
    TskStdCommand Command = TskStdCommand::cmClose;
    TRect DownSkinRect;
    std::string RestoreHint;
    TRect RestoreRect;
    TRect RestoreActiveRect;
    TRect RestoreDownRect;
    TRect RestoreInActiveRect;

    static std::span<const TskKey<TskDataSkinAnimate>> ReadOrder();
};

class TskDataSkinCaption : public TskKeyedEntry<TskDataSkinCaption, TskDataSkinObject> {
public:
    using TskKeyedEntry::TskKeyedEntry;

    std::string FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TColor FontColor = 0;
    TColor ActiveFontColor = 0;
    TColor ShadowColor = 0;
    TColor ActiveShadowColor = 0;
    bool Shadow = false;
    TAlignment Alignment = TAlignment::taLeftJustify;
    TRect TextRct;
    TRect FrameRect;
    TRect ActiveFrameRect;
    int FrameLeftOffset = 0;
    int FrameRightOffset = 0;
    TRect FrameTextRect;
    bool Light = false;
    TColor LightColor = 0;
    TColor ActiveLightColor = 0;
    bool StretchEffect = false;
    TRect AnimateSkinRect;
    int FrameCount = 0;
    int AnimateInterval = 0;
    bool InActiveAnimation = false;
    bool FullFrame = false;
    bool GlowEffect = false;
    bool VistaGlowEffect = false;
    bool VistaGlowInActiveEffect = false;
    bool GlowInActiveEffect = false;
    int GlowSize = 0;
    TColor GlowColor = 0;
    TColor GlowActiveColor = 0;
    int GlowOffset = 0;
    bool ReflectionEffect = false;
    TColor ReflectionColor = 0;
    TColor ReflectionActiveColor = 0;
    int ReflectionOffset = 0;

    static std::span<const TskKey<TskDataSkinCaption>> ReadOrder();
};

// "Restore" when the button's hint and command name a state it restores from.
std::string DefaultRestoreHint(std::string_view hint, TskStdCommand command);

} // namespace tovrel
