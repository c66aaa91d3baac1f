#include "media/transcode/FFmpegTranscodeLoop.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegCodecOpen.h"
#include "media/transcode/FFmpegDamagedTime.h"
#include "media/transcode/FFmpegDecode.h"
#include "media/transcode/FFmpegTranscode.h"
#include "media/transcode/FFmpegTranscodeRun.h"
#include "platform/rtl/Format.h"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <thread>

namespace tovrel {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};

// How far an output stream has got, in seconds. (The muxer's own end
// counter leaves out the last packet's duration, which would start a joined
// input a picture early.)
double OutputTime(const TOutputSteps& steps, const TAVOutputStream& ost)
{
    if (ost.encoding_needed)
        return static_cast<double>(ost.sync_opts) * av_q2d(ost.EncoderContext->time_base);
    return steps.HandedOverTime(ost.st);
}

// Where the next input of a Join starts for a stream: past everything given
// to its encoder, the samples handed over to `next` that still wait for a
// whole frame, and everything written, so the stream's times keep
// increasing across the join.
double JoinedOutputTime(const TOutputSteps& steps, const TAVOutputStream& done, const TAVOutputStream& next)
{
    double time = OutputTime(steps, done);
    if (next.fifo && done.EncoderContext->sample_rate > 0)
        time += static_cast<double>(FF.av_audio_fifo_size(next.fifo.get())) / done.EncoderContext->sample_rate;
    return std::max(time, steps.HandedOverTime(done.st));
}

int MaxFramesOf(const TCustomFFmpeg& job, const TAVOutputStream& ost)
{
    switch (ost.st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO: return job.Fmax_frames[mtVideo];
    case AVMEDIA_TYPE_AUDIO: return job.Fmax_frames[mtAudio];
    case AVMEDIA_TYPE_SUBTITLE: return job.Fmax_frames[mtSubtitle];
    default: return job.Fmax_frames[mtData];
    }
}

class TPacketLoop {
public:
    explicit TPacketLoop(TTranscodeRun& run)
        : run_(run), job_(run.Job), noPacket_(static_cast<std::size_t>(run.Job.FMaxFiles), false),
          packet_(FF.av_packet_alloc())
    {
        if (!packet_)
            throw FFmpegException("av_mallocz fail");
    }

    void Run()
    {
        run_.Steps->Ftimer_start = run_.Steps->Clock ? run_.Steps->Clock() : FF.av_gettime();
        lastReport_ = run_.Steps->Ftimer_start;
        while (!job_.Broken()) {
            job_.PassPauseGate();
            if (job_.Broken() || !Pass())
                break;
        }
    }

private:
    // One pass: choose, read and handle one packet. False ends the loop.
    bool Pass()
    {
        const int fileIndex = Choose();
        if (fileIndex < 0) {
            if (job_.FJoinMode || noPacketCount_ == 0)
                return false;
            ClearNoPacket();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            return true;
        }
        if (job_.Flimit_filesize != 0 && run_.OutputFiles[0]->pb &&
            FF.avio_seek(run_.OutputFiles[0]->pb, 0, SEEK_CUR) > job_.Flimit_filesize)
            return false;
        AVFormatContext* input = job_.Finput_files[static_cast<std::size_t>(fileIndex)];
        const int result = FF.av_read_frame(input, packet_.get());
        if (result == AVERROR(EAGAIN)) {
            if (!job_.FJoinMode) {
                noPacket_[static_cast<std::size_t>(fileIndex)] = true;
                ++noPacketCount_;
            }
            return true;
        }
        // Only the end of a file ends its reading; any other failure is the task's.
        if (result < 0 && result != AVERROR_EOF)
            throw FFmpegException(FormatAVError(DecodeAVFileName(input->url ? input->url : ""), result));
        if (result < 0) {
            run_.Tables.Files[static_cast<std::size_t>(fileIndex)].eof_reached = 1;
            if (job_.FJoinMode)
                return SwitchJoinedInput(fileIndex);
            return !job_.Fopt_shortest;
        }
        ClearNoPacket();
        struct TUnref {
            AVPacket* Packet;
            ~TUnref() { FF.av_packet_unref(Packet); }
        } unref{packet_.get()};
        if (job_.Fdo_pkt_dump)
            FF.av_pkt_dump_log2(nullptr, AV_LOG_DEBUG, packet_.get(), job_.Fdo_hex_dump,
                                input->streams[packet_->stream_index]);
        HandlePacket(fileIndex, packet_.get());
        ReportWhenDue();
        return true;
    }

