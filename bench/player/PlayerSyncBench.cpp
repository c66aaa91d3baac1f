// player_bench [--runs N] [--seconds S] [--player-alone [--size WxH]] FOLDER
//
// Plays a 1080p25 clip whose every 25th picture is a white flash and whose sound
// clicks at each whole second N times through the main window's preview panel
// on the headless back end (SDL's dummy sound unless SDL_AUDIODRIVER says
// otherwise), 播放 pressed for each run; with --player-alone, through the
// player on a host of the panel's size instead. Reports for each run and
// overall: the process's CPU time over the wall time (cores used), the pictures
// never drawn, and the offset of each flash drawn from its click handed to the
// audio device (positive: the picture came later). Drawn means painted by the
// panel, or put into the player's surface when the player plays alone.
// Targets: at most one core, no picture dropped, every offset within 20 ms.
#include "FlashClickClip.h"
#include "SyncRuns.h"

#include "media/loader/FFmpegLoader.h"
#include "platform/rtl/MainThread.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tovrel;
using namespace tovrel::bench;

constexpr double OffsetTarget = 0.020;
constexpr double CoresTarget = 1.0;

struct TOptions {
    int runs = 10;
    FlashClickRecipe recipe;
    bool playerAlone = false;
    TSize host{269, 202}; // the main window's preview panel
    std::string folder;
};

bool ParseArguments(int argc, char** argv, TOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--runs" && hasValue)
            options.runs = std::atoi(argv[++i]);
        else if (argument == "--seconds" && hasValue)
            options.recipe.seconds = std::atoi(argv[++i]);
        else if (argument == "--player-alone")
            options.playerAlone = true;
        else if (argument == "--size" && hasValue)
            std::sscanf(argv[++i], "%dx%d", &options.host.cx, &options.host.cy);
        else if (argument.starts_with("--") || !options.folder.empty())
            return false;
        else
            options.folder = argument;
    }
    return !options.folder.empty() && options.runs > 0 && options.recipe.seconds > 0 && options.host.cx > 0 &&
           options.host.cy > 0;
}

struct TRunFigures {
    double wall = 0, cpu = 0;
    int pictures = 0, drawn = 0;
    bool firstShown = false;
    std::vector<double> offsets;           // flash drawn minus click handed, per second
    std::vector<double> bufferOffsets;     // flash drawn minus its click's buffer hand-over
    int unmatched = 0;                     // seconds whose flash or click was not seen
    double firstDrawn = 0, firstClick = 0; // after Open was called
    std::vector<int> missing;              // numbers of the pictures never drawn
    double longestAudioGap = 0;            // the device thread's worst stall

    int Dropped() const { return pictures - drawn; }
    double Cores() const { return wall > 0 ? cpu / wall : 0; }
};

double MaxAbs(const std::vector<double>& values)
{
    double result = 0;
    for (double v : values)
        result = std::max(result, std::fabs(v));
    return result;
}

double Mean(const std::vector<double>& values)
{
    double sum = 0;
    for (double v : values)
        sum += v;
    return values.empty() ? 0 : sum / double(values.size());
}

TRunFigures Measure(const FlashClickRecipe& recipe, const TRunRecord& record)
{
    const std::map<std::int64_t, TDrawnPicture>& drawn = record.drawn;
    const TAudioRecord& audio = record.audio;
    const double opened = record.started;
    const std::vector<THandedClick>& clicks = audio.clicks;
    TRunFigures figures;
    figures.wall = record.wall;
    figures.cpu = record.cpu;
    figures.longestAudioGap = audio.longestGap;
    if (!drawn.empty())
        figures.firstDrawn = drawn.begin()->second.drawn - opened;
    if (!clicks.empty())
        figures.firstClick = clicks.front().clickHanded - opened;
    figures.pictures = recipe.fps * recipe.seconds;
    const std::int64_t pictureMicros = 1000000 / recipe.fps;
    for (const auto& [pts, picture] : drawn) {
        if (pts >= 0 && pts < std::int64_t(recipe.seconds) * 1000000)
            ++figures.drawn;
        if (pts < pictureMicros / 2)
            figures.firstShown = true;
    }
    for (int n = 0; n < figures.pictures; ++n) {
        const std::int64_t time = std::int64_t(n) * pictureMicros;
        const auto picture = drawn.lower_bound(time - pictureMicros / 2);
        if (picture == drawn.end() || picture->first >= time + pictureMicros / 2)
            figures.missing.push_back(n);
    }
    for (int second = 0; second < recipe.seconds; ++second) {
        const std::int64_t time = std::int64_t(second) * 1000000;
        const auto picture = drawn.lower_bound(time - pictureMicros / 2);
        const bool flashSeen =
            picture != drawn.end() && picture->first < time + pictureMicros / 2 && picture->second.flash;
        if (!flashSeen || std::size_t(second) >= clicks.size()) {
            ++figures.unmatched;
            continue;
        }
        figures.offsets.push_back(picture->second.drawn - clicks[second].clickHanded);
        figures.bufferOffsets.push_back(picture->second.drawn - clicks[second].bufferHanded);
    }
    return figures;
}

