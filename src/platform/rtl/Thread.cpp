#include "platform/rtl/Thread.h"

#include "platform/rtl/MainThread.h"

#include <algorithm>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace tovrel {
namespace {

// Every started thread until its body has returned, and the handles of
// free-on-terminate threads that have ended but are not joined yet.
struct ThreadRegistry {
    std::mutex mutex;
    int running = 0;
    std::vector<std::thread> ended;
};

ThreadRegistry& Registry()
{
    static ThreadRegistry* registry = new ThreadRegistry; // outlives static destruction
    return *registry;
}

void JoinEndedFreeThreads()
{
    std::vector<std::thread> ended;
    {
        std::lock_guard lock(Registry().mutex);
        ended.swap(Registry().ended);
    }
    // These have left their body; join only waits for them to return.
    for (auto& t : ended)
        t.join();
}

void CountEnded(std::thread handleToJoin)
{
    {
        auto& r = Registry();
        std::lock_guard lock(r.mutex);
        if (handleToJoin.joinable())
            r.ended.push_back(std::move(handleToJoin));
        --r.running;
    }
    TMainThread::WakeWaiters();
}

} // namespace

int NiceValueOf(TThreadPriority priority)
{
    switch (priority) {
    case TThreadPriority::tpIdle: return 19;
    case TThreadPriority::tpLowest: return 10;
    case TThreadPriority::tpLower: return 5;
    case TThreadPriority::tpNormal: return 0;
    case TThreadPriority::tpHigher: return -5;
    case TThreadPriority::tpHighest: return -10;
    case TThreadPriority::tpTimeCritical: return -20;
    }
    return 0;
}

TThread::TThread(bool createSuspended) : startOnConstruction_(!createSuspended) {}

TThread::~TThread()
{
    bool started;
    {
        std::lock_guard lock(mutex_);
        started = started_ && thread_.joinable();
    }
    if (started)
        TerminateAndWait();
}

void TThread::AfterConstruction()
{
    if (startOnConstruction_)
        Start();
}

void TThread::Start()
{
    JoinEndedFreeThreads();
    std::unique_lock lock(mutex_);
    if (started_)
        throw std::logic_error("Thread already started");
    started_ = true;
    {
        std::lock_guard registryLock(Registry().mutex);
        ++Registry().running;
    }
    thread_ = std::thread(&TThread::Run, this);
    runningChanged_.wait(lock, [this] { return running_; });
}

void TThread::Run(TThread* self)
{
    {
        std::lock_guard lock(self->mutex_);
        self->threadId_.store(CurrentThreadID());
        self->ApplyPriority();
        self->running_ = true;
    }
    self->runningChanged_.notify_all();

    std::exception_ptr error;
    try {
        self->Execute();
    } catch (...) {
        error = std::current_exception();
    }
    if (self->OnTerminate) {
        try {
            TMainThread::Call([self] { self->OnTerminate(self); });
        } catch (const EMainThreadStopped&) {
            // Shut down: nobody is left to tell.
        } catch (...) {
            if (!error)
                error = std::current_exception();
        }
    }

    const bool freeOnTerminate = self->FreeOnTerminate.load();
    std::thread ownHandle;
    {
        std::lock_guard lock(self->mutex_);
        self->fatalException_ = std::move(error);
        self->finished_.store(true);
        if (freeOnTerminate)
            ownHandle = std::move(self->thread_);
    }
    if (freeOnTerminate) {
        delete self;
        CountEnded(std::move(ownHandle));
        return;
    }
    self->ended_.SetEvent(); // the owner may join and delete from here on
    CountEnded(std::thread());
}

void TThread::ApplyPriority()
{
    const pid_t tid = threadId_.load();
    if (tid == 0 || finished_.load())
        return;
    // A thread never runs ahead of the program it belongs to: under `nice`
    // the program's own value is the floor even where raising is allowed.
    // Failing to raise above the current value (no privilege) leaves it.
    const int programNice = getpriority(PRIO_PROCESS, static_cast<id_t>(getpid()));
    setpriority(PRIO_PROCESS, static_cast<id_t>(tid), std::max(NiceValueOf(priority_.load()), programNice));
}

void TThread::SetPriority(TThreadPriority priority)
{
    std::lock_guard lock(mutex_);
    priority_.store(priority);
    ApplyPriority();
}

int TThread::WaitFor()
{
    {
        std::lock_guard lock(mutex_);
        if (!started_)
            throw std::logic_error("Cannot wait for a thread that was never started");
    }
    if (FreeOnTerminate.load())
        throw std::logic_error("Cannot wait for a free-on-terminate thread");
    if (ThreadID() == CurrentThreadID())
        throw std::logic_error("A thread cannot wait for itself");
    TMainThread::WaitPumping(ended_);
    std::lock_guard joinLock(joinMutex_);
    std::thread handle;
    {
        std::lock_guard lock(mutex_);
        handle = std::move(thread_);
    }
    if (handle.joinable())
        handle.join();
    return ReturnValue.load();
}

void TThread::TerminateAndWait()
{
    Terminate();
    WaitFor();
}

pid_t TThread::CurrentThreadID()
{
    return gettid();
}

std::exception_ptr TThread::FatalException() const
{
    std::lock_guard lock(mutex_);
    return fatalException_;
}

void TThread::Synchronize(std::function<void()> fn)
{
    TMainThread::Call(std::move(fn));
}

void TThread::Queue(std::function<void()> fn)
{
    TMainThread::Post(std::move(fn));
}

void TThread::WaitForAll()
{
    TMainThread::WaitPumping([] {
        std::lock_guard lock(Registry().mutex);
        return Registry().running == 0;
    });
    JoinEndedFreeThreads();
}

} // namespace tovrel
