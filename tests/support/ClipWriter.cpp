// Encodes and muxes a clip described by a ClipSpec.
#include "support/FFmpegHandles.h"
#include "support/SyntheticSource.h"
#include "support/TestMedia.h"

#include <cmath>
#include <cstring>
#include <new>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/opt.h>
}

namespace tovrel::test::media {

int ClipSpec::FrameCount() const
{
    return videoCodec.empty() ? 0 : static_cast<int>(std::lround(seconds * fps));
}

long long ClipSpec::SampleCount() const
{
    return audioCodec.empty() ? 0 : std::llround(seconds * sampleRate);
}

int ClipSpec::AudioStreamCount() const
{
    return audioCodec.empty() ? 0 : 1 + extraAudioStreams;
}

namespace {

void Check(int code, const std::string& what)
{
    if (code < 0)
        throw TestMediaError("test media: " + what + ": " + ErrorText(code));
}

const AVCodec* FindEncoder(const std::string& name, AVMediaType type)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(name.c_str());
    if (!codec)
        throw TestMediaError("test media: encoder \"" + name +
                             "\" is missing from this libavcodec (Debian's libavcodec59 has "
                             "libx264, libmp3lame, aac and mpeg4)");
    if (codec->type != type)
        throw TestMediaError("test media: \"" + name + "\" encodes " + av_get_media_type_string(codec->type) +
                             ", not " + av_get_media_type_string(type));
    return codec;
}

// Keep key frames exactly on the gop grid (no scene-cut key frames) and encoding quick.
struct EncoderOption {
    const char* encoder;
    const char* key;
    const char* value;
};
constexpr EncoderOption kEncoderOptions[] = {
    {"libx264", "preset", "veryfast"},
    {"libx264", "x264-params", "scenecut=0"},
    {"mpeg4", "sc_threshold", "1000000000"},
};

void ApplyEncoderOptions(AVCodecContext& encoder)
{
    for (const EncoderOption& option : kEncoderOptions) {
        if (std::string(encoder.codec->name) == option.encoder)
            Check(av_opt_set(encoder.priv_data, option.key, option.value, 0),
                  std::string("set ") + option.key + " on " + option.encoder);
    }
}

AVSampleFormat ChooseSampleFormat(const AVCodec& codec)
{
    if (!codec.sample_fmts)
        return AV_SAMPLE_FMT_FLTP;
    for (const AVSampleFormat* format = codec.sample_fmts; *format != AV_SAMPLE_FMT_NONE; ++format) {
        if (CanFillTone(*format))
            return *format;
    }
    throw TestMediaError(std::string("test media: no usable sample format for ") + codec.name);
}

int SamplesPerFrame(const AVCodecContext& encoder)
{
    constexpr int kDefaultSamples = 1024;
    const bool fixedSize = !(encoder.codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    return encoder.frame_size > 0 && fixedSize ? encoder.frame_size : kDefaultSamples;
}

FramePtr AllocateFrame()
{
    FramePtr frame(av_frame_alloc());
    if (!frame)
        throw std::bad_alloc();
    return frame;
}

void Validate(const ClipSpec& recipe)
{
    const bool valid = !recipe.fileName.empty() && !recipe.formatName.empty() && recipe.width > 0 &&
                       recipe.height > 0 && recipe.fps > 0 && recipe.seconds > 0 && recipe.gop > 0 &&
                       recipe.maxBFrames >= 0 && recipe.extraAudioStreams >= 0 && recipe.sampleRate > 0 &&
                       recipe.channels > 0 && (!recipe.videoCodec.empty() || !recipe.audioCodec.empty());
    if (!valid)
        throw TestMediaError("test media: invalid clip recipe for \"" + recipe.fileName + "\"");
    if (recipe.sizeChange && (recipe.sizeChange->atFrame <= 0 || recipe.sizeChange->atFrame >= recipe.FrameCount() ||
                              recipe.sizeChange->width <= 0 || recipe.sizeChange->height <= 0))
        throw TestMediaError("test media: size change of \"" + recipe.fileName + "\" must fall inside the clip");
}

// One output stream and the encoder feeding it. `next` and `end` count frames for
// video and samples for audio, in the encoder's time base.
struct Track {
    AVStream* stream = nullptr;
    CodecContextPtr encoder;
    int64_t next = 0;
    int64_t end = 0;
    double toneHz = 0;

    bool IsVideo() const { return encoder->codec_type == AVMEDIA_TYPE_VIDEO; }
};

void Rotate(AVStream& stream, int degrees)
{
    auto* matrix =
        reinterpret_cast<int32_t*>(av_stream_new_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, 9 * sizeof(int32_t)));
    if (!matrix)
        throw std::bad_alloc();
    av_display_rotation_set(matrix, degrees);
}

class ClipWriter {
public:
    ClipWriter(const ClipSpec& recipe, const std::filesystem::path& file);
    void Write();

private:
    CodecContextPtr OpenVideoEncoder(int width, int height) const;
    CodecContextPtr OpenAudioEncoder() const;
    void AddTrack(CodecContextPtr encoder, int64_t end, double toneHz);
    AVStream* AddSubtitleStream();
    void WriteCues(AVStream& stream);
    Track* NextTrack();
    void EncodeVideoFrame(Track& track);
    void EncodeAudioFrame(Track& track);
    void Send(Track& track, const AVFrame* frame);

