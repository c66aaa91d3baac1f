#include "platform/ctrls/TypeAhead.h"

#include "platform/gdi/TextUtf8.h"
#include "platform/rtl/Text.h"
#include "platform/wm/Clock.h"

#include <algorithm>

namespace tovrel {

int SearchStart(int start, int count)
{
    return start < 0 || start + 1 >= count ? 0 : start + 1;
}

int FindItemByText(int count, int start, std::string_view prefix, bool exact,
                   const std::function<std::string(int)>& textOf)
{
    if (count <= 0)
        return -1;
    const int first = SearchStart(start, count);
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const std::string text = textOf(i);
        if (exact ? SameText(text, prefix) : SameText(std::string_view(text).substr(0, prefix.size()), prefix))
            return i;
    }
    return -1;
}

int TTypeAhead::Type(char16_t ch, int count, int current, const std::function<std::string(int)>& textOf)
{
    return Type(ch, count, current, [&](std::string_view prefix, int start) {
        return FindItemByText(count, start, prefix, false, textOf);
    });
}

int TTypeAhead::Type(char16_t ch, int count, int current, const TFindPrefix& find)
{
    if (ch < 32 || count == 0)
        return -1;
    const std::uint32_t now = GetTickCount();
    if (now - lastTime_ > kTimeoutMs)
        prefix_.clear();
    lastTime_ = now;
    prefix_ += char32_t(ch);
    // The same letter again steps through the items it starts.
    const bool repeated = std::all_of(prefix_.begin(), prefix_.end(), [&](char32_t c) { return c == prefix_[0]; });
    const std::u32string search = repeated ? prefix_.substr(0, 1) : prefix_;
    // A fresh letter looks past the current item; a longer prefix may stay on it.
    return find(EncodeUtf8(search), repeated ? current : current - 1);
}

} // namespace tovrel
