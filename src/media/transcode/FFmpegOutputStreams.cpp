#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/transcode/FFmpegInput.h"
#include "media/transcode/FFmpegOutput.h"
#include "media/transcode/FFmpegOutputMatch.h"

#include <cstdlib>
#include <cstring>

namespace tovrel {

namespace {

// A new stream's codec context, freed again unless the stream's record takes it.
struct TNewStream {
    AVStream* Stream = nullptr;
    AVCodecContext* Codec = nullptr;
    ~TNewStream()
    {
        if (Codec)
            FF.avcodec_free_context(&Codec);
    }
};

AVFormatContext* OutputOf(TCustomFFmpeg& job, int fileIndex)
{
    return job.Foutput_files.at(static_cast<std::size_t>(fileIndex));
}

void AddStream(TCustomFFmpeg& job, AVFormatContext* output, TNewStream& created)
{
    const unsigned position = output->nb_streams;
    created.Stream = FF.avformat_new_stream(output, nullptr);
    if (!created.Stream)
        throw FFmpegException("Could not alloc stream");
    // Stream ids exist for the first streams of a file only.
    if (position < job.Fstreamid_map.size())
        created.Stream->id = job.Fstreamid_map[position];
}

// The stream's codec context starts from the encoder's own defaults (libx264's
// rate control and closed GOPs, for one), the defaults of the stream's kind
// when there is no encoder (stream copy).
void MakeCodec(TNewStream& created, AVMediaType type, const AVCodec* encoder, std::uint32_t tag)
{
    created.Codec = FF.avcodec_alloc_context3(encoder);
    if (!created.Codec)
        throw FFmpegException("Could not alloc stream");
    created.Codec->codec_type = type;
    if (tag)
        created.Codec->codec_tag = tag;
}

// The strictness an encoder is looked up with: the user's, from the pending
// options of the kind.
int PendingStrictness(const TCustomFFmpeg& job, AVMediaType type)
{
    const AVCodecContext* options = job.FOptions.avcodec_opts[type];
    return options ? options->strict_std_compliance : FF_COMPLIANCE_NORMAL;
}

void ApplyCodecOptions(TCustomFFmpeg& job, AVCodecContext* codec, AVMediaType type, int kindFlag)
{
    if (AVCodecContext* options = job.FOptions.avcodec_opts[type])
        ApplyFFOptions(job.FOptions, codec, options, kindFlag | AV_OPT_FLAG_ENCODING_PARAM);
}

// The encoder named by the pending option, or the output format's guess.
const AVCodec* ChooseEncoder(TCustomFFmpeg& job, AVFormatContext* output, const std::string& name, AVMediaType type,
                             int strict)
{
    if (name.empty()) {
        const AVCodecID id = FF.av_guess_codec(output->oformat, nullptr, output->url, nullptr, type);
        return id == AV_CODEC_ID_NONE ? nullptr : FF.avcodec_find_encoder(id);
    }
    const AVCodec* encoder = nullptr;
    if (!FindCodec(job, name, type, TCodecRole::Encoder, strict, encoder))
        throw FFmpegException(job.LastErrMsg());
    const auto index = static_cast<std::size_t>(job.Fnb_ocodecs);
    if (index >= job.Foutput_codecs.size())
        job.Foutput_codecs.resize(index + 1, nullptr);
    job.Foutput_codecs[index] = encoder;
    return encoder;
}

void SetCodecId(AVCodecContext* codec, const AVCodec* encoder, AVFormatContext* output, AVMediaType type)
{
    codec->codec_id = encoder ? encoder->id : FF.av_guess_codec(output->oformat, nullptr, output->url, nullptr, type);
}

void SetQuality(AVCodecContext* codec, float qscale)
{
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = static_cast<int>(FF_QP2LAMBDA * qscale);
}

uint16_t* CopyMatrix(const std::vector<std::uint16_t>& matrix)
{
    if (matrix.empty())
        return nullptr;
    // Each codec frees its own matrices.
    auto* copy = static_cast<uint16_t*>(FF.av_malloc(matrix.size() * sizeof(uint16_t)));
    if (copy)
        std::memcpy(copy, matrix.data(), matrix.size() * sizeof(uint16_t));
    return copy;
}

void SetRcOverride(AVCodecContext* codec, const std::string& text)
{
    const std::vector<RcOverride> overrides = ParseRcOverride(text);
    if (overrides.empty())
        return;
    codec->rc_override = static_cast<RcOverride*>(FF.av_malloc(overrides.size() * sizeof(RcOverride)));
    if (!codec->rc_override)
        throw FFmpegException("error parsing rc_override");
    std::memcpy(codec->rc_override, overrides.data(), overrides.size() * sizeof(RcOverride));
    codec->rc_override_count = static_cast<int>(overrides.size());
}

AVRational SampleAspectRatio(const TCustomFFmpeg& job, int width, int height)
{
    const double ratio = static_cast<std::int64_t>(width) * height == 0
                             ? job.Fframe_aspect_ratio * 3.0 / 4.0
                             : double(job.Fframe_aspect_ratio) * height / width;
    return FF.av_d2q(ratio, 255);
}

void SetLanguage(AVStream* stream, std::string& language)
{
    if (!language.empty())
        FF.av_dict_set(&stream->metadata, "language", language.c_str(), 0);
    language.clear();
}

void SetGlobalHeader(AVCodecContext* codec, AVCodecContext* options, bool on)
{
    if (!on)
        return;
    codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (options)
        options->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

void EncodeVideo(TCustomFFmpeg& job, AVFormatContext* output, TNewStream& created, TOutputStreamRecord& record)
{
    AVCodecContext* codec = created.Codec;
    AVRational rate = job.Fframe_rate.num ? job.Fframe_rate : AVRational{25, 1};
    SetCodecId(codec, record.Encoder, output, AVMEDIA_TYPE_VIDEO);
    ApplyCodecOptions(job, codec, AVMEDIA_TYPE_VIDEO, AV_OPT_FLAG_VIDEO_PARAM);
    MatchConstantVideoRate(&job, codec);
    if (record.Encoder && record.Encoder->supported_framerates && !job.Fforce_fps)
        rate =
            record.Encoder->supported_framerates[FF.av_find_nearest_q_idx(rate, record.Encoder->supported_framerates)];
    codec->time_base = AVRational{rate.den, rate.num};
    codec->framerate = rate;
    codec->width = job.Fframe_width;
    codec->height = job.Fframe_height;
    codec->sample_aspect_ratio = SampleAspectRatio(job, codec->width, codec->height);
    created.Stream->sample_aspect_ratio = codec->sample_aspect_ratio;
    codec->pix_fmt = job.Fframe_pix_fmt;
    MatchPixelFormat(codec, record.Encoder);
    if (job.Fintra_only)
        codec->gop_size = 0;
    if (job.Fvideo_qscale != 0 || job.Fsame_quality)
        SetQuality(codec, job.Fvideo_qscale);
    codec->intra_matrix = CopyMatrix(job.Fintra_matrix);
    codec->inter_matrix = CopyMatrix(job.Finter_matrix);
    SetRcOverride(codec, job.Fvideo_rc_override_string);
    if (codec->rc_initial_buffer_occupancy == 0)
        codec->rc_initial_buffer_occupancy = codec->rc_buffer_size * 3 / 4;
    codec->intra_dc_precision = job.Fintra_dc_precision - 8;
    if (job.Fdo_psnr)
        codec->flags |= AV_CODEC_FLAG_PSNR;
    if (job.Fdo_pass == 1)
        codec->flags |= AV_CODEC_FLAG_PASS1;
    else if (job.Fdo_pass == 2)
        codec->flags |= AV_CODEC_FLAG_PASS2;
}

void EncodeAudio(TCustomFFmpeg& job, AVFormatContext* output, TNewStream& created, TOutputStreamRecord& record)
{
    AVCodecContext* codec = created.Codec;
    ApplyCodecOptions(job, codec, AVMEDIA_TYPE_AUDIO, AV_OPT_FLAG_AUDIO_PARAM);
    SetCodecId(codec, record.Encoder, output, AVMEDIA_TYPE_AUDIO);
    if (job.Faudio_qscale > -99999.0f)
        SetQuality(codec, job.Faudio_qscale);
    codec->sample_fmt = job.Faudio_sample_fmt;
    codec->sample_rate = job.Faudio_sample_rate;
    MatchSampleFormat(codec, record.Encoder);
    MatchSampleRate(&job, codec, record.Encoder);
    codec->time_base = AVRational{1, codec->sample_rate > 0 ? codec->sample_rate : 1};
}

// The pending channel count, with the pending layout when it has that many channels.
void SetChannels(const TCustomFFmpeg& job, AVCodecContext* codec)
{
    FF.av_channel_layout_uninit(&codec->ch_layout);
    const auto layout = static_cast<std::uint64_t>(job.Fchannel_layout);
    if (layout != 0 && __builtin_popcountll(layout) == job.Faudio_channels)
        FF.av_channel_layout_from_mask(&codec->ch_layout, layout);
    else if (job.Faudio_channels > 0)
        FF.av_channel_layout_default(&codec->ch_layout, job.Faudio_channels);
}

// The record takes the codec context; the stream parameters show what was chosen.
void Keep(TMediaJobState& state, TNewStream& created, TOutputStreamRecord record)
{
    FF.avcodec_parameters_from_context(created.Stream->codecpar, created.Codec);
    created.Stream->time_base = created.Codec->time_base;
    record.Stream = created.Stream;
    record.Codec = created.Codec;
    created.Codec = nullptr;
    state.OutputStreams.push_back(std::move(record));
}

// The pending options of one stream kind.
struct TKindOptions {
    std::string& CodecName;
    std::string& Language;
    bool& Disable;
    std::int32_t& StreamCopy;
    TBitstreamFilterChain& Filters;
    std::uint32_t Tag;
};

TKindOptions KindOptions(TCustomFFmpeg& job, AVMediaType type)
{
    if (type == AVMEDIA_TYPE_VIDEO)
        return {job.Fvideo_codec_name,  job.Fvideo_language,          job.Fvideo_disable,
                job.Fvideo_stream_copy, job.Fvideo_bitstream_filters, job.Fvideo_codec_tag};
    if (type == AVMEDIA_TYPE_AUDIO)
        return {job.Faudio_codec_name,  job.Faudio_language,          job.Faudio_disable,
                job.Faudio_stream_copy, job.Faudio_bitstream_filters, job.Faudio_codec_tag};
    return {job.Fsubtitle_codec_name,  job.Fsubtitle_language,          job.Fsubtitle_disable,
            job.Fsubtitle_stream_copy, job.Fsubtitle_bitstream_filters, job.Fsubtitle_codec_tag};
}

// Adds a stream of one kind from its pending options, which are consumed. The
// encoder is chosen first (not for a stream copy), so its context is made with it.
template <class Choose, class Fill>
void NewStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex, AVMediaType type, Choose choose, Fill fill)
{
    AVFormatContext* output = OutputOf(job, fileIndex);
    const TKindOptions kind = KindOptions(job, type);
    TNewStream created;
    TOutputStreamRecord record;
    record.FileIndex = fileIndex;
    try {
        AddStream(job, output, created);
        record.BitstreamFilters = std::exchange(kind.Filters, {});
        record.StreamCopy = kind.StreamCopy != 0;
        if (!record.StreamCopy)
            record.Encoder = choose(output);
        MakeCodec(created, type, record.Encoder, kind.Tag);
        fill(output, created, record);
    } catch (...) {
        kind.CodecName.clear();
        kind.Language.clear();
        throw;
    }
    ++job.Fnb_ocodecs;
    SetLanguage(created.Stream, kind.Language);
    Keep(state, created, std::move(record));
    kind.Disable = false;
    kind.CodecName.clear();
    kind.StreamCopy = 0;
}

} // namespace

std::vector<RcOverride> ParseRcOverride(const std::string& text)
{
    std::vector<RcOverride> overrides;
    const char* cursor = text.c_str();
    while (*cursor) {
        char* end = nullptr;
        RcOverride item{};
        item.start_frame = static_cast<int>(std::strtol(cursor, &end, 0));
        if (end == cursor || *end != ',')
            throw FFmpegException("error parsing rc_override");
        cursor = end + 1;
        item.end_frame = static_cast<int>(std::strtol(cursor, &end, 0));
        if (end == cursor || *end != ',')
            throw FFmpegException("error parsing rc_override");
        cursor = end + 1;
        const int quantizer = static_cast<int>(std::strtol(cursor, &end, 0));
        if (quantizer > 0) {
            item.qscale = quantizer;
            item.quality_factor = 1.0f;
        } else {
            item.qscale = 0;
            item.quality_factor = static_cast<float>(-quantizer) / 100.0f;
        }
        overrides.push_back(item);
        cursor = std::strchr(end, '/');
        if (!cursor)
            break;
        ++cursor;
    }
    return overrides;
}

void NewVideoStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex)
{
    NewStream(
        job, state, fileIndex, AVMEDIA_TYPE_VIDEO,
        [&job](AVFormatContext* output) {
            return ChooseEncoder(job, output, job.Fvideo_codec_name, AVMEDIA_TYPE_VIDEO, FF_COMPLIANCE_NORMAL);
        },
        [&job](AVFormatContext* output, TNewStream& created, TOutputStreamRecord& record) {
            created.Codec->thread_count = job.Fthread_count;
            AVCodecContext* options = job.FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO];
            SetGlobalHeader(created.Codec, options,
                            (job.Fvideo_global_header & 1) ||
                                (job.Fvideo_global_header == 0 && (output->oformat->flags & AVFMT_GLOBALHEADER)));
            if (job.Fvideo_global_header & 2) {
                created.Codec->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
                if (options)
                    options->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
            }
            if (record.StreamCopy) {
                created.Codec->sample_aspect_ratio = SampleAspectRatio(job, job.Fframe_width, job.Fframe_height);
                created.Stream->sample_aspect_ratio = created.Codec->sample_aspect_ratio;
            } else {
                EncodeVideo(job, output, created, record);
            }
        });
    job.Fframe_pix_fmt = AV_PIX_FMT_NONE;
}

void NewAudioStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex)
{
    NewStream(
        job, state, fileIndex, AVMEDIA_TYPE_AUDIO,
        [&job](AVFormatContext* output) {
            return ChooseEncoder(job, output, job.Faudio_codec_name, AVMEDIA_TYPE_AUDIO,
                                 PendingStrictness(job, AVMEDIA_TYPE_AUDIO));
        },
        [&job](AVFormatContext* output, TNewStream& created, TOutputStreamRecord& record) {
            created.Codec->thread_count = job.Fthread_count;
            SetGlobalHeader(created.Codec, job.FOptions.avcodec_opts[AVMEDIA_TYPE_AUDIO],
                            output->oformat->flags & AVFMT_GLOBALHEADER);
            if (record.StreamCopy)
                created.Codec->sample_rate = job.Faudio_sample_rate;
            else
                EncodeAudio(job, output, created, record);
            SetChannels(job, created.Codec);
            if (!record.StreamCopy) {
                MatchChannelLayout(&job, created.Codec, record.Encoder, job.Faudio_channels_asked);
                MatchAudioBitrate(&job, created.Codec, record.Encoder);
            }
        });
    job.Faudio_channels_asked = false;
}

void NewSubtitleStream(TCustomFFmpeg& job, TMediaJobState& state, int fileIndex)
{
    NewStream(
        job, state, fileIndex, AVMEDIA_TYPE_SUBTITLE,
        [&job](AVFormatContext* output) {
            // Without a name the container's own subtitle encoder is taken.
            return ChooseEncoder(job, output, job.Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE,
                                 PendingStrictness(job, AVMEDIA_TYPE_SUBTITLE));
        },
        [&job](AVFormatContext*, TNewStream& created, TOutputStreamRecord& record) {
            if (record.Encoder)
                ApplyCodecOptions(job, created.Codec, AVMEDIA_TYPE_SUBTITLE, AV_OPT_FLAG_SUBTITLE_PARAM);
        });
}

void NewStreamOnLastOutput(TCustomFFmpeg& job, TMediaJobState& state, int mediaType)
{
    if (job.Fnb_output_files == 0)
        throw FFmpegException("At least one output file must be specified");
    const int last = job.Fnb_output_files - 1;
    if (mediaType == AVMEDIA_TYPE_VIDEO)
        NewVideoStream(job, state, last);
    else if (mediaType == AVMEDIA_TYPE_AUDIO)
        NewAudioStream(job, state, last);
    else
        NewSubtitleStream(job, state, last);
}

void ReleaseOutputStreams(TMediaJobState& state, int fileIndex)
{
    std::erase_if(state.OutputStreams, [fileIndex](TOutputStreamRecord& record) {
        if (fileIndex >= 0 && record.FileIndex != fileIndex)
            return false;
        FF.avcodec_free_context(&record.Codec);
        return true;
    });
}

} // namespace tovrel
