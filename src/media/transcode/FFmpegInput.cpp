#include "media/transcode/FFmpegInput.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "platform/rtl/Format.h"

#include <mutex>

namespace tovrel {

namespace {

// The pending codec names and the capture channel belong to this input only,
// whatever the outcome.
class TInputOptionsConsumed {
public:
    explicit TInputOptionsConsumed(TCustomFFmpeg& job) : job_(job) {}
    ~TInputOptionsConsumed()
    {
        job_.Fvideo_codec_name.clear();
        job_.Faudio_codec_name.clear();
        job_.Fsubtitle_codec_name.clear();
        job_.Fvideo_channel = 0;
    }
    TInputOptionsConsumed(const TInputOptionsConsumed&) = delete;
    TInputOptionsConsumed& operator=(const TInputOptionsConsumed&) = delete;

private:
    TCustomFFmpeg& job_;
};

// Closes the input unless it was handed to the job.
class TInputContextGuard {
public:
    AVFormatContext* Context = nullptr;
    AVDictionary* Parameters = nullptr;
    ~TInputContextGuard()
    {
        FF.av_dict_free(&Parameters);
        if (Context && Opened)
            UnicodeCloseInput(&Context);
        else if (Context)
            FF.avformat_free_context(Context);
    }
    AVFormatContext* Release()
    {
        AVFormatContext* result = Context;
        Context = nullptr;
        return result;
    }
    bool Opened = false;
};

int StrictnessOf(const TCustomFFmpeg& job, AVMediaType type)
{
    const AVCodecContext* options = job.FOptions.avcodec_opts[type];
    return options ? options->strict_std_compliance : FF_COMPLIANCE_NORMAL;
}

void SetParameter(AVDictionary*& parameters, const char* key, const std::string& value)
{
    FF.av_dict_set(&parameters, key, value.c_str(), 0);
}

// The demuxer parameters that raw and capture formats read; others ignore them.
AVDictionary* InputParameters(const TCustomFFmpeg& job)
{
    AVDictionary* parameters = nullptr;
    if (job.Faudio_sample_rate > 0)
        SetParameter(parameters, "sample_rate", std::to_string(job.Faudio_sample_rate));
    if (job.Faudio_channels > 0)
        SetParameter(parameters, "channels", std::to_string(job.Faudio_channels));
    if (job.Fframe_rate.num > 0 && job.Fframe_rate.den > 0)
        SetParameter(parameters, "framerate", Format("%d/%d", job.Fframe_rate.num, job.Fframe_rate.den));
    if (job.Fframe_width > 0 && job.Fframe_height > 0)
        SetParameter(parameters, "video_size", Format("%dx%d", job.Fframe_width, job.Fframe_height));
    if (job.Fframe_pix_fmt != AV_PIX_FMT_NONE)
        if (const char* name = FF.av_get_pix_fmt_name(job.Fframe_pix_fmt))
            SetParameter(parameters, "pixel_format", name);
    if (job.Fvideo_channel != 0)
        SetParameter(parameters, "channel", std::to_string(job.Fvideo_channel));
    if (!job.Fvideo_standard.empty())
        SetParameter(parameters, "standard", job.Fvideo_standard);
    return parameters;
}

bool ForceDecoders(TCustomFFmpeg& job, AVFormatContext* context, std::array<const AVCodec*, mtCount>& forced)
{
    const struct {
        const std::string& Name;
        AVMediaType Type;
        TMediaTypeIndex Index;
    } kinds[] = {{job.Fvideo_codec_name, AVMEDIA_TYPE_VIDEO, mtVideo},
                 {job.Faudio_codec_name, AVMEDIA_TYPE_AUDIO, mtAudio},
                 {job.Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE, mtSubtitle}};
    for (const auto& kind : kinds)
        if (!FindCodec(job, kind.Name, kind.Type, TCodecRole::Decoder, StrictnessOf(job, kind.Type),
                       forced[kind.Index]))
            return false;
    context->video_codec = forced[mtVideo];
    context->audio_codec = forced[mtAudio];
    context->subtitle_codec = forced[mtSubtitle];
    context->video_codec_id = forced[mtVideo] ? forced[mtVideo]->id : AV_CODEC_ID_NONE;
    context->audio_codec_id = forced[mtAudio] ? forced[mtAudio]->id : AV_CODEC_ID_NONE;
    context->subtitle_codec_id = forced[mtSubtitle] ? forced[mtSubtitle]->id : AV_CODEC_ID_NONE;
    if (job.Fpgmyuv_compatibility_hack)
        context->video_codec_id = AV_CODEC_ID_PGMYUV;
    return true;
}

bool SelectProgram(TCustomFFmpeg& job, AVFormatContext* context)
{
    if (job.Fopt_programid == 0)
        return true;
    for (unsigned i = 0; i < context->nb_streams; ++i)
        context->streams[i]->discard = AVDISCARD_ALL;
    bool found = false;
    for (unsigned i = 0; i < context->nb_programs; ++i) {
        AVProgram* program = context->programs[i];
        if (program->id != job.Fopt_programid) {
            program->discard = AVDISCARD_ALL;
            continue;
        }
        found = true;
        for (unsigned j = 0; j < program->nb_stream_indexes; ++j)
            context->streams[program->stream_index[j]]->discard = AVDISCARD_DEFAULT;
    }
    if (!found) {
        job.SetLastErrMsg("Specified program id not found");
        return false;
    }
    job.Fopt_programid = 0;
    return true;
}

// What the first input's streams noted, for a join's encoders.
void KeepFirstInputFormat(TCustomFFmpeg& job, AVMediaType type)
{
    if (job.Fnb_input_files != 0)
        return;
    TNotedFormat& first = job.Ffirst_input_format;
    if (type == AVMEDIA_TYPE_VIDEO) {
        first.Video = true;
        first.FrameWidth = job.Fframe_width;
        first.FrameHeight = job.Fframe_height;
        first.FrameAspectRatio = job.Fframe_aspect_ratio;
        return;
    }
    first.Audio = true;
    first.AudioSampleRate = job.Faudio_sample_rate;
    first.AudioChannels = job.Faudio_channels;
    first.ChannelLayout = job.Fchannel_layout;
}

void NoteVideoStream(TCustomFFmpeg& job, AVStream* stream, int index)
{
    AVCodecParameters* parameters = stream->codecpar;
    job.Fframe_width = parameters->width;
    job.Fframe_height = parameters->height;
    const AVRational sar =
        stream->sample_aspect_ratio.num ? stream->sample_aspect_ratio : parameters->sample_aspect_ratio;
    job.Fframe_aspect_ratio = FrameAspectRatio(parameters->width, parameters->height, sar.num, sar.den);
    job.Fframe_size_asked = false;
    KeepFirstInputFormat(job, AVMEDIA_TYPE_VIDEO);
    // A decoder that reports no pixel format is taken as 4:2:0 planar.
    if (parameters->format < 0)
        parameters->format = AV_PIX_FMT_YUV420P;
    job.Fframe_pix_fmt = static_cast<AVPixelFormat>(parameters->format);
    const AVRational real = stream->r_frame_rate;
    const AVRational average = stream->avg_frame_rate;
    if (job.Fverbose >= 0 && real.num && real.den && average.num && average.den &&
        (real.num != average.num || real.den != average.den))
        GetFFLogger()->Log(&job, llInfo,
                           Format("Seems stream %d codec frame rate differs from container frame rate: "
                                  "%2.2f (%d/%d) -> %2.2f (%d/%d)",
                                  index, double(average.num) / average.den, average.num, average.den,
                                  double(real.num) / real.den, real.num, real.den));
    job.Fframe_rate = real;
    if (job.Fvideo_disable)
        stream->discard = AVDISCARD_ALL;
    else if (job.Fvideo_discard != 0)
        stream->discard = static_cast<AVDiscard>(job.Fvideo_discard);
}

void NoteAudioStream(TCustomFFmpeg& job, AVStream* stream)
{
    const AVCodecParameters* parameters = stream->codecpar;
    job.Fchannel_layout = parameters->ch_layout.order == AV_CHANNEL_ORDER_NATIVE
                              ? static_cast<std::int64_t>(parameters->ch_layout.u.mask)
                              : 0;
    job.Faudio_channels = parameters->ch_layout.nb_channels;
    job.Faudio_channels_asked = false;
    job.Faudio_sample_rate = parameters->sample_rate;
    job.Faudio_sample_fmt = static_cast<AVSampleFormat>(parameters->format);
    job.Faudio_sample_rate_asked = false;
    KeepFirstInputFormat(job, AVMEDIA_TYPE_AUDIO);
    if (job.Faudio_disable)
        stream->discard = AVDISCARD_ALL;
}

// Appends one entry to the job's flat decoder list, which grows with the
// real stream counts.
void AppendInputCodec(TCustomFFmpeg& job, const AVCodec* codec)
{
    const auto index = static_cast<std::size_t>(job.Fnb_icodecs);
    if (index >= job.Finput_codecs.size())
        job.Finput_codecs.resize(index + 1, nullptr);
    job.Finput_codecs[index] = codec;
    ++job.Fnb_icodecs;
}

std::vector<const AVCodec*> ReadStreams(TCustomFFmpeg& job, AVFormatContext* context,
                                        const std::array<const AVCodec*, mtCount>& forced)
{
    std::vector<const AVCodec*> decoders(context->nb_streams, nullptr);
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        AVStream* stream = context->streams[i];
        switch (stream->codecpar->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            NoteVideoStream(job, stream, static_cast<int>(i));
            decoders[i] = forced[mtVideo];
            AppendInputCodec(job, decoders[i]);
            break;
        case AVMEDIA_TYPE_AUDIO:
            NoteAudioStream(job, stream);
            decoders[i] = forced[mtAudio];
            AppendInputCodec(job, decoders[i]);
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            decoders[i] = forced[mtSubtitle];
            AppendInputCodec(job, decoders[i]);
            if (job.Fsubtitle_disable)
                stream->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_DATA: break;
        case AVMEDIA_TYPE_UNKNOWN:
        case AVMEDIA_TYPE_ATTACHMENT: AppendInputCodec(job, nullptr); break;
        default: throw FFmpegException("invalid codec_type");
        }
    }
    return decoders;
}

} // namespace

