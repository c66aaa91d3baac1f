#pragma once
// Snapshot files: the folder and picture type kept in option.ini [SnapShot],
// the next free numbered name beside the earlier snapshots, and writing a
// picture in the chosen type.
#include "platform/gdi/Surface.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovrel {

class TOptionIni;

enum class TSnapshotType { Bmp, Jpg, Gif, Png };

// "BMP", "JPG", "GIF", "PNG": the value stored under "Picture".
std::string_view SnapshotTypeName(TSnapshotType type);
// ".bmp", ".jpg", ".gif", ".png".
std::string_view SnapshotExtension(TSnapshotType type);
// Exactly one of the four stored names (case-sensitive), or nothing.
std::optional<TSnapshotType> ParseSnapshotType(std::string_view text);

// The folder under "Dir", made with its parents; an unset key gives the
// default folder, which is stored. Nothing when the folder cannot be made.
std::optional<std::string> ResolveSnapshotFolder(TOptionIni& ini);
// The type under "Picture"; anything else is stored as "BMP" and used.
TSnapshotType ResolveSnapshotType(TOptionIni& ini);

// <folder>/<base>_<n><ext>, with base the file's name without its extension
// and n the smallest number from 1 whose file does not exist yet.
std::string NextSnapshotName(const std::string& folder, std::string_view playingFile, TSnapshotType type);
// The type a chosen file name asks for by its extension (any case); a name
// without one of the four extensions is written as JPEG.
TSnapshotType SnapshotTypeForName(std::string_view fileName);
// Writes the picture; EImageError or a file error on failure.
void WriteSnapshot(const TSurface& picture, const std::string& fileName, TSnapshotType type);

} // namespace tovrel
