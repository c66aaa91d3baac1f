#include "media/engine/FFmpegOptionsApply.h"

#include "media/engine/FFmpegTasksTask.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Text.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace tovrel {

namespace {

// The name=value list of the output's stream settings: the record's "def_"
// defaults first, then the text's own stream lines in order.
class TStreamOptionList {
public:
    TStreamOptionList(const TOutputOptions& options)
    {
        AddDefault("acodec", options.AudioCodec);
        AddDefault("vcodec", options.VideoCodec);
        AddDefault("scodec", options.SubtitleCodec);
        AddDefault("apre", options.AudioPreset);
        AddDefault("vpre", options.VideoPreset);
        AddDefault("spre", options.SubtitlePreset);
        AddDefault("s", options.FrameSize);
        AddDefault("vf", options.VideoFilters);
        static constexpr std::string_view kStreamNames[] = {"acodec", "vcodec", "scodec",   "apre", "vpre",
                                                            "spre",   "s",      "vfilters", "vf"};
        for (const TOptionLine& line : ParseOptionText(options.ExtOptions)) {
            std::string name = LowerCase(line.Name);
            if (line.Value.empty() ||
                std::find(std::begin(kStreamNames), std::end(kStreamNames), name) == std::end(kStreamNames))
                continue;
            if (name == "vfilters")
                name = "vf";
            if (Find("def_" + name) == lines_.end())
                lines_.push_back({"def_" + name, line.Value});
            lines_.push_back({name, line.Value});
        }
    }

    std::string Default(const std::string& name) const
    {
        auto it = Find("def_" + name);
        return it == lines_.end() ? std::string() : it->Value;
    }

    // The first line of exactly this name, taken off the list; else the default.
    std::string Take(const std::string& name)
    {
        auto it = Find(name);
        if (it == lines_.end())
            return Default(name);
        std::string value = it->Value;
        lines_.erase(it);
        return value;
    }

private:
    void AddDefault(const std::string& name, const std::string& value)
    {
        if (!value.empty())
            lines_.push_back({"def_" + name, value});
    }
    std::vector<TOptionLine>::const_iterator Find(const std::string& name) const
    {
        return std::find_if(lines_.begin(), lines_.end(), [&](const TOptionLine& line) { return line.Name == name; });
    }

