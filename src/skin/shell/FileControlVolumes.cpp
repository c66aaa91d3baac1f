#include "skin/shell/FileControlVolumes.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <dirent.h>

namespace tovrel {

namespace {

TMountTableSource& MountTableSource()
{
    static TMountTableSource source;
    return source;
}

std::string& LabelFolder()
{
    static std::string folder;
    return folder;
}

bool IsFolderOf(std::string_view path, std::string_view folder)
{
    if (folder == "/")
        return path.starts_with('/');
    return path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : std::string();
}

// udev writes unsafe characters of a label as "\xNN".
std::string DecodeLabel(std::string_view name)
{
    std::string label;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '\\' && i + 3 < name.size() && name[i + 1] == 'x' && std::isxdigit(name[i + 2]) &&
            std::isxdigit(name[i + 3])) {
            label += char(std::stoi(std::string(name.substr(i + 2, 2)), nullptr, 16));
            i += 3;
        } else {
            label += name[i];
        }
    }
    return label;
}

} // namespace

void SetMountTableSource(TMountTableSource Source)
{
    MountTableSource() = std::move(Source);
}

void SetVolumeLabelFolder(std::string Folder)
{
    LabelFolder() = std::move(Folder);
}

std::vector<TVolume> FileControlVolumes()
{
    const TMountTableSource& source = MountTableSource();
    std::vector<TVolume> volumes = VolumesFromMountTable(source ? source() : ProcessMountTable());
    std::stable_sort(volumes.begin() + 1, volumes.end(),
                     [](const TVolume& a, const TVolume& b) { return a.MountPath < b.MountPath; });
    return volumes;
}

std::string VolumeRootOf(std::string_view Path, const std::vector<TVolume>& Volumes)
{
    std::string root = "/";
    for (const TVolume& v : Volumes)
        if (IsFolderOf(Path, v.MountPath) && v.MountPath.size() > root.size())
            root = v.MountPath;
    return root;
}

std::string VolumeLabel(const TVolume& Volume)
{
    if (!Volume.Source.starts_with('/'))
        return {};
    const std::string folder = LabelFolder().empty() ? "/dev/disk/by-label" : LabelFolder();
    const std::string device = RealPath(Volume.Source);
    if (device.empty())
        return {};
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return {};
    std::string label;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && RealPath(folder + "/" + name) == device) {
            label = DecodeLabel(name);
            break;
        }
    }
    ::closedir(dir);
    return label;
}

TVolumeCase VolumeCaseOf(std::string_view FileSystem)
{
    static constexpr std::string_view folding[] = {"vfat", "msdos", "exfat", "ntfs", "ntfs3"};
    if (std::find(std::begin(folding), std::end(folding), FileSystem) != std::end(folding))
        return {true, false};
    return {};
}

} // namespace tovrel
