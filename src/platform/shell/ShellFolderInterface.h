#pragma once
// One folder of the namespace: what the shell controls ask of a folder about
// its children. A relative list of several items is answered by the folder of
// its first item, and so on down. Folders are held in std::shared_ptr.
//
// A concrete folder says only what its children are (ChildPayloads), where
// they live on the disk (ChildPath, "" for a virtual item) and how they are
// named; everything the file system can tell (attributes, details, order) is
// worked out here from that path.
#include "platform/shell/ItemIDList.h"
#include "platform/shell/ShellIconKinds.h"
#include "platform/shell/ShellTypes.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class IShellFolder {
public:
    virtual ~IShellFolder() = default;

    // The desktop parses absolute paths and namespace names into absolute
    // lists; other folders parse nothing. nullptr when the name names nothing.
    virtual TItemIDListPtr ParseDisplayName(std::string_view name);
    // The children SHCONTF flags ask for, folders first, then by name without
    // regard to case. A folder that is not there (any more) has none.
    std::vector<TItemIDListPtr> EnumObjects(std::uint32_t flags);
    // The folder of a relative list; nullptr when it names no item of a folder.
    std::shared_ptr<IShellFolder> BindToObject(PCItemIDList id);
    // Negative when a comes first, 0 only for identical lists.
    int CompareIDs(PCItemIDList a, PCItemIDList b);
    // SFGAO bits of the item; 0 for an item that is not there. HASSUBFOLDER is
    // worked out only when asked for in request.
    SFGAOF GetAttributesOf(PCItemIDList id, SFGAOF request);
    // SHGDN_NORMAL or INFOLDER: the name to show (UTF-8). FORPARSING: the path,
    // raw bytes (with INFOLDER: the raw name within the folder); a virtual item
    // answers with a "::{" name.
    std::string GetDisplayNameOf(PCItemIDList id, std::uint32_t flags);
    // Renames an item in its folder, never replacing another entry: 0 and the
    // new relative list, or an errno value.
    int SetNameOf(PCItemIDList id, std::string_view newName, TItemIDListPtr& newId);
    // Column texts: 0 name, 1 size, 2 type, 3 modified, 4 created; nothing for
    // an item without file-system details.
    std::optional<std::string> GetDetailsOf(PCItemIDList id, int column);
    TShellIcon IconOf(PCItemIDList id, bool open);
    // The item's file-system path, "" for a virtual item.
    std::string PathOf(PCItemIDList id);

protected:
    virtual std::vector<std::string> ChildPayloads() = 0;
    virtual std::string ChildPath(std::string_view payload) = 0;
    virtual std::string ChildName(std::string_view payload) = 0;
    // The parsing name of a virtual child.
    virtual std::string VirtualChildParsingName(std::string_view payload);
    virtual SFGAOF VirtualChildAttributes(std::string_view payload);
    // Earlier ranks list first whatever their names.
    virtual int ChildRank(std::string_view payload);
    virtual std::shared_ptr<IShellFolder> BindChild(std::string_view payload);
    virtual std::optional<TShellIcon> ChildIcon(std::string_view payload);
    virtual SFGAOF ExtraChildAttributes(std::string_view payload);
    // Entries of a real folder can be renamed, moved and deleted; the places
    // of the desktop and of Computer cannot.
    virtual bool ChildrenAreEntries() const { return false; }
    virtual int RenameChild(std::string_view payload, std::string_view newName, std::string& newPayload);
    // The folder itself, for the empty list.
    virtual std::string SelfPath() = 0;
    virtual std::string SelfName() = 0;
    virtual TShellIcon SelfIcon() { return siFolder; }

private:
    SFGAOF ChildAttributes(std::string_view payload, SFGAOF request);
    SFGAOF PathAttributes(const std::string& path, std::string_view name, SFGAOF request);
    int CompareChildren(std::string_view a, std::string_view b);
};

// The parsing name of Computer (not a path, so its path name is its display name).
constexpr std::string_view ComputerParsingName = "::{computer}";

} // namespace tovrel
