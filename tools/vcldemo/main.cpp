// A component-framework demo: a form built in code with a main menu, aligned
// panels, graphic controls and windowed controls.
//
//   vcldemo                  runs on the backend TOVREL_BACKEND names (default:
//                            the desktop) until the form is closed
//   vcldemo --screenshot F   renders the form headless with its 文件 menu
//                            opened by a click, and writes the screen to the PNG F
//   vcldemo --desktop-screenshot F
//                            the same on the desktop backend (an X display, e.g.
//                            Xvfb), grabbing the X screen
#include "DemoForm.h"
#include "DemoLayout.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/backend/X11Extras.h"
#include "platform/gdi/codecs/ImageCodec.h"
#include "platform/gdi/codecs/PngCodec.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/vcl/MenuBar.h"
#include "platform/wm/Wm.h"

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

using namespace tovrel;

namespace {

// Opens the first menu with a click on the bar and rests the mouse on its
// first item, as a user would; false if the drop-down did not open.
bool OpenFileMenu(TForm& form)
{
    TMenuBar* bar = form.MenuBar();
    const TRect item = bar->ItemScreenRect(0);
    const TPoint press{item.Left + 8, item.Top + item.Height() / 2};
    InjectMouseMove(press);
    InjectMouseButton(0, true, press);
    InjectMouseButton(0, false, press);
    Application->ProcessMessages();
    const TRect row = bar->DropDownRowScreenRect(0);
    InjectMouseMove({row.Left + 30, row.Top + row.Height() / 2});
    Application->ProcessMessages();
    if (bar->OpenIndex() == 0)
        return true;
    std::fprintf(stderr, "vcldemo: the menu did not open\n");
    return false;
}

int Screenshot(const std::string& path)
{
    auto backend = std::static_pointer_cast<THeadlessBackend>(InstallBackend("headless"));
    backend->SetMonitors(
        {TMonitor{{0, 0, demo::kScreenWidth, demo::kScreenHeight}, {0, 0, demo::kScreenWidth, demo::kScreenHeight}}});
    auto form = demo::BuildDemoForm();
    form->Show();
    Application->ProcessMessages();
    if (!OpenFileMenu(*form))
        return 1;
    SaveScreenPng(*backend, path);
    return 0;
}

// Until the display has mapped and drawn the windows: what it sent in answer
// to every request is handled, and so is the drawing that handling asked for.
void Settle(TDesktopBackend& desktop)
{
    do
        desktop.SyncWithDisplay();
    while (PumpWaitingMessages() > 0);
    desktop.SyncWithDisplay();
}

int DesktopScreenshot(const std::string& path)
{
    auto desktop = std::dynamic_pointer_cast<TDesktopBackend>(InstallBackend("desktop"));
    if (!desktop)
        throw std::runtime_error("the desktop backend is not there");
    int result = 0;
    {
        auto form = demo::BuildDemoForm();
        form->Show();
        Settle(*desktop);
        const bool opened = OpenFileMenu(*form);
        Settle(*desktop);
        const TSurface shot = X11GrabScreen();
        if (shot.Empty())
            throw std::runtime_error("the X screen cannot be read");
        WriteImageFileBytes(path, EncodePng(shot, false));
        result = opened ? 0 : 1;
    }
    PumpWaitingMessages();
    desktop.reset();
    SetBackend(nullptr);
    return result;
}

int RunInteractive()
{
    InstallBackendFromEnvironment();
    auto form = demo::BuildDemoForm();
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
        if (first == "--desktop-screenshot" && argc == 3)
            return DesktopScreenshot(argv[2]);
        if (argc == 1)
            return RunInteractive();
        std::fprintf(stderr, "usage: vcldemo [--screenshot FILE.png | --desktop-screenshot FILE.png]\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vcldemo: %s\n", e.what());
        return 1;
    }
}
