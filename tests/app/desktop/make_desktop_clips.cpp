// Writes the desktop scenario's three input clips into one folder (the open
// dialog picks them side by side) and prints their paths.
//   make_desktop_clips FOLDER
#include "support/TestMedia.h"

#include <cstdio>
#include <exception>
#include <filesystem>

using namespace tovrel::test::media;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_desktop_clips FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    // Small and short: the batch runs on a shared two-core machine.
    const ClipSpec clips[] = {
        {.fileName = "clip_a.avi",
         .formatName = "avi",
         .videoCodec = "mpeg4",
         .audioCodec = "libmp3lame",
         .seconds = 2.0},
        {.fileName = "clip_b.mp4", .formatName = "mp4", .videoCodec = "mpeg4", .audioCodec = "aac", .seconds = 2.0},
        {.fileName = "clip_c.avi",
         .formatName = "avi",
         .videoCodec = "mpeg4",
         .audioCodec = "libmp3lame",
         .width = 176,
         .height = 144,
         .seconds = 1.5},
    };
    try {
        std::filesystem::create_directories(folder);
        for (const ClipSpec& clip : clips) {
            WriteClip(clip, folder / clip.fileName);
            std::printf("%s\n", (folder / clip.fileName).c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make_desktop_clips: %s\n", error.what());
        return 1;
    }
    return 0;
}
