#include "media/transcode/FFmpegOutput.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/transcode/FFmpegOutputPresence.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

namespace tovrel {

namespace {

// The errno that keeps files from being made in the folder; 0 when none does.
int FolderUnusable(const std::filesystem::path& folder)
{
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0)
        return errno;
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
}

struct TStreamKinds {
    bool Video = false;
    bool Audio = false;
    bool Subtitle = false;
};

TStreamKinds InputStreamKinds(const TCustomFFmpeg& job, bool firstOnly)
{
    TStreamKinds kinds;
    const int count = firstOnly ? std::min(job.Fnb_input_files, 1) : job.Fnb_input_files;
    for (int i = 0; i < count; ++i) {
        const AVFormatContext* input = job.Finput_files[static_cast<std::size_t>(i)];
        for (unsigned j = 0; j < input->nb_streams; ++j) {
            const AVMediaType type = input->streams[j]->codecpar->codec_type;
            if (type < AVMEDIA_TYPE_UNKNOWN || type >= AVMEDIA_TYPE_NB)
                throw FFmpegException("invalid codec_type of input file");
            kinds.Video |= type == AVMEDIA_TYPE_VIDEO;
            kinds.Audio |= type == AVMEDIA_TYPE_AUDIO;
            kinds.Subtitle |= type == AVMEDIA_TYPE_SUBTITLE;
        }
    }
    return kinds;
}

TStreamKinds WantedStreamKinds(const TCustomFFmpeg& job, const AVOutputFormat* format, bool join)
{
    TStreamKinds wanted;
    wanted.Video = format->video_codec != AV_CODEC_ID_NONE || job.Fvideo_stream_copy || !job.Fvideo_codec_name.empty();
    wanted.Audio = format->audio_codec != AV_CODEC_ID_NONE || job.Faudio_stream_copy || !job.Faudio_codec_name.empty();
    wanted.Subtitle =
        format->subtitle_codec != AV_CODEC_ID_NONE || job.Fsubtitle_stream_copy || !job.Fsubtitle_codec_name.empty();
    if (job.Fnb_input_files > 0) {
        const TStreamKinds present = InputStreamKinds(job, join);
        wanted.Video &= present.Video;
        wanted.Audio &= present.Audio;
        if (present.Subtitle && !wanted.Subtitle && !job.Fsubtitle_disable)
            GetFFLogger()->Log(&job, llInfo, "Subtitle streams are left out: the output format has no subtitle codec");
        wanted.Subtitle &= present.Subtitle;
    }
    wanted.Video &= !job.Fvideo_disable;
    wanted.Audio &= !job.Faudio_disable;
    wanted.Subtitle &= !job.Fsubtitle_disable;
    return wanted;
}

// Undoes a partly made output: its streams, its place in the job's list and
// the context. No file exists yet: it is created when the run starts.
class TOutputUnderConstruction {
public:
    TOutputUnderConstruction(TCustomFFmpeg& job, TMediaJobState& state) : job_(job), state_(state) {}
    ~TOutputUnderConstruction()
    {
        if (!Context)
            return;
        if (Listed) {
            ReleaseOutputStreams(state_, job_.Fnb_output_files - 1);
            job_.Foutput_files[static_cast<std::size_t>(--job_.Fnb_output_files)] = nullptr;
        }
        FF.avformat_free_context(Context);
    }
    TOutputUnderConstruction(const TOutputUnderConstruction&) = delete;
    TOutputUnderConstruction& operator=(const TOutputUnderConstruction&) = delete;

    AVFormatContext* Release()
    {
        AVFormatContext* result = Context;
        Context = nullptr;
        return result;
    }

