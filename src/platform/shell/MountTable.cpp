#include "platform/shell/MountTable.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>

namespace tovrel {

namespace {

// Spaces, tabs, newlines and backslashes are written as three octal digits.
std::string DecodeMountField(std::string_view field)
{
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2]) &&
            isOctal(field[i + 3])) {
            decoded += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

bool StartsWithFolder(std::string_view path, std::string_view folder)
{
    return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

bool UnderMediaTrees(std::string_view path)
{
    static constexpr std::array<std::string_view, 3> trees{"/media", "/run/media", "/mnt"};
    return std::any_of(trees.begin(), trees.end(), [&](std::string_view t) { return StartsWithFolder(path, t); });
}

bool UnderSystemTrees(std::string_view path)
{
    static constexpr std::array<std::string_view, 6> trees{"/proc", "/sys", "/dev", "/run", "/boot", "/snap"};
    return !UnderMediaTrees(path) &&
           std::any_of(trees.begin(), trees.end(), [&](std::string_view t) { return StartsWithFolder(path, t); });
}

bool IsNetworkFileSystem(std::string_view type)
{
    return type.starts_with("nfs") || type == "cifs" || type == "smb3" || type == "fuse.sshfs";
}

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The kind of a mount the user keeps files on; nothing for the rest.
std::optional<TVolumeKind> VolumeKindOf(const TVolume& v)
{
    if (v.MountPath == "/")
        return TVolumeKind::vkFixed;
    if (UnderSystemTrees(v.MountPath))
        return std::nullopt;
    if (IsNetworkFileSystem(v.FileSystem))
        return TVolumeKind::vkNetwork;
    if (v.FileSystem == "tmpfs")
        return UnderMediaTrees(v.MountPath) ? std::optional(TVolumeKind::vkRam) : std::nullopt;
    if (!v.Source.starts_with("/dev/"))
        return std::nullopt;
    if (v.FileSystem == "iso9660" || v.FileSystem == "udf")
        return TVolumeKind::vkOptical;
    return UnderMediaTrees(v.MountPath) ? TVolumeKind::vkRemovable : TVolumeKind::vkFixed;
}

} // namespace

std::vector<TVolume> VolumesFromMountTable(std::string_view table)
{
    std::vector<TVolume> volumes;
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string source, mountPath, type;
        if (!(fields >> source >> mountPath >> type))
            continue;
        TVolume volume{DecodeMountField(mountPath), DecodeMountField(source), type, TVolumeKind::vkFixed};
        const auto kind = VolumeKindOf(volume);
        std::erase_if(volumes, [&](const TVolume& v) { return v.MountPath == volume.MountPath; });
        if (!kind)
            continue;
        volume.Kind = *kind;
        volumes.push_back(std::move(volume));
    }
    std::stable_partition(volumes.begin(), volumes.end(), [](const TVolume& v) { return v.MountPath == "/"; });
    if (volumes.empty() || volumes.front().MountPath != "/")
        volumes.insert(volumes.begin(), TVolume{"/", "", "", TVolumeKind::vkFixed});
    return volumes;
}

std::string ProcessMountTable()
{
    std::ifstream file("/proc/self/mounts");
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<TVolume> MountedVolumes()
{
    std::vector<TVolume> volumes = VolumesFromMountTable(ProcessMountTable());
    // Files mounted over files (as containers do) are no volumes.
    std::erase_if(volumes, [](const TVolume& v) { return v.MountPath != "/" && !IsDirectory(v.MountPath); });
    return volumes;
}

} // namespace tovrel
