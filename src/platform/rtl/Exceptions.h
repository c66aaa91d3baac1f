#pragma once
// The run-time library's exception classes the Parts raise and catch by name.
#include <stdexcept>
#include <string>

namespace tovrel {

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Text that is not a number, a bad Format string.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A float that has no integer value (NaN, infinity, out of the 64-bit range).
class EInvalidOp : public Exception {
public:
    EInvalidOp() : Exception("Invalid floating point operation") {}
};

class EDivByZero : public Exception {
public:
    EDivByZero() : Exception("Division by zero") {}
};

// A file or folder the system refused; ErrorCode is its errno value.
class EInOutError : public Exception {
public:
    EInOutError(int errorCode, const std::string& message) : Exception(message), ErrorCode(errorCode) {}
    int ErrorCode;
};

} // namespace tovrel
