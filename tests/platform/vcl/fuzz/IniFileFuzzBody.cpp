#include "platform/vcl/fuzz/IniFileFuzzBody.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/IniFiles.h"
#include "platform/vcl/StringList.h"

namespace tovrel::test {
namespace {

// A broken invariant: stop the way a sanitizer does, so the fuzzer keeps the
// input, and say which one.
void Require(bool holds, const char* what)
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void ReadEverything(TMemIniFile& ini, TStringList& sections)
{
    ini.ReadSections(sections);
    for (int s = 0; s < sections.Count(); ++s) {
        const std::string section = sections[s];
        TStringList keys, values;
        ini.ReadSection(section, keys);
        ini.ReadSectionValues(section, values);
        Require(keys.Count() == values.Count(), "keys and values of a section");
        Require(ini.SectionExists(section) == (keys.Count() > 0), "SectionExists");
        if (keys.Count() > 0)
            Require(ini.ValueExists(section, keys[keys.Count() - 1]), "ValueExists");
        for (int k = 0; k < keys.Count(); ++k) {
            Require(ini.ReadString(section, keys[k], "") == values.ValueFromIndex(k), "ReadString of a listed key");
            (void)ini.ReadInteger(section, keys[k], 0);
            (void)ini.ReadBool(section, keys[k], false);
        }
    }
}

// Writes one key and checks that it reads back; the format's refusals are
// fine. Returns whether the key was written.
bool WriteAndCheck(TMemIniFile& ini, const std::string& section, const std::string& key, const std::string& value)
{
    try {
        ini.WriteString(section, key, value);
    } catch (const EIniFileException&) {
        return false;
    }
    Require(ini.ReadString(section, key, "\x01missing") == Trim(value), "a write reads back");
    return true;
}

void Edit(TMemIniFile& ini, const TStringList& sections)
{
    for (int s = 0; s < sections.Count(); ++s) {
        const std::string section = sections[s];
        TStringList values;
        ini.ReadSectionValues(section, values);
        if (values.Count() > 0) {
            WriteAndCheck(ini, section, values.Names(0), values.ValueFromIndex(0) + "1");
            ini.DeleteKey(section, values.Names(values.Count() - 1));
        }
        WriteAndCheck(ini, section, "Added", " value ");
        if (WriteAndCheck(ini, section, "Number", std::to_string(-s)))
            Require(ini.ReadInteger(section, "Number", 1) == -s, "a number reads back");
    }
    WriteAndCheck(ini, "New Section", "Key", "x");
    if (sections.Count() > 1) {
        ini.EraseSection(sections[0]);
        Require(!ini.SectionExists(sections[0]), "an erased section is gone");
    }
}

} // namespace

void ExerciseIniFile(std::string_view text)
{
    TMemIniFile ini;
    ini.SetText(text);
    TStringList sections;
    ReadEverything(ini, sections);
    Edit(ini, sections);

    // What was written reads the same once it is text again.
    TMemIniFile reread;
    reread.SetText(ini.Text());
    Require(reread.Text() == ini.Text(), "the text reads back the same");
    TStringList before, after;
    ini.ReadSections(before);
    reread.ReadSections(after);
    Require(before.Equals(after), "sections read back");
    for (int s = 0; s < before.Count(); ++s) {
        TStringList valuesBefore, valuesAfter;
        ini.ReadSectionValues(before[s], valuesBefore);
        reread.ReadSectionValues(before[s], valuesAfter);
        Require(valuesBefore.Equals(valuesAfter), "values read back");
    }
}

} // namespace tovrel::test
