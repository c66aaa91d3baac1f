#pragma once
// INI text kept line by line, so that writing a key changes that one line and
// leaves comments, blank lines and unknown lines where they were. Section and
// key names compare without regard to ASCII case; names and values are
// trimmed; lines whose first non-blank character is ';' are comments. The
// first section of a name wins for reads and writes. Sections and keys are
// indexed, so a read or a write costs the same in a long file as in a short one.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace tovrel {

class TIniDocument {
public:
    // A UTF-8 byte-order mark is remembered and written back; the line ending
    // of the text (CRLF unless the text uses bare LF) is kept.
    void SetText(std::string_view text);
    std::string GetText() const;
    void Clear();

    // A missing or unreadable file reads as empty.
    void LoadFromFile(const std::string& fileName);
    // Raises EFCreateError when the file cannot be written.
    void SaveToFile(const std::string& fileName) const;

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // Raises EIniFileException for names or values that cannot be stored as one
    // line (line breaks; "=" or an empty key; "]" in a section name).
    void Write(std::string_view section, std::string_view key, std::string_view value);
    void EraseSection(std::string_view section);
    void DeleteKey(std::string_view section, std::string_view key);

    std::vector<std::string> Sections() const;
    // Keys and values of the first section of that name, in file order.
    std::vector<std::pair<std::string, std::string>> Values(std::string_view section) const;

private:
    // A line with what it says parsed once, so reads and writes never re-trim it.
    struct TLine {
        explicit TLine(std::string text);
        std::string Text;
        bool IsKeyValue = false;
        bool IsBlank = false;
        std::string Key; // trimmed, as written
        std::string Value;
    };
    // A header and the lines up to the next one; sections_[0] holds the lines
    // before the first header and has none.
    struct TSection {
        std::optional<TLine> Header;
        std::string Name;
        std::vector<TLine> Lines;
        // Lower-case key -> the first line that holds it.
        std::unordered_map<std::string, std::size_t> Keys;
        void IndexKeys();
        const TLine* FindKey(std::string_view key) const;
    };
    const TSection* FindSection(std::string_view section) const;
    TSection* FindSection(std::string_view section);
    void IndexSections();
    TLine& LastLine();
    bool Empty() const;

    std::vector<TSection> sections_ = std::vector<TSection>(1);
    // Lower-case section name -> the first section of that name.
    std::unordered_map<std::string, std::size_t> sectionIndex_;
    bool byteOrderMark_ = false;
    std::string lineBreak_ = "\r\n";
};

} // namespace tovrel
