#pragma once
// The output side of a transcoding run, called by the packet dispatch for every
// decoded picture, audio block and subtitle: video sync, crop and scale,
// hooks, encoding (send/receive), audio resampling and framing, subtitle
// encoding, bitstream filters and the muxer write, and the progress report.
//
// One TOutputSteps belongs to one run of one job (the loop creates it after
// the stream tables and drops it before freeing them). The subtitle buffer
// and the qp histogram live here too, so jobs running at once share nothing.
//
// The per-stream fields read and kept (media/transcode/FFmpegTranscodeRecords.h):
// output stream: index, file_index, st, EncoderContext (the opened encoder), sync_ist,
// sync_opts, frame_number, the scaler state (video_resample, img_resample_ctx,
// pict_tmp, resample_width/height/pix_fmt, original_width/height, video_crop,
// the bands and their originals), logfile, audio_resample, resample (swr),
// fifo (AVAudioFifo in the encoder's format), bitstream filters, show_fps;
// input stream: st, DecoderContext (the decoder), file_index, pts, is_start, quality.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct AVBSFContext;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct AVStream;
struct AVSubtitle;

namespace tovrel {

class TCustomFFmpeg;
struct TAVInputStream;
struct TAVOutputStream;
class TBitstreamFilters; // media/output/FFmpegPacketWrite.h

class TOutputSteps {
public:
    explicit TOutputSteps(TCustomFFmpeg& engine);
    ~TOutputSteps();
    TOutputSteps(const TOutputSteps&) = delete;
    TOutputSteps& operator=(const TOutputSteps&) = delete;

    // Counts the decoded picture, deinterlaces it when asked and runs the
    // custom hook or the hook plug-in chain on it. The frame may be given new
    // buffers holding the result (it stays a normal reference-counted frame).
    void PrepareVideoFrame(TAVInputStream& ist, AVFrame* picture);

    // Writes `picture` to one output stream 0..n times by the video sync
    // method, cropped and scaled to the encoder's size. frameSize := bytes of
    // the last packet written, 0 when none.
    void EncodeVideoFrame(AVFormatContext* oc, TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture,
                          int& frameSize);
    // One line per encoded frame to the video statistics file.
    void WriteVideoStats(AVFormatContext* oc, TAVOutputStream& ost, int frameSize);

    // One block of decoded audio (any sample format, planar or packed) for one
    // output stream: converted, kept in step with the input clock, and encoded
    // in frames of the encoder's frame size.
    void do_audio_out(AVFormatContext* oc, TAVOutputStream& ost, TAVInputStream& ist, const AVFrame* decoded);

    // pts: the input packet's presentation time in the input stream's time base.
    void EncodeSubtitle(AVFormatContext* oc, TAVOutputStream& ost, TAVInputStream& ist, AVSubtitle* sub,
                        std::int64_t pts);

    // End of input for one encoding output stream: the audio FIFO's rest
    // (a short or silence-padded last frame) and every packet the encoder
    // still holds are written.
    void FlushEncoder(AVFormatContext* oc, TAVOutputStream& ost);

    // Join: `next` takes over from `finished` at the end of an input, with
    // the same encoder. The audio samples still waiting for a whole frame
    // (the converter's last ones included) go on in `next`'s FIFO.
    void HandOverAudio(TAVOutputStream& finished, TAVOutputStream& next);

    // pkt's times are in the stream's time base. Passes it through the filters
    // (nullptr: none) and hands it to the muxer; raises on a write failure.
    // The packet is consumed (left blank). Once the file has reached the
    // job's size limit, packets are dropped.
    void WriteOutputPacket(AVFormatContext* oc, AVPacket* pkt, AVCodecContext* enc, TBitstreamFilters* filters);
    // The end of every packet handed to the muxer for the stream (those it
    // still holds to interleave included), in seconds; 0 before any packet.
    double HandedOverTime(const AVStream* stream) const;
    // An output file reached the job's size limit: the run has nothing more to write.
    bool SizeLimitReached() const { return sizeLimitReached_; }

    // The report: progress event, or the report line to the logger; the
    // summary on the last report. inputIndex: the loop's current input,
    // kNoCurrentInput for the last report.
    enum class TReportKind { Interim, Last };
    static constexpr int kNoCurrentInput = -1;
    void ReportProgress(const std::vector<AVFormatContext*>& outputFiles,
                        const std::vector<TAVOutputStream*>& ost_table, TReportKind kind, int inputIndex);

    // Wall clock of the loop's start (microseconds of Clock()).
    std::int64_t Ftimer_start = 0;
    // The wall clock in microseconds; tests replace it.
    std::function<std::int64_t()> Clock;

private:
    struct TState;
    struct TStreamState;
    TStreamState& StreamState(const TAVOutputStream& ost);

    void NoteHandedOver(const AVStream* stream, const AVPacket& packet);
    // The end of what the muxer wrote to a stream, in seconds; 0 before any packet.
    double WrittenTime(const AVStream* stream);
    void ReportFilterFailure(const AVBSFContext* filter, int streamIndex, const AVCodecContext* enc, int code);
    // Sends one frame (nullptr: end of stream) and hands every packet the
    // encoder gives back, in the stream's time base, to onPacket.
    void SendToEncoder(TAVOutputStream& ost, const AVFrame* frame, const char* failure,
                       const std::function<void(AVPacket*)>& onPacket);
    void WriteEncodedVideo(AVFormatContext* oc, TAVOutputStream& ost, AVPacket* packet, int& frameSize);
    void WriteEncodedAudio(AVFormatContext* oc, TAVOutputStream& ost, AVPacket* packet);

    // Audio: samples of the decoder's format through the converter into the FIFO.
    void PrepareAudioConverter(TAVOutputStream& ost, const AVFrame* decoded);
    void QueueAudio(TAVOutputStream& ost, const AVFrame* decoded, const std::uint8_t* const* data, int count);
    void QueueSilence(AVFormatContext* oc, TAVOutputStream& ost, const AVFrame* decoded, std::int64_t count);
    void DrainAudioConverter(TAVOutputStream& ost);
    // FullFrames leaves a partial frame in the FIFO; EndOfStream also encodes
    // it (padded unless the encoder takes a short last frame) and drains the
    // converter and the encoder.
    enum class TAudioFraming { FullFrames, EndOfStream };
    void EncodeAudioFrames(AVFormatContext* oc, TAVOutputStream& ost, TAudioFraming framing);

    // Video: the picture cropped and scaled for the encoder, or nullptr when
    // the frame is not to be written.
    AVFrame* PictureForEncoder(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture);
    void FollowInputGeometry(TAVOutputStream& ost, TAVInputStream& ist, const AVFrame* picture);
    void RunCustomHook(AVFrame* picture, std::int64_t pts);
    void RunPostHooks(const AVFrame* picture, AVCodecContext* enc, std::int64_t pts);
    TCustomFFmpeg& engine_;
    std::unique_ptr<TState> state_;
    bool sizeLimitReached_ = false;
};

} // namespace tovrel
