#include "support/MediaCache.h"

#include "support/TestMedia.h"

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace tovrel::test::media {

namespace fs = std::filesystem;

namespace {

std::string HashText(const std::string& text)
{
    // 64-bit FNV-1a: stable across runs and builds, unlike std::hash.
    uint64_t hash = 14695981039346656037ULL;
    for (const unsigned char byte : text) {
        hash ^= byte;
        hash *= 1099511628211ULL;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return hex;
}

// Unique among the threads of this process and among live processes.
std::string TemporaryName(const std::string& fileName)
{
    static std::atomic<unsigned> counter{0};
    return "." + fileName + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
}

void CreateFolder(const fs::path& folder)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder))
        throw TestMediaError("test media: cannot create folder " + folder.string() + ": " + error.message());
}

} // namespace

fs::path TestMediaFolder()
{
    const char* configured = std::getenv("TOVREL_TEST_MEDIA_DIR");
    const fs::path folder =
        configured && *configured ? fs::path(configured) : fs::temp_directory_path() / "tovrel-test-media";
    CreateFolder(folder);
    return folder;
}

fs::path CachedFile(const fs::path& folder, const std::string& key, const std::string& fileName,
                    const FileWriter& write)
{
    const fs::path subfolder = folder / HashText(key);
    const fs::path target = subfolder / fileName;
    std::error_code error;
    if (fs::is_regular_file(target, error))
        return target;
    CreateFolder(subfolder);
    const fs::path temporary = subfolder / TemporaryName(fileName);
    try {
        write(temporary);
        fs::rename(temporary, target);
    } catch (...) {
        fs::remove(temporary, error);
        throw;
    }
    return target;
}

} // namespace tovrel::test::media
