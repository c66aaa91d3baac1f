// The desktop's tray: the freedesktop system tray of the X display, with
// balloon notes as desktop notifications where the build has a D-Bus client.
#include "platform/backend/DesktopBackend.h"

#if TOVREL_DBUS_NOTES
#include "platform/backend/notes/DbusNotes.h"
#endif

namespace tovrel {

TTrayHost* TDesktopBackend::Tray()
{
    if (!tray_) {
        TX11Tray::TNoteSender notes;
#if TOVREL_DBUS_NOTES
        notes = DbusNoteSender();
#endif
        tray_ = std::make_unique<TX11Tray>(std::string(), std::move(notes));
    }
    return tray_.get();
}

} // namespace tovrel
