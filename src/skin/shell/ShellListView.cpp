// The shell list's folder, its rows and its links.
#include "skin/shell/ShellListView.h"
#include "skin/shell/BusyCursor.h"
#include "skin/shell/UpdateScope.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/Paths.h"
#include "platform/rtl/Text.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellUnit.h"
#include "platform/shell/SystemImageLists.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/ImageListHandles.h"
#include "skin/controls/SkinFlagGuard.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellItemMask.h"
#include "skin/shell/ShellTreeView.h"

#include <utility>

namespace tovrel {

TskCustomShellListView::TskCustomShellListView(TComponent* AOwner) : TskSkinCustomListView(AOwner)
{
    SetOwnerData(true);
    HideSelection = false;
}

TskCustomShellListView::~TskCustomShellListView()
{
    FNotifier.reset();
    SetShellComboBox(nullptr);
    DropRootFolder();
}

std::string TskCustomShellListView::Path() const
{
    return FRootFolder ? FRootFolder->PathName() : std::string();
}

void TskCustomShellListView::SetPath(const std::string& Value)
{
    const TItemIDListPtr id = DesktopIShellFolder()->ParseDisplayName(Value);
    if (!id)
        throw EInvalidPath(Format("Error setting path: \"%s\"", Value));
    OpenFolderID(id.get());
}

void TskCustomShellListView::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot))
        return;
    FOldRoot = FRoot;
    FRoot = Value;
    CreateRootFolder();
    FSettingRoot = true;
    Reload();
}

void TskCustomShellListView::SetMask(const std::string& Value)
{
    if (Value == FMask)
        return;
    FMask = Value;
    Reload();
}

void TskCustomShellListView::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    Reload();
}

void TskCustomShellListView::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    LoadItems();
}

void TskCustomShellListView::SetAutoRefresh(bool Value)
{
    FAutoRefresh = Value;
    FNotifier.reset();
    if (!Value || !FRootFolder)
        return;
    FNotifier = std::make_unique<TskShellChangeNotifier>();
    FNotifier->SetWatchSubTree(false);
    FNotifier->SetRoot(FRootFolder->PathName());
    FNotifier->SetOnChange([this] { Refresh(); });
}

void TskCustomShellListView::SetShellComboBox(IShellComboLink* Value)
{
    if (Value == FComboBox)
        return;
    if (FComboBox)
        FComboBox->SetListView(nullptr);
    SetComboBoxLink(Value);
    if (!Value)
        return;
    Value->SetRoot(FRoot);
    Value->SetListView(this);
}

void TskCustomShellListView::SetTreeViewLink(TskCustomShellTreeView* Tree)
{
    FTreeView = Tree;
}

void TskCustomShellListView::SetShellTreeView(TskCustomShellTreeView* Value)
{
    if (Value)
        Value->SetShellListView(this);
    else if (FTreeView)
        FTreeView->SetShellListView(nullptr);
}

void TskCustomShellListView::SetComboBoxLink(IShellComboLink* Box)
{
    if (FComboBoxComponent)
        FComboBoxComponent->RemoveFreeNotification(this);
    FComboBox = Box;
    // Kept apart from the link: a box being destroyed can no longer be asked.
    FComboBoxComponent = Box ? Box->LinkComponent() : nullptr;
    if (FComboBoxComponent)
        FComboBoxComponent->FreeNotification(this);
}

void TskCustomShellListView::SetComboBoxLink(TskCustomShellComboBox* Box)
{
    SetComboBoxLink(static_cast<IShellComboLink*>(Box));
}

void TskCustomShellListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TskSkinCustomListView::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent && AComponent == FComboBoxComponent) {
        FComboBox = nullptr;
        FComboBoxComponent = nullptr;
    }
}

void TskCustomShellListView::CreateWnd()
{
    TskSkinCustomListView::CreateWnd();
    // The shell's icon lists live as long as the process.
    if (TCustomImageList* small = ImageListFromHandle(ShellSystemImageList(false)))
        SetSmallImages(small);
    if (TCustomImageList* large = ImageListFromHandle(ShellSystemImageList(true)))
        SetLargeImages(large);
    CreateRootFolder();
    Reload();
}

void TskCustomShellListView::DestroyWnd()
{
    DiscardItems();
    TskSkinCustomListView::DestroyWnd();
}

void TskCustomShellListView::CreateRootFolder()
{
    std::unique_ptr<TskShellFolder> folder = CreateFolderForRoot(FRootFolder, FOldRoot, FRoot);
    DropRootFolder();
    FRootFolder = std::move(folder);
}

void TskCustomShellListView::DropRootFolder()
{
    // The rows point to the folder as their parent: a linked control told of
    // the new folder before the rows are read again must find none left.
    DiscardItems();
    FRootFolder.reset();
}

