#include "media/transcode/FFmpegDamagedTime.h"

#include "media/engine/FFmpegEngine.h"
#include "media/loader/FFmpegLogger.h"
#include "media/transcode/FFmpegTranscodeRecords.h"

#include <cmath>
#include <cstdlib>

namespace tovrel {

namespace {

constexpr AVRational kMicroseconds{1, AV_TIME_BASE};

struct TFileSpan {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::int64_t margin = 0; // how far outside a time may stray, and how far it may jump
    std::int64_t previous = AV_NOPTS_VALUE;

    bool Impossible(std::int64_t time) const
    {
        const bool outside = time > end + margin || time < start - margin;
        return outside && std::llabs(time - previous) > margin;
    }
};

std::int64_t Microseconds(std::int64_t stamp, AVRational base)
{
    return stamp == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : FF.av_rescale_q(stamp, base, kMicroseconds);
}

} // namespace

bool RetimeDamagedPacket(const TCustomFFmpeg& job, const AVFormatContext* input, TAVInputStream& ist, AVPacket* pkt)
{
    const AVRational base = ist.st->time_base;
    const std::int64_t dts = Microseconds(pkt->dts, base);
    const std::int64_t pts = Microseconds(pkt->pts, base);
    const std::int64_t time = dts != AV_NOPTS_VALUE ? dts : pts;
    if (time == AV_NOPTS_VALUE)
        return false;
    // Without a length or a previous packet there is nothing to tell damage by;
    // formats whose times may restart mid-file have their own handling.
    const bool discontinuous = input->iformat && (input->iformat->flags & AVFMT_TS_DISCONT);
    if (input->duration <= 0 || ist.last_file_time == AV_NOPTS_VALUE || discontinuous) {
        ist.last_file_time = time;
        return false;
    }
    TFileSpan span;
    span.start = input->start_time == AV_NOPTS_VALUE ? 0 : input->start_time;
    span.end = span.start + input->duration;
    span.margin = std::llrint(static_cast<double>(job.Fdts_delta_threshold) * AV_TIME_BASE);
    span.previous = ist.last_file_time;
    const bool damaged =
        (dts != AV_NOPTS_VALUE && span.Impossible(dts)) || (pts != AV_NOPTS_VALUE && span.Impossible(pts));
    if (!damaged) {
        ist.last_file_time = time;
        return false;
    }
    GetFFLogger()->Log(&job, llWarning,
                       "Time stamp %.3f s of stream #%d.%d lies outside the file (%.3f s long), the packet is "
                       "timed from its neighbours",
                       static_cast<double>(time) / AV_TIME_BASE, ist.file_index, ist.index,
                       static_cast<double>(input->duration) / AV_TIME_BASE);
    pkt->dts = AV_NOPTS_VALUE;
    pkt->pts = AV_NOPTS_VALUE;
    return true;
}

} // namespace tovrel
