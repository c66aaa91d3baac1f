#pragma once
// The settings of one conversion job, named after the transcoder's own variables,
// with the defaults that ResetOptions gives them. The option handlers write them
// while inputs and outputs are added; the transcoder reads them while it runs.
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/pixfmt.h>
#include <libavutil/rational.h>
#include <libavutil/samplefmt.h>
}

struct AVFilterGraph;

namespace tovrel {

struct TFrameHookEntry;

// Most streams per file that the option tables address.
constexpr int kMaxStreamsPerFile = 20;

enum TMediaTypeIndex { mtVideo, mtAudio, mtData, mtSubtitle, mtCount };

// A chain of bitstream filter names for one stream.
using TBitstreamFilterChain = std::vector<std::string>;

// The stream format an input's streams set in the fields below, as the first
// input noted it.
struct TNotedFormat {
    bool Video = false;
    bool Audio = false;
    std::int32_t FrameWidth = 0;
    std::int32_t FrameHeight = 0;
    float FrameAspectRatio = 0;
    std::int32_t AudioSampleRate = 0;
    std::int32_t AudioChannels = 0;
    std::int64_t ChannelLayout = 0;
};

struct TFFmpegPendingOptions {
    std::string Flast_asked_format;
    std::int32_t Fframe_width = 0;
    std::int32_t Fframe_height = 0;
    float Fframe_aspect_ratio = 0;
    AVPixelFormat Fframe_pix_fmt = AV_PIX_FMT_NONE;
    AVSampleFormat Faudio_sample_fmt = AV_SAMPLE_FMT_NONE;
    std::int32_t Fframe_topBand = 0;
    std::int32_t Fframe_bottomBand = 0;
    std::int32_t Fframe_leftBand = 0;
    std::int32_t Fframe_rightBand = 0;
    std::array<std::int32_t, mtCount> Fmax_frames{INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX};
    AVRational Fframe_rate{0, 0};
    float Fvideo_qscale = 0;
    std::vector<std::uint16_t> Fintra_matrix; // 64 entries when set
    std::vector<std::uint16_t> Finter_matrix;
    std::string Fvideo_rc_override_string;
    bool Fvideo_disable = false;
    std::int32_t Fvideo_discard = 0;
    std::string Fvideo_codec_name;
    std::uint32_t Fvideo_codec_tag = 0;
    std::string Fvideo_language;
    bool Fsame_quality = false;
    bool Fdo_deinterlace = false;
    std::int32_t Ftop_field_first = -1;
    std::int32_t Fme_threshold = 0;
    std::int32_t Fintra_dc_precision = 8;
    bool Floop_input = false;
    std::int32_t Floop_output = -1;
    bool Fqp_hist = false;
    std::string Fvfilters;
    bool FEnableFilter = false;
    AVFilterGraph* Fgraph = nullptr;
    bool Fintra_only = false;
    std::int32_t Faudio_sample_rate = 44100;
    std::int64_t Fchannel_layout = 0;
    float Faudio_qscale = -99999.0f;
    bool Faudio_disable = false;
    std::int32_t Faudio_channels = 2;
    // Set by the option "ac": the encoder must take that count as it is.
    bool Faudio_channels_asked = false;
    // Set by the options "s" and "ar" after the last input noted its streams.
    bool Fframe_size_asked = false;
    bool Faudio_sample_rate_asked = false;
    // A join's encoders take the first input's format where the user set none
    // after the last input; the later inputs are fitted to it.
    TNotedFormat Ffirst_input_format;
    std::string Faudio_codec_name;
    std::uint32_t Faudio_codec_tag = 0;
    std::string Faudio_language;
    bool Fsubtitle_disable = false;
    std::string Fsubtitle_codec_name;
    std::string Fsubtitle_language;
    std::uint32_t Fsubtitle_codec_tag = 0;
    float Fmux_preload = 0.5f;
    float Fmux_max_delay = 0.7f;
    std::int64_t Frecording_time = INT64_MAX;
    std::int64_t Fstart_time = 0;
    std::int64_t Frecording_timestamp = 0;
    std::int64_t Finput_ts_offset = 0;
    std::int32_t Fdo_benchmark = 0;
    bool Fdo_hex_dump = false;
    bool Fdo_pkt_dump = false;
    bool Fdo_psnr = false;
    std::int32_t Fdo_pass = 0;
    std::string Fpass_logfilename_prefix;
    std::int32_t Faudio_stream_copy = 0;
    std::int32_t Fvideo_stream_copy = 0;
    std::int32_t Fsubtitle_stream_copy = 0;
    std::int32_t Fvideo_sync_method = -1;
    std::int32_t Faudio_sync_method = 0;
    float Faudio_drift_threshold = 0.1f;
    bool Fcopy_ts = false;
    bool Fopt_shortest = false;
    std::int32_t Fvideo_global_header = 0;
    std::string Fvstats_filename;
    std::FILE* Fvstats_file = nullptr;
    std::int32_t Fopt_programid = 0;
    std::int32_t Fcopy_initial_nonkeyframes = 0;
    bool Frate_emu = false;
    std::int32_t Fvideo_channel = 0;
    std::string Fvideo_standard;
    std::int32_t Faudio_volume = 256;
    bool Fexit_on_error = false;
    bool Fusing_vhook = false;
    std::int32_t Fverbose = 1;
    std::int32_t Fthread_count = 1;
    std::int64_t Fvideo_size = 0;
    std::int64_t Faudio_size = 0;
    std::int64_t Fextra_size = 0;
    std::int32_t Fnb_frames_dup = 0;
    std::int32_t Fnb_frames_drop = 0;
    bool FShowDupOrDrop = false;
    bool Finput_sync = false;
    std::int64_t Flimit_filesize = 0;
    bool Fforce_fps = false;
    std::int32_t Fpgmyuv_compatibility_hack = 0;
    float Fdts_delta_threshold = 10.0f;
    std::uint32_t Fsws_flags = 4; // bicubic scaling

    // Working buffers of a run; the transcoder allocates and frees them.
    std::uint8_t* Faudio_buf = nullptr;
    std::uint8_t* Faudio_out = nullptr;
    std::uint8_t* Finput_tmp = nullptr;
    std::uint8_t* Fsamples = nullptr;
    std::uint32_t Fallocated_audio_out_size = 0;
    std::uint32_t Fallocated_audio_buf_size = 0;
    std::int32_t Fsamples_size = 0;
    TBitstreamFilterChain Fvideo_bitstream_filters;
    TBitstreamFilterChain Faudio_bitstream_filters;
    TBitstreamFilterChain Fsubtitle_bitstream_filters;
    std::int32_t Fbit_buffer_size = 262144;
    std::uint8_t* Fbit_buffer = nullptr;
    std::int64_t FTotalOutputDuration = -1;
    std::int32_t FHookFrameNumber = 0;

    // Targets, presets and hooks.
    // The job's video hook chain ("vhook"); the job's clean-up releases it.
    TFrameHookEntry* FFirstHook = nullptr;
    // "vstats" without a file name: the statistics file goes beside the first
    // output file, never into the program folder (see VStatsFileName).
    bool VStatsBesideOutput = false;
};

} // namespace tovrel
