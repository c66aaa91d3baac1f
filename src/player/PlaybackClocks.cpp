#include "media/loader/FFmpegLoaderEntries.h"
#include "player/Playback.h"

#include <algorithm>
#include <cmath>

namespace tovrel {

double NowSeconds()
{
    return double(FF.av_gettime_relative()) / 1000000.0;
}

double AudioClock(TVideoState& is)
{
    double pts = is.audio_clock.load();
    if (is.audio_st.load() == nullptr)
        return pts;
    const int bytesPerSec = is.audio_tgt_freq * 2 * is.audio_tgt_channels;
    const int remaining = is.audio_buf_size.load() - is.audio_buf_index.load();
    if (bytesPerSec != 0)
        pts -= double(remaining) / bytesPerSec;
    return pts;
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
    double delay = t - is.frame_last_pts;
    if (delay <= 0 || delay >= 10.0)
        delay = is.frame_last_delay;
    else
        is.frame_last_delay = delay;
    is.frame_last_pts = t;

    const bool followsOther =
        (is.av_sync_type == AV_SYNC_AUDIO_MASTER && is.audio_st.load()) || is.av_sync_type == AV_SYNC_EXTERNAL_CLOCK;
    if (followsOther) {
        const double diff = VideoClock(is) - MasterClock(is);
        const double threshold = std::max(player::AVSyncThresholdMin, delay);
        if (std::fabs(diff) < player::AVNoSyncThreshold) {
            if (diff <= -threshold)
                delay = 0;
            else if (diff >= threshold)
                delay = 2 * delay;
        }
    }
    const double timer = is.frame_timer.load() + delay;
    is.frame_timer.store(timer);
    return timer;
}

} // namespace tovrel
