#pragma once
// What the probe tells about a file, its streams and the picture it decoded
// last. Times are in the stream's own time base unless named Scaled, which are
// microseconds; -1 means no value.
#include "media/loader/FFmpegUtils.h"
#include "media/loader/FFmpegUtilsRGB.h"
#include "media/probe/AVProbeHandles.h"

#include <cstdint>
#include <string>

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/rational.h>
}

namespace tovrel {

struct TFileStreamInfo {
    std::int64_t StartTime = -1; // microseconds
    std::int64_t Duration = -1;  // microseconds
    std::int32_t BitRate = -1;
    std::int64_t TimeStamp = -1; // Unix seconds
    std::int32_t Year = -1;
    std::int32_t Track = -1;
    std::string Title, Author, Copyright, Comment, Album, Genre;
};

struct TAudioStreamInfo {
    std::string Language, CodecName;
    std::int64_t StartTime = -1, StartTimeScaled = -1, Duration = -1, DurationScaled = -1;
    std::int32_t BitRate = -1, Channels = -1, SampleRate = -1;
    std::int32_t SampleFormat = -1; // FFmpeg's sample format number
};

struct TVideoStreamInfo {
    std::string Language, CodecName;
    std::int64_t StartTime = -1, StartTimeScaled = -1, Duration = -1, DurationScaled = -1;
    std::int32_t BitRate = -1, Height = -1, Width = -1;
    float AspectRatio = -1.0f;
    std::int32_t PixFmt = -1; // FFmpeg's pixel format number
    AVRational FrameRate{-1, -1};
};

struct TSubtitleStreamInfo {
    std::string Language, CodecName;
};

// The picture the probe holds, with its time stamps and where it was read.
struct TFrameInfo {
    std::int32_t PixFmt = -1;
    std::int32_t Width = -1, Height = -1;
    bool IsKeyFrame = false;
    TPictureType PictureType = TPictureType::ptUnknown;
    std::int64_t PTS = AV_NOPTS_VALUE; // microseconds from the stream's start
    std::int64_t OriginalDTS = AV_NOPTS_VALUE, OriginalPTS = AV_NOPTS_VALUE;
    std::int32_t StreamIndex = -1;
    std::int64_t Position = -1; // byte position where reading for this picture began
    bool Ready = false;
    TAVPicture Picture; // planes point into Buffer
    TAVBuffer Buffer;
    int Size = 0; // bytes in Buffer; it only grows
};

} // namespace tovrel
