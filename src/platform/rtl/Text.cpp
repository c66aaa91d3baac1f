#include "platform/rtl/Text.h"

#include <algorithm>

namespace tovrel {
namespace {

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the code point at s[pos]; advances pos by the bytes it used (one for
// an invalid byte, which yields U+FFFD).
char32_t DecodeAt(std::string_view s, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    int extra;
    char32_t cp;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + extra >= s.size()) { // truncated sequence
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i <= extra; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if ((b & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += extra + 1;
    return cp;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Byte offset of the 1-based character index (s.size() when past the end).
size_t ByteOffsetOfChar(std::string_view s, int index)
{
    size_t pos = 0;
    for (int i = 1; i < index && pos < s.size(); ++i)
        DecodeAt(s, pos);
    return pos;
}

} // namespace

std::string TrimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && IsTrimmed(s[b]))
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s)
{
    size_t e = s.size();
    while (e > 0 && IsTrimmed(s[e - 1]))
        --e;
    return std::string(s.substr(0, e));
}

std::string Trim(std::string_view s)
{
    return TrimLeft(TrimRight(s));
}

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r')
            ++end;
        if (end < text.size() && text[end] == '\n')
            ++end;
        start = end;
    }
    return lines;
}

std::string UpperCase(std::string_view s)
{
    std::string out(s);
    for (auto& c : out)
        c = AsciiUpper(c);
    return out;
}

std::string LowerCase(std::string_view s)
{
    std::string out(s);
    for (auto& c : out)
        c = AsciiLower(c);
    return out;
}

int CompareText(std::string_view a, std::string_view b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(AsciiUpper(a[i]));
        const int cb = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (ca != cb)
            return ca - cb;
    }
    return int(a.size()) - int(b.size());
}

bool SameText(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int Utf8Length(std::string_view s)
{
    int count = 0;
    for (size_t pos = 0; pos < s.size(); ++count)
        DecodeAt(s, pos);
    return count;
}

std::string Utf8Copy(std::string_view s, int index, int count)
{
    if (index < 1)
        index = 1;
    if (count <= 0)
        return {};
    const size_t begin = ByteOffsetOfChar(s, index);
    size_t end = begin;
    for (int i = 0; i < count && end < s.size(); ++i)
        DecodeAt(s, end);
    return std::string(s.substr(begin, end - begin));
}

int Utf8Pos(std::string_view sub, std::string_view s)
{
    if (sub.empty())
        return 0;
    const size_t at = s.find(sub);
    if (at == std::string_view::npos)
        return 0;
    return Utf8Length(s.substr(0, at)) + 1;
}

std::u32string Utf8ToUtf32(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    for (size_t pos = 0; pos < s.size();)
        out += DecodeAt(s, pos);
    return out;
}

std::u16string Utf8ToUtf16(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    for (const char32_t cp : Utf8ToUtf32(s)) {
        if (cp < 0x10000) {
            out += char16_t(cp);
        } else {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const char16_t u = s[i];
        char32_t cp = u;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
                cp = 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(s[i + 1]) - 0xDC00);
                ++i;
            } else {
                cp = kReplacement;
            }
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

} // namespace tovrel
