#pragma once
// Screenshots for the gallery tools: a form rendered on the headless backend
// (one 800 x 600 monitor), or the X screen under the desktop backend.
#include "platform/vcl/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace tovrel {
class TDesktopBackend;
}

namespace tovrel::gallery {

// Installs the headless backend before `build` runs, so the form is made on it.
void HeadlessScreenshot(const std::function<std::unique_ptr<TForm>()>& build, const std::string& path);

// Writes the X screen as it is once what was drawn reached it; the file
// appears whole (written aside, then renamed), for scripts that poll it.
void DesktopScreenshot(TDesktopBackend& desktop, const std::string& path);

} // namespace tovrel::gallery
