#include "PlayerClips.h"

#include "support/TestMedia.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
}

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovrel::test {

namespace {

constexpr int Width = 320, Height = 240, FrameRate = 25, SampleRate = 44100;
constexpr int SamplesPerFrame = SampleRate / FrameRate;

void Check(int result, const char* what)
{
    if (result < 0)
        throw std::runtime_error(std::string("player clip: ") + what + " failed");
}

// One encoder and the stream it writes.
struct TEncodedStream {
    AVCodecContext* encoder = nullptr;
    AVStream* stream = nullptr;
};

TEncodedStream AddStream(AVFormatContext* output, const char* codecName, AVRational timeBase,
                         const std::function<void(AVCodecContext&)>& configure)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
    if (!codec)
        throw std::runtime_error(std::string("player clip: no encoder ") + codecName);
    TEncodedStream encoded;
    encoded.stream = avformat_new_stream(output, nullptr);
    encoded.encoder = avcodec_alloc_context3(codec);
    AVCodecContext& ctx = *encoded.encoder;
    ctx.time_base = timeBase;
    configure(ctx);
    if (output->oformat->flags & AVFMT_GLOBALHEADER)
        ctx.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(&ctx, codec, nullptr), codecName);
    Check(avcodec_parameters_from_context(encoded.stream->codecpar, &ctx), "parameters");
    encoded.stream->time_base = timeBase;
    return encoded;
}

void ConfigurePictures(AVCodecContext& ctx)
{
    ctx.width = Width;
    ctx.height = Height;
    ctx.pix_fmt = AV_PIX_FMT_YUV420P;
}

void ConfigureSound(AVCodecContext& ctx)
{
    ctx.sample_fmt = AV_SAMPLE_FMT_S16;
    ctx.sample_rate = SampleRate;
    av_channel_layout_default(&ctx.ch_layout, 2);
}

void WritePackets(const TEncodedStream& encoded, AVFormatContext* output, AVFrame* frame)
{
    Check(avcodec_send_frame(encoded.encoder, frame), "send frame");
    AVPacket* packet = av_packet_alloc();
    while (avcodec_receive_packet(encoded.encoder, packet) >= 0) {
        av_packet_rescale_ts(packet, encoded.encoder->time_base, encoded.stream->time_base);
        packet->stream_index = encoded.stream->index;
        Check(av_interleaved_write_frame(output, packet), "write");
    }
    av_packet_free(&packet);
}

// The block as one subtitle packet at time 0, shown for `milliseconds`.
void WriteSubtitle(const TEncodedStream& encoded, AVFormatContext* output, const TSubtitleBlock& block,
                   int milliseconds)
{
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
    sub.end_display_time = std::uint32_t(milliseconds);
    sub.num_rects = 1;
    sub.rects = rects;
    std::vector<std::uint8_t> buffer(1 << 20);
    const int size = avcodec_encode_subtitle(encoded.encoder, buffer.data(), int(buffer.size()), &sub);
    Check(size, "encode subtitle");
    AVPacket* packet = av_packet_alloc();
    Check(av_new_packet(packet, size), "packet");
    std::copy(buffer.begin(), buffer.begin() + size, packet->data);
    packet->pts = packet->dts = 0;
    packet->duration = milliseconds;
    packet->stream_index = encoded.stream->index;
    av_packet_rescale_ts(packet, AVRational{1, 1000}, encoded.stream->time_base);
    Check(av_interleaved_write_frame(output, packet), "write subtitle");
    av_packet_free(&packet);
}

void FillPicture(AVFrame* frame, int luma, int markLuma, int index)
{
    Check(av_frame_make_writable(frame), "writable");
    for (int y = 0; y < Height; ++y) {
        std::uint8_t* row = frame->data[0] + y * frame->linesize[0];
        std::fill_n(row, Width, luma);
        if (markLuma >= 0 && y < Height / 2)
            std::fill_n(row, Width / 2, markLuma);
    }
    for (int p = 1; p < 3; ++p)
        for (int y = 0; y < Height / 2; ++y)
            std::fill_n(frame->data[p] + y * frame->linesize[p], Width / 2, 128);
    frame->pts = index;
}

void FillTone(AVFrame* frame, int amplitude, int index)
{
    Check(av_frame_make_writable(frame), "writable");
    auto* samples = reinterpret_cast<std::int16_t*>(frame->data[0]);
    for (int i = 0; i < SamplesPerFrame; ++i) {
        const double t = double(index * SamplesPerFrame + i) / SampleRate;
        const auto value = std::int16_t(std::lround(amplitude * std::sin(2 * std::numbers::pi * 440 * t)));
        samples[2 * i] = samples[2 * i + 1] = value;
    }
    frame->pts = std::int64_t(index) * SamplesPerFrame;
}

