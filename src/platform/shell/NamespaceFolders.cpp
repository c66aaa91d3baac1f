#include "platform/shell/NamespaceFolders.h"

#include "platform/rtl/Paths.h"
#include "platform/shell/FileNames.h"
#include "platform/shell/FileSystemFolder.h"
#include "platform/shell/MountTable.h"
#include "platform/shell/ShellEnvironment.h"

#include <sys/stat.h>

namespace tovrel {

namespace {

constexpr char UserFolderKind = 'X';
constexpr char VolumeKind = 'V';

const char* const DesktopName = "桌面";
const char* const HomeName = "主文件夹";
const char* const ComputerName = "计算机";
const char* const RootVolumeName = "文件系统";

std::string PathAfterKind(std::string_view payload, char kind)
{
    if (payload.size() < 2 || payload[0] != kind || payload[1] != '/')
        return {};
    return std::string(payload.substr(1));
}

bool InFolder(std::string_view path, std::string_view folder)
{
    return folder == "/" ? path.starts_with('/')
                         : path == folder || (path.starts_with(folder) && path[folder.size()] == '/');
}

// The mounted volume holding path: the longest mount path that contains it.
std::string VolumeOf(std::string_view path)
{
    std::string best = "/";
    for (const TVolume& volume : MountedVolumes())
        if (InFolder(path, volume.MountPath) && volume.MountPath.size() > best.size())
            best = volume.MountPath;
    return best;
}

std::optional<TVolume> FindVolume(std::string_view mountPath)
{
    for (TVolume& volume : MountedVolumes())
        if (volume.MountPath == mountPath)
            return std::move(volume);
    return std::nullopt;
}

void AppendItem(TItemIDListPtr& list, std::string_view payload)
{
    list = JoinItemIDLists(list.get(), MakeItemIDList(payload).get());
}

} // namespace

std::string TDesktopFolder::UserFolderPayload(std::string_view path)
{
    return UserFolderKind + std::string(path);
}

TItemIDListPtr TDesktopFolder::ParseDisplayName(std::string_view name)
{
    if (name == ComputerParsingName)
        return MakeItemIDList(ComputerPayload);
    if (name.empty() || name[0] != '/')
        return nullptr;
    const std::string path = ExpandFileName(name);
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return nullptr;
    const std::string volume = VolumeOf(path);
    TItemIDListPtr list = MakeItemIDList(ComputerPayload);
    AppendItem(list, TComputerFolder::VolumePayload(volume));
    std::string_view rest = std::string_view(path).substr(volume == "/" ? 1 : volume.size());
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view component = rest.substr(0, slash);
        if (!component.empty())
            AppendItem(list, TFileSystemFolder::EntryPayload(component));
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    }
    return list;
}

std::vector<std::string> TDesktopFolder::ChildPayloads()
{
    std::vector<std::string> payloads{std::string(HomePayload), std::string(ComputerPayload)};
    for (const TUserFolder& folder : UserFolders())
        payloads.push_back(UserFolderPayload(folder.Path));
    return payloads;
}

std::string TDesktopFolder::ChildPath(std::string_view payload)
{
    if (payload == HomePayload)
        return HomeFolder();
    return PathAfterKind(payload, UserFolderKind);
}

std::string TDesktopFolder::ChildName(std::string_view payload)
{
    if (payload == HomePayload)
        return HomeName;
    if (payload == ComputerPayload)
        return ComputerName;
    return FileNameDisplayText(ExtractFileName(PathAfterKind(payload, UserFolderKind)));
}

std::string TDesktopFolder::VirtualChildParsingName(std::string_view payload)
{
    return payload == ComputerPayload ? std::string(ComputerParsingName) : std::string();
}

SFGAOF TDesktopFolder::VirtualChildAttributes(std::string_view payload)
{
    return payload == ComputerPayload ? SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR : 0;
}

int TDesktopFolder::ChildRank(std::string_view payload)
{
    return payload == HomePayload ? 0 : payload == ComputerPayload ? 1 : 2;
}

std::shared_ptr<IShellFolder> TDesktopFolder::BindChild(std::string_view payload)
{
    if (payload == ComputerPayload)
        return std::make_shared<TComputerFolder>();
    return IShellFolder::BindChild(payload);
}

std::optional<TShellIcon> TDesktopFolder::ChildIcon(std::string_view payload)
{
    if (payload == HomePayload)
        return siHome;
    if (payload == ComputerPayload)
        return siComputer;
    return std::nullopt;
}

std::string TDesktopFolder::SelfPath()
{
    const std::string desktop = UserFolder("DESKTOP");
    return desktop.empty() ? HomeFolder() : desktop;
}

std::string TDesktopFolder::SelfName()
{
    return DesktopName;
}

std::string TComputerFolder::VolumePayload(std::string_view mountPath)
{
    return VolumeKind + std::string(mountPath);
}

std::vector<std::string> TComputerFolder::ChildPayloads()
{
    std::vector<std::string> payloads;
    for (const TVolume& volume : MountedVolumes())
        payloads.push_back(VolumePayload(volume.MountPath));
    return payloads;
}

std::string TComputerFolder::ChildPath(std::string_view payload)
{
    return PathAfterKind(payload, VolumeKind);
}

std::string TComputerFolder::ChildName(std::string_view payload)
{
    const std::string path = ChildPath(payload);
    return path == "/" ? RootVolumeName : FileNameDisplayText(ExtractFileName(path));
}

int TComputerFolder::ChildRank(std::string_view payload)
{
    return ChildPath(payload) == "/" ? 0 : 1;
}

std::optional<TShellIcon> TComputerFolder::ChildIcon(std::string_view payload)
{
    const std::optional<TVolume> volume = FindVolume(ChildPath(payload));
    switch (volume ? volume->Kind : TVolumeKind::vkFixed) {
    case TVolumeKind::vkRemovable: return siRemovableDisk;
    case TVolumeKind::vkOptical: return siOpticalDisc;
    case TVolumeKind::vkNetwork: return siNetworkDrive;
    case TVolumeKind::vkRam: return siRamDisk;
    case TVolumeKind::vkFixed: break;
    }
    return siFixedDisk;
}

SFGAOF TComputerFolder::ExtraChildAttributes(std::string_view payload)
{
    const std::optional<TVolume> volume = FindVolume(ChildPath(payload));
    return volume && volume->Kind == TVolumeKind::vkRemovable ? SFGAO_REMOVABLE : 0;
}

std::string TComputerFolder::SelfName()
{
    return ComputerName;
}

std::shared_ptr<IShellFolder> DesktopIShellFolder()
{
    static const std::shared_ptr<IShellFolder> desktop = std::make_shared<TDesktopFolder>();
    return desktop;
}

} // namespace tovrel
