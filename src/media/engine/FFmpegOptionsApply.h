#pragma once
// How the option records reach a task's engine, in the order the engine
// consumes them.
#include "media/engine/FFmpegOptions.h"

#include <functional>
#include <string>

namespace tovrel {

class TFFmpeg;

// Stores the record as the options of the task's next input and applies it:
// option text, forced format, start time, program. An empty FileName takes
// fileName (in the caller's record too). The input itself is not opened.
void ApplyInputOptions(TFFmpeg& task, const std::string& fileName, TInputOptions& options);

// Stores and applies the record of the task's next output, opens the output and
// adds its new streams. Returns whether the output opened. bindCustomHook runs
// when the record asks for the custom hook.
bool ApplyOutputOptionsAndOpen(TFFmpeg& task, const std::string& fileName, TOutputOptions& options,
                               const std::function<void()>& bindCustomHook);

} // namespace tovrel
