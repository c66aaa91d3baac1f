#pragma once
// Deleting to the desktop's trash (the freedesktop.org layout): the entry goes
// to <trash>/files/<name> and <trash>/info/<name>.trashinfo records where it
// came from and when, so the file manager can put it back.
#include "platform/rtl/DateTime.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovrel {

struct TTrashInfo {
    std::string Path;         // absolute, raw bytes
    std::string DeletionDate; // "yyyy-mm-ddThh:nn:ss", local time
};

// The .trashinfo text; the path is percent-encoded.
std::string TrashInfoText(const TTrashInfo& info);
// The record of a .trashinfo text; nothing when it is not one.
std::optional<TTrashInfo> ParseTrashInfo(std::string_view text);

std::string PercentEncodePath(std::string_view path);
// nothing for a broken escape.
std::optional<std::string> PercentDecode(std::string_view text);

// Moves the entry at path (absolute) to the trash at trashFolder (see
// TrashFolder()), under its own name or, when that is taken, "name.2",
// "name.3" and so on. Returns 0, or an errno value with the entry left where
// it was (EXDEV when it lies on another file system than the trash).
// trashedName receives the name used in files/.
int MoveToTrash(const std::string& path, const std::string& trashFolder, std::string* trashedName = nullptr);

} // namespace tovrel
