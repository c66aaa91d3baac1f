#pragma once
// For desktop tests of the program: with TOVREL_MAIN_REPORT naming a file,
// the main window writes its state there as key=value lines (where its
// category and format boxes and their open rows are, what the six boxes
// show, where the caption's close button is, which after-batch sound it
// found, and what MainWindowReportLines.h adds: rows, buttons, menus, the
// dialogs it runs, the preview and the skin) whenever that state changes,
// as its events or a watching timer see it.
#include <string>

namespace tovrel {

class TMainForm;

// The variable that names the report file; unset, nothing is written.
inline constexpr const char* MainWindowReportVariable = "TOVREL_MAIN_REPORT";

void InstallMainWindowReport(TMainForm& main, const std::string& path);

} // namespace tovrel
