// convert_bench --options TEXT --tasks N --out DIR FILE...
//
// Converts every FILE into DIR through the task component with the output
// option text TEXT ("name=value" lines; "<CRLF>" also ends a line), N tasks at
// once, and prints each task's result and the batch's throughput: media
// seconds converted per wall-clock second and output megabytes per second.
// Exit status: 0 when every task finished, 1 when one failed, 2 for bad usage.
#include "media/engine/FFmpegTasks.h"
#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/MainThread.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace tovrel;

struct TBenchArguments {
    std::string options;
    int tasks = 1;
    std::filesystem::path out;
    std::vector<std::string> files;
};

bool ParseArguments(int argc, char** argv, TBenchArguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--options" && hasValue)
            arguments.options = argv[++i];
        else if (argument == "--tasks" && hasValue)
            arguments.tasks = std::atoi(argv[++i]);
        else if (argument == "--out" && hasValue)
            arguments.out = argv[++i];
        else if (argument.starts_with("--"))
            return false;
        else
            arguments.files.push_back(argument);
    }
    return arguments.tasks > 0 && !arguments.out.empty() && !arguments.files.empty();
}

struct TTaskResult {
    std::string input;
    std::string output;
    TProgressInfo last;
    TTerminateInfo end;
    bool ended = false;
};

// Adds one task per file; a file that cannot be added is reported and left out.
std::map<int, TTaskResult> AddTasks(TFFmpegTasks& tasks, const TBenchArguments& arguments)
{
    std::map<int, TTaskResult> results;
    for (std::size_t i = 0; i < arguments.files.size(); ++i) {
        const std::string& input = arguments.files[i];
        const std::string output =
            (arguments.out / (std::to_string(i) + "-" + std::filesystem::path(input).filename().string())).string();
        const int index = tasks.AddTask(input, static_cast<TInputOptions*>(nullptr));
        if (index < 0 || !tasks.SetOutputFile(index, output, arguments.options)) {
            std::fprintf(stderr, "%s: %s\n", input.c_str(), tasks.LastErrMsg().c_str());
            if (index >= 0)
                tasks.RemoveTask(index);
            continue;
        }
        results[index] = {input, output, {}, {}, false};
    }
    return results;
}

int Report(const std::map<int, TTaskResult>& results, double wallSeconds, int tasksAtOnce)
{
    double mediaSeconds = 0;
    double megabytes = 0;
    int failures = 0;
    for (const auto& [index, result] : results) {
        const double seconds = result.last.CurrentDuration / 1e6;
        const double size = result.last.CurrentSize / 1e6;
        const bool finished = result.ended && result.end.Finished && !result.end.Exception;
        failures += finished ? 0 : 1;
        mediaSeconds += seconds;
        megabytes += size;
        std::printf("task %d  %-8s  %8.2f s media  %8.2f MB  frames %d  %s -> %s%s%s\n", index,
                    finished ? "finished" : "failed", seconds, size, result.last.FrameNumber, result.input.c_str(),
                    result.output.c_str(), result.end.ExceptionMsg.empty() ? "" : "  ",
                    result.end.ExceptionMsg.c_str());
    }
    std::printf("batch: %zu tasks, %d at once, %.3f s wall, %.2f s media, %.2fx real time, %.2f MB/s out\n",
                results.size(), tasksAtOnce, wallSeconds, mediaSeconds,
                wallSeconds > 0 ? mediaSeconds / wallSeconds : 0.0, wallSeconds > 0 ? megabytes / wallSeconds : 0.0);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    TBenchArguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: convert_bench --options TEXT --tasks N --out DIR FILE...\n");
        return 2;
    }
    TMainThread::SetCurrent();
    std::error_code error;
    std::filesystem::create_directories(arguments.out, error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", arguments.out.c_str(), error.message().c_str());
        return 2;
    }
    TFFmpegTasks tasks;
    if (!tasks.LoadAVLib("")) {
        std::fprintf(stderr, "%s\n", tasks.LastErrMsg().c_str());
        return 2;
    }
    InstallMediaTranscoder();
    std::map<int, TTaskResult> results = AddTasks(tasks, arguments);

    bool batchEnded = false;
    tasks.OnProgress = [&results](TCustomFFmpegTasks*, TProgressInfo* info) {
        if (auto found = results.find(info->TaskIndex); found != results.end())
            found->second.last = *info;
    };
    tasks.OnTerminate = [&](TCustomFFmpegTasks*, const TTerminateInfo& info) {
        if (info.TaskIndex < 0) {
            batchEnded = true;
        } else if (auto found = results.find(info.TaskIndex); found != results.end()) {
            found->second.end = info;
            found->second.ended = true;
        }
    };
    const auto start = std::chrono::steady_clock::now();
    tasks.Start(arguments.tasks);
    TMainThread::WaitPumping([&batchEnded] { return batchEnded; });
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    const int status = Report(results, wall.count(), arguments.tasks);
    tasks.ClearTasks();
    tasks.UnloadAVLib();
    return status;
}
