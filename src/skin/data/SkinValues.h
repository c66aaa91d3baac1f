#pragma once
// Reading and writing the value syntax of skin descriptions: rectangles, points,
// booleans, font styles, string lists and the keyword kinds.
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Types.h"
#include "skin/data/SkinIniFile.h"
#include "skin/data/SkinTypes.h"

namespace tovrel {

// A string list whose count cannot be a real list (see ReadStrings).
class ESkinListError : public Exception {
public:
    using Exception::Exception;
};

// A rectangle or point field without digits raises EConvertError
// "'%s' is not a valid integer value" with the field's digits (so often '').

TRect StrToRect(std::string_view text);
TPoint StrToPoint(std::string_view text);
std::string RectToStr(const TRect& rect);
std::string PointToStr(const TPoint& point);

TRect ReadRect(const TskIniFile& ini, std::string_view section, std::string_view key);
TPoint ReadPoint(const TskIniFile& ini, std::string_view section, std::string_view key);
bool ReadBoolean(const TskIniFile& ini, std::string_view section, std::string_view key);
TFontStyles ReadFontStyles(const TskIniFile& ini, std::string_view section, std::string_view key);
// Appends the items "0" .. count-1 to list; missing items are appended empty.
void ReadStrings(const TskIniFile& ini, std::string_view section, std::string_view listName,
                 std::vector<std::string>& list);
TskStretchType ReadStretchType(const TskIniFile& ini, std::string_view section, std::string_view key);
TskMorphKind ReadMorphKind(const TskIniFile& ini, std::string_view section, std::string_view key);
TskInActiveEffect ReadInActiveEffect(const TskIniFile& ini, std::string_view section, std::string_view key);
TAlignment ReadAlignment(const TskIniFile& ini, std::string_view section, std::string_view key);
TskStdCommand ReadStdCommand(const TskIniFile& ini, std::string_view section, std::string_view key);

void WriteRect(TskIniFile& ini, std::string_view section, std::string_view key, const TRect& value);
void WritePoint(TskIniFile& ini, std::string_view section, std::string_view key, const TPoint& value);
void WriteBoolean(TskIniFile& ini, std::string_view section, std::string_view key, bool value);
void WriteFontStyles(TskIniFile& ini, std::string_view section, std::string_view key, TFontStyles value);
void WriteStrings(TskIniFile& ini, std::string_view section, std::string_view listName,
                  const std::vector<std::string>& list);
void WriteStretchType(TskIniFile& ini, std::string_view section, std::string_view key, TskStretchType value);
void WriteMorphKind(TskIniFile& ini, std::string_view section, std::string_view key, TskMorphKind value);
void WriteInActiveEffect(TskIniFile& ini, std::string_view section, std::string_view key, TskInActiveEffect value);
void WriteAlignment(TskIniFile& ini, std::string_view section, std::string_view key, TAlignment value);
void WriteStdCommand(TskIniFile& ini, std::string_view section, std::string_view key, TskStdCommand value);

} // namespace tovrel
