#pragma once
// The demo form, built in code: a main menu, aligned panels (top, left,
// bottom status, client) and graphic and windowed controls in the client panel.
#include "platform/vcl/Forms.h"

#include <memory>

namespace tovrel::demo {

std::unique_ptr<TForm> BuildDemoForm();

} // namespace tovrel::demo
