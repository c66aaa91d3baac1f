#include "platform/wm/MessageQueue.h"

#include "platform/rtl/MainThread.h"
#include "platform/wm/Backend.h"
#include "platform/wm/Messages.h"

namespace tovrel {

TMessageQueue& MessageQueue()
{
    static TMessageQueue* queue = [] {
        // Calls queued for the main thread wake a loop asleep in GetMessage.
        TMainThread::SetWakeUp([] { Backend().Wake(); });
        return new TMessageQueue; // lives as long as the process: workers may post at exit
    }();
    return *queue;
}

void TMessageQueue::Post(const MSG& msg)
{
    {
        std::lock_guard lock(mutex_);
        posted_.push_back(msg);
    }
    Backend().Wake();
}

void TMessageQueue::PostRaw(TRawInput input)
{
    {
        std::lock_guard lock(mutex_);
        raw_.push_back(std::move(input));
    }
    Backend().Wake();
}

void TMessageQueue::PostQuit(int exitCode)
{
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        quitCode_ = exitCode;
    }
    Backend().Wake();
}

bool TMessageQueue::TakePosted(MSG& out, const TMessageFilter& filter, bool remove)
{
    std::lock_guard lock(mutex_);
    for (auto it = posted_.begin(); it != posted_.end(); ++it) {
        if (filter.Matches(*it)) {
            out = *it;
            if (remove)
                posted_.erase(it);
            return true;
        }
    }
    return false;
}

bool TMessageQueue::TakeQuit(MSG& out, const TMessageFilter& filter, bool remove)
{
    std::lock_guard lock(mutex_);
    if (!quit_)
        return false;
    MSG quit;
    quit.message = WM_QUIT;
    quit.wParam = WPARAM(quitCode_);
    if (filter.Hwnd || !filter.Matches(quit))
        return false;
    out = quit;
    if (remove)
        quit_ = false;
    return true;
}

std::optional<TRawInput> TMessageQueue::TakeRaw()
{
    std::lock_guard lock(mutex_);
    if (raw_.empty())
        return std::nullopt;
    TRawInput input = std::move(raw_.front());
    raw_.pop_front();
    return input;
}

bool TMessageQueue::HasRaw()
{
    std::lock_guard lock(mutex_);
    return !raw_.empty();
}

} // namespace tovrel
