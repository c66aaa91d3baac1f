// make_bench_clip [--seconds S] [--width W] [--height H] FOLDER
//
// Writes the benchmarks' source clip (H.264 + AAC in MP4, a moving synthetic
// picture and a tone, 25 fps, 48 kHz stereo) into FOLDER once and prints its
// path; later calls with the same recipe reuse the file.
#include "support/TestMedia.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using tovrel::test::media::ClipSpec;

bool ParseArguments(int argc, char** argv, ClipSpec& recipe, std::string& folder)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--seconds" && hasValue)
            recipe.seconds = std::atof(argv[++i]);
        else if (argument == "--width" && hasValue)
            recipe.width = std::atoi(argv[++i]);
        else if (argument == "--height" && hasValue)
            recipe.height = std::atoi(argv[++i]);
        else if (argument.starts_with("--") || !folder.empty())
            return false;
        else
            folder = argument;
    }
    return !folder.empty() && recipe.seconds > 0 && recipe.width > 0 && recipe.height > 0;
}

} // namespace

int main(int argc, char** argv)
{
    ClipSpec recipe{.fileName = "bench.mp4",
                    .formatName = "mp4",
                    .videoCodec = "libx264",
                    .audioCodec = "aac",
                    .width = 1920,
                    .height = 1080,
                    .fps = 25,
                    .seconds = 8,
                    .gop = 250,
                    .maxBFrames = 2,
                    .sampleRate = 48000,
                    .channels = 2};
    std::string folder;
    if (!ParseArguments(argc, argv, recipe, folder)) {
        std::fprintf(stderr, "usage: make_bench_clip [--seconds S] [--width W] [--height H] FOLDER\n");
        return 2;
    }
    try {
        std::printf("%s\n", tovrel::test::media::ClipPath(recipe, folder).c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
