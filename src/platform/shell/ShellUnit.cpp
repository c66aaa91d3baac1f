#include "platform/shell/ShellUnit.h"

#include "platform/shell/ShellRoots.h"

#include <memory>

namespace tovrel {

namespace {

std::unique_ptr<TskShellFolder> desktopShellFolder;

} // namespace

TskShellFolder* SortShellFolder = nullptr;

void InitializeShellUnit()
{
    if (!desktopShellFolder)
        desktopShellFolder = CreateDesktopShellFolder();
}

void FinalizeShellUnit()
{
    desktopShellFolder.reset();
    SortShellFolder = nullptr;
}

TskShellFolder* DesktopShellFolder()
{
    return desktopShellFolder.get();
}

TCriticalSection& ShellChangeLock()
{
    static TCriticalSection lock;
    return lock;
}

} // namespace tovrel