TskShellFolder* TskCustomShellListView::GetFolder(int Index) const
{
    if (Index < 0 || Index >= int(FFolders.size()))
        return nullptr;
    return FFolders[std::size_t(Index)].get();
}

TskShellFolder* TskCustomShellListView::SelectedFolder()
{
    return GetFolder(ItemIndex());
}

std::string TskCustomShellListView::GetSelectedFile()
{
    const TskShellFolder* folder = SelectedFolder();
    return folder && !folder->IsFolder() ? folder->FullObjectName() : std::string();
}

void TskCustomShellListView::GetSelectedFiles(TStrings* AFiles)
{
    AFiles->Clear();
    for (int i = 0; i < FolderCount(); ++i)
        if ((ItemState(i, LVIS_SELECTED) & LVIS_SELECTED) && !GetFolder(i)->IsFolder())
            AFiles->Add(GetFolder(i)->FullObjectName());
}

void TskCustomShellListView::FollowFolder(PCItemIDList ID)
{
    if (FUpdating || (FRootFolder && ItemIDListsEqual(FRootFolder->AbsoluteID(), ID)))
        return;
    OpenFolderID(ID);
}

void TskCustomShellListView::OpenFolderID(PCItemIDList ID)
{
    if (FUpdating || (FRootFolder && ItemIDListsEqual(FRootFolder->AbsoluteID(), ID)))
        return;
    // ID may be a row's own list, which goes with the rows.
    const TItemIDListPtr target = CopyItemIDList(ID);
    DropRootFolder();
    FSettingRoot = false;
    FRootFolder = CreateFolderForID(target.get());
    Reload();
    if (OnPathChanged)
        OnPathChanged(this);
}

void TskCustomShellListView::Back()
{
    if (!FRootFolder || CountItemIDs(FRootFolder->AbsoluteID()) == 0)
        return;
    const TItemIDListPtr parent = CopyItemIDList(FRootFolder->AbsoluteID());
    CutLastItemID(parent.get());
    OpenFolderID(parent.get());
}

void TskCustomShellListView::Refresh()
{
    if (!FRootFolder)
        return;
    const int selected = ItemIndex();
    SetItemIndex(-1);
    const TItemIDListPtr shown = CopyItemIDList(FRootFolder->AbsoluteID());
    DropRootFolder();
    OpenFolderID(shown.get());
    if (selected >= 0 && selected < Items()->Count())
        SetItemIndex(selected);
}

void TskCustomShellListView::Reload()
{
    if (FUpdating)
        return;
    TskFlagGuard updating(FUpdating);
    const bool watch = FAutoRefresh;
    SetAutoRefresh(false);
    SyncLinkedControls();
    LoadItems();
    if (ViewStyle() == vsReport)
        BuildColumns();
    SetAutoRefresh(watch);
}

void TskCustomShellListView::SyncLinkedControls()
{
    if (FSettingRoot && FTreeView)
        FTreeView->SetRoot(FRoot);
    if (!FSettingRoot && FRootFolder && FTreeView)
        FTreeView->SelectFolderID(FRootFolder->AbsoluteID());
    if (!FSettingRoot && FRootFolder && FComboBox)
        FComboBox->FollowFolder(FRootFolder->AbsoluteID());
    FSettingRoot = false;
}

void TskCustomShellListView::DiscardItems()
{
    if (!ComponentState().Contains(csDestroying))
        Items()->SetCount(0);
    FFolders.clear();
}

bool TskCustomShellListView::ItemMatchesMask(const TskShellFolder& Folder) const
{
    return NameMatchesShellMask(ExtractFileName(Folder.FullObjectName()), FMask);
}

void TskCustomShellListView::LoadItems()
{
    if (!HandleAllocated() || !FRootFolder)
        return;
    TUpdateScope<TListItems> update(*Items());
    DiscardItems();
    TBusyCursor busy;
    const auto& shellFolder = FRootFolder->ShellFolder();
    if (!shellFolder)
        return;
    for (const TItemIDListPtr& id : shellFolder->EnumObjects(ObjectTypesToEnumFlags(FObjectTypes))) {
        auto folder =
            std::make_unique<TskShellFolder>(FRootFolder.get(), id.get(), BindItemShellFolder(shellFolder, id.get()));
        bool keep = folder->IsFolder() || ItemMatchesMask(*folder);
        if (OnAddFolder)
            OnAddFolder(this, folder.get(), keep);
        if (keep)
            FFolders.push_back(std::move(folder));
    }
    Items()->SetCount(FolderCount());
    if (FSorted)
        SortRows(TShellSortOrder{FRootFolder.get()});
}

void TskCustomShellListView::SortRows(const TShellSortOrder& Order)
{
    SortShellFolder = Order.Folder;
    struct TClearSortFolder {
        ~TClearSortFolder() { SortShellFolder = nullptr; }
    } clear;
    SortShellItems(FFolders, Order);
}

} // namespace tovrel
