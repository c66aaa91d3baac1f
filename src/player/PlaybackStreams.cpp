// Opening, closing and switching one stream's decoder and consumer.
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLoaderSDL.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"

#include <cmath>
#include <mutex>

namespace tovrel {

namespace {

AVCodecContext* OpenDecoder(TVideoState& is, AVStream* st)
{
    TPlayerOptions& options = is.Owner->options;
    const AVCodec* codec = FF.avcodec_find_decoder(st->codecpar->codec_id);
    AVCodecContext* ctx = codec ? FF.avcodec_alloc_context3(codec) : nullptr;
    if (ctx && FF.avcodec_parameters_to_context(ctx, st->codecpar) >= 0) {
        ctx->pkt_timebase = st->time_base;
        ctx->debug = options.debug;
        ctx->workaround_bugs = options.workaround_bugs;
        ctx->lowres = options.lowres;
        ctx->idct_algo = options.idct_algo;
        if (options.fast)
            ctx->flags2 |= AV_CODEC_FLAG2_FAST;
        ctx->skip_frame = AVDiscard(options.skip_frame);
        ctx->skip_idct = AVDiscard(options.skip_idct);
        ctx->skip_loop_filter = AVDiscard(options.skip_loop_filter);
        ctx->err_recognition = options.error_recognition;
        ctx->error_concealment = options.error_concealment;
        ctx->thread_count = 1;
        std::lock_guard lock(CodecOpenLock());
        if (FF.avcodec_open2(ctx, codec, nullptr) >= 0)
            return ctx;
    }
    {
        std::lock_guard lock(CodecOpenLock());
        FF.avcodec_free_context(&ctx);
    }
    ReportError(*is.Owner, "avcodec_open() failed.", false);
    return nullptr;
}

void CloseDecoder(AVCodecContext*& ctx)
{
    std::lock_guard lock(CodecOpenLock());
    FF.avcodec_free_context(&ctx);
}

bool OpenAudioDevice(TVideoState& is, AVStream* st)
{
    const int channels = st->codecpar->ch_layout.nb_channels;
    SDL_AudioSpec wanted{}, obtained{};
    wanted.freq = st->codecpar->sample_rate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Uint8(channels == 1 || channels == 2 ? channels : 2);
    wanted.silence = 0;
    wanted.samples = player::AudioBufferSamples;
    wanted.callback = FeedAudioDevice;
    wanted.userdata = &is;
    const SDL_AudioDeviceID dev = SDL.SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (dev == 0) {
        ReportError(*is.Owner, std::string("SDL_OpenAudio() failed: ") + SDL.SDL_GetError(), false);
        return false;
    }
    is.audio_dev = dev;
    is.audio_hw_buf_size = int(obtained.size);
    {
        std::lock_guard lock(is.audio_handed_lock);
        is.audio_handed_time = 0; // the clock starts again from this stream's first sound
    }
    is.audio_tgt_channels = wanted.channels;
    is.audio_tgt_freq = wanted.freq;
    return true;
}

} // namespace

int OpenStreamComponent(TVideoState& is, int streamIndex)
{
    if (streamIndex < 0 || unsigned(streamIndex) >= is.ic->nb_streams)
        return -1;
    AVStream* st = is.ic->streams[streamIndex];
    const AVMediaType type = st->codecpar->codec_type;
    AVCodecContext* ctx = OpenDecoder(is, st);
    if (!ctx)
        return -1;
    if (type == AVMEDIA_TYPE_AUDIO) {
        if (st->codecpar->sample_rate <= 0 || !OpenAudioDevice(is, st)) {
            CloseDecoder(ctx);
            return -1;
        }
    }
    st->discard = AVDISCARD_DEFAULT;
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        is.video_dec = ctx;
        is.video_stream = streamIndex;
        is.video_st = st;
        is.videoq.Init();
        is.videoq.PutFlush();
        is.video_tid.Start([state = &is] { VideoDecodeThread(*state); });
        break;
    case AVMEDIA_TYPE_AUDIO:
        is.audio_dec = ctx;
        is.audio_stream = streamIndex;
        is.audio_st = st;
        is.AudioDuration = st->duration != AV_NOPTS_VALUE
                               ? FF.av_rescale_q(st->duration, st->time_base, AVRational{1, AV_TIME_BASE})
                               : -1;
        is.audio_buf_size = 0;
        is.audio_buf_index = 0;
        is.audio_diff_avg_coef = std::exp(std::log10(0.01) / player::AudioDiffAvgNb);
        is.audio_diff_avg_count = 0;
        is.audio_diff_threshold = 2.0 * player::AudioBufferSamples / is.audio_tgt_freq;
        is.audio_pkt_pending = false;
        is.audioq.Init();
        is.audioq.PutFlush();
        SDL.SDL_PauseAudioDevice(is.audio_dev, 0);
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is.subtitle_dec = ctx;
        is.subtitle_stream = streamIndex;
        is.subtitle_st = st;
        is.subtitleq.Init();
        is.subtitleq.PutFlush();
        is.subtitle_tid.Start([state = &is] { SubtitleDecodeThread(*state); });
        break;
    default:
        CloseDecoder(ctx);
        st->discard = AVDISCARD_ALL;
        return -1;
    }
    return 0;
}

