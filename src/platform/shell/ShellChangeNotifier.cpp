#include "platform/shell/ShellChangeNotifier.h"

#include "platform/rtl/MainThread.h"
#include "platform/shell/ShellUnit.h"

#include <array>
#include <cerrno>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace tovrel {

namespace {

constexpr std::array<std::uint32_t, 6> FilterFlags{FILE_NOTIFY_CHANGE_FILE_NAME,  FILE_NOTIFY_CHANGE_DIR_NAME,
                                                   FILE_NOTIFY_CHANGE_ATTRIBUTES, FILE_NOTIFY_CHANGE_SIZE,
                                                   FILE_NOTIFY_CHANGE_LAST_WRITE, FILE_NOTIFY_CHANGE_SECURITY};

} // namespace

std::uint32_t NotifyFiltersToFlags(TNotifyFilters filters)
{
    std::uint32_t flags = 0;
    for (std::size_t i = 0; i < FilterFlags.size(); ++i)
        if (filters.Contains(TNotifyFilter(i)))
            flags |= FilterFlags[i];
    return flags;
}

TskShellChangeThread::TskShellChangeThread(TThreadMethod ChangeEvent)
    : TThread(true), token_(std::make_shared<TReportToken>()), wakeFd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    token_->Handler = std::move(ChangeEvent);
}

TskShellChangeThread::~TskShellChangeThread()
{
    CancelReports();
    Terminate();
    WakeUp();
    if (ThreadID() != 0)
        TerminateAndWait();
    if (wakeFd_ >= 0)
        ::close(wakeFd_);
}

void TskShellChangeThread::SetDirectoryOptions(const std::string& Directory, bool WatchSubTree,
                                               std::uint32_t NotifyOptionFlags)
{
    // Re-armed here rather than by the worker, so nothing made right after
    // the switch can be missed; events of the old watch still queued are
    // dropped by the watch itself.
    std::lock_guard lock(ShellChangeLock());
    FWatch.Open(Directory, WatchSubTree, NotifyOptionFlags);
}

void TskShellChangeThread::SetChangeEvent(TThreadMethod ChangeEvent)
{
    token_->Handler = std::move(ChangeEvent);
}

const TThreadMethod& TskShellChangeThread::ChangeEvent() const
{
    return token_->Handler;
}

void TskShellChangeThread::CancelReports()
{
    token_->Cancelled = true;
}

void TskShellChangeThread::WakeUp()
{
    const std::uint64_t one = 1;
    if (wakeFd_ >= 0)
        while (::write(wakeFd_, &one, sizeof one) < 0 && errno == EINTR) {}
}

void TskShellChangeThread::Report()
{
    if (token_->Pending.exchange(true))
        return; // the queued report has not run yet; it covers this change too
    TMainThread::Post([token = token_] {
        token->Pending.store(false);
        if (token->Cancelled || !token->Handler)
            return;
        // A copy: the handler may replace itself or free the notifier.
        const TThreadMethod handler = token->Handler;
        handler();
    });
}

void TskShellChangeThread::Execute()
{
    if (wakeFd_ < 0)
        return; // without a way to wake it the worker could never be stopped
    while (!Terminated()) {
        std::array<pollfd, 2> fds{{{wakeFd_, POLLIN, 0}, {FWatch.Fd(), POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break; // a failed wait ends the watching
        }
        if (fds[0].revents & POLLIN) {
            std::uint64_t count = 0;
            while (::read(wakeFd_, &count, sizeof count) < 0 && errno == EINTR) {}
        }
        if (!(fds[1].revents & POLLIN))
            continue;
        bool changed = false;
        {
            std::lock_guard lock(ShellChangeLock());
            changed = FWatch.Drain();
        }
        if (changed && !Terminated())
            Report();
    }
}

TskCustomShellChangeNotifier::TskCustomShellChangeNotifier()
{
    StartWatching();
}

TskCustomShellChangeNotifier::~TskCustomShellChangeNotifier()
{
    // The worker's destructor cancels the queued reports, wakes it and joins
    // it (pumping: a report that runs meanwhile finds itself cancelled).
    FThread.reset();
}

void TskCustomShellChangeNotifier::SetNotifyFilters(TNotifyFilters value)
{
    FFilters = value;
    ApplyWatchOptions();
}

void TskCustomShellChangeNotifier::SetWatchSubTree(bool value)
{
    FWatchSubTree = value;
    ApplyWatchOptions();
}

void TskCustomShellChangeNotifier::SetRoot(const std::string& value)
{
    if (value == FRoot)
        return;
    FRoot = value;
    ApplyWatchOptions();
}

void TskCustomShellChangeNotifier::SetOnChange(TThreadMethod value)
{
    FOnChange = std::move(value);
    if (FThread)
        FThread->SetChangeEvent(FOnChange);
    else
        StartWatching();
}

void TskCustomShellChangeNotifier::ApplyWatchOptions()
{
    if (FThread)
        FThread->SetDirectoryOptions(FRoot, FWatchSubTree, NotifyFiltersToFlags(FFilters));
}

void TskCustomShellChangeNotifier::StartWatching()
{
    if (!FOnChange)
        return;
    FThread = std::make_unique<TskShellChangeThread>(FOnChange);
    ApplyWatchOptions();
    FThread->Start();
}

} // namespace tovrel
