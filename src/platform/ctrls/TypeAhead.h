#pragma once
// Finding an item by typing the start of its text: characters typed within
// kTimeoutMs of each other make one prefix; the same letter again steps to
// the next item it starts; control characters never join the prefix.
// Matching ignores ASCII case and wraps past the last item.
#include "platform/wm/WinTypes.h"

#include <cstdint>
#include <functional>
#include <string>

namespace tovrel {

class TTypeAhead {
public:
    static constexpr std::uint32_t kTimeoutMs = 1000;

    // The item to move to after typing `ch` (-1: none). `current` is the
    // selected item (-1: none); `textOf` gives an item's text.
    int Type(char16_t ch, int count, int current, const std::function<std::string(int)>& textOf);

private:
    std::u32string prefix_;
    std::uint32_t lastTime_ = 0;
};

// The first item from `start + 1` on (wrapping) whose text begins with
// `prefix` (or equals it when `exact`), ignoring ASCII case; -1 when none.
int FindItemByText(int count, int start, std::string_view prefix, bool exact,
                   const std::function<std::string(int)>& textOf);

} // namespace tovrel
