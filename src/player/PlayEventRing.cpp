#include "player/PlayEventRing.h"

namespace tovrel {

namespace {
constexpr int RingSize = player::EventRingSize;
int Next(int index)
{
    return (index + 1) % RingSize;
}
int Newest(int tailer)
{
    return (tailer + RingSize - 1) % RingSize;
}
} // namespace

void TPlayEventRing::Push(TPlayEventKind kind, std::int64_t value)
{
    std::lock_guard lock(lock_);
    if (header_ == tailer_ || events_[Newest(tailer_)].kind != kind) {
        tailer_ = Next(tailer_);
        if (tailer_ == header_)
            header_ = Next(header_);
    }
    events_[Newest(tailer_)] = {kind, value};
    event_.SetEvent();
}

TPlayEventEntry TPlayEventRing::Pop()
{
    std::lock_guard lock(lock_);
    if (header_ == tailer_)
        return {};
    TPlayEventEntry entry = events_[header_];
    header_ = Next(header_);
    if (header_ == tailer_)
        event_.ResetEvent();
    return entry;
}

void TPlayEventRing::Clear()
{
    std::lock_guard lock(lock_);
    header_ = tailer_ = 0;
    event_.ResetEvent();
}

} // namespace tovrel
