#include "skin/data/SkinIniFile.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tovrel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view Trim(std::string_view s)
{
    const auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

bool SameIniName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

std::optional<int> ParseIniInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (text.starts_with('$')) {
        hex = true;
        text.remove_prefix(1);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    }
    if (text.empty())
        return std::nullopt;
    std::uint64_t magnitude = 0;
    for (char c : text) {
        const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * (hex ? 16 : 10) + std::uint64_t(digit);
        if (magnitude > 0xFFFFFFFFull)
            return std::nullopt;
    }
    if (hex) {
        // Hexadecimal covers the full 32 bits: $FFFFFFFF is -1.
        const auto bits = std::uint32_t(magnitude);
        const auto value = std::int32_t(bits);
        return negative ? int(std::uint32_t(0) - bits) : int(value);
    }
    if (negative) {
        if (magnitude > 0x80000000ull)
            return std::nullopt;
        return int(-std::int64_t(magnitude));
    }
    if (magnitude > 0x7FFFFFFFull)
        return std::nullopt;
    return int(magnitude);
}

void SkinIniText::SetText(std::string_view text)
{
    sections_.clear();
    hasByteOrderMark_ = text.starts_with(kByteOrderMark);
    if (hasByteOrderMark_)
        text.remove_prefix(kByteOrderMark.size());

    Section* current = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            current = FindSection(name);
            if (!current)
                current = &AddSection(name);
            continue;
        }
        const auto equals = line.find('=');
        if (!current || equals == std::string_view::npos)
            continue;
        current->Values.emplace_back(std::string(Trim(line.substr(0, equals))),
                                     std::string(Trim(line.substr(equals + 1))));
    }
}

std::string SkinIniText::GetText() const
{
    std::string text = hasByteOrderMark_ ? std::string(kByteOrderMark) : std::string();
    for (const Section& section : sections_) {
        text += '[';
        text += section.Name;
        text += "]\r\n";
        for (const auto& [key, value] : section.Values) {
            text += key;
            text += '=';
            text += value;
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

void SkinIniText::LoadFromFile(const std::filesystem::path& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        SetText({});
        return;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    SetText(text);
}

void SkinIniText::SaveToFile(const std::filesystem::path& fileName) const
{
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    const std::string text = GetText();
    out.write(text.data(), std::streamsize(text.size()));
    if (!out)
        throw std::runtime_error("Cannot create file \"" + fileName.string() + "\"");
}

const SkinIniText::Section* SkinIniText::FindSection(std::string_view name) const
{
    for (const Section& section : sections_)
        if (SameIniName(section.Name, name))
            return &section;
    return nullptr;
}

SkinIniText::Section* SkinIniText::FindSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

SkinIniText::Section& SkinIniText::AddSection(std::string_view name)
{
    sections_.push_back(Section{std::string(name), {}});
    return sections_.back();
}

bool SkinIniText::SectionExists(std::string_view section) const
{
    const Section* found = FindSection(section);
    return found && !found->Values.empty();
}

bool SkinIniText::ValueExists(std::string_view section, std::string_view key) const
{
    if (const Section* found = FindSection(section))
        for (const auto& entry : found->Values)
            if (SameIniName(entry.first, key))
                return true;
    return false;
}

std::vector<std::string> SkinIniText::ReadSections() const
{
    std::vector<std::string> names;
    for (const Section& section : sections_)
        names.push_back(section.Name);
    return names;
}

std::vector<std::string> SkinIniText::ReadSection(std::string_view section) const
{
    std::vector<std::string> keys;
    if (const Section* found = FindSection(section))
        for (const auto& entry : found->Values)
            keys.push_back(entry.first);
    return keys;
}

std::vector<std::string> SkinIniText::ReadSectionValues(std::string_view section) const
{
    std::vector<std::string> lines;
    if (const Section* found = FindSection(section))
        for (const auto& [key, value] : found->Values)
            lines.push_back(key + "=" + value);
    return lines;
}

std::string SkinIniText::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    if (const Section* found = FindSection(section))
        for (const auto& entry : found->Values)
            if (SameIniName(entry.first, key))
                return entry.second;
    return std::string(defaultValue);
}

int SkinIniText::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    if (!ValueExists(section, key))
        return defaultValue;
    return ParseIniInteger(ReadString(section, key, {})).value_or(defaultValue);
}

void SkinIniText::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    Section* found = FindSection(section);
    if (!found)
        found = &AddSection(section);
    for (auto& entry : found->Values)
        if (SameIniName(entry.first, key)) {
            entry.second = std::string(value);
            return;
        }
    found->Values.emplace_back(std::string(key), std::string(value));
}

void SkinIniText::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void SkinIniText::EraseSection(std::string_view section)
{
    std::erase_if(sections_, [&](const Section& s) { return SameIniName(s.Name, section); });
}

} // namespace tovrel
