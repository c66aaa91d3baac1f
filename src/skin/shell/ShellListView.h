#pragma once
// A skinned list of one shell folder's items: four view styles, name, size,
// type and date columns, sorting by column, opening folders and files,
// renaming in place, deleting to the trash, re-reading on a change in the
// folder, and keeping a linked combo box on the same folder.
#include "platform/shell/ShellChangeNotifier.h"
#include "platform/shell/ShellRoots.h"
#include "platform/shell/ShellVerbs.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinListView.h"
#include "skin/shell/AddFolderEvent.h"
#include "skin/shell/ShellItemOrder.h"
#include "skin/shell/ShellListViewLink.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tovrel {

class TskCustomShellTreeView;

class TskCustomShellListView : public TskSkinCustomListView, public IbsShellVerbHandler, public IShellListViewLink {
public:
    explicit TskCustomShellListView(TComponent* AOwner);
    ~TskCustomShellListView() override;

    // Opens the parent of the shown folder; nothing at the desktop.
    void Back();
    // Reads the shown folder again and selects the same row number when it
    // still exists.
    void Refresh();
    // The selected file's path; "" when none or a folder is selected.
    std::string GetSelectedFile();
    void GetSelectedFiles(TStrings* AFiles);
    TskShellFolder* SelectedFolder();
    TskShellFolder* GetFolder(int Index) const;
    int FolderCount() const { return int(FFolders.size()); }
    // A linked control moved to ID.
    void FollowFolder(PCItemIDList ID) override;
    void OpenFolderID(PCItemIDList ID);
    void BuildColumns();
    // Starts editing the selected row's name.
    void BeginRename();
    // Moves the selected rows' items to the trash and reads the folder again;
    // false when one of them could not be moved.
    bool DeleteSelected();

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;

    TskShellFolder* RootFolder() const { return FRootFolder.get(); }
    std::string Path() const;
    // EInvalidPath "Error setting path: \"%s\"" when the shell cannot parse it.
    void SetPath(const std::string& Value);
    const TRoot& Root() const { return FRoot; }
    void SetRoot(const TRoot& Value) override;
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    void SetObjectTypes(TShellObjectTypes Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    // Whether a watcher of the shown folder runs.
    bool Watching() const { return FNotifier && FNotifier->Watching(); }
    void SetViewStyle(TViewStyle Value) override;
    IShellComboLink* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(IShellComboLink* Value);
    // The list's side of a link a shell combo box made.
    TComponent& LinkComponent() override { return *this; }
    void SetComboBoxLink(TskCustomShellComboBox* Box) override;
    // Holds the link without calling back.
    void SetComboBoxLink(IShellComboLink* Box);
    TskCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    // Links a tree as the tree's own SetShellListView does.
    void SetShellTreeView(TskCustomShellTreeView* Value);
    // Holds the tree's link without calling back.
    void SetTreeViewLink(TskCustomShellTreeView* Tree);
    // The column of the last header sort (-1 none) and its direction.
    int SortColumn() const { return FSortColumn; }
    bool SortDescending() const { return FSortDirection; }

    bool AutoNavigate = true;
    bool AutoContextMenus = true;
    TAddFolderEvent OnAddFolder;
    TNotifyEvent OnPathChanged;

    // Fills and searches owner-data rows (public so the list control asks).
    bool OwnerDataFetch(TListItem* Item, TItemRequests Request) override;
    int OwnerDataFind(TItemFind Find, const std::string& FindString, TPoint FindPosition, void* FindData,
                      int StartIndex, TSearchDirection Direction, bool Wrap) override;

protected:
    // Reads RootFolder's items into the rows.
    virtual void LoadItems();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void ColClick(TListColumn* Column) override;
    void DblClick() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void DoContextPopup(TPoint MousePos, bool& Handled) override;
    void Edit(TListItem* Item, const char* Text) override;

private:
    void CreateRootFolder();
    void DropRootFolder();
    void Reload();
    void SyncLinkedControls();
    void DiscardItems();
    bool ItemMatchesMask(const TskShellFolder& Folder) const;
    void AddDefaultColumns(int Count);
    std::string ColumnCaption(const char* Key, const char* BuiltIn) const;
    void SortRows(const TShellSortOrder& Order);
    void OpenSelectedFolder();
    // The window handle as the shell items keep it.
    std::uint32_t ShellViewHandle() { return std::uint32_t(reinterpret_cast<std::uintptr_t>(Handle())); }

    int FOldSortColumn = -1;
    int FSortColumn = -1;
    bool FSortDirection = false;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TskShellFolder> FRootFolder;
    bool FAutoRefresh = false;
    bool FSorted = true;
    bool FUpdating = false;
    bool FSettingRoot = false;
    TShellObjectTypes FObjectTypes{TShellObjectType::otFolders, TShellObjectType::otNonFolders};
    std::vector<std::unique_ptr<TskShellFolder>> FFolders;
    IShellComboLink* FComboBox = nullptr;
    TComponentRef<TskCustomShellTreeView> FTreeView{*this};
    TComponent* FComboBoxComponent = nullptr;
    std::unique_ptr<TskShellChangeNotifier> FNotifier;
    std::string FMask = "*.*|*.*";
};

class TskSkinFileListView : public TskCustomShellListView {
public:
    using TskCustomShellListView::TskCustomShellListView;
};

} // namespace tovrel
