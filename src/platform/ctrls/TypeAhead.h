#pragma once
// Finding an item by typing the start of its text: characters typed within
// kTimeoutMs of each other make one prefix; the same letter again steps to
// the next item it starts; control characters never join the prefix.
// Matching ignores ASCII case and wraps past the last item.
#include "platform/wm/WinTypes.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tovrel {

class TTypeAhead {
public:
    static constexpr std::uint32_t kTimeoutMs = 1000;

    // The item to move to after typing `ch` (-1: none). `current` is the
    // selected item (-1: none); `textOf` gives an item's text.
    int Type(char16_t ch, int count, int current, const std::function<std::string(int)>& textOf);
    // The same, with the search left to `find`: the first item from `start + 1`
    // on (wrapping, see SearchStart) that `prefix` begins, or -1. For lists
    // whose items are not at hand.
    using TFindPrefix = std::function<int(std::string_view prefix, int start)>;
    int Type(char16_t ch, int count, int current, const TFindPrefix& find);

private:
    std::u32string prefix_;
    std::uint32_t lastTime_ = 0;
};

// Where a search after item `start` begins: the next item, or the first
// when `start` is none, the last or out of range.
int SearchStart(int start, int count);

// The first item from `start + 1` on (wrapping) whose text begins with
// `prefix` (or equals it when `exact`), ignoring ASCII case; -1 when none.
int FindItemByText(int count, int start, std::string_view prefix, bool exact,
                   const std::function<std::string(int)>& textOf);

} // namespace tovrel
