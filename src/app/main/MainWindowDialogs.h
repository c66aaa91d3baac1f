#pragma once
// The program's real dialogs and desktop actions behind the main window's
// seams; tests answer the seams themselves.
namespace tovrel {

class TMainForm;

void InstallMainWindowDialogs(TMainForm& main);

} // namespace tovrel
