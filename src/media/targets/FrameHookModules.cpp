#include "media/targets/FrameHookModules.h"

#include <dlfcn.h>

#include <algorithm>

namespace tovrel {

void* THookModuleCache::Acquire(const std::string& fileName, std::string& error)
{
    std::lock_guard guard(lock_);
    auto found = std::find_if(modules_.begin(), modules_.end(),
                              [&](const TModule& module) { return module.FileName == fileName; });
    if (found != modules_.end()) {
        ++found->Users;
        return found->Handle;
    }
    // RTLD_LOCAL: two plug-ins may export the same entry names.
    void* handle = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* message = dlerror();
        error = message != nullptr ? message : "cannot load " + fileName;
        return nullptr;
    }
    modules_.push_back({fileName, handle, 1});
    return handle;
}

void THookModuleCache::Release(void* module)
{
    if (module == nullptr)
        return;
    std::lock_guard guard(lock_);
    auto found =
        std::find_if(modules_.begin(), modules_.end(), [&](const TModule& entry) { return entry.Handle == module; });
    if (found == modules_.end() || --found->Users > 0)
        return;
    dlclose(found->Handle);
    modules_.erase(found);
}

int THookModuleCache::Users(const std::string& fileName) const
{
    std::lock_guard guard(lock_);
    auto found = std::find_if(modules_.begin(), modules_.end(),
                              [&](const TModule& module) { return module.FileName == fileName; });
    return found == modules_.end() ? 0 : found->Users;
}

THookModuleCache& HookModuleCache()
{
    static THookModuleCache cache;
    return cache;
}

} // namespace tovrel
