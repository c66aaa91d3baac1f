// What the user does to the shell list's rows: keys, double clicks, the
// context menu's verbs, renaming in place and deleting.
#include "platform/rtl/Text.h"
#include "platform/shell/ShellContextMenu.h"
#include "platform/wm/Keys.h"
#include "skin/shell/ShellListView.h"

namespace tovrel {

void TskCustomShellListView::OpenSelectedFolder()
{
    const TskShellFolder* folder = SelectedFolder();
    if (folder && folder->IsFolder())
        OpenFolderID(folder->AbsoluteID());
}

void TskCustomShellListView::DblClick()
{
    if (AutoNavigate)
        OpenSelectedFolder();
    TskSkinCustomListView::DblClick();
}

void TskCustomShellListView::KeyDown(WORD& Key, TShiftState Shift)
{
    TskSkinCustomListView::KeyDown(Key, Shift);
    if (!AutoNavigate || Key == 0)
        return;
    if (Key == VK_BACK && !EditControl())
        Back();
    else if (Key == VK_RETURN && Shift.Contains(ssAlt)) {
        InvokeItemVerb(SelectedFolder(), "properties");
        Key = 0;
    } else if (Key == VK_RETURN)
        OpenSelectedFolder();
    else if (Key == VK_F5)
        Refresh();
}

void TskCustomShellListView::DoContextPopup(TPoint MousePos, bool& Handled)
{
    const TskShellFolder* folder = AutoContextMenus ? SelectedFolder() : nullptr;
    if (!folder) {
        TskSkinCustomListView::DoContextPopup(MousePos, Handled);
        return;
    }
    ShowItemContextMenu(this, folder, ClientToScreen(MousePos));
    Handled = true;
    Refresh();
}

void TskCustomShellListView::ExecuteCommand(const std::string& Verb, bool& Handled)
{
    // "open" needs nothing here: the launcher gives the new program the
    // item's folder as its working folder, so this process's stays put.
    if (SameText(Verb, "rename")) {
        BeginRename();
        Handled = true;
    }
}

void TskCustomShellListView::CommandCompleted(const std::string& Verb, bool Succeeded)
{
    if (Succeeded && (SameText(Verb, "delete") || SameText(Verb, "paste")))
        Refresh();
}

void TskCustomShellListView::BeginRename()
{
    if (ItemIndex() >= 0)
        Perform(LVM_EDITLABELW, WPARAM(ItemIndex()), 0);
}

void TskCustomShellListView::Edit(TListItem* Item, const char* Text)
{
    TskShellFolder* folder = Item && Text ? GetFolder(Item->Index()) : nullptr;
    // An edit that ends with the name unchanged (a new folder's name
    // accepted as offered) renames nothing.
    if (!folder || folder->DisplayName() == Text)
        return;
    // Never replaces an entry of that name: the shell refuses, and the error
    // ("Rename to %s failed") reaches the user with the row unchanged.
    folder->Rename(Text);
    Perform(LVM_REDRAWITEMS, WPARAM(Item->Index()), LPARAM(Item->Index()));
}

bool TskCustomShellListView::DeleteSelected()
{
    bool deleted = true;
    for (int i = 0; i < FolderCount(); ++i)
        if (ItemState(i, LVIS_SELECTED) & LVIS_SELECTED)
            deleted = RunShellVerb(*GetFolder(i), "delete") && deleted;
    Refresh();
    return deleted;
}

} // namespace tovrel
