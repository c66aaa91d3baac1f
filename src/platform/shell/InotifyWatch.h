#pragma once
// The kernel's change notifications for one folder (and, when asked, every
// folder below it on the same file system), filtered by the change kinds a
// watcher wants. Used by one thread only.
#include <cstdint>
#include <string>
#include <unordered_map>

namespace tovrel {

// The change kinds, with the values the watcher's options carry.
constexpr std::uint32_t FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_ATTRIBUTES = 0x4;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_SIZE = 0x8;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_LAST_WRITE = 0x10;
constexpr std::uint32_t FILE_NOTIFY_CHANGE_SECURITY = 0x100;

// True when an inotify event mask is a change of one of the kinds in flags:
// names of files or folders (split by IN_ISDIR; the watched folder itself
// going away counts for both), attributes, sizes and writes.
bool InotifyEventMatches(std::uint32_t eventMask, std::uint32_t flags);

class TInotifyWatch {
public:
    TInotifyWatch();
    ~TInotifyWatch();
    TInotifyWatch(const TInotifyWatch&) = delete;
    TInotifyWatch& operator=(const TInotifyWatch&) = delete;

    // The descriptor to poll; -1 when the kernel gave none.
    int Fd() const { return fd_; }
    // Drops the current watches and watches folder. A folder that cannot be
    // watched leaves nothing watched: nothing is ever reported then.
    void Open(const std::string& folder, bool subTree, std::uint32_t flags);
    // Reads every pending event; true when one of them is a wanted change of
    // a watched folder. Folders made below a subtree watch are watched too.
    bool Drain();
    bool Watching() const { return !watches_.empty(); }

private:
    void Close();
    void AddTree(const std::string& folder, int depthGuard);
    bool AddFolder(const std::string& folder);

    int fd_ = -1;
    bool subTree_ = false;
    std::uint32_t flags_ = 0;
    std::uint64_t device_ = 0; // the subtree stays on the file system of the folder
    std::unordered_map<int, std::string> watches_;
};

} // namespace tovrel
