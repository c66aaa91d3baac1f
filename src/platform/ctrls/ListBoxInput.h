#pragma once
// What a list box does with keys, typed characters (incremental search by
// prefix), the mouse, the wheel, scroll messages and focus changes.
#include "platform/vcl/ControlMessages.h"

#include <cstdint>
#include <string>

namespace tovrel {

class TCustomListBox;

class TListBoxInput {
public:
    explicit TListBoxInput(TCustomListBox& list) : list_(list) {}
    // True when the message was one of its own.
    bool Handle(TMessage& message);

    // Typed characters within this time extend the search prefix.
    static constexpr std::uint32_t kSearchTimeoutMs = 1000;

private:
    void KeyDown(WORD key);
    void Char(char16_t ch);
    void ButtonDown(TPoint p, WPARAM keys, bool doubleClick);
    void Drag(TPoint p);
    void Scroll(WPARAM w);
    // Moves to `index` the way an arrow key does (shift/ctrl as held).
    void MoveTo(int index, bool shift, bool ctrl);

    TCustomListBox& list_;
    bool tracking_ = false;
    std::u32string prefix_;
    std::uint32_t lastCharTime_ = 0;
};

} // namespace tovrel
