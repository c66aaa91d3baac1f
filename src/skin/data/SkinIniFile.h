#pragma once
// The INI text that skin descriptions are written in: sections and keys compared
// without regard to case, values trimmed, ";" comments.
//
// The framework's TMemIniFile (platform/vcl/IniFiles.h) reads the same syntax
// but edits a settings file in place: it keeps every line, comments included,
// and the first of two sections with one name wins. A skin description is data
// read whole and written whole, and its store keeps other rules:
// - A section whose header repeats is one section: every key under either
//   header is read.
// - The text written is rebuilt from the data: CRLF line ends and a blank line
//   after each section whatever the text read used, comments dropped.
// - A write refuses only what would break the lines (a line break, "=" in a
//   key). Entry names read from a skin become section names and may hold "]",
//   which the framework refuses; a skin that loaded must save again.
// - Reads and writes go to parsed sections and keys found by name, so a list
//   of many thousand keys costs linear time.
// The skin code reaches this store only through the name TskIniFile.
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tovrel {

class SkinIniText {
public:
    SkinIniText() = default;
    explicit SkinIniText(std::string_view text) { SetText(text); }

    // Replaces the content; a UTF-8 byte-order mark is remembered and written back.
    void SetText(std::string_view text);
    // Lines end with CRLF, as skin descriptions on disk do.
    std::string GetText() const;

    // A missing file reads as an empty INI, as the framework's INI classes do.
    void LoadFromFile(const std::filesystem::path& fileName);
    // Throws std::runtime_error when the file cannot be written.
    void SaveToFile(const std::filesystem::path& fileName) const;

    // True when the section holds at least one key.
    bool SectionExists(std::string_view section) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::vector<std::string> ReadSections() const;
    std::vector<std::string> ReadSection(std::string_view section) const;
    // "key=value" lines of the section, in order.
    std::vector<std::string> ReadSectionValues(std::string_view section) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // StrToIntDef of the value: decimal, "$hex" or "0xhex"; anything else gives the default.
    int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;

    // Throws std::invalid_argument for a line break anywhere or an "=" in the key.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, int value);
    void EraseSection(std::string_view section);

private:
    struct Section {
        std::string Name;
        std::vector<std::pair<std::string, std::string>> Values;
        // Lower-case key -> the first entry of Values with that key, so a list
        // of many thousand keys reads and writes in linear time.
        std::unordered_map<std::string, std::size_t> Keys;
        const std::string* Find(std::string_view key) const;
        void Add(std::string key, std::string value);
    };
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    Section& AddSection(std::string_view name);
    void IndexSections();

    std::vector<Section> sections_;
    // Lower-case name -> index in sections_.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    bool hasByteOrderMark_ = false;
};

using TskIniFile = SkinIniText;

} // namespace tovrel
