// Video output: each picture written to one output stream as the video sync
// method asks, encoded, and its packets written; the statistics file.
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"
#include "media/output/FFmpegPacketWrite.h"
#include "media/output/FFmpegVideoOutSync.h"
#include "media/targets/FFmpegTargetsSwitches.h"

#include <algorithm>
#include <cmath>
#include <cstring>

extern "C" {
#include <libavutil/intreadwrite.h>
}

namespace tovrel {

namespace {

TCodedFrameStats ReadQualityStats(const AVPacket* packet)
{
    TCodedFrameStats stats;
    size_t size = 0;
    const std::uint8_t* data = FF.av_packet_get_side_data(packet, AV_PKT_DATA_QUALITY_STATS, &size);
    if (!data || size < 5)
        return stats;
    stats.Known = true;
    stats.Quality = int(AV_RL32(data));
    stats.PictType = data[4];
    const int errors = size >= 6 ? std::min<int>(data[5], 4) : 0;
    for (int i = 0; i < errors && 8 + std::size_t(i + 1) * 8 <= size; ++i)
        std::memcpy(&stats.Error[std::size_t(i)], data + 8 + i * 8, 8);
    return stats;
}

} // namespace

void TOutputSteps::EncodeVideoFrame(AVFormatContext* oc, TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture,
                                    int& frameSize)
{
    frameSize = 0;
    AVCodecContext* enc = ost.EncoderContext;
    const TAVInputStream& clock = ost.sync_ist ? *ost.sync_ist : ist;
    const double inputTicks =
        (double(clock.pts - engine_.Fstart_time) / 1000000.0) / (double(enc->time_base.num) / enc->time_base.den);
    const bool variableFrameRate = oc->oformat && (oc->oformat->flags & AVFMT_VARIABLE_FPS);
    const TVideoSyncDecision decision =
        DecideVideoSync(engine_.Fvideo_sync_method, variableFrameRate, inputTicks, ost.sync_opts);
    ost.sync_opts = decision.SyncOpts;
    int frames = decision.Frames;
    if (frames == 0) {
        ++engine_.Fnb_frames_drop;
        engine_.FShowDupOrDrop = true;
        if (engine_.Fverbose > 2)
            GetFFLogger()->Log(&engine_, llVerbose, "*** drop!");
    } else if (frames > 1) {
        engine_.Fnb_frames_dup += frames - 1;
        engine_.FShowDupOrDrop = true;
        if (engine_.Fverbose > 2)
            GetFFLogger()->Log(&engine_, llVerbose, "*** %d dup!", frames - 1);
    }

    frames = std::min<std::int64_t>(frames, std::int64_t(engine_.Fmax_frames[mtVideo]) - ost.frame_number);
    if (frames <= 0)
        return;
    AVFrame* source = PictureForEncoder(ost, ist, picture);
    if (!source)
        return;

    const AVCodecContext* videoOptions = engine_.FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO];
    const bool interlacedCoding =
        videoOptions && (videoOptions->flags & (AV_CODEC_FLAG_INTERLACED_DCT | AV_CODEC_FLAG_INTERLACED_ME));
    source->interlaced_frame = picture->interlaced_frame;
    if (interlacedCoding)
        source->top_field_first = engine_.Ftop_field_first == -1 ? picture->top_field_first : engine_.Ftop_field_first;
    source->quality = int(std::lround(engine_.Fsame_quality ? ist.quality : float(enc->global_quality)));
    if (engine_.Fme_threshold == 0)
        source->pict_type = AV_PICTURE_TYPE_NONE;

    auto write = [&](AVPacket* packet) { WriteEncodedVideo(oc, ost, packet, frameSize); };
    for (int i = 0; i < frames && !engine_.Broken(); ++i) {
        source->pts = ost.sync_opts;
        SendToEncoder(ost, source, "Video encoding failed", write);
        if (engine_.PostHooks() != TPostHooks{})
            RunPostHooks(source, enc, FF.av_rescale_q(ost.sync_opts, enc->time_base, AVRational{1, 1000000}));
        ++ost.sync_opts;
        ++ost.frame_number;
    }
}

void TOutputSteps::WriteEncodedVideo(AVFormatContext* oc, TAVOutputStream& ost, AVPacket* packet, int& frameSize)
{
    const TCodedFrameStats stats = ReadQualityStats(packet);
    if (stats.Known)
        StreamState(ost).Coded = stats;
    const int size = packet->size;
    WriteOutputPacket(oc, packet, ost.EncoderContext, ost.BitstreamFilters.get());
    frameSize = size;
    engine_.Fvideo_size += size;
    if (ost.logfile && ost.EncoderContext->stats_out)
        std::fprintf(ost.logfile.get(), "%s", ost.EncoderContext->stats_out);
}

void TOutputSteps::FlushEncoder(AVFormatContext* oc, TAVOutputStream& ost)
{
    if (!ost.EncoderContext || ost.stream_copy)
        return;
    if (ost.EncoderContext->codec_type == AVMEDIA_TYPE_AUDIO) {
        EncodeAudioFrames(oc, ost, TAudioFraming::EndOfStream);
    } else if (ost.EncoderContext->codec_type == AVMEDIA_TYPE_VIDEO) {
        int frameSize = 0;
        SendToEncoder(ost, nullptr, "Video encoding failed",
                      [&](AVPacket* packet) { WriteEncodedVideo(oc, ost, packet, frameSize); });
    }
}

void TOutputSteps::WriteVideoStats(AVFormatContext*, TAVOutputStream& ost, int frameSize)
{
    const AVCodecContext* enc = ost.EncoderContext;
    if (!enc || enc->codec_type != AVMEDIA_TYPE_VIDEO)
        return;
    if (!engine_.Fvstats_file) {
        // "vstats" alone names a file beside the first output, never one in the working folder.
        const std::string fileName = VStatsFileName(engine_);
        engine_.Fvstats_file = std::fopen(fileName.c_str(), "w");
        if (!engine_.Fvstats_file)
            throw FFmpegException("fopen fail: " + fileName);
    }
    std::FILE* file = engine_.Fvstats_file;
    const TCodedFrameStats& coded = StreamState(ost).Coded;
    std::fprintf(file, "frame= %5d q= %2.1f ", ost.frame_number,
                 coded.Known ? coded.Quality / double(FF_QP2LAMBDA) : -1.0);
    if (enc->flags & AV_CODEC_FLAG_PSNR)
        std::fprintf(file, "PSNR= %6.2f ",
                     -10.0 * std::log10(double(coded.Error[0]) / (double(enc->width) * enc->height * 255.0 * 255.0)));
    std::fprintf(file, "f_size= %6d ", frameSize);
    const double timeBase = double(enc->time_base.num) / enc->time_base.den;
    const double time = std::max(double(ost.sync_opts) * timeBase, 0.01);
    const double bitRate = frameSize * 8 / timeBase / 1000.0;
    const double averageBitRate = double(engine_.Fvideo_size) * 8 / time / 1000.0;
    std::fprintf(file, "s_size= %8.0fkB time= %0.3f br= %7.1fkbits/s avg_br= %7.1fkbits/s ",
                 double(engine_.Fvideo_size) / 1024, time, bitRate, averageBitRate);
    std::fprintf(file, "type= %c\n", FF.av_get_picture_type_char(AVPictureType(coded.PictType)));
}

} // namespace tovrel
