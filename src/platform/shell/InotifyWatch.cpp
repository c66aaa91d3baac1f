#include "platform/shell/InotifyWatch.h"

#include "platform/rtl/Paths.h"

#include <cerrno>
#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tovrel {

namespace {

constexpr std::uint32_t NameFlags = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;
constexpr std::uint32_t NameEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr std::uint32_t SelfEvents = IN_DELETE_SELF | IN_MOVE_SELF;
constexpr std::uint32_t WriteEvents = IN_MODIFY | IN_CLOSE_WRITE;

std::uint32_t WatchMask(std::uint32_t flags, bool subTree)
{
    std::uint32_t mask = 0;
    if (flags & NameFlags)
        mask |= NameEvents | SelfEvents;
    if (flags & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY))
        mask |= IN_ATTRIB;
    if (flags & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE))
        mask |= WriteEvents;
    if (subTree)
        mask |= IN_CREATE | IN_MOVED_TO; // to follow new folders
    return mask | IN_ONLYDIR;
}

} // namespace

bool InotifyEventMatches(std::uint32_t eventMask, std::uint32_t flags)
{
    const bool isFolder = eventMask & IN_ISDIR;
    if ((eventMask & NameEvents) && (flags & (isFolder ? FILE_NOTIFY_CHANGE_DIR_NAME : FILE_NOTIFY_CHANGE_FILE_NAME)))
        return true;
    if ((eventMask & SelfEvents) && (flags & NameFlags))
        return true;
    if ((eventMask & IN_ATTRIB) && (flags & (FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY)))
        return true;
    return (eventMask & WriteEvents) && (flags & (FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE));
}

TInotifyWatch::TInotifyWatch() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

TInotifyWatch::~TInotifyWatch()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void TInotifyWatch::Close()
{
    for (const auto& [wd, folder] : watches_)
        ::inotify_rm_watch(fd_, wd);
    watches_.clear();
}

void TInotifyWatch::Open(const std::string& folder, bool subTree, std::uint32_t flags)
{
    Close();
    subTree_ = subTree;
    flags_ = flags;
    struct stat info {};
    if (fd_ < 0 || folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return;
    device_ = info.st_dev;
    if (subTree)
        AddTree(folder, 0);
    else
        AddFolder(folder);
}

bool TInotifyWatch::AddFolder(const std::string& folder)
{
    const int wd = ::inotify_add_watch(fd_, folder.c_str(), WatchMask(flags_, subTree_));
    if (wd < 0)
        return false;
    watches_[wd] = folder;
    return true;
}

void TInotifyWatch::AddTree(const std::string& folder, int depth)
{
    // Folders reached through links are not entered, so no loop can form;
    // the depth check only guards against a tree deeper than any path.
    constexpr int MaxDepth = 4096 / 2;
    if (depth > MaxDepth || !AddFolder(folder))
        return;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> children;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string child = PathJoin(folder, name);
        struct stat info {};
        if (::lstat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_dev == device_)
            children.push_back(child);
    }
    ::closedir(dir);
    for (const std::string& child : children)
        AddTree(child, depth + 1);
}

bool TInotifyWatch::Drain()
{
    if (fd_ < 0)
        return false;
    bool changed = false;
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return changed;
        for (ssize_t offset = 0; offset < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                changed = true; // events were lost: something changed
                continue;
            }
            const auto watched = watches_.find(event->wd);
            if (watched == watches_.end())
                continue; // a watch dropped by an earlier Open
            if (event->mask & IN_IGNORED) {
                watches_.erase(watched);
                continue;
            }
            if (InotifyEventMatches(event->mask, flags_))
                changed = true;
            const bool newFolder = (event->mask & IN_ISDIR) && (event->mask & (IN_CREATE | IN_MOVED_TO));
            if (subTree_ && newFolder && event->len > 0)
                AddTree(PathJoin(watched->second, event->name), 0);
        }
    }
}

} // namespace tovrel
