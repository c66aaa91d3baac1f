#pragma once
// An item's context menu. The window layer supplies the popup that shows the
// verbs and returns the chosen command (tests supply one that picks); without
// a popup no menu is shown.
#include "platform/rtl/Types.h"
#include "platform/shell/ShellVerbs.h"

#include <functional>
#include <vector>

namespace tovrel {

// Shows verbs at a screen point and returns the chosen verb's Id, 0 for none.
using TShellMenuPopup = std::function<int(const std::vector<TShellVerb>& verbs, TPoint screenPoint)>;
void SetShellMenuPopup(TShellMenuPopup popup);

// Shows the item's verbs at screenPoint; a chosen verb goes to Owner's
// ExecuteCommand first and runs unless Owner handled it; Owner's
// CommandCompleted then hears whether it succeeded (a handled verb counts as
// succeeded). Nothing for a nullptr item or when no verb applies.
void ShowItemContextMenu(IbsShellVerbHandler* Owner, const TskShellFolder* AFolder, TPoint screenPoint);

} // namespace tovrel
