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

TIniDocument::TLine::TLine(std::string text) : Text(std::move(text))
{
    IsBlank = Trim(Text).empty();
    if (auto pair = KeyValue(Text)) {
        IsKeyValue = true;
        Key = std::move(pair->first);
        Value = std::move(pair->second);
    }
}

void TIniDocument::TSection::IndexKeys()
{
    Keys.clear();
    for (std::size_t i = 0; i < Lines.size(); ++i)
        if (Lines[i].IsKeyValue)
            Keys.try_emplace(LowerCase(Lines[i].Key), i);
}

const TIniDocument::TLine* TIniDocument::TSection::FindKey(std::string_view key) const
{
    const auto found = Keys.find(LowerCase(key));
    return found == Keys.end() ? nullptr : &Lines[found->second];
}

void TIniDocument::IndexSections()
{
    sectionIndex_.clear();
    for (std::size_t i = 1; i < sections_.size(); ++i)
        sectionIndex_.try_emplace(LowerCase(sections_[i].Name), i);
}

const TIniDocument::TSection* TIniDocument::FindSection(std::string_view section) const
{
    const auto found = sectionIndex_.find(LowerCase(section));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

TIniDocument::TSection* TIniDocument::FindSection(std::string_view section)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(section));
}

bool TIniDocument::Empty() const
{
    return sections_.size() == 1 && sections_[0].Lines.empty();
}

TIniDocument::TLine& TIniDocument::LastLine()
{
    TSection& last = sections_.back();
    return last.Lines.empty() ? *last.Header : last.Lines.back();
}

void TIniDocument::Clear()
{
    sections_.assign(1, TSection{});
    sectionIndex_.clear();
}

void TIniDocument::SetText(std::string_view text)
{
    Clear();
    byteOrderMark_ = text.starts_with("\xEF\xBB\xBF");
    if (byteOrderMark_)
        text.remove_prefix(3);
    const bool bareLf = text.find('\n') != std::string_view::npos && text.find("\r\n") == std::string_view::npos;
    lineBreak_ = bareLf ? "\n" : "\r\n";
    for (const std::string_view line : SplitLines(text)) {
        if (auto name = HeaderName(line)) {
            TSection& section = sections_.emplace_back();
            section.Header.emplace(std::string(line));
            section.Name = std::move(*name);
        } else {
            sections_.back().Lines.emplace_back(std::string(line));
        }
    }
    for (TSection& section : sections_)
        section.IndexKeys();
    IndexSections();
}

std::string TIniDocument::GetText() const
{
    std::string text = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
    for (const TSection& section : sections_) {
        if (section.Header)
            text += section.Header->Text + lineBreak_;
        for (const TLine& line : section.Lines)
            text += line.Text + lineBreak_;
    }
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

std::optional<std::string> TIniDocument::Find(std::string_view section, std::string_view key) const
{
    const TSection* found = FindSection(section);
    const TLine* line = found ? found->FindKey(key) : nullptr;
    return line ? std::optional(line->Value) : std::nullopt;
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
    TLine line(keyName + "=" + text);

    TSection* found = FindSection(sectionName);
    if (!found) {
        if (!Empty() && !LastLine().IsBlank)
            sections_.back().Lines.emplace_back(std::string());
        TSection& added = sections_.emplace_back();
        added.Header.emplace("[" + sectionName + "]");
        added.Name = sectionName;
        added.Lines.push_back(std::move(line));
        added.IndexKeys();
        sectionIndex_.try_emplace(LowerCase(sectionName), sections_.size() - 1);
        return;
    }
    const auto existing = found->Keys.find(LowerCase(keyName));
    if (existing != found->Keys.end()) {
        found->Lines[existing->second] = std::move(line);
        return;
    }
    // A new key goes after the section's last non-blank line.
    std::size_t insertAt = found->Lines.size();
    while (insertAt > 0 && found->Lines[insertAt - 1].IsBlank)
        --insertAt;
    found->Lines.insert(found->Lines.begin() + std::ptrdiff_t(insertAt), std::move(line));
    found->IndexKeys();
}

void TIniDocument::EraseSection(std::string_view section)
{
    const auto named = [&](const TSection& candidate) { return candidate.Header && SameText(candidate.Name, section); };
    std::erase_if(sections_, named);
    IndexSections();
}

void TIniDocument::DeleteKey(std::string_view section, std::string_view key)
{
    TSection* found = FindSection(section);
    if (!found)
        return;
    const auto existing = found->Keys.find(LowerCase(key));
    if (existing == found->Keys.end())
        return;
    found->Lines.erase(found->Lines.begin() + std::ptrdiff_t(existing->second));
    found->IndexKeys();
}

std::vector<std::string> TIniDocument::Sections() const
{
    std::vector<std::string> names;
    for (std::size_t i = 1; i < sections_.size(); ++i)
        if (sectionIndex_.at(LowerCase(sections_[i].Name)) == i)
            names.push_back(sections_[i].Name);
    return names;
}

std::vector<std::pair<std::string, std::string>> TIniDocument::Values(std::string_view section) const
{
    std::vector<std::pair<std::string, std::string>> values;
    const TSection* found = FindSection(section);
    if (!found)
        return values;
    for (std::size_t i = 0; i < found->Lines.size(); ++i) {
        const TLine& line = found->Lines[i];
        if (line.IsKeyValue && found->Keys.at(LowerCase(line.Key)) == i)
            values.emplace_back(line.Key, line.Value);
    }
    return values;
}

} // namespace tovrel
