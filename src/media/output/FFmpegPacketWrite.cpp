// Bitstream filters and the muxer write of every output packet, and the
// encoder's send/receive exchange that produces them.
#include "media/output/FFmpegPacketWrite.h"

#include "media/engine/FFmpegEngine.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/loader/FFmpegLogger.h"
#include "media/loader/FFmpegUtilsText.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/output/FFmpegOutputStepsState.h"
#include "media/transcode/FFmpegTranscodeRecords.h"
#include "platform/rtl/Format.h"

#include <algorithm>

extern "C" {
#include <libavcodec/bsf.h>
}

namespace tovrel {

TBitstreamFilters::~TBitstreamFilters()
{
    for (AVBSFContext*& filter : Filters)
        FF.av_bsf_free(&filter);
}

std::shared_ptr<TBitstreamFilters> OpenBitstreamFilters(const TBitstreamFilterChain& names, AVStream* stream)
{
    if (names.empty())
        return nullptr;
    auto chain = std::make_shared<TBitstreamFilters>();
    const AVCodecParameters* parameters = stream->codecpar;
    AVRational timeBase = stream->time_base;
    for (const std::string& name : names) {
        const AVBitStreamFilter* filter = FF.av_bsf_get_by_name(name.c_str());
        if (!filter)
            throw FFmpegException("Unknown bitstream filter " + name);
        AVBSFContext* context = nullptr;
        int ret = FF.av_bsf_alloc(filter, &context);
        if (ret < 0)
            throw FFmpegException(FormatAVError(name, ret));
        chain->Filters.push_back(context);
        ret = FF.avcodec_parameters_copy(context->par_in, parameters);
        if (ret >= 0) {
            context->time_base_in = timeBase;
            ret = FF.av_bsf_init(context);
        }
        if (ret < 0)
            throw FFmpegException(FormatAVError(name, ret));
        parameters = context->par_out;
        timeBase = context->time_base_out;
    }
    // What the muxer sees is what the last filter gives.
    int ret = FF.avcodec_parameters_copy(stream->codecpar, parameters);
    if (ret < 0)
        throw FFmpegException(FormatAVError(names.back(), ret));
    return chain;
}

namespace {

using TPacketList = std::vector<TPacketPtr>;

TPacketPtr NewPacket()
{
    TPacketPtr packet(FF.av_packet_alloc());
    if (!packet)
        throw FFmpegException("Out of memory");
    return packet;
}

} // namespace

void TOutputSteps::NoteHandedOver(const AVStream* stream, const AVPacket& packet)
{
    const std::int64_t start = packet.pts != AV_NOPTS_VALUE ? packet.pts : packet.dts;
    const std::int64_t end =
        start == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : start + std::max<std::int64_t>(packet.duration, 0);
    TWrittenEnd& ends = state_->WrittenEnds[stream];
    ends.Held.push_back(end);
    if (end != AV_NOPTS_VALUE && (ends.HandedOverEnd == AV_NOPTS_VALUE || end > ends.HandedOverEnd))
        ends.HandedOverEnd = end;
}

void TOutputSteps::ReportFilterFailure(const AVBSFContext* filter, int streamIndex, const AVCodecContext* enc, int code)
{
    const char* codecName = enc && enc->codec ? enc->codec->name : "copy";
    std::string text =
        FormatAVError(Format("%s failed for stream %d, codec %s", filter->filter->name, streamIndex, codecName), code);
    if (engine_.Fexit_on_error)
        throw FFmpegException(text);
    GetFFLogger()->Log(&engine_, llError, text);
}

void TOutputSteps::WriteOutputPacket(AVFormatContext* oc, AVPacket* pkt, AVCodecContext* enc,
                                     TBitstreamFilters* filters)
{
    TPacketList current;
    current.push_back(NewPacket());
    FF.av_packet_move_ref(current.back().get(), pkt);
    const int streamIndex = current.back()->stream_index;
    if (streamIndex < 0 || unsigned(streamIndex) >= oc->nb_streams)
        throw FFmpegException(FormatAVError("av_interleaved_write_frame()", AVERROR(EINVAL)));
    const AVRational streamTimeBase = oc->streams[streamIndex]->time_base;

    static const std::vector<AVBSFContext*> none;
    for (AVBSFContext* filter : filters ? filters->Filters : none) {
        TPacketList next;
        for (TPacketPtr& packet : current) {
            // A failing filter lets the packet go on unfiltered, so keep it.
            TPacketPtr unfiltered = NewPacket();
            if (FF.av_packet_ref(unfiltered.get(), packet.get()) < 0)
                throw FFmpegException("Out of memory");
            int ret = FF.av_bsf_send_packet(filter, packet.get());
            const std::size_t filtered = next.size();
            while (ret >= 0) {
                TPacketPtr out = NewPacket();
                ret = FF.av_bsf_receive_packet(filter, out.get());
                if (ret >= 0) {
                    FF.av_packet_rescale_ts(out.get(), filter->time_base_out, streamTimeBase);
                    next.push_back(std::move(out));
                }
            }
            if (ret != AVERROR(EAGAIN) && ret != AVERROR_EOF) {
                ReportFilterFailure(filter, streamIndex, enc, ret);
                if (next.size() == filtered)
                    next.push_back(std::move(unfiltered));
            }
        }
        current = std::move(next);
    }

    for (TPacketPtr& packet : current) {
        // Checked at every packet: one packet read may make many (a picture
        // repeated up to a higher frame rate), and the limit is the user's.
        if (sizeLimitReached_)
            return;
        packet->stream_index = streamIndex;
        NoteHandedOver(oc->streams[streamIndex], *packet);
        const int ret = FF.av_interleaved_write_frame(oc, packet.get());
        // A failed write to the file (it may surface only in the byte stream's
        // error) is the file's: the user learns which one and why.
        if (oc->pb && oc->pb->error < 0)
            throw FFmpegException(FormatAVError(DecodeAVFileName(oc->url ? oc->url : ""), oc->pb->error));
        if (ret < 0)
            throw FFmpegException(FormatAVError("av_interleaved_write_frame()", ret));
        sizeLimitReached_ =
            engine_.Flimit_filesize != 0 && oc->pb && FF.avio_seek(oc->pb, 0, SEEK_CUR) >= engine_.Flimit_filesize;
    }
}

void TOutputSteps::SendToEncoder(TAVOutputStream& ost, const AVFrame* frame, const char* failure,
                                 const std::function<void(AVPacket*)>& onPacket)
{
    int ret = FF.avcodec_send_frame(ost.EncoderContext, frame);
    if (ret < 0 && ret != AVERROR_EOF)
        throw FFmpegException(failure);
    AVPacket* packet = state_->Packet.get();
    for (;;) {
        ret = FF.avcodec_receive_packet(ost.EncoderContext, packet);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            return;
        if (ret < 0)
            throw FFmpegException(failure);
        // Video frames are one tick of the encoder's time base apart, and
        // encoders leave the duration out; without it the output's end falls
        // one frame short.
        if (packet->duration <= 0 && ost.EncoderContext->codec_type == AVMEDIA_TYPE_VIDEO)
            packet->duration = 1;
        FF.av_packet_rescale_ts(packet, ost.EncoderContext->time_base, ost.st->time_base);
        packet->stream_index = ost.index;
        onPacket(packet);
        FF.av_packet_unref(packet);
    }
}

} // namespace tovrel
