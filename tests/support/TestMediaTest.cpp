#include "support/TestMedia.h"
#include "support/FFmpegHandles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <latch>
#include <map>
#include <thread>
#include <vector>

namespace tovrel::test::media {
namespace {

namespace fs = std::filesystem;

InputFormatPtr OpenMedia(const fs::path& file)
{
    AVFormatContext* raw = nullptr;
    if (avformat_open_input(&raw, file.c_str(), nullptr, nullptr) < 0)
        return nullptr;
    InputFormatPtr input(raw);
    if (avformat_find_stream_info(raw, nullptr) < 0)
        return nullptr;
    return input;
}

struct SizeRun {
    int width = 0;
    int height = 0;
    int firstFrame = 0;
    bool operator==(const SizeRun&) const = default;
};

// What decoding one stream from start to end yielded.
struct StreamResult {
    int pictures = 0;
    long long samples = 0;
    std::vector<SizeRun> sizes; // a new run each time the picture size changes
    bool dtsIncreasing = true;
    int64_t firstDts = AV_NOPTS_VALUE;
    int64_t lastDts = AV_NOPTS_VALUE;
};

class StreamDecoder {
public:
    explicit StreamDecoder(const AVStream& stream)
    {
        const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
        EXPECT_NE(codec, nullptr);
        if (!codec)
            return;
        context_.reset(avcodec_alloc_context3(codec));
        EXPECT_GE(avcodec_parameters_to_context(context_.get(), stream.codecpar), 0);
        EXPECT_GE(avcodec_open2(context_.get(), codec, nullptr), 0);
    }

    void Decode(const AVPacket* packet)
    {
        if (!context_)
            return;
        if (packet && packet->dts != AV_NOPTS_VALUE) {
            result_.dtsIncreasing = result_.dtsIncreasing && packet->dts > lastDts_;
            lastDts_ = packet->dts;
            if (result_.firstDts == AV_NOPTS_VALUE)
                result_.firstDts = packet->dts;
            result_.lastDts = packet->dts;
        }
        EXPECT_GE(avcodec_send_packet(context_.get(), packet), 0);
        while (avcodec_receive_frame(context_.get(), frame_.get()) >= 0) {
            Count(*frame_);
            av_frame_unref(frame_.get());
        }
    }

    const StreamResult& Result() const { return result_; }

private:
    void Count(const AVFrame& frame)
    {
        if (context_->codec_type == AVMEDIA_TYPE_AUDIO) {
            result_.samples += frame.nb_samples;
            return;
        }
        if (result_.sizes.empty() || result_.sizes.back().width != frame.width ||
            result_.sizes.back().height != frame.height)
            result_.sizes.push_back({frame.width, frame.height, result_.pictures});
        ++result_.pictures;
    }

    CodecContextPtr context_;
    FramePtr frame_{av_frame_alloc()};
    int64_t lastDts_ = AV_NOPTS_VALUE;
    StreamResult result_;
};

std::vector<StreamResult> DecodeAll(AVFormatContext& input)
{
    std::vector<std::unique_ptr<StreamDecoder>> decoders;
    for (unsigned i = 0; i < input.nb_streams; ++i)
        decoders.push_back(std::make_unique<StreamDecoder>(*input.streams[i]));
    PacketPtr packet(av_packet_alloc());
    while (av_read_frame(&input, packet.get()) >= 0) {
        decoders[packet->stream_index]->Decode(packet.get());
        av_packet_unref(packet.get());
    }
    std::vector<StreamResult> results;
    for (auto& decoder : decoders) {
        decoder->Decode(nullptr);
        results.push_back(decoder->Result());
    }
    return results;
}

AVCodecID EncoderCodecId(const std::string& encoder)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(encoder.c_str());
    return codec ? codec->id : AV_CODEC_ID_NONE;
}

// A cache folder of its own for tests that must start with nothing generated.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name)
        : path_(fs::temp_directory_path() / ("tovrel-support-" + std::to_string(::getpid()) + "-" + name))
    {
        fs::remove_all(path_);
    }
    ~ScratchFolder() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

    std::vector<fs::path> Files() const
    {
        std::vector<fs::path> files;
        if (fs::exists(path_))
            for (const auto& entry : fs::recursive_directory_iterator(path_))
                if (entry.is_regular_file())
                    files.push_back(entry.path());
        return files;
    }

private:
    fs::path path_;
};

