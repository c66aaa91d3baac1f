#include "media/loader/FFmpegUtilsMainThread.h"

#include "platform/rtl/MainThread.h"

namespace tovrel {

std::atomic<bool> SyncToMainThread{true};

void CallInMainThread(const std::function<void()>& method)
{
    if (SyncToMainThread.load() && !TMainThread::IsCurrent())
        TMainThread::Call(method);
    else
        method();
}

void ProcessPendingMessages()
{
    if (TMainThread::IsCurrent())
        TMainThread::Pump();
}

} // namespace tovrel
