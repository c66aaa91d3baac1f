#pragma once
// The program: its start-up duties, its windows in their order, the message
// loop, and closing in order.
namespace tovrel {

class TMainForm;

// Runs the program until the main window closes; the exit code.
int RunProgram();

// The start-up duties before any window: the main thread, the back end from
// the environment, the skin engine's platform entries, the shell unit, the
// media transcoder and the conversion preview's window.
void StartProgramServices();
// After every window has gone: the main-thread queue shut down, every thread
// waited for, the shell unit and the platform entries released.
void EndProgramServices();

// The windows the program makes after the main window, in its order, each
// running its creation steps (the options dialog reads its options).
void CreateSecondaryWindows(TMainForm& main);

} // namespace tovrel