    int Choose()
    {
        std::vector<TInputChoice> streams;
        std::size_t first = 0;
        std::size_t end = run_.Tables.OutputStreams.size();
        if (job_.FJoinMode) {
            first = static_cast<std::size_t>(current_) * static_cast<std::size_t>(run_.Tables.GroupSize);
            end = std::min(end, first + static_cast<std::size_t>(run_.Tables.GroupSize));
        }
        for (std::size_t i = first; i < end; ++i) {
            const TAVOutputStream& ost = *run_.Tables.OutputStreams[i];
            const TAVInputStream& ist = run_.SourceOf(ost);
            TInputChoice choice;
            choice.FileIndex = ist.file_index;
            choice.Skipped = ist.is_past_recording_time || noPacket_[static_cast<std::size_t>(ist.file_index)];
            choice.FileEnded = run_.Tables.Files[static_cast<std::size_t>(ist.file_index)].eof_reached != 0;
            choice.InputTime = static_cast<double>(ist.pts);
            choice.OutputTime = OutputTime(*run_.Steps, ost);
            choice.MaxFramesReached = ost.frame_number >= MaxFramesOf(job_, ost);
            streams.push_back(choice);
        }
        const int chosen = ChooseNextInput(streams, job_.Finput_sync);
        if (job_.FJoinMode && chosen >= 0)
            return current_;
        return chosen;
    }

    void ClearNoPacket()
    {
        std::fill(noPacket_.begin(), noPacket_.end(), false);
        noPacketCount_ = 0;
    }

    // Offset, scale and discontinuity of the file; false drops the packet.
    bool FixTimestamps(int fileIndex, TAVInputStream& ist, AVPacket* pkt)
    {
        const auto file = static_cast<std::size_t>(fileIndex);
        RetimeDamagedPacket(job_, job_.Finput_files[file], ist, pkt);
        const AVRational base = ist.st->time_base;
        std::int64_t& offset = job_.Finput_files_ts_offset[file];
        const std::int64_t shift = FF.av_rescale_q(offset, kMicroseconds, base);
        if (pkt->dts != AV_NOPTS_VALUE)
            pkt->dts += shift;
        if (pkt->pts != AV_NOPTS_VALUE)
            pkt->pts += shift;
        // Streams beyond the scale table are not scaled.
        const double scale = pkt->stream_index < kMaxStreamsPerFile
                                 ? job_.Finput_files_ts_scale[file][static_cast<std::size_t>(pkt->stream_index)]
                                 : 0.0;
        if (scale != 0.0) {
            if (pkt->pts != AV_NOPTS_VALUE)
                pkt->pts = std::llrint(static_cast<double>(pkt->pts) * scale);
            if (pkt->dts != AV_NOPTS_VALUE)
                pkt->dts = std::llrint(static_cast<double>(pkt->dts) * scale);
        }
        const AVFormatContext* input = job_.Finput_files[file];
        if (pkt->dts != AV_NOPTS_VALUE && ist.next_pts != AV_NOPTS_VALUE &&
            (input->iformat->flags & AVFMT_TS_DISCONT)) {
            const std::int64_t dtsMicro = FF.av_rescale_q(pkt->dts, base, kMicroseconds);
            const std::int64_t delta = dtsMicro - ist.next_pts;
            if ((std::llabs(delta) > static_cast<std::int64_t>(job_.Fdts_delta_threshold * 1000000.0) ||
                 dtsMicro + 1 < ist.pts) &&
                !job_.Fcopy_ts) {
                offset -= delta;
                if (job_.Fverbose > 2)
                    GetFFLogger()->Log(&job_, llVerbose, "timestamp discontinuity %lld, new offset= %lld",
                                       static_cast<long long>(delta), static_cast<long long>(offset));
                const std::int64_t back = FF.av_rescale_q(delta, kMicroseconds, base);
                pkt->dts -= back;
                if (pkt->pts != AV_NOPTS_VALUE)
                    pkt->pts -= back;
            }
        }
        if (job_.Frecording_time != INT64_MAX &&
            FF.av_compare_ts(pkt->pts, base, job_.Frecording_time + job_.Fstart_time, kMicroseconds) >= 0) {
            ist.is_past_recording_time = 1;
            return false;
        }
        return true;
    }

