#include "media/transcode/FFmpegFilterGraph.h"

#include "media/engine/FFmpegEngine.h"
#include "media/transcode/FFmpegSetup.h"
#include "media/transcode/FFmpegTranscodeRun.h"
#include "platform/rtl/Format.h"

namespace tovrel {

namespace {

struct TInOutDeleter {
    void operator()(AVFilterInOut* inout) const { FF.avfilter_inout_free(&inout); }
};
using TInOutPtr = std::unique_ptr<AVFilterInOut, TInOutDeleter>;

// Adds a filter after `last`; the new filter becomes the last.
bool Append(AVFilterGraph* graph, AVFilterContext*& last, const char* name, const std::string& args)
{
    AVFilterContext* filter = nullptr;
    if (FF.avfilter_graph_create_filter(&filter, FF.avfilter_get_by_name(name), nullptr, args.c_str(), nullptr, graph) <
            0 ||
        FF.avfilter_link(last, 0, filter, 0) < 0)
        return false;
    last = filter;
    return true;
}

TInOutPtr LinkEnd(const char* name, AVFilterContext* filter)
{
    TInOutPtr end(FF.avfilter_inout_alloc());
    if (end) {
        end->name = FF.av_strdup(name);
        end->filter_ctx = filter;
        end->pad_idx = 0;
        end->next = nullptr;
    }
    return end;
}

std::string ScaleToEncoder(const AVCodecContext* enc, std::int64_t swsFlags)
{
    return Format("w=%d:h=%d:flags=%d", enc->width, enc->height, static_cast<int>(swsFlags));
}

bool ParseUserChain(AVFilterGraph* graph, const std::string& chain, AVFilterContext* last, AVFilterContext* sink)
{
    TInOutPtr open = LinkEnd("in", last);
    TInOutPtr closing = LinkEnd("out", sink);
    if (!open || !closing)
        return false;
    AVFilterInOut* inputs = closing.release();
    AVFilterInOut* outputs = open.release();
    const int result = FF.avfilter_graph_parse_ptr(graph, chain.c_str(), &inputs, &outputs, nullptr);
    FF.avfilter_inout_free(&inputs);
    FF.avfilter_inout_free(&outputs);
    return result >= 0;
}

} // namespace

int ConfigureFilters(TTranscodeRun& run, TAVInputStream& ist, TAVOutputStream& ost, TEncoderSize size)
{
    TCustomFFmpeg& job = run.Job;
    const AVCodecParameters* in = ist.st->codecpar;
    AVCodecContext* enc = ost.EncoderContext;
    ist.input_video_filter = nullptr;
    ist.out_video_filter = nullptr;
    ist.Graph.reset(FF.avfilter_graph_alloc());
    AVFilterGraph* graph = ist.Graph.get();
    if (!graph)
        return -1;
    const AVRational aspect = in->sample_aspect_ratio.num ? in->sample_aspect_ratio : AVRational{0, 1};
    // Pictures enter with their times in microseconds.
    const std::string sourceArgs = Format("video_size=%dx%d:pix_fmt=%d:time_base=1/%d:pixel_aspect=%d/%d", in->width,
                                          in->height, in->format, AV_TIME_BASE, aspect.num, aspect.den);
    if (FF.avfilter_graph_create_filter(&ist.input_video_filter, FF.avfilter_get_by_name("buffer"), "src",
                                        sourceArgs.c_str(), nullptr, graph) < 0 ||
        FF.avfilter_graph_create_filter(&ist.out_video_filter, FF.avfilter_get_by_name("buffersink"), "out", nullptr,
                                        nullptr, graph) < 0)
        return -1;
    const AVPixelFormat formats[] = {enc->pix_fmt};
    if (FF.av_opt_set_bin(ist.out_video_filter, "pix_fmts", reinterpret_cast<const std::uint8_t*>(formats),
                          sizeof(formats), AV_OPT_SEARCH_CHILDREN) < 0)
        return -1;
    AVFilterContext* last = ist.input_video_filter;
    const int width = in->width - job.Fframe_leftBand - job.Fframe_rightBand;
    const int height = in->height - job.Fframe_topBand - job.Fframe_bottomBand;
    // Named arguments: the positional order of "crop" is not what it once was.
    if ((job.Fframe_topBand | job.Fframe_bottomBand | job.Fframe_leftBand | job.Fframe_rightBand) != 0 &&
        !Append(graph, last, "crop",
                Format("x=%d:y=%d:w=%d:h=%d", job.Fframe_leftBand, job.Fframe_topBand, width, height)))
        return -1;
    const std::int64_t swsFlags = SwsFlagsOf(job);
    const bool fixed = size == TEncoderSize::Fixed;
    if (!fixed && (width != enc->width || height != enc->height) &&
        !Append(graph, last, "scale", ScaleToEncoder(enc, swsFlags)))
        return -1;
    FF.av_freep(&graph->scale_sws_opts);
    graph->scale_sws_opts = FF.av_strdup(Format("flags=%d", static_cast<int>(swsFlags)).c_str());
    AVFilterContext* end = ist.out_video_filter;
    if (fixed) {
        const std::string fit = ScaleToEncoder(enc, swsFlags);
        if (FF.avfilter_graph_create_filter(&end, FF.avfilter_get_by_name("scale"), "fit", fit.c_str(), nullptr,
                                            graph) < 0 ||
            FF.avfilter_link(end, 0, ist.out_video_filter, 0) < 0)
            return -1;
    }
    if (!job.Fvfilters.empty()) {
        if (!ParseUserChain(graph, job.Fvfilters, last, end))
            return -1;
    } else if (FF.avfilter_link(last, 0, end, 0) < 0) {
        return -1;
    }
    if (FF.avfilter_graph_config(graph, nullptr) < 0)
        return -1;
    if (!fixed) {
        enc->width = FF.av_buffersink_get_w(ist.out_video_filter);
        enc->height = FF.av_buffersink_get_h(ist.out_video_filter);
    }
    if (!ist.filter_frame)
        ist.filter_frame.reset(FF.av_frame_alloc());
    return ist.filter_frame ? 0 : -1;
}

bool PushFilterPicture(TAVInputStream& ist, AVFrame* picture)
{
    if (!ist.input_video_filter)
        return false;
    if (picture)
        picture->pts = ist.pts;
    return FF.av_buffersrc_add_frame_flags(ist.input_video_filter, picture, AV_BUFFERSRC_FLAG_KEEP_REF) >= 0;
}

int GetFilteredVideoPicture(TAVInputStream& ist, AVFrame* frame)
{
    if (!ist.out_video_filter)
        return -1;
    FF.av_frame_unref(frame);
    if (FF.av_buffersink_get_frame(ist.out_video_filter, frame) < 0)
        return -1;
    return 1;
}

} // namespace tovrel
