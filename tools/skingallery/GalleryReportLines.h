#pragma once
// How a band puts its own state into the gallery's report: lines written with
// the rest of the report, and a call that writes the report again when that
// state changed. Without --report nothing is written.
#include "platform/vcl/Forms.h"

#include <functional>
#include <ostream>

namespace tovrel::skingallery {

using TReportLines = std::function<void(std::ostream& out)>;

void AddReportLines(TReportLines lines);
void ReportChanged();

// A control's point relative to the form's window (its frame included).
TPoint PointInWindow(TForm& form, TControl& control, TPoint local);
TPoint CentreInWindow(TForm& form, TControl& control);
// Written as "X,Y".
std::ostream& operator<<(std::ostream& out, TPoint p);
// Written as "X,Y,WxH".
std::ostream& operator<<(std::ostream& out, TRect r);

// For the report itself: the bands' lines, and where ReportChanged goes.
void WriteBandLines(std::ostream& out);
void SetReportWriter(std::function<void()> writer);

} // namespace tovrel::skingallery
