#include "player/PlayerEventQueue.h"

namespace tovrel {

void TPlayerEventQueue::Push(TPlayerEvent event)
{
    std::lock_guard lock(mutex_);
    events_.push_back(event);
    pushed_.notify_one();
}

TPlayerEvent TPlayerEventQueue::Wait()
{
    std::unique_lock lock(mutex_);
    pushed_.wait(lock, [this] { return !events_.empty(); });
    TPlayerEvent event = events_.front();
    events_.pop_front();
    return event;
}

void TPlayerEventQueue::Clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
}

} // namespace tovrel
