#pragma once
// The preview player component: plays one media file at a time into its own
// picture surface (shown by a host) with the sound through SDL2. Playbacks run
// in their own threads; position and state changes reach the main thread
// through OnPosition and OnState.
#include "media/loader/FFmpegUtils.h"
#include "media/probe/AVProbeFrames.h"
#include "platform/gdi/Surface.h"
#include "player/PlayerOptions.h"
#include "player/PlayerTypes.h"
#include "player/VideoSurface.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace tovrel {

struct TPlayerState;

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
    const std::string& FileName() const;
    std::string LastErrMsg() const;
    TPlayerHost* ScreenHandle() const;
    bool FullScreen() const { return options.is_full_screen; }
    const std::string& About() const;
    void SetAbout(const std::string& value);
    static std::string Version() { return "2.3"; }
    int AudioStreamIndex() const;
    int VideoStreamIndex() const;
    int SubtitleStreamIndex() const;
    void SetAudioStreamIndex(int index);
    void SetVideoStreamIndex(int index);
    void SetSubtitleStreamIndex(int index);
    TAVProbe& AVProbe();
    std::int64_t CurrentPTS() const;
    bool Paused() const;
    TPlayState PlayState() const;
    bool Seeking() const;
    void SetAspectRatio(float value);
    void SetShowAudio(TShowAudio value);
    std::string Format() const;
    // Needs the libraries; an unknown name raises EPlayerError "Unknown input format: %s".
    void SetFormat(const std::string& name);
    // The playback's surface (32-bit BGRA): hosts paint from it.
    const TVideoSurface& Surface() const;

    void SetOnFileOpen(TFileOpenEvent handler);
    void SetOnPosition(TPositionEvent handler);
    void SetOnState(TPlayStateEvent handler);
    void SetOnHook(THookEvent handler);

    // Every setting; see TPlayerOptions for which may change during a playback.
    TPlayerOptions options;

    // The playback engine's state, declared in player/PlayerState.h, which only
    // the player's own sources (and its tests) include.
    TPlayerState& Engine() { return *engine_; }
    const TPlayerState& Engine() const { return *engine_; }

private:
    std::unique_ptr<TPlayerState> engine_;
};

// Adds nothing: the usable class.
class TFFPlayer : public TCustomPlayer {};

class EPlayerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tovrel
