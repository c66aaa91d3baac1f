#pragma once
// One damaged file through the probe, the player (open, seek to the middle,
// play to the end, seek back, stop) and a conversion, in the calling process.
#include <filesystem>
#include <string>

namespace tovrel::bench {

// Prints one line per stage ("probe: read", "player: refused: <message>", ...)
// and returns how many stages failed without a message. Needs the main thread.
int TryDamagedFile(const std::string& file, const std::filesystem::path& outFolder);

} // namespace tovrel::bench
