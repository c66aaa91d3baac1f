#include "FlashClickClip.h"

#include "support/FFmpegHandles.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

extern "C" {
#include <libavutil/opt.h>
}

namespace tovrel::bench {

namespace {

using test::media::CodecContextPtr;
using test::media::FramePtr;
using test::media::OutputFormatPtr;
using test::media::PacketPtr;

void Check(int code, const char* what)
{
    if (code < 0)
        throw std::runtime_error(std::string(what) + ": " + test::media::ErrorText(code));
}

struct Track {
    CodecContextPtr encoder;
    AVStream* stream = nullptr;
};

// White for a flash; otherwise dark diagonal stripes that move, so the decoder has real work.
void PaintPicture(AVFrame& frame, int index, bool flash)
{
    for (int y = 0; y < frame.height; ++y) {
        std::uint8_t* row = frame.data[0] + std::ptrdiff_t(y) * frame.linesize[0];
        for (int x = 0; x < frame.width; ++x)
            row[x] = flash ? 235 : std::uint8_t(16 + ((x + y + 6 * index) & 63));
    }
    for (int plane = 1; plane < 3; ++plane)
        for (int y = 0; y < frame.height / 2; ++y)
            std::fill_n(frame.data[plane] + std::ptrdiff_t(y) * frame.linesize[plane], frame.width / 2,
                        std::uint8_t(128));
}

// Silence, and a full-scale 1 kHz click at the start of each whole second.
void FillSound(AVFrame& frame, std::int64_t firstSample, const FlashClickRecipe& recipe)
{
    auto* samples = reinterpret_cast<std::int16_t*>(frame.data[0]);
    const std::int64_t clickLength = std::llround(recipe.clickSeconds * recipe.sampleRate);
    for (int i = 0; i < frame.nb_samples; ++i) {
        const std::int64_t n = (firstSample + i) % recipe.sampleRate;
        const double value =
            n < clickLength ? 30000.0 * std::sin(2 * M_PI * 1000.0 * double(n) / recipe.sampleRate) : 0;
        for (int ch = 0; ch < recipe.channels; ++ch)
            samples[i * recipe.channels + ch] = std::int16_t(std::lround(value));
    }
}

class ClipWriter {
public:
    ClipWriter(const FlashClickRecipe& recipe, const std::filesystem::path& file) : recipe_(recipe)
    {
        AVFormatContext* oc = nullptr;
        Check(avformat_alloc_output_context2(&oc, nullptr, "matroska", file.c_str()), "output");
        output_.reset(oc);
        OpenVideo();
        OpenAudio();
        Check(avio_open(&output_->pb, file.c_str(), AVIO_FLAG_WRITE), "open");
        Check(avformat_write_header(output_.get(), nullptr), "header");
    }

