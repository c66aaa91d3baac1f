#pragma once
// TMDIClient: the client area of an MDI frame form. It holds the frame's
// child forms as child windows (clipped to it), keeps them in the order they
// were added, knows which one is active (a press on a child or Activate
// brings it to the front), and tells its listener when a child comes, goes
// or becomes active.
#include "platform/vcl/ComponentRef.h"
#include "platform/vcl/CustomControls.h"
#include "platform/vcl/Forms.h"

#include <functional>
#include <memory>
#include <vector>

namespace tovrel {

class TMDIClient : public TCustomControl {
public:
    explicit TMDIClient(TComponent* AOwner);
    ~TMDIClient() override;

    // Makes Child an MDI child of this client (parented here, fsMDIChild) and
    // active. A child already held only becomes active.
    void AddChild(TCustomForm* Child);
    int MDIChildCount() const { return int(children_.size()); }
    // In the order added; null past the end.
    TCustomForm* MDIChildren(int Index) const;
    TCustomForm* ActiveMDIChild() const { return active_; }
    // Brings Child to the front and makes it the active child.
    void Activate(TCustomForm* Child);
    // The area children are laid out in, in client coordinates.
    TRect MDIWorkArea() const { return ClientRect(); }

    std::function<void(TCustomForm*Child)> OnChildAdded, OnChildRemoved;
    TNotifyEvent OnActiveChildChange;

protected:
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    void ChildGone(TCustomForm* Child);
    TCustomForm* ChildAt(TPoint P) const;

    std::vector<std::unique_ptr<TComponentRef<TCustomForm>>> refs_;
    std::vector<TCustomForm*> children_;
    TCustomForm* active_ = nullptr;
};

// The MDI client among Frame's controls; null when it has none.
TMDIClient* FindMDIClient(const TWinControl* Frame);
// The MDI client holding Child; null when Child is no MDI child.
TMDIClient* MDIClientOf(const TControl* Child);

} // namespace tovrel
