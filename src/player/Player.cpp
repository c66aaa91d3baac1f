// The player component's public operations.
#include "player/Player.h"

#include "media/loader/FFmpegLoader.h"
#include "media/loader/FFmpegLoaderEntries.h"
#include "media/loader/FFmpegLoaderSDL.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsMainThread.h"
#include "platform/rtl/MainThread.h"
#include "player/Playback.h"
#include "player/PlayerText.h"
#include "player/PlayerThreads.h"

namespace tovrel {

namespace {

// Runs fn with the current playback (or nullptr) under the data lock, which the
// main thread takes while it keeps running calls: the play thread may hold it
// while a worker waits for the main thread.
template <class F> void WithPlayback(const TCustomPlayer& player, F&& fn)
{
    auto& lock = const_cast<TCriticalSection&>(player.dataLock);
    lock.EnterPumping();
    try {
        fn(player.videoState.load());
    } catch (...) {
        lock.Leave();
        throw;
    }
    lock.Leave();
}

const char* AudioDriverName(TAudioDriver driver)
{
    switch (driver) {
    case adDirectSound: return "pulseaudio";
    case adWaveOut: return "alsa";
    default: return nullptr;
    }
}

} // namespace

TCustomPlayer::TCustomPlayer() : probe_(std::make_unique<TAVProbe>())
{
    ResetPlaybackSettings();
}

TCustomPlayer::~TCustomPlayer()
{
    SetOnPosition(nullptr);
    SetOnState(nullptr);
    SetOnHook(nullptr);
    Stop(true);
    JoinThreads();
}

bool TCustomPlayer::AVLibLoaded() const
{
    return GlobalFFmpegLoader().Loaded(PlayerLibraries);
}

bool TCustomPlayer::LoadAVLib(const std::string& path)
{
    return GlobalFFmpegLoader().LoadAVLib(PlayerLibraries, path, lastErrMsg_);
}

void TCustomPlayer::UnloadAVLib()
{
    GlobalFFmpegLoader().Unload(PlayerLibraries);
}

bool TCustomPlayer::StartSDL(TPlayerHost* screenHandle)
{
    if (const char* driver = AudioDriverName(options.AudioDriver))
        SDL.SDL_setenv("SDL_AUDIODRIVER", driver, 1);
    if (SDL.SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportError(PlayerText("Could not initialize SDL with ScreenHandle(%u): %s",
                               unsigned(reinterpret_cast<std::uintptr_t>(screenHandle)), SDL.SDL_GetError()),
                    true);
        return false;
    }
    sdlStarted_ = true;
    if (const char* name = SDL.SDL_GetCurrentAudioDriver())
        FF.av_log(nullptr, AV_LOG_DEBUG, "using audio driver: %s\n", name);
    return true;
}

void TCustomPlayer::QuitSDL()
{
    if (sdlStarted_.exchange(false))
        SDL.SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool TCustomPlayer::Open(const std::string& fileName, TPlayerHost* screenHandle, bool paused)
{
    if (!AVLibLoaded()) {
        ReportError("libav or libsdl not loaded.", true);
        return false;
    }
    Stop(true);
    if (!StartSDL(screenHandle))
        return false;
    if (options.DisableDisplay)
        options.DisableVideo = true;
    screenHandle_ = screenHandle; // the play thread draws for it
    events.Clear();
    // A new ring: an event thread still delivering the last playback keeps the old one.
    if (eventThread_)
        retiredEventThreads_.push_back(std::move(eventThread_));
    playEvents_ = std::make_shared<TPlayEventRing>();
    if (!CreatePlayback(*this, fileName, options.file_iformat, paused)) {
        screenHandle_ = nullptr;
        QuitSDL();
        return false;
    }
    fileName_ = fileName;
    probe_->SetFileHandle(videoState.load()->ic);
    if (options.TriggerEventInMainThread.load())
        CallInMainThread([this] { DoFileOpen(); });
    else
        DoFileOpen();
    // Marked running before the play thread exists, so a Stop right now waits for it.
    stopEvent.ResetEvent();
    eventThread_ = std::make_unique<TEventThread>(*this, playEvents_);
    playThread_ = std::make_unique<TPlayThread>(*this);
    eventThread_->Start();
    playThread_->Start();
    return true;
}

void TCustomPlayer::Stop(bool waitForStop)
{
    WithPlayback(*this, [](TVideoState* is) {
        if (is)
            StopPlayback(*is);
    });
    if (!waitForStop)
        return;
    WaitForPlaybackStop();
    JoinThreads();
    QuitSDL();
}

void TCustomPlayer::WaitForPlaybackStop()
{
    if (!playThread_)
        return;
    for (int tries = 1;;) {
        if (TMainThread::WaitPumping(stopEvent, 100) == TWaitResult::wrSignaled)
            return;
        ProcessPendingMessages();
        if (!videoState.load())
            continue; // the play thread is finishing
        if (!TMainThread::WaitPumping([this] { return dataLock.TryEnter(); }, 100))
            continue;
        ++tries;
        if (TVideoState* is = videoState.load()) {
            if ((tries > 10 && is->Reading.load()) || tries > 20) {
                // The playback ignores the quit request: end it here; the play thread then finds none.
                EndPlayback(*this);
                events.Push(TPlayerEvent::Quit);
            } else {
                PostQuitRequest(*is);
            }
        }
        dataLock.Leave();
    }
}

void TCustomPlayer::JoinThreads()
{
    if (playThread_) {
        playThread_->WaitFor();
        playThread_.reset();
    }
    // A handler run by the event thread cannot wait for that thread: it is joined
    // by a later Open, Stop or the destructor.
    if (TMainThread::IsCurrent() && inHandler_)
        return;
    if (eventThread_)
        retiredEventThreads_.push_back(std::move(eventThread_));
    for (std::unique_ptr<TEventThread>& thread : retiredEventThreads_) {
        thread->Ring().Push(pekQuit, 0); // ends it also when its psStop was taken by a newer state
        thread->WaitFor();
    }
    retiredEventThreads_.clear();
}

// Pause, Resume and TogglePause: flip when `wanted` allows it, stepping off, report the new state.
void TCustomPlayer::SwitchPause(int wanted)
{
    WithPlayback(*this, [&](TVideoState* is) {
        if (!is || (wanted >= 0 && is->paused.load() == (wanted != 0)))
            return;
        TogglePlaybackPause(*is);
        step = false;
        SetPlayState(is->paused.load() ? psPause : psResume);
    });
}

void TCustomPlayer::Pause()
{
    SwitchPause(1);
}
void TCustomPlayer::Resume()
{
    SwitchPause(0);
}
void TCustomPlayer::TogglePause()
{
    SwitchPause(-1);
}

void TCustomPlayer::StepToNextFrame()
{
    WithPlayback(*this, [&](TVideoState* is) {
        if (!is)
            return;
        // Stepping is on before the playback runs, so the next stored picture pauses it again.
        const bool wasStepping = step.exchange(true);
        if (is->paused.load())
            TogglePlaybackPause(*is);
        if (!wasStepping)
            SetPlayState(psStep);
    });
}

void TCustomPlayer::ToggleAudioDisplay()
{
    WithPlayback(*this, [](TVideoState* is) {
        if (!is)
            return;
        is->show_audio = (is->show_audio.load() + 1) % 3;
        PostRedrawRequest(*is);
    });
}

void TCustomPlayer::SeekWith(const std::function<void(TVideoState&)>& request, bool waitForSeekEnd)
{
    bool hasPlayback = false, hasVideo = false;
    WithPlayback(*this, [&](TVideoState* is) {
        if (!is)
            return;
        hasPlayback = true;
        hasVideo = is->video_st.load() != nullptr;
        request(*is);
    });
    if (!hasPlayback || !waitForSeekEnd)
        return;
    TMainThread::WaitPumping(seekEvent);
    if (hasVideo)
        TMainThread::WaitPumping(pictEvent);
}

void TCustomPlayer::Seek(std::int64_t pts, TSeekFlags seekFlags, bool waitForSeekEnd)
{
    SeekWith([&](TVideoState& is) { RequestSeekTo(is, pts, seekFlags); }, waitForSeekEnd);
}

void TCustomPlayer::Seek(double delta, TSeekFlags seekFlags, bool waitForSeekEnd)
{
    SeekWith([&](TVideoState& is) { RequestSeekBy(is, delta, seekFlags); }, waitForSeekEnd);
}

bool TCustomPlayer::Paused() const
{
    bool paused = true;
    WithPlayback(*this, [&](TVideoState* is) { paused = !is || is->paused.load(); });
    return paused;
}

int TCustomPlayer::AudioStreamIndex() const
{
    TVideoState* is = videoState.load();
    return is ? is->audio_stream.load() : -1;
}
int TCustomPlayer::VideoStreamIndex() const
{
    TVideoState* is = videoState.load();
    return is ? is->video_stream.load() : -1;
}
int TCustomPlayer::SubtitleStreamIndex() const
{
    TVideoState* is = videoState.load();
    return is ? is->subtitle_stream.load() : -1;
}

void TCustomPlayer::SwitchStreamOf(int mediaType, int index)
{
    WithPlayback(*this, [&](TVideoState* is) {
        if (is)
            SwitchStream(*is, mediaType, index);
    });
}

void TCustomPlayer::SetAudioStreamIndex(int index)
{
    SwitchStreamOf(AVMEDIA_TYPE_AUDIO, index);
}
void TCustomPlayer::SetVideoStreamIndex(int index)
{
    SwitchStreamOf(AVMEDIA_TYPE_VIDEO, index);
}
void TCustomPlayer::SetSubtitleStreamIndex(int index)
{
    SwitchStreamOf(AVMEDIA_TYPE_SUBTITLE, index);
}

void TCustomPlayer::HostResized(int width, int height)
{
    options.ScreenWidth = width;
    options.ScreenHeight = height;
    WithPlayback(*this, [this](TVideoState* is) {
        if (is)
            events.Push(TPlayerEvent::Resized);
    });
}

void TCustomPlayer::HostExposed()
{
    WithPlayback(*this, [this](TVideoState* is) {
        if (is)
            events.Push(TPlayerEvent::Exposed);
    });
}

void TCustomPlayer::SetAspectRatio(float value)
{
    if (options.AspectRatio.exchange(value) == value)
        return;
    WithPlayback(*this, [](TVideoState* is) {
        if (is)
            PostRedrawRequest(*is);
    });
}

void TCustomPlayer::SetShowAudio(TShowAudio value)
{
    options.ShowAudio = value;
    WithPlayback(*this, [&](TVideoState* is) {
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
        ReportError("libav or libsdl not loaded.", true);
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

void TCustomPlayer::ReportError(const std::string& message, bool store)
{
    GetFFLogger()->Log(this, llError, std::string_view(message));
    if (store)
        SetLastErrMsg(message);
}

void TCustomPlayer::SetLastErrMsg(const std::string& message)
{
    std::lock_guard lock(handlersLock_);
    lastErrMsg_ = message;
}

std::string TCustomPlayer::LastErrMsg() const
{
    std::lock_guard lock(handlersLock_);
    return lastErrMsg_;
}

void TCustomPlayer::ResetPlaybackSettings()
{
    lastPTS = NoPTS;
    currentPTS_ = -1;
    step = false;
    for (int& wanted : options.wanted_stream)
        wanted = -1;
    options.seek_by_bytes = -1;
    options.start_time = NoPTS;
    options.PlayTime = NoPTS;
    options.RepeatType = rtStop;
    options.VerticalFlip = false;
    seekEvent.SetEvent();
    pictEvent.SetEvent();
    seeking = false;
}

void TCustomPlayer::SetOnFileOpen(TFileOpenEvent handler)
{
    std::lock_guard lock(handlersLock_);
    onFileOpen_ = std::move(handler);
}
void TCustomPlayer::SetOnPosition(TPositionEvent handler)
{
    std::lock_guard lock(handlersLock_);
    onPosition_ = std::move(handler);
}
void TCustomPlayer::SetOnState(TPlayStateEvent handler)
{
    std::lock_guard lock(handlersLock_);
    onState_ = std::move(handler);
}
void TCustomPlayer::SetOnHook(THookEvent handler)
{
    std::lock_guard lock(handlersLock_);
    onHook_ = std::move(handler);
}

} // namespace tovrel
