#include "app/presets/OutputOptionsTransfer.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Numbers.h"

namespace tovrel {

namespace {

constexpr std::string_view Libx264 = "libx264";

int WholeNumber(const std::string& text, std::string_view setting)
{
    int value = 0;
    if (!TryStrToInt(text, value)) {
        throw EConvertError(std::string(setting) + " '" + text + "' is not a valid integer value");
    }
    return value;
}

void ApplyVideoCodec(const std::string& codec, TOutputOptions& options)
{
    if (codec.empty())
        return;
    options.VideoCodec = codec;
    options.VideoPreset = codec == Libx264 ? std::string(Libx264DefaultPreset) : std::string();
}

void ApplyTargetType(const std::string& target, TOutputOptions& options)
{
    if (target.empty())
        return;
    if (target == "vcd") {
        options.TargetType = TOptionTargetType::ttVCD;
    } else if (target == "svcd") {
        options.TargetType = TOptionTargetType::ttSVCD;
    } else if (target == "dvd") {
        options.TargetType = TOptionTargetType::ttDVD;
    } else {
        options.TargetType = TOptionTargetType::ttIgnore;
    }
}

TOptionNormType NormTypeOf(const std::string& norm)
{
    if (norm == "PAL")
        return TOptionNormType::ntPAL;
    if (norm == "NTSC")
        return TOptionNormType::ntNTSC;
    return TOptionNormType::ntAuto;
}

void CopyIfSet(const std::string& value, std::string& field)
{
    if (!value.empty())
        field = value;
}

} // namespace

void ApplyPendingSettings(const TPendingOutputSettings& pending, TOutputOptions& options)
{
    ApplyVideoCodec(pending.Video_VideoCodec, options);
    CopyIfSet(pending.Video_AudioCodec, options.AudioCodec);
    CopyIfSet(pending.Video_FrameRate, options.FrameRate);
    options.DisableVideo = pending.Video_DisableVideo;
    if (!pending.Video_AudioChannels.empty()) {
        options.AudioChannels = WholeNumber(pending.Video_AudioChannels, "audio channels");
    }
    if (!pending.Video_AudioSampleRate.empty() && pending.Video_AudioSampleRate != AutoValue) {
        options.AudioSampleRate = WholeNumber(pending.Video_AudioSampleRate, "sample rate");
    }
    CopyIfSet(pending.Video_FrameSize, options.FrameSize);
    ApplyTargetType(pending.Video_TargetType, options);
    options.NormType = NormTypeOf(pending.Video_NormType);
    options.AudioVolume = WholeNumber(pending.Video_AudioVolume, "audio volume");
    CopyIfSet(pending.Video_FrameAspectRatio, options.FrameAspectRatio);
    if (pending.Video_AudioBitrate != AutoBitrate)
        options.AudioBitrate = pending.Video_AudioBitrate;
    CopyIfSet(pending.Video_FileFormat, options.FileFormat);
    CopyIfSet(pending.Video_VideoFilters, options.VideoFilters);
    CopyIfSet(pending.Video_VideoTag, options.VideoTag);
    if (pending.Video_VideoBitrate != AutoBitrate)
        options.VideoBitrate = pending.Video_VideoBitrate;
}

void ApplyRowSettings(const TRowSettingsColumns& row, TOutputOptions& options)
{
    ApplyVideoCodec(row.colVideoCodec, options);
    CopyIfSet(row.colAudioCodec, options.AudioCodec);
    if (!row.colAudioChannels.empty())
        options.AudioChannels = WholeNumber(row.colAudioChannels, "audio channels");
    options.VideoTag = row.colVideoCodec != Libx264 ? row.colVideoTag : std::string();
    CopyIfSet(row.colFileExt, options.FileExt);
    CopyIfSet(row.colFrameSize, options.FrameSize);
    if (!row.colVideoBitrate.empty())
        options.VideoBitrate = WholeNumber(row.colVideoBitrate, "video bitrate");
    CopyIfSet(row.colFrameRate, options.FrameRate);
    // An empty column counts as not set too, rather than failing the whole rebuild.
    if (!row.colAudioBitrate.empty() && row.colAudioBitrate != std::to_string(AutoBitrate)) {
        options.AudioBitrate = WholeNumber(row.colAudioBitrate, "audio bitrate");
    }
    if (!row.colAudioSampleRate.empty() && row.colAudioSampleRate != AutoValue) {
        options.AudioSampleRate = WholeNumber(row.colAudioSampleRate, "sample rate");
    }
    CopyIfSet(row.colFrameAspectRatio, options.FrameAspectRatio);
    options.DisableVideo = row.colDisableVideo == "True";
    ApplyTargetType(row.colTargetType, options);
    options.NormType = NormTypeOf(row.colNormType);
}

} // namespace tovrel
