#pragma once
// Owning handles for what the probe opens, freed through the loaded libraries
// on every path. A handle outliving its library leaks rather than calls into
// an unloaded module.
#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/UnicodeProtocol.h"

#include <cstdint>
#include <memory>
#include <mutex>

namespace tovrel {

struct TInputCloser {
    void operator()(AVFormatContext* context) const
    {
        if (FF.avformat_close_input)
            UnicodeCloseInput(&context);
    }
};

// Codec contexts are opened and closed under the process's codec lock.
struct TCodecContextFree {
    void operator()(AVCodecContext* context) const
    {
        if (!FF.avcodec_free_context)
            return;
        std::lock_guard lock(CodecOpenLock());
        FF.avcodec_free_context(&context);
    }
};

struct TPacketFree {
    void operator()(AVPacket* packet) const
    {
        if (FF.av_packet_free)
            FF.av_packet_free(&packet);
    }
};

struct TFrameFree {
    void operator()(AVFrame* frame) const
    {
        if (FF.av_frame_free)
            FF.av_frame_free(&frame);
    }
};

struct TAVMemoryFree {
    void operator()(void* memory) const
    {
        if (FF.av_free)
            FF.av_free(memory);
    }
};

using TInputContext = std::unique_ptr<AVFormatContext, TInputCloser>;
using TCodecContext = std::unique_ptr<AVCodecContext, TCodecContextFree>;
using TPacket = std::unique_ptr<AVPacket, TPacketFree>;
using TFrame = std::unique_ptr<AVFrame, TFrameFree>;
using TAVBuffer = std::unique_ptr<std::uint8_t, TAVMemoryFree>;

} // namespace tovrel