class ClipFixtureTest : public testing::TestWithParam<Fixture> {};

TEST_P(ClipFixtureTest, HasTheRecipesStreamsAndDecodesWhole)
{
    const ClipSpec recipe = *FixtureClip(GetParam());
    const fs::path file = FixturePath(GetParam());
    EXPECT_EQ(file.filename().string(), recipe.fileName);
    const InputFormatPtr input = OpenMedia(file);
    ASSERT_NE(input, nullptr) << file;

    EXPECT_NEAR(static_cast<double>(input->duration) / AV_TIME_BASE, recipe.seconds, 0.25);
    const int videoStreams = recipe.videoCodec.empty() ? 0 : 1;
    ASSERT_EQ(input->nb_streams, static_cast<unsigned>(videoStreams + recipe.AudioStreamCount()));

    const std::vector<StreamResult> results = DecodeAll(*input);
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        SCOPED_TRACE("stream " + std::to_string(i));
        const AVCodecParameters& codecpar = *input->streams[i]->codecpar;
        const StreamResult& result = results[i];
        EXPECT_TRUE(result.dtsIncreasing);
        if (static_cast<int>(i) < videoStreams) {
            EXPECT_EQ(codecpar.codec_type, AVMEDIA_TYPE_VIDEO);
            EXPECT_EQ(codecpar.codec_id, EncoderCodecId(recipe.videoCodec));
            EXPECT_EQ(codecpar.width, recipe.width);
            EXPECT_EQ(codecpar.height, recipe.height);
            EXPECT_EQ(result.pictures, recipe.FrameCount());
            // One frame apart from first to last: a gap would shift every picture late.
            EXPECT_EQ(
                av_rescale_q(result.lastDts - result.firstDts, input->streams[i]->time_base, AVRational{1, recipe.fps}),
                recipe.FrameCount() - 1);
        } else {
            EXPECT_EQ(codecpar.codec_type, AVMEDIA_TYPE_AUDIO);
            EXPECT_EQ(codecpar.codec_id, EncoderCodecId(recipe.audioCodec));
            EXPECT_EQ(codecpar.ch_layout.nb_channels, recipe.channels);
            EXPECT_EQ(codecpar.sample_rate, recipe.sampleRate);
            // Encoder priming and padding may add up to a few frames.
            EXPECT_NEAR(result.samples, recipe.SampleCount(), recipe.sampleRate / 10);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ClipFixtureTest,
                         testing::Values(Fixture::Mpeg4Mp3Avi, Fixture::H264AacMp4, Fixture::Mp3Audio, Fixture::PcmWav,
                                         Fixture::SizeChange, Fixture::ManyStreams, Fixture::ChineseName,
                                         Fixture::KeyFrameEvery10),
                         [](const testing::TestParamInfo<Fixture>& info) {
                             return std::string(FixtureName(info.param));
                         });

TEST(TestMediaFixtures, SizeChangeClipDecodesAtBothSizes)
{
    const InputFormatPtr input = OpenMedia(FixturePath(Fixture::SizeChange));
    ASSERT_NE(input, nullptr);
    const std::vector<StreamResult> results = DecodeAll(*input);
    const std::vector<SizeRun> expected = {{320, 240, 0}, {176, 144, 25}};
    EXPECT_EQ(results.at(0).sizes, expected);
}

// Scans the video packets of an H.264 fixture: key frames sit exactly on the gop grid
// and B-frames make presentation order differ from decoding order.
TEST(TestMediaFixtures, H264ClipsKeepTheGopGridAndReorderFrames)
{
    for (const Fixture fixture : {Fixture::H264AacMp4, Fixture::KeyFrameEvery10}) {
        const ClipSpec recipe = *FixtureClip(fixture);
        SCOPED_TRACE(recipe.fileName);
        const InputFormatPtr input = OpenMedia(FixturePath(fixture));
        ASSERT_NE(input, nullptr);
        const AVStream& video = *input->streams[0];
        const int64_t startPts = video.start_time == AV_NOPTS_VALUE ? 0 : video.start_time;

        std::map<int64_t, bool> keyByFrame;
        bool reordered = false;
        int64_t highestPts = INT64_MIN;
        PacketPtr packet(av_packet_alloc());
        while (av_read_frame(input.get(), packet.get()) >= 0) {
            if (packet->stream_index == 0) {
                const int64_t frame = av_rescale_q(packet->pts - startPts, video.time_base, AVRational{1, recipe.fps});
                keyByFrame[frame] = (packet->flags & AV_PKT_FLAG_KEY) != 0;
                reordered = reordered || packet->pts < highestPts;
                highestPts = std::max(highestPts, packet->pts);
            }
            av_packet_unref(packet.get());
        }
        ASSERT_EQ(keyByFrame.size(), static_cast<size_t>(recipe.FrameCount()));
        for (const auto& [frame, key] : keyByFrame)
            EXPECT_EQ(key, frame % recipe.gop == 0) << "frame " << frame;
        EXPECT_TRUE(reordered);
    }
}

TEST(TestMediaFixtures, TruncatedFileIsTheFirstHalfAndEndsEarly)
{
    const fs::path source = FixturePath(Fixture::Mpeg4Mp3Avi);
    const fs::path truncated = FixturePath(Fixture::Truncated);
    EXPECT_EQ(fs::file_size(truncated), fs::file_size(source) / 2);

    const InputFormatPtr input = OpenMedia(truncated);
    ASSERT_NE(input, nullptr);
    const std::vector<StreamResult> results = DecodeAll(*input);
    EXPECT_GT(results.at(0).pictures, 0);
    EXPECT_LT(results.at(0).pictures, FixtureClip(Fixture::Mpeg4Mp3Avi)->FrameCount());
}

TEST(TestMediaFixtures, NotMediaFileIsTextThatDoesNotOpen)
{
    const fs::path file = FixturePath(Fixture::NotMedia);
    EXPECT_EQ(file.extension(), ".avi");
    std::ifstream in(file);
    std::string firstLine;
    std::getline(in, firstLine);
    EXPECT_EQ(firstLine, "This is a plain text file wearing a media file name.");

    EXPECT_EQ(OpenMedia(file), nullptr);
}

TEST(TestMediaCache, ConcurrentRequestsYieldOneValidFile)
{
    const ScratchFolder folder("concurrent");
    const ClipSpec recipe{.fileName = "race.avi",
                          .formatName = "avi",
                          .videoCodec = "mpeg4",
                          .audioCodec = "libmp3lame",
                          .width = 160,
                          .height = 120,
                          .seconds = 0.4};
    constexpr int kThreads = 4;
    std::latch start(kThreads);
    std::vector<fs::path> paths(kThreads);
    std::vector<std::string> errors(kThreads);
    {
        std::vector<std::jthread> threads;
        for (int i = 0; i < kThreads; ++i) {
            threads.emplace_back([&, i] {
                start.arrive_and_wait();
                try {
                    paths[i] = ClipPath(recipe, folder.Path());
                } catch (const std::exception& error) {
                    errors[i] = error.what();
                }
            });
        }
    }
    for (int i = 0; i < kThreads; ++i) {
        EXPECT_EQ(errors[i], "");
        EXPECT_EQ(paths[i], paths[0]);
    }
    EXPECT_EQ(folder.Files(), std::vector<fs::path>{paths[0]}); // no temporary left behind

    const InputFormatPtr input = OpenMedia(paths[0]);
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(DecodeAll(*input).at(0).pictures, recipe.FrameCount());
}

TEST(TestMediaCache, BadRecipesFailClearlyAndLeaveNothingBehind)
{
    struct Case {
        ClipSpec recipe;
        std::string messagePart;
    };
    const std::vector<Case> cases = {
        {{.fileName = "a.avi", .formatName = "avi", .videoCodec = "no_such_encoder"}, "\"no_such_encoder\" is missing"},
        {{.fileName = "b.avi", .formatName = "no_such_format", .videoCodec = "mpeg4"}, "\"no_such_format\""},
        {{.fileName = "c.mp4",
          .formatName = "mp4",
          .videoCodec = "mpeg4",
          .sizeChange = SizeChange{.atFrame = 5, .width = 160, .height = 120}},
         "cannot change size mid-stream"},
        {{.fileName = "d.mp3", .formatName = "mp3", .audioCodec = "mpeg4"}, "\"mpeg4\" encodes video, not audio"},
    };
    const ScratchFolder folder("bad-recipes");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.recipe.fileName);
        try {
            ClipPath(c.recipe, folder.Path());
            ADD_FAILURE() << "no error";
        } catch (const TestMediaError& error) {
            EXPECT_NE(std::string(error.what()).find(c.messagePart), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(folder.Files(), std::vector<fs::path>{});
}

} // namespace
} // namespace tovrel::test::media