    void Write()
    {
        const int pictures = recipe_.fps * recipe_.seconds;
        const std::int64_t samples = std::int64_t(recipe_.sampleRate) * recipe_.seconds;
        FramePtr picture(av_frame_alloc());
        picture->format = AV_PIX_FMT_YUV420P;
        picture->width = recipe_.width;
        picture->height = recipe_.height;
        Check(av_frame_get_buffer(picture.get(), 0), "picture");
        FramePtr sound(av_frame_alloc());
        sound->format = AV_SAMPLE_FMT_S16;
        sound->nb_samples = 1024;
        sound->sample_rate = recipe_.sampleRate;
        av_channel_layout_default(&sound->ch_layout, recipe_.channels);
        Check(av_frame_get_buffer(sound.get(), 0), "sound");
        int pictureIndex = 0;
        std::int64_t sample = 0;
        while (pictureIndex < pictures || sample < samples) {
            // Whichever track is behind goes next, so the muxer sees them interleaved.
            const bool videoNext =
                pictureIndex < pictures &&
                (sample >= samples || double(pictureIndex) / recipe_.fps <= double(sample) / recipe_.sampleRate);
            if (videoNext) {
                Check(av_frame_make_writable(picture.get()), "picture");
                PaintPicture(*picture, pictureIndex, pictureIndex % recipe_.fps == 0);
                picture->pts = pictureIndex++;
                Send(video_, picture.get());
            } else {
                Check(av_frame_make_writable(sound.get()), "sound");
                sound->nb_samples = int(std::min<std::int64_t>(1024, samples - sample));
                FillSound(*sound, sample, recipe_);
                sound->pts = sample;
                sample += sound->nb_samples;
                Send(audio_, sound.get());
            }
        }
        Send(video_, nullptr);
        Send(audio_, nullptr);
        Check(av_write_trailer(output_.get()), "trailer");
    }

private:
    void OpenVideo()
    {
        const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
        if (!codec)
            throw std::runtime_error("no H.264 encoder");
        video_.encoder.reset(avcodec_alloc_context3(codec));
        AVCodecContext& ctx = *video_.encoder;
        ctx.width = recipe_.width;
        ctx.height = recipe_.height;
        ctx.time_base = AVRational{1, recipe_.fps};
        ctx.framerate = AVRational{recipe_.fps, 1};
        ctx.pix_fmt = AV_PIX_FMT_YUV420P;
        ctx.gop_size = 10 * recipe_.fps;
        ctx.max_b_frames = 2;
        av_opt_set(ctx.priv_data, "preset", "veryfast", 0);
        av_opt_set(ctx.priv_data, "x264-params", "scenecut=0", 0);
        OpenTrack(video_);
    }

    void OpenAudio()
    {
        const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_PCM_S16LE);
        if (!codec)
            throw std::runtime_error("no PCM encoder");
        audio_.encoder.reset(avcodec_alloc_context3(codec));
        AVCodecContext& ctx = *audio_.encoder;
        ctx.sample_fmt = AV_SAMPLE_FMT_S16;
        ctx.sample_rate = recipe_.sampleRate;
        av_channel_layout_default(&ctx.ch_layout, recipe_.channels);
        ctx.time_base = AVRational{1, recipe_.sampleRate};
        OpenTrack(audio_);
    }

    void OpenTrack(Track& track)
    {
        if (output_->oformat->flags & AVFMT_GLOBALHEADER)
            track.encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        Check(avcodec_open2(track.encoder.get(), nullptr, nullptr), "encoder");
        track.stream = avformat_new_stream(output_.get(), nullptr);
        if (!track.stream)
            throw std::runtime_error("stream");
        track.stream->time_base = track.encoder->time_base;
        Check(avcodec_parameters_from_context(track.stream->codecpar, track.encoder.get()), "parameters");
    }

    void Send(Track& track, const AVFrame* frame)
    {
        Check(avcodec_send_frame(track.encoder.get(), frame), "encode");
        PacketPtr packet(av_packet_alloc());
        for (;;) {
            const int ret = avcodec_receive_packet(track.encoder.get(), packet.get());
            if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
                return;
            Check(ret, "encode");
            av_packet_rescale_ts(packet.get(), track.encoder->time_base, track.stream->time_base);
            packet->stream_index = track.stream->index;
            Check(av_interleaved_write_frame(output_.get(), packet.get()), "write");
        }
    }

    FlashClickRecipe recipe_;
    OutputFormatPtr output_;
    Track video_, audio_;
};

} // namespace

std::filesystem::path FlashClickClip(const FlashClickRecipe& recipe, const std::filesystem::path& folder)
{
    const std::filesystem::path file =
        folder / ("flash_click_" + std::to_string(recipe.width) + "x" + std::to_string(recipe.height) + "_" +
                  std::to_string(recipe.fps) + "fps_" + std::to_string(recipe.seconds) + "s.mkv");
    if (std::filesystem::exists(file))
        return file;
    std::filesystem::create_directories(folder);
    // Written under a passing name first, so a broken run leaves no half clip to reuse.
    const std::filesystem::path partial = file.string() + ".part";
    {
        ClipWriter writer(recipe, partial);
        writer.Write();
    }
    std::filesystem::rename(partial, file);
    return file;
}

} // namespace tovrel::bench
