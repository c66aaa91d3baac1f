#include "platform/vcl/IniDocument.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"
#include "platform/vcl/Streams.h"

#include <fstream>
#include <iterator>

namespace tovrel {

namespace {

// The section name of a header line, or nullopt for other lines.
std::optional<std::string> HeaderName(std::string_view line)
{
    const std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != '[')
        return std::nullopt;
    const auto close = trimmed.rfind(']');
    const std::size_t end = close == std::string::npos || close == 0 ? trimmed.size() : close;
    return Trim(std::string_view(trimmed).substr(1, end - 1));
}

// Key and value of a "key=value" line; nullopt for comments and other lines.
std::optional<std::pair<std::string, std::string>> KeyValue(std::string_view line)
{
    const std::string trimmed = TrimLeft(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '[')
        return std::nullopt;
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return std::make_pair(Trim(std::string_view(trimmed).substr(0, equals)),
                          Trim(std::string_view(trimmed).substr(equals + 1)));
}

bool HasLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

void TIniDocument::Clear()
{
    lines_.clear();
}

void TIniDocument::SetText(std::string_view text)
{
    lines_.clear();
    byteOrderMark_ = text.starts_with("\xEF\xBB\xBF");
    if (byteOrderMark_)
        text.remove_prefix(3);
    const bool bareLf = text.find('\n') != std::string_view::npos && text.find("\r\n") == std::string_view::npos;
    lineBreak_ = bareLf ? "\n" : "\r\n";
    for (const std::string_view line : SplitLines(text))
        lines_.emplace_back(line);
}

std::string TIniDocument::GetText() const
{
    std::string text = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    for (const std::string& line : lines_)
        text += line + lineBreak_;
    return text;
}

void TIniDocument::LoadFromFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file) {
        SetText({});
        return;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    SetText(text);
}

void TIniDocument::SaveToFile(const std::string& fileName) const
{
    TFileStream file(fileName, fmCreate);
    const std::string text = GetText();
    file.WriteBuffer(text.data(), std::int64_t(text.size()));
}

std::optional<TIniDocument::TRange> TIniDocument::FindSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i]);
        if (!name || !SameText(*name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && !HeaderName(lines_[end]))
            ++end;
        return TRange{i, end};
    }
    return std::nullopt;
}

std::optional<std::string> TIniDocument::Find(std::string_view section, std::string_view key) const
{
    const auto range = FindSection(section);
    if (!range)
        return std::nullopt;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        const auto pair = KeyValue(lines_[i]);
        if (pair && SameText(pair->first, key))
            return pair->second;
    }
    return std::nullopt;
}

void TIniDocument::Write(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string sectionName = Trim(section), keyName = Trim(key), text = Trim(value);
    if (HasLineBreak(section) || sectionName.find(']') != std::string::npos)
        throw EIniFileException("Invalid INI section name \"" + std::string(section) + "\"");
    if (HasLineBreak(key) || keyName.empty() || keyName.find('=') != std::string::npos || keyName[0] == ';' ||
        keyName[0] == '[')
        throw EIniFileException("Invalid INI key name \"" + std::string(key) + "\"");
    if (HasLineBreak(value))
        throw EIniFileException("INI values cannot hold line breaks (key \"" + keyName + "\")");
    const std::string line = keyName + "=" + text;

    const auto range = FindSection(sectionName);
    if (!range) {
        if (!lines_.empty() && !Trim(lines_.back()).empty())
            lines_.emplace_back();
        lines_.push_back("[" + sectionName + "]");
        lines_.push_back(line);
        return;
    }
    std::size_t insertAt = range->Header + 1;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        const auto pair = KeyValue(lines_[i]);
        if (pair && SameText(pair->first, keyName)) {
            lines_[i] = line;
            return;
        }
        if (!Trim(lines_[i]).empty())
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + std::ptrdiff_t(insertAt), line);
}

void TIniDocument::EraseSection(std::string_view section)
{
    while (const auto range = FindSection(section))
        lines_.erase(lines_.begin() + std::ptrdiff_t(range->Header), lines_.begin() + std::ptrdiff_t(range->End));
}

void TIniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    const auto range = FindSection(section);
    if (!range)
        return;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        const auto pair = KeyValue(lines_[i]);
        if (pair && SameText(pair->first, key)) {
            lines_.erase(lines_.begin() + std::ptrdiff_t(i));
            return;
        }
    }
}

std::vector<std::string> TIniDocument::Sections() const
{
    std::vector<std::string> names;
    for (const std::string& line : lines_) {
        const auto name = HeaderName(line);
        if (!name)
            continue;
        bool known = false;
        for (const std::string& seen : names)
            known = known || SameText(seen, *name);
        if (!known)
            names.push_back(*name);
    }
    return names;
}

std::vector<std::pair<std::string, std::string>> TIniDocument::Values(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> values;
    const auto range = FindSection(section);
    if (!range)
        return values;
    for (std::size_t i = range->Header + 1; i < range->End; ++i) {
        auto pair = KeyValue(lines_[i]);
        if (!pair)
            continue;
        bool known = false;
        for (const auto& seen : values)
            known = known || SameText(seen.first, pair->first);
        if (!known)
            values.push_back(std::move(*pair));
    }
    return values;
}

} // namespace tovrel
