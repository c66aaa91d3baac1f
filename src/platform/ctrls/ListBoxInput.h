#pragma once
// What a list box does with keys, typed characters (incremental search by
// prefix), the mouse, the wheel, scroll messages and focus changes.
#include "platform/ctrls/TypeAhead.h"
#include "platform/vcl/ControlMessages.h"
#include "platform/vcl/ControlTypes.h"

#include <cstdint>
#include <string>

namespace tovrel {

class TCustomListBox;

class TListBoxInput {
public:
    explicit TListBoxInput(TCustomListBox& list) : list_(list) {}
    // True when the message was one of its own.
    bool Handle(TMessage& message);

private:
    void KeyDown(WORD key);
    void Char(char16_t ch);
    void ButtonDown(TPoint p, WPARAM keys, bool doubleClick);
    void Drag(TPoint p);
    void Scroll(WPARAM w);
    // Moves to `index` the way an arrow key does with these modifiers held.
    void MoveTo(int index, TShiftState held);

    TCustomListBox& list_;
    bool tracking_ = false;
    TTypeAhead typeAhead_;
};

} // namespace tovrel
