#pragma once
// One playback: the record every thread of the playback shares. Each group of
// fields names the thread or lock that owns it; fields that more than one
// thread touches are atomic or under the named lock.
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
    // pixelsLock: the buffer and its shape (sized by the play thread on request),
    // and the picture the decode thread writes there; the display and CurrentFrame
    // read them under it too.
    std::mutex pixelsLock;
    std::vector<std::uint8_t> buffer;
    TAVPicture picture;
    int width = 0, height = 0;
    AVRational sampleAspect{0, 1};
    // Written by the decode thread under pixelsLock before the slot is queued;
    // the play thread reads them once it is.
    double pts = 0;
    std::int64_t pos = -1;
    // A decoded picture is in the buffer (pixelsLock); a slot just sized for one
    // holds zeros, which would show as solid green.
    bool filled = false;

    bool allocated = false;        // pictq_mutex
    std::atomic<double> target{0}; // wall-clock time at which it is due (read anywhere)
};

struct TSubtitleSlot {
    double pts = 0;
    AVSubtitle* sub = nullptr; // owned
};

struct TVideoState {
    // Set before the playback's threads use them (CreatePlayback; the read
    // thread's open, before Opened is 1), then only read.
    TCustomPlayer* Owner = nullptr;
    std::string filename;
    const struct AVInputFormat* iformat = nullptr;
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    AVFormatContext* ic = nullptr; // read from by the read thread only, which also closes it
    std::int64_t StartTime = 0;
    std::int64_t Duration = -1;
    int IsImage2 = 0;
    int IsDevice = 0;

    // Started and joined by whoever opens or ends the playback or the stream.
    TPlaybackThread parse_tid, video_tid, refresh_tid, subtitle_tid;

    // Set while the audio stream is closed (the read thread's open, or a switch
    // under dataLock); then read by the audio callback, the scope and the clocks.
    std::uint32_t audio_dev = 0;
    int audio_hw_buf_size = 0;
    int audio_tgt_channels = 0;
    int audio_tgt_freq = 0;

    // The read thread.
    int last_paused = 0;

    // The seek request: written by the requester before it sets seek_req; the
    // read thread reads them once it sees seek_req.
    int seek_flags = 0;
    std::int64_t seek_pos = 0, seek_rel = 0;

    // The SDL audio callback (set up and freed while the device is closed).
    AVCodecContext* audio_dec = nullptr;
    AVFrame* audio_frame = nullptr;
    bool audio_pkt_pending = false; // the decoder still holds frames of the last packet
    SwrContext* swr = nullptr;
    int swr_src_fmt = -1, swr_src_rate = 0, swr_src_channels = 0;
    std::vector<std::uint8_t> audio_buf;
    double audio_diff_cum = 0, audio_diff_avg_coef = 0, audio_diff_threshold = 0;
    int audio_diff_avg_count = 0;

    // The video decode thread (its decoder opened and freed while it does not run).
    AVCodecContext* video_dec = nullptr;
    double frame_last_pts = 0, frame_last_delay = 0;
    int pictq_windex = 0;
    float skip_frames_index = 0;
    std::unique_ptr<TRGBConvertContext> hook_context; // the OnHook bitmap

    // The subtitle decode thread (its decoder opened and freed while it does not run).
    AVCodecContext* subtitle_dec = nullptr;

    // The play thread: the display area on the surface and the scope.
    int width = 0, height = 0, xleft = 0, ytop = 0;
    SwsContext* display_sws = nullptr;
    int last_i_start = 0;
    int xpos = 0;
    struct RDFTContext* rdft = nullptr;
    int rdft_bits = 0;
    float* rdft_data = nullptr; // from FFmpeg's allocator: the transform needs its alignment

    // sampleLock: the samples the audio callback keeps for the scope.
    std::mutex sampleLock;
    std::vector<std::int16_t> sample_array = std::vector<std::int16_t>(player::SampleArraySize);
    int sample_array_index = 0;

