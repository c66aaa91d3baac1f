#pragma once
// What the media transcoder keeps for one job beside the job's own tables:
// per-stream records sized from the real stream counts of each file, so no
// file with many streams can overrun a fixed table.
#include "media/engine/FFmpegEngineFields.h"

#include <cstdint>
#include <string>
#include <vector>

struct AVCodec;
struct AVCodecContext;
struct AVStream;

namespace tovrel {

struct TOutputStreamRecord {
    int FileIndex = 0;
    AVStream* Stream = nullptr;
    AVCodecContext* Codec = nullptr; // owned; opened by the transcoding run
    const AVCodec* Encoder = nullptr;
    bool StreamCopy = false;
    TBitstreamFilterChain BitstreamFilters;
};

struct TMediaJobState {
    // The names the inputs were opened with, by input index.
    std::vector<std::string> InputFileNames;
    // The decoder forced for each stream of each input (nullptr: none), by
    // (input, stream) so a data stream between others shifts nothing.
    std::vector<std::vector<const AVCodec*>> ForcedDecoders;
    std::vector<TOutputStreamRecord> OutputStreams;
    // The mux preload (microseconds) each output file was opened with, by file
    // index; a muxer that keeps a preload gets it when its header is written.
    std::vector<std::int64_t> OutputPreloads;
};

} // namespace tovrel
