#include "media/transcode/FFmpegTranscodeRun.h"

#include "media/engine/FFmpegEngine.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegCodecOpen.h"

namespace tovrel {

TTranscodeRun::TTranscodeRun(TCustomFFmpeg& job_, TMediaJobState& state_) : Job(job_), State(state_) {}

TTranscodeRun::~TTranscodeRun()
{
    Steps.reset();
    CloseEncoders(*this);
    CloseDecoders(*this);
}

std::size_t TTranscodeRun::EncoderStreamCount() const
{
    if (Job.FJoinMode)
        return std::min(Tables.OutputStreams.size(), static_cast<std::size_t>(Tables.GroupSize));
    return Tables.OutputStreams.size();
}

} // namespace tovrel
