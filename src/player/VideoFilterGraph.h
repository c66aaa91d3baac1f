#pragma once
// The small filter graph between the video decoder and the picture queue:
// buffer -> [the upright turn] -> [the player's VideoFilters] -> format=yuv420p -> buffersink.
#include <string>

extern "C" {
#include <libavutil/rational.h>
}

struct AVFilterContext;
struct AVFilterGraph;
struct AVFrame;

namespace tovrel {

class TVideoFilterGraph {
public:
    TVideoFilterGraph() = default;
    ~TVideoFilterGraph();
    TVideoFilterGraph(const TVideoFilterGraph&) = delete;
    TVideoFilterGraph& operator=(const TVideoFilterGraph&) = delete;

    // True when the graph was built for pictures of this size and format.
    bool Fits(const AVFrame* frame) const;
    // Builds the graph for pictures like `frame`, turned clockwise by `rotation` degrees
    // (0, 90, 180, 270) before the filters; False when the description or a filter fails.
    bool Configure(const AVFrame* frame, AVRational timeBase, int rotation, const std::string& filters, int swsFlags);
    // Gives a decoded picture to the graph (the frame is left empty).
    bool Push(AVFrame* frame);
    // The next filtered picture; False when none is ready.
    bool Pull(AVFrame* frame);
    bool Built() const { return graph_ != nullptr; }

private:
    void Free();
    AVFilterGraph* graph_ = nullptr;
    AVFilterContext* source_ = nullptr;
    AVFilterContext* sink_ = nullptr;
    int width_ = 0, height_ = 0, format_ = -1;
};

} // namespace tovrel
