#pragma once
// What a tree view does with the mouse, keys, the wheel and scroll messages.
#include "platform/ctrls/TypeAhead.h"
#include "platform/vcl/ControlMessages.h"

namespace tovrel {

class TCustomTreeView;

class TTreeViewInput {
public:
    explicit TTreeViewInput(TCustomTreeView& tree) : tree_(tree) {}
    bool Handle(TMessage& message);

private:
    void ButtonDown(TPoint p, bool doubleClick);
    void KeyDown(WORD key);

    TCustomTreeView& tree_;
    bool pressed_ = false;
    TTypeAhead typeAhead_;
};

} // namespace tovrel
