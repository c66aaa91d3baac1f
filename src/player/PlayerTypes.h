#pragma once
// The player's small types: states, options, event signatures, the host that
// shows the player's pictures, and the constants of the playback engine.
#include "media/loader/FFmpegUtils.h"
#include "platform/rtl/Types.h"

#include <cstdint>
#include <functional>
#include <limits>

namespace tovrel {

enum TPlayState { psPlay, psPause, psResume, psStep, psStop, psEnd };
enum TRepeatType { rtNone, rtStop, rtLoop };
enum TShowAudio { saNone, saWave, saRDFT };
enum TAudioDriver { adDefault, adDirectSound, adWaveOut };
enum TVideoDriver { vdDefault, vdDirectDraw, vdGDI };
enum Tav_sync_type { AV_SYNC_AUDIO_MASTER, AV_SYNC_VIDEO_MASTER, AV_SYNC_EXTERNAL_CLOCK };
using TAudioVolume = std::uint8_t; // 0..128

class TCustomPlayer;
class TSurface;

using TFileOpenEvent = std::function<void(TCustomPlayer* sender, std::int64_t duration, int frameWidth, int frameHeight,
                                          int& screenWidth, int& screenHeight)>;
using TPositionEvent = std::function<void(TCustomPlayer* sender, std::int64_t pts)>;
using TPlayStateEvent = std::function<void(TCustomPlayer* sender, TPlayState state)>;
// The bitmap is a 24-bit picture the handler may paint on; it goes back into the stored picture.
using THookEvent = std::function<void(TCustomPlayer* sender, TSurface& bitmap, std::int64_t pts)>;

// Where the pictures go: the host window of the player (a panel of the window
// layer, a memory surface in tests). PictureChanged is called from the play
// thread whenever the player's surface changed; implementations must be safe
// from any thread (post a repaint, never paint inside the call).
class TPlayerHost {
public:
    virtual ~TPlayerHost() = default;
    // The host's client size; the surface takes it when the player's screen size is 0.
    virtual TSize ClientSize() const = 0;
    virtual void PictureChanged(const TRect& area) = 0;
    // The playback ended: the host shows its own background again.
    virtual void PlaybackEnded() {}
};

// FFmpeg's no-timestamp value: "no time set" for start_time, PlayTime and the last reported position.
inline constexpr std::int64_t NoPTS = std::numeric_limits<std::int64_t>::min();

namespace player {
inline constexpr int QueueNodeOverhead = 72;
inline constexpr int MaxQueueSize = 15 * 1024 * 1024;
inline constexpr int MinAudioQueueSize = 320 * 1024;
inline constexpr int MinFrames = 5;
inline constexpr int AudioBufferSamples = 1024;
inline constexpr int SilenceBytes = 1024;
inline constexpr int SampleArraySize = 131072;
inline constexpr int PictureQueueSize = 2;
inline constexpr int SubtitleQueueSize = 4;
inline constexpr double AVNoSyncThreshold = 10.0;
inline constexpr double AVSyncThresholdMin = 0.01;
// Inside the sync threshold, the part of the picture-sound offset each picture's delay takes
// back: the offset is pulled to zero over a few pictures, without jumps.
inline constexpr double AVSyncPull = 0.25;
// At the start, how long the sound may wait for the first picture (and it for the sound).
inline constexpr double StartTogetherSeconds = 1.0;
inline constexpr int AudioDiffAvgNb = 20;
inline constexpr int SampleCorrectionPercentMax = 10;
inline constexpr int DefaultScreenWidth = 640;
inline constexpr int DefaultScreenHeight = 480;
inline constexpr int RefreshTickMs = 5;
inline constexpr std::int64_t PositionStep = 10000;
inline constexpr int EventRingSize = 10;
} // namespace player

} // namespace tovrel
