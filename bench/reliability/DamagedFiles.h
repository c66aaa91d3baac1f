#pragma once
// Damaged copies of good media files: cut short, with bytes flipped, with the
// header zeroed, and random bytes named as media.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tovrel::bench {

struct TDamagedFile {
    std::filesystem::path path;
    std::string damage; // "truncated at 1234 of 5678 bytes", ...
};

// Writes `count` damaged files into `folder`, the same ones for the same
// sources and seed: for each source in turn its cuts, flips and zeroed
// headers, and random data with the sources' extensions to make up the count.
std::vector<TDamagedFile> MakeDamagedFiles(const std::vector<std::filesystem::path>& sources,
                                           const std::filesystem::path& folder, std::size_t count, std::uint32_t seed);

} // namespace tovrel::bench
