#include "media/engine/FFmpegEngine.h"

#include "media/engine/FFmpegEngineErrors.h"
#include "media/engine/FFmpegOptions.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtils.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/preview/Previewer.h"
#include "platform/rtl/MainThread.h"

#include <filesystem>

namespace tovrel {

namespace {

void LogEngineError(const void* sender, const std::string& message)
{
    GetFFLogger()->Log(sender, llQuiet, std::string_view(message));
}

} // namespace

TCriticalSection& PostHookLock()
{
    static TCriticalSection lock;
    return lock;
}

class TCustomFFmpeg::TConvertThread : public TThread {
public:
    explicit TConvertThread(TCustomFFmpeg& owner) : TThread(true), FOwner(owner) {}
    ~TConvertThread() override
    {
        try {
            TerminateAndWait();
        } catch (const std::logic_error&) {
            // Never started (WorkerNotStarted): there is nothing to wait for.
        }
    }

protected:
    void Execute() override { FOwner.RunWorker(); }

private:
    TCustomFFmpeg& FOwner;
};

class TCustomFFmpeg::TDoTerminateThread : public TThread {
public:
    explicit TDoTerminateThread(TCustomFFmpeg& owner) : TThread(true), FOwner(owner) {}
    ~TDoTerminateThread() override { TerminateAndWait(); }

protected:
    void Execute() override { FOwner.RunTerminateHelper(); }

private:
    TCustomFFmpeg& FOwner;
};

TCustomFFmpeg::TCustomFFmpeg(int maxFiles, std::unique_ptr<TTranscoder> transcoder)
    : FMaxFiles(maxFiles), transcoder_(std::move(transcoder))
{
    if (maxFiles < kMinFiles || maxFiles > kMaxFiles)
        throw EAssertionFailed("AMaxFiles must lie in 1..512");
    if (!transcoder_)
        throw EAssertionFailed("A conversion job needs a transcoder");
    const auto files = static_cast<std::size_t>(maxFiles);
    const auto streams = files * kMaxStreamsPerFile;
    Finput_files.assign(files, nullptr);
    Finput_files_ts_offset.assign(files, 0);
    Finput_files_ts_scale.assign(files, {});
    Finput_codecs.assign(streams, nullptr);
    Foutput_files.assign(files, nullptr);
    Foutput_codecs.assign(streams, nullptr);
    Fstream_maps.assign(streams, {});
    Fmeta_data_maps.assign(files, {});
    Fbitstream_filters.assign(files, {});
    ResetOptions();
}

TCustomFFmpeg::~TCustomFFmpeg()
{
    Stop(true);
    // A never-started job may have its terminate helper still running.
    if (terminator_)
        TMainThread::WaitPumping(FTermEvent);
    worker_.reset();
    terminator_.reset();
    try {
        Cleanup();
    } catch (const std::exception& e) {
        LogEngineError(this, e.what());
    }
}

void TCustomFFmpeg::ResetOptions()
{
    static_cast<TFFmpegPendingOptions&>(*this) = TFFmpegPendingOptions{};
    InitFFOptions(FOptions);
    FPostHooks.store({});
    FFatalException = false;
}

void TCustomFFmpeg::Reinitialize()
{
    if (!transcoder_->LibrariesLoaded())
        return;
    Cleanup();
    ResetOptions();
    FJoinMode = false;
    {
        std::lock_guard lock(stateLock_);
        FConverting = false;
        FTerminated = false;
        terminating_ = false;
    }
    FBroken.store(false);
    FFinished.store(false);
    transcoder_->PrepareJob(*this);
}

TThread* TCustomFFmpeg::StartConvert(bool useThread, TThreadPriority priority)
{
    std::string failure;
    {
        std::lock_guard lock(stateLock_);
        if (FConverting || FTerminated || terminating_)
            return nullptr;
        if (Fnb_output_files == 0)
            failure = "At least one output file must be specified";
        else if (Fnb_input_files == 0)
            failure = "At least one input file must be specified";
        if (!failure.empty()) {
            terminating_ = true;
        } else {
            FConverting = true;
            FBroken.store(false);
            FFinished.store(false);
            workerStarted_ = useThread;
            // Reset before the worker exists, so a Stop(True) from now on waits for it.
            if (useThread)
                FStopEvent.ResetEvent();
        }
    }
    if (!failure.empty()) {
        Guarded([this] { Cleanup(); });
        RecordFatal(failure);
        DoTerminate();
        return nullptr;
    }
    if (!useThread) {
        DoConvert();
        return nullptr;
    }
    worker_ = std::make_unique<TConvertThread>(*this);
    worker_->SetPriority(priority);
    FThread = worker_.get();
    return FThread;
}

namespace {

// Signals `done` when `body` leaves, whichever way it leaves.
template <class Body> void RunThenSignal(TEvent& done, Body body)
{
    struct TSignal {
        TEvent& Event;
        ~TSignal() { Event.SetEvent(); }
    } signal{done};
    body();
}

} // namespace

void TCustomFFmpeg::RunWorker()
{
    RunThenSignal(FStopEvent, [this] { DoConvert(); });
}

void TCustomFFmpeg::DoConvert()
{
    FFinished.store(false);
    PassPauseGate();
    Guarded([this] {
        if (!Broken())
            transcoder_->Transcode(*this);
    });
    Guarded([this] { transcoder_->CloseEncoders(*this); });
    Guarded([this] { transcoder_->CloseDecoders(*this); });
    // A failed run's output is unplayable; a stopped one keeps its playable part.
    removeOutputs_ = FFatalException && !Broken();
    Guarded([this] { Cleanup(); });
    removeOutputs_ = false;
    DoTerminate();
}

void TCustomFFmpeg::DoTerminate()
{
    {
        std::lock_guard lock(stateLock_);
        FConverting = false;
        FTerminated = true;
        FThread = nullptr;
    }
    Guarded([this] {
        if (FOnTerminate)
            FOnTerminate(this);
    });
}

template <class Step> void TCustomFFmpeg::Guarded(Step step)
{
    try {
        step();
    } catch (const std::exception& e) {
        RecordFatal(e.what());
    }
}

void TCustomFFmpeg::RecordFatal(const std::string& message)
{
    LogEngineError(this, message);
    FFatalException = true;
    FFatalMessage = message;
}

void TCustomFFmpeg::PassPauseGate()
{
    gate_.Pass(FBroken, &waitingAtGate_);
    if (batchGate_)
        batchGate_->Pass(FBroken, &waitingAtGate_);
}

void TCustomFFmpeg::Stop(bool waitFor)
{
    bool workerStarted;
    {
        std::lock_guard lock(stateLock_);
        FBroken.store(true);
        workerStarted = workerStarted_;
    }
    if (!workerStarted)
        return;
    // A paused worker goes on to see the stop request.
    gate_.Wake();
    if (batchGate_)
        batchGate_->Wake();
    if (waitFor)
        WaitForWorkerEnd();
}

void TCustomFFmpeg::WorkerNotStarted(const std::string& message)
{
    {
        std::lock_guard lock(stateLock_);
        workerStarted_ = false;
    }
    worker_.reset();
    FStopEvent.SetEvent();
    Guarded([this] { Cleanup(); });
    RecordFatal(message);
    DoTerminate();
}

void TCustomFFmpeg::WaitForWorkerEnd()
{
    // Pumps on the main thread, so a worker waiting for a main-thread event can finish.
    TMainThread::WaitPumping(FStopEvent);
}

void TCustomFFmpeg::Pause()
{
    std::lock_guard lock(stateLock_);
    if (workerStarted_ && FConverting)
        gate_.Close();
}

void TCustomFFmpeg::Resume()
{
    gate_.Open();
}

void TCustomFFmpeg::StopOrTerminate(bool waitFor)
{
    bool converting = false;
    {
        std::lock_guard lock(stateLock_);
        if (FConverting)
            converting = true;
        else if (FTerminated || terminating_)
            return;
        else
            terminating_ = true;
    }
    if (converting) {
        Stop(waitFor);
        return;
    }
    FTermEvent.ResetEvent();
    terminator_ = std::make_unique<TDoTerminateThread>(*this);
    terminator_->Start();
    if (waitFor)
        TMainThread::WaitPumping(FTermEvent);
}

void TCustomFFmpeg::RunTerminateHelper()
{
    RunThenSignal(FTermEvent, [this] { DoTerminate(); });
}

void TCustomFFmpeg::Cleanup()
{
    ReleasePreviewer(FPreviewer);
    if (!transcoder_->LibrariesLoaded())
        return;
    transcoder_->ReleaseMedia(*this);
    DeleteEmptyOutputs();
    Fnb_output_files = 0;
    Fnb_input_files = 0;
    Finput_files.assign(Finput_files.size(), nullptr);
    Foutput_files.assign(Foutput_files.size(), nullptr);
    Fintra_matrix.clear();
    Finter_matrix.clear();
    if (Fvstats_file) {
        std::fclose(Fvstats_file);
        Fvstats_file = nullptr;
    }
    Fvstats_filename.clear();
    Fvideo_codec_name.clear();
    Faudio_codec_name.clear();
    Fsubtitle_codec_name.clear();
    Fvideo_standard.clear();
    Fvideo_rc_override_string.clear();
    Fvideo_language.clear();
    Faudio_language.clear();
    Fsubtitle_language.clear();
    Fsubtitle_codec_tag = 0;
}

void TCustomFFmpeg::DeleteEmptyOutputs()
{
    // Only files this run opened: a run that failed earlier leaves the user's
    // files as they were.
    for (const std::string& name : openedOutputs_) {
        const std::string fileName = DecodeAVFileName(name);
        if (removeOutputs_ || GetFileSizeByName(fileName) == 0) {
            std::error_code error;
            std::filesystem::remove(fileName, error);
        }
    }
    openedOutputs_.clear();
    outputFileNames_.clear();
    inputFileNames_.clear();
}

void TCustomFFmpeg::SetPostHooks(TPostHooks hooks)
{
    // A worker holds this lock while it waits for the main thread to show a
    // frame, so the main thread keeps serving its calls while it waits here.
    TPumpingLock lock(PostHookLock());
    // Switching the preview off frees its window, never one a frame is being
    // painted into.
    if (!hooks.Contains(TPostHook::phPreview))
        FPreviewer.reset();
    FPostHooks.store(hooks);
}

void TCustomFFmpeg::ParseOption(const std::string& name, const std::string& value)
{
    transcoder_->ParseOption(*this, name, value);
}

bool TCustomFFmpeg::SetAVOption(const std::string& name, const std::string& value)
{
    return transcoder_->SetAVOption(*this, name, value);
}

bool TCustomFFmpeg::SetAVOptionInt(const std::string& name, std::int64_t value)
{
    return SetAVOption(name, std::to_string(value));
}

void TCustomFFmpeg::SetTarget(const std::string& type, const std::string& norm, const std::string& defaultNorm)
{
    transcoder_->SetTarget(*this, type, norm, defaultNorm);
}

void TCustomFFmpeg::SetPreset(const std::string& name, const std::string& value)
{
    transcoder_->SetPreset(*this, name, value);
}

bool TCustomFFmpeg::OpenInputFile(const std::string& fileName)
{
    if (!transcoder_->OpenInputFile(*this, fileName))
        return false;
    inputFileNames_.push_back(fileName);
    return true;
}

bool TCustomFFmpeg::OpenOutputFile(const std::string& fileName, bool join)
{
    if (!transcoder_->OpenOutputFile(*this, fileName, join))
        return false;
    outputFileNames_.push_back(fileName);
    return true;
}

void TCustomFFmpeg::SetStartTime(std::int64_t value)
{
    if (value != kUnsetTime)
        Fstart_time = value;
}

void TCustomFFmpeg::SetRecordingTime(std::int64_t value)
{
    if (value == kUnsetTime)
        return;
    Frecording_time = value;
    FTotalOutputDuration = value;
}

void TCustomFFmpeg::SetProgramID(std::int32_t value)
{
    if (value >= 0)
        Fopt_programid = value;
}

void TCustomFFmpeg::SetAudioVolume(std::int32_t value)
{
    if (value >= 0)
        Faudio_volume = value;
}

void TCustomFFmpeg::SetMuxMaxDelay(float value)
{
    if (value > 0)
        Fmux_max_delay = value;
}

void TCustomFFmpeg::SetMuxPreload(float value)
{
    if (value > 0)
        Fmux_preload = value;
}

void TCustomFFmpeg::AddMetadata(const std::string& key, const std::string& value)
{
    Fmetadata.emplace_back(key, value);
}

} // namespace tovrel
