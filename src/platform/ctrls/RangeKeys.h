#pragma once
// Navigation keys on a control that holds a position in a range (scroll bar,
// track bar): which step a key asks for and where it aims.
#include "platform/wm/WinTypes.h"

#include <optional>

namespace tovrel {

enum class TRangeStep : std::uint8_t { LineBack, LineForward, PageBack, PageForward, First, Last };

struct TRangeKeyStep {
    TRangeStep Step;
    int Target; // not clamped: the control keeps its own range rules
};

// Up/Left and Down/Right move a line, Page Up/Down a page, Home/End to the ends;
// other keys ask nothing.
std::optional<TRangeKeyStep> RangeKeyStep(WPARAM key, int position, int line, int page, int min, int max);

} // namespace tovrel
