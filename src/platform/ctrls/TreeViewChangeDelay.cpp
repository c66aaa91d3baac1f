// OnChange after ChangeDelay: each selection restarts a window timer, and the
// timer reports the selection made last, once.
#include "platform/ctrls/TreeView.h"

#include "platform/wm/Timers.h"

#include <utility>

namespace tovrel {

void TCustomTreeView::SelectionChanged(TTreeNode* node)
{
    if (ChangeDelay > 0 && HandleAllocated() &&
        SetTimer(Handle(), TreeChangeTimerId, UINT(ChangeDelay), nullptr) != 0) {
        pendingChange_ = node;
        changeTimerRunning_ = true;
        return;
    }
    Change(node);
}

bool TCustomTreeView::HandleChangeTimer(TMessage& message)
{
    if (message.Msg != WM_TIMER || message.WParam != TreeChangeTimerId || !changeTimerRunning_)
        return false;
    KillTimer(Handle(), TreeChangeTimerId);
    changeTimerRunning_ = false;
    Change(std::exchange(pendingChange_, nullptr));
    return true;
}

void TCustomTreeView::DestroyWnd()
{
    // The timer goes with the window: a change still waiting is reported now,
    // unless the whole tree goes.
    const bool waiting = std::exchange(changeTimerRunning_, false);
    TTreeNode* node = std::exchange(pendingChange_, nullptr);
    TWinControl::DestroyWnd();
    if (waiting && !ComponentState().Contains(csDestroying))
        Change(node);
}

} // namespace tovrel
