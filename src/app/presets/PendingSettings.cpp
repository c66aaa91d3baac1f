#include "app/presets/PendingSettings.h"

namespace tovrel {

void ResetPendingSettings(TPendingOutputSettings& pending)
{
    pending = TPendingOutputSettings{};
}

TRowSettingsColumns RowSettingsFromPending(const TPendingOutputSettings& pending)
{
    return TRowSettingsColumns{pending.Video_VideoCodec,
                               pending.Video_AudioCodec,
                               pending.Video_AudioChannels,
                               pending.Video_VideoTag,
                               pending.Video_FileExt,
                               pending.Video_FrameSize,
                               std::to_string(pending.Video_VideoBitrate),
                               pending.Video_FrameRate,
                               std::to_string(pending.Video_AudioBitrate),
                               pending.Video_AudioSampleRate,
                               pending.Video_FrameAspectRatio,
                               pending.Video_DisableVideo ? "True" : "False",
                               pending.Video_TargetType,
                               pending.Video_NormType};
}

} // namespace tovrel
