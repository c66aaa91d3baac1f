#include "HeadlessScreenshot.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/backend/X11Extras.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Wm.h"

#include <cstdio>
#include <stdexcept>

namespace tovrel::gallery {

void HeadlessScreenshot(const std::function<std::unique_ptr<TForm>()>& build, const std::string& path)
{
    auto backend = std::static_pointer_cast<THeadlessBackend>(InstallBackend("headless"));
    backend->SetMonitors({TMonitor{{0, 0, 800, 600}, {0, 0, 800, 600}}});
    auto form = build();
    form->Show();
    Application->ProcessMessages();
    SaveWindowPng(form->Handle(), path);
}

void DesktopScreenshot(TDesktopBackend& desktop, const std::string& path)
{
    desktop.SyncWithDisplay(); // what was drawn has reached the screen
    const TSurface shot = X11GrabScreen();
    if (shot.Empty())
        throw std::runtime_error("the X screen cannot be read");
    const std::string partial = path + ".part";
    WriteImageFileBytes(partial, EncodePng(shot, false));
    if (std::rename(partial.c_str(), path.c_str()) != 0)
        throw std::runtime_error("cannot write " + path);
}

} // namespace tovrel::gallery
