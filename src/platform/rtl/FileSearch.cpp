#include "platform/rtl/FileSearch.h"

#include "platform/rtl/Masks.h"
#include "platform/rtl/Paths.h"

#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {

struct TSearchRec::State {
    DIR* dir = nullptr;
    std::string folder;
    std::string mask;
    int excluded = 0;
    ~State()
    {
        if (dir)
            ::closedir(dir);
    }
};

namespace {

int AttributesOf(const std::string& name, const struct stat& info, bool isLink)
{
    int attr = 0;
    if (S_ISDIR(info.st_mode))
        attr |= faDirectory;
    else if (!S_ISREG(info.st_mode))
        attr |= faSysFile;
    if (!name.empty() && name[0] == '.')
        attr |= faHidden;
    if (isLink)
        attr |= faSymLink;
    return attr;
}

// Fills rec with the next entry that matches; 0, or ENOENT at the end.
int ReadNext(TSearchRec& rec)
{
    auto& state = *rec.FindHandle;
    while (const dirent* entry = ::readdir(state.dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !MatchesWildcard(name, state.mask))
            continue;
        const std::string full = PathJoin(state.folder, name);
        struct stat info {};
        struct stat linkInfo {};
        if (::lstat(full.c_str(), &linkInfo) != 0)
            continue; // gone meanwhile
        const bool isLink = S_ISLNK(linkInfo.st_mode);
        if (!isLink || ::stat(full.c_str(), &info) != 0)
            info = linkInfo; // a dangling link is listed as itself
        const int attr = AttributesOf(name, info, isLink);
        if (attr & state.excluded)
            continue;
        if (::access(full.c_str(), W_OK) != 0)
            rec.Attr = attr | faReadOnly;
        else
            rec.Attr = attr;
        rec.Name = name;
        rec.Size = S_ISDIR(info.st_mode) ? 0 : std::int64_t(info.st_size);
        rec.Time = UnixTimeToLocalDateTime(info.st_mtime);
        return 0;
    }
    return ENOENT;
}

} // namespace

int FindFirst(std::string_view pathAndMask, int attr, TSearchRec& rec)
{
    FindClose(rec);
    auto state = std::make_shared<TSearchRec::State>();
    state->folder = ExtractFilePath(pathAndMask);
    state->mask = ExtractFileName(pathAndMask);
    state->excluded = ~attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    state->dir = ::opendir(state->folder.empty() ? "." : state->folder.c_str());
    if (!state->dir)
        return errno;
    rec.FindHandle = state;
    const int result = ReadNext(rec);
    if (result != 0)
        FindClose(rec);
    return result;
}

int FindNext(TSearchRec& rec)
{
    if (!rec.FindHandle)
        return EBADF;
    return ReadNext(rec);
}

void FindClose(TSearchRec& rec)
{
    rec.FindHandle.reset();
}

} // namespace tovrel
