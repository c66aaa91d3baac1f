#pragma once
// TComponent: ownership (an owner frees what it owns), names, removal
// notifications and the loading states.
//
// Forms built in code mark their loading phase with BeginLoading/EndLoading:
// between them the owner and every component created under it carry csLoading
// and csReading (controls keep their events silent then); EndLoading clears
// csReading everywhere and calls Loaded once per component, owner first, in
// creation order, and Loaded clears csLoading.
#include "platform/vcl/Object.h"
#include "platform/vcl/Set.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tovrel {

enum TComponentStateFlag : std::uint8_t {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateFlag>;

enum TComponentStyleFlag : std::uint8_t { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleFlag>;

enum TOperation : std::uint8_t { opInsert, opRemove };

class TComponentRefBase;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    void BeforeDestruction() override { Destroying(); }

    TComponent* Owner() const { return owner_; }
    TPersistent* GetOwner() const override { return owner_; }

    const std::string& Name() const { return name_; }
    // Raises EComponentError for a name that is not an identifier or that a
    // sibling already has (compared without regard to case). "" is allowed.
    virtual void SetName(std::string_view name);

    std::intptr_t Tag = 0;

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const;
    int ComponentIndex() const;
    TComponent* FindComponent(std::string_view name) const;

    TComponentState ComponentState() const { return state_; }
    TComponentStyle ComponentStyle() const { return style_; }
    void SetSubComponent(bool value);

    // `component` is told (Notification(this, opRemove)) when this one goes.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    // Frees every owned component, the last one first.
    void DestroyComponents();
    void Destroying();

    void BeginLoading();
    void EndLoading();

protected:
    // Called on the owner and, through it, every owned component when a
    // component is inserted or removed, and on the free-notification partners.
    // On removal, this component's references to the removed one (see
    // ComponentRef.h) already read null.
    virtual void Notification(TComponent* component, TOperation operation);
    virtual void Loaded();
    void SetState(TComponentStateFlag flag, bool on);

private:
    friend class TComponentRefBase;

    // The one way every notification is delivered: references first.
    void Notify(TComponent* component, TOperation operation);
    void ReleaseReferencesTo(const TComponent* component);
    bool RefersTo(const TComponent* component) const;
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void CollectReading(std::vector<TComponent*>& list);
    void UnlinkFreeNotification(TComponent* other);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::vector<TComponentRefBase*> references_;
    TComponentState state_;
    TComponentStyle style_;
};

bool IsValidIdent(std::string_view name);

} // namespace tovrel
