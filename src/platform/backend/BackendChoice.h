#pragma once
// Picks and installs the backend: TOVREL_BACKEND=headless or desktop; unset,
// the desktop when a display is there (DISPLAY or WAYLAND_DISPLAY) and SDL can
// reach it, headless otherwise. An unknown value is an error (std::invalid_argument);
// a desktop asked for but unreachable throws EBackendUnavailable.
#include "platform/wm/Backend.h"

#include <memory>
#include <string>

namespace tovrel {

std::shared_ptr<TBackend> InstallBackendFromEnvironment();
// The same choice for an explicit name ("" = automatic).
std::shared_ptr<TBackend> InstallBackend(const std::string& name);

} // namespace tovrel
