#pragma once
// One item of the namespace as the shell controls hold it: its list relative
// to its parent and from the desktop, its parent, its own folder (when it is
// one) and the column texts cached for it.
#include "platform/rtl/Exceptions.h"
#include "platform/shell/FindData.h"
#include "platform/shell/ItemIDList.h"
#include "platform/shell/ShellFolderInterface.h"
#include "platform/shell/ShellTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

class EInvalidPath : public Exception {
public:
    using Exception::Exception;
};

class TskShellFolder {
public:
    // AParent may be nullptr: the parent is then the desktop item and the
    // absolute list a copy of ID. SF is the item's own folder, nullptr for an
    // item that is no folder.
    TskShellFolder(TskShellFolder* AParent, PCItemIDList ID, std::shared_ptr<IShellFolder> SF);
    TskShellFolder(const TskShellFolder&) = delete;
    TskShellFolder& operator=(const TskShellFolder&) = delete;
    virtual ~TskShellFolder() = default;

    // The parent's folder; the desktop's when there is no parent.
    std::shared_ptr<IShellFolder> ParentShellFolder() const;
    TskShellFolderCapabilities Capabilities() const;
    TskShellFolderProperties Properties() const;
    bool SubFolders() const;
    // A folder, but never a .zip archive.
    bool IsFolder() const;
    std::string DisplayName() const;
    // The file-system path, or the display name of a virtual item.
    std::string PathName() const;
    // The file-system path; "" for a virtual item.
    std::string FullObjectName() const;
    int ImageIndex(bool LargeIcon) const;
    // False without fcCanRename; Exception "Rename to %s failed" when refused.
    // Never replaces an existing entry.
    bool Rename(std::string_view NewName);
    // Opens the item with its default program through the launcher; 1 when
    // started, 0 otherwise.
    int ExecuteDefault() const;
    void LoadColumnDetails(TskShellFolder* RootFolder, std::uint32_t Handle, int ColumnCount);
    // Column text Index (1-based) loaded by LoadColumnDetails.
    std::string Details(int Index) const;
    std::shared_ptr<IShellFolder> ShellFolder2();

    PCItemIDList AbsoluteID() const { return FFullPIDL.get(); }
    PCItemIDList RelativeID() const { return FPIDL.get(); }
    TskShellFolder* Parent() const { return FParent; }
    const std::shared_ptr<IShellFolder>& ShellFolder() const { return FIShellFolder; }
    int Level() const { return FLevel; }
    std::uint32_t ViewHandle() const { return FViewHandle; }
    void SetViewHandle(std::uint32_t handle) { FViewHandle = handle; }

private:
    void ResolveDetailInterface();

    TItemIDListPtr FPIDL;
    TItemIDListPtr FFullPIDL;
    TskShellFolder* FParent = nullptr;
    std::shared_ptr<IShellFolder> FIShellFolder;
    std::shared_ptr<IShellFolder> FIShellFolder2;
    bool FDetailResolved = false;
    int FLevel = 0;
    std::uint32_t FViewHandle = 0;
    std::vector<std::string> FDetails;
};

// EInvalidPath "Unable to retrieve folder details for \"%s\". Error code $%x"
// with the folder's display name and code.
[[noreturn]] void RaiseDetailsError(const TskShellFolder& AFolder, int Code);
// The file-system record of the item at AFolder's path; RaiseDetailsError
// with the system's error code when it cannot be read.
TFindData ReadFindData(const TskShellFolder& AFolder);

// The display name of ID in Folder; "parentfolder = nil" without a folder.
std::string ItemDisplayName(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID, std::uint32_t Flags);
TskShellFolderCapabilities QueryCapabilities(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID);
TskShellFolderProperties QueryProperties(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID);
bool QueryIsFolder(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID);
bool QueryHasSubFolders(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID);
bool FolderHasItems(const std::shared_ptr<IShellFolder>& Folder, std::uint32_t Flags);
// The item's folder, or an empty folder when it names none: never the
// desktop in its place.
std::shared_ptr<IShellFolder> BindItemShellFolder(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID);

} // namespace tovrel
