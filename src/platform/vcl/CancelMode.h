#pragma once
// CM_CANCELMODE: a mouse button going down on a control tells the active
// control of each form around it (when that is another control; each such
// control once), with the pressed control in LParam, so that drop-downs and
// menus kept open elsewhere close.
#include "platform/vcl/Control.h"

namespace tovrel {

void SendCancelMode(TControl* pressed);

} // namespace tovrel
