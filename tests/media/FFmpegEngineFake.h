#pragma once
// A transcoder that does no media work: it records the option calls it gets,
// "opens" files by counting them (creating an empty output file on disk), and
// runs a scripted conversion that the test steers with events.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "platform/rtl/MainThread.h"

#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace tovrel::test {

enum class TFakeRun {
    Finish,  // a few packets, then the end
    Hold,    // starts, then waits for Release(id) and ends without another packet
    Endless, // packets until stopped (each packet waits for the main thread)
    Fail,    // raises an FFmpegException
    Write,   // writes a few bytes to its output, then ends
};

// Shared by every fake of a test: the runs to play, in creation order, and what happened.
class TFakeScript {
public:
    explicit TFakeScript(std::vector<TFakeRun> runs = {}) : runs_(std::move(runs))
    {
        for (std::size_t i = 0; i < 64; ++i) {
            started_.push_back(std::make_unique<TEvent>(true, false));
            release_.push_back(std::make_unique<TEvent>(true, false));
        }
    }

    int NextId()
    {
        std::lock_guard lock(mutex_);
        return created_++;
    }
    TFakeRun RunOf(int id) const { return id < static_cast<int>(runs_.size()) ? runs_[id] : TFakeRun::Finish; }

    TEvent& Started(int id) { return *started_.at(id); }
    void Release(int id) { release_.at(id)->SetEvent(); }
    TEvent& ReleaseEvent(int id) { return *release_.at(id); }
    bool HasStarted(int id) { return started_.at(id)->WaitFor(0) == TWaitResult::wrSignaled; }

    void Record(const std::string& call)
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
    }
    std::vector<std::string> Calls()
    {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void ClearCalls()
    {
        std::lock_guard lock(mutex_);
        calls_.clear();
    }

    // Running conversions now and at most.
    void Enter()
    {
        std::lock_guard lock(mutex_);
        maxRunning_ = std::max(maxRunning_, ++running_);
    }
    void Leave()
    {
        std::lock_guard lock(mutex_);
        --running_;
    }
    int MaxRunning()
    {
        std::lock_guard lock(mutex_);
        return maxRunning_;
    }

private:
    std::mutex mutex_;
    std::vector<TFakeRun> runs_;
    std::vector<std::unique_ptr<TEvent>> started_;
    std::vector<std::unique_ptr<TEvent>> release_;
    std::vector<std::string> calls_;
    int created_ = 0;
    int running_ = 0;
    int maxRunning_ = 0;
};

class TFakeTranscoder : public TTranscoder {
public:
    explicit TFakeTranscoder(std::shared_ptr<TFakeScript> script) : script_(std::move(script)), id_(script_->NextId())
    {}

    bool LibrariesLoaded() const override { return true; }

    void ParseOption(TCustomFFmpeg&, const std::string& name, const std::string& value) override
    {
        if (name == "r" && value == "bad")
            throw FFmpegException("Incorrect frame rate");
        script_->Record(name + "=" + value);
    }
    bool SetAVOption(TCustomFFmpeg&, const std::string& name, const std::string& value) override
    {
        script_->Record("av:" + name + "=" + value);
        return true;
    }
    void SetTarget(TCustomFFmpeg&, const std::string& type, const std::string& norm,
                   const std::string& defaultNorm) override
    {
        script_->Record("target:" + type + "," + norm + "," + defaultNorm);
    }
    void SetPreset(TCustomFFmpeg&, const std::string& name, const std::string& value) override
    {
        script_->Record("preset:" + name + "=" + value);
    }

    bool OpenInputFile(TCustomFFmpeg& job, const std::string& fileName) override
    {
        if (fileName.rfind("missing", 0) == 0) {
            job.SetLastErrMsg(fileName + ": No such file or directory");
            return false;
        }
        script_->Record("open input " + fileName);
        ++job.Fnb_input_files;
        return true;
    }
    bool OpenOutputFile(TCustomFFmpeg& job, const std::string& fileName, bool join) override
    {
        script_->Record("open output " + fileName + (join ? " join" : ""));
        if (!fileName.empty() && fileName.front() == '/') {
            std::ofstream(fileName, std::ios::binary | std::ios::trunc);
            job.NoteOutputOpened(fileName); // the fake creates its file here
        }
        outputs_.push_back(fileName);
        ++job.Fnb_output_files;
        return true;
    }

    void Transcode(TCustomFFmpeg& job) override
    {
        script_->Enter();
        struct TLeave {
            TFakeScript& script;
            ~TLeave() { script.Leave(); }
        } leave{*script_};
        script_->Started(id_).SetEvent();
        switch (script_->RunOf(id_)) {
        case TFakeRun::Finish: Packets(job, 3); break;
        case TFakeRun::Hold: script_->ReleaseEvent(id_).WaitFor(INFINITE); break;
        case TFakeRun::Endless: Packets(job, -1); break;
        case TFakeRun::Fail: throw FFmpegException("Error while opening codec for output stream #0.0");
        case TFakeRun::Write:
            for (const std::string& output : outputs_)
                std::ofstream(output, std::ios::binary) << "data";
            Packets(job, 1);
            break;
        }
        if (job.Broken())
            return;
        Report(job, -1, 99);
        job.MarkFinished();
    }

    void CloseEncoders(TCustomFFmpeg&) override {}
    void CloseDecoders(TCustomFFmpeg&) override {}
    void PrepareJob(TCustomFFmpeg&) override {}
    void ReleaseMedia(TCustomFFmpeg&) override {}

private:
    // count < 0: until stopped. Each packet passes the pause gate first.
    void Packets(TCustomFFmpeg& job, int count)
    {
        for (int packet = 0; count < 0 || packet < count; ++packet) {
            job.PassPauseGate();
            if (job.Broken())
                return;
            Report(job, 0, packet);
            // An endless run paces itself on the main thread, which the test pumps.
            if (count < 0 && !job.FOnProgress)
                TMainThread::Call([] {});
        }
    }
    static void Report(TCustomFFmpeg& job, int fileIndex, int frame)
    {
        if (job.FOnProgress)
            job.FOnProgress(&job, fileIndex, frame, 25, 2.0f, 800.0f, 1000 * frame, 40000 * frame,
                            job.FTotalOutputDuration);
    }

    std::shared_ptr<TFakeScript> script_;
    const int id_;
    std::vector<std::string> outputs_;
};

} // namespace tovrel::test
