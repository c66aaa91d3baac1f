#pragma once
// What a shell combo box asks of the shell list view linked to it. The list
// view implements it; the box holds it as its ShellListView and keeps the
// view on the folder chosen in it, and the view calls the box's FollowFolder
// when it moves on its own.
#include "platform/shell/ItemIDList.h"
#include "platform/shell/ShellRoots.h"

namespace tovrel {

class TComponent;
class TskCustomShellComboBox;

class IShellListViewLink {
public:
    virtual ~IShellListViewLink() = default;
    // The view as a component, so the box hears of its removal.
    virtual TComponent& LinkComponent() = 0;
    virtual void SetRoot(const TRoot& Value) = 0;
    // Shows the folder of an absolute list; nothing while the view updates
    // itself or already shows it.
    virtual void FollowFolder(PCItemIDList ID) = 0;
    // Stores the box as the view's own combo-box link, without calling back.
    virtual void SetComboBoxLink(TskCustomShellComboBox* Box) = 0;
};

} // namespace tovrel
