#include "skin/data/SkinValues.h"

#include <array>

#include "platform/rtl/Numbers.h"

namespace tovrel {
namespace {

// Keyword table of an enumeration: its words in enumeration order, the word a
// missing key stands for, and the value of a word outside the table.
template <class Enum, std::size_t N> struct Keywords {
    std::array<std::string_view, N> Words;
    std::string_view MissingWord;
    Enum Unknown;

    Enum Parse(std::string_view word) const
    {
        for (std::size_t i = 0; i < N; ++i)
            if (Words[i] == word)
                return Enum(i);
        return Unknown;
    }
    std::string_view WordOf(Enum value) const
    {
        const auto i = std::size_t(value);
        return i < N ? Words[i] : MissingWord;
    }
};

constexpr Keywords<TskStretchType, 3> kStretchTypes{{"stfull", "sthorz", "stvert"}, "stfull", TskStretchType::skstHorz};
constexpr Keywords<TskMorphKind, 7> kMorphKinds{
    {"mkdefault", "mkgradient", "mkleftgradient", "mkrightgradient", "mkleftslide", "mkrightslide", "mkpush"},
    "mkdefault",
    TskMorphKind::mkDefault};
constexpr Keywords<TskInActiveEffect, 6> kInActiveEffects{
    {"iebrightness", "iedarkness", "iegrayscale", "ienoise", "iesplitblur", "ieinvert"},
    "iebrightness",
    TskInActiveEffect::ieGrayScale};
constexpr Keywords<TAlignment, 3> kAlignments{
    {"taleftjustify", "tarightjustify", "tacenter"}, "tacenter", TAlignment::taRightJustify};
// Only the first six words are tested; every other word, the seventh among them,
// is the last command.
constexpr Keywords<TskStdCommand, 7> kStdCommands{
    {"cmclose", "cmmaximize", "cmminimize", "cmsysmenu", "cmdefault", "cmrollup", "cmminimizetotray"},
    "cmdefault",
    TskStdCommand::cmMinimizeToTray};

constexpr std::array<std::pair<TFontStyle, std::string_view>, 4> kFontStyleNames{{
    {TFontStyle::fsBold, "fsbold"},
    {TFontStyle::fsItalic, "fsitalic"},
    {TFontStyle::fsUnderline, "fsunderline"},
    {TFontStyle::fsStrikeOut, "fsstrikeout"},
}};

// Skin lists are a handful of picture names; a count beyond this cannot come
// from a real skin and would only exhaust memory with empty names.
constexpr int kMaxStringListItems = 65536;

template <class Enum, std::size_t N>
Enum ReadKeyword(const TskIniFile& ini, std::string_view section, std::string_view key,
                 const Keywords<Enum, N>& keywords)
{
    return keywords.Parse(ini.ReadString(section, key, keywords.MissingWord));
}

// Splits at commas and converts each of the first `count` fields after dropping
// every character but the digits.
template <std::size_t Count> std::array<int, Count> ParseDigitFields(std::string_view text)
{
    std::array<int, Count> values{};
    for (std::size_t i = 0; i < Count; ++i) {
        const auto comma = text.find(',');
        const std::string_view field = text.substr(0, comma);
        std::string digits;
        for (char c : field)
            if (c >= '0' && c <= '9')
                digits += c;
        values[i] = StrToInt(digits);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return values;
}

} // namespace

TRect StrToRect(std::string_view text)
{
    const auto v = ParseDigitFields<4>(text);
    return TRect{v[0], v[1], v[2], v[3]};
}

TPoint StrToPoint(std::string_view text)
{
    const auto v = ParseDigitFields<2>(text);
    return TPoint{v[0], v[1]};
}

std::string RectToStr(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

std::string PointToStr(const TPoint& p)
{
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

TRect ReadRect(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return StrToRect(ini.ReadString(section, key, "0,0,0,0"));
}

TPoint ReadPoint(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return StrToPoint(ini.ReadString(section, key, "0,0"));
}

bool ReadBoolean(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return ini.ReadInteger(section, key, 0) == 1;
}

TFontStyles ReadFontStyles(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    const std::string text = ini.ReadString(section, key, "");
    TFontStyles styles;
    for (const auto& [style, name] : kFontStyleNames)
        if (text.find(name) != std::string::npos)
            styles.Include(style);
    return styles;
}

void ReadStrings(const TskIniFile& ini, std::string_view section, std::string_view listName,
                 std::vector<std::string>& list)
{
    const std::string countKey = std::string(listName) + "count";
    const int count = ini.ReadInteger(section, countKey, 0);
    if (count > kMaxStringListItems)
        throw ESkinListError("The list \"" + countKey + "\" of section [" + std::string(section) + "] claims " +
                             std::to_string(count) + " items");
    for (int i = 0; i < count; ++i)
        list.push_back(ini.ReadString(section, std::to_string(i), ""));
}

TskStretchType ReadStretchType(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return ReadKeyword(ini, section, key, kStretchTypes);
}

TskMorphKind ReadMorphKind(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return ReadKeyword(ini, section, key, kMorphKinds);
}

TskInActiveEffect ReadInActiveEffect(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return ReadKeyword(ini, section, key, kInActiveEffects);
}

TAlignment ReadAlignment(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return ReadKeyword(ini, section, key, kAlignments);
}

TskStdCommand ReadStdCommand(const TskIniFile& ini, std::string_view section, std::string_view key)
{
    return ReadKeyword(ini, section, key, kStdCommands);
}

void WriteRect(TskIniFile& ini, std::string_view section, std::string_view key, const TRect& value)
{
    ini.WriteString(section, key, RectToStr(value));
}

void WritePoint(TskIniFile& ini, std::string_view section, std::string_view key, const TPoint& value)
{
    ini.WriteString(section, key, PointToStr(value));
}

void WriteBoolean(TskIniFile& ini, std::string_view section, std::string_view key, bool value)
{
    ini.WriteInteger(section, key, value ? 1 : 0);
}

void WriteFontStyles(TskIniFile& ini, std::string_view section, std::string_view key, TFontStyles value)
{
    std::string text;
    for (const auto& [style, name] : kFontStyleNames)
        if (value.Contains(style)) {
            if (!text.empty())
                text += ',';
            text += name;
        }
    ini.WriteString(section, key, text);
}

void WriteStrings(TskIniFile& ini, std::string_view section, std::string_view listName,
                  const std::vector<std::string>& list)
{
    ini.WriteInteger(section, std::string(listName) + "count", int(list.size()));
    for (std::size_t i = 0; i < list.size(); ++i)
        ini.WriteString(section, std::to_string(i), list[i]);
}

void WriteStretchType(TskIniFile& ini, std::string_view section, std::string_view key, TskStretchType value)
{
    ini.WriteString(section, key, kStretchTypes.WordOf(value));
}

void WriteMorphKind(TskIniFile& ini, std::string_view section, std::string_view key, TskMorphKind value)
{
    ini.WriteString(section, key, kMorphKinds.WordOf(value));
}

void WriteInActiveEffect(TskIniFile& ini, std::string_view section, std::string_view key, TskInActiveEffect value)
{
    ini.WriteString(section, key, kInActiveEffects.WordOf(value));
}

void WriteAlignment(TskIniFile& ini, std::string_view section, std::string_view key, TAlignment value)
{
    ini.WriteString(section, key, kAlignments.WordOf(value));
}

void WriteStdCommand(TskIniFile& ini, std::string_view section, std::string_view key, TskStdCommand value)
{
    ini.WriteString(section, key, kStdCommands.WordOf(value));
}

} // namespace tovrel
