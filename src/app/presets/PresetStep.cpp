#include "app/presets/PresetStep.h"

#include "app/presets/PresetKeys.h"

namespace tovrel {

namespace {

template <typename T> void Assign(T& field, const std::optional<T>& value)
{
    if (value)
        field = *value;
}

void TakeProfileAndName(const TPresetCatalog& catalog, std::optional<int> key, const TPresetStepContext& context,
                        TPendingOutputSettings& pending)
{
    pending.Video_DisableVideo = false;
    const TEncoderProfile* profile = key ? catalog.Profile(*key) : nullptr;
    if (profile != nullptr) {
        pending.Video_OutPutFileName = JoinFolder(
            context.OutputFolder, ReplaceFileNameExtension(FileNamePart(context.AddFileName), profile->OutputExt));
        ApplyEncoderProfile(*profile, pending);
    }
    pending.Video_OutPutFileName = MakeOutputFileName(pending.Video_OutPutFileName, context.OutputFolder,
                                                      context.OverwriteOutput, context.NameInUse);
}

} // namespace

void ApplyEncoderProfile(const TEncoderProfile& profile, TPendingOutputSettings& pending)
{
    Assign(pending.Video_FileExt, profile.FileExt);
    Assign(pending.Video_VideoCodec, profile.VideoCodec);
    Assign(pending.Video_VideoTag, profile.VideoTag);
    Assign(pending.Video_FrameSize, profile.FrameSize);
    Assign(pending.Video_FrameRate, profile.FrameRate);
    Assign(pending.Video_FrameAspectRatio, profile.FrameAspectRatio);
    Assign(pending.Video_VideoBitrate, profile.VideoBitrate);
    Assign(pending.Video_AudioCodec, profile.AudioCodec);
    Assign(pending.Video_AudioChannels, profile.AudioChannels);
    Assign(pending.Video_AudioSampleRate, profile.AudioSampleRate);
    Assign(pending.Video_AudioBitrate, profile.AudioBitrate);
    Assign(pending.Video_AudioVolume, profile.AudioVolume);
    Assign(pending.Video_VideoFilters, profile.VideoFilters);
    Assign(pending.Video_FileFormat, profile.FileFormat);
    Assign(pending.Video_CopyTimestamp, profile.CopyTimestamp);
    Assign(pending.Video_TargetType, profile.TargetType);
    Assign(pending.Video_NormType, profile.NormType);
    pending.Video_DisableVideo = profile.DisableVideo;
}

std::optional<int> RunPresetStep(int categoryPosition, int formatPosition, const TPresetStepContext& context,
                                 TPendingOutputSettings& pending)
{
    ResetPendingSettings(pending);
    const std::optional<int> key = PresetKey(categoryPosition, formatPosition);
    TakeProfileAndName(MainPresets(), key, context, pending);
    return key;
}

int RunDialogPresetStep(int categoryIndex, int formatIndex, const TPresetStepContext& context,
                        TPendingOutputSettings& pending)
{
    const int key = DialogPresetKey(categoryIndex, formatIndex);
    TakeProfileAndName(DialogPresets(), key, context, pending);
    return key;
}

} // namespace tovrel
