#pragma once
// What one run's output steps keep between calls (internal to the output steps).
#include "media/loader/FFmpegUtilsRGB.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegTranscodeRecords.h"

#include <array>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <vector>

namespace tovrel {

// What an encoder said about its last packet (the quality statistics that
// replaced the coded frame's fields).
struct TCodedFrameStats {
    bool Known = false;
    int Quality = 0; // lambda, as FF_QP2LAMBDA × qp
    int PictType = 0;
    std::array<std::int64_t, 4> Error{};
};

struct TOutputSteps::TStreamState {
    TCodedFrameStats Coded;
    // The decoder layout the audio converter was made for.
    int InputRate = 0;
    int InputChannels = 0;
};

// One output stream's packets between the hand-over and the file: the muxer
// holds packets back to interleave the streams, writes each stream's packets
// in the order given, and counts those written in the stream's frame count.
struct TWrittenEnd {
    std::deque<std::int64_t> Held; // ends in hand-over order; AV_NOPTS_VALUE: no time
    std::int64_t Written = 0;      // packets known written
    std::int64_t End = AV_NOPTS_VALUE;
    std::int64_t HandedOverEnd = AV_NOPTS_VALUE; // of every packet handed over, held ones too
};

struct TOutputSteps::TState {
    TPacketPtr Packet;
    TFramePtr AudioConverted; // converter output, grown to the largest block
    TFramePtr AudioSilence;
    TFramePtr Cropped;
    // One per job: jobs that encode subtitles at once never share it.
    std::vector<std::uint8_t> SubtitleOut;
    std::array<int, 52> QPHistogram{};
    TRGBConvertContext HookContext;
    TRGBConvertContext PostContext;
    std::int64_t preview_last_time = 0;
    std::int64_t preview_cur_time = 0;
    std::unordered_map<const TAVOutputStream*, TStreamState> Streams;
    // Where each output stream's written packets end (pts + duration, in the
    // stream's time base): the muxer's own end counter leaves out the last
    // packet's duration, and counts packets it still holds to interleave.
    std::unordered_map<const AVStream*, TWrittenEnd> WrittenEnds;
    // The time last reported: a stream whose first packets come after the
    // others' (audio behind an encoder delay) would otherwise pull it back.
    double ReportedTime = 0;
};

} // namespace tovrel
