#pragma once
// How an audio block is kept in step with the input clock: dropped from its
// start, preceded by silence, or stretched by the resampler.
#include <cstdint>

namespace tovrel {

struct TAudioSyncInput {
    int method = 0;              // 0 off, 1 drop or pad, above 1 also compensate up to that many samples
    float driftThreshold = 0.1f; // seconds
    double inputTime = 0;        // seconds since the start time
    int encoderRate = 0;
    int decoderRate = 0;
    std::int64_t syncOpts = 0;      // next output sample
    std::int64_t queuedSamples = 0; // encoder-format samples waiting in the FIFO
    bool isStart = false;
};

struct TAudioSyncAction {
    enum Kind { None, Drop, Pad, Compensate } kind = None;
    // Drop and Pad: decoder samples; Compensate: output samples per call.
    std::int64_t samples = 0;
    double delta = 0; // output samples the output is behind the input
};

// Only for a method other than 0.
TAudioSyncAction DecideAudioSync(const TAudioSyncInput& input);

} // namespace tovrel
