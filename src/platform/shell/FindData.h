#pragma once
// What the file system says about one entry, in the form the shell's detail
// columns and the list view's sorting read it.
#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace tovrel {

struct TFindData {
    int Attributes = 0; // faReadOnly, faHidden, faSysFile, faDirectory, faArchive, faSymLink
    std::int64_t Size = 0;
    std::int64_t LastWriteTime = 0; // Unix seconds
    std::int64_t CreationTime = 0;  // Unix seconds: birth time where the file system keeps one, else change time
    std::string Name;               // raw bytes
};

// The entry at path; links are followed, a dangling link describes the link
// itself. An errno value when nothing can be read.
std::optional<TFindData> ReadEntryFindData(const std::string& path, int* error = nullptr);

// Without write access, or without any write permission bit.
bool IsReadOnlyEntry(const std::string& path, const struct stat& info);

// Size in bytes; -1 for a folder.
std::int64_t FindDataSize(const TFindData& data);
// Local last-write time in the 2-second steps of the old DOS date; -1 for a
// folder and for a time outside 1980-2107.
TDateTime FindDataModified(const TFindData& data);
// Column texts 1 to 4: size, extension, modified, attributes. A value of -1
// shows as empty text (a folder has no size or modified time to show).
std::string FindDataColumnText(const TFindData& data, int column);

// "yyyy-mm-dd hh:nn" of a Unix time in local time.
std::string ShellDateTimeText(std::int64_t unixSeconds);

} // namespace tovrel
