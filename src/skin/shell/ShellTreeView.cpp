// The shell tree's root, its nodes read on demand, its path and its links.
#include "skin/shell/ShellTreeView.h"

#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"
#include "platform/shell/NamespaceFolders.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/SystemImageLists.h"
#include "platform/vcl/ImageListCalls.h"
#include "skin/controls/SkinFlagGuard.h"
#include "skin/shell/BusyCursor.h"
#include "skin/shell/ShellComboBox.h"
#include "skin/shell/ShellListView.h"
#include "skin/shell/UpdateScope.h"

#include <optional>

namespace tovrel {

TskCustomShellTreeView::TskCustomShellTreeView(TComponent* AOwner) : TskSkinCustomTreeView(AOwner)
{
    ShowRoot = false;
    RightClickSelect = true;
    SHFILEINFO info;
    const TItemIDListPtr desktop = DesktopItemIDList();
    FImages = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfo(desktop.get(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ImageList_SetBkColor(FImages, CLR_NONE);
}

TskCustomShellTreeView::~TskCustomShellTreeView()
{
    FNotifier.reset();
    SetShellListView(nullptr);
    SetShellComboBox(nullptr);
    // The nodes go with the base tree; their folder objects go now.
    for (auto& [node, folder] : FFolders)
        const_cast<TTreeNode*>(node)->Data = nullptr;
    FFolders.clear();
    FRootFolder.reset();
}

TskShellFolder* TskCustomShellTreeView::NodeFolder(const TTreeNode* Node)
{
    return Node ? static_cast<TskShellFolder*>(Node->Data) : nullptr;
}

TskShellFolder* TskCustomShellTreeView::SelectedFolder() const
{
    return NodeFolder(Selected());
}

std::string TskCustomShellTreeView::Path()
{
    const TskShellFolder* folder = SelectedFolder();
    return folder ? folder->PathName() : std::string();
}

void TskCustomShellTreeView::SetPath(const std::string& Value)
{
    FPath = Value;
    const TItemIDListPtr id = DesktopIShellFolder()->ParseDisplayName(Value);
    if (!id)
        throw EInvalidPath(Format("Error setting path: \"%s\"", Value));
    SelectFolderID(id.get());
    if (TTreeNode* node = Selected()) {
        node->Expand(false);
        CanChange(node);
    }
    FPath = Value;
}

void TskCustomShellTreeView::SetRoot(const TRoot& Value)
{
    if (SameText(Value, FRoot))
        return;
    FOldRoot = FRoot;
    FRoot = Value;
    ReloadRoot();
}

void TskCustomShellTreeView::SetObjectTypes(TShellObjectTypes Value)
{
    FObjectTypes = Value;
    ReloadRoot();
}

HIMAGELIST TskCustomShellTreeView::WindowImages() const
{
    if (Images())
        return ImageListHandle(Images());
    return FUseShellImages ? FImages : nullptr;
}

void TskCustomShellTreeView::SetUseShellImages(bool Value)
{
    FUseShellImages = Value;
    Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(WindowImages()));
}

void TskCustomShellTreeView::SetAutoRefresh(bool Value)
{
    FAutoRefresh = Value;
    FNotifier.reset();
    if (!Value || ComponentState().Contains(csLoading))
        return;
    const TskShellFolder* watched = FNodeToMonitor ? NodeFolder(FNodeToMonitor) : FRootFolder.get();
    if (!watched)
        return;
    FNotifier = std::make_unique<TskShellChangeNotifier>();
    FNotifier->SetWatchSubTree(false);
    FNotifier->SetRoot(watched->PathName());
    FNotifier->SetOnChange([this] { RefreshSelected(); });
}

void TskCustomShellTreeView::RefreshSelected()
{
    if (Selected())
        Refresh(Selected());
}

void TskCustomShellTreeView::SetShellListView(TskCustomShellListView* Value)
{
    Relink(FListView, Value);
}

void TskCustomShellTreeView::SetShellComboBox(TskCustomShellComboBox* Value)
{
    Relink(FComboBox, Value);
}

template <class TView> void TskCustomShellTreeView::Relink(TComponentRef<TView>& Link, TView* Value)
{
    if (Value == Link)
        return;
    // The old control forgets the tree first, so it never calls a tree that
    // no longer follows it.
    if (TView* old = Link) {
        Link = nullptr;
        old->SetTreeViewLink(nullptr);
    }
    if (Value) {
        Value->SetRoot(FRoot);
        Value->SetTreeViewLink(this);
    }
    Link = Value;
}

void TskCustomShellTreeView::TellLinkedControls(PCItemIDList ID)
{
    // The list may replace what ID points into; the box reads a copy too.
    const TItemIDListPtr copy = CopyItemIDList(ID);
    TskFlagGuard updating(FUpdating);
    if (FComboBox)
        FComboBox->FollowFolder(copy.get());
    if (FListView)
        FListView->FollowFolder(copy.get());
}

void TskCustomShellTreeView::CreateWnd()
{
    TskSkinCustomTreeView::CreateWnd();
    if (Items()->Count() > 0)
        DiscardNodes();
    if (!Images())
        SetUseShellImages(FUseShellImages);
    if (FLoadingRoot)
        return;
    LoadRoot();
    // A path that no longer names a folder was reported when it was set; the
    // new window keeps the root selected instead of failing to appear.
    if (!FPath.empty() && DesktopIShellFolder()->ParseDisplayName(FPath))
        SetPath(FPath);
}

void TskCustomShellTreeView::DestroyWnd()
{
    DiscardNodes();
    TskSkinCustomTreeView::DestroyWnd();
}

void TskCustomShellTreeView::EnsureNodes()
{
    if (!HandleAllocated() && Parent() && !ComponentState().Contains(csDestroying))
        HandleNeeded();
}

void TskCustomShellTreeView::LoadRoot()
{
    if (ComponentState().Contains(csLoading))
        return;
    std::optional<std::string> failure;
    try {
        std::unique_ptr<TskShellFolder> root = CreateFolderForRoot(FRootFolder, FOldRoot, FRoot);
        FRootFolder = std::move(root);
    } catch (const Exception& error) {
        failure = error.Message();
    }
    if (FRootFolder) {
        TskFlagGuard loading(FLoadingRoot);
        if (Items()->Count() > 0)
            DiscardNodes();
        TTreeNode* node = Items()->Add(nullptr, "");
        auto folder = std::make_unique<TskShellFolder>(nullptr, FRootFolder->AbsoluteID(), FRootFolder->ShellFolder());
        node->SetText(folder->DisplayName());
        if (FUseShellImages && !Images())
            SetNodeImages(node, folder->AbsoluteID());
        node->SetHasChildren(folder->SubFolders());
        AttachFolder(node, std::move(folder));
        node->Expand(false);
        SetSelected(node);
    }
    if (failure)
        throw EInvalidPath(*failure);
}

void TskCustomShellTreeView::ReloadRoot()
{
    if (FUpdating)
        return;
    TskFlagGuard updating(FUpdating);
    LoadRoot();
    if (FListView)
        FListView->SetRoot(FRoot);
}

void TskCustomShellTreeView::AttachFolder(TTreeNode* Node, std::unique_ptr<TskShellFolder> Folder)
{
    Node->Data = Folder.get();
    FFolders[Node] = std::move(Folder);
}

void TskCustomShellTreeView::SetNodeImages(TTreeNode* Node, PCItemIDList AbsoluteID)
{
    Node->SetImageIndex(ShellIconIndex(AbsoluteID, false, false));
    Node->SelectedIndex = ShellIconIndex(AbsoluteID, false, true);
}

void TskCustomShellTreeView::LoadChildren(TTreeNode* Node)
{
    TBusyCursor busy;
    TUpdateScope<TTreeNodes> update(*Items());
    const TskShellFolder* folder = NodeFolder(Node);
    if (!folder || !folder->ShellFolder())
        return;
    // The shell lists them in its own order already.
    for (const TItemIDListPtr& id : folder->ShellFolder()->EnumObjects(ObjectTypesToEnumFlags(FObjectTypes)))
        SetupFolderNode(Items()->AddChild(Node, ""), id.get(), Node);
}

void TskCustomShellTreeView::SetupFolderNode(TTreeNode* Node, PCItemIDList ID, TTreeNode* ParentNode)
{
    TskShellFolder* parent = NodeFolder(ParentNode);
    auto folder = std::make_unique<TskShellFolder>(parent, ID, BindItemShellFolder(parent->ShellFolder(), ID));
    Node->SetText(folder->DisplayName());
    if (FUseShellImages && !Images())
        SetNodeImages(Node, folder->AbsoluteID());
    if (Node->SelectedIndex == 0)
        Node->SelectedIndex = Node->ImageIndex();
    bool hasChildren = folder->SubFolders();
    if (FObjectTypes.Contains(TShellObjectType::otNonFolders) && folder->IsFolder())
        hasChildren = FolderHasItems(folder->ShellFolder(), ObjectTypesToEnumFlags(FObjectTypes));
    Node->SetHasChildren(hasChildren);
    TskShellFolder* added = folder.get();
    AttachFolder(Node, std::move(folder));
    bool canAdd = true;
    if (OnAddFolder)
        OnAddFolder(this, added, canAdd);
    if (!canAdd)
        Node->Delete();
}

void TskCustomShellTreeView::DiscardNodes()
{
    TUpdateScope<TTreeNodes> update(*Items());
    for (auto& [node, folder] : FFolders)
        const_cast<TTreeNode*>(node)->Data = nullptr;
    FFolders.clear();
    Items()->Clear();
}

void TskCustomShellTreeView::Delete(TTreeNode* Node)
{
    Node->Data = nullptr;
    FFolders.erase(Node);
    TskSkinCustomTreeView::Delete(Node);
}

bool TskCustomShellTreeView::CanExpand(TTreeNode* Node)
{
    const bool allow = TskSkinCustomTreeView::CanExpand(Node);
    if (const TskShellFolder* folder = allow ? NodeFolder(Node) : nullptr) {
        if (!folder->IsFolder())
            folder->ExecuteDefault();
        else if (Node->HasChildren() && Node->Count() == 0)
            LoadChildren(Node);
    }
    Node->SetHasChildren(Node->Count() > 0);
    return allow;
}

bool TskCustomShellTreeView::CanChange(TTreeNode* Node)
{
    const bool answer = TskSkinCustomTreeView::CanChange(Node);
    if (!answer || FUpdating || !Node)
        return answer;
    const bool watch = FAutoRefresh;
    SetAutoRefresh(false);
    if (const TskShellFolder* folder = NodeFolder(Node)) {
        if (!folder->IsFolder() && folder->Parent())
            folder = folder->Parent();
        TellLinkedControls(folder->AbsoluteID());
    }
    FNodeToMonitor = Node;
    SetAutoRefresh(watch);
    FNodeToMonitor = nullptr;
    return answer;
}

TTreeNode* TskCustomShellTreeView::FindNodeByID(PCItemIDList ID, TTreeNode* StartNode) const
{
    if (!StartNode)
        return nullptr;
    if (const TskShellFolder* folder = NodeFolder(StartNode); folder && ItemIDListsEqual(folder->AbsoluteID(), ID))
        return StartNode;
    for (int i = 0; i < StartNode->Count(); ++i)
        if (TTreeNode* found = FindNodeByID(ID, StartNode->Item(i)))
            return found;
    return nullptr;
}

void TskCustomShellTreeView::SelectFolderID(PCItemIDList AID)
{
    if (FUpdating || ComponentState().Contains(csLoading))
        return;
    EnsureNodes();
    if (const TskShellFolder* shown = SelectedFolder(); shown && ItemIDListsEqual(shown->AbsoluteID(), AID))
        return;
    const TItemIDListPtr copy = CopyItemIDList(AID);
    TTreeNode* target = nullptr;
    {
        TskFlagGuard updating(FUpdating);
        TUpdateScope<TTreeNodes> update(*Items());
        TTreeNode* start = Items()->GetFirstNode();
        for (const TItemIDListPtr& ancestor : ItemIDListAncestors(copy.get()))
            if (TTreeNode* node = FindNodeByID(ancestor.get(), start)) {
                node->Expand(false);
                start = node;
            }
        target = FindNodeByID(copy.get(), start);
        SetSelected(target);
    }
    if (target)
        TellLinkedControls(NodeFolder(target)->AbsoluteID());
}

void TskCustomShellTreeView::ExpandMyComputer()
{
    const TItemIDListPtr computer = SpecialFolderLocation(TRootFolder::rfMyComputer);
    if (!computer)
        return;
    // Outside the root, Computer is not found and the selection is cleared.
    SelectFolderID(computer.get());
    if (Selected())
        Selected()->Expand(false);
}

void TskCustomShellTreeView::GetImageIndex(TTreeNode* Node)
{
    if (Images())
        TskSkinCustomTreeView::GetImageIndex(Node);
}

void TskCustomShellTreeView::GetSelectedIndex(TTreeNode* Node)
{
    if (Images())
        TskSkinCustomTreeView::GetSelectedIndex(Node);
}

void TskCustomShellTreeView::WndProc(TMessage& message)
{
    // The normal list always follows Images and UseShellImages, and a state
    // list never reaches the window.
    if (message.Msg == TVM_SETIMAGELIST && !FImageListChanging) {
        TskFlagGuard changing(FImageListChanging);
        Perform(TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(WindowImages()));
        message.Result = 0;
        return;
    }
    TskSkinCustomTreeView::WndProc(message);
}

} // namespace tovrel
