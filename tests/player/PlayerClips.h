#pragma once
// Clips the player tests write themselves, for what the shared test media do
// not make: bitmap subtitles, several streams of one kind that the surface
// tells apart, and turned pictures with a marked corner. Pictures are 320x240
// MPEG-4 of one grey each, sound is 16-bit PCM at 44100 Hz in stereo, and each
// subtitle is one DVD bitmap, an opaque white block shown for the whole clip.
// The container follows the file name's extension.
#include <filesystem>
#include <string>
#include <vector>

namespace tovrel::test {

struct TSubtitleBlock {
    int x = 100, y = 160, width = 120, height = 40; // where the block is on the 320x240 picture
};

// The streams of a clip in file order: video, then audio, then subtitles.
struct TClipStreams {
    std::vector<int> videoLuma;                 // a video stream per entry: the grey (Y) of its pictures
    std::vector<int> audioAmplitude;            // an audio stream per entry: a 440 Hz tone (0: silence)
    std::vector<TSubtitleBlock> subtitleBlocks; // a subtitle stream per entry
    int frames = 25;                            // at 25 per second
    int markLuma = -1;                          // 0 or more: the top-left quarter of every picture in this grey
    // The turn the video streams' display matrix asks for, clockwise, as phones record
    // portrait video (90: the stored picture is shown turned a quarter to the right).
    int rotation = 0;
};

// Writes the clip as `fileName` in the test media folder and returns its path;
// throws std::runtime_error.
std::filesystem::path PlayerClipPath(const std::string& fileName, const TClipStreams& streams);

// Black pictures and one subtitle stream showing the block.
std::filesystem::path SubtitleClipPath(const TSubtitleBlock& block);

// An MP4 of five black pictures whose top-left quarter is white, turned by `rotation`.
std::filesystem::path RotatedClipPath(int rotation);

} // namespace tovrel::test
