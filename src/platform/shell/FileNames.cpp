#include "platform/shell/FileNames.h"

#include <algorithm>
#include <cstdint>

namespace tovrel {

namespace {

// Length of the valid UTF-8 sequence at the start of s, 0 when there is none.
std::size_t ValidSequenceLength(std::string_view s)
{
    const auto byte = [&](std::size_t i) { return std::uint8_t(s[i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint32_t min = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < min || code > 0x10FFFF || surrogate ? 0 : length;
}

char FoldCase(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

} // namespace

std::string FileNameDisplayText(std::string_view rawName)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(rawName.size());
    while (!rawName.empty()) {
        const std::size_t length = ValidSequenceLength(rawName);
        if (length > 0) {
            text.append(rawName.substr(0, length));
            rawName.remove_prefix(length);
            continue;
        }
        const auto b = std::uint8_t(rawName[0]);
        text += "\\x";
        text += hex[b >> 4];
        text += hex[b & 0xF];
        rawName.remove_prefix(1);
    }
    return text;
}

bool IsValidEntryName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

int CompareEntryNames(std::string_view a, std::string_view b)
{
    const auto folded =
        std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::uint8_t(FoldCase(x)) <=> std::uint8_t(FoldCase(y));
        });
    if (folded != 0)
        return folded < 0 ? -1 : 1;
    const int raw = a.compare(b);
    return raw < 0 ? -1 : raw > 0 ? 1 : 0;
}

bool IsHiddenEntryName(std::string_view name)
{
    return !name.empty() && name[0] == '.';
}

} // namespace tovrel
