#include "platform/vcl/fuzz/IniFileFuzzBody.h"

#include <cstdlib>
#include <string>

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/IniFiles.h"
#include "platform/vcl/StringList.h"

namespace tovrel::test {
namespace {

// A broken invariant: stop the way a sanitizer does, so the fuzzer keeps the input.
void Require(bool holds)
{
    if (!holds)
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
        Require(keys.Count() == values.Count());
        Require(ini.SectionExists(section) == (keys.Count() > 0));
        if (keys.Count() > 0)
            Require(ini.ValueExists(section, keys[keys.Count() - 1]));
        for (int k = 0; k < keys.Count(); ++k) {
            Require(ini.ReadString(section, keys[k], "") == values.ValueFromIndex(k));
            (void)ini.ReadInteger(section, keys[k], 0);
            (void)ini.ReadBool(section, keys[k], false);
        }
    }
}

// Writes one key and checks that it reads back; the format's refusals are fine.
void WriteAndCheck(TMemIniFile& ini, const std::string& section, const std::string& key, const std::string& value)
{
    try {
        ini.WriteString(section, key, value);
    } catch (const EIniFileException&) {
        return;
    }
    Require(ini.ReadString(section, key, "\x01missing") == Trim(value));
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
        WriteAndCheck(ini, section, "Number", std::to_string(-s));
        Require(ini.ReadInteger(section, "Number", 1) == -s || !ini.ValueExists(section, "Number"));
    }
    WriteAndCheck(ini, "New Section", "Key", "x");
    if (sections.Count() > 1) {
        ini.EraseSection(sections[0]);
        Require(!ini.SectionExists(sections[0]));
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
    Require(reread.Text() == ini.Text());
    TStringList before, after;
    ini.ReadSections(before);
    reread.ReadSections(after);
    Require(before.Equals(after));
    for (int s = 0; s < before.Count(); ++s) {
        TStringList valuesBefore, valuesAfter;
        ini.ReadSectionValues(before[s], valuesBefore);
        reread.ReadSectionValues(before[s], valuesAfter);
        Require(valuesBefore.Equals(valuesAfter));
    }
}

} // namespace tovrel::test
