#pragma once
// A skinned combo box whose list is a piece of the shell namespace drawn as an
// indented outline with icons: the root (the desktop by default), the root's
// child folders, the volumes under Computer when the root is the desktop, and
// the chain of folders down to the one shown. Choosing an entry moves a
// linked list view there; a linked view that moves tells the box, which
// inserts the way to the new folder and selects it.
#include "platform/shell/ShellRoots.h"
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/ImageListHandles.h"
#include "skin/controls/SkinComboBox.h"
#include "skin/shell/ShellComboItems.h"
#include "skin/shell/ShellListViewLink.h"

#include <memory>
#include <string>

namespace tovrel {

class TskCustomShellTreeView;

class TskCustomShellComboBox : public TskSkinCustomComboBox, public IShellComboLink {
public:
    explicit TskCustomShellComboBox(TComponent* AOwner);
    ~TskCustomShellComboBox() override;

    const TRoot& Root() const { return FRoot; }
    // A value equal to the current one without regard to case changes
    // nothing. A root that names nothing raises "Error setting path" and
    // the box keeps its old root and outline.
    void SetRoot(const TRoot& Value) override;
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);

    IShellListViewLink* ShellListView() const { return FListView; }
    void SetShellListView(IShellListViewLink* Value);
    TskCustomShellTreeView* ShellTreeView() const { return FTreeView; }
    // Links a tree as the tree's own SetShellComboBox does.
    void SetShellTreeView(TskCustomShellTreeView* Value);
    // Holds the tree's link without calling back.
    void SetTreeViewLink(TskCustomShellTreeView* Tree);
    // The box's side of a link a shell list view made.
    TComponent* LinkComponent() override { return this; }
    void SetListView(TskCustomShellListView* Value) override;

    // The selected entry's path name; "" with nothing selected.
    std::string Path();
    // EInvalidPath "Error setting path" for a text that names nothing.
    void SetPath(const std::string& Value);
    // Shows the folder of an absolute list (from a linked view).
    void FollowFolder(PCItemIDList ID) override;

    const TskItemsEx& ItemsEx() const { return FItemsEx; }
    // The folder of entry Index; past the end the last one, nullptr below 0
    // or without entries.
    TskShellFolder* FolderAt(int Index) const;
    // The highest entry showing ID; -1 when none.
    int IndexOfID(PCItemIDList ID) const;
    TskShellFolder* RootFolder() const { return FRootFolder.get(); }
    HIMAGELIST ImagesHandle() const { return FImages; }
    int ImageWidth() const { return FImageWidth; }
    int ImageHeight() const { return FImageHeight; }

protected:
    void Loaded() override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Change() override;
    void Click() override;
    virtual void FillDefaultItems();

    void DrawComboItem(TCanvas& C, int Index, TRect TxtRect);
    void DrawListItem(TCanvas& C, int Index, TRect TxtRect);

private:
    void InitItems();
    void AddChildItems(int Index, TskShellFolder& Folder);
    void SelectItemIDList(PCItemIDList ID);
    void InsertFolderItem(int Index, const std::string& Caption, std::unique_ptr<TskShellFolder> Folder);
    void ClearFolderItems();
    void SyncItems();
    int ItemImageIndex(const TskShellFolder& Folder) const;
    void ApplyShellImages(bool Value);
    void RootChanged();
    void DrawItem(TCanvas& C, int Index, TRect TxtRect, int Indent);
    void ListViewRemoved();

    TskItemsEx FItemsEx;
    HIMAGELIST FImages = nullptr;
    int FImageHeight = 16, FImageWidth = 16;
    TRoot FOldRoot;
    TRoot FRoot = "rfDesktop";
    std::unique_ptr<TskShellFolder> FRootFolder;
    IShellListViewLink* FListView = nullptr;
    TComponentRef<TComponent> FListViewComponent;
    TComponentRef<TskCustomShellTreeView> FTreeView{*this};
    TShellObjectTypes FObjectTypes{TShellObjectType::otFolders};
    bool FUseShellImages = true;
    bool FUpdating = false;
};

class TskSkinShellComboBox : public TskCustomShellComboBox {
public:
    using TskCustomShellComboBox::TskCustomShellComboBox;
};

} // namespace tovrel
