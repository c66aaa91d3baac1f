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
    action.delta = input.inputTime * input.encoderRate - double(input.syncOpts) - double(input.queuedSamples);
    if (std::fabs(action.delta) <= kMinDriftSamples)
        return action;
    if (input.isStart || std::fabs(action.delta) > input.driftThreshold * input.encoderRate) {
        const double inputDelta = action.delta * input.decoderRate / input.encoderRate;
        const auto samples = static_cast<std::int64_t>(inputDelta);
        action.kind = samples < 0 ? TAudioSyncAction::Drop : TAudioSyncAction::Pad;
        action.samples = samples < 0 ? -samples : samples;
    } else if (input.method > 1) {
        action.kind = TAudioSyncAction::Compensate;
        action.samples = std::clamp<std::int64_t>(static_cast<std::int64_t>(action.delta), -input.method, input.method);
    }
    return action;
}

} // namespace tovrel
