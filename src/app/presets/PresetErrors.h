#pragma once

#include <stdexcept>

namespace tovrel {

// The embedded preset tables are malformed (a build fault, never user input).
class EPresetDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tovrel
