#include "platform/shell/FindData.h"

#include "platform/rtl/FileSearch.h"
#include "platform/rtl/Paths.h"
#include "platform/shell/FileNames.h"

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {

namespace {

int SynthesisedAttributes(const std::string& path, std::string_view name, const struct stat& info, bool isLink)
{
    int attributes = 0;
    if (S_ISDIR(info.st_mode))
        attributes |= faDirectory;
    else if (S_ISREG(info.st_mode))
        attributes |= faArchive;
    else if (!isLink)
        attributes |= faSysFile; // pipes, sockets, devices
    if (IsHiddenEntryName(name))
        attributes |= faHidden;
    if (isLink)
        attributes |= faSymLink;
    if (IsReadOnlyEntry(path, info))
        attributes |= faReadOnly;
    return attributes;
}

std::int64_t BirthOrChangeTime(const std::string& path, const struct stat& info)
{
    struct statx extended {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &extended) == 0 && (extended.stx_mask & STATX_BTIME))
        return extended.stx_btime.tv_sec;
    return info.st_ctime;
}

} // namespace

bool IsReadOnlyEntry(const std::string& path, const struct stat& info)
{
    // No write bit at all counts too, so it shows the same to the superuser.
    return (info.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
}

std::optional<TFindData> ReadEntryFindData(const std::string& path, int* error)
{
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) != 0) {
        if (error)
            *error = errno;
        return std::nullopt;
    }
    const bool isLink = S_ISLNK(linkInfo.st_mode);
    struct stat info = linkInfo;
    if (isLink && ::stat(path.c_str(), &info) != 0)
        info = linkInfo;
    TFindData data;
    data.Name = ExtractFileName(path);
    data.Attributes = SynthesisedAttributes(path, data.Name, info, isLink);
    data.Size = S_ISDIR(info.st_mode) ? 0 : std::int64_t(info.st_size);
    data.LastWriteTime = info.st_mtime;
    data.CreationTime = BirthOrChangeTime(path, info);
    return data;
}

std::int64_t FindDataSize(const TFindData& data)
{
    return (data.Attributes & faDirectory) ? -1 : data.Size;
}

TDateTime FindDataModified(const TFindData& data)
{
    if (data.Attributes & faDirectory)
        return -1;
    const TDateTime local = UnixTimeToLocalDateTime(data.LastWriteTime);
    int year = 0, month = 0, day = 0;
    DecodeDate(local, year, month, day);
    if (year < 1980 || year > 2107)
        return -1;
    // DOS times count seconds in steps of two.
    const double seconds = std::floor(std::round((local - std::floor(local)) * SecsPerDay) / 2) * 2;
    return std::floor(local) + seconds / SecsPerDay;
}

std::string FindDataColumnText(const TFindData& data, int column)
{
    switch (column) {
    case 1: {
        const std::int64_t size = FindDataSize(data);
        return size < 0 ? std::string() : std::to_string(size);
    }
    case 2: return FileNameDisplayText(ExtractFileExt(data.Name));
    case 3: {
        const TDateTime modified = FindDataModified(data);
        return modified < 0 ? std::string() : FormatDateTime("yyyy-mm-dd hh:nn", modified);
    }
    case 4: return std::to_string(data.Attributes);
    default: return {};
    }
}

std::string ShellDateTimeText(std::int64_t unixSeconds)
{
    return FormatDateTime("yyyy-mm-dd hh:nn", UnixTimeToLocalDateTime(unixSeconds));
}

} // namespace tovrel
