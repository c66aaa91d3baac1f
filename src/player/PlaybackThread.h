#pragma once
// A thread of one playback, joined by whoever ends the playback. Joining on the
// main thread keeps running main-thread calls, since a thread that logs calls
// into the main thread before it can end.
#include "platform/rtl/Sync.h"

#include <functional>
#include <memory>
#include <thread>

namespace tovrel {

class TPlaybackThread {
public:
    TPlaybackThread() = default;
    ~TPlaybackThread() { Join(); }
    TPlaybackThread(const TPlaybackThread&) = delete;
    TPlaybackThread& operator=(const TPlaybackThread&) = delete;

    // Throws std::system_error when no thread can be made.
    void Start(std::function<void()> body);
    void Join();
    bool Joinable() const { return thread_.joinable(); }

private:
    std::thread thread_;
    std::shared_ptr<TEvent> ended_;
};

} // namespace tovrel
