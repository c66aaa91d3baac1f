#pragma once
// TComponentRef<T>: one component's pointer to another that follows the
// target's life, in place of a hand-written Notification check. A member of
// its owner (the referring component):
// - assigning registers free notification on the new target and removes it
//   from the old one;
// - when the target goes (freed, or removed from its owner) the reference
//   reads null before the owner's Notification runs, then the owner's
//   callback, if one was given, runs;
// - when the owner goes first, the target forgets it.
// A free-notification link serves both directions and every reference between
// the two components, so the old target is unlinked only when no other
// reference of either still points at the other.
#include "platform/vcl/Component.h"
#include "platform/vcl/Object.h"

#include <functional>

namespace tovrel {

class TComponentRefBase {
public:
    TComponentRefBase(const TComponentRefBase&) = delete;
    TComponentRefBase& operator=(const TComponentRefBase&) = delete;

    TComponent* Target() const { return target_; }

protected:
    TComponentRefBase(TComponent& owner, std::function<void()> onRemoved);
    ~TComponentRefBase();

    // `typed` is the target as the caller's own type, kept so that a header
    // declaring a reference needs no definition of that type.
    void Point(TComponent* target, void* typed);
    void* Typed() const { return typed_; }

private:
    friend class TComponent;
    void Unlink(TComponent* old);

    TComponent& owner_;
    TComponent* target_ = nullptr;
    void* typed_ = nullptr;
    std::function<void()> onRemoved_;
};

template <class T> class TComponentRef : public TComponentRefBase {
public:
    explicit TComponentRef(TComponent& owner, std::function<void()> onRemoved = {})
        : TComponentRefBase(owner, std::move(onRemoved))
    {}

    TComponentRef& operator=(T* target)
    {
        Point(target, target);
        return *this;
    }

    T* Get() const { return static_cast<T*>(Typed()); }
    operator T*() const { return Get(); }
    T* operator->() const { return Get(); }
};

// Clears the reference first, so its callback does not run for this free.
template <class T> void FreeAndNil(TComponentRef<T>& reference)
{
    T* doomed = reference;
    reference = nullptr;
    TObject::Free(doomed);
}

} // namespace tovrel
