// The icon a form's window shows: the form's own, else the application's,
// else the stock application icon.
#include "platform/gdi/Icon.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/Icon.h"
#include "platform/wm/MessageLoop.h"

namespace tovrel {

void TCustomForm::UpdateIcon()
{
    if (!HandleAllocated())
        return;
    HICON shown = !icon_->Empty()                 ? icon_->Handle()
                  : !Application->Icon()->Empty() ? Application->Icon()->Handle()
                                                  : LoadIcon(nullptr, IDI_APPLICATION);
    SendMessage(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(shown));
}

} // namespace tovrel
