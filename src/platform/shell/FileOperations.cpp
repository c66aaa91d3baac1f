#include "platform/shell/FileOperations.h"

#include "platform/rtl/Paths.h"
#include "platform/shell/FileNames.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tovrel {

namespace {

int LastError(int result)
{
    return result == 0 ? 0 : errno;
}

int CopyFileContents(const std::string& source, const std::string& target, mode_t mode)
{
    const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errno;
    // O_EXCL: a name that appeared meanwhile is never overwritten.
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 07777);
    if (out < 0) {
        const int error = errno;
        ::close(in);
        return error;
    }
    int error = 0;
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        for (ssize_t done = 0; done < got && error == 0;) {
            const ssize_t put = ::write(out, buffer.data() + done, std::size_t(got - done));
            if (put < 0 && errno != EINTR)
                error = errno;
            done += put > 0 ? put : 0;
        }
        if (error)
            break;
    }
    ::close(in);
    if (::close(out) != 0 && error == 0)
        error = errno;
    if (error)
        ::unlink(target.c_str());
    return error;
}

std::vector<std::string> EntryNames(const std::string& folder, int& error)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    error = dir ? 0 : errno;
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

int CopyEntry(const std::string& source, const std::string& target);

int CopyFolder(const std::string& source, const std::string& target, mode_t mode)
{
    if (::mkdir(target.c_str(), (mode & 07777) | S_IRWXU) != 0)
        return errno;
    int error = 0;
    for (const std::string& name : EntryNames(source, error)) {
        error = CopyEntry(PathJoin(source, name), PathJoin(target, name));
        if (error)
            break;
    }
    if (error == 0)
        ::chmod(target.c_str(), mode & 07777);
    return error;
}

int CopyEntry(const std::string& source, const std::string& target)
{
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0)
        return errno;
    if (S_ISDIR(info.st_mode))
        return CopyFolder(source, target, info.st_mode);
    if (S_ISLNK(info.st_mode)) {
        std::vector<char> link(std::size_t(info.st_size > 0 ? info.st_size : 4096) + 1);
        const ssize_t length = ::readlink(source.c_str(), link.data(), link.size() - 1);
        if (length < 0)
            return errno;
        return LastError(::symlink(std::string(link.data(), std::size_t(length)).c_str(), target.c_str()));
    }
    if (!S_ISREG(info.st_mode))
        return EPERM; // pipes, sockets and devices are not copied
    return CopyFileContents(source, target, info.st_mode);
}

bool Exists(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// A folder pasted into itself or below itself would copy without end.
bool IsInsideOrSame(const std::string& folder, const std::string& source)
{
    char* real = ::realpath(folder.c_str(), nullptr);
    char* realSource = ::realpath(source.c_str(), nullptr);
    bool inside = false;
    if (real && realSource) {
        const std::string_view f = real;
        const std::string_view s = realSource;
        inside = f == s || (f.starts_with(s) && (s == "/" || f[s.size()] == '/'));
    }
    std::free(real);
    std::free(realSource);
    return inside;
}

} // namespace

int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS)
        return error;
    // The file system cannot refuse by itself: check first (a narrow race remains).
    if (Exists(to))
        return EEXIST;
    return LastError(::rename(from.c_str(), to.c_str()));
}

int CopyEntryInto(const std::string& source, const std::string& targetFolder)
{
    const std::string name = ExtractFileName(ExcludeTrailingPathDelimiter(source));
    if (!IsValidEntryName(name))
        return EINVAL;
    const std::string target = PathJoin(targetFolder, name);
    if (Exists(target))
        return EEXIST;
    if (IsInsideOrSame(targetFolder, source))
        return EINVAL;
    const int error = CopyEntry(source, target);
    if (error && error != EEXIST)
        RemoveEntryTree(target);
    return error;
}

int MoveEntryInto(const std::string& source, const std::string& targetFolder)
{
    const std::string name = ExtractFileName(ExcludeTrailingPathDelimiter(source));
    if (!IsValidEntryName(name))
        return EINVAL;
    const int error = RenameNoReplace(source, PathJoin(targetFolder, name));
    if (error != EXDEV)
        return error;
    if (const int copied = CopyEntryInto(source, targetFolder); copied != 0)
        return copied;
    return RemoveEntryTree(source);
}

int RemoveEntryTree(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return errno;
    if (!S_ISDIR(info.st_mode))
        return LastError(::unlink(path.c_str()));
    int error = 0;
    for (const std::string& name : EntryNames(path, error)) {
        error = RemoveEntryTree(PathJoin(path, name));
        if (error)
            return error;
    }
    return error ? error : LastError(::rmdir(path.c_str()));
}

} // namespace tovrel
