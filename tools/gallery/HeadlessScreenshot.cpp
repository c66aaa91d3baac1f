#include "HeadlessScreenshot.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Wm.h"

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

} // namespace tovrel::gallery
