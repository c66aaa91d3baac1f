#include "support/SyntheticSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovrel::test::media {

void PaintPicture(AVFrame& frame, int index)
{
    const int width = frame.width;
    const int height = frame.height;
    const int square = std::max(8, height / 4);
    const int squareLeft = (index * 4) % std::max(1, width - square);
    const int squareTop = (height - square) / 2;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = frame.data[0] + y * frame.linesize[0];
        for (int x = 0; x < width; ++x) {
            const bool inSquare =
                x >= squareLeft && x < squareLeft + square && y >= squareTop && y < squareTop + square;
            row[x] = inSquare ? 235 : static_cast<uint8_t>(16 + (x + y + index * 3) % 200);
        }
    }
    for (int y = 0; y < (height + 1) / 2; ++y) {
        uint8_t* u = frame.data[1] + y * frame.linesize[1];
        uint8_t* v = frame.data[2] + y * frame.linesize[2];
        for (int x = 0; x < (width + 1) / 2; ++x) {
            u[x] = static_cast<uint8_t>(64 + (x + index) % 128);
            v[x] = static_cast<uint8_t>(64 + (y + index * 2) % 128);
        }
    }
}

bool CanFillTone(AVSampleFormat format)
{
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_S16:
    case AV_SAMPLE_FMT_S32:
    case AV_SAMPLE_FMT_FLT:
    case AV_SAMPLE_FMT_DBL: return true;
    default: return false;
    }
}

namespace {

template <typename Sample> void Store(uint8_t* base, int index, Sample value)
{
    reinterpret_cast<Sample*>(base)[index] = value;
}

void StoreSample(AVSampleFormat packed, uint8_t* base, int index, double value)
{
    switch (packed) {
    case AV_SAMPLE_FMT_S16: Store<int16_t>(base, index, static_cast<int16_t>(std::lround(value * INT16_MAX))); break;
    case AV_SAMPLE_FMT_S32: Store<int32_t>(base, index, static_cast<int32_t>(std::lround(value * INT32_MAX))); break;
    case AV_SAMPLE_FMT_FLT: Store<float>(base, index, static_cast<float>(value)); break;
    default: Store<double>(base, index, value); break;
    }
}

} // namespace

void FillTone(AVFrame& frame, int64_t firstSample, double frequency)
{
    const auto format = static_cast<AVSampleFormat>(frame.format);
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    const bool planar = av_sample_fmt_is_planar(format) != 0;
    const int channels = frame.ch_layout.nb_channels;
    constexpr double amplitude = 0.3;
    for (int i = 0; i < frame.nb_samples; ++i) {
        const double time = static_cast<double>(firstSample + i) / frame.sample_rate;
        const double value = amplitude * std::sin(2 * std::numbers::pi * frequency * time);
        for (int channel = 0; channel < channels; ++channel) {
            if (planar)
                StoreSample(packed, frame.extended_data[channel], i, value);
            else
                StoreSample(packed, frame.extended_data[0], i * channels + channel, value);
        }
    }
}

} // namespace tovrel::test::media