    // pictq_mutex: the picture queue's count (each slot's pixels: its pixelsLock).
    std::mutex pictq_mutex;
    std::condition_variable pictq_cond;
    int pictq_size = 0;
    std::array<TPictureSlot, player::PictureQueueSize> pictq;

    // subpq_mutex: the subtitle queue.
    std::mutex subpq_mutex;
    std::condition_variable subpq_cond;
    std::array<TSubtitleSlot, player::SubtitleQueueSize> subpq{};
    int subpq_size = 0, subpq_rindex = 0, subpq_windex = 0;

    // Packet queues from the read thread to the decoders; each keeps its own lock.
    TPacketQueue audioq, videoq, subtitleq;

    // Atomics, read anywhere; the comment names the writer where there is one.
    std::atomic<int> abort_request{0}; // whoever ends the playback
    std::atomic<int> paused{0};        // the main thread under dataLock; the decode thread when stepping
    std::atomic<int> Opened{0};        // the read thread
    std::atomic<int> Reading{0};       // the read thread
    std::atomic<int> read_pause_return{0};
    std::atomic<int> seek_req{0}; // set by the requester, cleared by the read thread
    std::atomic<int> seek_paused{0};
    std::atomic<int> seek_done{0};
    std::atomic<int> seek_flushed{0};
    std::atomic<int> open_paused{0};
    std::atomic<int> ErrorEOF{0};
    std::atomic<int> ReachEOF{0};
    std::atomic<int> EventEOF{0};
    // Stream choice: written when a stream opens or closes.
    std::atomic<int> audio_stream{-1};
    std::atomic<AVStream*> audio_st{nullptr};
    std::atomic<std::int64_t> AudioDuration{-1};
    std::atomic<int> video_stream{-1};
    std::atomic<AVStream*> video_st{nullptr};
    std::atomic<int> subtitle_stream{-1};
    std::atomic<AVStream*> subtitle_st{nullptr};
    // audio_handed_lock: where the sound handed to the device ends (seconds of
    // media) and when the callback handed it over (NowSeconds; 0 before the first).
    std::mutex audio_handed_lock;
    double audio_handed_pts = 0;
    double audio_handed_time = 0;
    // Set by a seek that flushes the sound; cleared by the callback at the first
    // sound decoded after the flush. Meanwhile the sound clock tells where the
    // sound was before the seek, and the pictures follow no sound clock.
    std::atomic<int> audio_clock_unknown{0};
    bool audio_flush_taken = false; // the callback's: the flush was taken, no sound after it yet
    // Audio: the callback writes the clock and the buffer's fill.
    std::atomic<double> audio_clock{0};
    std::atomic<int> audio_buf_size{0};
    std::atomic<int> audio_buf_index{0};
    std::atomic<int> show_audio{0}; // the main thread
    // The start: until this time (NowSeconds; 0 never) the sound waits for the
    // picture queue to fill and the first picture for the sound (set by the read
    // thread's open, cleared by the play thread when the first picture shows).
    std::atomic<double> start_together_until{0};
    std::atomic<int> pictures_ready{0}; // the decode thread: the picture queue was full, or the pictures ended
    // Video: the decode thread's clock and picture shape, the play thread's shown picture.
    std::atomic<double> frame_timer{0};
    std::atomic<double> video_clock{0};
    std::atomic<double> video_current_pts{0};
    std::atomic<double> video_current_pts_drift{0};
    std::atomic<std::int64_t> video_current_pos{-1};
    std::atomic<int> pictq_rindex{0};
    std::atomic<float> skip_frames{1};
    std::atomic<int> out_width{0}, out_height{0}; // the filter graph's output picture size
    std::atomic<int> no_background{1};
    std::atomic<int> refresh{0}; // a refresh tick is pending

    TVideoState() = default;
    // Frees what the playback's threads left: converters, frames, subtitles.
    ~TVideoState();
    TVideoState(const TVideoState&) = delete;
    TVideoState& operator=(const TVideoState&) = delete;
};

// Wall clock in seconds (monotonic).
double NowSeconds();

} // namespace tovrel
