#include "media/output/FFmpegOutputSteps.h"

#include "media/engine/FFmpegEngineErrors.h"
#include "media/output/FFmpegOutputStepsState.h"

namespace tovrel {

TOutputSteps::TOutputSteps(TCustomFFmpeg& engine) : FEngine(engine), FState(std::make_unique<TState>())
{
    FState->packet.reset(FF.av_packet_alloc());
    FState->audioConverted.reset(FF.av_frame_alloc());
    FState->audioSilence.reset(FF.av_frame_alloc());
    FState->cropped.reset(FF.av_frame_alloc());
    if (!FState->packet || !FState->audioConverted || !FState->audioSilence || !FState->cropped)
        throw FFmpegException("Out of memory");
    Clock = [] { return FF.av_gettime(); };
}

TOutputSteps::~TOutputSteps() = default;

TOutputSteps::TStreamState& TOutputSteps::StreamState(const TAVOutputStream& ost)
{
    return FState->streams[&ost];
}

} // namespace tovrel
