#include "player/VideoRotation.h"

#include "media/loader/FFmpegLoaderEntries.h"

#include <cmath>
#include <cstring>
#include <span>

namespace tovrel {

int UprightRotation(const std::uint8_t* matrix, std::size_t size)
{
    constexpr std::size_t matrixSize = 9 * sizeof(std::int32_t);
    if (!matrix || size < matrixSize)
        return 0;
    // Side data carries no alignment promise: read the matrix from a copy.
    std::int32_t values[9];
    std::memcpy(values, matrix, matrixSize);
    // The library reads the turn counter-clockwise; showing it upright is the opposite turn.
    const double degrees = -FF.av_display_rotation_get(values);
    if (!std::isfinite(degrees))
        return 0;
    const long rounded = std::lround(degrees);
    const int rotation = int((rounded % 360 + 360) % 360);
    return rotation % 90 == 0 ? rotation : 0;
}

int UprightRotation(const AVStream* stream)
{
    if (!stream)
        return 0;
    std::size_t size = 0;
    const std::uint8_t* matrix = FF.av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, &size);
    return UprightRotation(matrix, size);
}

namespace {

struct TRotationStep {
    const char* filter;
    const char* instance; // unique in the graph, beside the parsed VideoFilters ("Parsed_...")
    const char* args;
};

constexpr TRotationStep Clockwise[] = {{"transpose", "upright_transpose", "dir=clock"}};
constexpr TRotationStep HalfTurn[] = {{"hflip", "upright_hflip", nullptr}, {"vflip", "upright_vflip", nullptr}};
constexpr TRotationStep CounterClockwise[] = {{"transpose", "upright_transpose", "dir=cclock"}};

std::span<const TRotationStep> RotationSteps(int rotation)
{
    switch (rotation) {
    case 90: return Clockwise;
    case 180: return HalfTurn;
    case 270: return CounterClockwise;
    default: return {};
    }
}

} // namespace

AVFilterContext* AppendRotation(AVFilterGraph* graph, AVFilterContext* source, int rotation)
{
    AVFilterContext* last = source;
    for (const TRotationStep& step : RotationSteps(rotation)) {
        AVFilterContext* next = nullptr;
        if (FF.avfilter_graph_create_filter(&next, FF.avfilter_get_by_name(step.filter), step.instance, step.args,
                                            nullptr, graph) < 0 ||
            FF.avfilter_link(last, 0, next, 0) < 0)
            return nullptr;
        last = next;
    }
    return last;
}

} // namespace tovrel
