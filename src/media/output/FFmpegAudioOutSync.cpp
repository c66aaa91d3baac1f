#include "media/output/FFmpegAudioOutSync.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

namespace {
// Smaller drifts are left to the encoder's rounding.
constexpr double kMinDriftSamples = 50;
} // namespace

TAudioSyncAction DecideAudioSync(const TAudioSyncInput& input)
{
    TAudioSyncAction action;
    // The FIFO counts samples, so the estimate holds for every sample format.
    action.Delta = input.InputTime * input.EncoderRate - double(input.SyncOpts) - double(input.QueuedSamples);
    if (std::fabs(action.Delta) <= kMinDriftSamples)
        return action;
    if (input.IsStart || std::fabs(action.Delta) > input.DriftThreshold * input.EncoderRate) {
        const double inputDelta = action.Delta * input.DecoderRate / input.EncoderRate;
        const auto samples = static_cast<std::int64_t>(inputDelta);
        action.Kind = samples < 0 ? TAudioSyncAction::Drop : TAudioSyncAction::Pad;
        action.Samples = samples < 0 ? -samples : samples;
    } else if (input.Method > 1) {
        action.Kind = TAudioSyncAction::Compensate;
        action.Samples = std::clamp<std::int64_t>(static_cast<std::int64_t>(action.Delta), -input.Method, input.Method);
    }
    return action;
}

} // namespace tovrel
