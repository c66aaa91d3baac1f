#include "app/main/ProgramDataFiles.h"

#include "platform/rtl/Files.h"

namespace tovrel {

namespace {

constexpr const char* kSound = "sounds/ring001.wav";

} // namespace

std::string InstalledDataFolder(const std::string& programFolder)
{
    // Set by the build from the install layout (bin/ → ../share/tovrel).
    return programFolder + TOVREL_DATA_FROM_PROGRAM + "/";
}

std::string FindAfterBatchSound(const std::string& programFolder)
{
    for (const std::string& candidate : {programFolder + kSound, InstalledDataFolder(programFolder) + kSound})
        if (FileExists(candidate))
            return candidate;
    return {};
}

std::string AfterBatchSoundFile()
{
    return FindAfterBatchSound(ProgramFolder());
}

} // namespace tovrel
