#pragma once
// Watching one folder for changes and calling OnChange in the main thread.
//
// The notifier owns its worker thread: it starts it when OnChange is first
// set, hands it new options (the worker re-arms without reporting anything),
// and on destruction cancels the reports still queued for the main thread,
// wakes the worker, joins it and frees it. A report queued before then finds
// itself cancelled and does nothing, so OnChange never runs once the notifier
// is gone.
#include "platform/rtl/Thread.h"
#include "platform/shell/InotifyWatch.h"
#include "platform/shell/ShellTypes.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>

namespace tovrel {

using TThreadMethod = std::function<void()>;

enum class TNotifyFilter {
    nfFileNameChange,
    nfDirNameChange,
    nfAttributeChange,
    nfSizeChange,
    nfWriteChange,
    nfSecurityChange
};
using TNotifyFilters = TEnumSet<TNotifyFilter>;

std::uint32_t NotifyFiltersToFlags(TNotifyFilters filters);

class TskShellChangeThread : public TThread {
public:
    explicit TskShellChangeThread(TThreadMethod ChangeEvent);
    ~TskShellChangeThread() override;

    // Main thread: watches with these options from now on (a change made after
    // the call returns is reported); the worker is not stopped and reports
    // nothing for the switch.
    void SetDirectoryOptions(const std::string& Directory, bool WatchSubTree, std::uint32_t NotifyOptionFlags);
    // Main thread.
    void SetChangeEvent(TThreadMethod ChangeEvent);
    const TThreadMethod& ChangeEvent() const;
    // Main thread: reports queued from now on, or queued already, do nothing.
    void CancelReports();
    // Any thread: the worker leaves its wait to see Terminated.
    void WakeUp();

protected:
    void Execute() override;

private:
    // Shared with the reports queued for the main thread. Handler and Cancelled
    // are touched only there; Pending keeps one report queued at a time.
    struct TReportToken {
        TThreadMethod Handler;
        bool Cancelled = false;
        std::atomic<bool> Pending{false};
    };

    void Report();

    std::shared_ptr<TReportToken> token_;
    int wakeFd_ = -1;
    // Guarded by ShellChangeLock (its descriptor never changes).
    TInotifyWatch FWatch;
};

class TskCustomShellChangeNotifier {
public:
    TskCustomShellChangeNotifier();
    virtual ~TskCustomShellChangeNotifier();
    TskCustomShellChangeNotifier(const TskCustomShellChangeNotifier&) = delete;
    TskCustomShellChangeNotifier& operator=(const TskCustomShellChangeNotifier&) = delete;

    TNotifyFilters NotifyFilters() const { return FFilters; }
    void SetNotifyFilters(TNotifyFilters value);
    bool WatchSubTree() const { return FWatchSubTree; }
    void SetWatchSubTree(bool value);
    const std::string& Root() const { return FRoot; }
    // A different path (file names are case-sensitive here) re-arms the watch.
    void SetRoot(const std::string& value);
    const TThreadMethod& OnChange() const { return FOnChange; }
    void SetOnChange(TThreadMethod value);

    // Whether a worker runs (for the controls' and tests' checks).
    bool Watching() const { return FThread != nullptr; }

private:
    void ApplyWatchOptions();
    void StartWatching();

    TNotifyFilters FFilters{TNotifyFilter::nfFileNameChange, TNotifyFilter::nfDirNameChange};
    bool FWatchSubTree = true;
    std::string FRoot = "/";
    std::unique_ptr<TskShellChangeThread> FThread;
    TThreadMethod FOnChange;
};

class TskShellChangeNotifier : public TskCustomShellChangeNotifier {
public:
    using TskCustomShellChangeNotifier::TskCustomShellChangeNotifier;
};

} // namespace tovrel
