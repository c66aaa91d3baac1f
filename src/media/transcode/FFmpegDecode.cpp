#include "media/transcode/FFmpegDecode.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegFilterGraph.h"
#include "media/transcode/FFmpegTranscodeRun.h"

#include <chrono>
#include <thread>

namespace tovrel {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};

AVMediaType TypeOf(const TAVInputStream& ist)
{
    return ist.st->codecpar->codec_type;
}

bool Fed(const TAVOutputStream& ost, int istIndex)
{
    return ost.source_index == istIndex;
}

// The stream's frame duration in microseconds from its rates, 0 when unknown.
std::int64_t FrameDuration(const TAVInputStream& ist, int repeatPict)
{
    AVRational rate = ist.DecoderContext && ist.DecoderContext->framerate.num > 0 ? ist.DecoderContext->framerate
                                                                                  : ist.st->avg_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        rate = ist.st->r_frame_rate;
    if (rate.num <= 0 || rate.den <= 0)
        return 0;
    return static_cast<std::int64_t>(AV_TIME_BASE) * rate.den * (2 + repeatPict) /
           (2 * static_cast<std::int64_t>(rate.num));
}

// A stream that is only copied still keeps its clock.
void AdvanceUndecoded(TAVInputStream& ist, const AVPacket* pkt)
{
    const AVCodecParameters* in = ist.st->codecpar;
    if (pkt->duration > 0) {
        ist.next_pts += FF.av_rescale_q(pkt->duration, ist.st->time_base, kMicroseconds);
    } else if (in->codec_type == AVMEDIA_TYPE_AUDIO && in->sample_rate > 0) {
        ist.next_pts += static_cast<std::int64_t>(AV_TIME_BASE) * in->frame_size / in->sample_rate;
    } else if (in->codec_type == AVMEDIA_TYPE_VIDEO) {
        ist.next_pts += FrameDuration(ist, 0);
    }
}

// The time of a decoded frame, and the time of the next one.
// Both kinds take the frame's own stamp: frame-threaded decoders return a frame
// several packets after the one just sent, so the packet's clock would be late.
void TakeFrameTimes(TAVInputStream& ist, const AVFrame* frame)
{
    if (frame->best_effort_timestamp != AV_NOPTS_VALUE)
        ist.pts = FF.av_rescale_q(frame->best_effort_timestamp, ist.st->time_base, kMicroseconds);
    else
        ist.pts = ist.next_pts;
    if (TypeOf(ist) == AVMEDIA_TYPE_VIDEO) {
        const std::int64_t duration = frame->pkt_duration > 0
                                          ? FF.av_rescale_q(frame->pkt_duration, ist.st->time_base, kMicroseconds)
                                          : FrameDuration(ist, frame->repeat_pict);
        ist.next_pts = ist.pts + duration;
        return;
    }
    ist.next_pts = ist.pts;
    if (frame->sample_rate > 0)
        ist.next_pts += static_cast<std::int64_t>(AV_TIME_BASE) * frame->nb_samples / frame->sample_rate;
}

void EmulateRate(const TCustomFFmpeg& job, const TAVInputStream& ist)
{
    if (!job.Frate_emu)
        return;
    const std::int64_t ahead = ist.pts - (FF.av_gettime() - ist.start);
    if (ahead > 1000)
        std::this_thread::sleep_for(std::chrono::milliseconds(ahead / 1000));
}

bool PastStart(const TCustomFFmpeg& job, const TAVInputStream& ist)
{
    return job.Fstart_time == 0 || ist.pts >= job.Fstart_time;
}

void EncodeFrame(TTranscodeRun& run, TAVInputStream& ist, int istIndex, AVFrame* frame)
{
    TCustomFFmpeg& job = run.Job;
    for (TAVOutputStream* ost : run.OstTable) {
        if (!Fed(*ost, istIndex) || !ost->encoding_needed)
            continue;
        AVFormatContext* os = run.OutputOf(*ost);
        switch (ost->EncoderContext->codec_type) {
        case AVMEDIA_TYPE_AUDIO: run.Steps->do_audio_out(os, *ost, ist, frame); break;
        case AVMEDIA_TYPE_VIDEO: {
            if (job.FEnableFilter && frame->sample_aspect_ratio.num != 0)
                ost->EncoderContext->sample_aspect_ratio = frame->sample_aspect_ratio;
            int frameSize = 0;
            run.Steps->EncodeVideoFrame(os, *ost, ist, frame, frameSize);
            if (!job.Fvstats_filename.empty() && frameSize != 0)
                run.Steps->WriteVideoStats(os, *ost, frameSize);
            break;
        }
        default: throw FFmpegException("invalid codec_type");
        }
    }
}

