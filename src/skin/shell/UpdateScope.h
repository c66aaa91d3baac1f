#pragma once
// BeginUpdate for a scope, EndUpdate however the scope ends.

namespace tovrel {

template <class T> class TUpdateScope {
public:
    explicit TUpdateScope(T& target) : target_(target) { target_.BeginUpdate(); }
    ~TUpdateScope() { target_.EndUpdate(); }
    TUpdateScope(const TUpdateScope&) = delete;
    TUpdateScope& operator=(const TUpdateScope&) = delete;

private:
    T& target_;
};

} // namespace tovrel
