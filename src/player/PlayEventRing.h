#pragma once
// The ten-entry ring of position and state changes between the engine threads
// and the event thread. A change of the same kind as the newest pending one
// replaces it; when the ring is full the oldest is dropped (nine pending at most).
#include "platform/rtl/Sync.h"
#include "player/PlayerTypes.h"

#include <array>
#include <cstdint>
#include <mutex>

namespace tovrel {

enum TPlayEventKind { pekNone, pekPosition, pekState, pekQuit };

struct TPlayEventEntry {
    TPlayEventKind kind = pekNone;
    std::int64_t value = 0;
};

class TPlayEventRing {
public:
    void Push(TPlayEventKind kind, std::int64_t value);
    // The oldest entry, kind pekNone when empty.
    TPlayEventEntry Pop();
    // Waits until an entry is pending (no time-out).
    void WaitForEntry() { event_.WaitFor(INFINITE); }
    void Clear();

private:
    std::mutex lock_;
    // Set and reset inside the lock, so a push between the last pop and the wait is never lost.
    TEvent event_{true, false};
    int header_ = 0;
    int tailer_ = 0;
    std::array<TPlayEventEntry, player::EventRingSize> events_{};
};

} // namespace tovrel
