#pragma once
// The player's settings as the engine threads read them. Those a caller may
// change during a playback are atomic; the decoder options are read when a
// stream opens and are meant to be set before Open.
#include "player/PlayerTypes.h"

#include <atomic>
#include <cstdint>
#include <string>

struct AVInputFormat;

namespace tovrel {

struct TPlayerOptions {
    // Changeable at any time.
    std::atomic<float> AspectRatio{0};
    std::atomic<int> AudioVolume{128};
    std::atomic<bool> Mute{false};
    std::atomic<bool> Hook{false};
    std::atomic<TShowAudio> ShowAudio{saWave};
    std::atomic<bool> VerticalFlip{false};
    std::atomic<bool> TriggerEventInMainThread{true};
    std::atomic<std::int64_t> PlayTime{NoPTS};
    std::atomic<TRepeatType> RepeatType{rtStop};
    std::atomic<std::int64_t> start_time{NoPTS};
    std::atomic<int> framedrop{1};
    std::atomic<int> rdftspeed{20};
    std::atomic<int> ScreenWidth{0}, ScreenHeight{0};

    // Read by the read and decode threads; set before Open.
    bool DisableAudio = false;
    bool DisableVideo = false;
    bool DisableDisplay = false;
    int FrameWidth = 0, FrameHeight = 0;
    int frame_pix_fmt = -1;
    TAudioDriver AudioDriver = adDefault;
    TVideoDriver VideoDriver = vdDefault;
    bool is_full_screen = false;
    std::string VideoFilters;
    int sws_flags = 4;
    const AVInputFormat* file_iformat = nullptr;
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    int wanted_stream[7] = {-1, -1, -1, -1, -1, -1, -1}; // by media type + 1 (-1..5)
    int seek_by_bytes = -1;
    int debug = 0, debug_mv = 0;
    int workaround_bugs = 1;
    bool fast = false, genpts = false;
    int lowres = 0, idct_algo = 0;
    int skip_frame = 0, skip_idct = 0, skip_loop_filter = 0;
    int error_recognition = 1, error_concealment = 3;
    int decoder_reorder_pts = -1;

    int& wanted(int mediaType) { return wanted_stream[mediaType + 1]; }
};

} // namespace tovrel
