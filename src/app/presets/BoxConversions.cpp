#include "app/presets/BoxConversions.h"

#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatText.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

namespace tovrel {

namespace {

constexpr std::string_view KeepFrameSize = "保持原分辨率";
constexpr std::string_view NoVideoFormat = "该格式无视频";
constexpr std::string_view NoVideo = "无视频";
constexpr std::string_view KeepFrameRate = "保持原帧速率";
constexpr std::string_view KeepAspect = "保持原视频模式";
constexpr std::string_view AutoAudioBitrate = "自动音频比特率";
constexpr std::string_view AutoSampleRate = "自动音频采样率";

std::string NumberBeforeKbps(std::string_view text)
{
    const std::size_t kbps = text.find("kbps");
    if (kbps == std::string_view::npos) {
        throw EConvertError("'" + std::string(text) + "' is not a bitrate in kbps");
    }
    return Trim(text.substr(0, kbps));
}

[[noreturn]] void NotABitrate(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid bitrate");
}

int WholeKbpsToBitrate(std::string_view number, std::string_view text)
{
    constexpr int Limit = std::numeric_limits<int>::max() / 1000;
    int kbps = 0;
    if (!TryStrToInt(number, kbps) || kbps > Limit || kbps < -Limit)
        NotABitrate(text);
    return kbps * 1000;
}

} // namespace

std::string FrameSizeFromBoxText(std::string_view text)
{
    return text == KeepFrameSize || text == NoVideoFormat ? std::string() : std::string(text);
}

std::string FrameRateFromBoxText(std::string_view text)
{
    return text == KeepFrameRate || text == NoVideo ? std::string() : std::string(text);
}

int VideoBitrateFromBoxText(std::string_view text)
{
    if (text == NoVideo)
        return AutoBitrate;
    return WholeKbpsToBitrate(NumberBeforeKbps(text), text);
}

int AudioBitrateFromBoxText(std::string_view text)
{
    if (text == AutoAudioBitrate)
        return AutoBitrate;
    const std::string number = NumberBeforeKbps(text);
    if (number.find('.') == std::string::npos)
        return WholeKbpsToBitrate(number, text);
    // Through the shortest decimal text, so that 12.2 * 1000 (12199.999...) reads 12200.
    double kbps = 0;
    if (!TryStrToFloat(number, kbps) || !std::isfinite(kbps))
        NotABitrate(text);
    int bitrate = 0;
    if (!TryStrToInt(FloatToStr(kbps * 1000.0), bitrate))
        NotABitrate(text);
    return bitrate;
}

std::string SampleRateFromBoxText(std::string_view text, TAutoSampleRate autoRate)
{
    if (text == AutoSampleRate)
        return autoRate == TAutoSampleRate::AutoValue ? std::string(AutoValue) : std::string();
    return std::string(text);
}

std::string AspectFromBoxText(std::string_view text, std::string_view previous)
{
    if (text == KeepAspect || text == NoVideo)
        return std::string();
    if (text == "普通视频4:3模式")
        return "4:3";
    if (text == "宽屏视频16:9模式")
        return "16:9";
    if (text == "宽屏视频37:20模式")
        return "37:20";
    if (text == "宽屏视频47:20模式")
        return "47:20";
    return std::string(previous);
}

void ApplyBoxTexts(const TBoxTexts& texts, TPendingOutputSettings& pending)
{
    const auto text = [&](TParameterBox box) -> const std::string& { return texts[BoxIndex(box)]; };
    pending.Video_FrameSize = FrameSizeFromBoxText(text(TParameterBox::FrameSize));
    pending.Video_FrameRate = FrameRateFromBoxText(text(TParameterBox::FrameRate));
    pending.Video_VideoBitrate = VideoBitrateFromBoxText(text(TParameterBox::VideoBitrate));
    pending.Video_AudioSampleRate = SampleRateFromBoxText(text(TParameterBox::SampleRate), TAutoSampleRate::AutoValue);
    pending.Video_AudioBitrate = AudioBitrateFromBoxText(text(TParameterBox::AudioBitrate));
    pending.Video_FrameAspectRatio = AspectFromBoxText(text(TParameterBox::Aspect), pending.Video_FrameAspectRatio);
}

std::string ApplyBoxText(TParameterBox box, std::string_view text, TPendingOutputSettings& pending)
{
    switch (box) {
    case TParameterBox::FrameSize: return pending.Video_FrameSize = FrameSizeFromBoxText(text);
    case TParameterBox::VideoBitrate:
        pending.Video_VideoBitrate = VideoBitrateFromBoxText(text);
        return std::to_string(pending.Video_VideoBitrate);
    case TParameterBox::FrameRate: return pending.Video_FrameRate = FrameRateFromBoxText(text);
    case TParameterBox::AudioBitrate:
        pending.Video_AudioBitrate = AudioBitrateFromBoxText(text);
        return std::to_string(pending.Video_AudioBitrate);
    case TParameterBox::SampleRate:
        return pending.Video_AudioSampleRate = SampleRateFromBoxText(text, TAutoSampleRate::Empty);
    case TParameterBox::Aspect:
        return pending.Video_FrameAspectRatio = AspectFromBoxText(text, pending.Video_FrameAspectRatio);
    }
    throw EConvertError("unknown parameter box");
}

} // namespace tovrel