float FrameAspectRatio(int width, int height, int sarNum, int sarDen)
{
    const double sar = (sarNum != 0 && sarDen != 0) ? double(sarNum) / sarDen : 0.0;
    if (static_cast<std::int64_t>(width) * height != 0)
        return static_cast<float>(sar == 0.0 ? double(width) / height : sar * width / height);
    return sar == 0.0 ? 4.0f / 3.0f : static_cast<float>(sar);
}

bool FindCodec(TCustomFFmpeg& job, const std::string& name, AVMediaType type, TCodecRole role, int strict,
               const AVCodec*& codec)
{
    codec = nullptr;
    if (name.empty())
        return true;
    const bool encoder = role == TCodecRole::Encoder;
    const char* word = encoder ? "encoder" : "decoder";
    const AVCodec* found =
        encoder ? FF.avcodec_find_encoder_by_name(name.c_str()) : FF.avcodec_find_decoder_by_name(name.c_str());
    if (!found) {
        job.SetLastErrMsg(Format("Unknown %s '%s'", word, name));
        return false;
    }
    if (found->type != type) {
        job.SetLastErrMsg(Format("Invalid %s type '%s'", word, name));
        return false;
    }
    if ((found->capabilities & AV_CODEC_CAP_EXPERIMENTAL) && strict > FF_COMPLIANCE_EXPERIMENTAL) {
        std::string message = Format("%s '%s' is experimental and might produce bad results.\r\n"
                                     "Add '-strict experimental' if you want to use it.",
                                     word, found->name);
        const AVCodec* other = encoder ? FF.avcodec_find_encoder(found->id) : FF.avcodec_find_decoder(found->id);
        if (other && !(other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
            message += Format("\r\nOr use the non experimental %s '%s'.", word, other->name);
        job.SetLastErrMsg(message);
        return false;
    }
    codec = found;
    return true;
}

bool OpenInput(TCustomFFmpeg& job, TMediaJobState& state, const std::string& fileName)
{
    TInputOptionsConsumed consumed(job);
    const int index = job.Fnb_input_files;
    if (index >= job.MaxFiles()) {
        job.SetLastErrMsg(Format("max input files %d reached", job.MaxFiles()));
        return false;
    }
    const AVInputFormat* format = nullptr;
    if (!job.Flast_asked_format.empty()) {
        format = FF.av_find_input_format(job.Flast_asked_format.c_str());
        if (!format)
            throw FFmpegException(Format("Unknown input format: \"%s\"", job.Flast_asked_format));
        job.Flast_asked_format.clear();
    }
    TInputContextGuard guard;
    guard.Context = FF.avformat_alloc_context();
    if (!guard.Context)
        throw FFmpegException("avformat_alloc_context failed");
    guard.Parameters = InputParameters(job);
    if (job.FOptions.avformat_opts)
        ApplyFFOptions(job.FOptions, guard.Context, job.FOptions.avformat_opts, AV_OPT_FLAG_DECODING_PARAM);
    std::array<const AVCodec*, mtCount> forced{};
    if (!ForceDecoders(job, guard.Context, forced))
        return false;
    guard.Context->flags |= AVFMT_FLAG_NONBLOCK;

    const std::string url = EncodeAVFileName(fileName);
    const int opened = UnicodeOpenInput(&guard.Context, url, format, &guard.Parameters);
    if (opened < 0) {
        job.SetLastErrMsg(FormatAVError(fileName, opened));
        return false;
    }
    guard.Opened = true;
    if (!SelectProgram(job, guard.Context))
        return false;
    int found = 0;
    {
        std::lock_guard lock(CodecOpenLock());
        found = FF.avformat_find_stream_info(guard.Context, nullptr);
    }
    if (found < 0 && job.Fverbose >= 0) {
        job.SetLastErrMsg(Format("%s: could not find codec parameters", fileName));
        GetFFLogger()->Log(&job, llVerbose, job.LastErrMsg());
        return false;
    }
    std::int64_t startTimestamp = job.Fstart_time;
    if (guard.Context->start_time != AV_NOPTS_VALUE)
        startTimestamp += guard.Context->start_time;
    if (job.Fstart_time != 0) {
        if (FF.av_seek_frame(guard.Context, -1, startTimestamp, AVSEEK_FLAG_BACKWARD) < 0 && job.Fverbose > 0)
            GetFFLogger()->Log(
                &job, llVerbose,
                Format("%s: could not seek to position %0.3f", fileName, double(startTimestamp) / AV_TIME_BASE));
        job.Fstart_time = 0;
    }
    const int codecsBefore = job.Fnb_icodecs;
    std::vector<const AVCodec*> decoders;
    try {
        decoders = ReadStreams(job, guard.Context, forced);
    } catch (...) {
        job.Fnb_icodecs = codecsBefore;
        throw;
    }
    if (guard.Context->duration != AV_NOPTS_VALUE && guard.Context->duration > job.FTotalOutputDuration)
        job.FTotalOutputDuration = guard.Context->duration;
    job.Finput_files_ts_offset[static_cast<std::size_t>(index)] =
        job.Fcopy_ts ? job.Finput_ts_offset : job.Finput_ts_offset - startTimestamp;
    if (job.Fverbose >= 0)
        FF.av_dump_format(guard.Context, index, url.c_str(), 0);
    job.Finput_files[static_cast<std::size_t>(index)] = guard.Release();
    state.InputFileNames.resize(static_cast<std::size_t>(index) + 1);
    state.InputFileNames[static_cast<std::size_t>(index)] = fileName;
    state.ForcedDecoders.resize(static_cast<std::size_t>(index) + 1);
    state.ForcedDecoders[static_cast<std::size_t>(index)] = std::move(decoders);
    job.Fnb_input_files = index + 1;
    return true;
}

} // namespace tovrel
