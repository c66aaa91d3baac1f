// The desktop's tray: the freedesktop system tray of the X display.
#include "platform/backend/DesktopBackend.h"

namespace tovrel {

TTrayHost* TDesktopBackend::Tray()
{
    if (!tray_)
        tray_ = std::make_unique<TX11Tray>();
    return tray_.get();
}

} // namespace tovrel
