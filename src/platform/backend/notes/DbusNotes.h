#pragma once
// Balloon notes as desktop notifications (org.freedesktop.Notifications on
// the session bus). Built where the D-Bus client library is present.
#include "platform/backend/X11Tray.h"

namespace tovrel {

// Sends each note (an empty text takes the last one away); false when no
// session bus or no notification service answers within a second.
TX11Tray::TNoteSender DbusNoteSender();

} // namespace tovrel
