#pragma once
// The two sides of the link between a shell combo box and a shell list view:
// either may make it, and each keeps the other on the folder it shows. The
// list view implements IShellListViewLink, the combo box IShellComboLink.
#include "platform/shell/ItemIDList.h"
#include "platform/shell/ShellRoots.h"

namespace tovrel {

class TComponent;
class TskCustomShellComboBox;
class TskCustomShellListView;

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

// The shell combo box's side of its link with a list: the list hands it its
// Root, shows it each folder it opens, and tells it who it is linked to.
class IShellComboLink {
public:
    virtual ~IShellComboLink() = default;
    // The combo as a component, so the list hears when it is destroyed.
    virtual TComponent* LinkComponent() = 0;
    virtual void SetRoot(const TRoot& Value) = 0;
    virtual void FollowFolder(PCItemIDList ID) = 0;
    virtual void SetListView(TskCustomShellListView* Value) = 0;
};

} // namespace tovrel
