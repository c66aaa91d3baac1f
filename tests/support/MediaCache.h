#pragma once
// The on-disk cache of generated media, shared by threads and processes.

#include <filesystem>
#include <functional>
#include <string>

namespace tovrel::test::media {

using FileWriter = std::function<void(const std::filesystem::path& file)>;

// Returns <folder>/<hash of key>/<fileName>. When that file is missing, `write` fills
// a unique temporary file in the same subfolder, which is then renamed into place, so
// readers only ever see finished files. Racing writers each produce a whole copy; the
// last rename wins harmlessly.
std::filesystem::path CachedFile(const std::filesystem::path& folder, const std::string& key,
                                 const std::string& fileName, const FileWriter& write);

} // namespace tovrel::test::media
