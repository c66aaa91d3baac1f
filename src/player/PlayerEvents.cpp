// Play states, position reports, the end of media and the play length; the
// play and event threads; the file-open event.
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "platform/rtl/MainThread.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerState.h"
#include "player/PlayerThreads.h"
#include "player/VideoRotation.h"

#include <cmath>
#include <functional>
#include <mutex>
#include <utility>

namespace tovrel {

namespace {

// Whether the handler is set now (it is copied out again when it runs).
template <class Handler> bool HasHandler(TPlayerState& engine, const Handler& handler)
{
    std::lock_guard lock(engine.handlersLock);
    return bool(handler);
}

// Runs the handler as set now, if any.
template <class Handler, class... Args> void CallHandler(TPlayerState& engine, const Handler& handler, Args&&... args)
{
    Handler current;
    {
        std::lock_guard lock(engine.handlersLock);
        current = handler;
    }
    if (current)
        current(std::forward<Args>(args)...);
}

} // namespace

void SetPlayState(TCustomPlayer& player, TPlayState state)
{
    TPlayerState& engine = player.Engine();
    engine.playState = state;
    if (HasHandler(engine, engine.onState))
        engine.playEvents->Push(pekState, state);
    else if (state == psStop)
        engine.playEvents->Push(pekQuit, 0);
}

void CheckPosition(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    TPlayerOptions& options = player.options;
    TVideoState* is = engine.videoState.load();
    if (!is || is->IsImage2)
        return;
    std::int64_t position;
    if (is->video_st.load()) {
        position = std::llround(VideoClock(*is) * 1000000) - is->StartTime;
    } else if (is->audio_st.load()) {
        position = std::llround(AudioClock(*is) * 1000000) - is->StartTime;
        const std::int64_t audioDuration = is->AudioDuration.load();
        if (audioDuration > 0 && position >= audioDuration && position < is->Duration)
            position = is->Duration;
    } else {
        return;
    }
    engine.currentPTS = position;
    if (is->Duration > 0 && position >= is->Duration) {
        position = is->Duration;
        if (engine.lastPTS.load() != is->Duration)
            engine.lastPTS = 0; // so the end itself is reported
    }
    const std::int64_t last = engine.lastPTS.load();
    if (last == NoPTS || std::llabs(position - last) > player::PositionStep) {
        engine.lastPTS = position;
        if (HasHandler(engine, engine.onPosition))
            engine.playEvents->Push(pekPosition, position);
    }
    // The end is reported once until a seek or a new picture clears the mark, with or without video.
    if (!is->IsDevice && is->ReachEOF.load() && is->EventEOF.exchange(1) == 0)
        SetPlayState(player, psEnd);

    const std::int64_t playTime = options.PlayTime.load();
    if (playTime == NoPTS)
        return;
    const std::int64_t startTime = options.start_time.load();
    const std::int64_t endPoint = startTime != NoPTS ? startTime + playTime : playTime;
    if (position < endPoint)
        return;
    switch (options.RepeatType.load()) {
    case rtStop: StopPlayback(*is); break;
    case rtLoop:
        if (startTime != NoPTS)
            RequestSeekTo(*is, startTime, 0);
        else
            RequestSeekTo(*is, 0, SeekFlag(TSeekFlag::sfAny));
        break;
    case rtNone: break;
    }
}

void DoFileOpen(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    TPlayerOptions& options = player.options;
    engine.rgbContext.reset(); // the hook's context belongs to the playback, so it is new as well
    TFileOpenEvent handler;
    {
        std::lock_guard lock(engine.handlersLock);
        handler = engine.onFileOpen;
    }
    TVideoState* is = engine.videoState.load();
    if (is && handler) {
        const std::int64_t duration = is->IsImage2 ? 0 : is->Duration;
        int width = -1, height = -1;
        if (AVStream* st = is->video_st.load(); st && st->codecpar->width > 0) {
            width = st->codecpar->width;
            height = st->codecpar->height;
            if (SwapsSides(UprightRotation(st)))
                std::swap(width, height); // the pictures are shown upright, so is their size
        }
        int screenWidth = options.ScreenWidth.load(), screenHeight = options.ScreenHeight.load();
        handler(&player, duration, width, height, screenWidth, screenHeight);
        options.ScreenWidth = screenWidth;
        options.ScreenHeight = screenHeight;
    }
    if (engine.screenHandle && (options.ScreenWidth.load() == 0 || options.ScreenHeight.load() == 0)) {
        const TSize size = engine.screenHandle->ClientSize();
        options.ScreenWidth = size.cx;
        options.ScreenHeight = size.cy;
    }
}

void RunPlayThread(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    try {
        PlayerEventLoop(player);
    } catch (const std::exception& e) {
        GetFFLogger()->Log(&player, llFatal, std::string_view(std::string("PlayThread Exception: ") + e.what()));
        std::lock_guard lock(engine.dataLock);
        EndPlayback(player);
    }
    SetPlayState(player, psStop);
    engine.stopEvent.SetEvent();
}

namespace {

// Runs `fire` where the handlers expect it: in the main thread (marked as inside
// a handler) or in the event thread.
void Deliver(TCustomPlayer& player, const std::function<void()>& fire)
{
    TPlayerState& engine = player.Engine();
    const auto inHandler = [&] {
        const bool outer = engine.inHandler;
        engine.inHandler = true;
        fire();
        engine.inHandler = outer;
    };
    try {
        if (player.options.TriggerEventInMainThread.load())
            CallInMainThread(inHandler);
        else
            fire();
    } catch (const EMainThreadStopped&) {
        // Nobody listens any more.
    } catch (const std::exception& e) {
        ReportError(player, e.what(), false);
    }
}

} // namespace

void RunEventThread(TCustomPlayer& player, TPlayEventRing& ring)
{
    TPlayerState& engine = player.Engine();
    for (;;) {
        const TPlayEventEntry entry = ring.Pop();
        if (entry.kind == pekPosition) {
            Deliver(player,
                    [&player, &engine, pts = entry.value] { CallHandler(engine, engine.onPosition, &player, pts); });
        } else if (entry.kind == pekState) {
            const auto state = TPlayState(entry.value);
            Deliver(player, [&player, &engine, state] { CallHandler(engine, engine.onState, &player, state); });
            if (state == psStop)
                return;
        } else if (entry.kind == pekQuit) {
            return;
        }
        if (entry.kind == pekNone)
            ring.WaitForEntry();
    }
}

void TPlayThread::Execute()
{
    RunPlayThread(owner_);
}
void TEventThread::Execute()
{
    RunEventThread(owner_, *ring_);
}

} // namespace tovrel
