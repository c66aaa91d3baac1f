#pragma once
// An item's context menu. The verbs show in a popup that returns the chosen
// command: by default the framework's popup menu (TPopupMenu, so an
// installed popup presenter shows it); SetShellMenuPopup replaces it (the
// skinned popup, or a test's that picks).
#include "platform/rtl/Types.h"
#include "platform/shell/ShellVerbs.h"

#include <functional>
#include <vector>

namespace tovrel {

// Shows verbs at a screen point and returns the chosen verb's Id, 0 for none.
using TShellMenuPopup = std::function<int(const std::vector<TShellVerb>& verbs, TPoint screenPoint)>;
// Null goes back to the framework's popup menu.
void SetShellMenuPopup(TShellMenuPopup popup);
// The default: a TPopupMenu of the verbs' captions, popped up at the point.
int PopupShellVerbMenu(const std::vector<TShellVerb>& verbs, TPoint screenPoint);

// Shows the item's verbs at screenPoint; a chosen verb goes to Owner's
// ExecuteCommand first and runs unless Owner handled it; Owner's
// CommandCompleted then hears whether it succeeded (a handled verb counts as
// succeeded). Nothing for a nullptr item or when no verb applies.
void ShowItemContextMenu(IbsShellVerbHandler* Owner, const TskShellFolder* AFolder, TPoint screenPoint);

} // namespace tovrel
