#include "platform/vcl/ComponentRef.h"

#include <algorithm>

namespace tovrel {

TComponentRefBase::TComponentRefBase(TComponent& owner, std::function<void()> onRemoved)
    : owner_(owner), onRemoved_(std::move(onRemoved))
{
    owner_.references_.push_back(this);
}

TComponentRefBase::~TComponentRefBase()
{
    std::erase(owner_.references_, this);
    Unlink(target_);
}

void TComponentRefBase::Point(TComponent* target, void* typed)
{
    TComponent* old = target_;
    target_ = target;
    typed_ = target ? typed : nullptr;
    if (target == old)
        return;
    if (target)
        target->FreeNotification(&owner_);
    Unlink(old);
}

void TComponentRefBase::Unlink(TComponent* old)
{
    if (old && !owner_.RefersTo(old) && !old->RefersTo(&owner_))
        old->RemoveFreeNotification(&owner_);
}

bool TComponent::RefersTo(const TComponent* component) const
{
    return std::any_of(references_.begin(), references_.end(),
                       [component](const TComponentRefBase* ref) { return ref->target_ == component; });
}

void TComponent::ReleaseReferencesTo(const TComponent* component)
{
    // Every reference reads null before any callback runs, and the callbacks
    // are copied first: one may reassign or clear the owner's other references.
    if (!component)
        return;
    std::vector<std::function<void()>> callbacks;
    for (TComponentRefBase* ref : references_) {
        if (ref->target_ != component)
            continue;
        ref->target_ = nullptr;
        ref->typed_ = nullptr;
        if (ref->onRemoved_)
            callbacks.push_back(ref->onRemoved_);
    }
    for (const auto& callback : callbacks)
        callback();
}

} // namespace tovrel
