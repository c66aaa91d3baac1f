// batch_stress [--rounds N] [--seed N] FOLDER
//
// The task component under load, converting small generated clips into
// FOLDER: 19 tasks at once; a batch of 100 files, four at once; and N rounds
// (200 by default) of a three-task batch paused, resumed and stopped at random
// moments. Each part prints its tasks finished, failed (with and without a
// message), stopped and lost (no end record), and the deadlocks: batches
// whose end did not come within a minute. Built in the sanitizer builds it is
// also the race and leak check of the same paths. Exit status 0 when nothing
// was lost, failed or stuck, 1 otherwise, 2 for bad usage.
#include "BatchRecords.h"

#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace tovrel;
using namespace tovrel::bench;
namespace media = tovrel::test::media;

constexpr int kBatchBound = 60000; // ms

struct TPartFigures {
    int tasks = 0, finished = 0, failed = 0, silent = 0, stopped = 0, lost = 0, deadlocks = 0;
};

class TStress {
public:
    TStress(const std::filesystem::path& folder, std::uint32_t seed) : folder_(folder), random_(seed)
    {
        sources_ = {media::FixturePath(media::Fixture::Mpeg4Mp3Avi).string(),
                    media::FixturePath(media::Fixture::ChineseName).string(),
                    media::FixturePath(media::Fixture::PcmWav).string()};
        std::filesystem::create_directories(folder_);
    }

    bool Load()
    {
        if (!tasks_.LoadAVLib("")) {
            std::fprintf(stderr, "%s\n", tasks_.LastErrMsg().c_str());
            return false;
        }
        InstallMediaTranscoder();
        return true;
    }
    ~TStress()
    {
        // The records go before the component: no end may reach them afterwards.
        tasks_.Stop(true);
        tasks_.OnTerminate = nullptr;
        tasks_.OnProgress = nullptr;
        tasks_.UnloadAVLib();
    }

    // `count` tasks, `atOnce` at a time, run to their end.
    TPartFigures Batch(int count, int atOnce)
    {
        TPartFigures figures;
        Add(count, "batch");
        tasks_.Start(atOnce);
        Finish(count, records_.WaitForEnd(kBatchBound), figures);
        return figures;
    }

    // Rounds of three tasks, two at once, paused, resumed and stopped at random moments.
    TPartFigures Rounds(int rounds)
    {
        TPartFigures figures;
        for (int round = 0; round < rounds; ++round) {
            constexpr int count = 3;
            Add(count, "round");
            stopRequested_ = false;
            tasks_.Start(2);
            const int actions = Between(1, 6);
            for (int action = 0; action < actions && !records_.Ended(); ++action) {
                Wait(Between(0, 60));
                switch (Between(0, 4)) {
                case 0:
                case 1: tasks_.Pause(); break;
                case 2: tasks_.Resume(); break;
                case 3:
                    stopRequested_ = true;
                    tasks_.Stop(Between(0, 1) == 1);
                    break;
                default: break;
                }
            }
            // A round left paused would never end; one left running ends by itself.
            tasks_.Resume();
            Finish(count, records_.WaitForEnd(kBatchBound), figures);
        }
        return figures;
    }

private:
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    // Lets the batch run for a while, serving its main-thread calls.
    void Wait(int milliseconds)
    {
        TMainThread::WaitPumping([] { return false; }, milliseconds);
    }

    void Add(int count, const char* prefix)
    {
        for (int i = 0; i < count; ++i) {
            const std::string& source = sources_[static_cast<std::size_t>(i) % sources_.size()];
            const std::string output = (folder_ / (std::string(prefix) + "-" + std::to_string(i) + ".avi")).string();
            const int index = tasks_.AddTask(source, static_cast<TInputOptions*>(nullptr));
            if (index < 0 || !tasks_.SetOutputFile(index, output, std::string()))
                std::printf("cannot add %s: %s\n", source.c_str(), tasks_.LastErrMsg().c_str());
            outputs_.push_back(output);
        }
    }

    void Finish(int count, bool ended, TPartFigures& figures)
    {
        if (!ended) {
            ++figures.deadlocks;
            std::printf("a batch did not end within %d s\n", kBatchBound / 1000);
            stopRequested_ = true;
            tasks_.Stop(true);
            records_.WaitForEnd(kBatchBound);
        }
        const TBatchRecords::TTally tally = records_.Tally(count);
        figures.tasks += count;
        figures.finished += tally.finished;
        figures.failed += tally.failedWithMessage;
        figures.lost += tally.lost;
        // An unfinished task without a message is a stopped one when a stop
        // came, else a failure that said nothing.
        (stopRequested_ ? figures.stopped : figures.silent) += tally.endedWithoutMessage;
        for (const auto& [index, end] : records_.Ends()) {
            if (end.Exception)
                std::printf("task %d failed: %s\n", index, end.ExceptionMsg.c_str());
            // A finished task whose output is not there is lost all the same.
            std::error_code error;
            const std::string& output = outputs_[static_cast<std::size_t>(index)];
            const std::uintmax_t size = std::filesystem::file_size(output, error);
            if (end.Finished && !end.Exception && (error || size == 0)) {
                std::printf("task %d finished without its output %s\n", index, output.c_str());
                ++figures.lost;
            }
        }
        outputs_.clear();
        if (records_.Ended())
            tasks_.ClearTasks();
        records_.Clear();
    }

    std::filesystem::path folder_;
    std::mt19937 random_;
    std::vector<std::string> sources_;
    std::vector<std::string> outputs_; // of the batch's tasks, by index
    TFFmpegTasks tasks_;
    TBatchRecords records_{tasks_};
    bool stopRequested_ = false;
};

void Print(const char* part, const TPartFigures& f)
{
    std::printf("%-28s tasks %4d  finished %4d  failed %d (without a message %d)  stopped %4d  lost %d  deadlocks %d\n",
                part, f.tasks, f.finished, f.failed, f.silent, f.stopped, f.lost, f.deadlocks);
}

} // namespace

int main(int argc, char** argv)
{
    int rounds = 200;
    std::uint32_t seed = 29;
    std::filesystem::path folder;
    bool understood = true;
    for (int i = 1; i < argc && understood; ++i) {
        const std::string argument = argv[i];
        if (argument == "--rounds" && i + 1 < argc)
            rounds = std::atoi(argv[++i]);
        else if (argument == "--seed" && i + 1 < argc)
            seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (!argument.starts_with("--") && folder.empty())
            folder = argument;
        else
            understood = false;
    }
    if (!understood || folder.empty() || rounds < 0) {
        std::fprintf(stderr, "usage: batch_stress [--rounds N] [--seed N] FOLDER\n");
        return 2;
    }
    TMainThread::SetCurrent();
    av_log_set_level(AV_LOG_ERROR);
    TStress stress(folder, seed);
    if (!stress.Load())
        return 2;
    const TPartFigures atOnce = stress.Batch(19, 19);
    Print("19 tasks at once", atOnce);
    const TPartFigures hundred = stress.Batch(100, 4);
    Print("100-file batch, 4 at once", hundred);
    const TPartFigures random = stress.Rounds(rounds);
    Print("pause/resume/stop rounds", random);
    int bad = 0;
    for (const TPartFigures& f : {atOnce, hundred, random})
        bad += f.failed + f.silent + f.lost + f.deadlocks;
    return bad == 0 ? 0 : 1;
}
