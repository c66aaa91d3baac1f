#pragma once
// How an audio block is kept in step with the input clock: dropped from its
// start, preceded by silence, or stretched by the resampler.
#include <cstdint>

namespace tovrel {

struct TAudioSyncInput {
    int Method = 0;              // 0 off, 1 drop or pad, above 1 also compensate up to that many samples
    float DriftThreshold = 0.1f; // seconds
    double InputTime = 0;        // seconds since the start time
    int EncoderRate = 0;
    int DecoderRate = 0;
    std::int64_t SyncOpts = 0;      // next output sample
    std::int64_t QueuedSamples = 0; // encoder-format samples waiting in the FIFO
    bool IsStart = false;
};

struct TAudioSyncAction {
    enum TKind { None, Drop, Pad, Compensate } Kind = None;
    // Drop and Pad: decoder samples; Compensate: output samples per call.
    std::int64_t Samples = 0;
    double Delta = 0; // output samples the output is behind the input
};

// Only for a method other than 0.
TAudioSyncAction DecideAudioSync(const TAudioSyncInput& input);

} // namespace tovrel
