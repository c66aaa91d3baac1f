#pragma once
// One playback: the record every thread of the playback shares. Fields that
// more than one thread touches are atomic or guarded by the named lock.
#include "media/loader/FFmpegUtilsRGB.h"
#include "player/PacketQueue.h"
#include "player/PlaybackThread.h"
#include "player/PlayerTypes.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

struct AVCodecContext;
struct AVFilterContext;
struct AVFilterGraph;
struct AVFormatContext;
struct AVFrame;
struct AVStream;
struct SwrContext;
struct SwsContext;
struct AVSubtitle;

namespace tovrel {

// One stored picture, YUV 4:2:0 in a buffer of its own.
struct TPictureSlot {
    double pts = 0;
    std::atomic<double> target{0}; // wall-clock time at which it is due
    std::int64_t pos = -1;
    std::vector<std::uint8_t> buffer;
    TAVPicture picture;
    int width = 0, height = 0;
    bool allocated = false; // under pictq_mutex
    AVRational sampleAspect{0, 1};
    // Held while the picture's pixels are written or read (decoder, display, CurrentFrame).
    std::mutex pixelsLock;
};

struct TSubtitleSlot {
    double pts = 0;
    AVSubtitle* sub = nullptr; // owned
};

struct TVideoState {
    TCustomPlayer* Owner = nullptr;
    std::string filename;
    const struct AVInputFormat* iformat = nullptr;

    TPlaybackThread parse_tid, video_tid, refresh_tid, subtitle_tid;
    std::atomic<int> abort_request{0};
    std::atomic<int> paused{0};
    int last_paused = 0; // read thread
    std::atomic<int> seek_req{0};
    int seek_flags = 0; // written before seek_req is set
    std::int64_t seek_pos = 0, seek_rel = 0;
    std::atomic<int> read_pause_return{0};
    AVFormatContext* ic = nullptr;

    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;

    // Audio (the device callback is the only writer of the buffers and the clock).
    std::atomic<int> audio_stream{-1};
    std::atomic<AVStream*> audio_st{nullptr};
    AVCodecContext* audio_dec = nullptr;
    TPacketQueue audioq;
    std::uint32_t audio_dev = 0;
    int audio_hw_buf_size = 0;
    int audio_tgt_channels = 0;
    int audio_tgt_freq = 0;
    std::atomic<double> audio_clock{0};
    double audio_diff_cum = 0, audio_diff_avg_coef = 0, audio_diff_threshold = 0;
    int audio_diff_avg_count = 0;
    std::vector<std::uint8_t> audio_buf;
    std::atomic<int> audio_buf_size{0};
    std::atomic<int> audio_buf_index{0};
    AVFrame* audio_frame = nullptr;
    bool audio_pkt_pending = false; // the decoder still holds frames of the last packet
    SwrContext* swr = nullptr;
    int swr_src_fmt = -1, swr_src_rate = 0, swr_src_channels = 0;
    std::atomic<int> show_audio{0};
    std::mutex sampleLock; // sample_array and its index
    std::vector<std::int16_t> sample_array = std::vector<std::int16_t>(player::SampleArraySize);
    int sample_array_index = 0;
    int last_i_start = 0;
    int xpos = 0;
    struct RDFTContext* rdft = nullptr; // spectrum (play thread)
    int rdft_bits = 0;
    float* rdft_data = nullptr; // from FFmpeg's allocator: the transform needs its alignment

    // Subtitles.
    std::atomic<int> subtitle_stream{-1};
    std::atomic<int> subtitle_stream_changed{0};
    std::atomic<AVStream*> subtitle_st{nullptr};
    AVCodecContext* subtitle_dec = nullptr;
    TPacketQueue subtitleq;
    std::array<TSubtitleSlot, player::SubtitleQueueSize> subpq{};
    int subpq_size = 0, subpq_rindex = 0, subpq_windex = 0;
    std::mutex subpq_mutex;
    std::condition_variable subpq_cond;

    // Video.
    std::atomic<double> frame_timer{0};
    double frame_last_pts = 0, frame_last_delay = 0; // decode thread
    std::atomic<double> video_clock{0};
    std::atomic<int> video_stream{-1};
    std::atomic<AVStream*> video_st{nullptr};
    AVCodecContext* video_dec = nullptr;
    TPacketQueue videoq;
    std::atomic<double> video_current_pts{0};
    std::atomic<double> video_current_pts_drift{0};
    std::atomic<std::int64_t> video_current_pos{-1};
    std::array<TPictureSlot, player::PictureQueueSize> pictq;
    int pictq_size = 0; // under pictq_mutex
    std::atomic<int> pictq_rindex{0};
    int pictq_windex = 0; // decode thread
    std::mutex pictq_mutex;
    std::condition_variable pictq_cond;
    std::atomic<float> skip_frames{1};
    float skip_frames_index = 0; // decode thread
    // The filter graph's output picture size and format (for the surface and the slots).
    std::atomic<int> out_width{0}, out_height{0};
    std::unique_ptr<TRGBConvertContext> hook_context; // the OnHook bitmap (decode thread)

    // Display area on the surface (play thread).
    int width = 0, height = 0, xleft = 0, ytop = 0;
    std::atomic<int> no_background{1};
    std::atomic<int> refresh{0};
    SwsContext* display_sws = nullptr; // play thread

    std::atomic<int> Opened{0};
    std::int64_t StartTime = 0;
    std::int64_t Duration = -1;
    std::atomic<std::int64_t> AudioDuration{-1};
    int IsImage2 = 0;
    int IsDevice = 0;
    std::atomic<int> ErrorEOF{0};
    std::atomic<int> EventEOF{0};
    std::atomic<int> ReachEOF{0};
    std::atomic<int> Reading{0};
    std::atomic<int> open_paused{0};
    std::atomic<int> seek_paused{0};
    std::atomic<int> seek_done{0};
    std::atomic<int> seek_flushed{0};

    TVideoState() = default;
    // Frees what the playback's threads left: converters, frames, subtitles.
    ~TVideoState();
    TVideoState(const TVideoState&) = delete;
    TVideoState& operator=(const TVideoState&) = delete;
};

// Wall clock in seconds (monotonic).
double NowSeconds();

} // namespace tovrel
