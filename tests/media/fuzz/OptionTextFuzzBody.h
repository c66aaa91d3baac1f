#pragma once
#include <string_view>

namespace tovrel::test {

// Reads the text as the option text of a task's input and output (the
// "name=value" lines AddTask and SetOutputFile take), then hands every line to
// a conversion job's option dispatcher over the real media libraries (loaded
// on the first call). The parse takes every text; the dispatcher may refuse a
// value with FFmpegException, EAssertionFailed or the framework's
// EConvertError, which a task reports as its error message. Anything else escaping, a crash, or a line that
// keeps a line break is a fault. Options that open files or load plugins are
// left out: their values are names, not text to parse.
void ExerciseOptionText(std::string_view text);

} // namespace tovrel::test
