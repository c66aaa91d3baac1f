#include "app/main/ProgramBlock.h"

#include "app/main/MainForm.h"
#include "app/main/MainWindowDialogs.h"
#include "app/main/MainWindowReport.h"
#include "app/preview/PreviewerForm.h"
#include "media/transcode/FFmpegMediaTranscoder.h"
#include "platform/backend/BackendChoice.h"
#include "platform/rtl/MainThread.h"
#include "platform/rtl/Thread.h"
#include "platform/shell/ShellUnit.h"
#include "platform/vcl/Application.h"
#include "platform/wm/MessageLoop.h"
#include "skin/data/PlatformEntries.h"
#include "skin/draw/MonitorAreas.h"

#include <cstdlib>

namespace tovrel {

void CreateSecondaryWindows(TMainForm& main)
{
    main.CreateOptionsDialog();
    main.CreateAboutBox();
    // The output format dialog is the last window made.
    main.CreateOutputFormatDialog();
}

void StartProgramServices()
{
    TMainThread::SetCurrent();
    InstallBackendFromEnvironment();
    BindSkinPlatformEntries(WindowLayerPlatformEntries());
    InitializeShellUnit();
    InstallMediaTranscoder();
    InstallPreviewerForm();
}

void EndProgramServices()
{
    PumpWaitingMessages();
    TMainThread::Shutdown();
    TThread::WaitForAll();
    FinalizeShellUnit();
    ReleaseSkinPlatformEntries();
    SetBackend(nullptr);
}

int RunProgram()
{
    StartProgramServices();
    Application->Initialize();
    Application->Title = MainWindowTitle;
    Application->HelpFile.clear();
    TMainForm* main = nullptr;
    Application->CreateForm(main);
    CreateSecondaryWindows(*main);
    InstallMainWindowDialogs(*main);
    if (const char* report = std::getenv(MainWindowReportVariable))
        InstallMainWindowReport(*main, report);
    Application->Run();

    // Closing in order: the windows (the main one owns the others), then
    // the services.
    delete main;
    EndProgramServices();
    return 0;
}

} // namespace tovrel
