// Shows every standard control on one form.
//
//   gallery                    opens the form on the desktop (or the backend
//                              TOVREL_BACKEND names)
//   gallery --screenshot FILE  renders the form headless into a PNG and exits
//   gallery --desktop-report REPORT PNG
//                              opens the form on the desktop backend (an X
//                              display, e.g. Xvfb) for a script to drive; each
//                              SIGUSR1 writes the controls' state to REPORT;
//                              SIGUSR2 ends the run, writing the X screen to PNG
#include "GalleryForm.h"
#include "GalleryReport.h"
#include "HeadlessScreenshot.h"

#include "platform/backend/BackendChoice.h"
#include "platform/backend/DesktopBackend.h"
#include "platform/backend/HeadlessBackend.h"
#include "platform/rtl/MainThread.h"
#include "platform/vcl/Application.h"
#include "platform/wm/Wm.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <exception>
#include <functional>
#include <pthread.h>
#include <stdexcept>
#include <string>
#include <thread>

using namespace tovrel;

namespace {

int Screenshot(const std::string& path)
{
    gallery::HeadlessScreenshot(gallery::BuildGalleryForm, path);
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

// Waits for the script's signals on its own thread (they are blocked everywhere
// else) and hands each to the main thread's queue: SIGUSR1 asks for a report,
// SIGUSR2 for the end of the run.
class TScriptSignals {
public:
    TScriptSignals(std::function<void()> onReport, std::function<void()> onQuit)
        : waiter_([this, onReport = std::move(onReport), onQuit = std::move(onQuit)] {
              for (;;) {
                  int signal = 0;
                  sigwait(&Signals(), &signal);
                  if (stopping_)
                      return;
                  TMainThread::Post(signal == SIGUSR1 ? onReport : onQuit);
                  if (signal != SIGUSR1)
                      return;
              }
          })
    {}
    ~TScriptSignals()
    {
        stopping_ = true;
        pthread_kill(waiter_.native_handle(), SIGUSR2);
        waiter_.join();
    }

    // Before any thread starts, so every thread inherits the block.
    static void BlockInThisThread() { pthread_sigmask(SIG_BLOCK, &Signals(), nullptr); }

private:
    static const sigset_t& Signals()
    {
        static const sigset_t set = [] {
            sigset_t s;
            sigemptyset(&s);
            sigaddset(&s, SIGUSR1);
            sigaddset(&s, SIGUSR2);
            return s;
        }();
        return set;
    }

    std::atomic<bool> stopping_{false};
    std::thread waiter_;
};

// Renamed into place, so a script that sees the report finds it complete. The
// display's answers to what was asked of it before (sizes reported back) are
// handled first.
void WriteReport(TDesktopBackend& desktop, TForm& form, const std::string& reportPath)
{
    desktop.SyncWithDisplay();
    const std::string partial = reportPath + ".part";
    gallery::WriteGalleryReport(form, partial);
    if (std::rename(partial.c_str(), reportPath.c_str()) != 0)
        throw std::runtime_error("cannot write " + reportPath);
}

int DesktopReport(const std::string& reportPath, const std::string& pngPath)
{
    auto desktop = std::dynamic_pointer_cast<TDesktopBackend>(InstallBackend("desktop"));
    if (!desktop)
        throw std::runtime_error("the desktop backend is not there");
    {
        auto form = gallery::BuildGalleryForm();
        form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
        {
            TScriptSignals signals([&] { WriteReport(*desktop, *form, reportPath); }, [] { Application->Terminate(); });
            form->Show();
            Application->Run();
        }
        // A request that came in as the run ended still needs the form.
        TMainThread::Pump();
        // Once, at the end: grabbing and encoding the screen costs more than a report.
        gallery::DesktopScreenshot(*desktop, pngPath);
    }
    PumpWaitingMessages();
    desktop.reset();
    SetBackend(nullptr);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    TScriptSignals::BlockInThisThread();
    TMainThread::SetCurrent();
    try {
        const std::string first = argc > 1 ? argv[1] : "";
        if (first == "--screenshot" && argc == 3)
            return Screenshot(argv[2]);
        if (first == "--desktop-report" && argc == 4)
            return DesktopReport(argv[2], argv[3]);
        if (argc == 1)
            return RunInteractive();
        std::fprintf(stderr, "usage: gallery [--screenshot FILE.png | --desktop-report REPORT FILE.png]\n");
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
