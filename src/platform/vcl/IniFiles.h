#pragma once
// The framework's INI classes. TIniFile reads and writes the file on every
// call, as the system's profile functions do: a write creates the file and the
// section and keeps every other line. TMemIniFile reads the file once and
// writes it back on UpdateFile. Rules of the text: see IniDocument.h.
#include "platform/vcl/IniDocument.h"
#include "platform/vcl/Object.h"

#include <string>
#include <string_view>

namespace tovrel {

class TStrings;

class TCustomIniFile : public TObject {
public:
    explicit TCustomIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
    const std::string& FileName() const { return fileName_; }

    virtual std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) = 0;
    virtual void WriteString(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Decimal, "$hex" or "0xhex"; anything else gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    // Any integer other than 0 is true; text that is no integer gives the default.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue);
    // Writes "1" or "0".
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Key names of the section.
    virtual void ReadSection(std::string_view section, TStrings& keys) = 0;
    virtual void ReadSections(TStrings& sections) = 0;
    // "key=value" lines of the section.
    virtual void ReadSectionValues(std::string_view section, TStrings& values) = 0;
    virtual void EraseSection(std::string_view section) = 0;
    virtual void DeleteKey(std::string_view section, std::string_view key) = 0;
    virtual void UpdateFile() = 0;
    // True when the section holds at least one key.
    bool SectionExists(std::string_view section);
    bool ValueExists(std::string_view section, std::string_view key);

protected:
    void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
    static void ReadSectionFrom(const TIniDocument& document, std::string_view section, TStrings& keys);
    static void ReadSectionsFrom(const TIniDocument& document, TStrings& sections);
    static void ReadSectionValuesFrom(const TIniDocument& document, std::string_view section, TStrings& values);

private:
    std::string fileName_;
};

class TMemIniFile : public TCustomIniFile {
public:
    // A missing file starts empty; an empty name never touches the disk.
    explicit TMemIniFile(std::string fileName = {});

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) override;
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    // Writes the whole text to the file (EFCreateError when it cannot).
    void UpdateFile() override;

    void Clear() { document_.Clear(); }
    void GetStrings(TStrings& lines) const;
    void SetStrings(const TStrings& lines);
    std::string Text() const { return document_.GetText(); }
    void SetText(std::string_view text) { document_.SetText(text); }
    void Rename(const std::string& fileName, bool reload);

private:
    TIniDocument document_;
};

class TIniFile : public TCustomIniFile {
public:
    explicit TIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) {}

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) override;
    // Raises EIniFileException "Unable to write to <file>" when the file
    // cannot be written.
    void WriteString(std::string_view section, std::string_view key, std::string_view value) override;
    void ReadSection(std::string_view section, TStrings& keys) override;
    void ReadSections(TStrings& sections) override;
    void ReadSectionValues(std::string_view section, TStrings& values) override;
    void EraseSection(std::string_view section) override;
    void DeleteKey(std::string_view section, std::string_view key) override;
    // Every write is on the disk already.
    void UpdateFile() override {}

private:
    TIniDocument Load() const;
    void Save(const TIniDocument& document) const;
};

} // namespace tovrel
