#include "media/engine/FFmpegOptions.h"

#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

namespace tovrel {

void InitInputOptions(TInputOptions& options)
{
    options = TInputOptions{};
}

void InitOutputOptions(TOutputOptions& options)
{
    options = TOutputOptions{};
}

std::vector<TOptionLine> ParseOptionText(const std::string& text)
{
    const std::string trimmed = Trim(text);
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

// Text that is not a number gives the unset time.
std::int64_t TimeFromText(const std::string& text)
{
    return StrToInt64Def(text, kUnsetTime);
}

} // namespace

TInputOptions InputOptionsFromText(const std::string& text)
{
    TInputOptions options;
    for (const TOptionLine& line : ParseOptionText(text)) {
        if (SameText(line.Name, "TimeStart"))
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
        if (SameText(line.Name, "Hook") || SameText(line.Name, "CustomHook"))
            options.CustomHook = true;
        else if (SameText(line.Name, "Join"))
            options.Join = true;
        else if (SameText(line.Name, "TimeStart"))
            options.TimeStart = TimeFromText(line.Value);
        else if (SameText(line.Name, "TimeLength"))
            options.TimeLength = TimeFromText(line.Value);
        else
            KeepAsExtOption(options.ExtOptions, line);
    }
    return options;
}

} // namespace tovrel
