#include "platform/shell/ShellItems.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellLauncher.h"
#include "platform/shell/ShellUnit.h"
#include <cerrno>

namespace tovrel {

namespace {

using Cap = TskShellFolderCapability;
using Prop = TskShellFolderProperty;

// What a folder that is not there lists: nothing.
class TEmptyShellFolder : public IShellFolder {
protected:
    std::vector<std::string> ChildPayloads() override { return {}; }
    std::string ChildPath(std::string_view) override { return {}; }
    std::string ChildName(std::string_view) override { return {}; }
    std::string SelfPath() override { return {}; }
    std::string SelfName() override { return {}; }
};

template <class E> struct TAttributeValue {
    SFGAOF Attribute;
    E Value;
};

constexpr TAttributeValue<Cap> CapabilityAttributes[] = {
    {SFGAO_CANCOPY, Cap::fcCanCopy},          {SFGAO_CANDELETE, Cap::fcCanDelete},
    {SFGAO_CANLINK, Cap::fcCanLink},          {SFGAO_CANMOVE, Cap::fcCanMove},
    {SFGAO_CANRENAME, Cap::fcCanRename},      {SFGAO_DROPTARGET, Cap::fcDropTarget},
    {SFGAO_HASPROPSHEET, Cap::fcHasPropSheet}};

constexpr TAttributeValue<Prop> PropertyAttributes[] = {
    {SFGAO_GHOSTED, Prop::fpCut},           {SFGAO_LINK, Prop::fpIsLink},
    {SFGAO_READONLY, Prop::fpReadOnly},     {SFGAO_SHARE, Prop::fpShared},
    {SFGAO_FILESYSTEM, Prop::fpFileSystem}, {SFGAO_FILESYSANCESTOR, Prop::fpFileSystemAncestor},
    {SFGAO_REMOVABLE, Prop::fpRemovable},   {SFGAO_VALIDATE, Prop::fpValidate}};

template <class E, std::size_t N>
TEnumSet<E> QuerySet(const std::shared_ptr<IShellFolder>& folder, PCItemIDList id, SFGAOF request,
                     const TAttributeValue<E> (&map)[N])
{
    TEnumSet<E> result;
    if (!folder)
        return result;
    const SFGAOF attributes = folder->GetAttributesOf(id, request);
    for (const TAttributeValue<E>& entry : map)
        if (attributes & entry.Attribute)
            result.Include(entry.Value);
    return result;
}

} // namespace

void RaiseDetailsError(const TskShellFolder& AFolder, int Code)
{
    throw EInvalidPath(
        Format("Unable to retrieve folder details for \"%s\". Error code $%x", AFolder.DisplayName(), unsigned(Code)));
}

TFindData ReadFindData(const TskShellFolder& AFolder)
{
    const std::string path = AFolder.FullObjectName();
    int error = ENOENT;
    std::optional<TFindData> data = path.empty() ? std::nullopt : ReadEntryFindData(path, &error);
    if (!data)
        RaiseDetailsError(AFolder, error);
    return std::move(*data);
}

std::uint32_t ObjectTypesToEnumFlags(TShellObjectTypes types)
{
    return (types.Contains(TShellObjectType::otFolders) ? SHCONTF_FOLDERS : 0) |
           (types.Contains(TShellObjectType::otNonFolders) ? SHCONTF_NONFOLDERS : 0) |
           (types.Contains(TShellObjectType::otHidden) ? SHCONTF_INCLUDEHIDDEN : 0);
}

std::string ItemDisplayName(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID, std::uint32_t Flags)
{
    if (!Folder)
        return "parentfolder = nil";
    std::string name = Folder->GetDisplayNameOf(ID, Flags);
    if (name.starts_with("::{"))
        name = Folder->GetDisplayNameOf(ID, SHGDN_NORMAL);
    return name;
}

TskShellFolderCapabilities QueryCapabilities(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID)
{
    return QuerySet(Folder, ID, SFGAO_CAPABILITYMASK, CapabilityAttributes);
}

TskShellFolderProperties QueryProperties(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID)
{
    return QuerySet(Folder, ID, SFGAO_DISPLAYATTRMASK, PropertyAttributes);
}

bool QueryIsFolder(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID)
{
    return Folder && (Folder->GetAttributesOf(ID, SFGAO_FOLDER) & SFGAO_FOLDER);
}

bool QueryHasSubFolders(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID)
{
    return Folder && (Folder->GetAttributesOf(ID, SFGAO_HASSUBFOLDER) & SFGAO_HASSUBFOLDER);
}

bool FolderHasItems(const std::shared_ptr<IShellFolder>& Folder, std::uint32_t Flags)
{
    return Folder && !Folder->EnumObjects(Flags).empty();
}

std::shared_ptr<IShellFolder> BindItemShellFolder(const std::shared_ptr<IShellFolder>& Folder, PCItemIDList ID)
{
    std::shared_ptr<IShellFolder> bound = Folder ? Folder->BindToObject(ID) : nullptr;
    return bound ? bound : std::make_shared<TEmptyShellFolder>();
}

TskShellFolder::TskShellFolder(TskShellFolder* AParent, PCItemIDList ID, std::shared_ptr<IShellFolder> SF)
    : FPIDL(CopyItemIDList(ID)), FFullPIDL(JoinItemIDLists(AParent ? AParent->AbsoluteID() : nullptr, ID)),
      FParent(AParent ? AParent : DesktopShellFolder()), FIShellFolder(std::move(SF))
{
    for (const TskShellFolder* p = AParent; p && p->FParent; p = p->FParent)
        ++FLevel;
}

std::shared_ptr<IShellFolder> TskShellFolder::ParentShellFolder() const
{
    if (FParent && FParent->FIShellFolder)
        return FParent->FIShellFolder;
    return DesktopIShellFolder();
}

TskShellFolderCapabilities TskShellFolder::Capabilities() const
{
    return QueryCapabilities(ParentShellFolder(), RelativeID());
}

TskShellFolderProperties TskShellFolder::Properties() const
{
    return QueryProperties(ParentShellFolder(), RelativeID());
}

bool TskShellFolder::SubFolders() const
{
    return QueryHasSubFolders(ParentShellFolder(), RelativeID());
}

bool TskShellFolder::IsFolder() const
{
    return QueryIsFolder(ParentShellFolder(), RelativeID()) && UpperCase(ExtractFileExt(FullObjectName())) != ".ZIP";
}

std::string TskShellFolder::DisplayName() const
{
    return ItemDisplayName(ParentShellFolder(), RelativeID(), SHGDN_INFOLDER);
}

std::string TskShellFolder::PathName() const
{
    return ItemDisplayName(DesktopIShellFolder(), AbsoluteID(), SHGDN_FORPARSING);
}

std::string TskShellFolder::FullObjectName() const
{
    return DesktopIShellFolder()->PathOf(AbsoluteID());
}

int TskShellFolder::ImageIndex(bool LargeIcon) const
{
    return ShellIconIndex(AbsoluteID(), LargeIcon, false);
}

bool TskShellFolder::Rename(std::string_view NewName)
{
    if (!Capabilities().Contains(Cap::fcCanRename))
        return false;
    TItemIDListPtr newID;
    if (ParentShellFolder()->SetNameOf(RelativeID(), NewName, newID) != 0)
        throw Exception(Format("Rename to %s failed", NewName));
    FPIDL = std::move(newID);
    FFullPIDL = JoinItemIDLists(FParent ? FParent->AbsoluteID() : nullptr, FPIDL.get());
    // The cached texts and the bound folder still describe the old name.
    FDetails.clear();
    FIShellFolder2.reset();
    FDetailResolved = false;
    if (FIShellFolder)
        FIShellFolder = BindItemShellFolder(ParentShellFolder(), FPIDL.get());
    return true;
}

int TskShellFolder::ExecuteDefault() const
{
    const std::string path = FullObjectName();
    if (path.empty())
        return 0;
    return ShellLauncher()->Open(path, ExtractFileDir(path)) ? 1 : 0;
}

void TskShellFolder::ResolveDetailInterface()
{
    if (FDetailResolved || !FIShellFolder)
        return;
    // Every folder of this namespace answers column queries itself.
    FIShellFolder2 = FIShellFolder;
    FDetailResolved = true;
}

std::shared_ptr<IShellFolder> TskShellFolder::ShellFolder2()
{
    ResolveDetailInterface();
    return FIShellFolder2;
}

void TskShellFolder::LoadColumnDetails(TskShellFolder* RootFolder, std::uint32_t Handle, int ColumnCount)
{
    if (int(FDetails.size()) >= ColumnCount)
        return;
    FDetails.clear();
    FViewHandle = Handle;
    const std::shared_ptr<IShellFolder> details = RootFolder ? RootFolder->ShellFolder2() : nullptr;
    if (!details)
        return;
    for (int column = 1; column <= ColumnCount; ++column)
        FDetails.push_back(details->GetDetailsOf(RelativeID(), column).value_or(std::string()));
}

std::string TskShellFolder::Details(int Index) const
{
    if (FDetails.empty())
        throw Exception(Format("%s: Missing call to LoadColumnDetails", DisplayName()));
    if (Index < 1 || Index > int(FDetails.size()))
        return {};
    return FDetails[std::size_t(Index - 1)];
}

} // namespace tovrel
