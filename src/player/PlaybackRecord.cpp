// A playback's life: creation (waiting for the read thread's open), teardown,
// seek requests and the pause switch.
#include "media/loader/FFmpegLoaderEntries.h"
#include "platform/rtl/MainThread.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <system_error>

namespace tovrel {

namespace {
// Waits until the read thread's open result leaves `from`, pumping main-thread calls.
void WaitWhileOpened(TVideoState& is, int from)
{
    while (is.Opened.load() == from)
        TMainThread::WaitPumping([&] { return is.Opened.load() != from; }, 10);
}
} // namespace

bool CreatePlayback(TCustomPlayer& player, const std::string& fileName, const AVInputFormat* format, bool paused)
{
    TPlayerState& engine = player.Engine();
    auto is = std::make_unique<TVideoState>();
    is->Owner = &player;
    if (paused) {
        is->paused = 1;
        is->open_paused = 1;
        engine.step = false;
    }
    is->filename = fileName;
    is->iformat = format;
    is->av_sync_type = player.options.av_sync_type;
    try {
        is->parse_tid.Start([state = is.get()] { ReadThreadMain(*state); });
    } catch (const std::system_error&) {
        ReportError(player, "SDL_CreateThread() failed.", true);
        return false;
    }
    WaitWhileOpened(*is, 0);
    if (is->Opened.load() == 1) {
        TVideoState* playback = is.release();
        if (!playback->video_st.load() && !player.options.DisableDisplay)
            playback->show_audio = int(player.options.ShowAudio.load());
        engine.videoState = playback;
        playback->refresh_tid.Start([playback] { RefreshTickThread(*playback); });
        return true;
    }
    WaitWhileOpened(*is, -1);
    is->parse_tid.Join(); // the thread has finished its clean-up
    ResetPlaybackSettings(player);
    return false;
}

void DestroyPlayback(TVideoState& is)
{
    is.abort_request = 1;
    is.parse_tid.Join();
    is.refresh_tid.Join();
}

TVideoState::~TVideoState()
{
    for (TSubtitleSlot& slot : subpq)
        ReleaseSubtitle(slot);
    if (display_sws)
        FF.sws_freeContext(display_sws);
    if (rdft)
        FF.av_rdft_end(rdft);
    FF.av_freep(&rdft_data);
    FF.swr_free(&swr);
    FF.av_frame_free(&audio_frame);
}

void EndPlayback(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    if (TVideoState* is = engine.videoState.load()) {
        DestroyPlayback(*is);
        engine.videoState = nullptr;
        delete is;
        ResetPlaybackSettings(player);
        engine.surface.Close();
        if (TPlayerHost* host = player.ScreenHandle())
            host->PlaybackEnded();
    }
    QuitSDL(player);
}

void SeekWindow(std::int64_t target, std::int64_t rel, std::int64_t& minimum, std::int64_t& maximum)
{
    minimum = rel > 0 ? target - rel + 2 : std::numeric_limits<std::int64_t>::min();
    maximum = rel < 0 ? target - rel - 2 : std::numeric_limits<std::int64_t>::max();
}

void RequestSeek(TVideoState& is, TSeekFlags flags, bool wait, std::int64_t target, std::int64_t rel)
{
    if (is.seek_req.load())
        return;
    TPlayerState& engine = is.Owner->Engine();
    engine.seeking = true;
    is.seek_paused = is.paused.load();
    is.seek_pos = target;
    is.seek_rel = rel;
    is.seek_flags = SeekFlagsToAVFlags(flags);
    engine.seekEvent.ResetEvent();
    const bool hasVideo = is.video_st.load() != nullptr;
    is.seek_req = 1;
    if (!wait)
        return;
    TMainThread::WaitPumping(engine.seekEvent);
    if (hasVideo)
        TMainThread::WaitPumping(engine.pictEvent);
}

void RequestSeekTo(TVideoState& is, std::int64_t pts, TSeekFlags flags)
{
    if (flags & SeekFlag(TSeekFlag::sfByte)) {
        RequestSeek(is, flags, false, pts, 0);
        return;
    }
    // An unknown duration limits nothing.
    std::int64_t target = is.Duration > 0 ? std::min(pts, is.Duration) : pts;
    if (is.ic->start_time != AV_NOPTS_VALUE)
        target += is.ic->start_time;
    RequestSeek(is, flags, false, target, pts <= 0 ? 1 : 0);
}

void RequestSeekBy(TVideoState& is, double delta, TSeekFlags flags)
{
    if (flags & SeekFlag(TSeekFlag::sfByte)) {
        const std::int64_t bitRate = is.ic->bit_rate;
        const double bytes = bitRate ? delta * double(bitRate) / 8.0 : delta * 180000.0;
        const std::int64_t position = is.ic->pb ? FF.avio_seek(is.ic->pb, 0, SEEK_CUR) : 0;
        RequestSeek(is, flags, false, std::llround(double(position) + bytes), std::llround(bytes));
        return;
    }
    RequestSeek(is, flags, false, std::llround((MasterClock(is) + delta) * 1000000), std::llround(delta * 1000000));
}

void StopPlayback(TVideoState& is)
{
    if (is.paused.load()) {
        TogglePlaybackPause(is);
        is.Owner->Engine().step = false;
    }
    PostQuitRequest(is);
}

void TogglePlaybackPause(TVideoState& is)
{
    TPlayerState& engine = is.Owner->Engine();
    if (engine.seekEvent.WaitFor(250) == TWaitResult::wrTimeout)
        engine.seekEvent.SetEvent();
    if (is.paused.load()) {
        const double now = NowSeconds();
        const double shownPts = is.video_current_pts.load();
        if (is.video_current_pts_drift.load() == 0) {
            // No picture was timed yet (a paused open resumed at once): there is no
            // pause to make up for, and shifting by the clock's whole value would put
            // every later picture far in the future.
            is.frame_timer = now;
        } else {
            is.frame_timer =
                is.frame_timer.load() + now + is.video_current_pts_drift.load() - is.video_current_pts.load();
            if (is.read_pause_return.load() != AVERROR(ENOSYS))
                is.video_current_pts = is.video_current_pts_drift.load() + now;
            is.video_current_pts_drift = is.video_current_pts.load() - now;
            // The pictures decoded while paused were timed against clocks that
            // stood still: they are timed again from now, or they would come
            // late or early together and be shown in a burst.
            RetimeQueuedPictures(is, shownPts, now);
        }
        is.paused = 0;
    } else {
        if (is.video_st.load() && engine.pictEvent.WaitFor(250) == TWaitResult::wrTimeout)
            engine.pictEvent.SetEvent();
        is.paused = 1;
    }
}

void PostQuitRequest(TVideoState& is)
{
    is.Owner->Engine().events.Push(TPlayerEvent::Quit);
}
void PostRedrawRequest(TVideoState& is)
{
    is.Owner->Engine().events.Push(TPlayerEvent::Redraw);
}

} // namespace tovrel
