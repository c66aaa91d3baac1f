#pragma once
// Portrait phone video stores its pictures turned and says in the video
// stream's display matrix how to show them. The player turns every picture
// upright in its filter graph, before it is stored, so whatever leaves the
// player (the surface, CurrentFrame, OnHook) is upright; the size it reports
// is the upright one too.
#include <cstddef>
#include <cstdint>

struct AVFilterContext;
struct AVFilterGraph;
struct AVStream;

namespace tovrel {

// The clockwise turn (0, 90, 180 or 270 degrees) that shows pictures with this
// display matrix upright. A missing, short or singular matrix, or a turn that is
// no quarter turn, leaves the pictures as stored: 0.
int UprightRotation(const std::uint8_t* matrix, std::size_t size);
int UprightRotation(const AVStream* stream);

// True when the turn swaps the picture's width and height.
inline bool SwapsSides(int rotation)
{
    return rotation % 180 != 0;
}

// Adds to the graph the filters that turn pictures from `source` clockwise by
// `rotation` degrees and links them after it. Returns the filter the rest of the
// graph takes its pictures from (`source` itself for 0), null on failure.
AVFilterContext* AppendRotation(AVFilterGraph* graph, AVFilterContext* source, int rotation);

} // namespace tovrel
