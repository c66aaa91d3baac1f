#include "skin/hints/HintLayout.h"

#include <algorithm>

namespace tovrel {

std::string BreakHintLines(std::string text, std::string_view separator)
{
    if (separator.empty())
        return text;
    for (auto at = text.find(separator); at != std::string::npos; at = text.find(separator, at + 1))
        text.replace(at, separator.size(), "\n");
    return text;
}

TSkinnedHintFrame SkinnedHintFrame(const TskSkinCorners& skin, TSize picture, TSize content, int extra)
{
    int w = content.cx + skin.ClRect.Left + (picture.cx - skin.ClRect.Right) + extra;
    int h = content.cy + skin.ClRect.Top + (picture.cy - skin.ClRect.Bottom);
    // The right corners never start left of the left ones, nor the bottom
    // ones above the top ones.
    const auto reach = [](int& length, int start, int end, int grownBy) {
        if (end + grownBy < start)
            length += start - (end + grownBy);
    };
    reach(w, skin.LTPt.X, skin.RTPt.X, w - picture.cx);
    reach(w, skin.LBPt.X, skin.RBPt.X, w - picture.cx);
    reach(h, skin.LTPt.Y, skin.LBPt.Y, h - picture.cy);
    reach(h, skin.RTPt.Y, skin.RBPt.Y, h - picture.cy);
    const TSize size{w, h};
    return {size, NewSkinCorners(skin, picture, size)};
}

TRect PlaceHint(TRect limit, TPoint at, TSize size)
{
    int left = at.X, top = at.Y;
    if (left + size.cx > limit.Right)
        left -= size.cx + 2;
    if (top + size.cy > limit.Bottom)
        top -= size.cy + 2;
    left = std::max(left, limit.Left);
    top = std::max(top, limit.Top);
    return Bounds(left, top, size.cx, size.cy);
}

TPoint HintAnchorAtRect(TRect from, TSize size, bool top)
{
    return {from.Left + from.Width() / 2 - size.cx / 2, top ? from.Top - size.cy : from.Bottom};
}

} // namespace tovrel
