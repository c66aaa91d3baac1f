#pragma once
// The arithmetic of a hint window: line breaks at the separator, the size of
// a skinned frame around the text, and where the window goes so that it
// stays on the screen.
#include "platform/wm/WinTypes.h"
#include "skin/draw/SkinImageBuilders.h"

#include <string>
#include <string_view>

namespace tovrel {

// Every occurrence of separator becomes a line break; an empty separator
// changes nothing.
std::string BreakHintLines(std::string text, std::string_view separator);

// A skinned hint's window size for content of `content` (the text block, plus
// `extra` pixels across) and the entry's corners moved to that size. The
// window grows where the corner pieces would otherwise overlap.
struct TSkinnedHintFrame {
    TSize Size;
    TskSkinCorners Fresh;
};
TSkinnedHintFrame SkinnedHintFrame(const TskSkinCorners& skin, TSize picture, TSize content, int extra);

// The window's bounds for a hint of `size` anchored at `at`, inside `limit`:
// past the right or bottom edge it flips to the other side of the anchor
// (by its own width or height + 2); it never starts left of or above the
// limit.
TRect PlaceHint(TRect limit, TPoint at, TSize size);
// The anchor of a hint centred above (top) or below the rectangle `from`.
TPoint HintAnchorAtRect(TRect from, TSize size, bool top);

} // namespace tovrel
