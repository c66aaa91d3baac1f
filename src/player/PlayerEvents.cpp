// Play states, position reports, the end of media and the play length; the
// play and event threads; the file-open event.
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "platform/rtl/MainThread.h"
#include "player/Playback.h"
#include "player/Player.h"
#include "player/PlayerThreads.h"

#include <cmath>

namespace tovrel {

void TCustomPlayer::SetPlayState(TPlayState state)
{
    state_ = state;
    bool hasHandler;
    {
        std::lock_guard lock(handlersLock_);
        hasHandler = bool(onState_);
    }
    if (hasHandler)
        PlayEvents().Push(pekState, state);
    else if (state == psStop)
        PlayEvents().Push(pekQuit, 0);
}

void TCustomPlayer::CheckPosition()
{
    TVideoState* is = videoState.load();
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
    currentPTS_ = position;
    if (is->Duration > 0 && position >= is->Duration) {
        position = is->Duration;
        if (lastPTS.load() != is->Duration)
            lastPTS = 0; // so the end itself is reported
    }
    const std::int64_t last = lastPTS.load();
    if (last == NoPTS || std::llabs(position - last) > player::PositionStep) {
        lastPTS = position;
        bool hasHandler;
        {
            std::lock_guard lock(handlersLock_);
            hasHandler = bool(onPosition_);
        }
        if (hasHandler)
            PlayEvents().Push(pekPosition, position);
    }
    // The end is reported once until a seek or a new picture clears the mark, with or without video.
    if (!is->IsDevice && is->ReachEOF.load() && is->EventEOF.exchange(1) == 0)
        SetPlayState(psEnd);

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

void TCustomPlayer::DoFileOpen()
{
    rgbContext_.reset(); // the hook's context belongs to the playback, so it is new as well
    TFileOpenEvent handler;
    {
        std::lock_guard lock(handlersLock_);
        handler = onFileOpen_;
    }
    TVideoState* is = videoState.load();
    if (is && handler) {
        const std::int64_t duration = is->IsImage2 ? 0 : is->Duration;
        int width = -1, height = -1;
        if (AVStream* st = is->video_st.load(); st && st->codecpar->width > 0) {
            width = st->codecpar->width;
            height = st->codecpar->height;
        }
        int screenWidth = options.ScreenWidth.load(), screenHeight = options.ScreenHeight.load();
        handler(this, duration, width, height, screenWidth, screenHeight);
        options.ScreenWidth = screenWidth;
        options.ScreenHeight = screenHeight;
    }
    if (screenHandle_ && (options.ScreenWidth.load() == 0 || options.ScreenHeight.load() == 0)) {
        const TSize size = screenHandle_->ClientSize();
        options.ScreenWidth = size.cx;
        options.ScreenHeight = size.cy;
    }
}

void TCustomPlayer::RunPlayThread()
{
    SetPlayState(psPlay);
    try {
        PlayerEventLoop(*this);
    } catch (const std::exception& e) {
        GetFFLogger()->Log(this, llFatal, std::string_view(std::string("PlayThread Exception: ") + e.what()));
        std::lock_guard lock(dataLock);
        EndPlayback(*this);
    }
    SetPlayState(psStop);
    stopEvent.SetEvent();
}

void TCustomPlayer::Deliver(const std::function<void()>& fire)
{
    const auto inHandler = [&] {
        const bool outer = inHandler_;
        inHandler_ = true;
        fire();
        inHandler_ = outer;
    };
    try {
        if (options.TriggerEventInMainThread.load())
            CallInMainThread(inHandler);
        else
            fire();
    } catch (const EMainThreadStopped&) {
        // Nobody listens any more.
    } catch (const std::exception& e) {
        ReportError(e.what(), false);
    }
}

void TCustomPlayer::RunEventThread(TPlayEventRing& ring)
{
    for (;;) {
        const TPlayEventEntry entry = ring.Pop();
        if (entry.kind == pekPosition) {
            Deliver([this, pts = entry.value] {
                TPositionEvent handler;
                {
                    std::lock_guard lock(handlersLock_);
                    handler = onPosition_;
                }
                if (handler)
                    handler(this, pts);
            });
        } else if (entry.kind == pekState) {
            const auto state = TPlayState(entry.value);
            Deliver([this, state] {
                TPlayStateEvent handler;
                {
                    std::lock_guard lock(handlersLock_);
                    handler = onState_;
                }
                if (handler)
                    handler(this, state);
            });
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
    owner_.RunPlayThread();
}
void TEventThread::Execute()
{
    owner_.RunEventThread(*ring_);
}

} // namespace tovrel
