#pragma once
// INI text kept line by line, so that writing a key changes that one line and
// leaves comments, blank lines and unknown lines where they were. Section and
// key names compare without regard to ASCII case; names and values are
// trimmed; lines whose first non-blank character is ';' are comments. The
// first section of a name wins for reads and writes.
#include <optional>
#include <string>
#include <string_view>
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
    struct TRange {
        std::size_t Header;
        std::size_t End; // one past the section's last line
    };
    std::optional<TRange> FindSection(std::string_view section) const;

    std::vector<std::string> lines_;
    bool byteOrderMark_ = false;
    std::string lineBreak_ = "\r\n";
};

} // namespace tovrel
