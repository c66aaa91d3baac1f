#include "media/targets/FrameHook.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "media/targets/FrameHookModules.h"

#include <dlfcn.h>

#include <algorithm>
#include <mutex>

namespace tovrel {
namespace {

// Plug-ins expect Configure and Release from one setting-up thread at a time;
// jobs here may be set up and cleaned up on several threads at once.
std::mutex& PluginSetupLock()
{
    static std::mutex lock;
    return lock;
}

template <typename TEntryPoint> TEntryPoint FindEntryPoint(void* module, const char* name)
{
    return reinterpret_cast<TEntryPoint>(dlsym(module, name));
}

void LogHookError(const char* format, const char* text)
{
    if (FF.av_log != nullptr)
        FF.av_log(nullptr, AV_LOG_ERROR, format, text);
}

// Fills the new entry's entry points and context; 0 or the failure's result.
std::int32_t ConfigureEntry(TFrameHookEntry& entry, std::int32_t argc, char* argv[])
{
    entry.Configure = FindEntryPoint<FrameHookConfigureFn>(entry.Module, "Configure");
    entry.Process = FindEntryPoint<FrameHookProcessFn>(entry.Module, "Process");
    entry.Release = FindEntryPoint<FrameHookReleaseFn>(entry.Module, "Release");
    if (entry.Process == nullptr) {
        LogHookError("Failed to find Process entrypoint in %s\n", argv[0]);
        return HookMissingEntry;
    }
    if (entry.Configure == nullptr && argc > 1) {
        LogHookError("Failed to find Configure entrypoint in %s\n", argv[0]);
        return HookMissingEntry;
    }
    if (entry.Configure == nullptr)
        return 0;
    int configured = 0;
    {
        std::lock_guard guard(PluginSetupLock());
        configured = entry.Configure(&entry.ctx, argc, argv);
    }
    if (configured != 0) {
        LogHookError("Failed to Configure %s\n", argv[0]);
        return HookConfigureRefused;
    }
    return 0;
}

void FreeEntry(TFrameHookEntry* entry)
{
    void* module = entry->Module;
    FF.av_free(entry->Arguments);
    FF.av_free(entry);
    HookModuleCache().Release(module);
}

} // namespace

std::int32_t AddFrameHook(TFrameHookEntry** chain, std::int32_t argc, char* argv[])
{
    if (chain == nullptr || argc < 1 || argv == nullptr || argv[0] == nullptr)
        return HookMissingEntry;
    std::string error;
    void* module = HookModuleCache().Acquire(argv[0], error);
    if (module == nullptr) {
        LogHookError("%s\n", error.c_str());
        return HookLoadFailed;
    }
    auto* entry =
        FF.av_mallocz != nullptr ? static_cast<TFrameHookEntry*>(FF.av_mallocz(sizeof(TFrameHookEntry))) : nullptr;
    if (entry == nullptr) {
        HookModuleCache().Release(module);
        return HookOutOfMemory;
    }
    entry->Module = module;
    if (std::int32_t result = ConfigureEntry(*entry, argc, argv); result != 0) {
        // A refused Configure made no context the plug-in expects released.
        FreeEntry(entry);
        return result;
    }
    TFrameHookEntry** last = chain;
    while (*last != nullptr)
        last = &(*last)->next;
    *last = entry;
    return 0;
}

void RunFrameHooks(TFrameHookEntry* first, FrameHookPicture* picture, std::int32_t pixFmt, std::int32_t width,
                   std::int32_t height, std::int64_t pts)
{
    for (TFrameHookEntry* entry = first; entry != nullptr; entry = entry->next)
        entry->Process(entry->ctx, picture, pixFmt, width, height, pts);
}

void ReleaseFrameHooks(TFrameHookEntry** chain)
{
    if (chain == nullptr)
        return;
    TFrameHookEntry* entry = *chain;
    *chain = nullptr;
    while (entry != nullptr) {
        TFrameHookEntry* next = entry->next;
        if (entry->Release != nullptr) {
            std::lock_guard guard(PluginSetupLock());
            entry->Release(entry->ctx);
        }
        FreeEntry(entry);
        entry = next;
    }
}

std::vector<std::string> SplitHookLine(const std::string& line)
{
    const char separator = line.find('|') != std::string::npos ? '|' : ' ';
    std::vector<std::string> words;
    std::string::size_type start = 0;
    while (start < line.size()) {
        std::string::size_type end = line.find(separator, start);
        if (end == std::string::npos)
            end = line.size();
        if (end > start)
            words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::int32_t AddFrameHookLine(TFrameHookEntry** chain, const std::string& line)
{
    const std::vector<std::string> words = SplitHookLine(line);
    if (words.size() > MaxHookWords)
        return HookTooManyWords;
    if (chain == nullptr || words.empty())
        return HookMissingEntry;
    // One buffer of NUL-ended words that the new entry owns: plug-ins may keep
    // the argument pointers Configure receives.
    auto* arguments = FF.av_malloc != nullptr ? static_cast<char*>(FF.av_malloc(line.size() + 1)) : nullptr;
    if (arguments == nullptr)
        return HookOutOfMemory;
    std::vector<char*> argv;
    char* next = arguments;
    for (const std::string& word : words) {
        argv.push_back(next);
        next = std::copy(word.begin(), word.end(), next);
        *next++ = '\0';
    }
    argv.push_back(nullptr);
    std::int32_t result = AddFrameHook(chain, static_cast<std::int32_t>(words.size()), argv.data());
    if (result != 0) {
        FF.av_free(arguments);
        return result;
    }
    TFrameHookEntry* added = *chain;
    while (added->next != nullptr)
        added = added->next;
    added->Arguments = arguments;
    return 0;
}

FrameHookPicture HookPictureFromFrame(const AVFrame& frame)
{
    FrameHookPicture picture{};
    for (int plane = 0; plane < 4; ++plane) {
        picture.data[plane] = frame.data[plane];
        picture.linesize[plane] = frame.linesize[plane];
    }
    return picture;
}

} // namespace tovrel
