#pragma once
// A flag set for the lifetime of a scope: re-entrancy guards of the skinned
// controls.

namespace tovrel {

// Sets the flag for the lifetime of the guard, then puts the old value back.
class TskFlagGuard {
public:
    explicit TskFlagGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~TskFlagGuard() { flag_ = old_; }
    TskFlagGuard(const TskFlagGuard&) = delete;
    TskFlagGuard& operator=(const TskFlagGuard&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace tovrel
