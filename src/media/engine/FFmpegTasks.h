#pragma once
// The task component: a list of conversion tasks run N at once in worker
// threads, in list order, the next one starting whenever one ends. Progress,
// preview frames, a custom frame hook and the end of each task and of the batch
// reach the caller through four events. Callers use it from the main thread.
#include "media/engine/FFmpegOptions.h"
#include "media/engine/FFmpegTasksDelivery.h"
#include "media/engine/FFmpegTasksEvents.h"
#include "media/engine/FFmpegTasksList.h"
#include "media/engine/FFmpegTranscoder.h"
#include "platform/rtl/Sync.h"
#include "platform/rtl/Thread.h"

#include <atomic>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovrel {

// A list-changing operation while a batch runs or has not been cleared.
class ETasksWorking : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCustomFFmpegTasks {
public:
    static constexpr const char* kVersion = "3.3";
    static constexpr int kMinProgressInterval = 100;

    TCustomFFmpegTasks();
    // Stops every task and waits for it.
    virtual ~TCustomFFmpegTasks();
    TCustomFFmpegTasks(const TCustomFFmpegTasks&) = delete;
    TCustomFFmpegTasks& operator=(const TCustomFFmpegTasks&) = delete;

    // The task library set: loaded, load from a folder (False with LastErrMsg), unload.
    bool AVLibLoaded() const;
    bool LoadAVLib(const std::string& path);
    void UnloadAVLib();

    // The component's own probe, for a look at a file before it is added.
    TAVProbe& AVProbe() { return FAVProbe; }
    // The probe of one input of one task (nullptr when there is none).
    TAVProbe* GetTaskProbe(int taskIndex, int inputIndex) const;

    // Task index, or -1 with LastErrMsg.
    int AddTask(const std::string& fileName, TInputOptions* options);
    int AddTask(const std::string& fileName, const std::string& extOptions);
    bool AddInputFile(int taskIndex, const std::string& fileName, TInputOptions* options);
    bool AddInputFile(int taskIndex, const std::string& fileName, const std::string& extOptions);
    bool SetOutputFile(int taskIndex, const std::string& fileName, TOutputOptions* options);
    bool SetOutputFile(int taskIndex, const std::string& fileName, const std::string& extOptions);
    void ClearTasks();
    void Exchange(int taskIndex1, int taskIndex2);
    void RemoveTask(int taskIndex);

    // threadCount > 0: up to that many tasks at once in worker threads; else
    // every task converts in the caller before Start returns.
    void Start(int threadCount);
    void Pause();
    void Resume();
    void Stop(bool waitFor);

    const std::string& About() const { return FAbout; }
    void SetAbout(const std::string& about) { FAbout = about; }
    static std::string Version() { return kVersion; }
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    int TasksCount() const { return FFFmpegList.GetCount(); }
    TFFmpeg* Task(int taskIndex) const { return FFFmpegList.GetItem(taskIndex); }
    int CustomMaxFiles() const { return FCustomMaxFiles; }
    void SetCustomMaxFiles(int value) { FCustomMaxFiles = value; }
    bool Preview() const { return FPreview; }
    void SetPreview(bool on);
    bool PreviewBitmap() const { return FPreviewBitmap; }
    void SetPreviewBitmap(bool on);
    int ProgressInterval() const { return FProgressInterval.load(); }
    void SetProgressInterval(int milliseconds);
    TThreadPriority ThreadPriority() const { return FThreadPriority.load(); }
    void SetThreadPriority(TThreadPriority priority) { FThreadPriority.store(priority); }
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread.load(); }
    void SetTriggerEventInMainThread(bool on) { FTriggerEventInMainThread.store(on); }
    int Verbose() const { return FVerbose; }
    void SetVerbose(int value) { FVerbose = value; }
    void* UserData() const { return FData; }
    void SetUserData(void* data) { FData = data; }
    bool Terminated() const;
    bool Working() const;

    // How each new task gets its transcoder (the installed default unless set).
    void SetTranscoderFactory(TTranscoderFactory factory) { transcoderFactory_ = std::move(factory); }

    // Assign the events before Start: workers read them while a batch runs.
    TProgressEvent OnProgress;
    TTerminateEvent OnTerminate;
    TPreviewBitmapEvent OnPreviewBitmap;
    TCustomHookEvent OnCustomHook;

protected:
    // The tasks' engine callbacks; Sender is the task.
    virtual void DoCustomHook(TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber, std::int64_t pts,
                              bool& update, bool& stopHook);
    virtual void DoPreviewBitmap(TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber, std::int64_t pts);
    virtual void DoProgress(TCustomFFmpeg* sender, std::int32_t fileIndex, std::int32_t frameNumber, std::int32_t fps,
                            float quality, float bitRate, std::int64_t currentSize, std::int64_t currentDuration,
                            std::int64_t totalDuration);
    virtual void DoTerminate(TCustomFFmpeg* sender);

    // Stops every task and waits for it, then frees the tasks. Workers call the
    // Do* operations above; a class that overrides them calls this from its own
    // destructor, so no worker runs while the object is taken apart.
    void Shutdown();

private:
    void CheckNotWorking(const char* operation) const;
    // Why an output of that name would overwrite a file of the list; empty when it would not.
    std::string FileInUse(const std::string& fileName) const;
    std::unique_ptr<TFFmpeg> CreateTask();
    bool OpenInput(TFFmpeg& task, const std::string& fileName, TInputOptions* options);
    void StartNextTask();
    void FireAllTerminated();
    void DeliverTerminate(const TTerminateInfo& info);
    // Runs a main-thread event the way TriggerEventInMainThread asks.
    void FireEvent(const std::function<void()>& fire);

    std::string FAbout;
    std::string FLastErrMsg;
    void* FData = nullptr;
    int FCustomMaxFiles = 20;
    bool FPreview = false;
    bool FPreviewBitmap = false;
    // Read by the workers as tasks start and report.
    std::atomic<int> FProgressInterval{500};
    std::atomic<TThreadPriority> FThreadPriority{TThreadPriority::tpNormal};
    std::atomic<bool> FTriggerEventInMainThread{true};
    int FVerbose = 1;
    TTranscoderFactory transcoderFactory_;

    THookInfo FHookInfo;
    TProgressInfo FProgressInfo;
    TTerminateInfo FTerminateInfo;
    TPreviewInfo FPreviewInfo;
    TCriticalSection FHookLock;
    TCriticalSection FPreviewLock;
    TCriticalSection FProgressLock;
    // Also guards the batch counters and the pick of the next task.
    mutable TCriticalSection FTerminateLock;

    TAVProbe FAVProbe; // outlives the task list
    TFFmpegList FFFmpegList;
    int FCompleteTasks = 0;
    int FCurrentTask = -1;
    int FPendingTasks = 0;
    bool FTerminated = false;
    bool FThreadMode = false;
    int threadCount_ = 0;
    bool FWorking = false;
    // Shared by every task of the batch: closed while the batch is paused, so
    // a task that starts during a pause waits too.
    TPauseGate batchGate_;
    // Tasks cleared while a batch converts in the caller; freed when Start returns.
    std::vector<std::unique_ptr<TFFmpeg>> retiredTasks_;
    bool insideStart_ = false;
    TTerminateDelivery delivery_;
};

// The same component as the windows hold it.
class TFFmpegTasks final : public TCustomFFmpegTasks {
public:
    ~TFFmpegTasks() override { Shutdown(); }
};

} // namespace tovrel
