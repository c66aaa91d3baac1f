#include "media/transcode/FFmpegOutputMatch.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"

#include <cstdlib>

namespace tovrel {

namespace {

template <class T, class End> bool Listed(const T* list, T value, End end)
{
    for (; *list != end; ++list)
        if (*list == value)
            return true;
    return false;
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
    if (!encoder || !encoder->supported_samplerates || encoder->supported_samplerates[0] == 0)
        return;
    int best = encoder->supported_samplerates[0];
    for (const int* rate = encoder->supported_samplerates; *rate != 0; ++rate)
        if (std::abs(*rate - codec->sample_rate) < std::abs(best - codec->sample_rate))
            best = *rate;
    if (best != codec->sample_rate)
        GetFFLogger()->Log(sender, llWarning, "Requested sampling rate unsupported using closest supported (%d)", best);
    codec->sample_rate = best;
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
