#pragma once
// Value types that skin entries carry besides rectangles, points and colours.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/rtl/Types.h"

namespace tovrel {

enum class TskStretchType : std::uint8_t { skstFull, skstHorz, skstVert };

enum class TskMorphKind : std::uint8_t {
    mkDefault, mkGradient, mkLeftGradient, mkRightGradient, mkLeftSlide, mkRightSlide, mkPush
};

enum class TskInActiveEffect : std::uint8_t {
    ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert
};

// The component framework's text alignment, in its order. Moves to platform/vcl
// when the framework's controls arrive there.
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum class TskStdCommand : std::uint8_t {
    cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray
};

enum class TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };

// Set of font styles, as the framework's TFontStyles.
class TFontStyles {
public:
    constexpr TFontStyles() = default;
    constexpr TFontStyles(std::initializer_list<TFontStyle> styles)
    {
        for (TFontStyle style : styles)
            Include(style);
    }
    constexpr bool Contains(TFontStyle style) const { return (bits_ & Bit(style)) != 0; }
    constexpr void Include(TFontStyle style) { bits_ = std::uint8_t(bits_ | Bit(style)); }
    constexpr bool Empty() const { return bits_ == 0; }
    friend constexpr bool operator==(TFontStyles, TFontStyles) = default;

private:
    static constexpr std::uint8_t Bit(TFontStyle style) { return std::uint8_t(1u << unsigned(style)); }
    std::uint8_t bits_ = 0;
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
template <class Entry>
TskFontData SkinEntryFont(const Entry& entry)
{
    return TskFontData{entry.FontName, entry.FontHeight, entry.FontStyle, entry.FontColor, 1};
}

} // namespace tovrel
