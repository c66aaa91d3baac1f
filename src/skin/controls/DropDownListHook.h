#pragma once
// What a drop-down box does with the messages of its open list: a left press
// hands the mouse to the box, whose release chooses; other buttons do nothing
// there; the list never activates, so the box keeps the focus. Everything
// else goes on to the list's own window procedure.
#include "platform/vcl/WinControl.h"

namespace tovrel {

// `pressed` and `wasInList` are the box's marks of a press begun in the list.
void HookDropDownListMessage(TMessage& message, TWinControl& box, const TWndMethod& listProc, bool& pressed,
                             bool& wasInList);

} // namespace tovrel
