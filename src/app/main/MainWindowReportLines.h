#pragma once
// The parts of the main window's report (MainWindowReport.h) a desktop
// script needs to drive a whole session: places to click and the state they
// lead to. Points on the main window are "X,Y" relative to it (keys ending
// in ".at"); points on the dialogs and menus it opens are screen points
// (keys ending in ".screen").
#include <ostream>
#include <string>

#include "platform/vcl/Forms.h"

namespace tovrel {

class TMainForm;

// A screen point relative to the form's window, as "X,Y".
std::string InWindow(TForm& form, TPoint screen);
// The middle of a control, relative to the form's window.
std::string CentreOf(TForm& form, TControl& control);
// The middle of a control on the screen, as "X,Y".
std::string ScreenCentre(TControl& control);

// The file list's rows, the tool bar's and panels' buttons, the thread
// count, the preview's position, the snapshot folder and the skin.
void WriteRunLines(std::ostream& out, TMainForm& main);
// The menu bar's items and the rows of its open menu.
void WriteMenuLines(std::ostream& out, TMainForm& main);
// The open dialog, the options dialog and the skin dialog while they run.
void WriteDialogLines(std::ostream& out, TMainForm& main);

} // namespace tovrel
