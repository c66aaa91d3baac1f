// The audio device callback: decodes audio packets, converts them to signed
// 16-bit at the device's channel count, keeps samples for the scope, adjusts
// the chunk when audio follows another clock, and mixes at the volume.
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLoaderSDL.h"
#include "media/loader/FFmpegLogger.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/PlayerText.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace tovrel {

namespace {

void EnsureAudioBuffer(TVideoState& is, std::size_t bytes)
{
    if (is.audio_buf.size() < bytes)
        is.audio_buf.resize(bytes);
}

// A converter from the frame's format to the device's; False (reported) when none can be made.
bool PrepareConverter(TVideoState& is, const AVFrame* frame)
{
    const int channels = frame->ch_layout.nb_channels;
    if (is.swr && frame->format == is.swr_src_fmt && frame->sample_rate == is.swr_src_rate &&
        channels == is.swr_src_channels)
        return true;
    FF.swr_free(&is.swr);
    is.swr_src_fmt = -1;
    AVChannelLayout inLayout{}, outLayout{};
    if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        FF.av_channel_layout_default(&inLayout, channels);
    else
        FF.av_channel_layout_copy(&inLayout, &frame->ch_layout);
    FF.av_channel_layout_default(&outLayout, is.audio_tgt_channels);
    const bool ok = FF.swr_alloc_set_opts2(&is.swr, &outLayout, AV_SAMPLE_FMT_S16, is.audio_tgt_freq, &inLayout,
                                           AVSampleFormat(frame->format), frame->sample_rate, 0, nullptr) >= 0 &&
                    FF.swr_init(is.swr) >= 0;
    FF.av_channel_layout_uninit(&inLayout);
    FF.av_channel_layout_uninit(&outLayout);
    if (!ok) {
        FF.swr_free(&is.swr);
        const char* from = FF.av_get_sample_fmt_name(AVSampleFormat(frame->format));
        ReportError(*is.Owner,
                    PlayerText("Cannot convert %s sample format to %s sample format", from ? from : "none",
                               FF.av_get_sample_fmt_name(AV_SAMPLE_FMT_S16)),
                    false);
        return false;
    }
    is.swr_src_fmt = frame->format;
    is.swr_src_rate = frame->sample_rate;
    is.swr_src_channels = channels;
    return true;
}

// Bytes of 16-bit samples now in audio_buf, or -1.
int ConvertAudioFrame(TVideoState& is, const AVFrame* frame)
{
    if (!PrepareConverter(is, frame))
        return -1;
    const int frameBytes = 2 * is.audio_tgt_channels;
    const int capacity =
        int(std::int64_t(frame->nb_samples) * is.audio_tgt_freq / std::max(frame->sample_rate, 1)) + 256;
    // Room for the largest stretch of the chunk as well.
    EnsureAudioBuffer(is, std::size_t(capacity) * frameBytes * 11 / 10 + frameBytes);
    std::uint8_t* out = is.audio_buf.data();
    const int samples = FF.swr_convert(is.swr, &out, capacity, const_cast<const std::uint8_t**>(frame->extended_data),
                                       frame->nb_samples);
    if (samples < 0) {
        ReportError(*is.Owner, "av_audio_convert() failed", false);
        return -1;
    }
    return samples * frameBytes;
}

} // namespace

int DecodeAudioChunk(TVideoState& is, double& pts)
{
    if (!is.audio_frame)
        is.audio_frame = FF.av_frame_alloc();
    if (!is.audio_frame)
        return -1;
    for (;;) {
        if (is.audio_pkt_pending) {
            const int ret = FF.avcodec_receive_frame(is.audio_dec, is.audio_frame);
            if (ret >= 0) {
                AVStream* st = is.audio_st.load();
                if (is.audio_frame->pts != AV_NOPTS_VALUE) {
                    is.audio_clock = double(is.audio_frame->pts) * av_q2d(st->time_base);
                    if (std::exchange(is.audio_flush_taken, false))
                        is.audio_clock_unknown = 0;
                }
                const int size = ConvertAudioFrame(is, is.audio_frame);
                FF.av_frame_unref(is.audio_frame);
                if (size <= 0)
                    continue;
                pts = is.audio_clock.load();
                is.audio_clock = pts + double(size) / (2.0 * is.audio_tgt_channels * is.audio_tgt_freq);
                return size;
            }
            is.audio_pkt_pending = false;
            if (ret != AVERROR(EAGAIN) && ret != AVERROR_EOF)
                GetFFLogger()->Log(is.Owner, llInfo, "avcodec_decode_audio2() failed");
        }
        if (is.paused.load() || is.audioq.Aborted())
            return -1;
        TQueuedPacket queued;
        if (is.audioq.GetPacket(queued, false) <= 0)
            return -1;
        if (queued.flush) {
            FF.avcodec_flush_buffers(is.audio_dec);
            is.audio_flush_taken = true;
            {
                // What was handed over before the seek no longer places the sound.
                std::lock_guard lock(is.audio_handed_lock);
                is.audio_handed_time = 0;
            }
            continue;
        }
        if (FF.avcodec_send_packet(is.audio_dec, queued.packet) < 0)
            GetFFLogger()->Log(is.Owner, llInfo, "avcodec_decode_audio2() failed");
        else
            is.audio_pkt_pending = true;
        FF.av_packet_free(&queued.packet);
    }
}

