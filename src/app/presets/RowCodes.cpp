#include "app/presets/RowCodes.h"

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "platform/rtl/FloatText.h"
#include "platform/rtl/Numbers.h"

namespace tovrel {

std::size_t OptionCodePair(TParameterBox box)
{
    switch (box) {
    case TParameterBox::FrameSize: return 0;
    case TParameterBox::VideoBitrate: return 1;
    case TParameterBox::AudioBitrate: return 2;
    case TParameterBox::Aspect: return 3;
    case TParameterBox::FrameRate: return 4;
    case TParameterBox::SampleRate: return 5;
    }
    throw std::invalid_argument("unknown parameter box");
}

std::string TwoDigitPosition(int position)
{
    if (position < 0 || position > 99) {
        throw std::out_of_range("list position " + std::to_string(position) + " does not fit two digits");
    }
    return (position < 10 ? "0" : "") + std::to_string(position);
}

std::string MakeOptionCode(const TPerBox<int>& positions)
{
    std::string code(OptionCodeLength, '0');
    for (TParameterBox box : ParameterBoxes) {
        code.replace(2 * OptionCodePair(box), 2, TwoDigitPosition(positions[BoxIndex(box)]));
    }
    return code;
}

std::optional<TPerBox<int>> DecodeOptionCode(std::string_view code)
{
    if (code.size() != OptionCodeLength)
        return std::nullopt;
    TPerBox<int> positions{};
    for (TParameterBox box : ParameterBoxes) {
        const std::string_view pair = code.substr(2 * OptionCodePair(box), 2);
        if (pair[0] < '0' || pair[0] > '9' || pair[1] < '0' || pair[1] > '9')
            return std::nullopt;
        positions[BoxIndex(box)] = (pair[0] - '0') * 10 + (pair[1] - '0');
    }
    return positions;
}

std::string ReplaceOptionCodePair(std::string_view code, TParameterBox box, int position)
{
    std::string result(code);
    if (result.size() < OptionCodeLength)
        result.resize(OptionCodeLength, '0');
    result.replace(2 * OptionCodePair(box), 2, TwoDigitPosition(position));
    return result;
}

std::string SecToDate(int seconds)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.2d:%.2d:%.2d", (seconds / 3600) % 24, (seconds / 60) % 60, seconds % 60);
    return text;
}

std::string SizeText(std::int64_t bytes)
{
    const std::int64_t hundredths = Round(static_cast<double>(bytes) / 1024.0 / 1024.0 * 100.0);
    return FloatToStr(static_cast<double>(hundredths) / 100.0) + "MB";
}

std::string FormatTitleExtension(std::string_view title)
{
    if (title.size() < 5)
        return std::string();
    const std::string_view four = title.substr(title.size() - 5, 4);
    static constexpr std::pair<std::string_view, std::string_view> Spelled[] = {
        {"lac)", ".alac"}, {"flac", ".flac"}, {"aiff", ".aiff"}, {"mpeg", ".mpeg"}, {"*.rm", ".rm"}, {"*.ra", ".ra"}};
    for (const auto& [tail, extension] : Spelled) {
        if (four == tail)
            return std::string(extension);
    }
    return std::string(four);
}

} // namespace tovrel
