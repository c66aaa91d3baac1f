#pragma once
// The play thread's own event queue: the decoders, the refresh ticks and the
// component post requests here and the play thread handles them one at a time.
#include <condition_variable>
#include <deque>
#include <mutex>

namespace tovrel {

enum class TPlayerEvent {
    Resized,      // the host changed its size
    Exposed,      // the host needs its picture again
    AllocPicture, // a picture-queue slot needs a buffer of the new size
    Refresh,      // refresh tick
    Quit,         // end the playback
    Redraw,       // redraw at once, reopening the surface
};

class TPlayerEventQueue {
public:
    void Push(TPlayerEvent event);
    TPlayerEvent Wait();
    void Clear();

private:
    std::mutex mutex_;
    std::condition_variable pushed_;
    std::deque<TPlayerEvent> events_;
};

} // namespace tovrel
