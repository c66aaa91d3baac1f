// damaged_media [--files N] [--jobs N] [--bound SECONDS] [--seed N] FOLDER
//
// Makes N damaged media files (200 by default) in FOLDER from clips the test
// media library generates, and runs each one in a child process through the
// probe, the player and a conversion (DamagedTrial.h), JOBS children at once,
// each killed when it outlives BOUND seconds. Prints each file that crashed,
// hung or failed without a message, how the stages ended, and the figures:
// files tried, crashes, hangs, messages missing. Exit status 0 when all three
// are 0, 1 otherwise, 2 for bad usage.
//
// damaged_media --one FILE OUTFOLDER: the trial of one file (what the children run).
#include "ChildRuns.h"
#include "DamagedFiles.h"
#include "DamagedTrial.h"

#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/rtl/MainThread.h"
#include "support/TestMedia.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

namespace {

using namespace tovrel;
using namespace tovrel::bench;
namespace media = tovrel::test::media;

// The exit code of a trial in which a stage failed without a message.
constexpr int kSilentFailure = 3;

struct TArguments {
    std::size_t files = 200;
    int jobs = 4;
    int boundSeconds = 60;
    std::uint32_t seed = 29;
    std::filesystem::path folder;
};

bool Parse(int argc, char** argv, TArguments& arguments)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--files" && hasValue)
            arguments.files = std::strtoul(argv[++i], nullptr, 10);
        else if (argument == "--jobs" && hasValue)
            arguments.jobs = std::atoi(argv[++i]);
        else if (argument == "--bound" && hasValue)
            arguments.boundSeconds = std::atoi(argv[++i]);
        else if (argument == "--seed" && hasValue)
            arguments.seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (argument.starts_with("--") || !arguments.folder.empty())
            return false;
        else
            arguments.folder = argument;
    }
    return !arguments.folder.empty() && arguments.files > 0 && arguments.jobs > 0 && arguments.boundSeconds > 0;
}

media::ClipSpec Clip(const char* fileName, const char* format, const char* video, const char* audio)
{
    media::ClipSpec clip;
    clip.fileName = fileName;
    clip.formatName = format;
    clip.videoCodec = video;
    clip.audioCodec = audio;
    clip.seconds = 2.0;
    return clip;
}

std::vector<std::filesystem::path> Sources()
{
    std::vector<std::filesystem::path> sources;
    for (media::Fixture fixture : {media::Fixture::Mpeg4Mp3Avi, media::Fixture::H264AacMp4, media::Fixture::Mp3Audio,
                                   media::Fixture::PcmWav, media::Fixture::SizeChange})
        sources.push_back(media::FixturePath(fixture));
    sources.push_back(media::ClipPath(Clip("damage_source.wmv", "asf", "wmv2", "wmav2")));
    sources.push_back(media::ClipPath(Clip("damage_source.mkv", "matroska", "libx264", "libmp3lame")));
    return sources;
}

// "probe: read" -> counts["probe: read"]; a failure's message is left out.
void CountStages(const std::filesystem::path& log, std::map<std::string, int>& counts)
{
    std::ifstream in(log);
    for (std::string line; std::getline(in, line);) {
        for (const char* stage : {"probe: ", "player: ", "convert: "}) {
            if (!line.starts_with(stage))
                continue;
            const std::size_t colon = line.find(':', std::string(stage).size());
            ++counts[line.substr(0, colon)];
        }
    }
}

int RunCampaign(const TArguments& arguments)
{
    const std::filesystem::path damaged = arguments.folder / "files";
    const std::filesystem::path outputs = arguments.folder / "outputs";
    const std::filesystem::path logs = arguments.folder / "logs";
    for (const auto& folder : {outputs, logs})
        std::filesystem::create_directories(folder);
    const std::vector<TDamagedFile> files = MakeDamagedFiles(Sources(), damaged, arguments.files, arguments.seed);

    std::vector<TChildCommand> commands;
    for (const TDamagedFile& file : files)
        commands.push_back({{OwnProgram(), "--one", file.path.string(), outputs.string()},
                            logs / (file.path.filename().string() + ".log")});
    const std::vector<TChildOutcome> outcomes =
        RunChildren(commands, arguments.jobs, std::chrono::seconds(arguments.boundSeconds), {0, kSilentFailure});

    int crashes = 0, hangs = 0, silent = 0;
    std::map<std::string, int> stages;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const TChildOutcome& outcome = outcomes[i];
        const bool crashed = outcome.kind == TChildOutcome::TKind::Crashed;
        const bool hung = outcome.kind == TChildOutcome::TKind::Hung;
        const bool quiet = !crashed && !hung && outcome.exitCode == kSilentFailure;
        crashes += crashed;
        hangs += hung;
        silent += quiet;
        const char* what = crashed ? "CRASHED" : hung ? "HUNG" : quiet ? "FAILED WITHOUT A MESSAGE" : nullptr;
        if (what)
            std::printf("%s: %s (%s; signal %d, exit %d; log %s)\n", files[i].path.filename().c_str(), what,
                        files[i].damage.c_str(), outcome.signal, outcome.exitCode, commands[i].log.c_str());
        CountStages(commands[i].log, stages);
    }
    for (const auto& [stage, count] : stages)
        std::printf("%-20s %d\n", stage.c_str(), count);
    std::printf("files tried %zu, crashes %d, hangs %d (bound %d s), messages missing %d\n", files.size(), crashes,
                hangs, arguments.boundSeconds, silent);
    return crashes + hangs + silent == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--one") {
        TMainThread::SetCurrent();
        InstallMediaTranscoder();
        return TryDamagedFile(argv[2], argv[3]) == 0 ? 0 : kSilentFailure;
    }
    TArguments arguments;
    if (!Parse(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: damaged_media [--files N] [--jobs N] [--bound SECONDS] [--seed N] FOLDER\n");
        return 2;
    }
    // The children play with no sound device and no display.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("TOVREL_BACKEND", "headless", 0);
    av_log_set_level(AV_LOG_ERROR); // the source clips' encoders report at length
    return RunCampaign(arguments);
}
