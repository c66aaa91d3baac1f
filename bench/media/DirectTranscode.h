#pragma once
// The benchmarks' yardstick: one file converted by a plain decode → scale /
// resample → encode → mux loop written straight against the FFmpeg libraries,
// with no engine in between.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tovrel::bench {

// A failed step: the message names it and gives FFmpeg's reason.
class TDirectError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using TCodecOptions = std::vector<std::pair<std::string, std::string>>;

struct TDirectSettings {
    std::string videoEncoder = "libx264";
    std::int64_t videoBitRate = 1500000;
    TCodecOptions videoOptions; // the encoder's generic or private options, as av_opt names
    std::string audioEncoder = "aac";
    std::int64_t audioBitRate = 128000;
    int sampleRate = 48000;
    int channels = 2;
    int threads = 1;               // per codec, decoders and encoders alike; 0: the library picks
    bool sliceThreadsOnly = false; // decoders: slice threads only, no frame threads
};

struct TDirectResult {
    std::int64_t videoFrames = 0;  // pictures given to the video encoder
    std::int64_t audioSamples = 0; // samples per channel given to the audio encoder
    double mediaSeconds = 0;       // the longer of the two streams
};

// Converts the first video and the first audio stream of `input` into `output`
// (container chosen by its extension). Throws TDirectError.
TDirectResult DirectTranscode(const std::string& input, const std::string& output, const TDirectSettings& settings);

} // namespace tovrel::bench