void PrintRun(int run, const TRunFigures& f)
{
    std::printf("run %2d: %.2f s, %.2f cores, drawn %d/%d (dropped %d), first picture %s, "
                "flash-click offset mean %+.1f ms max |%.1f| ms (to buffer hand-over: mean %+.1f ms), unmatched %d\n",
                run, f.wall, f.Cores(), f.drawn, f.pictures, f.Dropped(), f.firstShown ? "shown" : "NOT shown",
                Mean(f.offsets) * 1000, MaxAbs(f.offsets) * 1000, Mean(f.bufferOffsets) * 1000, f.unmatched);
    std::printf("        after play: first picture drawn %.0f ms, first click handed %.0f ms; longest wait between "
                "device callbacks %.0f ms; offsets ms:",
                f.firstDrawn * 1000, f.firstClick * 1000, f.longestAudioGap * 1000);
    for (double v : f.offsets)
        std::printf(" %+.1f", v * 1000);
    std::printf("\n");
    if (!f.missing.empty()) {
        std::printf("        pictures not drawn:");
        for (int n : f.missing)
            std::printf(" %d", n);
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv)
{
    TOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: player_bench [--runs N] [--seconds S] [--player-alone [--size WxH]] FOLDER\n");
        return 2;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string clip;
    try {
        clip = FlashClickClip(options.recipe, options.folder).string();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cannot write the clip: %s\n", error.what());
        return 1;
    }
    TMainThread::SetCurrent();
    if (!GlobalFFmpegLoader().Load(PlayerLibraries)) {
        std::fprintf(stderr, "%s\n", GlobalFFmpegLoader().LastErrMsg().c_str());
        return 1;
    }
    WatchAudioDevice();
    if (options.playerAlone)
        std::printf("clip %s, the player alone on a %dx%d host, %d runs\n", clip.c_str(), options.host.cx,
                    options.host.cy, options.runs);
    else
        std::printf("clip %s, through the main window's preview panel, %d runs\n", clip.c_str(), options.runs);

    TRunPlan plan;
    plan.clip = clip;
    plan.runs = options.runs;
    plan.limitSeconds = options.recipe.seconds * 3 + 10;
    plan.host = options.host;
    std::vector<TRunFigures> runs;
    const auto done = [&](int run, TRunRecord&& record) {
        if (!record.ended)
            std::printf("run %2d did not reach the end in %.0f s\n", run, plan.limitSeconds);
        TRunFigures figures = Measure(options.recipe, record);
        PrintRun(run, figures);
        runs.push_back(std::move(figures));
    };
    const int status = options.playerAlone ? RunOnPlayer(plan, done) : RunThroughMainWindow(plan, done);
    GlobalFFmpegLoader().Unload(PlayerLibraries);
    if (status != 0)
        return status;

    std::vector<double> offsets;
    int dropped = 0, unmatched = 0, firstMissed = 0;
    double maxCores = 0;
    for (const TRunFigures& f : runs) {
        offsets.insert(offsets.end(), f.offsets.begin(), f.offsets.end());
        dropped += f.Dropped();
        unmatched += f.unmatched;
        firstMissed += f.firstShown ? 0 : 1;
        maxCores = std::max(maxCores, f.Cores());
    }
    const auto within =
        std::count_if(offsets.begin(), offsets.end(), [](double v) { return std::fabs(v) <= OffsetTarget; });
    std::printf("overall: %zu offsets, mean %+.1f ms, max |%.1f| ms, %td within ±%.0f ms; dropped %d; unmatched %d; "
                "first picture missed in %d runs; cores max %.2f\n",
                offsets.size(), Mean(offsets) * 1000, MaxAbs(offsets) * 1000, within, OffsetTarget * 1000, dropped,
                unmatched, firstMissed, maxCores);
    const bool met =
        within == std::ptrdiff_t(offsets.size()) && unmatched == 0 && dropped == 0 && maxCores <= CoresTarget;
    std::printf("targets %s\n", met ? "met" : "NOT met");
    return 0;
}
