#include "skin/shell/FileControlPaths.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/Paths.h"
#include "platform/vcl/Canvas.h"
#include "skin/shell/FileControlVolumes.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {

bool IsFileMask(std::string_view Name)
{
    return Name.find_first_of("*?") != std::string_view::npos;
}

bool FolderExists(std::string_view Name)
{
    struct stat info {};
    return !Name.empty() && ::stat(std::string(Name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int SlashCount(std::string_view Path)
{
    return int(std::count(Path.begin(), Path.end(), '/'));
}

void DropFirstFolder(std::string& S)
{
    if (S == "/") {
        S.clear();
        return;
    }
    const bool rooted = S.starts_with('/');
    if (rooted)
        S.erase(0, 1);
    // Only the marker itself is skipped: names that start with a dot are common.
    if (S.starts_with(PathShortMarker))
        S.erase(0, PathShortMarker.size());
    const std::size_t slash = S.find('/');
    S = slash == std::string::npos ? std::string() : std::string(PathShortMarker) + S.substr(slash + 1);
    if (rooted)
        S.insert(0, "/");
}

std::string FitPathToWidth(const std::string& Path, const std::function<int(const std::string&)>& TextWidth,
                           int MaxWidth)
{
    std::string result = Path;
    std::string dir = ExtractFilePath(Path);
    const std::string name = ExtractFileName(Path);
    const std::string rootedMarker = "/" + std::string(PathShortMarker);
    while (!dir.empty() && TextWidth(result) > MaxWidth) {
        if (dir == rootedMarker)
            dir = PathShortMarker;
        else
            DropFirstFolder(dir);
        result = dir + name;
    }
    return result;
}

std::string FitPathToWidth(const std::string& Path, TCanvas& Canvas, int MaxWidth)
{
    return FitPathToWidth(
        Path, [&Canvas](const std::string& text) { return Canvas.TextWidth(text); }, MaxWidth);
}

std::string CurrentFolder()
{
    std::string buffer(256, '\0');
    while (!::getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return buffer.c_str();
}

std::string ResolveFolder(const std::string& Base, const std::string& Path)
{
    std::string folder;
    int code = ENOENT;
    if (!Path.empty()) {
        const std::string path = Path.starts_with('/') ? Path : PathJoin(Base, Path);
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            folder = resolved;
            std::free(resolved);
            // Entering needs a folder the process may search.
            code = !FolderExists(folder) ? ENOTDIR : ::access(folder.c_str(), X_OK) == 0 ? 0 : errno;
        } else {
            code = errno;
        }
    }
    if (code != 0)
        throw EInOutError(code, "Cannot enter \"" + Path + "\": " + std::strerror(code));
    return folder;
}

TEditPath ResolveEditPath(const std::string& EditText, const std::string& BaseFolder)
{
    TEditPath result;
    std::string path = EditText;
    if (path.size() >= 2 && path.front() == '[' && path.back() == ']')
        path = path.substr(1, path.size() - 2);
    const std::size_t slash = path.rfind('/');
    result.FilePart = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string folderPart = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    result.DirPart = ResolveFolder(BaseFolder, folderPart);
    if (!result.FilePart.empty() && !IsFileMask(result.FilePart) &&
        !FileExists(PathJoin(result.DirPart, result.FilePart))) {
        result.DirPart = ResolveFolder(result.DirPart, result.FilePart);
        result.FilePart.clear();
    }
    result.Drive = VolumeRootOf(result.DirPart, FileControlVolumes());
    return result;
}

} // namespace tovrel