    AVFormatContext* Context = nullptr;
    bool Listed = false;

private:
    TCustomFFmpeg& job_;
    TMediaJobState& state_;
};

// The format for an output name. Several muxers claim ".vob" and the
// library's guess among them is the SVCD one; a .vob file is a DVD video object.
const AVOutputFormat* GuessOutputFormat(const std::string& fileName)
{
    if (LowerCase(ExtractFileExt(fileName)) == ".vob")
        return FF.av_guess_format("vob", nullptr, nullptr);
    return FF.av_guess_format(nullptr, fileName.c_str(), nullptr);
}

bool Fail(TCustomFFmpeg& job, const std::string& message)
{
    job.SetLastErrMsg(message);
    return false;
}

template <class Step> bool Stage(TCustomFFmpeg& job, const char* failure, Step step)
{
    try {
        step();
        return true;
    } catch (const std::exception& e) {
        return Fail(job, Format(failure, e.what()));
    }
}

void SetMetadata(TCustomFFmpeg& job, AVFormatContext* context)
{
    // Set from the last pair to the first, so of a repeated key the first given wins.
    for (auto pair = job.Fmetadata.rbegin(); pair != job.Fmetadata.rend(); ++pair)
        FF.av_dict_set(&context->metadata, pair->first.c_str(), pair->second.c_str(), 0);
    job.Fmetadata.clear();
}

void ApplyMuxerSettings(TCustomFFmpeg& job, TMediaJobState& state, AVFormatContext* context)
{
    state.OutputPreloads.push_back(static_cast<std::int64_t>(job.Fmux_preload * 1000000));
    context->max_delay = static_cast<int>(job.Fmux_max_delay * 1000000);
    context->flags |= AVFMT_FLAG_NONBLOCK;
    if (job.FOptions.avformat_opts)
        ApplyFFOptions(job.FOptions, context, job.FOptions.avformat_opts, AV_OPT_FLAG_ENCODING_PARAM);
    job.Fstreamid_map.fill(0);
}

// The encoders of a join are opened once, so they take the first input's
// format (unless the user set one after the last input) and every later
// input is scaled and resampled to it.
void UseFirstInputFormat(TCustomFFmpeg& job)
{
    const TNotedFormat& first = job.Ffirst_input_format;
    if (first.Video && !job.Fframe_size_asked) {
        job.Fframe_width = first.FrameWidth;
        job.Fframe_height = first.FrameHeight;
        job.Fframe_aspect_ratio = first.FrameAspectRatio;
    }
    if (!first.Audio)
        return;
    if (!job.Faudio_sample_rate_asked)
        job.Faudio_sample_rate = first.AudioSampleRate;
    if (!job.Faudio_channels_asked) {
        job.Faudio_channels = first.AudioChannels;
        job.Fchannel_layout = first.ChannelLayout;
    }
}

void AddJoinEntries(TCustomFFmpeg& job, AVFormatContext* context)
{
    job.FJoinMode = true;
    std::int64_t total = 0;
    for (int i = 0; i < job.Fnb_input_files; ++i) {
        const std::int64_t duration = job.Finput_files[static_cast<std::size_t>(i)]->duration;
        if (duration != AV_NOPTS_VALUE && duration > 0)
            total += duration;
    }
    job.FTotalOutputDuration = total == 0 ? -1 : total;
    for (int i = 1; i < job.Fnb_input_files; ++i)
        job.Foutput_files[static_cast<std::size_t>(job.Fnb_output_files++)] = context;
}

std::string InputSharingTheFile(const TMediaJobState& state, const std::string& fileName)
{
    for (const std::string& input : state.InputFileNames)
        if (SameFile(DecodeAVFileName(input), DecodeAVFileName(fileName)))
            return input;
    return {};
}

} // namespace

bool SameFile(const std::string& first, const std::string& second)
{
    struct stat firstInfo {};
    struct stat secondInfo {};
    if (::stat(first.c_str(), &firstInfo) == 0 && ::stat(second.c_str(), &secondInfo) == 0)
        return firstInfo.st_dev == secondInfo.st_dev && firstInfo.st_ino == secondInfo.st_ino;
    std::error_code error;
    const auto normal = [&error](const std::string& name) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(name, error), error).lexically_normal();
    };
    return normal(first) == normal(second);
}

