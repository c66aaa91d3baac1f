#include "platform/rtl/Files.h"

#include "platform/rtl/Paths.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {
namespace {

bool StatOf(std::string_view name, struct stat& info)
{
    return !name.empty() && ::stat(std::string(name).c_str(), &info) == 0;
}

} // namespace

std::string ProgramFileName()
{
    std::string buffer(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0)
            return {};
        if (size_t(length) < buffer.size()) {
            buffer.resize(size_t(length));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFolder()
{
    return ExtractFilePath(ProgramFileName());
}

bool FileExists(std::string_view fileName)
{
    struct stat info {};
    return StatOf(fileName, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(std::string_view folder)
{
    struct stat info {};
    return StatOf(folder, info) && S_ISDIR(info.st_mode);
}

bool ForceDirectories(std::string_view folder)
{
    const std::string path = ExcludeTrailingPathDelimiter(folder);
    if (path.empty())
        return false;
    if (DirectoryExists(path))
        return true;
    const std::string parent = ExtractFileDir(path);
    if (!parent.empty() && parent != path && !ForceDirectories(parent))
        return false;
    // Another thread or process may have made it meanwhile.
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(path));
}

bool DeleteFile(std::string_view fileName)
{
    return FileExists(fileName) && ::unlink(std::string(fileName).c_str()) == 0;
}

std::int64_t FileSizeOf(std::string_view fileName)
{
    struct stat info {};
    if (!StatOf(fileName, info) || S_ISDIR(info.st_mode))
        return -1;
    return std::int64_t(info.st_size);
}

} // namespace tovrel