AVFrame* AllocFrame(const std::function<void(AVFrame&)>& shape)
{
    AVFrame* frame = av_frame_alloc();
    shape(*frame);
    Check(av_frame_get_buffer(frame, 0), "frame");
    return frame;
}

void Turn(AVStream& stream, int rotation)
{
    auto* matrix = reinterpret_cast<std::int32_t*>(
        av_stream_new_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(std::int32_t)));
    if (!matrix)
        throw std::runtime_error("player clip: display matrix failed");
    av_display_rotation_set(matrix, rotation);
}

void WriteClip(const std::filesystem::path& file, const TClipStreams& streams)
{
    AVFormatContext* output = nullptr;
    Check(avformat_alloc_output_context2(&output, nullptr, nullptr, file.c_str()), "output");
    std::vector<TEncodedStream> video, audio, subtitles;
    for (std::size_t i = 0; i < streams.videoLuma.size(); ++i) {
        video.push_back(AddStream(output, "mpeg4", AVRational{1, FrameRate}, ConfigurePictures));
        if (streams.rotation != 0)
            Turn(*video.back().stream, streams.rotation);
    }
    for (std::size_t i = 0; i < streams.audioAmplitude.size(); ++i)
        audio.push_back(AddStream(output, "pcm_s16le", AVRational{1, SampleRate}, ConfigureSound));
    for (std::size_t i = 0; i < streams.subtitleBlocks.size(); ++i)
        subtitles.push_back(AddStream(output, "dvdsub", AVRational{1, 1000}, ConfigurePictures));
    Check(avio_open(&output->pb, file.c_str(), AVIO_FLAG_WRITE), "open");
    Check(avformat_write_header(output, nullptr), "header");

    // The subtitles first: they start with the clip and outlast it.
    for (std::size_t i = 0; i < subtitles.size(); ++i)
        WriteSubtitle(subtitles[i], output, streams.subtitleBlocks[i], 1000 * 10);
    AVFrame* picture = AllocFrame([](AVFrame& frame) {
        frame.format = AV_PIX_FMT_YUV420P;
        frame.width = Width;
        frame.height = Height;
    });
    AVFrame* sound = AllocFrame([](AVFrame& frame) {
        frame.format = AV_SAMPLE_FMT_S16;
        frame.nb_samples = SamplesPerFrame;
        av_channel_layout_default(&frame.ch_layout, 2);
    });
    for (int index = 0; index < streams.frames; ++index) {
        for (std::size_t i = 0; i < video.size(); ++i) {
            FillPicture(picture, streams.videoLuma[i], streams.markLuma, index);
            WritePackets(video[i], output, picture);
        }
        for (std::size_t i = 0; i < audio.size(); ++i) {
            FillTone(sound, streams.audioAmplitude[i], index);
            WritePackets(audio[i], output, sound);
        }
    }
    for (const std::vector<TEncodedStream>* kind : {&video, &audio})
        for (const TEncodedStream& encoded : *kind)
            WritePackets(encoded, output, nullptr);
    Check(av_write_trailer(output), "trailer");
    av_frame_free(&picture);
    av_frame_free(&sound);
    for (std::vector<TEncodedStream>* kind : {&video, &audio, &subtitles})
        for (TEncodedStream& encoded : *kind)
            avcodec_free_context(&encoded.encoder);
    avio_closep(&output->pb);
    avformat_free_context(output);
}

} // namespace

std::filesystem::path PlayerClipPath(const std::string& fileName, const TClipStreams& streams)
{
    const std::filesystem::path file = test::media::TestMediaFolder() / fileName;
    // Tests run in parallel processes: each writes its own copy and renames it into place.
    const std::filesystem::path temporary =
        file.parent_path() / (file.stem().string() + "." + std::to_string(getpid()) + file.extension().string());
    WriteClip(temporary, streams);
    std::filesystem::rename(temporary, file);
    return file;
}

std::filesystem::path SubtitleClipPath(const TSubtitleBlock& block)
{
    TClipStreams streams;
    streams.videoLuma = {16};
    streams.subtitleBlocks = {block};
    return PlayerClipPath("player_subtitle.mkv", streams);
}

std::filesystem::path RotatedClipPath(int rotation)
{
    TClipStreams streams;
    streams.videoLuma = {16};
    streams.markLuma = 235;
    streams.rotation = rotation;
    streams.frames = 5;
    return PlayerClipPath("player_rotated_" + std::to_string(rotation) + ".mp4", streams);
}

} // namespace tovrel::test
