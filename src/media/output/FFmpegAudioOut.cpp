// Audio output: each decoded block converted to the encoder's layout, kept in
// step with the input clock, queued, and encoded in the encoder's frame size.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegAudioOutSync.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"
#include "media/output/FFmpegPacketWrite.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace tovrel {

namespace {

// Silence goes through the converter in pieces of this many samples.
constexpr int kSilenceChunk = 65536;

AVChannelLayout LayoutOf(const AVChannelLayout& layout, int fallbackChannels)
{
    AVChannelLayout result{};
    if (layout.nb_channels > 0 && layout.order != AV_CHANNEL_ORDER_UNSPEC)
        FF.av_channel_layout_copy(&result, &layout);
    else
        FF.av_channel_layout_default(&result, layout.nb_channels > 0 ? layout.nb_channels : fallbackChannels);
    return result;
}

int ChannelsOf(const AVFrame* decoded, const AVCodecContext* dec)
{
    if (decoded->ch_layout.nb_channels > 0)
        return decoded->ch_layout.nb_channels;
    return dec ? dec->ch_layout.nb_channels : 0;
}

int RateOf(const AVFrame* decoded, const AVCodecContext* dec)
{
    if (decoded->sample_rate > 0)
        return decoded->sample_rate;
    return dec ? dec->sample_rate : 0;
}

// Gives `frame` room for `samples` samples in that format and layout.
void ReserveAudioFrame(AVFrame* frame, int format, const AVChannelLayout& layout, int rate, std::int64_t samples)
{
    const int channels = layout.nb_channels;
    const int bytes = FF.av_get_bytes_per_sample(AVSampleFormat(format));
    if (samples <= 0 || channels <= 0 || bytes <= 0 || samples > INT_MAX / (bytes * channels))
        throw FFmpegException("Buffer sizes too large in do_audio_out");
    if (frame->buf[0] && frame->format == format && frame->nb_samples >= samples &&
        FF.av_channel_layout_compare(&frame->ch_layout, &layout) == 0) {
        frame->nb_samples = int(samples);
        return;
    }
    FF.av_frame_unref(frame);
    frame->format = format;
    frame->sample_rate = rate;
    frame->nb_samples = int(samples);
    if (FF.av_channel_layout_copy(&frame->ch_layout, &layout) < 0 || FF.av_frame_get_buffer(frame, 0) < 0)
        throw FFmpegException("Out of memory in do_audio_out");
}

} // namespace

void TOutputSteps::PrepareAudioConverter(TAVOutputStream& ost, const AVFrame* decoded)
{
    AVCodecContext* enc = ost.EncoderContext;
    const AVCodecContext* dec = ost.sync_ist ? ost.sync_ist->DecoderContext.get() : nullptr;
    const int decFormat = decoded->format;
    const int decChannels = ChannelsOf(decoded, dec);
    const int decRate = RateOf(decoded, dec);
    if (enc->ch_layout.nb_channels != decChannels)
        ost.audio_resample = 1;
    const bool needed = ost.audio_resample || engine_.Faudio_sync_method > 1 || decFormat != enc->sample_fmt ||
                        decRate != enc->sample_rate;
    TStreamState& state = StreamState(ost);
    const int pair = enc->sample_fmt + AV_SAMPLE_FMT_NB * decFormat;
    if (!needed) {
        ost.resample.reset();
        return;
    }
    if (ost.resample && pair == ost.reformat_pair && state.InputRate == decRate && state.InputChannels == decChannels)
        return;

    ost.resample.reset();
    AVChannelLayout outLayout = LayoutOf(enc->ch_layout, 1);
    AVChannelLayout inLayout = LayoutOf(decoded->ch_layout, decChannels);
    SwrContext* swr = nullptr;
    int ret = FF.swr_alloc_set_opts2(&swr, &outLayout, enc->sample_fmt, enc->sample_rate, &inLayout,
                                     AVSampleFormat(decFormat), decRate, 0, nullptr);
    FF.av_channel_layout_uninit(&outLayout);
    FF.av_channel_layout_uninit(&inLayout);
    ost.resample.reset(swr);
    if (ret >= 0) {
        // The resampler's quality settings: 16 taps, 2^10 phases, no linear interpolation, cutoff 0.8.
        FF.av_opt_set_int(swr, "filter_size", 16, 0);
        FF.av_opt_set_int(swr, "phase_shift", 10, 0);
        FF.av_opt_set_int(swr, "linear_interp", 0, 0);
        FF.av_opt_set_double(swr, "cutoff", 0.8, 0);
        ret = FF.swr_init(swr);
    }
    if (ret < 0) {
        ost.resample.reset();
        if (ost.audio_resample || decRate != enc->sample_rate)
            throw FFmpegException(Format("Can not resample %d channels @ %d Hz to %d channels @ %d Hz", decChannels,
                                         decRate, enc->ch_layout.nb_channels, enc->sample_rate));
        const char* from = FF.av_get_sample_fmt_name(AVSampleFormat(decFormat));
        const char* to = FF.av_get_sample_fmt_name(enc->sample_fmt);
        throw FFmpegException(
            Format("Cannot convert %s sample format to %s sample format", from ? from : "none", to ? to : "none"));
    }
    ost.reformat_pair = pair;
    state.InputRate = decRate;
    state.InputChannels = decChannels;
}

