#pragma once
// Files and folders on the disk. Names are UTF-8 and go to the system as they
// are. Nothing here throws: failures are false or -1, as the Parts expect.
#include <cstdint>
#include <string>
#include <string_view>

namespace tovrel {

// The running program's file (from /proc/self/exe) and its folder with a
// trailing "/".
std::string ProgramFileName();
std::string ProgramFolder();

// True for an existing entry that is not a folder (links are followed).
bool FileExists(std::string_view fileName);
// True for an existing folder (links are followed).
bool DirectoryExists(std::string_view folder);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(std::string_view folder);
// Removes a file; false for a folder, a missing file or no permission.
bool DeleteFile(std::string_view fileName);
// Size in bytes of an existing file, -1 otherwise (a folder included).
std::int64_t FileSizeOf(std::string_view fileName);

} // namespace tovrel
