#pragma once
// The interface string table: the skin engine's dialogs, menus and hints take
// their texts from it by name, so an application translates them in one place.
// A plain object until the component framework's TComponent exists.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class TskResourceStrData {
public:
    // Holds the default lines (one "NAME=text" per name) and CharSet 1.
    TskResourceStrData();

    const std::vector<std::string>& ResStrings() const { return FResStrs; }
    void SetResStrings(std::vector<std::string> lines) { FResStrs = std::move(lines); }

    std::uint8_t CharSet() const { return FCharSet; }
    void SetCharSet(std::uint8_t charSet) { FCharSet = charSet; }

    // Text after the first "=" of the first line whose name equals ResName
    // without regard to case; empty when there is none.
    std::string GetResStr(std::string_view ResName) const;

    // The default "NAME=text" lines in their fixed order.
    static const std::vector<std::string>& DefaultResStrings();

private:
    std::vector<std::string> FResStrs;
    std::uint8_t FCharSet = 1;
};

} // namespace tovrel
