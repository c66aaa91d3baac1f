#include "media/targets/FFmpegTargets.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/targets/FFmpegTargetsData.h"
#include "platform/rtl/Numbers.h"
#include "platform/rtl/Text.h"

#include <optional>

namespace tovrel {

namespace {

constexpr const char* kTargetsTable = "targets.tsv";

const char* NormFrameRate(TTargetNorm norm)
{
    switch (norm) {
    case TTargetNorm::PAL: return "25";
    case TTargetNorm::NTSC: return "30000/1001";
    case TTargetNorm::FILM: break;
    }
    return "24000/1001";
}

// A rate in thousandths of a frame per second that names a norm.
std::optional<TTargetNorm> NormOfRate(std::int64_t milliHertz)
{
    if (milliHertz == 25000)
        return TTargetNorm::PAL;
    if (milliHertz == 29970 || milliHertz == 23976)
        return TTargetNorm::NTSC;
    return std::nullopt;
}

std::int64_t MilliHertz(AVRational rate)
{
    return Round(static_cast<double>(rate.num) * 1000.0 / rate.den);
}

// The first video stream of the open inputs whose frame rate names a norm.
// The stream's nominal frame rate stands for the codec time base the decoder
// would report once opened.
std::optional<TTargetNorm> NormOfInputs(const TCustomFFmpeg& job)
{
    for (int i = 0; i < job.Fnb_input_files; ++i) {
        const AVFormatContext* input = job.Finput_files[static_cast<std::size_t>(i)];
        for (unsigned j = 0; input && j < input->nb_streams; ++j) {
            const AVStream* stream = input->streams[j];
            if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO)
                continue;
            const AVRational rate = stream->r_frame_rate.den > 0 ? stream->r_frame_rate : stream->avg_frame_rate;
            if (rate.num <= 0 || rate.den <= 0)
                continue;
            if (auto norm = NormOfRate(MilliHertz(rate)))
                return norm;
        }
    }
    return std::nullopt;
}

TTargetNorm DefaultNorm(const std::string& defaultNorm)
{
    if (defaultNorm == "film")
        return TTargetNorm::FILM;
    return defaultNorm == "ntsc" ? TTargetNorm::NTSC : TTargetNorm::PAL;
}

// The value of a "PAL|NTSC-like" pair, or the value itself.
std::string ForNorm(const std::string& value, TTargetNorm norm)
{
    const auto bar = value.find('|');
    if (bar == std::string::npos)
        return value;
    return norm == TTargetNorm::PAL ? value.substr(0, bar) : value.substr(bar + 1);
}

void SetChannels(TCustomFFmpeg& job, const std::string& value)
{
    // "1->2" makes mono stereo and keeps any other count.
    if (const auto arrow = value.find("->"); arrow != std::string::npos) {
        if (job.Faudio_channels == StrToInt(value.substr(0, arrow)))
            job.Faudio_channels = StrToInt(value.substr(arrow + 2));
        return;
    }
    job.Faudio_channels = StrToInt(value);
}

void AssumeAspect(TCustomFFmpeg& job, const std::string& value)
{
    if (job.Fframe_aspect_ratio != 0)
        return;
    job.ParseOption("aspect", value);
    GetFFLogger()->Log(&job, llInfo, "Assuming " + value + " for aspect ratio");
}

void ApplySetting(TCustomFFmpeg& job, const std::string& setting, const std::string& value)
{
    static const char* const handled[] = {"vcodec", "acodec", "f", "s", "pix_fmt"};
    for (const char* name : handled)
        if (setting == name) {
            job.ParseOption(setting, value);
            return;
        }
    if (setting == "ar")
        job.Faudio_sample_rate = StrToInt(value);
    else if (setting == "ac")
        SetChannels(job, value);
    else if (setting == "aspect")
        AssumeAspect(job, value);
    else if (setting == "preload")
        // Microseconds in the table; the field reaches the muxer's private
        // option when the header is written, so a later "muxpreload" overrides it.
        job.Fmux_preload = static_cast<float>(StrToInt(value) / 1e6);
    else
        job.SetAVOption(setting, value);
}

} // namespace

void SetTargetText(TCustomFFmpeg& job, const std::string& value)
{
    const std::string text = Trim(value);
    for (const char* norm : {"pal", "ntsc", "film"}) {
        const std::string prefix = std::string(norm) + "-";
        if (text.starts_with(prefix)) {
            SetTarget(job, text.substr(prefix.size()), norm, "ntsc");
            return;
        }
    }
    SetTarget(job, text, "auto", "ntsc");
}

TTargetNorm SettleTargetNorm(TCustomFFmpeg& job, const std::string& norm, const std::string& defaultNorm)
{
    if (norm == "pal")
        return TTargetNorm::PAL;
    if (norm == "ntsc")
        return TTargetNorm::NTSC;
    if (norm == "film")
        return TTargetNorm::FILM;
    if (job.Fframe_rate.den == 0)
        throw FFmpegException("frame_rate is invalid.");
    std::optional<TTargetNorm> guess = NormOfRate(MilliHertz(job.Fframe_rate));
    if (!guess)
        guess = NormOfInputs(job);
    const TTargetNorm settled = guess ? *guess : DefaultNorm(defaultNorm);
    if (job.Fverbose > 0)
        GetFFLogger()->Log(&job, llVerbose,
                           std::string("Assuming ") + (settled == TTargetNorm::PAL ? "PAL" : "NTSC") + " for target.");
    return settled;
}

void SetTarget(TCustomFFmpeg& job, const std::string& target, const std::string& norm, const std::string& defaultNorm)
{
    const TTargetNorm settled = SettleTargetNorm(job, norm, defaultNorm);
    const TMediaTable& table = EmbeddedMediaTable(kTargetsTable);
    std::size_t column = 0;
    for (std::size_t i = 1; i < table.Header.size(); ++i)
        if (table.Header[i] == target)
            column = i;
    if (column == 0)
        throw FFmpegException("Unknown target type");
    job.ParseOption("r", NormFrameRate(settled));
    for (const std::vector<std::string>& row : table.Rows)
        if (!row[column].empty())
            ApplySetting(job, row[0], ForNorm(row[column], settled));
}

} // namespace tovrel
