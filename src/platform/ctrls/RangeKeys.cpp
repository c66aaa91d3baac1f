#include "platform/ctrls/RangeKeys.h"

#include "platform/wm/Keys.h"

namespace tovrel {

std::optional<TRangeKeyStep> RangeKeyStep(WPARAM key, int position, int line, int page, int min, int max)
{
    switch (key) {
    case VK_UP:
    case VK_LEFT: return TRangeKeyStep{TRangeStep::LineBack, position - line};
    case VK_DOWN:
    case VK_RIGHT: return TRangeKeyStep{TRangeStep::LineForward, position + line};
    case VK_PRIOR: return TRangeKeyStep{TRangeStep::PageBack, position - page};
    case VK_NEXT: return TRangeKeyStep{TRangeStep::PageForward, position + page};
    case VK_HOME: return TRangeKeyStep{TRangeStep::First, min};
    case VK_END: return TRangeKeyStep{TRangeStep::Last, max};
    default: return std::nullopt;
    }
}

} // namespace tovrel
