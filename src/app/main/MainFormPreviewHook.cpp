// The preview panel's entry points as the file list uses them. The panel
// itself comes with its own step; until then these do nothing.
#include "app/main/MainForm.h"

namespace tovrel {

void TMainForm::OpenPreview(const std::string&) {}

void TMainForm::StopPreview() {}

} // namespace tovrel
