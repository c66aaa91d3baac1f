#pragma once
// The sync benchmark's fixture: 1080p25 H.264 with 16-bit PCM in Matroska.
// Every 25th picture (each whole second) is a white flash over dark moving
// pictures, and the sound is silent but for a short click at each whole second,
// so a flash and its click share a time.
#include <filesystem>

namespace tovrel::bench {

struct FlashClickRecipe {
    int width = 1920;
    int height = 1080;
    int fps = 25;
    int seconds = 10;
    int sampleRate = 48000;
    int channels = 2;
    double clickSeconds = 0.010;
};

// Writes the clip into `folder` once (later calls reuse it) and gives its path.
// Throws std::runtime_error when it cannot be written.
std::filesystem::path FlashClickClip(const FlashClickRecipe& recipe, const std::filesystem::path& folder);

} // namespace tovrel::bench
