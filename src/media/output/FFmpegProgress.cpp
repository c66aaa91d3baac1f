// The progress report of a run: the figures to the progress handler, or the
// report line to the logger; the summary after the last report.
#include "media/engine/FFmpegEngine.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace tovrel {

namespace {

// The report line holds what fits in 1023 characters.
constexpr std::size_t kReportLineRoom = 1023;
constexpr double kNoTime = 10000000000.0;

void Append(std::string& line, const char* format, ...) __attribute__((format(printf, 2, 3)));

void Append(std::string& line, const char* format, ...)
{
    if (line.size() >= kReportLineRoom)
        return;
    char piece[kReportLineRoom + 1];
    va_list args;
    va_start(args, format);
    std::vsnprintf(piece, sizeof piece, format, args);
    va_end(args);
    line.append(piece, 0, kReportLineRoom - line.size());
}

std::int64_t CurrentOutputSize(const std::vector<AVFormatContext*>& outputFiles)
{
    AVIOContext* pb = outputFiles.empty() || !outputFiles[0] ? nullptr : outputFiles[0]->pb;
    if (!pb)
        return 0;
    std::int64_t size = FF.avio_size(pb);
    if (size < 0)
        size = FF.avio_seek(pb, 0, SEEK_CUR);
    return size < 0 ? 0 : size;
}

} // namespace

double TOutputSteps::WrittenTime(const AVStream* stream)
{
    const auto found = state_->WrittenEnds.find(stream);
    if (found == state_->WrittenEnds.end())
        return 0;
    TWrittenEnd& written = found->second;
    for (; written.Written < stream->nb_frames && !written.Held.empty(); ++written.Written) {
        const std::int64_t end = written.Held.front();
        written.Held.pop_front();
        if (end != AV_NOPTS_VALUE && (written.End == AV_NOPTS_VALUE || end > written.End))
            written.End = end;
    }
    return written.End == AV_NOPTS_VALUE ? 0 : double(written.End) * stream->time_base.num / stream->time_base.den;
}

double TOutputSteps::HandedOverTime(const AVStream* stream) const
{
    const auto found = state_->WrittenEnds.find(stream);
    if (found == state_->WrittenEnds.end() || found->second.HandedOverEnd == AV_NOPTS_VALUE)
        return 0;
    return double(found->second.HandedOverEnd) * stream->time_base.num / stream->time_base.den;
}

void TOutputSteps::ReportProgress(const std::vector<AVFormatContext*>& outputFiles,
                                  const std::vector<TAVOutputStream*>& ost_table, TReportKind kind, int inputIndex)
{
    const bool isLastReport = kind == TReportKind::Last;
    const std::int64_t totalSize = CurrentOutputSize(outputFiles);
    std::string line;
    int frameNumber = -1;
    int fps = -1;
    float quality = -1.0f;
    double shortest = kNoTime;
    bool videoDescribed = false;

    for (TAVOutputStream* ost : ost_table) {
        const AVCodecContext* enc = ost->EncoderContext;
        const bool video = ost->st->codecpar->codec_type == AVMEDIA_TYPE_VIDEO;
        const TCodedFrameStats& coded = StreamState(*ost).Coded;
        const float streamQuality = ost->stream_copy || !coded.Known ? -1.0f : float(coded.Quality) / FF_QP2LAMBDA;
        if (videoDescribed && video)
            Append(line, "q=%2.1f ", double(streamQuality));
        if (!videoDescribed && video && ost->show_fps == 1) {
            const float elapsed = float(Clock() - Ftimer_start) / 1000000.0f;
            frameNumber = ost->frame_number;
            if (frameNumber < 1)
                return;
            fps = elapsed > 1 ? int(float(frameNumber) / elapsed + 0.5f) : 0;
            quality = streamQuality;
            Append(line, "frame=%5d fps=%3d q=%3.1f ", frameNumber, fps, double(quality));
            if (isLastReport)
                Append(line, "L");
            if (engine_.Fqp_hist) {
                const long qp = std::lround(coded.Quality / double(FF_QP2LAMBDA));
                if (coded.Known && qp >= 0 && qp < long(state_->QPHistogram.size()))
                    ++state_->QPHistogram[std::size_t(qp)];
                for (std::size_t j = 0; j < 32; ++j)
                    Append(line, "%X", unsigned(std::lround(std::log2(state_->QPHistogram[j] + 1))));
            }
            if (enc && (enc->flags & AV_CODEC_FLAG_PSNR)) {
                double errorSum = 0;
                double scaleSum = 0;
                Append(line, "PSNR=");
                for (int plane = 0; plane < 3; ++plane) {
                    const double error =
                        isLastReport ? double(enc->error[plane]) : double(coded.Error[std::size_t(plane)]);
                    double scale = double(enc->width) * enc->height * 255.0 * 255.0;
                    if (isLastReport)
                        scale *= frameNumber;
                    if (plane > 0)
                        scale /= 4;
                    errorSum += error;
                    scaleSum += scale;
                    Append(line, "%c:%2.2f ", "YUV"[plane], -10.0 * std::log10(error / scale));
                }
                Append(line, "*:%2.2f ", -10.0 * std::log10(errorSum / scaleSum));
            }
            videoDescribed = true;
        }
        const double time = WrittenTime(ost->st);
        if (time > 0 && time < shortest)
            shortest = time;
    }
    // Nothing written yet (the muxer holds the first packets back until
    // every stream has some).
    if (shortest == kNoTime)
        shortest = 0;
    if (shortest < 0.01)
        shortest = 0.01;
    shortest = std::max(shortest, state_->ReportedTime);
    state_->ReportedTime = shortest;

    const bool hasHandler = bool(engine_.FOnProgress);
    if (hasHandler || engine_.Fverbose > 0 || isLastReport) {
        const double bitRate = double(totalSize) * 8 / shortest / 1000;
        Append(line, "size=%8.0fkB time=%0.2f bitrate=%6.1fkbits/s", double(totalSize) / 1024, shortest, bitRate);
        if (engine_.Fnb_frames_dup || engine_.Fnb_frames_drop) {
            Append(line, " dup=%d drop=%d", engine_.Fnb_frames_dup, engine_.Fnb_frames_drop);
            // One log line per burst of drops or duplicates while a handler takes the figures.
            if (engine_.FShowDupOrDrop && engine_.Fverbose >= 0 && hasHandler) {
                engine_.FShowDupOrDrop = false;
                GetFFLogger()->Log(&engine_, llVerbose, line);
            }
        }
        if (hasHandler)
            engine_.FOnProgress(&engine_, inputIndex, frameNumber, fps, quality, float(bitRate), totalSize,
                                std::int64_t(shortest * 1000000), engine_.FTotalOutputDuration);
        else if (engine_.Fverbose >= 0)
            GetFFLogger()->Log(&engine_, llVerbose, line);
    }

    if (isLastReport && engine_.Fverbose >= 0) {
        const double raw = double(engine_.Faudio_size + engine_.Fvideo_size + engine_.Fextra_size);
        GetFFLogger()->Log(&engine_, llVerbose,
                           "video:%1.0fkB audio:%1.0fkB global headers:%1.0fkB muxing overhead %f%%\r\n",
                           double(engine_.Fvideo_size) / 1024, double(engine_.Faudio_size) / 1024,
                           double(engine_.Fextra_size) / 1024, 100.0 * (double(totalSize) - raw) / raw);
    }
}

} // namespace tovrel
