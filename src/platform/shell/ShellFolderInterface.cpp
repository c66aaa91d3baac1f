#include "platform/shell/ShellFolderInterface.h"

#include "platform/rtl/Paths.h"
#include "platform/shell/FileNames.h"
#include "platform/shell/FileSystemFolder.h"
#include "platform/shell/FindData.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovrel {

namespace {

bool IsEmptyList(PCItemIDList id)
{
    return !id || CountItemIDs(id) == 0;
}

bool IsSingleItem(PCItemIDList id)
{
    return CountItemIDs(id) == 1;
}

bool HasSubFolder(const std::string& path)
{
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        bool isDirectory = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            isDirectory = ::stat(PathJoin(path, name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        if (isDirectory) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

bool IsWritable(const std::string& path)
{
    return !path.empty() && ::access(path.c_str(), W_OK) == 0;
}

} // namespace

TItemIDListPtr IShellFolder::ParseDisplayName(std::string_view)
{
    return nullptr;
}

std::vector<TItemIDListPtr> IShellFolder::EnumObjects(std::uint32_t flags)
{
    struct TEntry {
        std::string Payload;
        int Rank;
        bool IsFolder;
        std::string Name;
    };
    std::vector<TEntry> entries;
    for (std::string& payload : ChildPayloads()) {
        const SFGAOF attributes = ChildAttributes(payload, 0);
        if (attributes == 0)
            continue; // gone since it was listed
        const bool isFolder = attributes & SFGAO_FOLDER;
        const bool hidden = attributes & (SFGAO_HIDDEN | SFGAO_SYSTEM);
        if (!(flags & (isFolder ? SHCONTF_FOLDERS : SHCONTF_NONFOLDERS)))
            continue;
        if (hidden && !(flags & SHCONTF_INCLUDEHIDDEN))
            continue;
        const int rank = ChildRank(payload);
        std::string name = ChildName(payload);
        entries.push_back({std::move(payload), rank, isFolder, std::move(name)});
    }
    std::sort(entries.begin(), entries.end(), [](const TEntry& a, const TEntry& b) {
        if (a.Rank != b.Rank)
            return a.Rank < b.Rank;
        if (a.IsFolder != b.IsFolder)
            return a.IsFolder;
        const int byName = CompareEntryNames(a.Name, b.Name);
        return byName != 0 ? byName < 0 : a.Payload < b.Payload;
    });
    std::vector<TItemIDListPtr> lists;
    lists.reserve(entries.size());
    for (const TEntry& entry : entries)
        lists.push_back(MakeItemIDList(entry.Payload));
    return lists;
}

std::shared_ptr<IShellFolder> IShellFolder::BindToObject(PCItemIDList id)
{
    if (IsEmptyList(id))
        return nullptr;
    std::shared_ptr<IShellFolder> child = BindChild(ItemPayload(id));
    if (!child || IsSingleItem(id))
        return child;
    return child->BindToObject(NextItemID(id));
}

int IShellFolder::CompareIDs(PCItemIDList a, PCItemIDList b)
{
    const bool aEmpty = IsEmptyList(a);
    const bool bEmpty = IsEmptyList(b);
    if (aEmpty || bEmpty)
        return aEmpty == bEmpty ? 0 : (aEmpty ? -1 : 1);
    const std::string_view first = ItemPayload(a);
    if (const int result = CompareChildren(first, ItemPayload(b)); result != 0)
        return result;
    const std::shared_ptr<IShellFolder> child = BindChild(first);
    if (!child)
        return ItemIDListsEqual(a, b) ? 0 : (ItemIDListSize(a) < ItemIDListSize(b) ? -1 : 1);
    return child->CompareIDs(NextItemID(a), NextItemID(b));
}

int IShellFolder::CompareChildren(std::string_view a, std::string_view b)
{
    if (a == b)
        return 0;
    if (const int ranks = ChildRank(a) - ChildRank(b); ranks != 0)
        return ranks < 0 ? -1 : 1;
    const bool aFolder = ChildAttributes(a, 0) & SFGAO_FOLDER;
    const bool bFolder = ChildAttributes(b, 0) & SFGAO_FOLDER;
    if (aFolder != bFolder)
        return aFolder ? -1 : 1;
    if (const int byName = CompareEntryNames(ChildName(a), ChildName(b)); byName != 0)
        return byName;
    return a < b ? -1 : 1;
}

SFGAOF IShellFolder::GetAttributesOf(PCItemIDList id, SFGAOF request)
{
    if (IsEmptyList(id)) {
        const std::string self = SelfPath();
        return SFGAO_FOLDER | SFGAO_HASSUBFOLDER | SFGAO_FILESYSANCESTOR |
               (self.empty() ? 0 : PathAttributes(self, ExtractFileName(self), request));
    }
    if (!IsSingleItem(id)) {
        const std::shared_ptr<IShellFolder> child = BindChild(ItemPayload(id));
        return child ? child->GetAttributesOf(NextItemID(id), request) : 0;
    }
    return ChildAttributes(ItemPayload(id), request);
}

SFGAOF IShellFolder::ChildAttributes(std::string_view payload, SFGAOF request)
{
    const std::string path = ChildPath(payload);
    if (path.empty())
        return VirtualChildAttributes(payload);
    const std::string name = ChildrenAreEntries() ? std::string(payload.substr(1)) : ExtractFileName(path);
    SFGAOF attributes = PathAttributes(path, name, request);
    if (attributes == 0)
        return 0;
    if (ChildrenAreEntries() && IsWritable(SelfPath()))
        attributes |= SFGAO_CANRENAME | SFGAO_CANDELETE | SFGAO_CANMOVE;
    return attributes | ExtraChildAttributes(payload);
}

SFGAOF IShellFolder::PathAttributes(const std::string& path, std::string_view name, SFGAOF request)
{
    struct stat linkInfo {};
    if (::lstat(path.c_str(), &linkInfo) != 0)
        return 0;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        info = linkInfo; // a dangling link is a file
    SFGAOF attributes = SFGAO_FILESYSTEM | SFGAO_CANCOPY | SFGAO_CANLINK | SFGAO_HASPROPSHEET | SFGAO_VALIDATE;
    const bool writable = !IsReadOnlyEntry(path, info);
    if (S_ISDIR(info.st_mode)) {
        attributes |= SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | (writable ? SFGAO_DROPTARGET : 0);
        if ((request & SFGAO_HASSUBFOLDER) && HasSubFolder(path))
            attributes |= SFGAO_HASSUBFOLDER;
    } else if (!S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode)) {
        attributes |= SFGAO_SYSTEM;
    }
    if (S_ISLNK(linkInfo.st_mode))
        attributes |= SFGAO_LINK;
    if (!writable)
        attributes |= SFGAO_READONLY;
    if (IsHiddenEntryName(name))
        attributes |= SFGAO_HIDDEN | SFGAO_GHOSTED;
    return attributes;
}

std::string IShellFolder::GetDisplayNameOf(PCItemIDList id, std::uint32_t flags)
{
    const bool forParsing = flags & SHGDN_FORPARSING;
    if (IsEmptyList(id)) {
        const std::string self = SelfPath();
        return forParsing && !self.empty() ? self : SelfName();
    }
    if (!IsSingleItem(id)) {
        const std::shared_ptr<IShellFolder> child = BindChild(ItemPayload(id));
        return child ? child->GetDisplayNameOf(NextItemID(id), flags) : std::string();
    }
    const std::string_view payload = ItemPayload(id);
    if (!forParsing)
        return ChildName(payload);
    if ((flags & SHGDN_INFOLDER) && ChildrenAreEntries())
        return std::string(payload.substr(1));
    const std::string path = ChildPath(payload);
    return path.empty() ? VirtualChildParsingName(payload) : path;
}

int IShellFolder::SetNameOf(PCItemIDList id, std::string_view newName, TItemIDListPtr& newId)
{
    if (IsEmptyList(id))
        return EINVAL;
    const std::string_view payload = ItemPayload(id);
    if (!IsSingleItem(id)) {
        const std::shared_ptr<IShellFolder> child = BindChild(payload);
        TItemIDListPtr rest;
        const int error = child ? child->SetNameOf(NextItemID(id), newName, rest) : ENOENT;
        if (error == 0)
            newId = JoinItemIDLists(MakeItemIDList(payload).get(), rest.get());
        return error;
    }
    std::string newPayload;
    const int error = RenameChild(payload, newName, newPayload);
    if (error == 0)
        newId = MakeItemIDList(newPayload);
    return error;
}

std::optional<std::string> IShellFolder::GetDetailsOf(PCItemIDList id, int column)
{
    if (column == 0)
        return GetDisplayNameOf(id, SHGDN_INFOLDER);
    const std::string path = PathOf(id);
    if (path.empty())
        return std::nullopt;
    const std::optional<TFindData> data = ReadEntryFindData(path);
    if (!data)
        return std::nullopt;
    switch (column) {
    case 1:
    case 2: return FindDataColumnText(*data, column);
    case 3: return ShellDateTimeText(data->LastWriteTime);
    case 4: return ShellDateTimeText(data->CreationTime);
    default: return std::nullopt;
    }
}

TShellIcon IShellFolder::IconOf(PCItemIDList id, bool open)
{
    if (IsEmptyList(id))
        return SelfIcon();
    if (!IsSingleItem(id)) {
        const std::shared_ptr<IShellFolder> child = BindChild(ItemPayload(id));
        return child ? child->IconOf(NextItemID(id), open) : siFile;
    }
    const std::string_view payload = ItemPayload(id);
    if (const std::optional<TShellIcon> own = ChildIcon(payload))
        return *own;
    if (ChildAttributes(payload, 0) & SFGAO_FOLDER)
        return open ? siOpenFolder : siFolder;
    return FileIconForName(ChildName(payload));
}

std::string IShellFolder::PathOf(PCItemIDList id)
{
    if (IsEmptyList(id))
        return SelfPath();
    if (!IsSingleItem(id)) {
        const std::shared_ptr<IShellFolder> child = BindChild(ItemPayload(id));
        return child ? child->PathOf(NextItemID(id)) : std::string();
    }
    return ChildPath(ItemPayload(id));
}

std::string IShellFolder::VirtualChildParsingName(std::string_view)
{
    return {};
}

SFGAOF IShellFolder::VirtualChildAttributes(std::string_view)
{
    return 0;
}

int IShellFolder::ChildRank(std::string_view)
{
    return 0;
}

std::shared_ptr<IShellFolder> IShellFolder::BindChild(std::string_view payload)
{
    const std::string path = ChildPath(payload);
    return path.empty() ? nullptr : std::make_shared<TFileSystemFolder>(path);
}

std::optional<TShellIcon> IShellFolder::ChildIcon(std::string_view)
{
    return std::nullopt;
}

SFGAOF IShellFolder::ExtraChildAttributes(std::string_view)
{
    return 0;
}

int IShellFolder::RenameChild(std::string_view, std::string_view, std::string&)
{
    return EPERM;
}

} // namespace tovrel
