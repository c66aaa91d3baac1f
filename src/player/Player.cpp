// The player component's public operations.
#include "player/Player.h"

#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLoaderSDL.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "platform/rtl/MainThread.h"
#include "player/Playback.h"
#include "player/PlayerState.h"
#include "player/PlayerText.h"
#include "player/PlayerThreads.h"

#include <functional>
#include <mutex>

namespace tovrel {

namespace {

// Runs fn with the current playback (or nullptr) under the data lock, which the
// main thread takes while it keeps running calls: the play thread may hold it
// while a worker waits for the main thread.
template <class F> void WithPlayback(TPlayerState& engine, F&& fn)
{
    TPumpingLock lock(engine.dataLock);
    fn(engine.videoState.load());
}

const char* AudioDriverName(TAudioDriver driver)
{
    switch (driver) {
    case adDirectSound: return "pulseaudio";
    case adWaveOut: return "alsa";
    default: return nullptr;
    }
}

bool StartSDL(TCustomPlayer& player, TPlayerHost* screenHandle)
{
    if (const char* driver = AudioDriverName(player.options.AudioDriver))
        SDL.SDL_setenv("SDL_AUDIODRIVER", driver, 1);
    if (SDL.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportError(player,
                    PlayerText("Could not initialize SDL with ScreenHandle(%u): %s",
                               unsigned(reinterpret_cast<std::uintptr_t>(screenHandle)), SDL.SDL_GetError()),
                    true);
        return false;
    }
    player.Engine().sdlStarted = true;
    if (const char* name = SDL.SDL_GetCurrentAudioDriver())
        FF.av_log(nullptr, AV_LOG_DEBUG, "using audio driver: %s\n", name);
    return true;
}

void WaitForPlaybackStop(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    if (!engine.playThread)
        return;
    for (int tries = 1;;) {
        if (TMainThread::WaitPumping(engine.stopEvent, 100) == TWaitResult::wrSignaled)
            return;
        ProcessPendingMessages();
        if (!engine.videoState.load())
            continue; // the play thread is finishing
        std::unique_lock lock(engine.dataLock, std::defer_lock);
        if (!TMainThread::WaitPumping([&] { return lock.try_lock(); }, 100))
            continue;
        ++tries;
        if (TVideoState* is = engine.videoState.load()) {
            if ((tries > 10 && is->Reading.load()) || tries > 20) {
                // The playback ignores the quit request: end it here; the play thread then finds none.
                EndPlayback(player);
                engine.events.Push(TPlayerEvent::Quit);
            } else {
                PostQuitRequest(*is);
            }
        }
    }
}

void JoinThreads(TPlayerState& engine)
{
    if (engine.playThread) {
        engine.playThread->WaitFor();
        engine.playThread.reset();
    }
    // A handler run by the event thread cannot wait for that thread: it is joined
    // by a later Open, Stop or the destructor.
    if (TMainThread::IsCurrent() && engine.inHandler)
        return;
    if (engine.eventThread)
        engine.retiredEventThreads.push_back(std::move(engine.eventThread));
    for (std::unique_ptr<TEventThread>& thread : engine.retiredEventThreads) {
        thread->Ring().Push(pekQuit, 0); // ends it also when its psStop was taken by a newer state
        thread->WaitFor();
    }
    engine.retiredEventThreads.clear();
}

// Pause, Resume and TogglePause: flip when `wanted` allows it, stepping off, report the new state.
void SwitchPause(TCustomPlayer& player, int wanted)
{
    WithPlayback(player.Engine(), [&](TVideoState* is) {
        if (!is || (wanted >= 0 && is->paused.load() == (wanted != 0)))
            return;
        TogglePlaybackPause(*is);
        player.Engine().step = false;
        SetPlayState(player, is->paused.load() ? psPause : psResume);
    });
}

void SeekWith(TPlayerState& engine, const std::function<void(TVideoState&)>& request, bool waitForSeekEnd)
{
    bool hasPlayback = false, hasVideo = false;
    WithPlayback(engine, [&](TVideoState* is) {
        if (!is)
            return;
        hasPlayback = true;
        hasVideo = is->video_st.load() != nullptr;
        request(*is);
    });
    if (!hasPlayback || !waitForSeekEnd)
        return;
    TMainThread::WaitPumping(engine.seekEvent);
    if (hasVideo)
        TMainThread::WaitPumping(engine.pictEvent);
}

void SwitchStreamOf(TPlayerState& engine, int mediaType, int index)
{
    WithPlayback(engine, [&](TVideoState* is) {
        if (is)
            SwitchStream(*is, mediaType, index);
    });
}

// The current playback's stream of one kind, or -1.
template <class F> int StreamIndexOf(const TPlayerState& engine, F&& streamOf)
{
    TVideoState* is = engine.videoState.load();
    return is ? streamOf(*is).load() : -1;
}

} // namespace

TCustomPlayer::TCustomPlayer() : engine_(std::make_unique<TPlayerState>())
{
    ResetPlaybackSettings(*this);
}

TCustomPlayer::~TCustomPlayer()
{
    SetOnPosition(nullptr);
    SetOnState(nullptr);
    SetOnHook(nullptr);
    Stop(true);
    JoinThreads(*engine_);
}

bool TCustomPlayer::AVLibLoaded() const
{
    return GlobalFFmpegLoader().Loaded(PlayerLibraries);
}

bool TCustomPlayer::LoadAVLib(const std::string& path)
{
    std::string message;
    if (GlobalFFmpegLoader().LoadAVLib(PlayerLibraries, path, message))
        return true;
    SetLastErrMsg(*this, message);
    return false;
}

void TCustomPlayer::UnloadAVLib()
{
    GlobalFFmpegLoader().Unload(PlayerLibraries);
}

bool TCustomPlayer::Open(const std::string& fileName, TPlayerHost* screenHandle, bool paused)
{
    if (!AVLibLoaded()) {
        ReportError(*this, "libav or libsdl not loaded.", true);
        return false;
    }
    Stop(true);
    if (!StartSDL(*this, screenHandle))
        return false;
    if (options.DisableDisplay)
        options.DisableVideo = true;
    TPlayerState& engine = *engine_;
    engine.screenHandle = screenHandle; // the play thread draws for it
    engine.events.Clear();
    // A new ring: an event thread still delivering the last playback keeps the old one.
    if (engine.eventThread)
        engine.retiredEventThreads.push_back(std::move(engine.eventThread));
    engine.playEvents = std::make_shared<TPlayEventRing>();
    // The playback's first state goes into the ring before its threads run:
    // the ring keeps only the newest of pending states, so a psPlay pushed
    // after a short file's psEnd or a paused open's psPause would replace it.
    const TPlayState before = engine.playState.load();
    SetPlayState(*this, psPlay);
    if (!CreatePlayback(*this, fileName, options.file_iformat, paused)) {
        engine.playState = before; // nothing delivers that ring's entries
        engine.screenHandle = nullptr;
        QuitSDL(*this);
        return false;
    }
    engine.fileName = fileName;
    engine.probe->SetFileHandle(engine.videoState.load()->ic);
    if (options.TriggerEventInMainThread.load())
        CallInMainThread([this] { DoFileOpen(*this); });
    else
        DoFileOpen(*this);
    // Marked running before the play thread exists, so a Stop right now waits for it.
    engine.stopEvent.ResetEvent();
    engine.eventThread = std::make_unique<TEventThread>(*this, engine.playEvents);
    engine.playThread = std::make_unique<TPlayThread>(*this);
    engine.eventThread->Start();
    engine.playThread->Start();
    return true;
}

void TCustomPlayer::Stop(bool waitForStop)
{
    WithPlayback(*engine_, [](TVideoState* is) {
        if (is)
            StopPlayback(*is);
    });
    if (!waitForStop)
        return;
    WaitForPlaybackStop(*this);
    JoinThreads(*engine_);
    QuitSDL(*this);
}

void TCustomPlayer::Pause()
{
    SwitchPause(*this, 1);
}
void TCustomPlayer::Resume()
{
    SwitchPause(*this, 0);
}
void TCustomPlayer::TogglePause()
{
    SwitchPause(*this, -1);
}

void TCustomPlayer::StepToNextFrame()
{
    WithPlayback(*engine_, [&](TVideoState* is) {
        if (!is)
            return;
        // Stepping is on before the playback runs, so the next stored picture pauses it again.
        const bool wasStepping = engine_->step.exchange(true);
        if (is->paused.load())
            TogglePlaybackPause(*is);
        if (!wasStepping)
            SetPlayState(*this, psStep);
    });
}

void TCustomPlayer::ToggleAudioDisplay()
{
    WithPlayback(*engine_, [](TVideoState* is) {
        if (!is)
            return;
        is->show_audio = (is->show_audio.load() + 1) % 3;
        PostRedrawRequest(*is);
    });
}

void TCustomPlayer::Seek(std::int64_t pts, TSeekFlags seekFlags, bool waitForSeekEnd)
{
    SeekWith(
        *engine_, [&](TVideoState& is) { RequestSeekTo(is, pts, seekFlags); }, waitForSeekEnd);
}

void TCustomPlayer::Seek(double delta, TSeekFlags seekFlags, bool waitForSeekEnd)
{
    SeekWith(
        *engine_, [&](TVideoState& is) { RequestSeekBy(is, delta, seekFlags); }, waitForSeekEnd);
}

bool TCustomPlayer::Paused() const
{
    bool paused = true;
    WithPlayback(*engine_, [&](TVideoState* is) { paused = !is || is->paused.load(); });
    return paused;
}

int TCustomPlayer::AudioStreamIndex() const
{
    return StreamIndexOf(
        *engine_, [](TVideoState & is) -> auto& { return is.audio_stream; });
}
int TCustomPlayer::VideoStreamIndex() const
{
    return StreamIndexOf(
        *engine_, [](TVideoState & is) -> auto& { return is.video_stream; });
}
int TCustomPlayer::SubtitleStreamIndex() const
{
    return StreamIndexOf(
        *engine_, [](TVideoState & is) -> auto& { return is.subtitle_stream; });
}

void TCustomPlayer::SetAudioStreamIndex(int index)
{
    SwitchStreamOf(*engine_, AVMEDIA_TYPE_AUDIO, index);
}
void TCustomPlayer::SetVideoStreamIndex(int index)
{
    SwitchStreamOf(*engine_, AVMEDIA_TYPE_VIDEO, index);
}
void TCustomPlayer::SetSubtitleStreamIndex(int index)
{
    SwitchStreamOf(*engine_, AVMEDIA_TYPE_SUBTITLE, index);
}

void TCustomPlayer::HostResized(int width, int height)
{
    options.ScreenWidth = width;
    options.ScreenHeight = height;
    WithPlayback(*engine_, [this](TVideoState* is) {
        if (is)
            engine_->events.Push(TPlayerEvent::Resized);
    });
}

void TCustomPlayer::HostExposed()
{
    WithPlayback(*engine_, [this](TVideoState* is) {
        if (is)
            engine_->events.Push(TPlayerEvent::Exposed);
    });
}

void TCustomPlayer::SetAspectRatio(float value)
{
    if (options.AspectRatio.exchange(value) == value)
        return;
    WithPlayback(*engine_, [](TVideoState* is) {
        if (is)
            PostRedrawRequest(*is);
    });
}

void TCustomPlayer::SetShowAudio(TShowAudio value)
{
    options.ShowAudio = value;
    WithPlayback(*engine_, [&](TVideoState* is) {
        if (is && is->audio_st.load() && !options.DisableDisplay)
            is->show_audio = int(value);
    });
}

std::string TCustomPlayer::Format() const
{
    return options.file_iformat && options.file_iformat->name ? options.file_iformat->name : "";
}

void TCustomPlayer::SetFormat(const std::string& name)
{
    if (!AVLibLoaded()) {
        ReportError(*this, "libav or libsdl not loaded.", true);
        return;
    }
    if (name.empty()) {
        options.file_iformat = nullptr;
        return;
    }
    const AVInputFormat* format = FF.av_find_input_format(name.c_str());
    if (!format)
        throw EPlayerError(PlayerText("Unknown input format: %s", name.c_str()));
    options.file_iformat = format;
}

const std::string& TCustomPlayer::FileName() const
{
    return engine_->fileName;
}
TPlayerHost* TCustomPlayer::ScreenHandle() const
{
    return engine_->screenHandle;
}
const std::string& TCustomPlayer::About() const
{
    return engine_->about;
}
void TCustomPlayer::SetAbout(const std::string& value)
{
    engine_->about = value;
}
TAVProbe& TCustomPlayer::AVProbe()
{
    return *engine_->probe;
}
std::int64_t TCustomPlayer::CurrentPTS() const
{
    return engine_->currentPTS.load();
}
TPlayState TCustomPlayer::PlayState() const
{
    return engine_->playState.load();
}
bool TCustomPlayer::Seeking() const
{
    return engine_->seeking.load();
}
const TVideoSurface& TCustomPlayer::Surface() const
{
    return engine_->surface;
}

std::string TCustomPlayer::LastErrMsg() const
{
    std::lock_guard lock(engine_->handlersLock);
    return engine_->lastErrMsg;
}

void TCustomPlayer::SetOnFileOpen(TFileOpenEvent handler)
{
    std::lock_guard lock(engine_->handlersLock);
    engine_->onFileOpen = std::move(handler);
}
void TCustomPlayer::SetOnPosition(TPositionEvent handler)
{
    std::lock_guard lock(engine_->handlersLock);
    engine_->onPosition = std::move(handler);
}
void TCustomPlayer::SetOnState(TPlayStateEvent handler)
{
    std::lock_guard lock(engine_->handlersLock);
    engine_->onState = std::move(handler);
}
void TCustomPlayer::SetOnHook(THookEvent handler)
{
    std::lock_guard lock(engine_->handlersLock);
    engine_->onHook = std::move(handler);
}

// The component's side of the engine (Playback.h).

void ReportError(TCustomPlayer& player, const std::string& message, bool store)
{
    GetFFLogger()->Log(&player, llError, std::string_view(message));
    if (store)
        SetLastErrMsg(player, message);
}

void SetLastErrMsg(TCustomPlayer& player, const std::string& message)
{
    std::lock_guard lock(player.Engine().handlersLock);
    player.Engine().lastErrMsg = message;
}

void ResetPlaybackSettings(TCustomPlayer& player)
{
    TPlayerState& engine = player.Engine();
    TPlayerOptions& options = player.options;
    engine.lastPTS = NoPTS;
    engine.currentPTS = -1;
    engine.step = false;
    for (int& wanted : options.wanted_stream)
        wanted = -1;
    options.seek_by_bytes = -1;
    options.start_time = NoPTS;
    options.PlayTime = NoPTS;
    options.RepeatType = rtStop;
    options.VerticalFlip = false;
    engine.seekEvent.SetEvent();
    engine.pictEvent.SetEvent();
    engine.seeking = false;
}

void QuitSDL(TCustomPlayer& player)
{
    if (player.Engine().sdlStarted.exchange(false))
        SDL.SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

} // namespace tovrel
