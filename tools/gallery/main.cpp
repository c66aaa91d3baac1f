// Shows every standard control on one form.
//
//   gallery                    opens the form on the desktop (or the backend
//                              TOVREL_BACKEND names)
//   gallery --screenshot FILE  renders the form headless into a PNG and exits
#include "GalleryForm.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"

#include <cstdio>
#include <exception>
#include <string>

using namespace tovrel;

namespace {

int Screenshot(const std::string& path)
{
    auto backend = std::static_pointer_cast<THeadlessBackend>(InstallBackend("headless"));
    backend->SetMonitors({TMonitor{{0, 0, 800, 600}, {0, 0, 800, 600}}});
    auto form = gallery::BuildGalleryForm();
    form->Show();
    Application->ProcessMessages();
    SaveWindowPng(form->Handle(), path);
    return 0;
}

int RunInteractive()
{
    InstallBackendFromEnvironment();
    auto form = gallery::BuildGalleryForm();
    form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
    form->Show();
    Application->Run();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TMainThread::SetCurrent();
    try {
        const std::string first = argc > 1 ? argv[1] : "";
        if (first == "--screenshot" && argc == 3)
            return Screenshot(argv[2]);
        if (argc == 1)
            return RunInteractive();
        std::fprintf(stderr, "usage: gallery [--screenshot FILE.png]\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
