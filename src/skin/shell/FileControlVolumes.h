#pragma once
// The volumes the drive combo box lists and the directory list box finds its
// "drive" in, read from a mount table that tests replace with a fixture, and
// what the system tells of each volume (label, letter-case rules).
#include "platform/shell/MountTable.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

// The text of a mount table in the format of /proc/self/mounts.
using TMountTableSource = std::function<std::string()>;
// Null gives the process's own table back.
void SetMountTableSource(TMountTableSource Source);
// Where udev keeps its by-label links; "" gives /dev/disk/by-label back.
void SetVolumeLabelFolder(std::string Folder);

// The volumes of the mount table: the root first, the others by mount path.
std::vector<TVolume> FileControlVolumes();
// The mount path of the volume holding the absolute Path (the longest mount
// path that is Path or one of its folders); "/" when none is.
std::string VolumeRootOf(std::string_view Path, const std::vector<TVolume>& Volumes);
// The label udev gives the volume's device, "" when it has none.
std::string VolumeLabel(const TVolume& Volume);

// Letter-case rules of a file system: FAT, exFAT and NTFS keep the case of
// names but find them without regard to it; the others compare exactly.
struct TVolumeCase {
    bool PreserveCase = true;
    bool CaseSensitive = true;
};
TVolumeCase VolumeCaseOf(std::string_view FileSystem);

} // namespace tovrel
