#pragma once
// Renders a form on the headless backend (one 800 x 600 monitor) and writes
// its window as a PNG; shared by the gallery tools.
#include "platform/vcl/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace tovrel::gallery {

// Installs the headless backend before `build` runs, so the form is made on it.
void HeadlessScreenshot(const std::function<std::unique_ptr<TForm>()>& build, const std::string& path);

} // namespace tovrel::gallery