    std::vector<TOptionLine> lines_;
};

// An empty value changes nothing, so it is not sent at all.
void ParseIfSet(TFFmpeg& task, const std::string& name, const std::string& value)
{
    if (!value.empty())
        task.ParseOption(name, value);
}

void ParseIfPositive(TFFmpeg& task, const std::string& name, std::int32_t value)
{
    if (value > 0)
        task.ParseOption(name, std::to_string(value));
}

void SetGenericIfPositive(TFFmpeg& task, const std::string& name, std::int32_t value)
{
    if (value > 0)
        task.SetAVOptionInt(name, value);
}

const char* NormText(TOptionNormType norm)
{
    switch (norm) {
    case TOptionNormType::ntPAL: return "pal";
    case TOptionNormType::ntNTSC: return "ntsc";
    default: return "auto";
    }
}

void ApplyTarget(TFFmpeg& task, const TOutputOptions& options)
{
    const char* type = nullptr;
    switch (options.TargetType) {
    case TOptionTargetType::ttVCD: type = "vcd"; break;
    case TOptionTargetType::ttSVCD: type = "svcd"; break;
    case TOptionTargetType::ttDVD: type = "dvd"; break;
    case TOptionTargetType::ttIgnore: return;
    }
    task.SetTarget(type, NormText(options.NormType), options.NormDefault == TOptionNormType::ntPAL ? "pal" : "ntsc");
}

void ApplyTimeStamp(TFFmpeg& task, const TStreamInfo& info)
{
    // The zone's offset is the one in force at that time (daylight saving included).
    if (info.TimeStamp == 0)
        task.Frecording_timestamp = LocalDateTimeToUnixTime(Now());
    else if (info.TimeStamp > 0)
        task.Frecording_timestamp = LocalDateTimeToUnixTime(info.TimeStamp);
}

void ApplyMetadata(TFFmpeg& task, const TStreamInfo& info)
{
    if (info.Year > 0)
        task.AddMetadata("year", std::to_string(info.Year));
    if (info.Track > 0)
        task.AddMetadata("track", std::to_string(info.Track));
    const std::pair<const char*, const std::string*> texts[] = {
        {"title", &info.Title},     {"author", &info.Author}, {"copyright", &info.Copyright},
        {"comment", &info.Comment}, {"album", &info.Album},   {"genre", &info.Genre}};
    for (const auto& [key, value] : texts)
        if (!value->empty())
            task.AddMetadata(key, *value);
}

// Video fields of the output record and the option each one sets, in the
// order they are sent.
struct TOutputNumberOption {
    const char* Name;
    std::int32_t TOutputOptions::*Field;
};
constexpr TOutputNumberOption kCropOptions[] = {{"croptop", &TOutputOptions::CropTop},
                                                {"cropbottom", &TOutputOptions::CropBottom},
                                                {"cropleft", &TOutputOptions::CropLeft},
                                                {"cropright", &TOutputOptions::CropRight}};
constexpr TOutputNumberOption kVideoRateOptions[] = {
    {"g", &TOutputOptions::GroupPictureSize},       {"vb", &TOutputOptions::VideoBitrate},
    {"maxrate", &TOutputOptions::VideoMaxRate},     {"minrate", &TOutputOptions::VideoMinRate},
    {"bt", &TOutputOptions::VideoBitRateTolerance}, {"bufsize", &TOutputOptions::VideoBufSize}};

void ApplyOutputNumbers(TFFmpeg& task, const TOutputOptions& options)
{
    if (!options.FileFormat.empty())
        task.SetFormat(options.FileFormat);
    SetGenericIfPositive(task, "packetsize", options.PacketSize);
    SetGenericIfPositive(task, "muxrate", options.MuxRate);
    task.SetMuxMaxDelay(options.MuxDelay);
    task.SetMuxPreload(options.MuxPreload);
    if (options.DisableAudio)
        task.Faudio_disable = true;
    task.SetAudioVolume(options.AudioVolume);
    ParseIfPositive(task, "ac", options.AudioChannels);
    ParseIfPositive(task, "ar", options.AudioSampleRate);
    SetGenericIfPositive(task, "ab", options.AudioBitrate);
    SetGenericIfPositive(task, "abt", options.AudioBitRateTolerance);
    task.Faudio_language = options.AudioLanguage;
    task.SetAudioSyncMethod(options.AudioSyncMethod);
    ParseIfSet(task, "atag", options.AudioTag);
    if (options.DisableVideo)
        task.Fvideo_disable = true;
    ParseIfSet(task, "r", options.FrameRate);
    ParseIfSet(task, "aspect", options.FrameAspectRatio);
    for (const auto& [name, field] : kCropOptions)
        ParseIfPositive(task, name, options.*field);
    for (const auto& [name, field] : kVideoRateOptions)
        SetGenericIfPositive(task, name, options.*field);
    task.SetVideoSyncMethod(options.VideoSyncMethod);
    ParseIfSet(task, "vtag", options.VideoTag);
    task.Fvideo_language = options.VideoLanguage;
    if (options.DisableSubtitle)
        task.Fsubtitle_disable = true;
    task.Fsubtitle_language = options.SubtitleLanguage;
    task.Finput_sync = options.InputSync;
    if (options.CopyTimestamp)
        task.Fcopy_ts = true;
    task.SetStartTime(options.TimeStart);
    task.SetRecordingTime(options.TimeLength);
    ApplyTimeStamp(task, options.Info);
    ApplyMetadata(task, options.Info);
}

// Each new stream line takes its own stream settings first: the n-th acodec
// line belongs to the n-th new audio stream, later ones take the defaults.
void ApplyNewStreams(TFFmpeg& task, const std::string& extOptions, TStreamOptionList& list)
{
    for (const TOptionLine& line : ParseOptionText(extOptions)) {
        const std::string name = LowerCase(line.Name);
        std::vector<std::string> streamOptions;
        if (name == "newaudio")
            streamOptions = {"acodec", "apre"};
        else if (name == "newvideo")
            streamOptions = {"vcodec", "vpre", "s", "vf"};
        else if (name == "newsubtitle")
            streamOptions = {"scodec", "spre"};
        else
            continue;
        for (const std::string& option : streamOptions)
            ParseIfSet(task, option, list.Take(option));
        task.ParseOption(name, line.Value);
    }
}

} // namespace

void ApplyInputOptions(TFFmpeg& task, const std::string& fileName, TInputOptions& options)
{
    if (options.FileName.empty())
        options.FileName = fileName;
    task.SetInputOptions(task.nb_input_files(), options);
    task.ApplyExtOptions(options.ExtOptions, true);
    if (!options.FileFormat.empty())
        task.SetFormat(options.FileFormat);
    task.SetStartTime(options.TimeStart);
    task.SetProgramID(options.ProgramID);
}

bool ApplyOutputOptionsAndOpen(TFFmpeg& task, const std::string& fileName, TOutputOptions& options,
                               const std::function<void()>& bindCustomHook)
{
    if (options.FileName.empty())
        options.FileName = fileName;
    task.SetOutputOptions(task.nb_output_files(), options);

    TStreamOptionList list(options);
    ApplyTarget(task, options);
    ParseIfSet(task, "acodec", list.Default("acodec"));
    ParseIfSet(task, "vcodec", list.Default("vcodec"));
    ParseIfSet(task, "scodec", list.Default("scodec"));
    for (const char* preset : {"apre", "vpre", "spre"}) {
        const std::string value = list.Default(preset);
        if (!value.empty())
            task.SetPreset(preset, value);
    }
    task.ApplyExtOptions(options.ExtOptions, false);
    ApplyOutputNumbers(task, options);
    ParseIfSet(task, "s", list.Default("s"));
    ParseIfSet(task, "vfilters", list.Default("vf"));
    if (options.CustomHook && bindCustomHook)
        bindCustomHook();
    if (!task.OpenOutputFile(fileName, options.Join))
        return false;
    ApplyNewStreams(task, options.ExtOptions, list);
    return true;
}

} // namespace tovrel
