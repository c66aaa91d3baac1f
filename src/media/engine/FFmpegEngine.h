#pragma once
// One conversion job: its inputs and outputs, every setting of the transcoder,
// and the life of a run (start in the caller or in a worker, stop, pause, the
// terminate step, the release of what the run allocated). The media work itself
// goes through the job's TTranscoder.
#include "media/engine/FFmpegEngineFields.h"
#include "media/engine/FFmpegPauseGate.h"
#include "media/engine/FFmpegTranscoder.h"
#include "media/loader/FFmpegUtilsOptions.h"
#include "platform/rtl/Sync.h"
#include "platform/rtl/Thread.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

struct AVCodec;
struct AVFormatContext;

namespace tovrel {

class TPreviewer;
class TSurface;

struct TAVStreamMap {
    std::int32_t file_index = 0;
    std::int32_t stream_index = 0;
    std::int32_t sync_file_index = 0;
    std::int32_t sync_stream_index = 0;
};

struct TAVMetaDataMap {
    std::int32_t out_file = 0;
    std::int32_t in_file = 0;
};

enum class TPostHook : std::uint8_t { phPreview = 1, phBitmap = 2, phHBITMAP = 4 };

class TPostHooks {
public:
    constexpr TPostHooks() = default;
    constexpr TPostHooks(std::initializer_list<TPostHook> hooks)
    {
        for (TPostHook hook : hooks)
            bits_ |= static_cast<std::uint8_t>(hook);
    }
    constexpr bool Contains(TPostHook hook) const { return (bits_ & static_cast<std::uint8_t>(hook)) != 0; }
    constexpr TPostHooks With(TPostHook hook, bool on) const
    {
        TPostHooks result = *this;
        if (on)
            result.bits_ |= static_cast<std::uint8_t>(hook);
        else
            result.bits_ &= static_cast<std::uint8_t>(~static_cast<std::uint8_t>(hook));
        return result;
    }
    constexpr bool operator==(const TPostHooks&) const = default;

private:
    std::uint8_t bits_ = 0;
};

// The process-wide lock around every change and run of a job's post hooks.
TCriticalSection& PostHookLock();

class TCustomFFmpeg : public TFFmpegPendingOptions {
public:
    static constexpr int kMinFiles = 1;
    static constexpr int kMaxFiles = 512;

    using TProgressCallback = std::function<void(
        TCustomFFmpeg* sender, std::int32_t fileIndex, std::int32_t frameNumber, std::int32_t fps, float quality,
        float bitRate, std::int64_t currentSize, std::int64_t currentDuration, std::int64_t totalDuration)>;
    using TPreviewBitmapCallback =
        std::function<void(TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber, std::int64_t pts)>;
    using TCustomHookCallback = std::function<void(TCustomFFmpeg* sender, TSurface* bitmap, std::int32_t frameNumber,
                                                   std::int64_t pts, bool& update, bool& stopHook)>;
    using TTerminateCallback = std::function<void(TCustomFFmpeg* sender)>;

    // maxFiles must lie in 1..512 (EAssertionFailed otherwise).
    TCustomFFmpeg(int maxFiles, std::unique_ptr<TTranscoder> transcoder);
    virtual ~TCustomFFmpeg();
    TCustomFFmpeg(const TCustomFFmpeg&) = delete;
    TCustomFFmpeg& operator=(const TCustomFFmpeg&) = delete;

    // Starts the run once. In a worker: returns the thread, created suspended,
    // which the caller must Start(). Otherwise converts in the caller and
    // returns nullptr. A job without an output or an input ends at once.
    TThread* StartConvert(bool useThread, TThreadPriority priority);
    void Stop(bool waitFor);
    // The thread StartConvert returned could not be started: the job ends with
    // the error as a failed start does.
    void WorkerNotStarted(const std::string& message);
    void Pause();
    void Resume();
    // Stops a converting job, or ends a job that never started (its terminate
    // step runs in a thread of its own); a job that ended is left alone.
    void StopOrTerminate(bool waitFor);
    void Reinitialize();
    void Cleanup();
    void ResetOptions();
    void SetPostHooks(TPostHooks hooks);
    TPostHooks PostHooks() const { return FPostHooks.load(); }

    // For the transcoder while it runs.
    bool Broken() const { return FBroken.load(); }
    void PassPauseGate();
    // The worker is held at a closed gate right now.
    bool WaitingAtGate() const { return waitingAtGate_.load(); }
    void MarkFinished() { FFinished.store(true); }
    // A second gate shared by every job of a batch (the task component's pause).
    void SetBatchGate(TPauseGate* gate) { batchGate_ = gate; }

    // Option handlers, through the transcoder.
    void ParseOption(const std::string& name, const std::string& value);
    bool SetAVOption(const std::string& name, const std::string& value);
    bool SetAVOptionInt(const std::string& name, std::int64_t value);
    void SetTarget(const std::string& type, const std::string& norm, const std::string& defaultNorm);
    void SetPreset(const std::string& name, const std::string& value);
    bool OpenInputFile(const std::string& fileName);
    bool OpenOutputFile(const std::string& fileName, bool join);
    const std::vector<std::string>& InputFileNames() const { return inputFileNames_; }
    const std::vector<std::string>& OutputFileNames() const { return outputFileNames_; }
    // The run opened this output's file (for the clean-up after it).
    void NoteOutputOpened(const std::string& url) { openedOutputs_.push_back(url); }

