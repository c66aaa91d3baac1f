#include "platform/vcl/IniFiles.h"

#include "platform/rtl/Numbers.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/StringList.h"

namespace tovrel {

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue)
{
    return StrToIntDef(ReadString(section, key, ""), defaultValue);
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, IntToStr(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue)
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

bool TCustomIniFile::SectionExists(std::string_view section)
{
    TStringList keys;
    ReadSection(section, keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view key)
{
    TStringList keys;
    ReadSection(section, keys);
    return keys.IndexOf(key) >= 0;
}

void TCustomIniFile::ReadSectionFrom(const TIniDocument& document, std::string_view section, TStrings& keys)
{
    TStringsUpdate update(keys);
    keys.Clear();
    for (const auto& pair : document.Values(section))
        keys.Add(pair.first);
}

void TCustomIniFile::ReadSectionsFrom(const TIniDocument& document, TStrings& sections)
{
    TStringsUpdate update(sections);
    sections.Clear();
    for (const std::string& name : document.Sections())
        sections.Add(name);
}

void TCustomIniFile::ReadSectionValuesFrom(const TIniDocument& document, std::string_view section, TStrings& values)
{
    TStringsUpdate update(values);
    values.Clear();
    for (const auto& pair : document.Values(section))
        values.Add(pair.first + "=" + pair.second);
}

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName))
{
    if (!FileName().empty())
        document_.LoadFromFile(FileName());
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue)
{
    return document_.Find(section, key).value_or(std::string(defaultValue));
}

void TMemIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    document_.Write(section, key, value);
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& keys)
{
    ReadSectionFrom(document_, section, keys);
}

void TMemIniFile::ReadSections(TStrings& sections)
{
    ReadSectionsFrom(document_, sections);
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& values)
{
    ReadSectionValuesFrom(document_, section, values);
}

void TMemIniFile::EraseSection(std::string_view section)
{
    document_.EraseSection(section);
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    document_.DeleteKey(section, key);
}

void TMemIniFile::UpdateFile()
{
    if (!FileName().empty())
        document_.SaveToFile(FileName());
}

void TMemIniFile::GetStrings(TStrings& lines) const
{
    lines.SetText(document_.GetText());
}

void TMemIniFile::SetStrings(const TStrings& lines)
{
    document_.SetText(lines.Text());
}

void TMemIniFile::Rename(const std::string& fileName, bool reload)
{
    SetFileName(fileName);
    if (reload)
        document_.LoadFromFile(fileName);
}

TIniDocument TIniFile::Load() const
{
    TIniDocument document;
    document.LoadFromFile(FileName());
    return document;
}

void TIniFile::Save(const TIniDocument& document) const
{
    try {
        document.SaveToFile(FileName());
    } catch (const EStreamError&) {
        throw EIniFileException("Unable to write to " + FileName());
    }
}

std::string TIniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue)
{
    return Load().Find(section, key).value_or(std::string(defaultValue));
}

void TIniFile::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    TIniDocument document = Load();
    document.Write(section, key, value);
    Save(document);
}

void TIniFile::ReadSection(std::string_view section, TStrings& keys)
{
    ReadSectionFrom(Load(), section, keys);
}

void TIniFile::ReadSections(TStrings& sections)
{
    ReadSectionsFrom(Load(), sections);
}

void TIniFile::ReadSectionValues(std::string_view section, TStrings& values)
{
    ReadSectionValuesFrom(Load(), section, values);
}

void TIniFile::EraseSection(std::string_view section)
{
    TIniDocument document = Load();
    document.EraseSection(section);
    Save(document);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view key)
{
    TIniDocument document = Load();
    document.DeleteKey(section, key);
    Save(document);
}

} // namespace tovrel
