#pragma once
// A skinned tree of the shell namespace below one root: the root node, and
// each folder's children read from the shell only when it is first expanded.
// The selected node is the tree's folder (Path): a linked shell list view and
// shell combo box follow it, and the tree follows them. The shell's context
// menu on a right click, renaming in place, and with AutoRefresh a watcher
// that rebuilds the selected node when its folder changes.
#include "platform/shell/ShellChangeNotifier.h"
#include "platform/shell/ShellRoots.h"
#include "platform/shell/ShellVerbs.h"
#include "platform/vcl/ComponentRef.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/shell/AddFolderEvent.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace tovrel {

class TskCustomShellComboBox;
class TskCustomShellListView;

class TskCustomShellTreeView : public TskSkinCustomTreeView, public IbsShellVerbHandler {
public:
    explicit TskCustomShellTreeView(TComponent* AOwner);
    ~TskCustomShellTreeView() override;

    // The selected folder's path name; "" without a selection.
    std::string Path();
    // Selects the folder (reading the way to it) and expands it one level;
    // EInvalidPath "Error setting path: \"%s\"" for a text that names nothing.
    void SetPath(const std::string& Value);
    const TRoot& Root() const { return FRoot; }
    // A root that names nothing raises "Error setting path" and the tree is
    // rebuilt from the old one.
    void SetRoot(const TRoot& Value);
    TShellObjectTypes ObjectTypes() const { return FObjectTypes; }
    virtual void SetObjectTypes(TShellObjectTypes Value);
    bool UseShellImages() const { return FUseShellImages; }
    void SetUseShellImages(bool Value);
    bool AutoRefresh() const { return FAutoRefresh; }
    void SetAutoRefresh(bool Value);
    // Whether a watcher runs, and the folder it watches.
    bool Watching() const { return FNotifier && FNotifier->Watching(); }
    std::string WatchedFolder() const { return FNotifier ? FNotifier->Root() : std::string(); }

    TskCustomShellListView* ShellListView() const { return FListView; }
    void SetShellListView(TskCustomShellListView* Value);
    TskCustomShellComboBox* ShellComboBox() const { return FComboBox; }
    void SetShellComboBox(TskCustomShellComboBox* Value);

    // Rebuilds the node's subtree from the shell, keeping what was expanded,
    // the selection and the top row where they still exist.
    void Refresh(TTreeNode* Node);
    // Selects and expands Computer (clears the selection when it is not in the tree).
    void ExpandMyComputer();
    TskShellFolder* SelectedFolder() const;
    TskShellFolder* RootFolder() const { return FRootFolder.get(); }
    // Selects the node of an absolute list, expanding the way to it; nothing
    // while the tree tells its linked controls.
    void SelectFolderID(PCItemIDList ID);
    // The node under StartNode (StartNode included) showing ID; nullptr when
    // none is loaded.
    TTreeNode* FindNodeByID(PCItemIDList ID, TTreeNode* StartNode) const;
    static TskShellFolder* NodeFolder(const TTreeNode* Node);

    void ExecuteCommand(const std::string& Verb, bool& Handled) override;
    void CommandCompleted(const std::string& Verb, bool Succeeded) override;

    bool AutoContextMenus = true;
    TAddFolderEvent OnAddFolder;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    bool CanChange(TTreeNode* Node) override;
    bool CanExpand(TTreeNode* Node) override;
    void Delete(TTreeNode* Node) override;
    void Edit(TTreeNode* Node, const char* Text) override;
    void GetImageIndex(TTreeNode* Node) override;
    void GetSelectedIndex(TTreeNode* Node) override;
    void DoContextPopup(TPoint MousePos, bool& Handled) override;

private:
    void LoadRoot();
    void ReloadRoot();
    void LoadChildren(TTreeNode* Node);
    void SetupFolderNode(TTreeNode* Node, PCItemIDList ID, TTreeNode* ParentNode);
    void SetNodeImages(TTreeNode* Node, PCItemIDList AbsoluteID);
    void AttachFolder(TTreeNode* Node, std::unique_ptr<TskShellFolder> Folder);
    void DiscardNodes();
    void RefreshSelected();
    // Nodes are read from the shell when the window is made, as the
    // framework's tree makes its window when its nodes are first asked for.
    void EnsureNodes();
    void TellLinkedControls(PCItemIDList ID);
    HIMAGELIST WindowImages() const;
    // Links a list or a box (nullptr: none), the old one told to forget the tree.
    template <class TView> void Relink(TComponentRef<TView>& Link, TView* Value);

    std::string FPath;
    TRoot FRoot = "rfDesktop";
    TRoot FOldRoot;
    std::unique_ptr<TskShellFolder> FRootFolder;
    TShellObjectTypes FObjectTypes{TShellObjectType::otFolders};
    bool FLoadingRoot = false;
    bool FUpdating = false;
    bool FAutoRefresh = false;
    bool FImageListChanging = false;
    bool FUseShellImages = true;
    TComponentRef<TskCustomShellListView> FListView{*this};
    TComponentRef<TskCustomShellComboBox> FComboBox{*this};
    std::unique_ptr<TskShellChangeNotifier> FNotifier;
    TTreeNode* FNodeToMonitor = nullptr;
    HIMAGELIST FImages = nullptr;
    // Each node's folder object, owned here and named by the node's Data.
    std::unordered_map<const TTreeNode*, std::unique_ptr<TskShellFolder>> FFolders;
};

class TskSkinDirTreeView : public TskCustomShellTreeView {
public:
    using TskCustomShellTreeView::TskCustomShellTreeView;
};

} // namespace tovrel
