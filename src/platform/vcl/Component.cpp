#include "platform/vcl/Component.h"

#include "platform/rtl/Text.h"
#include "platform/vcl/Errors.h"

#include <algorithm>

namespace tovrel {

bool IsValidIdent(std::string_view name)
{
    if (name.empty())
        return false;
    auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    if (!alpha(name[0]))
        return false;
    return std::all_of(name.begin(), name.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    Destroying();
    // Partners are unlinked before they are told, so one that does not call the
    // base Notification keeps no pointer to this object.
    while (!freeNotifies_.empty()) {
        TComponent* partner = freeNotifies_.back();
        UnlinkFreeNotification(partner);
        partner->Notify(this, opRemove);
    }
    DestroyComponents();
    if (owner_)
        owner_->RemoveComponent(this);
}

TComponent* TComponent::Components(int index) const
{
    if (index < 0 || index >= ComponentCount())
        ListIndexError(index);
    return components_[std::size_t(index)];
}

int TComponent::ComponentIndex() const
{
    if (!owner_)
        return -1;
    const auto& list = owner_->components_;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : int(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::SetName(std::string_view name)
{
    if (name_ == name)
        return;
    if (!name.empty()) {
        if (!IsValidIdent(name))
            throw EComponentError("'" + std::string(name) + "' is not a valid component name");
        const TComponent* other = owner_ ? owner_->FindComponent(name) : nullptr;
        if (other && other != this)
            throw EComponentError("A component named " + std::string(name) + " already exists");
    }
    name_ = name;
}

void TComponent::SetSubComponent(bool value)
{
    if (value)
        style_.Include(csSubComponent);
    else
        style_.Exclude(csSubComponent);
}

void TComponent::SetState(TComponentStateFlag flag, bool on)
{
    if (on)
        state_.Include(flag);
    else
        state_.Exclude(flag);
}

void TComponent::FreeNotification(TComponent* component)
{
    if (!component || component == this)
        return;
    // Siblings hear of each other's removal through their owner already.
    if (owner_ && component->owner_ == owner_) {
        state_.Include(csFreeNotification);
        return;
    }
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
        freeNotifies_.push_back(component);
        component->freeNotifies_.push_back(this);
    }
    state_.Include(csFreeNotification);
}

void TComponent::UnlinkFreeNotification(TComponent* other)
{
    std::erase(freeNotifies_, other);
    std::erase(other->freeNotifies_, this);
}

void TComponent::RemoveFreeNotification(TComponent* component)
{
    if (component)
        UnlinkFreeNotification(component);
}

void TComponent::Notification(TComponent* component, TOperation operation)
{
    if (operation == opRemove && component)
        UnlinkFreeNotification(component);
    // A handler may free siblings; walk a copy and skip those already gone.
    const std::vector<TComponent*> owned = components_;
    for (TComponent* c : owned)
        if (std::find(components_.begin(), components_.end(), c) != components_.end())
            c->Notify(component, operation);
}

void TComponent::Notify(TComponent* component, TOperation operation)
{
    if (operation == opRemove)
        ReleaseReferencesTo(component);
    Notification(component, operation);
}

void TComponent::Insert(TComponent* component)
{
    components_.push_back(component);
    component->owner_ = this;
    if (state_.Contains(csReading)) {
        component->state_.Include(csLoading);
        component->state_.Include(csReading);
    }
}

void TComponent::Remove(TComponent* component)
{
    std::erase(components_, component);
    component->owner_ = nullptr;
}

void TComponent::InsertComponent(TComponent* component)
{
    if (!component || component->owner_ == this)
        return;
    if (component->owner_)
        component->owner_->RemoveComponent(component);
    if (!component->name_.empty() && FindComponent(component->name_))
        throw EComponentError("A component named " + component->name_ + " already exists");
    Insert(component);
    Notify(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component)
{
    if (!component || component->owner_ != this)
        return;
    Notify(component, opRemove);
    Remove(component);
}

void TComponent::DestroyComponents()
{
    while (!components_.empty()) {
        TComponent* last = components_.back();
        RemoveComponent(last);
        Free(last);
    }
}

void TComponent::Destroying()
{
    if (state_.Contains(csDestroying))
        return;
    state_.Include(csDestroying);
    for (TComponent* c : components_)
        c->Destroying();
}

void TComponent::Loaded()
{
    state_.Exclude(csLoading);
}

void TComponent::BeginLoading()
{
    state_.Include(csLoading);
    state_.Include(csReading);
}

void TComponent::CollectReading(std::vector<TComponent*>& list)
{
    if (state_.Contains(csReading))
        list.push_back(this);
    for (TComponent* c : components_)
        c->CollectReading(list);
}

void TComponent::EndLoading()
{
    std::vector<TComponent*> loaded;
    CollectReading(loaded);
    for (TComponent* c : loaded)
        c->state_.Exclude(csReading);
    for (TComponent* c : loaded) {
        c->Loaded();
        c->state_.Exclude(csLoading);
    }
}

} // namespace tovrel
