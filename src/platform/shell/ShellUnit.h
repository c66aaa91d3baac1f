#pragma once
// The shell layer's process-wide state. The program creates it once at start-up
// (InitializeShellUnit) and frees it after every dialog and watcher has ended
// (FinalizeShellUnit); everything here is main-thread only except
// ShellChangeLock.
#include "platform/rtl/Sync.h"

namespace tovrel {

class TskShellFolder;

void InitializeShellUnit();
void FinalizeShellUnit();

// The desktop item: empty lists, the desktop folder, no parent, level 0.
// nullptr before InitializeShellUnit.
TskShellFolder* DesktopShellFolder();
// Guards the options a folder change watcher hands to its worker.
TCriticalSection& ShellChangeLock();
// During one sort: the folder whose order or columns the comparer asks.
extern TskShellFolder* SortShellFolder;

} // namespace tovrel