void CloseStreamComponent(TVideoState& is, int streamIndex)
{
    if (streamIndex < 0 || unsigned(streamIndex) >= is.ic->nb_streams)
        return;
    AVStream* st = is.ic->streams[streamIndex];
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        is.videoq.Abort();
        {
            std::lock_guard lock(is.pictq_mutex);
            is.pictq_cond.notify_all();
        }
        is.video_tid.Join();
        is.videoq.Flush();
        CloseDecoder(is.video_dec);
        is.video_st = nullptr;
        is.video_stream = -1;
        break;
    case AVMEDIA_TYPE_AUDIO:
        is.audioq.Abort();
        SDL.SDL_CloseAudioDevice(is.audio_dev); // returns once the callback has left
        is.audio_dev = 0;
        is.audioq.Flush();
        FF.swr_free(&is.swr);
        is.swr_src_fmt = -1;
        FF.av_frame_free(&is.audio_frame);
        CloseDecoder(is.audio_dec);
        is.audio_st = nullptr;
        is.audio_stream = -1;
        is.AudioDuration = -1;
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is.subtitleq.Abort();
        {
            std::lock_guard lock(is.subpq_mutex);
            is.subpq_cond.notify_all();
        }
        is.subtitle_tid.Join();
        {
            // The closed stream's subtitles go now, not at the next picture: by then
            // the stream opened next may have queued its own.
            std::lock_guard lock(is.subpq_mutex);
            while (is.subpq_size > 0)
                ReleaseFirstSubtitle(is);
        }
        is.subtitleq.Flush();
        CloseDecoder(is.subtitle_dec);
        is.subtitle_st = nullptr;
        is.subtitle_stream = -1;
        break;
    default: break;
    }
    st->discard = AVDISCARD_ALL;
}

bool SwitchStream(TVideoState& is, int mediaType, int streamIndex)
{
    TCustomPlayer& player = *is.Owner;
    auto refuse = [&](const char* message) {
        ReportError(player, message, true);
        return false;
    };
    const int current = mediaType == AVMEDIA_TYPE_VIDEO   ? is.video_stream.load()
                        : mediaType == AVMEDIA_TYPE_AUDIO ? is.audio_stream.load()
                                                          : is.subtitle_stream.load();
    const int lowest = mediaType == AVMEDIA_TYPE_SUBTITLE ? -1 : 0;
    if (current < lowest)
        return refuse("the current stream is not valid.");
    if (streamIndex < lowest || streamIndex >= int(is.ic->nb_streams))
        return refuse("the stream index is not valid.");
    if (streamIndex == current)
        return true;
    if (streamIndex >= 0) {
        if (mediaType != AVMEDIA_TYPE_VIDEO && mediaType != AVMEDIA_TYPE_AUDIO && mediaType != AVMEDIA_TYPE_SUBTITLE)
            return refuse("the stream type is invalid.");
        const AVCodecParameters* par = is.ic->streams[streamIndex]->codecpar;
        if (par->codec_type != mediaType)
            return refuse("the stream type is not matched.");
        if (mediaType == AVMEDIA_TYPE_AUDIO && (par->sample_rate == 0 || par->ch_layout.nb_channels == 0))
            return refuse("the audio stream is not invalid.");
    }
    if (current >= 0)
        CloseStreamComponent(is, current);
    if (streamIndex >= 0)
        OpenStreamComponent(is, streamIndex);
    return true;
}

} // namespace tovrel