void TOutputSteps::QueueAudio(TAVOutputStream& ost, const AVFrame* decoded, const std::uint8_t* const* data, int count)
{
    if (count <= 0)
        return;
    AVCodecContext* enc = ost.EncoderContext;
    uint8_t* const* samples = const_cast<uint8_t* const*>(data);
    int converted = count;
    if (ost.resample) {
        const AVCodecContext* dec = ost.sync_ist ? ost.sync_ist->DecoderContext.get() : nullptr;
        const int decRate = RateOf(decoded, dec);
        // Everything the resampler holds plus this block, at the output rate,
        // with room for the drift compensation.
        const std::int64_t pending = FF.swr_get_delay(ost.resample.get(), decRate) + count;
        const std::int64_t room =
            pending * enc->sample_rate / std::max(decRate, 1) + 1 + std::abs(engine_.Faudio_sync_method) + 32;
        AVFrame* out = state_->AudioConverted.get();
        ReserveAudioFrame(out, enc->sample_fmt, enc->ch_layout, enc->sample_rate, room);
        converted =
            FF.swr_convert(ost.resample.get(), out->extended_data, int(room), const_cast<const uint8_t**>(data), count);
        if (converted < 0) {
            if (engine_.Fexit_on_error)
                throw FFmpegException("av_audio_convert() failed");
            GetFFLogger()->Log(&engine_, llError, "av_audio_convert() failed");
            return;
        }
        samples = out->extended_data;
    }
    if (converted > 0 &&
        FF.av_audio_fifo_write(ost.fifo.get(), reinterpret_cast<void**>(const_cast<uint8_t**>(samples)), converted) <
            converted)
        throw FFmpegException("av_fifo_realloc2() failed");
}

void TOutputSteps::QueueSilence(AVFormatContext* oc, TAVOutputStream& ost, const AVFrame* decoded, std::int64_t count)
{
    AVFrame* silence = state_->AudioSilence.get();
    const AVCodecContext* dec = ost.sync_ist ? ost.sync_ist->DecoderContext.get() : nullptr;
    AVChannelLayout layout = LayoutOf(decoded->ch_layout, ChannelsOf(decoded, dec));
    while (count > 0) {
        const int chunk = int(std::min<std::int64_t>(count, kSilenceChunk));
        ReserveAudioFrame(silence, decoded->format, layout, RateOf(decoded, dec), chunk);
        // Silence in the block's own format (unsigned 8-bit silence is not zero bytes).
        FF.av_samples_set_silence(silence->extended_data, 0, chunk, layout.nb_channels,
                                  AVSampleFormat(decoded->format));
        QueueAudio(ost, decoded, silence->extended_data, chunk);
        // A long gap is encoded as it is filled, so it never sits in memory whole.
        EncodeAudioFrames(oc, ost, TAudioFraming::FullFrames);
        count -= chunk;
    }
    FF.av_channel_layout_uninit(&layout);
}

void TOutputSteps::do_audio_out(AVFormatContext* oc, TAVOutputStream& ost, TAVInputStream& ist, const AVFrame* decoded)
{
    if (!decoded || decoded->nb_samples <= 0)
        return;
    AVCodecContext* enc = ost.EncoderContext;
    PrepareAudioConverter(ost, decoded);
    if (!ost.fifo) {
        ost.fifo.reset(FF.av_audio_fifo_alloc(enc->sample_fmt, enc->ch_layout.nb_channels, 1));
        if (!ost.fifo)
            throw FFmpegException("av_fifo_realloc2() failed");
    }

    const AVCodecContext* dec = ist.DecoderContext.get();
    const int decChannels = ChannelsOf(decoded, dec);
    const int bytes = FF.av_get_bytes_per_sample(AVSampleFormat(decoded->format));
    const bool planar = FF.av_sample_fmt_is_planar(AVSampleFormat(decoded->format));
    int offset = 0;
    int count = decoded->nb_samples;

    const TAVInputStream& clock = ost.sync_ist ? *ost.sync_ist : ist;
    const double inputTime = double(clock.pts - engine_.Fstart_time) / 1000000.0;
    const std::int64_t queued = FF.av_audio_fifo_size(ost.fifo.get());
    if (engine_.Faudio_sync_method != 0) {
        TAudioSyncInput input;
        input.Method = engine_.Faudio_sync_method;
        input.DriftThreshold = engine_.Faudio_drift_threshold;
        input.InputTime = inputTime;
        input.EncoderRate = enc->sample_rate;
        input.DecoderRate = RateOf(decoded, dec);
        input.SyncOpts = ost.sync_opts;
        input.QueuedSamples = queued;
        input.IsStart = ist.is_start != 0;
        const TAudioSyncAction action = DecideAudioSync(input);
        switch (action.Kind) {
        case TAudioSyncAction::Drop:
            offset = int(std::min<std::int64_t>(action.Samples, count));
            count -= offset;
            ist.is_start = 0;
            if (engine_.Fverbose > 2)
                GetFFLogger()->Log(&engine_, llVerbose, "discarding %lld audio samples",
                                   static_cast<long long>(-action.Delta));
            if (count == 0)
                return;
            break;
        case TAudioSyncAction::Pad:
            ist.is_start = 0;
            QueueSilence(oc, ost, decoded, action.Samples);
            if (engine_.Fverbose > 2)
                GetFFLogger()->Log(&engine_, llVerbose, "adding %d audio samples of silence", int(action.Delta));
            break;
        case TAudioSyncAction::Compensate:
            if (engine_.Fverbose > 2)
                GetFFLogger()->Log(&engine_, llVerbose, "compensating audio timestamp drift:%f compensation:%d in:%d",
                                   action.Delta, int(action.Samples), enc->sample_rate);
            FF.swr_set_compensation(ost.resample.get(), int(action.Samples), enc->sample_rate);
            break;
        case TAudioSyncAction::None: break;
        }
    } else {
        ost.sync_opts = std::llrint(inputTime * enc->sample_rate) - queued;
    }

    std::vector<const std::uint8_t*> planes(planar ? decChannels : 1);
    for (std::size_t plane = 0; plane < planes.size(); ++plane)
        planes[plane] = decoded->extended_data[plane] + std::size_t(offset) * bytes * (planar ? 1 : decChannels);
    QueueAudio(ost, decoded, planes.data(), count);
    EncodeAudioFrames(oc, ost, TAudioFraming::FullFrames);
}

