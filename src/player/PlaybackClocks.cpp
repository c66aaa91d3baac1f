#include "media/loader/FFmpegLoaderEntries.h"
#include "player/Playback.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

double NowSeconds()
{
    return double(FF.av_gettime_relative()) / 1000000.0;
}

namespace {

double AudioBytesPerSecond(const TVideoState& is)
{
    return double(is.audio_tgt_freq) * 2 * is.audio_tgt_channels;
}

// The time of the sound at the end of what the callback has decoded and not yet handed over.
double DecodedAudioEnd(TVideoState& is)
{
    const double bytesPerSec = AudioBytesPerSecond(is);
    const int remaining = is.audio_buf_size.load() - is.audio_buf_index.load();
    return bytesPerSec != 0 ? is.audio_clock.load() - remaining / bytesPerSec : is.audio_clock.load();
}

} // namespace

void RecordAudioHandover(TVideoState& is, double now)
{
    const double end = DecodedAudioEnd(is);
    std::lock_guard lock(is.audio_handed_lock);
    is.audio_handed_pts = end;
    is.audio_handed_time = now;
}

bool SoundStarted(TVideoState& is)
{
    std::lock_guard lock(is.audio_handed_lock);
    return is.audio_handed_time != 0;
}

// The sound now heard: the device still holds one buffer when the callback
// hands it over, and plays it out in its duration. While paused the callback
// hands only silence and records nothing, so the clock stays where the sound stopped.
double AudioClock(TVideoState& is)
{
    if (is.audio_st.load() == nullptr)
        return is.audio_clock.load();
    double end = 0, handed = 0;
    {
        std::lock_guard lock(is.audio_handed_lock);
        end = is.audio_handed_pts;
        handed = is.audio_handed_time;
    }
    const double bytesPerSec = AudioBytesPerSecond(is);
    if (handed == 0 || bytesPerSec == 0)
        return DecodedAudioEnd(is);
    const double deviceBuffer = is.audio_hw_buf_size / bytesPerSec;
    const double played = std::clamp(NowSeconds() - handed, 0.0, deviceBuffer);
    return end - deviceBuffer + played;
}

double VideoClock(TVideoState& is)
{
    if (is.paused.load())
        return is.video_current_pts.load();
    const double drift = is.video_current_pts_drift.load();
    if (drift != 0)
        return NowSeconds() + drift;
    return double(is.StartTime) / 1000000.0;
}

// The external clock's base stays 0, so it is the wall clock.
double ExternalClock(TVideoState&)
{
    return NowSeconds();
}

double MasterClock(TVideoState& is)
{
    switch (is.av_sync_type) {
    case AV_SYNC_VIDEO_MASTER: return is.video_st.load() ? VideoClock(is) : AudioClock(is);
    case AV_SYNC_AUDIO_MASTER: return is.audio_st.load() ? AudioClock(is) : VideoClock(is);
    default: return ExternalClock(is);
    }
}

double NextFrameTime(TVideoState& is, double t)
{
    // The first picture after an open or a seek starts the timing when it is
    // ready: timed from the flush, a slow first decode would make it and the
    // next ones late, and they would be dropped.
    if (is.frame_last_pts == double(AV_NOPTS_VALUE))
        is.frame_timer = std::max(is.frame_timer.load(), NowSeconds());
    double delay = t - is.frame_last_pts;
    if (delay <= 0 || delay >= 10.0)
        delay = is.frame_last_delay;
    else
        is.frame_last_delay = delay;
    is.frame_last_pts = t;

    const bool followsOther =
        (is.av_sync_type == AV_SYNC_AUDIO_MASTER && is.audio_st.load() && !is.audio_clock_unknown.load()) ||
        is.av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (followsOther) {
        const double diff = VideoClock(is) - MasterClock(is);
        const double threshold = std::max(player::AVSyncThresholdMin, delay);
        if (std::fabs(diff) < player::AVNoSyncThreshold) {
            if (diff <= -threshold)
                delay = 0;
            else if (diff >= threshold)
                delay = 2 * delay;
            else
                delay = std::max(0.0, delay + player::AVSyncPull * diff);
        }
    }
    const double timer = is.frame_timer.load() + delay;
    is.frame_timer.store(timer);
    return timer;
}

} // namespace tovrel