// Every finished picture the graph holds goes to the encoders.
void EncodeFilteredPictures(TTranscodeRun& run, TAVInputStream& ist, int istIndex)
{
    while (GetFilteredVideoPicture(ist, ist.filter_frame.get()) > 0) {
        ist.pts = ist.filter_frame->pts;
        ist.has_filter_frame = 1;
        EncodeFrame(run, ist, istIndex, ist.filter_frame.get());
        FF.av_frame_unref(ist.filter_frame.get());
    }
}

void HandleDecodedFrame(TTranscodeRun& run, TAVInputStream& ist, int istIndex, AVFrame* frame)
{
    TCustomFFmpeg& job = run.Job;
    const bool video = TypeOf(ist) == AVMEDIA_TYPE_VIDEO;
    if (video)
        run.Steps->PrepareVideoFrame(ist, frame);
    else if (!ApplyAudioVolume(frame, job.Faudio_volume))
        throw FFmpegException("av_frame_make_writable fail");
    EmulateRate(job, ist);
    if (!PastStart(job, ist))
        return;
    if (video && job.FEnableFilter && ist.input_video_filter) {
        if (!PushFilterPicture(ist, frame))
            throw FFmpegException("Error while feeding the filtergraph");
        EncodeFilteredPictures(run, ist, istIndex);
        return;
    }
    EncodeFrame(run, ist, istIndex, frame);
}

void WarnMultipleFrames(TTranscodeRun& run, TAVInputStream& ist, const AVPacket* pkt)
{
    const int verbose = run.Job.Fverbose;
    if ((ist.showed_multi_packet_warning == 0 && verbose > 0) || verbose > 1) {
        GetFFLogger()->Log(&run.Job, llError, "Multiple frames in a packet from stream %d", pkt->stream_index);
        ist.showed_multi_packet_warning = 1;
    }
}

// 0..n frames per packet; a null packet asks for what the decoder still holds.
int DecodeFrames(TTranscodeRun& run, TAVInputStream& ist, int istIndex, const AVPacket* pkt)
{
    const int sent = FF.avcodec_send_packet(ist.DecoderContext.get(), pkt);
    if (sent < 0 && sent != AVERROR_EOF)
        return -1;
    AVFrame* frame = ist.DecodedFrame.get();
    for (int frames = 0;; ++frames) {
        const int received = FF.avcodec_receive_frame(ist.DecoderContext.get(), frame);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return 0;
        if (received < 0)
            return -1;
        if (frames > 0 && pkt)
            WarnMultipleFrames(run, ist, pkt);
        TakeFrameTimes(ist, frame);
        if (TypeOf(ist) == AVMEDIA_TYPE_VIDEO)
            ist.quality = static_cast<float>(frame->quality);
        HandleDecodedFrame(run, ist, istIndex, frame);
        FF.av_frame_unref(frame);
    }
}

int DecodeSubtitle(TTranscodeRun& run, TAVInputStream& ist, int istIndex, const AVPacket* pkt)
{
    if (!pkt)
        return 0;
    AVSubtitle subtitle{};
    int got = 0;
    if (FF.avcodec_decode_subtitle2(ist.DecoderContext.get(), &subtitle, &got, const_cast<AVPacket*>(pkt)) < 0)
        return -1;
    if (!got)
        return 0;
    struct TSubtitleFree {
        AVSubtitle* Subtitle;
        ~TSubtitleFree() { FF.avsubtitle_free(Subtitle); }
    } release{&subtitle};
    if (!PastStart(run.Job, ist))
        return 0;
    for (TAVOutputStream* ost : run.OstTable)
        if (Fed(*ost, istIndex) && ost->encoding_needed)
            run.Steps->EncodeSubtitle(run.OutputOf(*ost), *ost, ist, &subtitle, pkt->pts);
    return 0;
}

