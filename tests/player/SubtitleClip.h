#pragma once
// A short Matroska clip for the player's subtitle path: black MPEG-4 pictures
// and one DVD bitmap subtitle, an opaque white block, shown for the whole clip.
#include <filesystem>

namespace tovrel::test {

struct TSubtitleBlock {
    int x = 100, y = 160, width = 120, height = 40; // where the block is on the 320x240 picture
};

// Writes the clip (once per test run) and returns its path; throws std::runtime_error.
std::filesystem::path SubtitleClipPath(const TSubtitleBlock& block);

} // namespace tovrel::test
