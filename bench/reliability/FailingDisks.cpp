// failing_disks FOLDER
//
// One batch, two tasks at once, in which three conversions meet a failing
// disk: the output hits the file-size limit (RLIMIT_FSIZE, with SIGXFSZ
// ignored, so writes fail with EFBIG), the output's folder is removed while it
// is written, and the output's folder is turned into a file before the batch
// starts (ENOTDIR). Two plain conversions run beside them. Prints each task's
// end and the figures: tasks finished, failed with a message, failed without
// one, lost; sources changed; failed outputs left behind. Exit status 0 when
// every task ended as it should, 1 otherwise, 2 for bad usage.
#include "BatchRecords.h"

#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

#include <sys/resource.h>

extern "C" {
#include <libavutil/log.h>
}

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace tovrel;
using namespace tovrel::bench;
namespace media = tovrel::test::media;

// Above what the plain conversions write, far below the long one.
constexpr rlim_t kFileSizeLimit = 600 * 1024;

enum class TDisk { Fine, SizeLimit, FolderRemoved, PathThroughFile };

struct TDiskTask {
    const char* name;
    TDisk disk;
    std::string source;
    std::string output;
    std::string options{};
};

std::string Contents(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Source(int width, int height, double seconds)
{
    media::ClipSpec clip;
    clip.fileName = "failing_disk_source.avi";
    clip.formatName = "avi";
    clip.videoCodec = "mpeg4";
    clip.audioCodec = "libmp3lame";
    clip.width = width;
    clip.height = height;
    clip.seconds = seconds;
    return media::ClipPath(clip).string();
}

std::vector<TDiskTask> Plan(const std::filesystem::path& out)
{
    const std::string small = media::FixturePath(media::Fixture::Mpeg4Mp3Avi).string();
    const std::string large = Source(640, 480, 12);
    return {{"plain", TDisk::Fine, small, (out / "plain-1.avi").string()},
            {"file-size limit", TDisk::SizeLimit, large, (out / "limited.avi").string()},
            {"folder removed", TDisk::FolderRemoved, large, (out / "removed" / "out.avi").string(),
             // Small pictures: long enough for progress records, and under the limit.
             "s=160x120"},
            {"path through a file", TDisk::PathThroughFile, small, (out / "turned" / "out.avi").string()},
            {"plain", TDisk::Fine, small, (out / "plain-2.avi").string()}};
}

// Caps the size of every file the process writes; a write past it fails with EFBIG.
void LimitFileSize()
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = kFileSizeLimit;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

int Run(const std::filesystem::path& folder)
{
    const std::filesystem::path out = folder / "outputs";
    std::filesystem::remove_all(out);
    std::filesystem::create_directories(out / "removed");
    std::filesystem::create_directories(out / "turned");
    const std::vector<TDiskTask> plan = Plan(out);
    std::vector<std::string> sources;
    for (const TDiskTask& task : plan)
        sources.push_back(Contents(task.source));

    TFFmpegTasks tasks;
    if (!tasks.LoadAVLib("")) {
        std::fprintf(stderr, "%s\n", tasks.LastErrMsg().c_str());
        return 2;
    }
    InstallMediaTranscoder();
    for (const TDiskTask& task : plan) {
        const int index = tasks.AddTask(task.source, static_cast<TInputOptions*>(nullptr));
        if (index < 0 || !tasks.SetOutputFile(index, task.output, task.options)) {
            std::fprintf(stderr, "cannot set up %s: %s\n", task.name, tasks.LastErrMsg().c_str());
            return 2;
        }
    }
    // The folder checked when the task was set up is a file by the time it runs.
    std::filesystem::remove_all(out / "turned");
    std::ofstream(out / "turned") << "a file where the output's folder was";

    TBatchRecords records(tasks);
    auto onProgress = tasks.OnProgress;
    tasks.OnProgress = [&](TCustomFFmpegTasks* sender, TProgressInfo* info) {
        onProgress(sender, info);
        if (plan[static_cast<std::size_t>(info->TaskIndex)].disk == TDisk::FolderRemoved && info->FileIndex >= 0 &&
            info->CurrentSize > 0)
            std::filesystem::remove_all(out / "removed");
    };
    tasks.SetProgressInterval(TCustomFFmpegTasks::kMinProgressInterval);
    LimitFileSize();
    tasks.Start(2);
    const bool ended = records.WaitForEnd(600000);

    int wrong = ended ? 0 : 1, sourcesChanged = 0, outputsLeft = 0;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const TDiskTask& task = plan[i];
        const auto end = records.Ends().find(static_cast<int>(i));
        const bool finished = end != records.Ends().end() && end->second.Finished && !end->second.Exception;
        const bool kept = std::filesystem::exists(task.output);
        sourcesChanged += Contents(task.source) != sources[i];
        if (task.disk != TDisk::Fine)
            outputsLeft += kept;
        wrong += finished != (task.disk == TDisk::Fine) || (finished && !kept);
        std::printf("task %zu  %-20s %-9s %s\n", i, task.name,
                    end == records.Ends().end() ? "LOST"
                    : finished                  ? "finished"
                                                : "failed",
                    end == records.Ends().end() ? "" : end->second.ExceptionMsg.c_str());
    }
    const TBatchRecords::TTally tally = records.Tally(static_cast<int>(plan.size()));
    std::printf("tasks %zu: finished %d (2 expected), failed with a message %d (3 expected), failed without a "
                "message %d, lost %d; batch ended %s; sources changed %d; failed outputs left %d\n",
                plan.size(), tally.finished, tally.failedWithMessage, tally.endedWithoutMessage, tally.lost,
                ended ? "yes" : "NO", sourcesChanged, outputsLeft);
    tasks.ClearTasks();
    tasks.UnloadAVLib();
    return wrong + tally.endedWithoutMessage + tally.lost + sourcesChanged + outputsLeft == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: failing_disks FOLDER\n");
        return 2;
    }
    TMainThread::SetCurrent();
    av_log_set_level(AV_LOG_ERROR); // the source clip's encoders report at length
    return Run(argv[1]);
}
