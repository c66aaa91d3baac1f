#include "media/loader/FFmpegLoaderEntries.h"
#include "media/transcode/FFmpegDecode.h"

#include <algorithm>
#include <limits>

namespace tovrel {

namespace {

// Integer samples: (sample × volume + 128) >> 8, clipped to the type.
template <class Sample> void ScaleIntegers(std::uint8_t* data, int count, int volume, std::int64_t zero)
{
    auto* samples = reinterpret_cast<Sample*>(data);
    constexpr std::int64_t low = std::numeric_limits<Sample>::min();
    constexpr std::int64_t high = std::numeric_limits<Sample>::max();
    for (int i = 0; i < count; ++i) {
        const std::int64_t centred = static_cast<std::int64_t>(samples[i]) - zero;
        const std::int64_t scaled = ((centred * volume + 128) >> 8) + zero;
        samples[i] = static_cast<Sample>(std::clamp(scaled, low, high));
    }
}

template <class Sample> void ScaleFloats(std::uint8_t* data, int count, int volume)
{
    auto* samples = reinterpret_cast<Sample*>(data);
    const Sample factor = static_cast<Sample>(volume) / 256;
    for (int i = 0; i < count; ++i)
        samples[i] = std::clamp<Sample>(samples[i] * factor, -1, 1);
}

void ScalePlane(AVSampleFormat packed, std::uint8_t* data, int count, int volume)
{
    switch (packed) {
    case AV_SAMPLE_FMT_U8: ScaleIntegers<std::uint8_t>(data, count, volume, 128); break;
    case AV_SAMPLE_FMT_S16: ScaleIntegers<std::int16_t>(data, count, volume, 0); break;
    case AV_SAMPLE_FMT_S32: ScaleIntegers<std::int32_t>(data, count, volume, 0); break;
    case AV_SAMPLE_FMT_S64:
        // 64-bit samples would overflow the product; scale through double.
        for (auto* sample = reinterpret_cast<std::int64_t*>(data); count-- > 0; ++sample)
            *sample = static_cast<std::int64_t>(static_cast<long double>(*sample) * volume / 256);
        break;
    case AV_SAMPLE_FMT_FLT: ScaleFloats<float>(data, count, volume); break;
    case AV_SAMPLE_FMT_DBL: ScaleFloats<double>(data, count, volume); break;
    default: break;
    }
}

AVSampleFormat PackedOf(AVSampleFormat format)
{
    switch (format) {
    case AV_SAMPLE_FMT_U8P: return AV_SAMPLE_FMT_U8;
    case AV_SAMPLE_FMT_S16P: return AV_SAMPLE_FMT_S16;
    case AV_SAMPLE_FMT_S32P: return AV_SAMPLE_FMT_S32;
    case AV_SAMPLE_FMT_S64P: return AV_SAMPLE_FMT_S64;
    case AV_SAMPLE_FMT_FLTP: return AV_SAMPLE_FMT_FLT;
    case AV_SAMPLE_FMT_DBLP: return AV_SAMPLE_FMT_DBL;
    default: return format;
    }
}

} // namespace

bool ApplyAudioVolume(AVFrame* frame, int volume)
{
    if (volume == 256)
        return true;
    if (FF.av_frame_make_writable(frame) < 0)
        return false;
    const auto format = static_cast<AVSampleFormat>(frame->format);
    const AVSampleFormat packed = PackedOf(format);
    const int channels = frame->ch_layout.nb_channels;
    if (packed != format) {
        for (int channel = 0; channel < channels; ++channel)
            ScalePlane(packed, frame->extended_data[channel], frame->nb_samples, volume);
    } else {
        ScalePlane(packed, frame->extended_data[0], frame->nb_samples * channels, volume);
    }
    return true;
}

} // namespace tovrel
