#include "SubtitleClip.h"

#include "support/TestMedia.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
}

#include <unistd.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tovrel::test {

namespace {

constexpr int Width = 320, Height = 240, Frames = 25;

void Check(int result, const char* what)
{
    if (result < 0)
        throw std::runtime_error(std::string("subtitle clip: ") + what + " failed");
}

AVCodecContext* OpenEncoder(const char* name, AVFormatContext* output, AVStream* stream, AVRational timeBase)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(name);
    if (!codec)
        throw std::runtime_error(std::string("subtitle clip: no encoder ") + name);
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->width = Width;
    ctx->height = Height;
    ctx->time_base = timeBase;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(ctx, codec, nullptr), name);
    Check(avcodec_parameters_from_context(stream->codecpar, ctx), "parameters");
    stream->time_base = timeBase;
    return ctx;
}

void WritePackets(AVCodecContext* ctx, AVFormatContext* output, AVStream* stream, AVFrame* frame)
{
    Check(avcodec_send_frame(ctx, frame), "send frame");
    AVPacket* packet = av_packet_alloc();
    while (avcodec_receive_packet(ctx, packet) >= 0) {
        av_packet_rescale_ts(packet, ctx->time_base, stream->time_base);
        packet->stream_index = stream->index;
        Check(av_interleaved_write_frame(output, packet), "write");
    }
    av_packet_free(&packet);
}

void WriteClip(const std::filesystem::path& file, const TSubtitleBlock& block)
{
    AVFormatContext* output = nullptr;
    Check(avformat_alloc_output_context2(&output, nullptr, "matroska", file.c_str()), "output");
    AVStream* videoStream = avformat_new_stream(output, nullptr);
    AVStream* subtitleStream = avformat_new_stream(output, nullptr);
    AVCodecContext* video = OpenEncoder("mpeg4", output, videoStream, AVRational{1, 25});
    AVCodecContext* subtitle = OpenEncoder("dvdsub", output, subtitleStream, AVRational{1, 1000});
    Check(avio_open(&output->pb, file.c_str(), AVIO_FLAG_WRITE), "open");
    Check(avformat_write_header(output, nullptr), "header");

    // The subtitle first: it starts with the clip.
    std::vector<std::uint8_t> indexes(std::size_t(block.width * block.height), 1);
    std::uint32_t palette[4] = {0x00000000u, 0xFFFFFFFFu, 0xFF000000u, 0xFF808080u};
    AVSubtitleRect rect{};
    rect.x = block.x;
    rect.y = block.y;
    rect.w = block.width;
    rect.h = block.height;
    rect.nb_colors = 4;
    rect.type = SUBTITLE_BITMAP;
    rect.data[0] = indexes.data();
    rect.linesize[0] = block.width;
    rect.data[1] = reinterpret_cast<std::uint8_t*>(palette);
    AVSubtitleRect* rects[1] = {&rect};
    AVSubtitle sub{};
    sub.format = 0;
    sub.start_display_time = 0;
    sub.end_display_time = 1000 * 10;
    sub.num_rects = 1;
    sub.rects = rects;
    sub.pts = 0;
    std::vector<std::uint8_t> buffer(1 << 20);
    const int size = avcodec_encode_subtitle(subtitle, buffer.data(), int(buffer.size()), &sub);
    Check(size, "encode subtitle");
    AVPacket* packet = av_packet_alloc();
    Check(av_new_packet(packet, size), "packet");
    std::copy(buffer.begin(), buffer.begin() + size, packet->data);
    packet->pts = packet->dts = 0;
    packet->duration = 1000 * 10;
    packet->stream_index = subtitleStream->index;
    av_packet_rescale_ts(packet, AVRational{1, 1000}, subtitleStream->time_base);
    Check(av_interleaved_write_frame(output, packet), "write subtitle");
    av_packet_free(&packet);

    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = Width;
    frame->height = Height;
    Check(av_frame_get_buffer(frame, 0), "frame");
    for (int i = 0; i < Frames; ++i) {
        Check(av_frame_make_writable(frame), "writable");
        for (int y = 0; y < Height; ++y)
            std::fill_n(frame->data[0] + y * frame->linesize[0], Width, 16);
        for (int p = 1; p < 3; ++p)
            for (int y = 0; y < Height / 2; ++y)
                std::fill_n(frame->data[p] + y * frame->linesize[p], Width / 2, 128);
        frame->pts = i;
        WritePackets(video, output, videoStream, frame);
    }
    WritePackets(video, output, videoStream, nullptr);
    Check(av_write_trailer(output), "trailer");
    av_frame_free(&frame);
    avcodec_free_context(&video);
    avcodec_free_context(&subtitle);
    avio_closep(&output->pb);
    avformat_free_context(output);
}

} // namespace

std::filesystem::path SubtitleClipPath(const TSubtitleBlock& block)
{
    const std::filesystem::path file = test::media::TestMediaFolder() / "player_subtitle.mkv";
    // Tests run in parallel processes: each writes its own copy and renames it into place.
    const std::filesystem::path temporary = file.string() + "." + std::to_string(getpid()) + ".mkv";
    WriteClip(temporary, block);
    std::filesystem::rename(temporary, file);
    return file;
}

} // namespace tovrel::test
