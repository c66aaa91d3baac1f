#include "media/output/FFmpegOutputSteps.h"

#include "media/engine/FFmpegEngineErrors.h"
#include "media/output/FFmpegOutputStepsState.h"

namespace tovrel {

TOutputSteps::TOutputSteps(TCustomFFmpeg& engine) : engine_(engine), state_(std::make_unique<TState>())
{
    state_->Packet.reset(FF.av_packet_alloc());
    state_->AudioConverted.reset(FF.av_frame_alloc());
    state_->AudioSilence.reset(FF.av_frame_alloc());
    state_->Cropped.reset(FF.av_frame_alloc());
    if (!state_->Packet || !state_->AudioConverted || !state_->AudioSilence || !state_->Cropped)
        throw FFmpegException("Out of memory");
    Clock = [] { return FF.av_gettime(); };
}

TOutputSteps::~TOutputSteps() = default;

TOutputSteps::TStreamState& TOutputSteps::StreamState(const TAVOutputStream& ost)
{
    return state_->Streams[&ost];
}

} // namespace tovrel