    // Direct setters used in place of option text.
    void SetFormat(const std::string& value) { ParseOption("f", value); }
    void SetVerbose(std::int32_t value) { Fverbose = value; }
    void SetStartTime(std::int64_t value);
    void SetRecordingTime(std::int64_t value);
    void SetProgramID(std::int32_t value);
    void SetAudioVolume(std::int32_t value);
    void SetAudioSyncMethod(std::int32_t value) { Faudio_sync_method = value; }
    void SetVideoSyncMethod(std::int32_t value) { Fvideo_sync_method = value; }
    void SetMuxMaxDelay(float value);
    void SetMuxPreload(float value);
    void AddMetadata(const std::string& key, const std::string& value);

    int MaxFiles() const { return FMaxFiles; }
    int nb_input_files() const { return Fnb_input_files; }
    int nb_output_files() const { return Fnb_output_files; }
    bool Finished() const { return FFinished.load(); }
    bool FatalException() const { return FFatalException; }
    const std::string& FatalMessage() const { return FFatalMessage; }
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    void SetLastErrMsg(const std::string& message) { FLastErrMsg = message; }
    TTranscoder& Transcoder() { return *transcoder_; }

    // Callbacks bound by the task component.
    TProgressCallback FOnProgress;
    TPreviewBitmapCallback FOnPreviewBitmap;
    TCustomHookCallback FOnCustomHook;
    TTerminateCallback FOnTerminate;

    // The preview window of phPreview (media/preview/Previewer.h): made by the
    // worker's post hooks, freed when phPreview goes or the run is cleaned
    // up. Guarded by PostHookLock.
    std::unique_ptr<TPreviewer> FPreviewer;

    // How many tasks of the batch convert at once; the codecs share the cores
    // among them when the options set no thread count.
    int ConcurrentTasks = 1;
    std::int64_t ReportInterval = 500000;
    std::int64_t PreviewInterval = 100000;

    // Job tables, sized at creation. The stream tables have kMaxStreamsPerFile
    // entries per file.
    const int FMaxFiles;
    std::vector<AVFormatContext*> Finput_files;
    int Fnb_input_files = 0;
    std::vector<std::int64_t> Finput_files_ts_offset;
    std::vector<std::array<double, kMaxStreamsPerFile>> Finput_files_ts_scale;
    std::vector<const AVCodec*> Finput_codecs;
    int Fnb_icodecs = 0;
    std::vector<AVFormatContext*> Foutput_files;
    int Fnb_output_files = 0;
    std::vector<const AVCodec*> Foutput_codecs;
    int Fnb_ocodecs = 0;
    std::vector<TAVStreamMap> Fstream_maps;
    int Fnb_stream_maps = 0;
    std::vector<TAVMetaDataMap> Fmeta_data_maps;
    int Fnb_meta_data_maps = 0;
    std::vector<std::array<TBitstreamFilterChain, kMaxStreamsPerFile>> Fbitstream_filters;
    std::array<std::int32_t, kMaxStreamsPerFile> Fstreamid_map{};
    // The generic option store (allocated by the transcoder's PrepareJob).
    TFFOptions FOptions;
    // Pending metadata of the next output (key, value).
    std::vector<std::pair<std::string, std::string>> Fmetadata;
    bool FJoinMode = false;

protected:
    // The terminate step: the job counts as ended, then FOnTerminate runs.
    virtual void DoTerminate();

private:
    class TConvertThread;
    class TDoTerminateThread;

    void DoConvert();
    void RunWorker();
    void RunTerminateHelper();
    void RecordFatal(const std::string& message);
    template <class Step> void Guarded(Step step);
    void DeleteEmptyOutputs();
    void WaitForWorkerEnd();

    std::unique_ptr<TTranscoder> transcoder_;

    // State of the run; stateLock_ orders a start against StopOrTerminate.
    std::mutex stateLock_;
    bool FConverting = false;
    bool FTerminated = false;
    bool terminating_ = false; // a never-started job's terminate helper was claimed
    bool workerStarted_ = false;
    std::atomic<bool> FBroken{false};
    std::atomic<bool> FFinished{false};
    bool FFatalException = false;
    std::string FFatalMessage;
    std::string FLastErrMsg;
    TThread* FThread = nullptr; // the worker while it runs

    std::unique_ptr<TThread> worker_;     // joined by this job
    std::unique_ptr<TThread> terminator_; // joined by this job
    TEvent FStopEvent{true, true};
    TEvent FTermEvent{true, true};
    TPauseGate gate_;
    TPauseGate* batchGate_ = nullptr;
    std::atomic<bool> waitingAtGate_{false};
    // Written under PostHookLock; the worker also reads it between frames.
    std::atomic<TPostHooks> FPostHooks{};
    std::vector<std::string> inputFileNames_;  // as given, until the run ends
    std::vector<std::string> outputFileNames_; // as given, until the run ends
    std::vector<std::string> openedOutputs_;   // created by the run: removed when empty or failed
    bool removeOutputs_ = false;               // the run failed: its outputs go too
};

} // namespace tovrel
