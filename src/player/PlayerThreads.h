#pragma once
// The component's two threads of a playback: the play thread runs the
// playback's event loop, the event thread delivers position and state changes.
// Both are joined by the component (never freed under a waiting caller).
#include "platform/rtl/Thread.h"
#include "player/PlayEventRing.h"

#include <memory>

namespace tovrel {

class TCustomPlayer;

class TPlayThread : public TThread {
public:
    explicit TPlayThread(TCustomPlayer& owner) : TThread(true), owner_(owner) {}

protected:
    void Execute() override;

private:
    TCustomPlayer& owner_;
};

class TEventThread : public TThread {
public:
    TEventThread(TCustomPlayer& owner, std::shared_ptr<TPlayEventRing> ring)
        : TThread(true), owner_(owner), ring_(std::move(ring))
    {}
    TPlayEventRing& Ring() { return *ring_; }

protected:
    void Execute() override;

private:
    TCustomPlayer& owner_;
    std::shared_ptr<TPlayEventRing> ring_;
};

} // namespace tovrel
