#include "skin/data/SkinIniFile.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

namespace tovrel {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

void SkinIniText::SetText(std::string_view text)
{
    sections_.clear();
    sectionIndex_.clear();
    hasByteOrderMark_ = text.starts_with(kByteOrderMark);
    if (hasByteOrderMark_)
        text.remove_prefix(kByteOrderMark.size());

    Section* current = nullptr;
    for (const std::string_view rawLine : SplitLines(text)) {
        const std::string line = Trim(rawLine);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string name = Trim(std::string_view(line).substr(1, line.size() - 2));
            current = FindSection(name);
            if (!current)
                current = &AddSection(name);
            continue;
        }
        const auto equals = line.find('=');
        if (!current || equals == std::string::npos)
            continue;
        current->Add(Trim(std::string_view(line).substr(0, equals)), Trim(std::string_view(line).substr(equals + 1)));
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

const std::string* SkinIniText::Section::Find(std::string_view key) const
{
    const auto found = Keys.find(LowerCase(key));
    return found == Keys.end() ? nullptr : &Values[found->second].second;
}

void SkinIniText::Section::Add(std::string key, std::string value)
{
    Keys.try_emplace(LowerCase(key), Values.size());
    Values.emplace_back(std::move(key), std::move(value));
}

const SkinIniText::Section* SkinIniText::FindSection(std::string_view name) const
{
    const auto found = sectionIndex_.find(LowerCase(name));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

void SkinIniText::IndexSections()
{
    sectionIndex_.clear();
    for (std::size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.try_emplace(LowerCase(sections_[i].Name), i);
}

SkinIniText::Section* SkinIniText::FindSection(std::string_view name)
{
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

SkinIniText::Section& SkinIniText::AddSection(std::string_view name)
{
    sectionIndex_.try_emplace(LowerCase(name), sections_.size());
    sections_.push_back(Section{std::string(name), {}, {}});
    return sections_.back();
}

bool SkinIniText::SectionExists(std::string_view section) const
{
    const Section* found = FindSection(section);
    return found && !found->Values.empty();
}

bool SkinIniText::ValueExists(std::string_view section, std::string_view key) const
{
    const Section* found = FindSection(section);
    return found && found->Find(key);
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

std::string SkinIniText::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const Section* found = FindSection(section);
    const std::string* value = found ? found->Find(key) : nullptr;
    return value ? *value : std::string(defaultValue);
}

int SkinIniText::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const
{
    if (!ValueExists(section, key))
        return defaultValue;
    return StrToIntDef(ReadString(section, key, {}), defaultValue);
}

void SkinIniText::WriteString(std::string_view section, std::string_view key, std::string_view value)
{
    // A line break would turn the rest of the text into lines of its own.
    const auto breaksLine = [](std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; };
    if (breaksLine(section) || breaksLine(key) || breaksLine(value) || key.find('=') != std::string_view::npos)
        throw std::invalid_argument("INI text cannot hold [" + std::string(section) + "] " + std::string(key) + "=" +
                                    std::string(value));
    Section* found = FindSection(section);
    if (!found)
        found = &AddSection(section);
    const auto existing = found->Keys.find(LowerCase(key));
    if (existing != found->Keys.end())
        found->Values[existing->second].second = std::string(value);
    else
        found->Add(std::string(key), std::string(value));
}

void SkinIniText::WriteInteger(std::string_view section, std::string_view key, int value)
{
    WriteString(section, key, std::to_string(value));
}

void SkinIniText::EraseSection(std::string_view section)
{
    std::erase_if(sections_, [&](const Section& s) { return SameText(s.Name, section); });
    IndexSections();
}

} // namespace tovrel
