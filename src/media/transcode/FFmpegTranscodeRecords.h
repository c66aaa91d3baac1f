#pragma once
// The records of one transcoding run: one per input file, one per input stream
// and one per output stream. A run owns them in a TTranscodeTables; everything
// a record owns (decoders, scalers, resamplers, FIFOs, filter graphs, pass logs)
// sits in a unique_ptr, so the tables free themselves whatever way a run ends.
// Names follow the transcoder's own variables.
#include "media/loader/FFmpegLoaderEntries.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/audio_fifo.h>
}

namespace tovrel {

class TBitstreamFilters;

// Deleters for the libraries' objects, through the bound entry tables.
struct TCodecContextDeleter {
    void operator()(AVCodecContext* context) const { FF.avcodec_free_context(&context); }
};
struct TFrameDeleter {
    void operator()(AVFrame* frame) const { FF.av_frame_free(&frame); }
};
struct TPacketDeleter {
    void operator()(AVPacket* packet) const { FF.av_packet_free(&packet); }
};
struct TScalerDeleter {
    void operator()(SwsContext* scaler) const { FF.sws_freeContext(scaler); }
};
struct TResamplerDeleter {
    void operator()(SwrContext* resampler) const { FF.swr_free(&resampler); }
};
struct TAudioFifoDeleter {
    void operator()(AVAudioFifo* fifo) const { FF.av_audio_fifo_free(fifo); }
};
struct TFilterGraphDeleter {
    void operator()(AVFilterGraph* graph) const { FF.avfilter_graph_free(&graph); }
};
struct TLogFileDeleter {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextDeleter>;
using TFramePtr = std::unique_ptr<AVFrame, TFrameDeleter>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketDeleter>;
using TScalerPtr = std::unique_ptr<SwsContext, TScalerDeleter>;
using TResamplerPtr = std::unique_ptr<SwrContext, TResamplerDeleter>;
using TAudioFifoPtr = std::unique_ptr<AVAudioFifo, TAudioFifoDeleter>;
using TFilterGraphPtr = std::unique_ptr<AVFilterGraph, TFilterGraphDeleter>;
using TLogFilePtr = std::unique_ptr<std::FILE, TLogFileDeleter>;

struct TAVInputFile {
    int eof_reached = 0;
    int ist_index = 0; // position of the file's first stream in the input stream table
    int buffer_size = 0;
    int nb_streams = 0;
};

struct TAVInputStream {
    int file_index = 0;
    int index = 0; // stream position in its file
    AVStream* st = nullptr;
    // The run's own decoder context, made from st->codecpar (streams carry no
    // codec context any more); open while the decoder is.
    TCodecContextPtr DecoderContext;
    const AVCodec* Decoder = nullptr;
    int discard = 1; // until an output stream takes this stream as its source
    int decoding_needed = 0;
    std::int64_t sample_index = 0;
    std::int64_t start = 0;                       // wall clock at set-up under rate emulation
    std::int64_t next_pts = AV_NOPTS_VALUE;       // microseconds
    std::int64_t pts = 0;                         // microseconds
    std::int64_t last_file_time = AV_NOPTS_VALUE; // the file's own time of the last timed packet, microseconds
    int is_start = 0;
    int showed_multi_packet_warning = 0;
    int is_past_recording_time = 0;
    int decoder_flushed = 0;
    // Quality of the last decoded picture (the stream no longer carries it).
    float quality = 0;
    // The video filter graph fed by this stream: the graph owns both ends.
    TFilterGraphPtr Graph;
    AVFilterContext* input_video_filter = nullptr; // "buffer" source
    AVFilterContext* out_video_filter = nullptr;   // "buffersink"
    TFramePtr filter_frame;                        // the picture last pulled from the sink
    int has_filter_frame = 0;
    TFramePtr DecodedFrame; // reused for every frame the decoder returns
};

struct TAVOutputStream {
    int file_index = 0;
    int index = 0;        // stream index in its output file
    int source_index = 0; // position of the source in the input stream table
    AVStream* st = nullptr;
    // The encoder context of the stream, owned by the job's output stream
    // record (Join groups share it); opened by the run.
    AVCodecContext* EncoderContext = nullptr;
    const AVCodec* Encoder = nullptr;
    bool stream_copy = false;
    int encoding_needed = 0;
    int frame_number = 0;
    TAVInputStream* sync_ist = nullptr;
    std::int64_t sync_opts = 0; // next output frame (video) or sample (audio), in encoder ticks
    // Video.
    int video_resample = 0;
    TFramePtr pict_tmp;
    TScalerPtr img_resample_ctx;
    int resample_height = 0;
    int resample_width = 0;
    int resample_pix_fmt = AV_PIX_FMT_NONE;
    int original_height = 0;
    int original_width = 0;
    int video_crop = 0;
    int topBand = 0;
    int bottomBand = 0;
    int leftBand = 0;
    int rightBand = 0;
    int original_topBand = 0;
    int original_bottomBand = 0;
    int original_leftBand = 0;
    int original_rightBand = 0;
    // Audio: one resampler converts rate, channels and sample format at once,
    // so it stands for both the resampler and the format converter.
    int audio_resample = 0;
    TResamplerPtr resample;
    int reformat_pair = -6;
    TAudioFifoPtr fifo; // encoder-format samples waiting for a full frame
    // Two-pass: the pass-1 log, and the pass-2 statistics the encoder's
    // stats_in points into while it is open.
    TLogFilePtr logfile;
    std::string LogFileName;
    std::string StatsIn;
    // The stream's bitstream filter chain (media/output/FFmpegPacketWrite.h), made
    // before the header is written; null when the stream has none.
    std::shared_ptr<TBitstreamFilters> BitstreamFilters;
    int show_fps = 1;
    int EncoderOpen = 0; // EncoderContext is open (the run closes it)
};

// The tables of one run, in file order then stream order.
struct TTranscodeTables {
    std::vector<TAVInputFile> Files;
    std::vector<std::unique_ptr<TAVInputStream>> InputStreams;
    std::vector<std::unique_ptr<TAVOutputStream>> OutputStreams;
    int GroupSize = 0; // streams of the first output file
};

} // namespace tovrel
