// direct_bench --out FILE [--threads N] [--video-bitrate B] [--audio-bitrate B]
//              [--sample-rate R] [--channels C] [--video-option NAME=VALUE]...
//              [--slice-threads] INPUT
//
// Converts INPUT to FILE with the FFmpeg libraries driven directly (H.264 by
// libx264 + AAC unless told otherwise) and prints the wall time, so that
// convert_bench's figures have a yardstick. Every codec gets N threads (default
// 0: each library's own choice, what a user of the libraries gets without
// asking, and what the engine leaves to a task running alone); --slice-threads
// keeps the decoders to slice threads. --video-option passes an encoder option,
// generic or private, and fails on one the encoder does not know.
// Exit status: 0 converted, 1 failed, 2 bad usage.
#include "DirectTranscode.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

extern "C" {
#include <libavutil/log.h>
}

namespace {

using namespace tovrel::bench;

struct TBenchArguments {
    TDirectSettings settings;
    std::string input;
    std::string output;
};

bool ParseArguments(int argc, char** argv, TBenchArguments& arguments)
{
    arguments.settings.threads = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        TDirectSettings& settings = arguments.settings;
        if (argument == "--out" && hasValue)
            arguments.output = argv[++i];
        else if (argument == "--threads" && hasValue)
            settings.threads = std::atoi(argv[++i]);
        else if (argument == "--video-bitrate" && hasValue)
            settings.videoBitRate = std::atoll(argv[++i]);
        else if (argument == "--audio-bitrate" && hasValue)
            settings.audioBitRate = std::atoll(argv[++i]);
        else if (argument == "--sample-rate" && hasValue)
            settings.sampleRate = std::atoi(argv[++i]);
        else if (argument == "--channels" && hasValue)
            settings.channels = std::atoi(argv[++i]);
        else if (argument == "--slice-threads")
            settings.sliceThreadsOnly = true;
        else if (argument == "--video-option" && hasValue) {
            const std::string option = argv[++i];
            const auto equals = option.find('=');
            if (equals == 0 || equals == std::string::npos)
                return false;
            settings.videoOptions.emplace_back(option.substr(0, equals), option.substr(equals + 1));
        } else if (argument.starts_with("--") || !arguments.input.empty())
            return false;
        else
            arguments.input = argument;
    }
    const TDirectSettings& settings = arguments.settings;
    return !arguments.input.empty() && !arguments.output.empty() && settings.threads >= 0 &&
           settings.videoBitRate > 0 && settings.audioBitRate > 0 && settings.sampleRate > 0 && settings.channels > 0;
}

} // namespace

int main(int argc, char** argv)
{
    TBenchArguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: direct_bench --out FILE [--threads N] [--video-bitrate B] [--audio-bitrate B] "
                             "[--sample-rate R] [--channels C] [--video-option NAME=VALUE]... [--slice-threads] "
                             "INPUT\n");
        return 2;
    }
    // The encoders' statistics would bury the result line.
    av_log_set_level(AV_LOG_ERROR);
    try {
        const auto start = std::chrono::steady_clock::now();
        const TDirectResult result = DirectTranscode(arguments.input, arguments.output, arguments.settings);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        const double megabytes = static_cast<double>(std::filesystem::file_size(arguments.output)) / 1e6;
        const int threads = arguments.settings.threads;
        std::printf("direct: %.3f s wall, %.2f s media, %.2fx real time, %lld frames, %lld samples, %.2f MB, "
                    "%s threads per codec\n",
                    wall.count(), result.mediaSeconds, wall.count() > 0 ? result.mediaSeconds / wall.count() : 0.0,
                    static_cast<long long>(result.videoFrames), static_cast<long long>(result.audioSamples), megabytes,
                    threads == 0 ? "library's" : std::to_string(threads).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
