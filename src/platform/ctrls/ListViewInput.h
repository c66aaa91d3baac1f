#pragma once
// What a list view does with the mouse, keys, the wheel and scroll messages.
#include "platform/ctrls/TypeAhead.h"
#include "platform/vcl/ControlMessages.h"

namespace tovrel {

class TCustomListView;

class TListViewInput {
public:
    explicit TListViewInput(TCustomListView& view) : view_(view) {}
    // True when the message was one of its own.
    bool Handle(TMessage& message);

private:
    void ButtonDown(TPoint p, WPARAM keys, bool doubleClick, bool right);
    void KeyDown(WORD key);
    // The item typing `ch` moves to (-1: none).
    int TypedItem(char16_t ch);

    TCustomListView& view_;
    bool pressed_ = false;
    int anchor_ = -1;
    TTypeAhead typeAhead_;
};

} // namespace tovrel