    const ClipSpec& spec_;
    OutputFormatPtr output_;
    bool globalHeader_ = false;
    std::vector<Track> tracks_;
    PacketPtr packet_{av_packet_alloc()};
};

ClipWriter::ClipWriter(const ClipSpec& recipe, const std::filesystem::path& file) : spec_(recipe)
{
    Validate(recipe);
    if (!packet_)
        throw std::bad_alloc();
    AVFormatContext* output = nullptr;
    Check(avformat_alloc_output_context2(&output, nullptr, recipe.formatName.c_str(), file.c_str()),
          "container format \"" + recipe.formatName + "\"");
    output_.reset(output);
    // AVI times audio by its byte count, so the library's shift for the audio
    // encoder's negative start would only push every picture one frame late.
    if (recipe.formatName == "avi")
        output_->avoid_negative_ts = AVFMT_AVOID_NEG_TS_DISABLED;
    globalHeader_ = (output_->oformat->flags & AVFMT_GLOBALHEADER) != 0;
    // A new size is announced by headers inside the stream; global headers cannot change.
    if (recipe.sizeChange && globalHeader_)
        throw TestMediaError("test media: \"" + recipe.formatName +
                             "\" keeps codec headers global, so it cannot change size mid-stream");

    if (!recipe.videoCodec.empty()) {
        AddTrack(OpenVideoEncoder(recipe.width, recipe.height), recipe.FrameCount(), 0);
        if (recipe.rotation != 0)
            Rotate(*tracks_.back().stream, recipe.rotation);
    }
    for (int index = 0; index < recipe.AudioStreamCount(); ++index)
        AddTrack(OpenAudioEncoder(), recipe.SampleCount(), 440.0 * (1 + 0.25 * index));

    AVStream* subtitles = recipe.subtitleCues > 0 ? AddSubtitleStream() : nullptr;

    if (!(output_->oformat->flags & AVFMT_NOFILE))
        Check(avio_open(&output_->pb, file.c_str(), AVIO_FLAG_WRITE), "create " + file.string());
    Check(avformat_write_header(output_.get(), nullptr), "write header of " + recipe.fileName);
    if (subtitles)
        WriteCues(*subtitles);
}

AVStream* ClipWriter::AddSubtitleStream()
{
    AVStream* stream = avformat_new_stream(output_.get(), nullptr);
    if (!stream)
        throw std::bad_alloc();
    stream->time_base = AVRational{1, 1000};
    stream->codecpar->codec_type = AVMEDIA_TYPE_SUBTITLE;
    stream->codecpar->codec_id = AV_CODEC_ID_SUBRIP;
    return stream;
}

// SubRip packets are the cue's bare text, so they need no encoder.
void ClipWriter::WriteCues(AVStream& stream)
{
    for (int cue = 0; cue < spec_.subtitleCues; ++cue) {
        const std::string text = "Cue " + std::to_string(cue + 1);
        Check(av_new_packet(packet_.get(), static_cast<int>(text.size())), "allocate cue");
        std::memcpy(packet_->data, text.data(), text.size());
        packet_->pts = packet_->dts = cue * 1000LL;
        packet_->duration = 500;
        packet_->stream_index = stream.index;
        Check(av_interleaved_write_frame(output_.get(), packet_.get()), "write cue of " + spec_.fileName);
    }
}

CodecContextPtr ClipWriter::OpenVideoEncoder(int width, int height) const
{
    const AVCodec* codec = FindEncoder(spec_.videoCodec, AVMEDIA_TYPE_VIDEO);
    CodecContextPtr encoder(avcodec_alloc_context3(codec));
    if (!encoder)
        throw std::bad_alloc();
    encoder->width = width;
    encoder->height = height;
    encoder->pix_fmt = AV_PIX_FMT_YUV420P;
    encoder->time_base = AVRational{1, spec_.fps};
    encoder->framerate = AVRational{spec_.fps, 1};
    encoder->gop_size = spec_.gop;
    encoder->keyint_min = spec_.gop;
    encoder->max_b_frames = spec_.maxBFrames;
    if (globalHeader_)
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ApplyEncoderOptions(*encoder);
    Check(avcodec_open2(encoder.get(), codec, nullptr), "open video encoder " + spec_.videoCodec);
    return encoder;
}

CodecContextPtr ClipWriter::OpenAudioEncoder() const
{
    const AVCodec* codec = FindEncoder(spec_.audioCodec, AVMEDIA_TYPE_AUDIO);
    CodecContextPtr encoder(avcodec_alloc_context3(codec));
    if (!encoder)
        throw std::bad_alloc();
    encoder->sample_fmt = ChooseSampleFormat(*codec);
    encoder->sample_rate = spec_.sampleRate;
    av_channel_layout_default(&encoder->ch_layout, spec_.channels);
    encoder->bit_rate = 64000LL * spec_.channels;
    encoder->time_base = AVRational{1, spec_.sampleRate};
    if (globalHeader_)
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    Check(avcodec_open2(encoder.get(), codec, nullptr), "open audio encoder " + spec_.audioCodec);
    return encoder;
}

void ClipWriter::AddTrack(CodecContextPtr encoder, int64_t end, double toneHz)
{
    AVStream* stream = avformat_new_stream(output_.get(), nullptr);
    if (!stream)
        throw std::bad_alloc();
    stream->time_base = encoder->time_base;
    Check(avcodec_parameters_from_context(stream->codecpar, encoder.get()), "stream parameters");
    tracks_.push_back(Track{stream, std::move(encoder), 0, end, toneHz});
}

// The unfinished track whose next frame starts earliest, so packets reach the muxer
// roughly interleaved however many streams there are.
Track* ClipWriter::NextTrack()
{
    Track* earliest = nullptr;
    for (Track& track : tracks_) {
        if (track.next >= track.end)
            continue;
        if (!earliest ||
            av_compare_ts(track.next, track.encoder->time_base, earliest->next, earliest->encoder->time_base) < 0)
            earliest = &track;
    }
    return earliest;
}

void ClipWriter::Write()
{
    while (Track* track = NextTrack()) {
        if (track->IsVideo())
            EncodeVideoFrame(*track);
        else
            EncodeAudioFrame(*track);
    }
    for (Track& track : tracks_)
        Send(track, nullptr);
    Check(av_write_trailer(output_.get()), "write trailer of " + spec_.fileName);
    if (!(output_->oformat->flags & AVFMT_NOFILE))
        Check(avio_closep(&output_->pb), "close " + spec_.fileName);
}

void ClipWriter::EncodeVideoFrame(Track& track)
{
    if (spec_.sizeChange && track.next == spec_.sizeChange->atFrame) {
        Send(track, nullptr);
        track.encoder = OpenVideoEncoder(spec_.sizeChange->width, spec_.sizeChange->height);
    }
    FramePtr frame = AllocateFrame();
    frame->format = track.encoder->pix_fmt;
    frame->width = track.encoder->width;
    frame->height = track.encoder->height;
    Check(av_frame_get_buffer(frame.get(), 0), "allocate picture");
    PaintPicture(*frame, static_cast<int>(track.next));
    frame->pts = track.next++;
    Send(track, frame.get());
}

void ClipWriter::EncodeAudioFrame(Track& track)
{
    const AVCodecContext& encoder = *track.encoder;
    FramePtr frame = AllocateFrame();
    frame->format = encoder.sample_fmt;
    frame->sample_rate = encoder.sample_rate;
    frame->nb_samples = static_cast<int>(std::min<int64_t>(SamplesPerFrame(encoder), track.end - track.next));
    Check(av_channel_layout_copy(&frame->ch_layout, &encoder.ch_layout), "channel layout");
    Check(av_frame_get_buffer(frame.get(), 0), "allocate samples");
    FillTone(*frame, track.next, track.toneHz);
    frame->pts = track.next;
    track.next += frame->nb_samples;
    Send(track, frame.get());
}

// Sends one frame (or the end of stream when null) and writes every packet it yields.
void ClipWriter::Send(Track& track, const AVFrame* frame)
{
    AVCodecContext* encoder = track.encoder.get();
    Check(avcodec_send_frame(encoder, frame), std::string("encode with ") + encoder->codec->name);
    for (;;) {
        const int received = avcodec_receive_packet(encoder, packet_.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return;
        Check(received, std::string("encode with ") + encoder->codec->name);
        // Not every encoder stamps a duration; without one the muxer's edit list can
        // cut off the last picture.
        if (packet_->duration == 0 && track.IsVideo())
            packet_->duration = 1;
        av_packet_rescale_ts(packet_.get(), encoder->time_base, track.stream->time_base);
        packet_->stream_index = track.stream->index;
        Check(av_interleaved_write_frame(output_.get(), packet_.get()), "write packet of " + spec_.fileName);
    }
}

} // namespace

void WriteClip(const ClipSpec& recipe, const std::filesystem::path& file)
{
    ClipWriter writer(recipe, file);
    writer.Write();
}

} // namespace tovrel::test::media
