#include "media/transcode/FFmpegOutputMatch.h"

#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>

namespace tovrel {

namespace {

template <class T, class End> bool Listed(const T* list, T value, End end)
{
    for (; *list != end; ++list)
        if (*list == value)
            return true;
    return false;
}

// Whether `candidate` is nearer to `wanted` than `best`; the higher wins a tie.
template <class T> bool Nearer(T candidate, T best, T wanted)
{
    const T candidateDistance = candidate > wanted ? candidate - wanted : wanted - candidate;
    const T bestDistance = best > wanted ? best - wanted : wanted - best;
    return candidateDistance < bestDistance || (candidateDistance == bestDistance && candidate > best);
}

// Limits that some encoders check when they open without listing them.
struct TUnlistedLimits {
    const char* Encoder;
    int MaxChannels;
    int MaxSampleRate;
    std::int64_t MinBitRate;
};

constexpr TUnlistedLimits UnlistedLimits[] = {{"wmav1", 2, 48000, 24000}, {"wmav2", 2, 48000, 24000}};

const TUnlistedLimits* UnlistedLimitsOf(const AVCodec* encoder)
{
    if (!encoder->name)
        return nullptr;
    for (const TUnlistedLimits& limits : UnlistedLimits)
        if (std::strcmp(limits.Encoder, encoder->name) == 0)
            return &limits;
    return nullptr;
}

// The listed layout closest to `channels`: the same count first, then the most
// channels below it, then the fewest above it.
const AVChannelLayout* ClosestLayout(const AVChannelLayout* list, int channels)
{
    // Any count above ranks after every count below.
    auto rank = [channels](int count) { return count == channels ? 0 : count < channels ? channels - count : count; };
    const AVChannelLayout* best = list;
    for (; list->nb_channels != 0; ++list)
        if (rank(list->nb_channels) < rank(best->nb_channels))
            best = list;
    return best;
}

bool LayoutListed(const AVChannelLayout* list, const AVChannelLayout& layout)
{
    for (; list->nb_channels != 0; ++list)
        if (FF.av_channel_layout_compare(list, &layout) == 0)
            return true;
    return false;
}

// MPEG audio layer II: the MPEG-1 rates (32 kHz and above) and the
// half-rate extension's.
constexpr std::int64_t Mp2Rates[] = {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
constexpr std::int64_t Mp2HalfRates[] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

std::span<const std::int64_t> FixedBitrates(const AVCodecContext* codec, const AVCodec* encoder)
{
    if (encoder->id == AV_CODEC_ID_MP2)
        return codec->sample_rate >= 32000 ? std::span<const std::int64_t>(Mp2Rates)
                                           : std::span<const std::int64_t>(Mp2HalfRates);
    return {};
}

} // namespace

void MatchSampleFormat(AVCodecContext* codec, const AVCodec* encoder)
{
    if (!encoder || !encoder->sample_fmts)
        return;
    if (!Listed(encoder->sample_fmts, codec->sample_fmt, AV_SAMPLE_FMT_NONE))
        codec->sample_fmt = encoder->sample_fmts[0];
}

void MatchSampleRate(const void* sender, AVCodecContext* codec, const AVCodec* encoder)
{
    if (!encoder)
        return;
    int best = codec->sample_rate;
    if (encoder->supported_samplerates && encoder->supported_samplerates[0] != 0) {
        best = encoder->supported_samplerates[0];
        for (const int* rate = encoder->supported_samplerates; *rate != 0; ++rate)
            if (Nearer(*rate, best, codec->sample_rate))
                best = *rate;
    } else if (const TUnlistedLimits* limits = UnlistedLimitsOf(encoder); limits && best > limits->MaxSampleRate) {
        best = limits->MaxSampleRate;
    }
    if (best != codec->sample_rate)
        GetFFLogger()->Log(sender, llWarning, "Requested sampling rate unsupported using closest supported (%d)", best);
    codec->sample_rate = best;
}

void MatchChannelLayout(const void* sender, AVCodecContext* codec, const AVCodec* encoder, bool asked)
{
    const int channels = codec->ch_layout.nb_channels;
    if (!encoder || channels <= 0)
        return;
    AVChannelLayout fitted{};
    if (encoder->ch_layouts && encoder->ch_layouts[0].nb_channels != 0) {
        if (LayoutListed(encoder->ch_layouts, codec->ch_layout))
            return;
        FF.av_channel_layout_copy(&fitted, ClosestLayout(encoder->ch_layouts, channels));
    } else if (const TUnlistedLimits* limits = UnlistedLimitsOf(encoder); limits && channels > limits->MaxChannels) {
        FF.av_channel_layout_default(&fitted, limits->MaxChannels);
    } else {
        return;
    }
    if (asked && fitted.nb_channels != channels) {
        FF.av_channel_layout_uninit(&fitted);
        throw FFmpegException(Format("Encoder %s does not support %d audio channels", encoder->name, channels));
    }
    if (fitted.nb_channels != channels)
        GetFFLogger()->Log(sender, llWarning, "%d audio channels unsupported by %s, using %d", channels, encoder->name,
                           fitted.nb_channels);
    FF.av_channel_layout_uninit(&codec->ch_layout);
    codec->ch_layout = fitted;
}

void MatchAudioBitrate(const void* sender, AVCodecContext* codec, const AVCodec* encoder)
{
    if (!encoder || codec->bit_rate <= 0)
        return;
    std::int64_t best = codec->bit_rate;
    if (const std::span<const std::int64_t> rates = FixedBitrates(codec, encoder); !rates.empty()) {
        best = rates.front() * 1000;
        for (const std::int64_t kbits : rates)
            if (Nearer(kbits * 1000, best, codec->bit_rate))
                best = kbits * 1000;
    } else if (const TUnlistedLimits* limits = UnlistedLimitsOf(encoder); limits) {
        best = std::max(best, limits->MinBitRate);
    }
    if (best == codec->bit_rate)
        return;
    GetFFLogger()->Log(sender, llInfo, "Audio bit rate %lld is not allowed for %s, using %lld",
                       static_cast<long long>(codec->bit_rate), encoder->name, static_cast<long long>(best));
    codec->bit_rate = best;
}

void MatchConstantVideoRate(const void* sender, AVCodecContext* codec)
{
    if (codec->rc_max_rate <= 0 || codec->rc_min_rate != codec->rc_max_rate || codec->bit_rate == codec->rc_max_rate)
        return;
    GetFFLogger()->Log(sender, llInfo, "Video bit rate %lld replaced by the constant rate %lld the output requires",
                       static_cast<long long>(codec->bit_rate), static_cast<long long>(codec->rc_max_rate));
    codec->bit_rate = codec->rc_max_rate;
}

void MatchPixelFormat(AVCodecContext* codec, const AVCodec* encoder)
{
    if (!encoder || !encoder->pix_fmts)
        return;
    if (Listed(encoder->pix_fmts, codec->pix_fmt, AV_PIX_FMT_NONE))
        return;
    const bool mjpegKeeps = codec->codec_id == AV_CODEC_ID_MJPEG && codec->strict_std_compliance < 0 &&
                            (codec->pix_fmt == AV_PIX_FMT_YUV420P || codec->pix_fmt == AV_PIX_FMT_YUV422P);
    if (!mjpegKeeps)
        codec->pix_fmt = encoder->pix_fmts[0];
}

} // namespace tovrel
