#pragma once
// Pieces of the DrawText layout: "&" prefixes, placing characters with tab
// stops, line breaking and ellipses. Internal to the text code; tested
// through LayoutDrawText.
#include "platform/gdi/TextLayout.h"

#include <vector>

namespace tovrel {

using TCharRun = std::vector<TLaidChar>;

// "&x" marks x, "&&" is a literal "&", a lone trailing "&" disappears.
TCharRun ParsePrefixes(std::u32string_view text, bool processPrefixes);

// Fills X and Width from the measurer; a tab jumps to the next multiple of
// `tabWidth` (0 = tabs are plain characters). Returns the run's width.
int PlaceChars(ITextMeasurer& measurer, TCharRun& run, int tabWidth);

// Greedy breaking at spaces and around Chinese characters; a word wider
// than the line stays whole. Spaces at a break are dropped.
std::vector<TCharRun> BreakLines(ITextMeasurer& measurer, const TCharRun& paragraph, int maxWidth, int tabWidth);

// Replace the end (or the middle of a path, keeping its last component) with
// "..." so the run fits `maxWidth`. The run is placed again afterwards.
void ApplyEndEllipsis(ITextMeasurer& measurer, TCharRun& run, int maxWidth, int tabWidth);
void ApplyPathEllipsis(ITextMeasurer& measurer, TCharRun& run, int maxWidth, int tabWidth);

} // namespace tovrel