int AdjustAudioSamples(TVideoState& is, std::uint8_t* samples, int size, double)
{
    const bool followsOther =
        (is.av_sync_type == AV_SYNC_VIDEO_MASTER && is.video_st.load()) || is.av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (!followsOther)
        return size;
    const int n = 2 * is.audio_tgt_channels;
    const double diff = AudioClock(is) - MasterClock(is);
    if (!(std::fabs(diff) < player::AVNoSyncThreshold)) {
        is.audio_diff_avg_count = 0;
        is.audio_diff_cum = 0;
        return size;
    }
    is.audio_diff_cum = diff + is.audio_diff_avg_coef * is.audio_diff_cum;
    if (is.audio_diff_avg_count < player::AudioDiffAvgNb) {
        ++is.audio_diff_avg_count;
        return size;
    }
    const double avg = is.audio_diff_cum * (1.0 - is.audio_diff_avg_coef);
    if (std::fabs(avg) < is.audio_diff_threshold)
        return size;
    int wanted = size + int(std::lround(diff * is.audio_tgt_freq)) * n;
    const int frames = size / n;
    const int minSize = frames * (100 - player::SampleCorrectionPercentMax) / 100 * n;
    const int maxSize = frames * (100 + player::SampleCorrectionPercentMax) / 100 * n;
    wanted = std::clamp(wanted, minSize, maxSize);
    if (wanted > size) {
        // The caller's buffer holds at least 110 % of the chunk (see ConvertAudioFrame).
        const std::uint8_t* last = samples + size - n;
        for (int pos = size; pos + n <= wanted; pos += n)
            std::memcpy(samples + pos, last, std::size_t(n));
    }
    return wanted;
}

void RecordSamplesForDisplay(TVideoState& is, const std::int16_t* samples, int size)
{
    std::lock_guard lock(is.sampleLock);
    int count = size / 2;
    while (count > 0) {
        const int piece = std::min(count, player::SampleArraySize - is.sample_array_index);
        std::copy(samples, samples + piece, is.sample_array.begin() + is.sample_array_index);
        samples += piece;
        count -= piece;
        is.sample_array_index += piece;
        if (is.sample_array_index >= player::SampleArraySize)
            is.sample_array_index = 0;
    }
}

void FillAudioBuffer(TVideoState& is, std::uint8_t* stream, int len, int volume, bool mute)
{
    // SDL2 hands over the buffer as it was: silence first, then mix into it.
    std::memset(stream, 0, std::size_t(std::max(len, 0)));
    while (len > 0) {
        if (is.audio_buf_index.load() >= is.audio_buf_size.load()) {
            double pts = 0;
            const int size = DecodeAudioChunk(is, pts);
            if (is.audioq.Aborted())
                return;
            if (size < 0) {
                EnsureAudioBuffer(is, player::SilenceBytes);
                std::memset(is.audio_buf.data(), 0, player::SilenceBytes);
                is.audio_buf_size = player::SilenceBytes;
            } else {
                if (is.show_audio.load())
                    RecordSamplesForDisplay(is, reinterpret_cast<const std::int16_t*>(is.audio_buf.data()), size);
                is.audio_buf_size = AdjustAudioSamples(is, is.audio_buf.data(), size, pts);
            }
            is.audio_buf_index = 0;
        }
        const int index = is.audio_buf_index.load();
        const int n = std::min(len, is.audio_buf_size.load() - index);
        if (!mute)
            SDL.SDL_MixAudioFormat(stream, is.audio_buf.data() + index, AUDIO_S16SYS, Uint32(n), volume);
        is.audio_buf_index = index + n;
        len -= n;
        stream += n;
    }
}

void FeedAudioDevice(void* opaque, std::uint8_t* stream, int len)
{
    auto& is = *static_cast<TVideoState*>(opaque);
    TCustomPlayer& player = *is.Owner;
    player.Engine().audioCallbackTime = FF.av_gettime_relative();
    if (!is.pictures_ready.load() && NowSeconds() < is.start_together_until.load()) {
        std::memset(stream, 0, std::size_t(std::max(len, 0))); // the sound waits for the first pictures
        return;
    }
    FillAudioBuffer(is, stream, len, player.options.AudioVolume.load(), player.options.Mute.load());
    if (!is.paused.load())
        RecordAudioHandover(is, NowSeconds());
}

} // namespace tovrel
