#include "DirectTranscode.h"

#include "support/FFmpegHandles.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>

extern "C" {
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libavutil/dict.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace tovrel::bench {

namespace {

using namespace tovrel::test::media;

struct TScaleDeleter {
    void operator()(SwsContext* context) const { sws_freeContext(context); }
};
struct TResampleDeleter {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct TFifoDeleter {
    void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};
struct TDictionaryDeleter {
    void operator()(AVDictionary* dictionary) const { av_dict_free(&dictionary); }
};

int Check(int result, const std::string& step)
{
    if (result < 0)
        throw TDirectError(step + ": " + ErrorText(result));
    return result;
}

template <typename T> T* Need(T* object, const std::string& step)
{
    if (!object)
        throw TDirectError(step + ": out of memory");
    return object;
}

FramePtr NewFrame()
{
    return FramePtr(Need(av_frame_alloc(), "frame"));
}

const AVCodec& FindEncoder(const std::string& name, AVMediaType type)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec || codec->type != type)
        throw TDirectError("no " + std::string(av_get_media_type_string(type)) + " encoder \"" + name + "\"");
    return *codec;
}

// One decoder of an input stream.
class TDecoder {
public:
    TDecoder(const AVStream& stream, const TDirectSettings& settings)
    {
        const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
        if (!codec)
            throw TDirectError("no decoder for input stream " + std::to_string(stream.index));
        context_.reset(Need(avcodec_alloc_context3(codec), "decoder"));
        Check(avcodec_parameters_to_context(context_.get(), stream.codecpar), "decoder parameters");
        context_->pkt_timebase = stream.time_base;
        context_->thread_count = settings.threads;
        if (settings.sliceThreadsOnly)
            context_->thread_type = FF_THREAD_SLICE;
        Check(avcodec_open2(context_.get(), codec, nullptr), "open decoder");
    }

    // Decodes `packet` (nullptr drains) and hands every picture or sound it gives to `use`.
    void Decode(const AVPacket* packet, const std::function<void(AVFrame&)>& use)
    {
        Check(avcodec_send_packet(context_.get(), packet), "decode");
        for (;;) {
            const int result = avcodec_receive_frame(context_.get(), frame_.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
                return;
            Check(result, "decode");
            use(*frame_);
            av_frame_unref(frame_.get());
        }
    }

private:
    CodecContextPtr context_;
    FramePtr frame_ = NewFrame();
};

// One encoder and the output stream it feeds.
class TEncoder {
public:
    TEncoder(AVFormatContext& out, const AVCodec& codec) : out_(out)
    {
        context_.reset(Need(avcodec_alloc_context3(&codec), "encoder"));
        stream_ = Need(avformat_new_stream(&out, nullptr), "output stream");
        if (out.oformat->flags & AVFMT_GLOBALHEADER)
            context_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }

    AVCodecContext& Context() { return *context_; }
    const AVCodecContext& Context() const { return *context_; }

    // Opens the encoder with `options`; an option the encoder does not know is an error.
    void Open(const TCodecOptions& options)
    {
        AVDictionary* raw = nullptr;
        for (const auto& [name, value] : options)
            av_dict_set(&raw, name.c_str(), value.c_str(), 0);
        const int result = avcodec_open2(context_.get(), context_->codec, &raw);
        std::unique_ptr<AVDictionary, TDictionaryDeleter> left(raw);
        Check(result, std::string("open encoder ") + context_->codec->name);
        if (const AVDictionaryEntry* unknown = av_dict_get(left.get(), "", nullptr, AV_DICT_IGNORE_SUFFIX))
            throw TDirectError(std::string(context_->codec->name) + " has no option \"" + unknown->key + "\"");
        Check(avcodec_parameters_from_context(stream_->codecpar, context_.get()), "stream parameters");
        stream_->time_base = context_->time_base;
    }

    // Encodes `frame` (nullptr drains) and writes what comes out.
    void Encode(const AVFrame* frame)
    {
        Check(avcodec_send_frame(context_.get(), frame), "encode");
        for (;;) {
            const int result = avcodec_receive_packet(context_.get(), packet_.get());
            if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
                return;
            Check(result, "encode");
            // The muxer may have changed the stream's time base when writing the header.
            av_packet_rescale_ts(packet_.get(), context_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            Check(av_interleaved_write_frame(&out_, packet_.get()), "write packet");
        }
    }

private:
    AVFormatContext& out_;
    CodecContextPtr context_;
    AVStream* stream_ = nullptr;
    PacketPtr packet_{Need(av_packet_alloc(), "packet")};
};

// Decode → scale when the size or format differs → encode.
class TVideoPath {
public:
    TVideoPath(AVFormatContext& in, AVStream& stream, AVFormatContext& out, const TDirectSettings& settings)
        : inputTimeBase_(stream.time_base), decoder_(stream, settings),
          encoder_(out, FindEncoder(settings.videoEncoder, AVMEDIA_TYPE_VIDEO))
    {
        AVCodecContext& context = encoder_.Context();
        const AVCodecParameters& source = *stream.codecpar;
        context.width = source.width;
        context.height = source.height;
        context.sample_aspect_ratio = source.sample_aspect_ratio;
        context.pix_fmt = EncoderPixelFormat(static_cast<AVPixelFormat>(source.format));
        context.framerate = av_guess_frame_rate(&in, &stream, nullptr);
        if (context.framerate.num <= 0 || context.framerate.den <= 0)
            context.framerate = {25, 1};
        context.time_base = av_inv_q(context.framerate);
        context.bit_rate = settings.videoBitRate;
        context.thread_count = settings.threads;
        encoder_.Open(settings.videoOptions);
    }

    void Take(const AVPacket* packet)
    {
        decoder_.Decode(packet, [this](AVFrame& frame) { Encode(frame); });
    }

    void Finish()
    {
        Take(nullptr);
        encoder_.Encode(nullptr);
    }

    std::int64_t Frames() const { return frames_; }
    double Seconds() const { return frames_ * av_q2d(av_inv_q(encoder_.Context().framerate)); }

private:
    AVPixelFormat EncoderPixelFormat(AVPixelFormat source)
    {
        const AVPixelFormat* formats = encoder_.Context().codec->pix_fmts;
        if (!formats)
            return source;
        for (const AVPixelFormat* format = formats; *format != AV_PIX_FMT_NONE; ++format)
            if (*format == source)
                return source;
        return formats[0];
    }

    void Encode(AVFrame& decoded)
    {
        AVCodecContext& context = encoder_.Context();
        AVFrame* picture = &decoded;
        if (decoded.width != context.width || decoded.height != context.height || decoded.format != context.pix_fmt) {
            scaler_.reset(sws_getCachedContext(
                scaler_.release(), decoded.width, decoded.height, static_cast<AVPixelFormat>(decoded.format),
                context.width, context.height, context.pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr));
            Need(scaler_.get(), "scaler");
            av_frame_unref(scaled_.get());
            scaled_->width = context.width;
            scaled_->height = context.height;
            scaled_->format = context.pix_fmt;
            Check(sws_scale_frame(scaler_.get(), scaled_.get(), &decoded), "scale");
            Check(av_frame_copy_props(scaled_.get(), &decoded), "frame properties");
            picture = scaled_.get();
        }
        picture->pts = decoded.best_effort_timestamp == AV_NOPTS_VALUE
                           ? frames_
                           : av_rescale_q(decoded.best_effort_timestamp, inputTimeBase_, context.time_base);
        picture->pict_type = AV_PICTURE_TYPE_NONE;
        encoder_.Encode(picture);
        ++frames_;
    }

    AVRational inputTimeBase_;
    TDecoder decoder_;
    TEncoder encoder_;
    std::unique_ptr<SwsContext, TScaleDeleter> scaler_;
    FramePtr scaled_ = NewFrame();
    std::int64_t frames_ = 0;
};

// Decode → resample → cut into the encoder's frame size → encode.
class TAudioPath {
public:
    TAudioPath(AVStream& stream, AVFormatContext& out, const TDirectSettings& settings)
        : decoder_(stream, settings), encoder_(out, FindEncoder(settings.audioEncoder, AVMEDIA_TYPE_AUDIO))
    {
        AVCodecContext& context = encoder_.Context();
        const AVCodec& codec = *context.codec;
        context.sample_rate = settings.sampleRate;
        av_channel_layout_default(&context.ch_layout, settings.channels);
        context.sample_fmt = codec.sample_fmts ? codec.sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
        context.bit_rate = settings.audioBitRate;
        context.time_base = {1, settings.sampleRate};
        context.thread_count = settings.threads;
        encoder_.Open({});
        const bool anySize = (codec.capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) || context.frame_size <= 0;
        frameSize_ = anySize ? 1024 : context.frame_size;
        fifo_.reset(Need(av_audio_fifo_alloc(context.sample_fmt, context.ch_layout.nb_channels, frameSize_), "fifo"));
    }

    void Take(const AVPacket* packet)
    {
        decoder_.Decode(packet, [this](AVFrame& frame) { Resample(&frame); });
    }

    void Finish()
    {
        Take(nullptr);
        if (resampler_)
            Resample(nullptr);
        SendFrames(true);
        encoder_.Encode(nullptr);
    }

    std::int64_t Samples() const { return nextPts_; }
    double Seconds() const { return static_cast<double>(nextPts_) / encoder_.Context().sample_rate; }

private:
    void OpenResampler(const AVFrame& frame)
    {
        const AVCodecContext& context = encoder_.Context();
        SwrContext* raw = nullptr;
        // 5.1 takes the layouts through non-const pointers, though it only reads them.
        Check(swr_alloc_set_opts2(&raw, const_cast<AVChannelLayout*>(&context.ch_layout), context.sample_fmt,
                                  context.sample_rate, const_cast<AVChannelLayout*>(&frame.ch_layout),
                                  static_cast<AVSampleFormat>(frame.format), frame.sample_rate, 0, nullptr),
              "resampler");
        resampler_.reset(raw);
        Check(swr_init(resampler_.get()), "resampler");
    }

    // Converts `frame` into the fifo; nullptr flushes what the resampler holds.
    void Resample(const AVFrame* frame)
    {
        if (!resampler_)
            OpenResampler(*frame);
        const AVCodecContext& context = encoder_.Context();
        const int capacity = swr_get_out_samples(resampler_.get(), frame ? frame->nb_samples : 0);
        if (capacity <= 0)
            return;
        FramePtr converted = NewFrame();
        converted->format = context.sample_fmt;
        converted->nb_samples = capacity;
        Check(av_channel_layout_copy(&converted->ch_layout, &context.ch_layout), "channel layout");
        Check(av_frame_get_buffer(converted.get(), 0), "sample buffer");
        const int count = Check(swr_convert(resampler_.get(), converted->data, capacity,
                                            frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr,
                                            frame ? frame->nb_samples : 0),
                                "resample");
        if (count > 0)
            Check(av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(converted->data), count), "fifo");
        SendFrames(false);
    }

    // Encodes whole frames from the fifo; at the end also the short rest.
    void SendFrames(bool last)
    {
        const AVCodecContext& context = encoder_.Context();
        while (av_audio_fifo_size(fifo_.get()) >= frameSize_ || (last && av_audio_fifo_size(fifo_.get()) > 0)) {
            FramePtr chunk = NewFrame();
            chunk->format = context.sample_fmt;
            chunk->sample_rate = context.sample_rate;
            chunk->nb_samples = std::min(frameSize_, av_audio_fifo_size(fifo_.get()));
            Check(av_channel_layout_copy(&chunk->ch_layout, &context.ch_layout), "channel layout");
            Check(av_frame_get_buffer(chunk.get(), 0), "sample buffer");
            Check(av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(chunk->data), chunk->nb_samples), "fifo");
            chunk->pts = nextPts_;
            nextPts_ += chunk->nb_samples;
            encoder_.Encode(chunk.get());
        }
    }

    TDecoder decoder_;
    TEncoder encoder_;
    int frameSize_ = 1024;
    std::unique_ptr<SwrContext, TResampleDeleter> resampler_;
    std::unique_ptr<AVAudioFifo, TFifoDeleter> fifo_;
    std::int64_t nextPts_ = 0;
};

AVStream* BestStream(AVFormatContext& in, AVMediaType type)
{
    const int index = av_find_best_stream(&in, type, -1, -1, nullptr, 0);
    return index < 0 ? nullptr : in.streams[index];
}

} // namespace

TDirectResult DirectTranscode(const std::string& input, const std::string& output, const TDirectSettings& settings)
{
    AVFormatContext* rawIn = nullptr;
    Check(avformat_open_input(&rawIn, input.c_str(), nullptr, nullptr), "open " + input);
    InputFormatPtr in(rawIn);
    Check(avformat_find_stream_info(in.get(), nullptr), "read stream information of " + input);

    AVFormatContext* rawOut = nullptr;
    Check(avformat_alloc_output_context2(&rawOut, nullptr, nullptr, output.c_str()), "container for " + output);
    OutputFormatPtr out(rawOut);

    std::optional<TVideoPath> video;
    std::optional<TAudioPath> audio;
    AVStream* videoStream = BestStream(*in, AVMEDIA_TYPE_VIDEO);
    AVStream* audioStream = BestStream(*in, AVMEDIA_TYPE_AUDIO);
    if (videoStream)
        video.emplace(*in, *videoStream, *out, settings);
    if (audioStream)
        audio.emplace(*audioStream, *out, settings);
    if (!video && !audio)
        throw TDirectError(input + " has neither video nor audio");

    if (!(out->oformat->flags & AVFMT_NOFILE))
        Check(avio_open(&out->pb, output.c_str(), AVIO_FLAG_WRITE), "create " + output);
    Check(avformat_write_header(out.get(), nullptr), "write header");

    PacketPtr packet(Need(av_packet_alloc(), "packet"));
    for (;;) {
        const int result = av_read_frame(in.get(), packet.get());
        if (result == AVERROR_EOF)
            break;
        Check(result, "read " + input);
        if (video && packet->stream_index == videoStream->index)
            video->Take(packet.get());
        else if (audio && packet->stream_index == audioStream->index)
            audio->Take(packet.get());
        av_packet_unref(packet.get());
    }
    if (video)
        video->Finish();
    if (audio)
        audio->Finish();
    Check(av_write_trailer(out.get()), "write trailer");

    TDirectResult result;
    result.videoFrames = video ? video->Frames() : 0;
    result.audioSamples = audio ? audio->Samples() : 0;
    result.mediaSeconds = std::max(video ? video->Seconds() : 0.0, audio ? audio->Seconds() : 0.0);
    return result;
}

} // namespace tovrel::bench
