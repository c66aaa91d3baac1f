#include "skin/shell/FileControlPaths.h"

#include "platform/rtl/Paths.h"
#include "platform/vcl/Canvas.h"
#include "skin/shell/FileControlVolumes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {

namespace {

bool IsMask(std::string_view name)
{
    return name.find_first_of("*?") != std::string_view::npos;
}

bool IsFile(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// Sets the current folder back when the scope ends, if it still exists.
class TCurrentFolderKeeper {
public:
    TCurrentFolderKeeper() : saved_(CurrentFolder()) {}
    TCurrentFolderKeeper(const TCurrentFolderKeeper&) = delete;
    TCurrentFolderKeeper& operator=(const TCurrentFolderKeeper&) = delete;
    ~TCurrentFolderKeeper()
    {
        if (FolderExists(saved_) && ::chdir(saved_.c_str()) != 0)
            return; // it existed a moment ago; the caller's own entering reports
    }

private:
    std::string saved_;
};

} // namespace

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

void EnterFolder(const std::string& Folder)
{
    if (Folder.empty() || ::chdir(Folder.c_str()) != 0) {
        const int code = Folder.empty() ? ENOENT : errno;
        throw EInOutError(code, "Cannot enter \"" + Folder + "\": " + std::strerror(code));
    }
}

TEditPath ResolveEditPath(const std::string& EditText)
{
    TCurrentFolderKeeper keeper;
    TEditPath result;
    std::string path = EditText;
    if (path.size() >= 2 && path.front() == '[' && path.back() == ']')
        path = path.substr(1, path.size() - 2);
    const std::size_t slash = path.rfind('/');
    result.FilePart = slash == std::string::npos ? path : path.substr(slash + 1);
    if (slash != std::string::npos)
        EnterFolder(slash == 0 ? std::string("/") : path.substr(0, slash));
    if (!result.FilePart.empty() && !IsMask(result.FilePart) && !IsFile(result.FilePart)) {
        EnterFolder(result.FilePart);
        result.FilePart.clear();
    }
    result.DirPart = CurrentFolder();
    result.Drive = VolumeRootOf(result.DirPart, FileControlVolumes());
    return result;
}

} // namespace tovrel
