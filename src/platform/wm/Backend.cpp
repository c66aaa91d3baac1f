#include "platform/wm/Backend.h"

#include <chrono>

namespace tovrel {

void TBackend::WaitEvents(int ms)
{
    std::unique_lock lock(wakeMutex_);
    if (ms < 0)
        woken_.wait(lock, [this] { return wakePending_; });
    else
        woken_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return wakePending_; });
    wakePending_ = false;
}

void TBackend::Wake()
{
    {
        std::lock_guard lock(wakeMutex_);
        wakePending_ = true;
    }
    woken_.notify_all();
}

std::vector<TMonitor> TBackend::Monitors()
{
    return {TMonitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}}};
}

namespace {
std::mutex backendMutex;
std::shared_ptr<TBackend>& CurrentBackend()
{
    static std::shared_ptr<TBackend> backend = std::make_shared<TBackend>();
    return backend;
}
} // namespace

std::shared_ptr<TBackend> SetBackend(std::shared_ptr<TBackend> backend)
{
    std::lock_guard lock(backendMutex);
    auto old = CurrentBackend();
    CurrentBackend() = backend ? std::move(backend) : std::make_shared<TBackend>();
    old->Wake(); // a loop asleep in the old backend looks again
    return old;
}

TBackend& Backend()
{
    std::lock_guard lock(backendMutex);
    return *CurrentBackend();
}

} // namespace tovrel
