#pragma once
// The volumes Computer shows: the mounted file systems a user keeps files on,
// read from the process's mount table, the file-system root first.
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

enum class TVolumeKind { vkFixed, vkRemovable, vkOptical, vkNetwork, vkRam };

struct TVolume {
    std::string MountPath; // raw bytes, escapes of the table decoded
    std::string Source;
    std::string FileSystem;
    TVolumeKind Kind = TVolumeKind::vkFixed;
};

// The volumes listed in a mount table's text (the format of /proc/self/mounts):
// the root always, and otherwise block devices, network file systems and RAM
// disks under the media trees; pseudo file systems and the system's own trees
// are left out. A mount point mounted twice counts once (the later mount).
std::vector<TVolume> VolumesFromMountTable(std::string_view table);
// The text of the running process's mount table.
std::string ProcessMountTable();
// The volumes of the running process, without mount points that are no folders.
std::vector<TVolume> MountedVolumes();

} // namespace tovrel
