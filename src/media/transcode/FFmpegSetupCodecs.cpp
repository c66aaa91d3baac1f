// Stream copy and encoding parameters of one output stream and its source.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/transcode/FFmpegFilterGraph.h"
#include "media/transcode/FFmpegSetup.h"
#include "media/transcode/FFmpegTranscodeRun.h"

#include <climits>

namespace tovrel {

namespace {

// Subsampled formats need whole chroma samples (even sizes for 4:2:0), which
// encoders such as libx264 refuse to do without; odd sizes and crops are
// scaled down to the nearest fitting size.
void AlignToChroma(const TCustomFFmpeg& job, AVCodecContext* enc)
{
    const AVPixFmtDescriptor* format = FF.av_pix_fmt_desc_get(enc->pix_fmt);
    if (!format)
        return;
    const int width = enc->width & ~((1 << format->log2_chroma_w) - 1);
    const int height = enc->height & ~((1 << format->log2_chroma_h) - 1);
    if (width == enc->width && height == enc->height)
        return;
    GetFFLogger()->Log(&job, llInfo, "Frame size %dx%d rounded to %dx%d for %s", enc->width, enc->height, width, height,
                       FF.av_get_pix_fmt_name(enc->pix_fmt));
    enc->width = width;
    enc->height = height;
}

void RefuseUndecodedVideo(const TCustomFFmpeg& job)
{
    if (job.FOnCustomHook)
        throw FFmpegException("-vcodec copy and CustomHook are incompatible (frames are not decoded)");
    if (job.Fusing_vhook)
        throw FFmpegException("-vcodec copy and -vhook are incompatible (frames are not decoded)");
    if (!(job.PostHooks() == TPostHooks{}))
        throw FFmpegException("-vcodec copy and PostHooks are incompatible (frames are not decoded)");
}

// The source's tag, unless the output format's tag table knows it for another codec.
std::uint32_t CopiedCodecTag(const AVOutputFormat* format, const AVCodecParameters* source)
{
    const AVCodecTag* const* table = format->codec_tag;
    if (!table || FF.av_codec_get_id(table, source->codec_tag) == source->codec_id ||
        FF.av_codec_get_tag(table, source->codec_id) == 0)
        return source->codec_tag;
    return 0;
}

void SetupVideoScaler(TTranscodeRun& run, TAVOutputStream& ost, const AVCodecParameters* source, int width, int height)
{
    TCustomFFmpeg& job = run.Job;
    AVCodecContext* enc = ost.EncoderContext;
    ost.pict_tmp.reset(FF.av_frame_alloc());
    if (ost.pict_tmp) {
        ost.pict_tmp->format = enc->pix_fmt;
        ost.pict_tmp->width = enc->width;
        ost.pict_tmp->height = enc->height;
    }
    if (!ost.pict_tmp || FF.av_frame_get_buffer(ost.pict_tmp.get(), 0) < 0)
        throw FFmpegException("Cannot allocate temp picture, check pix fmt");
    job.Fsws_flags = static_cast<std::uint32_t>(SwsFlagsOf(job));
    ost.img_resample_ctx.reset(FF.sws_getContext(width, height, static_cast<AVPixelFormat>(source->format), enc->width,
                                                 enc->height, enc->pix_fmt, static_cast<int>(job.Fsws_flags), nullptr,
                                                 nullptr, nullptr));
    if (!ost.img_resample_ctx)
        throw FFmpegException("Cannot get resampling context");
    if (!job.FEnableFilter) {
        ost.original_height = source->height;
        ost.original_width = source->width;
    }
    enc->bits_per_raw_sample = 0;
}

void SetupVideoEncoding(TTranscodeRun& run, TAVOutputStream& ost, TAVInputStream& source, TEncoderSize size)
{
    TCustomFFmpeg& job = run.Job;
    AVCodecContext* enc = ost.EncoderContext;
    const AVCodecParameters* in = source.st->codecpar;
    if (enc->pix_fmt == AV_PIX_FMT_NONE)
        throw FFmpegException("Video pixel format is unknown, stream cannot be encoded");
    AlignToChroma(job, enc);
    const int width = in->width - job.Fframe_leftBand - job.Fframe_rightBand;
    const int height = in->height - job.Fframe_topBand - job.Fframe_bottomBand;
    ost.video_crop = (job.Fframe_topBand | job.Fframe_bottomBand | job.Fframe_leftBand | job.Fframe_rightBand) != 0;
    ost.video_resample = width != enc->width || height != enc->height || in->format != enc->pix_fmt;
    if (ost.video_crop) {
        ost.topBand = ost.original_topBand = job.Fframe_topBand;
        ost.bottomBand = ost.original_bottomBand = job.Fframe_bottomBand;
        ost.leftBand = ost.original_leftBand = job.Fframe_leftBand;
        ost.rightBand = ost.original_rightBand = job.Fframe_rightBand;
    }
    ost.resample_height = height;
    ost.resample_width = width;
    ost.resample_pix_fmt = in->format;
    ost.encoding_needed = 1;
    source.decoding_needed = 1;
    job.SetLastErrMsg("");
    if (job.FEnableFilter) {
        // The graph crops, scales and converts; the pictures it gives already
        // have the encoder's size and format.
        ost.video_crop = 0;
        ost.video_resample = 0;
        if (ConfigureFilters(run, source, ost, size) < 0) {
            job.SetLastErrMsg("Error opening filters!");
            throw FFmpegException("Error opening filters!");
        }
        ost.resample_height = enc->height;
        ost.resample_width = enc->width;
        ost.resample_pix_fmt = enc->pix_fmt;
        return;
    }
    if (ost.video_resample)
        SetupVideoScaler(run, ost, in, width, height);
}

} // namespace

std::int64_t SwsFlagsOf(const TCustomFFmpeg& job)
{
    std::int64_t flags = job.Fsws_flags;
    if (job.FOptions.sws_opts)
        FF.av_opt_get_int(job.FOptions.sws_opts, "sws_flags", 0, &flags);
    return flags;
}

void SetupStreamCopy(TTranscodeRun& run, TAVOutputStream& ost)
{
    TCustomFFmpeg& job = run.Job;
    const TAVInputStream& source = run.SourceOf(ost);
    const AVCodecParameters* in = source.st->codecpar;
    AVCodecParameters* out = ost.st->codecpar;
    if (static_cast<std::int64_t>(in->extradata_size) + 8 > INT_MAX)
        throw FFmpegException("icodec.extradata_size is invalid (too large)");
    switch (in->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        if (job.Faudio_volume != 256)
            throw FFmpegException("-acodec copy and -vol are incompatible (frames are not decoded)");
        break;
    case AVMEDIA_TYPE_VIDEO: RefuseUndecodedVideo(job); break;
    case AVMEDIA_TYPE_SUBTITLE: break;
    default: throw FFmpegException("invalid codec_type of output stream");
    }
    const std::uint32_t forcedTag = out->codec_tag;
    const AVRational sampleAspect = out->sample_aspect_ratio;
    if (FF.avcodec_parameters_copy(out, in) < 0)
        throw FFmpegException("av_mallocz fail");
    out->codec_tag = forcedTag ? forcedTag : CopiedCodecTag(run.OutputOf(ost)->oformat, in);
    if (in->codec_type == AVMEDIA_TYPE_AUDIO &&
        ((out->block_align == 1 && out->codec_id == AV_CODEC_ID_MP3) || out->codec_id == AV_CODEC_ID_AC3))
        out->block_align = 0;
    if (in->codec_type == AVMEDIA_TYPE_VIDEO && sampleAspect.num != 0) {
        out->sample_aspect_ratio = sampleAspect;
        ost.st->sample_aspect_ratio = sampleAspect;
    }
    ost.st->time_base = source.st->time_base;
    ost.st->avg_frame_rate = source.st->avg_frame_rate;
    ost.st->r_frame_rate = source.st->r_frame_rate;
}

void SetupStreamEncoding(TTranscodeRun& run, TAVOutputStream& ost, int tablePosition)
{
    TCustomFFmpeg& job = run.Job;
    TAVInputStream& source = run.SourceOf(ost);
    AVCodecContext* enc = ost.EncoderContext;
    switch (enc->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        ost.fifo.reset(FF.av_audio_fifo_alloc(enc->sample_fmt, enc->ch_layout.nb_channels, 1024));
        if (!ost.fifo)
            throw FFmpegException("av_fifo_alloc fail");
        ost.reformat_pair = -6;
        ost.audio_resample = enc->sample_rate != source.st->codecpar->sample_rate || job.Faudio_sync_method > 1;
        ost.encoding_needed = 1;
        source.decoding_needed = 1;
        break;
    case AVMEDIA_TYPE_VIDEO: {
        // A join's later inputs share the encoder the first one set up.
        const bool shared = static_cast<std::size_t>(tablePosition) >= run.EncoderStreamCount();
        SetupVideoEncoding(run, ost, source, shared ? TEncoderSize::Fixed : TEncoderSize::FromChain);
        break;
    }
    case AVMEDIA_TYPE_SUBTITLE:
        ost.encoding_needed = 1;
        source.decoding_needed = 1;
        break;
    default: throw FFmpegException("invalid codec_type of output stream");
    }
    if (enc->flags & (AV_CODEC_FLAG_PASS1 | AV_CODEC_FLAG_PASS2))
        OpenPassLogFile(run, ost, tablePosition);
}

} // namespace tovrel