void TOutputSteps::DrainAudioConverter(TAVOutputStream& ost)
{
    AVCodecContext* enc = ost.EncoderContext;
    AVFrame* out = state_->AudioConverted.get();
    for (;;) {
        const std::int64_t room = FF.swr_get_delay(ost.resample.get(), enc->sample_rate) + 32;
        ReserveAudioFrame(out, enc->sample_fmt, enc->ch_layout, enc->sample_rate, room);
        const int converted = FF.swr_convert(ost.resample.get(), out->extended_data, int(room), nullptr, 0);
        if (converted <= 0)
            return;
        if (FF.av_audio_fifo_write(ost.fifo.get(), reinterpret_cast<void**>(out->extended_data), converted) < converted)
            throw FFmpegException("av_fifo_realloc2() failed");
    }
}

void TOutputSteps::HandOverAudio(TAVOutputStream& finished, TAVOutputStream& next)
{
    if (finished.resample && finished.fifo)
        DrainAudioConverter(finished);
    if (finished.fifo)
        next.fifo = std::move(finished.fifo);
}

void TOutputSteps::EncodeAudioFrames(AVFormatContext* oc, TAVOutputStream& ost, TAudioFraming framing)
{
    const bool flush = framing == TAudioFraming::EndOfStream;
    AVCodecContext* enc = ost.EncoderContext;
    // The converter's last samples belong to the end of the stream.
    if (flush && ost.resample && ost.fifo)
        DrainAudioConverter(ost);
    const bool framed = enc->frame_size > 1;
    const int capabilities = enc->codec ? enc->codec->capabilities : 0;
    const bool shortLastFrame = capabilities & (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    auto write = [&](AVPacket* packet) { WriteEncodedAudio(oc, ost, packet); };
    for (;;) {
        const int available = ost.fifo ? FF.av_audio_fifo_size(ost.fifo.get()) : 0;
        int take = available;
        int padding = 0;
        if (framed) {
            if (available >= enc->frame_size)
                take = enc->frame_size;
            else if (!flush || available == 0)
                break;
            else if (!shortLastFrame)
                padding = enc->frame_size - available;
        } else if (available == 0) {
            break;
        }
        TFramePtr frame(FF.av_frame_alloc());
        if (!frame)
            throw FFmpegException("Out of memory in do_audio_out");
        ReserveAudioFrame(frame.get(), enc->sample_fmt, enc->ch_layout, enc->sample_rate, take + padding);
        FF.av_audio_fifo_read(ost.fifo.get(), reinterpret_cast<void**>(frame->extended_data), take);
        if (padding > 0)
            FF.av_samples_set_silence(frame->extended_data, take, padding, enc->ch_layout.nb_channels, enc->sample_fmt);
        frame->pts = FF.av_rescale_q(ost.sync_opts, AVRational{1, enc->sample_rate}, enc->time_base);
        SendToEncoder(ost, frame.get(), "Audio encoding failed", write);
        ost.sync_opts += take + padding;
        if (!framed)
            break;
    }
    if (flush)
        SendToEncoder(ost, nullptr, "Audio encoding failed", write);
}

void TOutputSteps::WriteEncodedAudio(AVFormatContext* oc, TAVOutputStream& ost, AVPacket* packet)
{
    engine_.Faudio_size += packet->size;
    WriteOutputPacket(oc, packet, ost.EncoderContext, ost.BitstreamFilters.get());
}

} // namespace tovrel
