#pragma once

#include <string>
#include <string_view>

namespace tovrel {

// Sentinels of the pending settings: no explicit bitrate, sample rate not set,
// volume unchanged.
inline constexpr int AutoBitrate = -1000;
inline constexpr std::string_view AutoValue = "AUTO";
inline constexpr std::string_view DefaultVolume = "256";

// The main window's pending output settings: what the preset step, the box step
// and the output format dialog write for the file being added or the selected
// row, before they become a task's output options. Empty text means not set.
struct TPendingOutputSettings {
    std::string Video_OutPutFileName;
    std::string Video_FileExt;
    std::string Video_AudioChannels;
    std::string Video_AudioSampleRate;
    std::string Video_FrameSize;
    std::string Video_FrameRate;
    std::string Video_NormType;
    std::string Video_VideoFilters;
    std::string Video_AudioVolume{DefaultVolume};
    std::string Video_FrameAspectRatio;
    std::string Video_VideoCodec;
    std::string Video_AudioCodec;
    std::string Video_CopyTimestamp;
    std::string Video_FileFormat;
    std::string Video_TargetType;
    std::string Video_VideoTag;
    int Video_VideoBitrate = -1;
    int Video_AudioBitrate = -1;
    bool Video_DisableVideo = false;

    bool operator==(const TPendingOutputSettings&) const = default;
};

// The reset step: texts empty, volume "256", both bitrates -1, video enabled.
void ResetPendingSettings(TPendingOutputSettings& pending);

// The settings columns of a file-list row (sub-items 10 to 23), as text.
struct TRowSettingsColumns {
    std::string colVideoCodec;
    std::string colAudioCodec;
    std::string colAudioChannels;
    std::string colVideoTag;
    std::string colFileExt;
    std::string colFrameSize;
    std::string colVideoBitrate;
    std::string colFrameRate;
    std::string colAudioBitrate;
    std::string colAudioSampleRate;
    std::string colFrameAspectRatio;
    std::string colDisableVideo;
    std::string colTargetType;
    std::string colNormType;

    bool operator==(const TRowSettingsColumns&) const = default;
};

// The row update: the pending settings as the row's settings columns.
TRowSettingsColumns RowSettingsFromPending(const TPendingOutputSettings& pending);

} // namespace tovrel