bool OpenOutput(TCustomFFmpeg& job, TMediaJobState& state, const std::string& fileName, bool join)
{
    if (job.FJoinMode)
        return Fail(job, "Cannot join more than one output file.");
    const int entries = join && job.Fnb_input_files > 1 ? job.Fnb_input_files : 1;
    if (job.Fnb_output_files + entries > job.MaxFiles())
        return Fail(job, Format("max output files %d reached", job.MaxFiles()));
    // Opening the output truncates it, so it must never be one of the inputs.
    if (const std::string input = InputSharingTheFile(state, fileName); !input.empty())
        return Fail(job, Format("Output file '%s' is the input file '%s'", fileName, input));
    job.FEnableFilter = !job.Fvfilters.empty();

    TOutputUnderConstruction output(job, state);
    output.Context = FF.avformat_alloc_context();
    if (!output.Context)
        throw FFmpegException("avformat_alloc_context failed");
    const std::string url = EncodeAVFileName(fileName);
    const AVOutputFormat* format = nullptr;
    if (!job.Flast_asked_format.empty()) {
        format = FF.av_guess_format(job.Flast_asked_format.c_str(), nullptr, nullptr);
        if (!format)
            return Fail(job,
                        Format("Requested output format '%s' is not a suitable output format", job.Flast_asked_format));
        job.Flast_asked_format.clear();
    } else {
        format = GuessOutputFormat(DecodeAVFileName(url));
        if (!format)
            return Fail(job, Format("Unable to find a suitable output format for '%s'", fileName));
    }
    output.Context->oformat = format;
    output.Context->url = FF.av_strdup(url.substr(0, 1023).c_str());

    if (join && job.Fnb_input_files > 1)
        UseFirstInputFormat(job);
    TStreamKinds wanted;
    if (!Stage(job, "check_audio_video_sub_inputs fail: %s", [&] { wanted = WantedStreamKinds(job, format, join); }))
        return false;
    const int fileIndex = job.Fnb_output_files;
    job.Foutput_files[static_cast<std::size_t>(job.Fnb_output_files++)] = output.Context;
    output.Listed = true;
    if (wanted.Video && !Stage(job, "new_video_stream fail: %s", [&] { NewVideoStream(job, state, fileIndex); }))
        return false;
    if (wanted.Audio && !Stage(job, "new_audio_stream fail: %s", [&] { NewAudioStream(job, state, fileIndex); }))
        return false;
    if (wanted.Subtitle &&
        !Stage(job, "new_subtitle_stream fail: %s", [&] { NewSubtitleStream(job, state, fileIndex); }))
        return false;
    SetMetadata(job, output.Context);

    if ((format->flags & AVFMT_NEEDNUMBER) && !FF.av_filename_number_test(output.Context->url))
        return Fail(job, DecodeAVFileName(url) + ": Number syntax expected in filename");
    // The file itself is opened (and truncated) only when the run starts; a
    // folder that is missing now is reported now.
    if (!(format->flags & AVFMT_NOFILE)) {
        std::error_code error;
        const std::filesystem::path folder = std::filesystem::absolute(DecodeAVFileName(url), error).parent_path();
        if (const int reason = FolderUnusable(folder))
            return Fail(job, FormatAVError(fileName, AVERROR(reason)));
    }
    ApplyMuxerSettings(job, state, output.Context);
    AVFormatContext* context = output.Release();
    if (join && job.Fnb_input_files > 1)
        AddJoinEntries(job, context);
    return true;
}

void OpenOutputFiles(TCustomFFmpeg& job, TOutputPresence& presence)
{
    AVFormatContext* previous = nullptr;
    for (int i = 0; i < job.Fnb_output_files; ++i) {
        AVFormatContext* context = job.Foutput_files[static_cast<std::size_t>(i)];
        // Join lists one output once per input, one after another.
        if (!context || context == previous || context->pb || (context->oformat->flags & AVFMT_NOFILE))
            continue;
        previous = context;
        const std::string url = context->url ? context->url : "";
        const int opened = UnicodeAVIOOpen(&context->pb, url, AVIO_FLAG_WRITE);
        if (opened < 0)
            throw FFmpegException(FormatAVError(DecodeAVFileName(url), opened));
        job.NoteOutputOpened(url);
        presence.Note(DecodeAVFileName(url));
    }
}

void ReleaseOutputs(TCustomFFmpeg& job, TMediaJobState& state)
{
    ReleaseOutputStreams(state, -1);
    state.OutputPreloads.clear();
    AVFormatContext* previous = nullptr;
    for (int i = 0; i < job.Fnb_output_files; ++i) {
        AVFormatContext* context = job.Foutput_files[static_cast<std::size_t>(i)];
        job.Foutput_files[static_cast<std::size_t>(i)] = nullptr;
        // Join lists one output once per input, one after another.
        if (!context || context == previous)
            continue;
        previous = context;
        if (context->pb && !(context->oformat->flags & AVFMT_NOFILE))
            UnicodeAVIOClose(&context->pb);
        FF.avformat_free_context(context);
    }
    job.Fnb_output_files = 0;
}

} // namespace tovrel
