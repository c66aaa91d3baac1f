#pragma once
// Small helpers for the skin data tests: entries loaded from section text, and
// written sections as text.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "skin/data/SkinEntryKinds.h"

namespace tovrel::test {

// The entry of the given kind named "e", loaded from "[e]" followed by keysText.
template <class Base> std::unique_ptr<Base> LoadEntry(std::string_view kind, const std::string& keysText)
{
    const TskIniFile ini("[e]\n" + keysText);
    std::unique_ptr<Base> entry;
    if constexpr (std::is_same_v<Base, TskDataSkinControl>)
        entry = CreateSkinControlEntry(kind, "e");
    else
        entry = CreateSkinObjectEntry(kind, "e");
    if (entry)
        entry->LoadFromFile(ini);
    return entry;
}

// "key=value" lines of a section joined by "\n".
inline std::string SectionText(const TskIniFile& ini, std::string_view section)
{
    std::string text;
    for (const std::string& line : ini.ReadSectionValues(section))
        text += line + "\n";
    return text;
}

inline std::vector<std::string> SectionKeys(const TskIniFile& ini, std::string_view section)
{
    return ini.ReadSection(section);
}

} // namespace tovrel::test
