#include "media/engine/FFmpegTasks.h"

#include "media/engine/FFmpegOptionsApply.h"
#include "media/loader/FFmpegLoader.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/transcode/FFmpegOutput.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/MainThread.h"

#include <algorithm>

namespace tovrel {

// Workers hold the component's locks while they log, and logging may call into
// the main thread; so the main thread takes them with TPumpingLock.

TCustomFFmpegTasks::TCustomFFmpegTasks() = default;

TCustomFFmpegTasks::~TCustomFFmpegTasks()
{
    Shutdown();
}

void TCustomFFmpegTasks::Shutdown()
{
    // Nothing is delivered to a component that is going away.
    delivery_.Hold();
    {
        // Workers start their successors under this lock; from here on none does.
        TPumpingLock lock(FTerminateLock);
        FPendingTasks = 0;
    }
    // Running workers still look tasks up in the list: end them while it stands.
    for (int i = 0; i < FFFmpegList.GetCount(); ++i)
        FFFmpegList.GetItem(i)->Stop(true);
    FFFmpegList.Clear();
    retiredTasks_.clear();
}

bool TCustomFFmpegTasks::AVLibLoaded() const
{
    return GlobalFFmpegLoader().Loaded(TaskLibraries);
}

bool TCustomFFmpegTasks::LoadAVLib(const std::string& path)
{
    return GlobalFFmpegLoader().LoadAVLib(TaskLibraries, path, FLastErrMsg);
}

void TCustomFFmpegTasks::UnloadAVLib()
{
    GlobalFFmpegLoader().Unload(TaskLibraries);
}

void TCustomFFmpegTasks::CheckNotWorking(const char* operation) const
{
    if (Working())
        throw ETasksWorking(Format("Cannot %s while working.", operation));
}

bool TCustomFFmpegTasks::Terminated() const
{
    TPumpingLock lock(FTerminateLock);
    return FTerminated;
}

bool TCustomFFmpegTasks::Working() const
{
    TPumpingLock lock(FTerminateLock);
    return FWorking;
}

void TCustomFFmpegTasks::SetPreview(bool on)
{
    FPreview = on;
    FFFmpegList.SetPreview(on);
}

void TCustomFFmpegTasks::SetPreviewBitmap(bool on)
{
    FPreviewBitmap = on;
    FFFmpegList.SetPreviewBitmap(on);
}

void TCustomFFmpegTasks::SetProgressInterval(int milliseconds)
{
    FProgressInterval = milliseconds <= kMinProgressInterval ? kMinProgressInterval : milliseconds;
}

std::unique_ptr<TFFmpeg> TCustomFFmpegTasks::CreateTask()
{
    auto task = std::make_unique<TFFmpeg>(FCustomMaxFiles,
                                          transcoderFactory_ ? transcoderFactory_() : CreateDefaultTranscoder());
    task->Reinitialize();
    task->SetVerbose(FVerbose);
    task->SetPostHooks(TPostHooks{}.With(TPostHook::phPreview, FPreview).With(TPostHook::phBitmap, FPreviewBitmap));
    task->FOnPreviewBitmap = [this](TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber,
                                    std::int64_t pts) { DoPreviewBitmap(sender, bitmap, frameNumber, pts); };
    task->SetBatchGate(&batchGate_);
    return task;
}

bool TCustomFFmpegTasks::OpenInput(TFFmpeg& task, const std::string& fileName, TInputOptions* options)
{
    const int index = task.nb_input_files();
    if (options)
        ApplyInputOptions(task, fileName, *options);
    else
        task.ResetInputOptions(index);
    if (task.OpenInputFile(fileName)) {
        // The probe reports on the context the transcoder reads; it does not own it.
        if (AVFormatContext* context = task.Finput_files[static_cast<std::size_t>(index)])
            task.GetAVProbe(index)->SetFileHandle(context);
        return true;
    }
    task.ResetInputOptions(index);
    FLastErrMsg = task.LastErrMsg();
    return false;
}

TAVProbe* TCustomFFmpegTasks::GetTaskProbe(int taskIndex, int inputIndex) const
{
    if (taskIndex < 0 || taskIndex >= TasksCount())
        return nullptr;
    return FFFmpegList.GetItem(taskIndex)->AVProbe(inputIndex);
}

int TCustomFFmpegTasks::AddTask(const std::string& fileName, TInputOptions* options)
{
    CheckNotWorking("AddTask");
    std::unique_ptr<TFFmpeg> task;
    try {
        task = CreateTask();
        if (!OpenInput(*task, fileName, options))
            return -1;
    } catch (const std::exception& e) {
        FLastErrMsg = e.what();
        return -1;
    }
    task->FOnProgress = [this](TCustomFFmpeg* sender, std::int32_t fileIndex, std::int32_t frameNumber,
                               std::int32_t fps, float quality, float bitRate, std::int64_t currentSize,
                               std::int64_t currentDuration, std::int64_t totalDuration) {
        DoProgress(sender, fileIndex, frameNumber, fps, quality, bitRate, currentSize, currentDuration, totalDuration);
    };
    task->FOnTerminate = [this](TCustomFFmpeg* sender) { DoTerminate(sender); };
    return FFFmpegList.Add(std::move(task));
}

int TCustomFFmpegTasks::AddTask(const std::string& fileName, const std::string& extOptions)
{
    TInputOptions options = InputOptionsFromText(extOptions);
    return AddTask(fileName, &options);
}

bool TCustomFFmpegTasks::AddInputFile(int taskIndex, const std::string& fileName, TInputOptions* options)
{
    CheckNotWorking("AddInputFile");
    try {
        TFFmpeg& task = *FFFmpegList.GetItem(taskIndex);
        if (task.nb_input_files() >= task.MaxFiles()) {
            FLastErrMsg = Format("max input files %d reached", task.MaxFiles());
            return false;
        }
        return OpenInput(task, fileName, options);
    } catch (const std::exception& e) {
        FLastErrMsg = e.what();
        return false;
    }
}

bool TCustomFFmpegTasks::AddInputFile(int taskIndex, const std::string& fileName, const std::string& extOptions)
{
    TInputOptions options = InputOptionsFromText(extOptions);
    return AddInputFile(taskIndex, fileName, &options);
}

std::string TCustomFFmpegTasks::FileInUse(const std::string& fileName) const
{
    const std::string wanted = DecodeAVFileName(fileName);
    for (int i = 0; i < FFFmpegList.GetCount(); ++i) {
        const TFFmpeg& task = *FFFmpegList.GetItem(i);
        for (const std::string& input : task.InputFileNames())
            if (SameFile(DecodeAVFileName(input), wanted))
                return Format("Output file '%s' is the input file '%s' of task %d", fileName, input, i);
        for (const std::string& output : task.OutputFileNames())
            if (SameFile(DecodeAVFileName(output), wanted))
                return Format("Output file '%s' is the output file '%s' of task %d", fileName, output, i);
    }
    return {};
}

bool TCustomFFmpegTasks::SetOutputFile(int taskIndex, const std::string& fileName, TOutputOptions* options)
{
    CheckNotWorking("SetOutputFile");
    try {
        TFFmpeg& task = *FFFmpegList.GetItem(taskIndex);
        // One task's output must never overwrite another file of the list.
        if (std::string inUse = FileInUse(fileName); !inUse.empty()) {
            FLastErrMsg = std::move(inUse);
            return false;
        }
        if (task.nb_output_files() >= task.MaxFiles()) {
            FLastErrMsg = Format("max output files %d reached", task.MaxFiles());
            return false;
        }
        const int index = task.nb_output_files();
        bool opened;
        if (options) {
            opened = ApplyOutputOptionsAndOpen(task, fileName, *options, [this, &task] {
                task.FOnCustomHook = [this](TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber,
                                            std::int64_t pts, bool& update, bool& stopHook) {
                    DoCustomHook(sender, bitmap, frameNumber, pts, update, stopHook);
                };
            });
        } else {
            task.ResetOutputOptions(index);
            opened = task.OpenOutputFile(fileName, false);
        }
        if (!opened) {
            FLastErrMsg = task.LastErrMsg();
            task.ResetOutputOptions(index);
        }
        return opened;
    } catch (const std::exception& e) {
        FLastErrMsg = e.what();
        return false;
    }
}

bool TCustomFFmpegTasks::SetOutputFile(int taskIndex, const std::string& fileName, const std::string& extOptions)
{
    TOutputOptions options = OutputOptionsFromText(extOptions);
    return SetOutputFile(taskIndex, fileName, &options);
}

void TCustomFFmpegTasks::ClearTasks()
{
    std::vector<std::unique_ptr<TFFmpeg>> tasks;
    {
        TPumpingLock lock(FTerminateLock);
        if (FWorking && !FTerminated)
            throw ETasksWorking("Cannot ClearTasks while working.");
        tasks = FFFmpegList.TakeAll();
        FLastErrMsg.clear();
        FCompleteTasks = 0;
        FCurrentTask = -1;
        FPendingTasks = 0;
        FTerminated = false;
        FThreadMode = false;
        FWorking = false;
    }
    batchGate_.Open();
    // A batch that converts in the caller still has a task on the stack here.
    if (insideStart_) {
        for (auto& task : tasks)
            retiredTasks_.push_back(std::move(task));
    }
    // The rest are freed here; each waits for its own worker to leave.
}

void TCustomFFmpegTasks::Exchange(int taskIndex1, int taskIndex2)
{
    CheckNotWorking("Exchange");
    FFFmpegList.Exchange(taskIndex1, taskIndex2);
}

void TCustomFFmpegTasks::RemoveTask(int taskIndex)
{
    CheckNotWorking("RemoveTask");
    FFFmpegList.Delete(taskIndex);
}

void TCustomFFmpegTasks::Start(int threadCount)
{
    CheckNotWorking("StartTask");
    {
        TPumpingLock lock(FTerminateLock);
        FCompleteTasks = 0;
        FCurrentTask = 0;
        FPendingTasks = TasksCount();
        FTerminated = false;
        FThreadMode = threadCount > 0;
        threadCount_ = threadCount;
        FWorking = true;
        // A batch starts unpaused; a pause within it holds its later tasks too.
        batchGate_.Open();
        // Nothing to run: the batch ends at once.
        if (FPendingTasks == 0) {
            FireAllTerminated();
            return;
        }
    }
    insideStart_ = true;
    struct TEndStart {
        TCustomFFmpegTasks& Tasks;
        ~TEndStart()
        {
            Tasks.insideStart_ = false;
            Tasks.retiredTasks_.clear();
        }
    } endStart{*this};
    int remaining = threadCount;
    while (true) {
        {
            TPumpingLock lock(FTerminateLock);
            if (FPendingTasks <= 0)
                break;
        }
        StartNextTask();
        if (threadCount > 0 && --remaining == 0)
            break;
    }
}

void TCustomFFmpegTasks::StartNextTask()
{
    TFFmpeg* task;
    bool threadMode;
    {
        // The index advances at the pick, so a start that fails at once and
        // starts the next task from inside its own terminate cannot pick twice.
        TPumpingLock lock(FTerminateLock);
        if (FPendingTasks <= 0)
            return;
        --FPendingTasks;
        task = FFFmpegList.GetItem(FCurrentTask++);
        task->ReportInterval = static_cast<std::int64_t>(FProgressInterval) * 1000;
        task->ConcurrentTasks = FThreadMode ? std::max(1, std::min(threadCount_, TasksCount())) : 1;
        threadMode = FThreadMode;
    }
    TThread* thread = task->StartConvert(threadMode, FThreadPriority);
    if (!thread)
        return;
    try {
        thread->Start();
    } catch (const std::exception& e) {
        task->WorkerNotStarted(e.what());
    }
}

void TCustomFFmpegTasks::Pause()
{
    batchGate_.Close();
    FFFmpegList.PauseAll();
}

void TCustomFFmpegTasks::Resume()
{
    FFFmpegList.ResumeAll();
    batchGate_.Open();
}

void TCustomFFmpegTasks::Stop(bool waitFor)
{
    {
        TPumpingLock lock(FTerminateLock);
        // Without a running batch there is nothing to stop: ending tasks that
        // never started would leave them unable to run in the next batch.
        if (!FWorking || FTerminated)
            return;
        FPendingTasks = 0;
    }
    // The waits below run main-thread calls; terminate records wait until the
    // walk over the list is done, so a handler that clears the list cannot free
    // the task being stopped.
    delivery_.Hold();
    try {
        FFFmpegList.StopAll(waitFor);
    } catch (...) {
        delivery_.Release();
        throw;
    }
    delivery_.Release();
}

void TCustomFFmpegTasks::DoTerminate(TCustomFFmpeg* sender)
{
    TPumpingLock lock(FTerminateLock);
    if (OnTerminate) {
        FTerminateInfo = {FFFmpegList.IndexOf(sender), sender->Finished(), sender->FatalException(),
                          sender->FatalMessage()};
        DeliverTerminate(FTerminateInfo);
    }
    ++FCompleteTasks;
    if (FPendingTasks > 0) {
        if (FThreadMode)
            StartNextTask();
    } else if (FCompleteTasks >= TasksCount()) {
        FireAllTerminated();
    }
}

void TCustomFFmpegTasks::FireAllTerminated()
{
    if (FTerminated)
        return;
    FTerminated = true;
    if (OnTerminate) {
        FTerminateInfo = {-1, true, false, ""};
        DeliverTerminate(FTerminateInfo);
    }
}

void TCustomFFmpegTasks::DeliverTerminate(const TTerminateInfo& info)
{
    if (!FThreadMode) {
        OnTerminate(this, info);
        return;
    }
    const auto deliverer = FTriggerEventInMainThread ? TTerminateDelivery::TDeliverer::MainThread
                                                     : TTerminateDelivery::TDeliverer::DeliveryThread;
    delivery_.Push(
        info, [this, handler = OnTerminate](const TTerminateInfo& record) { handler(this, record); }, deliverer);
}

void TCustomFFmpegTasks::FireEvent(const std::function<void()>& fire)
{
    if (FTriggerEventInMainThread)
        TMainThread::Call(fire);
    else
        fire();
}

void TCustomFFmpegTasks::DoProgress(TCustomFFmpeg* sender, std::int32_t fileIndex, std::int32_t frameNumber,
                                    std::int32_t fps, float quality, float bitRate, std::int64_t currentSize,
                                    std::int64_t currentDuration, std::int64_t totalDuration)
{
    if (!OnProgress)
        return;
    TPumpingLock lock(FProgressLock);
    FProgressInfo = {FFFmpegList.IndexOf(sender),
                     fileIndex,
                     frameNumber,
                     fps,
                     quality,
                     bitRate,
                     currentSize,
                     currentDuration,
                     totalDuration};
    FireEvent([this] { OnProgress(this, &FProgressInfo); });
}

void TCustomFFmpegTasks::DoPreviewBitmap(TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber,
                                         std::int64_t pts)
{
    if (!OnPreviewBitmap)
        return;
    TPumpingLock lock(FPreviewLock);
    FPreviewInfo = {FFFmpegList.IndexOf(sender), bitmap, frameNumber, pts};
    FireEvent([this] { OnPreviewBitmap(this, FPreviewInfo); });
}

void TCustomFFmpegTasks::DoCustomHook(TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber,
                                      std::int64_t pts, bool& update, bool& stopHook)
{
    if (!OnCustomHook)
        return;
    TPumpingLock lock(FHookLock);
    FHookInfo = {FFFmpegList.IndexOf(sender), bitmap, frameNumber, pts, update, stopHook};
    // The hook runs in the worker itself, never through the main thread.
    OnCustomHook(this, &FHookInfo);
    update = FHookInfo.Update;
    stopHook = FHookInfo.StopHook;
}

} // namespace tovrel
