#include "platform/backend/BackendChoice.h"

#include "platform/backend/DesktopBackend.h"
#include "platform/backend/HeadlessBackend.h"

#include <cstdlib>
#include <stdexcept>

namespace tovrel {

namespace {

bool DisplayPresent()
{
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

std::shared_ptr<TBackend> Make(const std::string& name)
{
    if (name == "headless")
        return std::make_shared<THeadlessBackend>();
    if (name == "desktop")
        return std::make_shared<TDesktopBackend>();
    if (!name.empty())
        throw std::invalid_argument("TOVREL_BACKEND must be \"headless\" or \"desktop\", not \"" + name + "\"");
    if (DisplayPresent()) {
        try {
            return std::make_shared<TDesktopBackend>();
        } catch (const EBackendUnavailable&) {}
    }
    return std::make_shared<THeadlessBackend>();
}

} // namespace

std::shared_ptr<TBackend> InstallBackend(const std::string& name)
{
    auto backend = Make(name);
    SetBackend(backend);
    return backend;
}

std::shared_ptr<TBackend> InstallBackendFromEnvironment()
{
    const char* name = std::getenv("TOVREL_BACKEND");
    return InstallBackend(name ? name : "");
}

} // namespace tovrel
