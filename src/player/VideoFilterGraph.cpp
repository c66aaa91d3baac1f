#include "player/VideoFilterGraph.h"

#include "media/loader/FFmpegLoaderEntries.h"
#include "player/PlayerText.h"
#include "player/VideoRotation.h"

namespace tovrel {

TVideoFilterGraph::~TVideoFilterGraph()
{
    Free();
}

void TVideoFilterGraph::Free()
{
    if (graph_)
        FF.avfilter_graph_free(&graph_);
    graph_ = nullptr;
    source_ = sink_ = nullptr;
}

bool TVideoFilterGraph::Fits(const AVFrame* frame) const
{
    return graph_ && frame->width == width_ && frame->height == height_ && frame->format == format_;
}

bool TVideoFilterGraph::Configure(const AVFrame* frame, AVRational timeBase, int rotation, const std::string& filters,
                                  int swsFlags)
{
    Free();
    graph_ = FF.avfilter_graph_alloc();
    if (!graph_)
        return false;
    graph_->scale_sws_opts = FF.av_strdup(PlayerText("flags=%d", swsFlags).c_str());
    const AVRational aspect = frame->sample_aspect_ratio.num ? frame->sample_aspect_ratio : AVRational{0, 1};
    const std::string args =
        PlayerText("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", frame->width, frame->height,
                   frame->format, timeBase.num, timeBase.den, aspect.num, aspect.den);
    AVFilterContext* format = nullptr;
    AVFilterContext* upright = nullptr;
    bool ok = FF.avfilter_graph_create_filter(&source_, FF.avfilter_get_by_name("buffer"), "src", args.c_str(), nullptr,
                                              graph_) >= 0 &&
              FF.avfilter_graph_create_filter(&format, FF.avfilter_get_by_name("format"), "yuv420p", "pix_fmts=yuv420p",
                                              nullptr, graph_) >= 0 &&
              FF.avfilter_graph_create_filter(&sink_, FF.avfilter_get_by_name("buffersink"), "out", nullptr, nullptr,
                                              graph_) >= 0 &&
              FF.avfilter_link(format, 0, sink_, 0) >= 0;
    if (ok) {
        upright = AppendRotation(graph_, source_, rotation);
        ok = upright != nullptr;
    }
    if (ok && filters.empty()) {
        ok = FF.avfilter_link(upright, 0, format, 0) >= 0;
    } else if (ok) {
        AVFilterInOut* outputs = FF.avfilter_inout_alloc();
        AVFilterInOut* inputs = FF.avfilter_inout_alloc();
        ok = outputs && inputs;
        if (ok) {
            outputs->name = FF.av_strdup("in");
            outputs->filter_ctx = upright;
            outputs->pad_idx = 0;
            inputs->name = FF.av_strdup("out");
            inputs->filter_ctx = format;
            inputs->pad_idx = 0;
            ok = FF.avfilter_graph_parse_ptr(graph_, filters.c_str(), &inputs, &outputs, nullptr) >= 0;
        }
        FF.avfilter_inout_free(&inputs);
        FF.avfilter_inout_free(&outputs);
    }
    ok = ok && FF.avfilter_graph_config(graph_, nullptr) >= 0;
    if (!ok) {
        Free();
        return false;
    }
    width_ = frame->width;
    height_ = frame->height;
    format_ = frame->format;
    return true;
}

bool TVideoFilterGraph::Push(AVFrame* frame)
{
    return FF.av_buffersrc_add_frame_flags(source_, frame, 0) >= 0;
}

bool TVideoFilterGraph::Pull(AVFrame* frame)
{
    return FF.av_buffersink_get_frame(sink_, frame) >= 0;
}

} // namespace tovrel
