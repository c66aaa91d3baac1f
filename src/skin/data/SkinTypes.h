#pragma once
// Value types that skin entries carry besides rectangles, points and colours.
#include <cstdint>
#include <string>

#include "platform/rtl/Types.h"
// TAlignment, TFontStyle and TFontStyles are the framework's own, so skin
// entries and the framework's controls meet in one translation unit.
#include "platform/vcl/GraphicsTypes.h"

namespace tovrel {

enum class TskStretchType : std::uint8_t { skstFull, skstHorz, skstVert };

enum class TskMorphKind : std::uint8_t {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

enum class TskInActiveEffect : std::uint8_t { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

enum class TskStdCommand : std::uint8_t {
    cmClose,
    cmMaximize,
    cmMinimize,
    cmSysMenu,
    cmDefault,
    cmRollUp,
    cmMinimizeToTray
};

// Plain font description with the framework's field names, so that a TFont can
// later be assigned from it.
struct TskFontData {
    std::string Name;
    int Height = 0;
    TFontStyles Style;
    TColor Color = 0;
    std::uint8_t Charset = 1;
};

// The font of any entry that has the four font fields.
template <class Entry> TskFontData SkinEntryFont(const Entry& entry)
{
    return TskFontData{entry.FontName, entry.FontHeight, entry.FontStyle, entry.FontColor, 1};
}

} // namespace tovrel
