#pragma once
// The process-wide cache of hook plug-in modules. Each chain entry holds one
// reference; a module is opened by its first user and closed with its last,
// so a plug-in shared by many jobs is loaded once.
#include <mutex>
#include <string>
#include <vector>

namespace tovrel {

class THookModuleCache {
public:
    // The module of `fileName` (compared as passed, with case) with one more
    // user, or nullptr with the loader's message in `error`.
    void* Acquire(const std::string& fileName, std::string& error);
    void Release(void* module);
    int Users(const std::string& fileName) const;

private:
    struct TModule {
        std::string FileName;
        void* Handle = nullptr;
        int Users = 0;
    };
    mutable std::mutex lock_;
    std::vector<TModule> modules_;
};

THookModuleCache& HookModuleCache();

} // namespace tovrel
