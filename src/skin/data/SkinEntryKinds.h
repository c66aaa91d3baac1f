#pragma once
// Kind words of the entry lists "SKINCONTROLS" and "SKINOBJECTS": creating the
// entry class a word names, the word of an entry's class, and reading and
// writing the lists with their entries' sections.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/data/SkinEntry.h"

namespace tovrel {

using TskControlList = std::vector<std::unique_ptr<TskDataSkinControl>>;
using TskObjectList = std::vector<std::unique_ptr<TskDataSkinObject>>;

// Null when the word is in no table; words compare exactly, with case.
std::unique_ptr<TskDataSkinControl> CreateSkinControlEntry(std::string_view kindWord, std::string AIDName);
std::unique_ptr<TskDataSkinObject> CreateSkinObjectEntry(std::string_view kindWord, std::string AIDName);

// The word of the entry's own class; empty for the base classes.
std::string_view SkinControlKindWord(const TskDataSkinControl& entry);
std::string_view SkinObjectKindWord(const TskDataSkinObject& entry);

// Appends an entry for every line "name:kind" of the list in order and lets it
// read its section at once; lines of unknown kind are skipped.
void ReadSkinControls(const TskIniFile& IniFile, TskControlList& list);
void ReadSkinObjects(const TskIniFile& IniFile, TskObjectList& list);

// Erases the list section, writes "count" and the lines, then each entry's section.
void WriteSkinControls(TskIniFile& IniFile, const TskControlList& list);
void WriteSkinObjects(TskIniFile& IniFile, const TskObjectList& list);

// Position of the first entry whose IDName equals the name exactly; -1 when none.
int FindSkinControl(const TskControlList& list, std::string_view AIDName);
int FindSkinObject(const TskObjectList& list, std::string_view AIDName);

} // namespace tovrel
