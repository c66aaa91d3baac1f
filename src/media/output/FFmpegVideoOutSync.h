#pragma once
// How many times a picture is written to one output stream, by the video
// sync method: dropped, written once, or duplicated to fill a gap.
#include <cstdint>

namespace tovrel {

struct TVideoSyncDecision {
    int Frames = 1;
    std::int64_t SyncOpts = 0; // the stream's next output frame after the decision
};

// method: 0 none, 1 duplicate and drop, 2 drop only and move the clock,
// negative: like 2 for formats with variable frame rate, else like 1.
// inputTicks: the input's time in encoder ticks.
TVideoSyncDecision DecideVideoSync(int method, bool variableFrameRate, double inputTicks, std::int64_t syncOpts);

} // namespace tovrel
