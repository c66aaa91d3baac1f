#include "media/transcode/FFmpegCodecOpen.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/transcode/FFmpegPass2Check.h"
#include "media/transcode/FFmpegSetup.h"
#include "media/transcode/FFmpegTranscodeRun.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>

namespace tovrel {

namespace {

struct TDictionaryDeleter {
    void operator()(AVDictionary* dictionary) const { FF.av_dict_free(&dictionary); }
};

bool OptionsSetThreads(const TCustomFFmpeg& job)
{
    return std::find(job.FOptions.opt_names.begin(), job.FOptions.opt_names.end(), "threads") !=
           job.FOptions.opt_names.end();
}

void ShareCores(const TCustomFFmpeg& job, AVCodecContext* codec)
{
    if (!OptionsSetThreads(job))
        codec->thread_count = CodecThreadCount(std::thread::hardware_concurrency(), job.ConcurrentTasks);
}

// The codec's private options of the job's option store, plus the two-pass
// log for encoders that keep it themselves.
AVDictionary* OpenOptions(const TCustomFFmpeg& job, const TAVOutputStream* ost, AVMediaType type)
{
    AVDictionary* options = nullptr;
    if (type >= 0 && type < TFFOptions::MediaTypes)
        FF.av_dict_copy(&options, job.FOptions.CodecPrivateOpts[type], 0);
    if (ost && !ost->LogFileName.empty() && EncoderKeepsOwnStats(ost->Encoder))
        FF.av_dict_set(&options, "stats", ost->LogFileName.c_str(), 0);
    return options;
}

// Opens under the codec lock; the lock is held for this one codec only.
int OpenCodec(const TCustomFFmpeg& job, AVCodecContext* codec, const AVCodec* found, const TAVOutputStream* ost)
{
    std::unique_ptr<AVDictionary, TDictionaryDeleter> options(OpenOptions(job, ost, found->type));
    AVDictionary* raw = options.release();
    int result = 0;
    {
        std::lock_guard lock(CodecOpenLock());
        result = FF.avcodec_open2(codec, found, &raw);
    }
    FF.av_dict_free(&raw);
    return result;
}

// A refused pass-2 open must not reach the library (see FFmpegPass2Check.h).
void RefuseFailingPass2(TTranscodeRun& run, TAVOutputStream& ost, const AVCodec* encoder, const std::string& typeName)
{
    if (!UsesLibraryPass2(ost.EncoderContext, encoder))
        return;
    std::unique_ptr<AVDictionary, TDictionaryDeleter> options(OpenOptions(run.Job, &ost, encoder->type));
    std::string refusal;
    {
        std::lock_guard lock(CodecOpenLock());
        refusal = Pass2OpenRefusal(ost.EncoderContext, encoder, options.get());
    }
    if (refusal.empty())
        return;
    ost.EncoderContext->stats_in = nullptr;
    DumpLogAndRaise(run, Format("Error while opening encoder for output stream #%d.%d (%s): %s", ost.file_index,
                                ost.index, typeName, refusal));
}

const AVCodec* EncoderOf(const TAVOutputStream& ost)
{
    return ost.Encoder ? ost.Encoder : FF.avcodec_find_encoder(ost.EncoderContext->codec_id);
}

// Text subtitle encoders need a time base and the style header the source's
// decoder made.
void PrepareSubtitleEncoder(TTranscodeRun& run, TAVOutputStream& ost)
{
    AVCodecContext* enc = ost.EncoderContext;
    const auto source = static_cast<std::size_t>(ost.source_index);
    if (source >= run.Tables.InputStreams.size())
        return;
    const TAVInputStream& ist = *run.Tables.InputStreams[source];
    if (enc->time_base.num <= 0 || enc->time_base.den <= 0)
        enc->time_base = ist.st->time_base;
    const AVCodecContext* dec = ist.DecoderContext.get();
    if (enc->subtitle_header)
        return;
    if (!dec || !dec->subtitle_header || dec->subtitle_header_size <= 0)
        return;
    enc->subtitle_header = static_cast<std::uint8_t*>(FF.av_mallocz(dec->subtitle_header_size + 1));
    if (!enc->subtitle_header)
        throw FFmpegException("av_mallocz fail");
    std::memcpy(enc->subtitle_header, dec->subtitle_header, dec->subtitle_header_size);
    enc->subtitle_header_size = dec->subtitle_header_size;
}

void OpenEncoder(TTranscodeRun& run, TAVOutputStream& ost)
{
    TCustomFFmpeg& job = run.Job;
    const AVCodec* encoder = EncoderOf(ost);
    const std::string typeName = MediaTypeName(ost.EncoderContext->codec_type);
    if (!encoder)
        DumpLogAndRaise(run,
                        Format("Encoder (codec id %d) not found for output stream #%d.%d (%s)",
                               static_cast<int>(ost.EncoderContext->codec_id), ost.file_index, ost.index, typeName));
    ost.Encoder = encoder;
    if (ost.EncoderContext->codec_type == AVMEDIA_TYPE_SUBTITLE)
        PrepareSubtitleEncoder(run, ost);
    ShareCores(job, ost.EncoderContext);
    ost.EncoderContext->stats_in = ost.StatsIn.empty() ? nullptr : ost.StatsIn.data();
    RefuseFailingPass2(run, ost, encoder, typeName);
    if (const int result = OpenCodec(job, ost.EncoderContext, encoder, &ost); result < 0) {
        ost.EncoderContext->stats_in = nullptr;
        LogLibraryError(run, run.OutputOf(ost)->url, result);
        DumpLogAndRaise(run, Format("Error while opening encoder for output stream #%d.%d (%s) - maybe incorrect "
                                    "parameters such as bit_rate, rate, width or height. Please check error log "
                                    "message to find out more detail information.",
                                    ost.file_index, ost.index, typeName));
    }
    ost.EncoderOpen = 1;
    job.Fextra_size += ost.EncoderContext->extradata_size;
    // The muxer sees what the opened encoder produces.
    FF.avcodec_parameters_from_context(ost.st->codecpar, ost.EncoderContext);
    ost.st->time_base = ost.EncoderContext->time_base;
    if (ost.EncoderContext->codec_type == AVMEDIA_TYPE_VIDEO)
        ost.st->avg_frame_rate = ost.EncoderContext->framerate;
}

void CloseEncoder(TAVOutputStream& ost)
{
    if (!ost.EncoderOpen)
        return;
    ost.EncoderContext->stats_in = nullptr;
    std::lock_guard lock(CodecOpenLock());
    FF.avcodec_close(ost.EncoderContext);
    ost.EncoderOpen = 0;
}

} // namespace

int CodecThreadCount(unsigned cores, int concurrentTasks)
{
    // One task alone: each library knows best how to thread its own codec
    // (libx264 takes more threads than cores, and look-ahead threads).
    if (concurrentTasks <= 1)
        return 0;
    return std::max(1, static_cast<int>(cores) / concurrentTasks);
}

void OpenEncoders(TTranscodeRun& run)
{
    for (std::size_t i = 0; i < run.EncoderStreamCount(); ++i)
        if (run.Tables.OutputStreams[i]->encoding_needed)
            OpenEncoder(run, *run.Tables.OutputStreams[i]);
}

void OpenDecoders(TTranscodeRun& run)
{
    TCustomFFmpeg& job = run.Job;
    for (auto& entry : run.Tables.InputStreams) {
        TAVInputStream& ist = *entry;
        if (!ist.decoding_needed)
            continue;
        const AVCodecParameters* in = ist.st->codecpar;
        const std::string typeName = MediaTypeName(in->codec_type);
        const auto& forced = run.State.ForcedDecoders;
        const auto file = static_cast<std::size_t>(ist.file_index);
        const auto stream = static_cast<std::size_t>(ist.index);
        const AVCodec* decoder = file < forced.size() && stream < forced[file].size() ? forced[file][stream] : nullptr;
        if (!decoder)
            decoder = FF.avcodec_find_decoder(in->codec_id);
        if (!decoder)
            DumpLogAndRaise(run, Format("Decoder (codec id %d) not found for input stream #%d.%d (%s)",
                                        static_cast<int>(in->codec_id), ist.file_index, ist.index, typeName));
        TCodecContextPtr dec(FF.avcodec_alloc_context3(decoder));
        if (!dec || FF.avcodec_parameters_to_context(dec.get(), in) < 0)
            throw FFmpegException("av_mallocz fail");
        dec->pkt_timebase = ist.st->time_base;
        ShareCores(job, dec.get());
        // Frame threads spread the decoding of single-slice sources over the
        // cores (otherwise decoding stays on the conversion thread and slows a
        // whole run). The thread checker cannot see how the library hands
        // buffers between its frame threads, so its builds decode with slices.
#if defined(__SANITIZE_THREAD__)
        dec->thread_type = FF_THREAD_SLICE;
#endif
        if (const int result = OpenCodec(job, dec.get(), decoder, nullptr); result < 0) {
            LogLibraryError(run, job.Finput_files[file]->url, result);
            DumpLogAndRaise(run, Format("Error while opening decoder for input stream #%d.%d (%s)", ist.file_index,
                                        ist.index, typeName));
        }
        ist.Decoder = decoder;
        ist.DecoderContext = std::move(dec);
        ist.DecodedFrame.reset(FF.av_frame_alloc());
        if (!ist.DecodedFrame)
            throw FFmpegException("av_mallocz fail");
    }
}

void InitInputTimestamps(TTranscodeRun& run)
{
    for (auto& entry : run.Tables.InputStreams) {
        TAVInputStream& ist = *entry;
        const AVRational rate = ist.st->avg_frame_rate;
        ist.pts = 0;
        if (rate.num != 0) {
            const double delay = ist.st->codecpar->video_delay * 1000000.0 / (double(rate.num) / rate.den);
            ist.pts = -static_cast<std::int64_t>(std::nearbyint(delay));
        }
        ist.next_pts = AV_NOPTS_VALUE;
        ist.is_start = 1;
    }
}

void CloseEncoders(TTranscodeRun& run)
{
    for (std::size_t i = 0; i < run.Tables.OutputStreams.size(); ++i)
        CloseEncoder(*run.Tables.OutputStreams[i]);
}

void CloseDecoders(TTranscodeRun& run)
{
    for (auto& entry : run.Tables.InputStreams) {
        if (!entry->DecoderContext)
            continue;
        std::lock_guard lock(CodecOpenLock());
        entry->DecoderContext.reset();
    }
}

} // namespace tovrel
