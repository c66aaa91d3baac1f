#pragma once
// What a list view does with the mouse, keys, the wheel and scroll messages.
// With multiple selection, Shift with a click or a navigation key selects the
// range from the anchor, Ctrl with a key moves only the focus, and Ctrl with a
// click or Space flips one item; otherwise a click or key selects one item.
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
    // Multiple selection: selects the items from the anchor to `index` in
    // item order, unselects the rest and focuses `index`.
    void SelectRange(int index);
    // Multiple selection: flips `index`'s selection, focuses it and makes it the anchor.
    void ToggleSelected(int index);
    // The item typing `ch` moves to (-1: none).
    int TypedItem(char16_t ch);

    TCustomListView& view_;
    bool pressed_ = false;
    int anchor_ = -1; // where a Shift range starts; -1: none yet
    TTypeAhead typeAhead_;
};

} // namespace tovrel
