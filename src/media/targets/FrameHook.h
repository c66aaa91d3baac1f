#pragma once
// A job's chain of video hook plug-ins: each addition loads (or shares) the
// plug-in module, configures its own context and joins the end of the chain;
// every decoded picture passes through the chain in order.
#include "media/targets/FrameHookPlugin.h"

#include <cstdint>
#include <string>
#include <vector>

struct AVFrame;

namespace tovrel {

// Allocated zero-filled with the media libraries' allocator.
struct TFrameHookEntry {
    TFrameHookEntry* next;
    FrameHookConfigureFn Configure;
    FrameHookProcessFn Process;
    FrameHookReleaseFn Release;
    void* ctx;
    void* Module;    // the entry's reference in HookModuleCache
    char* Arguments; // the words of a hook line, kept while a plug-in may hold them
};

// Results of AddFrameHook.
inline constexpr std::int32_t HookLoadFailed = -1;
inline constexpr std::int32_t HookMissingEntry = -2;
inline constexpr std::int32_t HookOutOfMemory = -12;
inline constexpr std::int32_t HookConfigureRefused = -22;
// A hook line with more words than the argument list holds.
inline constexpr std::int32_t HookTooManyWords = -7;
inline constexpr std::size_t MaxHookWords = 63;

std::int32_t AddFrameHook(TFrameHookEntry** chain, std::int32_t argc, char* argv[]);
void RunFrameHooks(TFrameHookEntry* first, FrameHookPicture* picture, std::int32_t pixFmt, std::int32_t width,
                   std::int32_t height, std::int64_t pts);
void ReleaseFrameHooks(TFrameHookEntry** chain);

// The words of a hook option: split at "|" when the line holds one (spaces
// stay inside words), else at spaces; repeated separators count as one.
std::vector<std::string> SplitHookLine(const std::string& line);
// Adds the hook a whole option line names; more than MaxHookWords words are
// refused with HookTooManyWords.
std::int32_t AddFrameHookLine(TFrameHookEntry** chain, const std::string& line);

// The plug-ins' view of a decoded picture's planes.
FrameHookPicture HookPictureFromFrame(const AVFrame& frame);

} // namespace tovrel
