#include "player/PlaybackThread.h"

#include "platform/rtl/MainThread.h"

namespace tovrel {

void TPlaybackThread::Start(std::function<void()> body)
{
    auto ended = std::make_shared<TEvent>(true, false);
    thread_ = std::thread([body = std::move(body), ended] {
        body();
        ended->SetEvent();
    });
    ended_ = std::move(ended);
}

void TPlaybackThread::Join()
{
    if (!thread_.joinable())
        return;
    TMainThread::WaitPumping(*ended_);
    thread_.join();
}

} // namespace tovrel
