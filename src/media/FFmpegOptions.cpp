#include "media/FFmpegOptions.h"

#include "media/FFmpegOptionText.h"

#include <cctype>
#include <charconv>

namespace tovrel {

void InitInputOptions(TInputOptions& options)
{
    options = TInputOptions{};
}

void InitOutputOptions(TOutputOptions& options)
{
    options = TOutputOptions{};
}

std::string TrimBlanks(const std::string& text)
{
    // Blanks are every character up to the space, control characters included.
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

std::string LowerCaseAscii(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool SameTextAscii(const std::string& a, const std::string& b)
{
    return LowerCaseAscii(a) == LowerCaseAscii(b);
}

std::int64_t TimeFromText(const std::string& text)
{
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        negative = text[pos++] == '-';
    int base = 10;
    if (pos < text.size() && text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
        base = 16;
        pos += 2;
    }
    std::uint64_t magnitude = 0;
    const char* begin = text.data() + pos;
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(begin, end, magnitude, base);
    if (begin == end || error != std::errc() || stop != end)
        return kUnsetTime;
    const std::uint64_t limit = negative ? std::uint64_t(INT64_MAX) + 1 : std::uint64_t(INT64_MAX);
    if (magnitude > limit)
        return kUnsetTime;
    return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

std::vector<TOptionLine> ParseOptionText(const std::string& text)
{
    const std::string trimmed = TrimBlanks(text);
    std::string normalised;
    normalised.reserve(trimmed.size());
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (c == '\r') {
            if (i + 1 < trimmed.size() && trimmed[i + 1] == '\n')
                ++i;
            normalised += '\n';
        } else if (trimmed.compare(i, 6, "<CRLF>") == 0) {
            normalised += '\n';
            i += 5;
        } else {
            normalised += c;
        }
    }

    std::vector<TOptionLine> lines;
    std::size_t start = 0;
    while (start < normalised.size()) {
        std::size_t end = normalised.find('\n', start);
        if (end == std::string::npos)
            end = normalised.size();
        const std::string line = normalised.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            lines.push_back({line, ""});
        else
            lines.push_back({line.substr(0, equals), line.substr(equals + 1)});
        start = end + 1;
    }
    return lines;
}

namespace {

void KeepAsExtOption(std::string& extOptions, const TOptionLine& line)
{
    extOptions += line.Name + "=" + line.Value + "\n";
}

} // namespace

TInputOptions InputOptionsFromText(const std::string& text)
{
    TInputOptions options;
    for (const TOptionLine& line : ParseOptionText(text)) {
        if (SameTextAscii(line.Name, "TimeStart"))
            options.TimeStart = TimeFromText(line.Value);
        else
            KeepAsExtOption(options.ExtOptions, line);
    }
    return options;
}

TOutputOptions OutputOptionsFromText(const std::string& text)
{
    TOutputOptions options;
    for (const TOptionLine& line : ParseOptionText(text)) {
        if (SameTextAscii(line.Name, "Hook") || SameTextAscii(line.Name, "CustomHook"))
            options.CustomHook = true;
        else if (SameTextAscii(line.Name, "Join"))
            options.Join = true;
        else if (SameTextAscii(line.Name, "TimeStart"))
            options.TimeStart = TimeFromText(line.Value);
        else if (SameTextAscii(line.Name, "TimeLength"))
            options.TimeLength = TimeFromText(line.Value);
        else
            KeepAsExtOption(options.ExtOptions, line);
    }
    return options;
}

} // namespace tovrel
