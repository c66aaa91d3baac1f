#pragma once
// The player component's engine state, shared by the component (Player*.cpp)
// and the playback engine (Playback*.cpp); nothing outside the player includes
// it but the player's tests. Each group of fields names the thread or lock that
// owns it. One playback's own record is TVideoState (VideoState.h).
#include "media/loader/FFmpegUtilsRGB.h"
#include "media/probe/AVProbeFrames.h"
#include "platform/rtl/Sync.h"
#include "player/PlayEventRing.h"
#include "player/PlayerEventQueue.h"
#include "player/PlayerThreads.h"
#include "player/PlayerTypes.h"
#include "player/VideoSurface.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tovrel {

struct TVideoState;

struct TPlayerState {
    // Main thread only.
    std::unique_ptr<TAVProbe> probe = std::make_unique<TAVProbe>();
    std::string fileName;
    std::string about;
    bool inHandler = false;                         // a handler called by the event thread is running
    std::unique_ptr<TRGBConvertContext> rgbContext; // CurrentFrame's bitmap
    std::unique_ptr<TPlayThread> playThread;
    std::unique_ptr<TEventThread> eventThread;
    // Event threads left running by a handler that stopped or reopened the player; joined later.
    std::vector<std::unique_ptr<TEventThread>> retiredEventThreads;

    // Set by the main thread while no playback runs; read by the playback's threads.
    TPlayerHost* screenHandle = nullptr;
    // The ring of the current playback; each playback's event thread keeps its own.
    std::shared_ptr<TPlayEventRing> playEvents = std::make_shared<TPlayEventRing>();

    // dataLock: held by the play thread while it handles one event, by the main
    // thread's operations on the playback (entered pumping) and by the forced
    // teardown. The playback is replaced only under it, or by Open before the
    // play thread exists; the pointer itself is read anywhere.
    TCriticalSection dataLock;
    std::atomic<TVideoState*> videoState{nullptr};

    // handlersLock: the handlers (copied out before they run) and the last error.
    std::mutex handlersLock;
    TFileOpenEvent onFileOpen;
    TPositionEvent onPosition;
    TPlayStateEvent onState;
    THookEvent onHook;
    std::string lastErrMsg;

    // Atomics, read anywhere.
    std::atomic<std::int64_t> currentPTS{-1};       // written by CheckPosition
    std::atomic<std::int64_t> lastPTS{NoPTS};       // the last reported position (CheckPosition)
    std::atomic<TPlayState> playState{psStop};      // SetPlayState
    std::atomic<bool> sdlStarted{false};            // Open starts SDL's audio, whoever ends the playback quits it
    std::atomic<bool> seeking{false};               // a seek is asked for and its picture not yet stored
    std::atomic<bool> step{false};                  // the next stored picture pauses the playback again
    std::atomic<std::int64_t> audioCallbackTime{0}; // written by the SDL audio callback, read by the scope

    // Safe from any thread: each keeps its own lock.
    TPlayerEventQueue events; // the play thread waits on it
    TVideoSurface surface;    // the play thread draws, hosts paint
    TEvent seekEvent{true, true};
    TEvent pictEvent{true, true};
    TEvent stopEvent{true, true};
};

} // namespace tovrel
