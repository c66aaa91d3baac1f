#include "media/output/FFmpegVideoOutSync.h"

#include <cmath>

namespace tovrel {

TVideoSyncDecision DecideVideoSync(int method, bool variableFrameRate, double inputTicks, std::int64_t syncOpts)
{
    TVideoSyncDecision decision{1, syncOpts};
    if (method == 0) {
        // Ties go to the even tick (the default rounding mode).
        decision.SyncOpts = std::llrint(inputTicks);
        return decision;
    }
    const double delta = inputTicks - double(syncOpts);
    if (delta < -1.1) {
        decision.Frames = 0;
    } else if (method == 2 || (method < 0 && variableFrameRate)) {
        if (delta <= -0.6)
            decision.Frames = 0;
        else if (delta > 0.6)
            decision.SyncOpts = std::llrint(inputTicks);
    } else if (delta > 1.1) {
        decision.Frames = int(std::llrint(delta));
    }
    return decision;
}

} // namespace tovrel