    void HandlePacket(int fileIndex, AVPacket* pkt)
    {
        const TAVInputFile& file = run_.Tables.Files[static_cast<std::size_t>(fileIndex)];
        // A stream that appeared after opening has no record.
        if (pkt->stream_index >= file.nb_streams)
            return;
        const int istIndex = file.ist_index + pkt->stream_index;
        TAVInputStream& ist = *run_.Tables.InputStreams[static_cast<std::size_t>(istIndex)];
        if (ist.discard || !FixTimestamps(fileIndex, ist, pkt))
            return;
        if (ProcessInputPacket(run_, ist, istIndex, pkt) >= 0)
            return;
        const std::string message = Format("Error while decoding stream #%d.%d (%s)", ist.file_index, ist.index,
                                           MediaTypeName(ist.st->codecpar->codec_type));
        if (job_.Fexit_on_error)
            throw FFmpegException(message);
        if (job_.Fverbose >= 0)
            GetFFLogger()->Log(&job_, llVerbose, message);
    }

    void ReportWhenDue()
    {
        const std::int64_t now = run_.Steps->Clock ? run_.Steps->Clock() : FF.av_gettime();
        if (now - lastReport_ <= job_.ReportInterval)
            return;
        lastReport_ = now;
        run_.Steps->ReportProgress(run_.OutputFiles, run_.OstTable, TOutputSteps::TReportKind::Interim, current_);
    }

    // Join: the current input ended; the next one continues where the output
    // stopped, through the same encoders (a restarted encoder would make a
    // new global header, while the file keeps the one written at its start).
    bool SwitchJoinedInput(int fileIndex)
    {
        const bool last = fileIndex + 1 >= job_.Fnb_input_files;
        auto& streams = run_.Tables.InputStreams;
        for (std::size_t i = 0; i < streams.size(); ++i) {
            TAVInputStream& ist = *streams[i];
            if (ist.file_index != fileIndex || !ist.decoding_needed)
                continue;
            if (last)
                ProcessInputPacket(run_, ist, static_cast<int>(i), nullptr);
            else
                DrainJoinedInput(run_, ist, static_cast<int>(i));
            FF.avcodec_flush_buffers(ist.DecoderContext.get());
            ist.decoder_flushed = 1;
        }
        if (last)
            return false;
        const auto group = static_cast<std::size_t>(run_.Tables.GroupSize);
        auto& outputs = run_.Tables.OutputStreams;
        const std::size_t finished = static_cast<std::size_t>(fileIndex) * group;
        for (std::size_t i = finished + group; i < outputs.size(); ++i) {
            outputs[i]->sync_opts = outputs[i - group]->sync_opts;
            outputs[i]->frame_number = outputs[i - group]->frame_number;
        }
        double largest = 0.0;
        for (std::size_t i = finished; i < finished + group; ++i) {
            TAVOutputStream& done = *outputs[i];
            TAVOutputStream& next = *outputs[i + group];
            if (done.encoding_needed)
                run_.Steps->HandOverAudio(done, next);
            largest = std::max(largest, JoinedOutputTime(*run_.Steps, done, next));
            done.show_fps = 0;
        }
        // Rounded up, with a millisecond to spare: times pass through several
        // time bases, and a stream must never step back at the join.
        job_.Finput_files_ts_offset[static_cast<std::size_t>(fileIndex + 1)] +=
            static_cast<std::int64_t>(std::ceil(largest * 1000000.0)) + 1000;
        ++current_;
        return true;
    }

    TTranscodeRun& run_;
    TCustomFFmpeg& job_;
    std::vector<bool> noPacket_;
    int noPacketCount_ = 0;
    int current_ = 0;
    std::int64_t lastReport_ = 0;
    TPacketPtr packet_;
};

} // namespace

void RunPacketLoop(TTranscodeRun& run)
{
    TPacketLoop(run).Run();
}

} // namespace tovrel
