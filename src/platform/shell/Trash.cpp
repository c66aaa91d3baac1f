#include "platform/shell/Trash.h"

#include "platform/rtl/Paths.h"
#include "platform/shell/FileOperations.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {

namespace {

constexpr std::string_view InfoHeader = "[Trash Info]";

bool IsUnreserved(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.' || c == '~' || c == '/';
}

int MakeFolder(const std::string& path)
{
    if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST)
        return 0;
    return errno;
}

// Claims info/<name>.trashinfo for a free name by creating it exclusively.
int ReserveInfoFile(const std::string& trash, const std::string& baseName, std::string& name, int& fd)
{
    for (int attempt = 1;; ++attempt) {
        name = attempt == 1 ? baseName : baseName + "." + std::to_string(attempt);
        const std::string infoPath = PathJoin(PathJoin(trash, "info"), name + ".trashinfo");
        fd = ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            struct stat taken {};
            if (::lstat(PathJoin(PathJoin(trash, "files"), name).c_str(), &taken) != 0)
                return 0;
            ::close(fd); // an orphan in files/ holds the name; leave both alone
            ::unlink(infoPath.c_str());
            continue;
        }
        if (errno != EEXIST)
            return errno;
    }
}

int WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t put = ::write(fd, text.data(), text.size());
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return put < 0 ? errno : EIO;
        text.remove_prefix(std::size_t(put));
    }
    return 0;
}

} // namespace

std::string PercentEncodePath(std::string_view path)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const auto b = static_cast<unsigned char>(c);
        if (IsUnreserved(b)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += hex[b >> 4];
            encoded += hex[b & 0xF];
        }
    }
    return encoded;
}

std::optional<std::string> PercentDecode(std::string_view text)
{
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        unsigned value = 0;
        const char* digits = text.data() + i + 1;
        if (i + 2 >= text.size() || std::from_chars(digits, digits + 2, value, 16).ptr != digits + 2)
            return std::nullopt;
        decoded += char(value);
        i += 2;
    }
    return decoded;
}

std::string TrashInfoText(const TTrashInfo& info)
{
    return std::string(InfoHeader) + "\nPath=" + PercentEncodePath(info.Path) + "\nDeletionDate=" + info.DeletionDate +
           "\n";
}

std::optional<TTrashInfo> ParseTrashInfo(std::string_view text)
{
    std::istringstream lines{std::string(text)};
    std::string line;
    if (!std::getline(lines, line) || line != InfoHeader)
        return std::nullopt;
    std::optional<std::string> path;
    TTrashInfo info;
    while (std::getline(lines, line)) {
        if (line.starts_with("Path="))
            path = PercentDecode(std::string_view(line).substr(5));
        else if (line.starts_with("DeletionDate="))
            info.DeletionDate = line.substr(13);
        else if (line.starts_with("["))
            break; // another group
    }
    if (!path || path->empty())
        return std::nullopt;
    info.Path = std::move(*path);
    return info;
}

int MoveToTrash(const std::string& path, const std::string& trashFolder, std::string* trashedName)
{
    const std::string source = ExcludeTrailingPathDelimiter(path);
    const std::string baseName = ExtractFileName(source);
    if (source.empty() || source[0] != '/' || baseName.empty() || baseName == "." || baseName == "..")
        return EINVAL;
    struct stat info {};
    if (::lstat(source.c_str(), &info) != 0)
        return errno;
    for (const std::string& folder : {trashFolder, PathJoin(trashFolder, "files"), PathJoin(trashFolder, "info")})
        if (const int error = MakeFolder(folder); error != 0)
            return error;
    std::string name;
    int fd = -1;
    if (const int error = ReserveInfoFile(trashFolder, baseName, name, fd); error != 0)
        return error;
    const std::string infoPath = PathJoin(PathJoin(trashFolder, "info"), name + ".trashinfo");
    int error = WriteAll(fd, TrashInfoText({source, FormatDateTime("yyyy-mm-dd\"T\"hh:nn:ss", Now())}));
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0)
        error = RenameNoReplace(source, PathJoin(PathJoin(trashFolder, "files"), name));
    if (error != 0) {
        ::unlink(infoPath.c_str());
        return error;
    }
    if (trashedName)
        *trashedName = name;
    return 0;
}

} // namespace tovrel
