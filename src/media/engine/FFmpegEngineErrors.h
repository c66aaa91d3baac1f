#pragma once
// The error a conversion job raises. (A broken precondition raises the
// logger unit's EAssertionFailed.)
#include <stdexcept>
#include <string>

namespace tovrel {

// Every fatal condition of the transcoder; the message is the tool's own text.
class FFmpegException : public std::runtime_error {
public:
    explicit FFmpegException(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tovrel
