// What the user does to the shell tree's nodes: the context menu's verbs,
// renaming in place, and rebuilding a node after its folder changed.
#include "platform/rtl/Text.h"
#include "platform/shell/ShellContextMenu.h"
#include "platform/vcl/Menus.h"
#include "skin/shell/BusyCursor.h"
#include "skin/shell/ShellTreeView.h"
#include "skin/shell/UpdateScope.h"

#include <functional>
#include <sys/stat.h>

namespace tovrel {

namespace {

// Anything at the path, a dangling link included.
bool EntryExists(const std::string& path)
{
    struct stat info {};
    return !path.empty() && ::lstat(path.c_str(), &info) == 0;
}

TItemIDListPtr NodeID(const TTreeNode* node)
{
    const TskShellFolder* folder = TskCustomShellTreeView::NodeFolder(node);
    return folder ? CopyItemIDList(folder->AbsoluteID()) : nullptr;
}

} // namespace

void TskCustomShellTreeView::Refresh(TTreeNode* Node)
{
    const TskShellFolder* folder = NodeFolder(Node);
    if (!folder || !folder->IsFolder())
        return;
    const TItemIDListPtr topID = NodeID(TopItem());
    const TItemIDListPtr selectedID = NodeID(Selected());
    {
        TUpdateScope<TTreeNodes> update(*Items());
        TBusyCursor busy;
        TTreeNode* fresh = Items()->Insert(Node, "");
        AttachFolder(fresh, std::make_unique<TskShellFolder>(NodeFolder(Node->Parent()), folder->RelativeID(),
                                                             folder->ShellFolder()));
        const TskShellFolder& rebuilt = *NodeFolder(fresh);
        LoadChildren(fresh);
        SetNodeImages(fresh, rebuilt.AbsoluteID());
        fresh->SetHasChildren(rebuilt.SubFolders());
        fresh->SetText(rebuilt.DisplayName());
        // Parents come before their children, so expanded nodes at any depth
        // are expanded again.
        std::function<void(TTreeNode*)> reexpand = [&](TTreeNode* old) {
            if (old->Expanded())
                if (TTreeNode* again = FindNodeByID(NodeFolder(old)->AbsoluteID(), fresh))
                    again->Expand(false);
            for (int i = 0; i < old->Count(); ++i)
                reexpand(old->Item(i));
        };
        reexpand(Node);
        Node->Delete();
    }
    if (selectedID)
        SetSelected(FindNodeByID(selectedID.get(), Items()->GetFirstNode()));
    if (topID)
        if (TTreeNode* top = FindNodeByID(topID.get(), Items()->GetFirstNode()))
            SetTopItem(top);
}

void TskCustomShellTreeView::Edit(TTreeNode* Node, const char* Text)
{
    if (!Node || !Text)
        return;
    std::string text = Text;
    if (OnEdited)
        OnEdited(this, Node, text);
    // Never replaces an entry of that name: the refusal ("Rename to %s
    // failed") reaches the user and the node keeps its text.
    if (TskShellFolder* folder = NodeFolder(Node); folder && folder->Rename(text))
        Node->SetText(text);
    if (NodeFolder(Node->Parent()))
        Refresh(Node->Parent());
}

void TskCustomShellTreeView::DoContextPopup(TPoint MousePos, bool& Handled)
{
    if (!AutoContextMenus || (PopupMenu() && PopupMenu()->AutoPopup)) {
        TskSkinCustomTreeView::DoContextPopup(MousePos, Handled);
        return;
    }
    ShowItemContextMenu(this, SelectedFolder(), ClientToScreen(MousePos));
    Handled = true;
}

void TskCustomShellTreeView::ExecuteCommand(const std::string& Verb, bool& Handled)
{
    // "open" needs nothing here: the launcher gives the new program the
    // item's folder as its working folder, so this process's stays put.
    if (SameText(Verb, "rename") && Selected()) {
        Selected()->EditText();
        Handled = true;
    }
}

void TskCustomShellTreeView::CommandCompleted(const std::string& Verb, bool Succeeded)
{
    TTreeNode* node = Selected();
    if (!node)
        return;
    if (SameText(Verb, "delete")) {
        // The node goes only with its folder: one whose deletion failed or
        // was refused stays, and a folder that is still there is read again.
        if (const std::string path = SelectedFolder()->FullObjectName(); !path.empty() && !EntryExists(path))
            node->Delete();
        else if (Succeeded)
            Refresh(NodeFolder(node->Parent()) ? node->Parent() : node);
    } else if (SameText(Verb, "paste") && Succeeded) {
        Refresh(node);
    }
}

} // namespace tovrel