void CopyPacket(TTranscodeRun& run, TAVInputStream& ist, TAVOutputStream& ost, const AVPacket* pkt)
{
    TCustomFFmpeg& job = run.Job;
    const AVRational outBase = ost.st->time_base;
    const std::int64_t startOffset = FF.av_rescale_q(job.Fstart_time, kMicroseconds, outBase);
    if (ost.frame_number == 0 && !(pkt->flags & AV_PKT_FLAG_KEY) && job.Fcopy_initial_nonkeyframes == 0)
        return;
    if (TypeOf(ist) == AVMEDIA_TYPE_AUDIO) {
        job.Faudio_size += pkt->size;
    } else if (TypeOf(ist) == AVMEDIA_TYPE_VIDEO) {
        job.Fvideo_size += pkt->size;
        ost.sync_opts += 1;
    }
    TPacketPtr out(FF.av_packet_alloc());
    if (!out || FF.av_packet_ref(out.get(), pkt) < 0)
        throw FFmpegException("av_mallocz fail");
    out->stream_index = ost.index;
    out->pts = pkt->pts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE
                                          : FF.av_rescale_q(pkt->pts, ist.st->time_base, outBase) - startOffset;
    out->dts = (pkt->dts == AV_NOPTS_VALUE ? FF.av_rescale_q(ist.pts, kMicroseconds, outBase)
                                           : FF.av_rescale_q(pkt->dts, ist.st->time_base, outBase)) -
               startOffset;
    out->duration = FF.av_rescale_q(pkt->duration, ist.st->time_base, outBase);
    out->time_base = outBase;
    run.Steps->WriteOutputPacket(run.OutputOf(ost), out.get(), ost.EncoderContext, ost.BitstreamFilters.get());
    ++ost.frame_number;
}

void CopyToOutputs(TTranscodeRun& run, TAVInputStream& ist, int istIndex, const AVPacket* pkt)
{
    if (!PastStart(run.Job, ist))
        return;
    for (TAVOutputStream* ost : run.OstTable)
        if (Fed(*ost, istIndex) && !ost->encoding_needed)
            CopyPacket(run, ist, *ost, pkt);
}

// End of the input: the pictures the graph still holds go to the encoders.
void DrainFilterGraph(TTranscodeRun& run, TAVInputStream& ist, int istIndex)
{
    if (run.Job.FEnableFilter && ist.input_video_filter && PushFilterPicture(ist, nullptr))
        EncodeFilteredPictures(run, ist, istIndex);
}

// End of the output: what the encoders still hold is written.
void FlushEncoders(TTranscodeRun& run, int istIndex)
{
    for (TAVOutputStream* ost : run.OstTable)
        if (Fed(*ost, istIndex) && ost->encoding_needed)
            run.Steps->FlushEncoder(run.OutputOf(*ost), *ost);
}

int Decode(TTranscodeRun& run, TAVInputStream& ist, int istIndex, const AVPacket* pkt)
{
    if (!ist.decoding_needed)
        return 0;
    switch (TypeOf(ist)) {
    case AVMEDIA_TYPE_AUDIO:
    case AVMEDIA_TYPE_VIDEO: return DecodeFrames(run, ist, istIndex, pkt);
    case AVMEDIA_TYPE_SUBTITLE: return DecodeSubtitle(run, ist, istIndex, pkt);
    default: return -1;
    }
}

} // namespace

int ProcessInputPacket(TTranscodeRun& run, TAVInputStream& ist, int istIndex, const AVPacket* pkt)
{
    if (ist.next_pts == AV_NOPTS_VALUE)
        ist.next_pts = ist.pts;
    if (pkt && pkt->dts != AV_NOPTS_VALUE)
        ist.next_pts = ist.pts = FF.av_rescale_q(pkt->dts, ist.st->time_base, kMicroseconds);
    if (pkt) {
        if (!ist.decoding_needed) {
            ist.pts = ist.next_pts;
            AdvanceUndecoded(ist, pkt);
        }
        CopyToOutputs(run, ist, istIndex, pkt);
    }
    if (const int result = Decode(run, ist, istIndex, pkt); result < 0)
        return result;
    if (!pkt) {
        DrainFilterGraph(run, ist, istIndex);
        FlushEncoders(run, istIndex);
    }
    return 0;
}

int DrainJoinedInput(TTranscodeRun& run, TAVInputStream& ist, int istIndex)
{
    if (ist.next_pts == AV_NOPTS_VALUE)
        ist.next_pts = ist.pts;
    if (const int result = Decode(run, ist, istIndex, nullptr); result < 0)
        return result;
    DrainFilterGraph(run, ist, istIndex);
    return 0;
}

} // namespace tovrel
