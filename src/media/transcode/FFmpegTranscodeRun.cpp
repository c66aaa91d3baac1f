#include "media/transcode/FFmpegTranscodeRun.h"

#include "media/engine/FFmpegEngine.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegCodecOpen.h"

namespace tovrel {

TTranscodeRun::TTranscodeRun(TCustomFFmpeg& job_, TMediaJobState& state_) : job(job_), state(state_) {}

TTranscodeRun::~TTranscodeRun()
{
    steps.reset();
    CloseEncoders(*this);
    CloseDecoders(*this);
}

std::size_t TTranscodeRun::EncoderStreamCount() const
{
    if (job.FJoinMode)
        return std::min(tables.outputStreams.size(), static_cast<std::size_t>(tables.groupSize));
    return tables.outputStreams.size();
}

} // namespace tovrel
