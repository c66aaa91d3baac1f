// Subtitle packets: one decoded subtitle encoded for one output stream (DVB
// subtitles as a show packet and a clear packet).
#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"
#include "media/output/FFmpegPacketWrite.h"

#include <cstring>

namespace tovrel {

namespace {
constexpr int kSubtitleBufferSize = 1024 * 1024;
constexpr AVRational kMilliseconds{1, 1000};
} // namespace

void TOutputSteps::EncodeSubtitle(AVFormatContext* oc, TAVOutputStream& ost, TAVInputStream& ist, AVSubtitle* sub,
                                  std::int64_t pts)
{
    if (pts == AV_NOPTS_VALUE) {
        if (engine_.Fexit_on_error)
            throw FFmpegException("Subtitle packets must have a pts");
        GetFFLogger()->Log(&engine_, llError, "Subtitle packets must have a pts");
        return;
    }
    std::vector<std::uint8_t>& buffer = state_->SubtitleOut;
    if (buffer.empty())
        buffer.resize(kSubtitleBufferSize);
    AVCodecContext* enc = ost.EncoderContext;
    const bool dvb = enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE;
    const int packets = dvb ? 2 : 1;
    const unsigned rects = sub->num_rects;
    for (int i = 0; i < packets; ++i) {
        sub->pts = FF.av_rescale_q(pts, ist.st->time_base, AV_TIME_BASE_Q) +
                   FF.av_rescale_q(sub->start_display_time, kMilliseconds, AV_TIME_BASE_Q);
        // An end before the start shows nothing rather than for 49 days.
        sub->end_display_time =
            sub->end_display_time > sub->start_display_time ? sub->end_display_time - sub->start_display_time : 0;
        sub->start_display_time = 0;
        // The clearing packet carries no regions.
        sub->num_rects = i == 1 ? 0 : rects;
        const int size = FF.avcodec_encode_subtitle(enc, buffer.data(), int(buffer.size()), sub);
        sub->num_rects = rects;
        if (size < 0)
            throw FFmpegException("Subtitle encoding failed");
        AVPacket* packet = state_->Packet.get();
        if (FF.av_new_packet(packet, size) < 0)
            throw FFmpegException("Subtitle encoding failed");
        std::memcpy(packet->data, buffer.data(), std::size_t(size));
        packet->stream_index = ost.index;
        packet->pts = FF.av_rescale_q(sub->pts, AV_TIME_BASE_Q, ost.st->time_base);
        if (dvb)
            packet->pts += FF.av_rescale_q(i == 0 ? sub->start_display_time : sub->end_display_time, kMilliseconds,
                                           ost.st->time_base);
        packet->dts = packet->pts;
        WriteOutputPacket(oc, packet, enc, ost.BitstreamFilters.get());
        FF.av_packet_unref(packet);
    }
}

} // namespace tovrel
