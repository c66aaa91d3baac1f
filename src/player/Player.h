#pragma once
// The preview player component: plays one media file at a time into its own
// picture surface (shown by a host) with the sound through SDL2. Playbacks run
// in their own threads; position and state changes reach the main thread
// through OnPosition and OnState.
#include "media/loader/FFmpegUtils.h"
#include "media/loader/FFmpegUtilsRGB.h"
#include "media/probe/AVProbeFrames.h"
#include "platform/rtl/Sync.h"
#include "player/PlayEventRing.h"
#include "player/PlayerEventQueue.h"
#include "player/PlayerOptions.h"
#include "player/PlayerTypes.h"
#include "player/VideoSurface.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <type_traits>
#include <vector>

namespace tovrel {

struct TVideoState;
class TPlayThread;
class TEventThread;

class TCustomPlayer : public TFFBaseComponent {
public:
    TCustomPlayer();
    ~TCustomPlayer() override;
    TCustomPlayer(const TCustomPlayer&) = delete;
    TCustomPlayer& operator=(const TCustomPlayer&) = delete;

    bool AVLibLoaded() const;
    bool LoadAVLib(const std::string& path);
    void UnloadAVLib();

    // Stops any playback and starts one of the file, showing its pictures on
    // the host (may be null: the player's surface alone). False with LastErrMsg.
    bool Open(const std::string& fileName, TPlayerHost* screenHandle, bool paused);
    void Stop(bool waitForStop);
    void Pause();
    void Resume();
    void TogglePause();
    void StepToNextFrame();
    void ToggleAudioDisplay();
    void Seek(std::int64_t pts, TSeekFlags seekFlags, bool waitForSeekEnd);
    void Seek(double delta, TSeekFlags seekFlags, bool waitForSeekEnd);
    // Any whole number is a time (Seek(0, ...) seeks to the start), as with the 64-bit overload.
    template <class T>
    requires std::is_integral_v<T>
    void Seek(T pts, TSeekFlags seekFlags, bool waitForSeekEnd) { Seek(std::int64_t(pts), seekFlags, waitForSeekEnd); }
    // A 24-bit copy of the picture at the read index of the picture queue; the
    // bitmap belongs to the player and is overwritten by the next call.
    const TSurface& CurrentFrame(std::int64_t& pts);
    const TSurface& CurrentFrame()
    {
        std::int64_t pts;
        return CurrentFrame(pts);
    }
    void UpdateScreenPosition() {} // nothing moves a host window's picture here
    // The host's notices: its client area changed size, or needs its picture again.
    void HostResized(int width, int height);
    void HostExposed();

    // Properties.
    const std::string& FileName() const { return fileName_; }
    std::string LastErrMsg() const;
    TPlayerHost* ScreenHandle() const { return screenHandle_; }
    bool FullScreen() const { return options.is_full_screen; }
    const std::string& About() const { return about_; }
    void SetAbout(const std::string& value) { about_ = value; }
    static std::string Version() { return "2.3"; }
    int AudioStreamIndex() const;
    int VideoStreamIndex() const;
    int SubtitleStreamIndex() const;
    void SetAudioStreamIndex(int index);
    void SetVideoStreamIndex(int index);
    void SetSubtitleStreamIndex(int index);
    TAVProbe& AVProbe() { return *probe_; }
    std::int64_t CurrentPTS() const { return currentPTS_.load(); }
    bool Paused() const;
    TPlayState PlayState() const { return state_.load(); }
    bool Seeking() const { return seeking.load(); }
    void SetAspectRatio(float value);
    void SetShowAudio(TShowAudio value);
    std::string Format() const;
    // Needs the libraries; an unknown name raises EPlayerError "Unknown input format: %s".
    void SetFormat(const std::string& name);
    // The playback's surface (32-bit BGRA): hosts paint from it.
    const TVideoSurface& Surface() const { return surface; }

    void SetOnFileOpen(TFileOpenEvent handler);
    void SetOnPosition(TPositionEvent handler);
    void SetOnState(TPlayStateEvent handler);
    void SetOnHook(THookEvent handler);

    // Every setting; see TPlayerOptions for which may change during a playback.
    TPlayerOptions options;

    // ---- Used by the playback engine (player/Playback*.cpp), not by hosts. ----
    std::atomic<TVideoState*> videoState{nullptr};
    // Held by the play thread while it handles one event; the forced teardown takes it too.
    TCriticalSection dataLock;
    TEvent seekEvent{true, true};
    TEvent pictEvent{true, true};
    TEvent stopEvent{true, true};
    // The ring of the current playback; each playback's event thread keeps its own.
    TPlayEventRing& PlayEvents() { return *playEvents_; }
    TPlayerEventQueue events;
    TVideoSurface surface;
    std::atomic<bool> seeking{false};
    std::atomic<bool> step{false};
    std::atomic<std::int64_t> audioCallbackTime{0};
    std::atomic<std::int64_t> lastPTS{NoPTS};

    void ReportError(const std::string& message, bool store);
    void SetLastErrMsg(const std::string& message);
    void SetPlayState(TPlayState state);
    // Position report, end of media and play length (refresh step and video decoder).
    void CheckPosition();
    // The OnHook round trip for a stored picture (video decode thread).
    void DoHook(std::unique_ptr<TRGBConvertContext>& hookContext, TAVPicture& picture, int width, int height,
                std::int64_t pts);
    void ResetPlaybackSettings();
    // Runs the playback's event loop and tears it down (the play thread's body).
    void RunPlayThread();
    // Delivers ring entries until psStop or a quit entry (the event thread's body).
    void RunEventThread(TPlayEventRing& ring);
    // Ends SDL's audio once for each successful start.
    void QuitSDL();

private:
    bool StartSDL(TPlayerHost* screenHandle);
    void DoFileOpen();
    void WaitForPlaybackStop();
    void JoinThreads();
    void Deliver(const std::function<void()>& fire);
    void SwitchStreamOf(int mediaType, int index);
    void SwitchPause(int wanted);
    void SeekWith(const std::function<void(TVideoState&)>& request, bool waitForSeekEnd);

    std::unique_ptr<TAVProbe> probe_;
    std::string fileName_;
    std::string lastErrMsg_;
    std::string about_;
    TPlayerHost* screenHandle_ = nullptr;
    std::atomic<std::int64_t> currentPTS_{-1};
    std::atomic<TPlayState> state_{psStop};
    std::atomic<bool> sdlStarted_{false};
    bool inHandler_ = false; // main thread: a handler called by the event thread is running
    std::unique_ptr<TRGBConvertContext> rgbContext_;
    std::unique_ptr<TSurface> emptyFrame_;
    std::unique_ptr<TPlayThread> playThread_;
    std::unique_ptr<TEventThread> eventThread_;
    // Event threads left running by a handler that stopped or reopened the player; joined later.
    std::vector<std::unique_ptr<TEventThread>> retiredEventThreads_;
    std::shared_ptr<TPlayEventRing> playEvents_ = std::make_shared<TPlayEventRing>();
    mutable std::mutex handlersLock_;
    TFileOpenEvent onFileOpen_;
    TPositionEvent onPosition_;
    TPlayStateEvent onState_;
    THookEvent onHook_;
};

// Adds nothing: the usable class.
class TFFPlayer : public TCustomPlayer {};

class EPlayerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tovrel
