#pragma once
// A run's output side without the loop: an output file with encoders opened
// by the test, the per-stream records the loop would keep, and the steps.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/output/FFmpegOutputSteps.h"
#include "media/transcode/FFmpegTranscodeRecords.h"
#include "support/FFmpegHandles.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tovrel::test {

class TOutputStepsTest : public TMediaJobTest {
protected:
    void SetUp() override
    {
        TMediaJobTest::SetUp();
        GetFFLogger()->SetOnLog([this](const void*, std::uint32_t, TLogLevel level, const std::string& line) {
            logged_.emplace_back(level, line);
        });
        steps = std::make_unique<TOutputSteps>(*job);
        inputContext.reset(avformat_alloc_context());
        ist.st = avformat_new_stream(inputContext.get(), nullptr);
        ist.st->time_base = {1, 90000};
    }
    void TearDown() override
    {
        steps.reset();
        osts.clear();
        encoders.clear();
        output.reset();
        TMediaJobTest::TearDown();
    }

    // The steps log from the test's own thread.
    std::vector<std::string> LinesAtLevel(TLogLevel level) const
    {
        std::vector<std::string> lines;
        for (const auto& [lineLevel, text] : logged_)
            if (lineLevel == level)
                lines.push_back(text);
        return lines;
    }
    bool Logged(TLogLevel level, const std::string& line) const
    {
        const auto lines = LinesAtLevel(level);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::size_t LinesAt(TLogLevel level) const { return LinesAtLevel(level).size(); }

    void OpenOutput(const std::string& name)
    {
        path = folder.Path(name);
        AVFormatContext* context = nullptr;
        ASSERT_GE(avformat_alloc_output_context2(&context, nullptr, nullptr, path.c_str()), 0);
        output.reset(context);
    }

    // Opens an encoder for a new stream; `configure` sets what the codec needs.
    TAVOutputStream& AddStream(const char* encoderName, const std::function<void(AVCodecContext*)>& configure)
    {
        const AVCodec* codec = avcodec_find_encoder_by_name(encoderName);
        EXPECT_NE(codec, nullptr) << encoderName;
        test::media::CodecContextPtr enc(avcodec_alloc_context3(codec));
        configure(enc.get());
        if (output->oformat->flags & AVFMT_GLOBALHEADER)
            enc->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        EXPECT_GE(avcodec_open2(enc.get(), codec, nullptr), 0) << encoderName;
        AVStream* st = avformat_new_stream(output.get(), nullptr);
        avcodec_parameters_from_context(st->codecpar, enc.get());
        st->time_base = enc->time_base;
        auto ost = std::make_unique<TAVOutputStream>();
        ost->index = st->index;
        ost->st = st;
        ost->EncoderContext = enc.get();
        ost->Encoder = codec;
        ost->sync_ist = &ist;
        encoders.push_back(std::move(enc));
        osts.push_back(std::move(ost));
        return *osts.back();
    }

    TAVOutputStream& AddAudio(const char* encoderName, AVSampleFormat format, int rate, int channels)
    {
        return AddStream(encoderName, [&](AVCodecContext* enc) {
            enc->sample_fmt = format;
            enc->sample_rate = rate;
            av_channel_layout_default(&enc->ch_layout, channels);
            enc->time_base = {1, rate};
            enc->bit_rate = 128000;
        });
    }

    TAVOutputStream& AddVideo(const char* encoderName, int width, int height)
    {
        return AddStream(encoderName, [&](AVCodecContext* enc) {
            enc->width = width;
            enc->height = height;
            enc->pix_fmt = AV_PIX_FMT_YUV420P;
            enc->time_base = {1, 25};
            enc->gop_size = 12;
        });
    }

    void WriteHeader()
    {
        if (!(output->oformat->flags & AVFMT_NOFILE)) {
            ASSERT_GE(avio_open(&output->pb, path.c_str(), AVIO_FLAG_WRITE), 0);
        }
        ASSERT_GE(avformat_write_header(output.get(), nullptr), 0);
    }

    void Finish()
    {
        for (auto& ost : osts)
            steps->FlushEncoder(output.get(), *ost);
        ASSERT_GE(av_write_trailer(output.get()), 0);
        avio_closep(&output->pb);
    }

    // The packets of the written file's stream `index`, in file order.
    std::vector<test::media::PacketPtr> ReadBack(int index)
    {
        std::vector<test::media::PacketPtr> packets;
        AVFormatContext* raw = nullptr;
        const int opened = avformat_open_input(&raw, path.c_str(), nullptr, nullptr);
        EXPECT_GE(opened, 0) << path << ": " << test::media::ErrorText(opened) << " size "
                             << std::filesystem::file_size(path);
        if (opened < 0)
            return packets;
        test::media::InputFormatPtr input(raw);
        EXPECT_GE(avformat_find_stream_info(input.get(), nullptr), 0);
        for (;;) {
            test::media::PacketPtr packet(av_packet_alloc());
            if (av_read_frame(input.get(), packet.get()) < 0)
                break;
            if (packet->stream_index == index)
                packets.push_back(std::move(packet));
        }
        return packets;
    }

    static test::media::FramePtr AudioBlock(AVSampleFormat format, int rate, int channels, int samples,
                                            std::uint8_t fill = 0)
    {
        test::media::FramePtr frame(av_frame_alloc());
        frame->format = format;
        frame->sample_rate = rate;
        frame->nb_samples = samples;
        av_channel_layout_default(&frame->ch_layout, channels);
        EXPECT_GE(av_frame_get_buffer(frame.get(), 0), 0);
        for (int plane = 0; plane < 8 && frame->data[plane]; ++plane)
            std::memset(frame->data[plane], fill, std::size_t(frame->linesize[0]));
        return frame;
    }

    static test::media::FramePtr Picture(int width, int height, std::uint8_t luma = 100,
                                         AVPixelFormat format = AV_PIX_FMT_YUV420P)
    {
        test::media::FramePtr frame(av_frame_alloc());
        frame->format = format;
        frame->width = width;
        frame->height = height;
        EXPECT_GE(av_frame_get_buffer(frame.get(), 0), 0);
        for (int plane = 0; plane < 3 && frame->data[plane]; ++plane) {
            const int rows = plane == 0 ? height : (height + 1) / 2;
            std::memset(frame->data[plane], plane == 0 ? luma : 128, std::size_t(frame->linesize[plane]) * rows);
        }
        return frame;
    }

    TTestFolder folder;
    std::string path;
    test::media::OutputFormatPtr output;
    std::vector<test::media::CodecContextPtr> encoders;
    std::vector<std::unique_ptr<TAVOutputStream>> osts;
    test::media::InputFormatPtr inputContext; // only carries the input stream's record
    TAVInputStream ist;
    std::unique_ptr<TOutputSteps> steps;

private:
    std::vector<std::pair<TLogLevel, std::string>> logged_;
};

} // namespace tovrel::test
