// End-to-end runs of the media transcoder through the task component: real
// conversions of generated clips, reopened and checked.
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/engine/FFmpegOptions.h"
#include "media/engine/FFmpegTasks.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

using test::media::Fixture;

struct TStreamFacts {
    AVMediaType type = AVMEDIA_TYPE_UNKNOWN;
    std::string codec;
    int packets = 0;
};

struct TFileFacts {
    bool opened = false;
    std::int64_t duration = 0; // microseconds
    std::vector<TStreamFacts> streams;

    const TStreamFacts* Of(AVMediaType type) const
    {
        for (const TStreamFacts& stream : streams)
            if (stream.type == type)
                return &stream;
        return nullptr;
    }
};

// Reopens a file and reads every packet of it.
TFileFacts ReadFacts(const std::string& fileName)
{
    TFileFacts facts;
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return facts;
    if (FF.avformat_find_stream_info(context, nullptr) >= 0) {
        facts.opened = true;
        facts.duration = context->duration;
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            const AVCodecParameters* par = context->streams[i]->codecpar;
            const AVCodecDescriptor* descriptor = avcodec_descriptor_get(par->codec_id);
            facts.streams.push_back({par->codec_type, descriptor ? descriptor->name : "", 0});
        }
        AVPacket* packet = FF.av_packet_alloc();
        while (FF.av_read_frame(context, packet) >= 0) {
            ++facts.streams[static_cast<std::size_t>(packet->stream_index)].packets;
            FF.av_packet_unref(packet);
        }
        FF.av_packet_free(&packet);
    }
    FF.avformat_close_input(&context);
    return facts;
}

// A clip of `seconds` with one video and one audio stream.
test::media::ClipSpec Clip(const std::string& fileName, const std::string& format, const std::string& videoCodec,
                           const std::string& audioCodec, double seconds)
{
    test::media::ClipSpec recipe;
    recipe.fileName = fileName;
    recipe.formatName = format;
    recipe.videoCodec = videoCodec;
    recipe.audioCodec = audioCodec;
    recipe.seconds = seconds;
    return recipe;
}

class TranscodeTest : public TMediaJobTest {
protected:
    void SetUp() override
    {
        TMediaJobTest::SetUp();
        InstallMediaTranscoder();
        tasks_.SetTriggerEventInMainThread(true);
        tasks_.OnTerminate = [this](TCustomFFmpegTasks*, const TTerminateInfo& info) { records_.push_back(info); };
    }

    int Add(const std::string& input, const std::string& output, const TOutputOptions& options)
    {
        const int task = tasks_.AddTask(input, static_cast<TInputOptions*>(nullptr));
        EXPECT_GE(task, 0) << tasks_.LastErrMsg();
        TOutputOptions copy = options;
        EXPECT_TRUE(tasks_.SetOutputFile(task, output, &copy)) << tasks_.LastErrMsg();
        return task;
    }

    static TOutputOptions Options(const std::string& videoCodec = "", const std::string& audioCodec = "",
                                  const std::string& ext = "")
    {
        TOutputOptions options;
        InitOutputOptions(options);
        options.VideoCodec = videoCodec;
        options.AudioCodec = audioCodec;
        options.ExtOptions = ext;
        // The program's libx264 profiles all name this preset.
        if (videoCodec == "libx264")
            options.VideoPreset = "libx264-default";
        return options;
    }

    // Runs the batch in `threads` workers and waits for its final record.
    void RunBatch(int threads)
    {
        tasks_.Start(threads);
        ASSERT_TRUE(TMainThread::WaitPumping([&] { return Record(-1) != nullptr; }));
    }

    const TTerminateInfo* Record(int task) const
    {
        for (const TTerminateInfo& record : records_)
            if (record.TaskIndex == task)
                return &record;
        return nullptr;
    }

    void ExpectFinished(int task)
    {
        const TTerminateInfo* record = Record(task);
        ASSERT_NE(record, nullptr);
        EXPECT_TRUE(record->Finished) << record->ExceptionMsg;
        EXPECT_FALSE(record->Exception) << record->ExceptionMsg;
    }

    static constexpr Fixture kJoinedInputs[] = {Fixture::Mpeg4Mp3Avi, Fixture::ChineseName};

    // Joins the two inputs into `output` and runs the task to its end.
    void RunJoin(const std::string& output, TOutputOptions options)
    {
        RunJoin(output, std::move(options), PathOf(kJoinedInputs[0]), PathOf(kJoinedInputs[1]));
    }
    void RunJoin(const std::string& output, TOutputOptions options, const std::string& first, const std::string& second)
    {
        const int task = tasks_.AddTask(first, static_cast<TInputOptions*>(nullptr));
        ASSERT_GE(task, 0) << tasks_.LastErrMsg();
        ASSERT_TRUE(tasks_.AddInputFile(task, second, static_cast<TInputOptions*>(nullptr))) << tasks_.LastErrMsg();
        options.Join = true;
        ASSERT_TRUE(tasks_.SetOutputFile(task, output, &options)) << tasks_.LastErrMsg();
        RunBatch(1);
        ExpectFinished(task);
    }

    TTestFolder folder_;
    std::vector<TTerminateInfo> records_;
    TFFmpegTasks tasks_;
};

struct TConversion {
    Fixture input;
    const char* output;
    const char* videoCodec; // option value; empty: the format's default
    const char* audioCodec;
    const char* expectedVideo;
    const char* expectedAudio;
};

class TranscodeConversionTest : public TranscodeTest, public ::testing::WithParamInterface<TConversion> {};

// The output reopens with the input's streams, the expected codecs, every
// video frame (one either way) and the input's duration within a frame.
TEST_P(TranscodeConversionTest, ConvertsAndReopensWithTheInputsDurationAndFrames)
{
    const TConversion c = GetParam();
    const std::string output = folder_.Path(c.output);
    const int task = Add(PathOf(c.input), output, Options(c.videoCodec, c.audioCodec));
    RunBatch(1);
    ExpectFinished(task);

    const TFileFacts in = ReadFacts(PathOf(c.input));
    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    ASSERT_EQ(out.streams.size(), 2u);
    ASSERT_NE(out.Of(AVMEDIA_TYPE_VIDEO), nullptr);
    ASSERT_NE(out.Of(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_EQ(out.Of(AVMEDIA_TYPE_VIDEO)->codec, c.expectedVideo);
    EXPECT_EQ(out.Of(AVMEDIA_TYPE_AUDIO)->codec, c.expectedAudio);
    EXPECT_NEAR(out.Of(AVMEDIA_TYPE_VIDEO)->packets, in.Of(AVMEDIA_TYPE_VIDEO)->packets, 1);
    EXPECT_NEAR(static_cast<double>(out.duration), static_cast<double>(in.duration), 40000.0);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, TranscodeConversionTest,
    ::testing::Values(TConversion{Fixture::Mpeg4Mp3Avi, "out.avi", "mpeg4", "libmp3lame", "mpeg4", "mp3"},
                      TConversion{Fixture::H264AacMp4, "out.mp4", "libx264", "aac", "h264", "aac"},
                      TConversion{Fixture::H264AacMp4, "copied.mkv", "copy", "copy", "h264", "aac"},
                      TConversion{Fixture::Mpeg4Mp3Avi, "copied.avi", "copy", "copy", "mpeg4", "mp3"},
                      TConversion{Fixture::SizeChange, "resized.avi", "mpeg4", "libmp3lame", "mpeg4", "mp3"}));

// Join: the second input's timestamps continue where the first one's output
// stopped, in one file with one header and one trailer.
TEST_F(TranscodeTest, JoinedInputsFollowOneAnother)
{
    const std::string output = folder_.Path("joined.avi");
    RunJoin(output, Options("mpeg4", "libmp3lame"));

    const TFileFacts first = ReadFacts(PathOf(kJoinedInputs[0]));
    const TFileFacts second = ReadFacts(PathOf(kJoinedInputs[1]));
    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    ASSERT_EQ(out.streams.size(), 2u);
    EXPECT_NEAR(out.Of(AVMEDIA_TYPE_VIDEO)->packets,
                first.Of(AVMEDIA_TYPE_VIDEO)->packets + second.Of(AVMEDIA_TYPE_VIDEO)->packets, 2);
    EXPECT_NEAR(static_cast<double>(out.duration), static_cast<double>(first.duration + second.duration), 80000.0);
}

// The presentation times of a file's video packets, in microseconds, in file order.
std::vector<std::int64_t> VideoTimes(const std::string& fileName)
{
    std::vector<std::int64_t> times;
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0)
        return times;
    const int stream = FF.avformat_find_stream_info(context, nullptr) < 0
                           ? -1
                           : FF.av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    AVPacket* packet = FF.av_packet_alloc();
    while (stream >= 0 && FF.av_read_frame(context, packet) >= 0) {
        if (packet->stream_index == stream)
            times.push_back(FF.av_rescale_q(packet->pts, context->streams[stream]->time_base, AVRational{1, 1000000}));
        FF.av_packet_unref(packet);
    }
    FF.av_packet_free(&packet);
    FF.avformat_close_input(&context);
    return times;
}

// Copied pictures joined: the second input's first picture comes a picture
// after the first input's last one, as the first's own times would have it.
TEST_F(TranscodeTest, CopiedPicturesJoinAPictureApart)
{
    const std::string input = test::media::ClipPath(Clip("pictures_only.mkv", "matroska", "mpeg4", "", 1.0)).string();
    const std::string output = folder_.Path("joined.mkv");
    RunJoin(output, Options("copy", ""), input, input);
    const std::vector<std::int64_t> times = VideoTimes(output);
    ASSERT_EQ(times.size(), 2 * VideoTimes(input).size());
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_NEAR(static_cast<double>(times[i] - times[i - 1]), 40000.0, 2000.0) << "picture " << i;
}

struct TDecodedVideo {
    int frames = 0;
    int errors = 0;
    int width = 0, height = 0; // of the first picture
    bool oneSize = true;       // every picture has that size
};

// Decodes every video packet of a file, any damage counting as an error
// rather than being concealed.
TDecodedVideo DecodeVideo(const std::string& fileName)
{
    TDecodedVideo decoded;
    AVFormatContext* context = nullptr;
    if (FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr) < 0) {
        decoded.errors = 1;
        return decoded;
    }
    const AVCodec* decoder = nullptr;
    const int stream = FF.avformat_find_stream_info(context, nullptr) < 0
                           ? -1
                           : FF.av_find_best_stream(context, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    AVCodecContext* codec = stream >= 0 ? FF.avcodec_alloc_context3(decoder) : nullptr;
    AVPacket* packet = FF.av_packet_alloc();
    AVFrame* frame = FF.av_frame_alloc();
    if (codec && FF.avcodec_parameters_to_context(codec, context->streams[stream]->codecpar) >= 0) {
        codec->err_recognition = AV_EF_EXPLODE | AV_EF_CRCCHECK | AV_EF_BITSTREAM;
        codec->thread_count = 1;
        if (FF.avcodec_open2(codec, decoder, nullptr) >= 0) {
            auto receive = [&] {
                for (int result = 0; result >= 0;) {
                    result = FF.avcodec_receive_frame(codec, frame);
                    if (result >= 0) {
                        decoded.frames += (frame->decode_error_flags == 0 && !(frame->flags & AV_FRAME_FLAG_CORRUPT));
                        if (decoded.width == 0) {
                            decoded.width = frame->width;
                            decoded.height = frame->height;
                        }
                        decoded.oneSize =
                            decoded.oneSize && frame->width == decoded.width && frame->height == decoded.height;
                    } else if (result != AVERROR(EAGAIN) && result != AVERROR_EOF)
                        ++decoded.errors;
                    FF.av_frame_unref(frame);
                }
            };
            while (FF.av_read_frame(context, packet) >= 0) {
                if (packet->stream_index == stream) {
                    if (FF.avcodec_send_packet(codec, packet) < 0)
                        ++decoded.errors;
                    receive();
                }
                FF.av_packet_unref(packet);
            }
            FF.avcodec_send_packet(codec, nullptr);
            receive();
        }
    } else {
        ++decoded.errors;
    }
    FF.av_frame_free(&frame);
    FF.av_packet_free(&packet);
    FF.avcodec_free_context(&codec);
    FF.avformat_close_input(&context);
    return decoded;
}

class TranscodeJoinTest : public TranscodeTest, public ::testing::WithParamInterface<const char*> {};

// Joined with an encoder whose header lives in the container, the file keeps
// one header for both inputs: every frame decodes, none is lost or doubled.
TEST_P(TranscodeJoinTest, EveryFrameOfTheJoinedOutputDecodes)
{
    const std::string output = folder_.Path(GetParam());
    RunJoin(output, Options("libx264", "aac"));

    const TDecodedVideo first = DecodeVideo(PathOf(kJoinedInputs[0]));
    const TDecodedVideo second = DecodeVideo(PathOf(kJoinedInputs[1]));
    const TDecodedVideo out = DecodeVideo(output);
    ASSERT_EQ(first.errors + second.errors, 0);
    EXPECT_EQ(out.errors, 0);
    EXPECT_EQ(out.frames, first.frames + second.frames);
}

INSTANTIATE_TEST_SUITE_P(Containers, TranscodeJoinTest, ::testing::Values("joined.mp4", "joined.mkv"),
                         [](const auto& info) { return std::string(info.param).substr(7); });

struct TJoinFormatCase {
    const char* name;
    const char* filters; // the user's video filters
    int width, height;   // of the output's pictures
};

void PrintTo(const TJoinFormatCase& joinCase, std::ostream* out)
{
    *out << joinCase.name;
}

class TranscodeJoinFormatsTest : public TranscodeTest, public ::testing::WithParamInterface<TJoinFormatCase> {};

// Inputs of different picture sizes and sound formats joined: the encoders keep
// the first input's format (through the user's filters), and the second input
// is fitted to it.
TEST_P(TranscodeJoinFormatsTest, TheSecondInputIsFittedToTheFirst)
{
    const test::media::ClipSpec first = Clip("join_first.mp4", "mp4", "mpeg4", "aac", 1.0);
    test::media::ClipSpec second = first;
    second.fileName = "join_second.mp4";
    second.width = 176;
    second.height = 144;
    second.sampleRate = 22050;
    second.channels = 1;
    const std::string output = folder_.Path("joined.mp4");
    TOutputOptions options = Options("libx264", "aac");
    options.VideoFilters = GetParam().filters;
    RunJoin(output, options, test::media::ClipPath(first).string(), test::media::ClipPath(second).string());

    const TDecodedVideo out = DecodeVideo(output);
    EXPECT_EQ(out.errors, 0);
    EXPECT_EQ(out.frames, first.FrameCount() + second.FrameCount());
    EXPECT_EQ(out.width, GetParam().width);
    EXPECT_EQ(out.height, GetParam().height);
    EXPECT_TRUE(out.oneSize);
    const TFileFacts facts = ReadFacts(output);
    ASSERT_TRUE(facts.opened);
    EXPECT_NEAR(static_cast<double>(facts.duration), (first.seconds + second.seconds) * 1000000.0, 100000.0);
    // Sound at the first input's rate, in frames of 1024 samples, for both inputs.
    ASSERT_NE(facts.Of(AVMEDIA_TYPE_AUDIO), nullptr);
    EXPECT_NEAR(facts.Of(AVMEDIA_TYPE_AUDIO)->packets, (first.seconds + second.seconds) * first.sampleRate / 1024, 4);
}

INSTANTIATE_TEST_SUITE_P(Filters, TranscodeJoinFormatsTest,
                         ::testing::Values(TJoinFormatCase{"None", "", 320, 240},
                                           TJoinFormatCase{"HalfSize", "scale=iw/2:ih/2", 160, 120}),
                         [](const auto& info) { return std::string(info.param.name); });

// The output's time length stops every stream at the limit.
TEST_F(TranscodeTest, TheTimeLengthEndsTheOutput)
{
    const std::string output = folder_.Path("short.avi");
    TOutputOptions options = Options("mpeg4", "libmp3lame");
    options.TimeLength = 1000000;
    const int task = Add(PathOf(Fixture::Mpeg4Mp3Avi), output, options);
    RunBatch(1);
    ExpectFinished(task);
    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    EXPECT_NEAR(out.Of(AVMEDIA_TYPE_VIDEO)->packets, 25, 1);
    // Audio ends with a whole MP3 frame (26 ms) of the input.
    EXPECT_NEAR(static_cast<double>(out.duration), 1000000.0, 40000.0 + 26123.0);
}

// The 32-bit little-endian number at `offset`.
std::uint32_t ReadLittleEndian(const std::vector<char>& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[offset + static_cast<std::size_t>(i)]);
    return value;
}

// Copies an ASF file, flipping one byte of the presentation time (ms, after the
// preroll) of the first payload in the 40 ms from `atMs`, the way a damaged disk
// or transfer would, so the header's duration still tells the real length.
std::string DamageAsfTime(const std::string& source, const std::string& target, std::uint32_t atMs)
{
    std::ifstream in(source, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The file properties object; its preroll (ms) is 80 bytes into it.
    const std::string properties("\xA1\xDC\xAB\x8C\x47\xA9\xCF\x11\x8E\xE4\x00\xC0\x0C\x20\x53\x65", 16);
    const auto found = std::search(bytes.begin(), bytes.end(), properties.begin(), properties.end());
    if (found == bytes.end())
        return "no file properties object";
    const std::uint32_t stored = atMs + ReadLittleEndian(bytes, static_cast<std::size_t>(found - bytes.begin()) + 80);
    // A payload's replicated data: its length (8), the object's size, its time.
    for (std::size_t i = 5; i + 4 <= bytes.size(); ++i) {
        if (bytes[i - 5] != 8 || ReadLittleEndian(bytes, i) - stored >= 40)
            continue;
        bytes[i + 2] = static_cast<char>(0x97); // about 2 3/4 hours on
        std::ofstream(target, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return {};
    }
    return "no payload at the time";
}

// One packet whose time stamp was damaged to hours past the end of a 6-second
// file is re-timed from its neighbours, not taken as a gap to fill with
// repeated pictures: the output keeps the file's real length and size.
TEST_F(TranscodeTest, ADamagedTimeStampFarPastTheEndIsNotAGap)
{
    const std::string clean = test::media::ClipPath(Clip("six_seconds.wmv", "asf", "wmv2", "wmav2", 6.0)).string();
    const std::string damaged = folder_.Path("damaged.wmv");
    ASSERT_EQ(DamageAsfTime(clean, damaged, 2800), "");

    // No time limit: it would drop the damaged packet by itself.
    const TOutputOptions options = Options("mpeg4", "libmp3lame");
    const int cleanTask = Add(clean, folder_.Path("clean.avi"), options);
    const int damagedTask = Add(damaged, folder_.Path("damaged.avi"), options);
    RunBatch(1);
    ExpectFinished(cleanTask);
    ExpectFinished(damagedTask);
    const TFileFacts out = ReadFacts(folder_.Path("damaged.avi"));
    ASSERT_TRUE(out.opened);
    EXPECT_NEAR(static_cast<double>(out.duration), 6000000.0, 1000000.0);
    EXPECT_NEAR(out.Of(AVMEDIA_TYPE_VIDEO)->packets, 150, 2);
    EXPECT_LT(std::filesystem::file_size(folder_.Path("damaged.avi")),
              std::filesystem::file_size(folder_.Path("clean.avi")) * 11 / 10);
    EXPECT_GE(LineIndex(llWarning, "outside the file"), 0);
}

std::size_t LineCount(const std::string& fileName)
{
    std::ifstream file(fileName);
    std::size_t lines = 0;
    for (std::string line; std::getline(file, line);)
        ++lines;
    return lines;
}

// Two tasks run both passes at once; each keeps its log beside its own output
// and reads it back in pass 2.
TEST_F(TranscodeTest, TwoPassTasksRunningAtOnceKeepTheirOwnLogs)
{
    const Fixture inputs[] = {Fixture::Mpeg4Mp3Avi, Fixture::ChineseName};
    const std::string outputs[] = {folder_.Path("a.avi"), folder_.Path("b.avi")};
    for (const char* pass : {"pass=1", "pass=2"}) {
        records_.clear();
        tasks_.ClearTasks();
        for (int i = 0; i < 2; ++i) {
            TOutputOptions options = Options("mpeg4", "libmp3lame", pass);
            options.VideoBitrate = 1000000;
            Add(PathOf(inputs[i]), outputs[i], options);
        }
        RunBatch(2);
        ExpectFinished(0);
        ExpectFinished(1);
    }
    for (int i = 0; i < 2; ++i) {
        const TFileFacts in = ReadFacts(PathOf(inputs[i]));
        // One line of statistics per encoded frame.
        EXPECT_EQ(LineCount(outputs[i] + ".ffmpeg2pass-0.log"),
                  static_cast<std::size_t>(in.Of(AVMEDIA_TYPE_VIDEO)->packets));
        EXPECT_NEAR(ReadFacts(outputs[i]).Of(AVMEDIA_TYPE_VIDEO)->packets, in.Of(AVMEDIA_TYPE_VIDEO)->packets, 1);
    }
}

// libx264 keeps its own two-pass log: it gets the name beside the output,
// never its default in the working folder.
TEST_F(TranscodeTest, Libx264KeepsItsTwoPassLogBesideTheOutput)
{
    const std::string output = folder_.Path("x264.mp4");
    for (const char* pass : {"pass=1", "pass=2"}) {
        records_.clear();
        tasks_.ClearTasks();
        TOutputOptions options = Options("libx264", "aac", pass);
        options.VideoBitrate = 300000;
        Add(PathOf(Fixture::H264AacMp4), output, options);
        RunBatch(1);
        ExpectFinished(0);
    }
    EXPECT_GT(std::filesystem::file_size(output + ".ffmpeg2pass-0.log"), 0u);
    EXPECT_FALSE(std::filesystem::exists("x264_2pass.log"));
    EXPECT_NEAR(ReadFacts(output).Of(AVMEDIA_TYPE_VIDEO)->packets,
                ReadFacts(PathOf(Fixture::H264AacMp4)).Of(AVMEDIA_TYPE_VIDEO)->packets, 1);
}

// The size limit ends the run once the output has grown past it.
TEST_F(TranscodeTest, TheSizeLimitEndsTheRun)
{
    const std::string output = folder_.Path("limited.avi");
    const int task = Add(PathOf(Fixture::Mpeg4Mp3Avi), output, Options("mpeg4", "libmp3lame", "fs=30000"));
    RunBatch(1);
    ExpectFinished(task);
    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    EXPECT_GT(std::filesystem::file_size(output), 30000u);
    EXPECT_LT(out.Of(AVMEDIA_TYPE_VIDEO)->packets,
              ReadFacts(PathOf(Fixture::Mpeg4Mp3Avi)).Of(AVMEDIA_TYPE_VIDEO)->packets);
}

// A one-picture-a-second clip converted at 25 pictures a second: each packet
// read makes 25 pictures, yet the output stops within a picture of the limit.
TEST_F(TranscodeTest, TheSizeLimitHoldsWithinOnePacketsPictures)
{
    test::media::ClipSpec recipe = Clip("one_a_second.avi", "avi", "mpeg4", "", 6);
    recipe.fps = 1;
    recipe.gop = 1;
    const std::string output = folder_.Path("limited.avi");
    constexpr std::uintmax_t limit = 30000;
    const int task = Add(test::media::ClipPath(recipe).string(), output,
                         Options("mpeg4", "", "fs=" + std::to_string(limit) + "\nr=25\nintra=1"));
    RunBatch(1);
    ExpectFinished(task);
    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    const std::uintmax_t size = std::filesystem::file_size(output);
    const std::uintmax_t picture = size / static_cast<std::uintmax_t>(out.Of(AVMEDIA_TYPE_VIDEO)->packets);
    EXPECT_GT(size, limit);
    EXPECT_LT(size, limit + 2 * picture) << out.Of(AVMEDIA_TYPE_VIDEO)->packets << " pictures";
}

// The AVI fixture remuxed into Matroska with chapters at the given times
// (ms), without its first `skippedVideo` video packets.
std::string Remux(const std::string& fileName, const std::vector<std::pair<int, int>>& chapters, int skippedVideo = 0)
{
    AVFormatContext* input = nullptr;
    AVFormatContext* output = nullptr;
    if (FF.avformat_open_input(&input, test::media::FixturePath(Fixture::Mpeg4Mp3Avi).c_str(), nullptr, nullptr) < 0 ||
        FF.avformat_find_stream_info(input, nullptr) < 0 ||
        FF.avformat_alloc_output_context2(&output, nullptr, "matroska", fileName.c_str()) < 0)
        return "cannot open";
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        AVStream* stream = FF.avformat_new_stream(output, nullptr);
        FF.avcodec_parameters_copy(stream->codecpar, input->streams[i]->codecpar);
        stream->codecpar->codec_tag = 0;
    }
    for (std::size_t c = 0; c < chapters.size(); ++c) {
        auto* chapter = static_cast<AVChapter*>(FF.av_mallocz(sizeof(AVChapter)));
        chapter->id = static_cast<std::int64_t>(c + 1);
        chapter->time_base = AVRational{1, 1000};
        chapter->start = chapters[c].first;
        chapter->end = chapters[c].second;
        output->chapters =
            static_cast<AVChapter**>(FF.av_realloc(output->chapters, sizeof(AVChapter*) * (output->nb_chapters + 1)));
        output->chapters[output->nb_chapters++] = chapter;
    }
    if (FF.avio_open2(&output->pb, fileName.c_str(), AVIO_FLAG_WRITE, nullptr, nullptr) < 0 ||
        FF.avformat_write_header(output, nullptr) < 0) {
        FF.avio_closep(&output->pb);
        FF.avformat_free_context(output);
        FF.avformat_close_input(&input);
        return "cannot write";
    }
    AVPacket* packet = FF.av_packet_alloc();
    while (FF.av_read_frame(input, packet) >= 0) {
        if (input->streams[packet->stream_index]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && skippedVideo-- > 0) {
            FF.av_packet_unref(packet);
            continue;
        }
        FF.av_packet_rescale_ts(packet, input->streams[packet->stream_index]->time_base,
                                output->streams[packet->stream_index]->time_base);
        packet->pos = -1;
        FF.av_interleaved_write_frame(output, packet);
    }
    FF.av_packet_free(&packet);
    FF.av_write_trailer(output);
    FF.avio_closep(&output->pb);
    FF.avformat_free_context(output);
    FF.avformat_close_input(&input);
    return "";
}

// Chapters follow into the output, cut at its time length: one crossing the
// end ends there, one starting after it is left out.
TEST_F(TranscodeTest, ChaptersAreCopiedAndCutAtTheTimeLength)
{
    const std::string input = folder_.Path("chapters.mkv");
    ASSERT_EQ(Remux(input, {{0, 500}, {500, 1500}, {1500, 2000}}), "");
    const std::string output = folder_.Path("chapters-out.mkv");
    TOutputOptions options = Options("mpeg4", "libmp3lame");
    options.TimeLength = 1000000;
    const int task = Add(input, output, options);
    RunBatch(1);
    ExpectFinished(task);

    AVFormatContext* context = nullptr;
    ASSERT_GE(FF.avformat_open_input(&context, output.c_str(), nullptr, nullptr), 0);
    ASSERT_EQ(context->nb_chapters, 2u);
    const auto milliseconds = [](const AVChapter* chapter, std::int64_t time) {
        return FF.av_rescale_q(time, chapter->time_base, AVRational{1, 1000});
    };
    EXPECT_EQ(milliseconds(context->chapters[0], context->chapters[0]->end), 500);
    EXPECT_EQ(milliseconds(context->chapters[1], context->chapters[1]->start), 500);
    EXPECT_EQ(milliseconds(context->chapters[1], context->chapters[1]->end), 1000);
    FF.avformat_close_input(&context);
}

// A copied video stream that starts between key frames begins at its first
// key frame, unless initial non-key frames are asked for.
TEST_F(TranscodeTest, StreamCopyStartsAtAKeyFrame)
{
    const std::string input = folder_.Path("late-start.mkv");
    ASSERT_EQ(Remux(input, {}, 3), "");
    const int frames = ReadFacts(input).Of(AVMEDIA_TYPE_VIDEO)->packets;
    const int gop = test::media::FixtureClip(Fixture::Mpeg4Mp3Avi)->gop;
    const struct {
        const char* option;
        int expected;
    } cases[] = {{"", frames - (gop - 3)}, {"copyinkf=1", frames}};
    for (const auto& c : cases) {
        records_.clear();
        tasks_.ClearTasks();
        const std::string output = folder_.Path(std::string("copy") + c.option + ".mkv");
        Add(input, output, Options("copy", "copy", c.option));
        RunBatch(1);
        ExpectFinished(0);
        EXPECT_EQ(ReadFacts(output).Of(AVMEDIA_TYPE_VIDEO)->packets, c.expected) << c.option;
    }
}

// Stop from the custom hook at frame 10: the loop ends after that packet,
// the trailer is written and the task is not finished.
TEST_F(TranscodeTest, StopMidRunLeavesAPlayableFile)
{
    TOutputOptions options = Options("mpeg4", "libmp3lame");
    options.CustomHook = true;
    const std::string output = folder_.Path("stopped.avi");
    const int task = Add(PathOf(Fixture::Mpeg4Mp3Avi), output, options);
    tasks_.OnCustomHook = [this, task](TCustomFFmpegTasks*, THookInfo* info) {
        if (info->FrameNumber == 10)
            tasks_.Task(task)->Stop(false);
    };
    RunBatch(1);
    const TTerminateInfo* record = Record(task);
    ASSERT_NE(record, nullptr);
    EXPECT_FALSE(record->Finished);
    EXPECT_FALSE(record->Exception) << record->ExceptionMsg;

    const TFileFacts out = ReadFacts(output);
    ASSERT_TRUE(out.opened);
    ASSERT_NE(out.Of(AVMEDIA_TYPE_VIDEO), nullptr);
    EXPECT_GE(out.Of(AVMEDIA_TYPE_VIDEO)->packets, 5);
    EXPECT_LT(out.Of(AVMEDIA_TYPE_VIDEO)->packets,
              ReadFacts(PathOf(Fixture::Mpeg4Mp3Avi)).Of(AVMEDIA_TYPE_VIDEO)->packets);
    EXPECT_GT(out.duration, 0);
}

using TOptionPairs = std::vector<std::pair<const char*, const char*>>;

// A job converting the AVI fixture in the caller, with options given before its output opens.
class TRunInCallerTest : public TMediaJobTest {
protected:
    void ConvertInCaller(const std::string& output, const TOptionPairs& options)
    {
        OpenInput(Fixture::Mpeg4Mp3Avi);
        for (const auto& [name, value] : options)
            job->ParseOption(name, value);
        ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
        EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    }
    TTestFolder folder;
};

struct TRunFailure {
    TOptionPairs options;
    std::string message; // "<log>": the output's two-pass log name
};

class TranscodeFailureTest : public TRunInCallerTest, public ::testing::WithParamInterface<TRunFailure> {};

// A run that cannot start ends the job with its message, and every codec,
// table and file of the run is released (the sanitizer build checks leaks).
// A file already at the output's path stays as it was: the run never opened it.
TEST_P(TranscodeFailureTest, EndsWithItsMessage)
{
    const TRunFailure c = GetParam();
    const std::string output = folder.Path("out.avi");
    std::ofstream(output) << "the user's own file";
    ConvertInCaller(output, c.options);
    std::ifstream kept(output);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "the user's own file");
    EXPECT_TRUE(job->FatalException());
    EXPECT_FALSE(job->Finished());
    std::string expected = c.message;
    if (const auto at = expected.find("<log>"); at != std::string::npos)
        expected.replace(at, 5, output + ".ffmpeg2pass-0.log");
    EXPECT_EQ(job->FatalMessage(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TranscodeFailureTest,
    ::testing::Values(
        TRunFailure{{{"map", "0.0"}}, "Number of stream maps must match number of output streams"},
        TRunFailure{{{"map", "0.5"}, {"map", "0.1"}}, "Could not find input stream #0.5"},
        TRunFailure{{{"map", "0.1"}, {"map", "0.0"}}, "Codec type mismatch for mapping #0.1 (Audio) -> #0.0 (Video)"},
        TRunFailure{{{"acodec", "copy"}, {"vol", "512"}},
                    "-acodec copy and -vol are incompatible (frames are not decoded)"},
        TRunFailure{{{"vf", "scale=160:120,nosuchfilter"}}, "Error opening filters!"},
        TRunFailure{{{"map_meta_data", "1:0"}}, "Invalid output file index 1 map_meta_data(1,0)"},
        TRunFailure{{{"pass", "2"}}, "Cannot read file: Error reading log file \"<log>\" for pass-2 encoding"},
        TRunFailure{{{"vcodec", "h263"}},
                    "Error while opening encoder for output stream #0.0 (Video) - maybe incorrect parameters such as "
                    "bit_rate, rate, width or height. Please check error log message to find out more detail "
                    "information."}));

// Caps the size of files this process writes while it lives; a write beyond
// it fails with EFBIG, as a full disk fails with ENOSPC.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

struct TDiskFull {
    const char* name;
    const char* output;
    bool midRun; // half the whole file fits, else all but its last bytes
};

class TranscodeDiskFullTest : public TRunInCallerTest, public ::testing::WithParamInterface<TDiskFull> {};

// A run whose writes fail, the last one (the index) included, fails with the
// system's reason as soon as a write fails, and leaves no unplayable file
// behind.
TEST_P(TranscodeDiskFullTest, FailsAndRemovesItsOutput)
{
    const TDiskFull c = GetParam();
    // Packets reach the disk as they are written, as they do once a file
    // outgrows the library's write buffer (these outputs are smaller).
    const TOptionPairs options{{"flush_packets", "1"}};
    const std::string whole = folder.Path(std::string("whole-") + c.output);
    ConvertInCaller(whole, options);
    ASSERT_TRUE(job->Finished()) << job->FatalMessage();
    const std::uintmax_t size = std::filesystem::file_size(whole);

    NewJob();
    // A record at every pass of the loop, so one falls while the muxer still
    // holds the first packets back.
    job->ReportInterval = 0;
    std::int64_t reached = 0; // media time of the last progress record
    job->FOnProgress = [&](TCustomFFmpeg*, std::int32_t, std::int32_t, std::int32_t, float, float, std::int64_t,
                           std::int64_t duration, std::int64_t) { reached = duration; };
    const std::string output = folder.Path(c.output);
    {
        TFileSizeLimit limit(c.midRun ? size / 2 : size - 16);
        ConvertInCaller(output, options);
    }
    EXPECT_FALSE(job->Finished());
    EXPECT_TRUE(job->FatalException());
    EXPECT_EQ(job->FatalMessage(), output + ": File too large");
    EXPECT_FALSE(std::filesystem::exists(output));
    // The fixture lasts two seconds; a run that went on past the failed write
    // would have reached its end, and so would a record counting the packets
    // the muxer still held (the audio, ahead of the encoder's delayed video).
    if (c.midRun) {
        EXPECT_LT(reached, 1500000);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, TranscodeDiskFullTest,
                         ::testing::Values(TDiskFull{"NearTheEnd", "out.avi", false},
                                           TDiskFull{"MidRun", "out.avi", true},
                                           TDiskFull{"MidRunMp4", "out.mp4", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TLostPlace {
    const char* name;
    bool folderRemovedMidRun; // else the output's path runs through a file
    const char* reason;
};

class TranscodeLostPlaceTest : public TRunInCallerTest, public ::testing::WithParamInterface<TLostPlace> {};

// An output whose folder goes while it is written, or that cannot be made,
// fails the run with the system's reason: the user must not take a file that
// is nowhere for a finished one.
TEST_P(TranscodeLostPlaceTest, FailsWithTheReason)
{
    const TLostPlace c = GetParam();
    const std::string place = folder.Path("place");
    const std::string output = place + "/out.avi";
    if (c.folderRemovedMidRun) {
        std::filesystem::create_directory(place);
        job->ReportInterval = 0;
        job->FOnProgress = [&](TCustomFFmpeg*, std::int32_t, std::int32_t, std::int32_t, float, float, std::int64_t,
                               std::int64_t, std::int64_t) { std::filesystem::remove_all(place); };
    } else {
        std::ofstream(place) << "a file, not a folder";
    }
    OpenInput(Fixture::Mpeg4Mp3Avi);
    if (job->OpenOutputFile(output, false))
        job->StartConvert(false, TThreadPriority::tpNormal);
    const std::string message = job->FatalException() ? job->FatalMessage() : job->LastErrMsg();
    EXPECT_FALSE(job->Finished());
    EXPECT_EQ(message, output + ": " + c.reason);
    EXPECT_FALSE(std::filesystem::exists(output));
}

INSTANTIATE_TEST_SUITE_P(Cases, TranscodeLostPlaceTest,
                         ::testing::Values(TLostPlace{"FolderRemovedMidRun", true, "No such file or directory"},
                                           TLostPlace{"PathThroughAFile", false, "Not a directory"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Makes reads of an input's byte stream fail with EIO once `budget` more
// bytes were read, as on a drive removed while it is read. The stream keeps
// its own context, so the job closes it as usual.
class TFailingReads {
public:
    static void Install(AVIOContext* pb, int budget)
    {
        read_ = pb->read_packet;
        budget_ = budget;
        pb->read_packet = &Read;
    }

private:
    static int Read(void* opaque, std::uint8_t* buffer, int size)
    {
        if (budget_ <= 0)
            return AVERROR(EIO);
        const int count = read_(opaque, buffer, std::min(size, budget_));
        if (count > 0)
            budget_ -= count;
        return count;
    }

    static inline int (*read_)(void*, std::uint8_t*, int) = nullptr;
    static inline int budget_ = 0;
};

class TranscodeReadErrorTest : public TRunInCallerTest, public ::testing::WithParamInterface<Fixture> {};

// A source that cannot be read to its end fails the task with the file and
// the reason; the truncated result is not reported finished, nor kept.
TEST_P(TranscodeReadErrorTest, FailsWithTheFileAndTheReason)
{
    const std::string input = PathOf(GetParam());
    OpenInput(GetParam());
    const std::string output = folder.Path("out.avi");
    ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
    TFailingReads::Install(job->Finput_files[0]->pb, static_cast<int>(std::filesystem::file_size(input) / 3));
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    EXPECT_FALSE(job->Finished());
    EXPECT_TRUE(job->FatalException());
    EXPECT_EQ(job->FatalMessage(), input + ": I/O error");
    EXPECT_FALSE(std::filesystem::exists(output));
}

INSTANTIATE_TEST_SUITE_P(Sources, TranscodeReadErrorTest, ::testing::Values(Fixture::Mpeg4Mp3Avi, Fixture::H264AacMp4),
                         [](const auto& info) { return std::string(test::media::FixtureName(info.param)); });

// A run that fails half-way (here its progress handler raises once the
// output passes one second) still ends with a record (input -1) of how far it
// got, not with the record that came before the failure.
TEST_F(TRunInCallerTest, AFailedRunEndsWithARecordOfWhereItGot)
{
    struct TRecord {
        int fileIndex;
        std::int64_t size, duration;
    };
    std::vector<TRecord> records;
    job->ReportInterval = 0;
    job->FOnProgress = [&](TCustomFFmpeg*, std::int32_t fileIndex, std::int32_t, std::int32_t, float, float,
                           std::int64_t written, std::int64_t duration, std::int64_t) {
        records.push_back({fileIndex, written, duration});
        if (fileIndex >= 0 && duration >= 1000000)
            throw std::runtime_error("stopped by the handler");
    };
    ConvertInCaller(folder.Path("out.avi"), {});
    ASSERT_TRUE(job->FatalException());
    EXPECT_EQ(job->FatalMessage(), "stopped by the handler");
    ASSERT_GE(records.size(), 2u);
    const TRecord& last = records.back();
    const TRecord& failed = records[records.size() - 2];
    EXPECT_EQ(last.fileIndex, -1);
    EXPECT_EQ(failed.fileIndex, 0);
    EXPECT_GE(failed.duration, 1000000);
    EXPECT_GE(last.duration, failed.duration);
    EXPECT_GE(last.size, failed.size);
    EXPECT_LT(last.duration, 2000000);
}

// The cause of a failed encoder open or header write can be read in the log:
// the library's own reason and its error code at error level, the stream
// mapping, then the message at error level.
TEST_F(TRunInCallerTest, ALibraryFailureIsLoggedWithItsReasonBeforeTheMessage)
{
    const struct {
        const char* output;
        const char* videoCodec;
        const char* libraryReason;
        const char* message;
    } cases[] = {
        {"out.avi", "h263", "The specified picture size of 320x240 is not valid for the H.263 codec.",
         "Error while opening encoder for output stream #0.0 (Video)"},
        {"out.mp4", "msmpeg4v2", "Could not find tag for codec msmpeg4v2 in stream #0",
         "Could not write header for output file #0 (incorrect codec parameters ?)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        NewJob();
        ClearLog();
        GetFFLogger()->SetLogLevel(llVerbose);
        const std::string output = folder.Path(c.output);
        ConvertInCaller(output, {{"vcodec", c.videoCodec}});
        ASSERT_TRUE(job->FatalException());
        EXPECT_EQ(job->FatalMessage().rfind(c.message, 0), 0u) << job->FatalMessage();
        const int reason = LineIndex(llError, c.libraryReason);
        const int code = LineIndex(llError, output + ": Invalid data found when processing input");
        const int mapping = LineIndex(llVerbose, "Stream mapping:");
        EXPECT_TRUE(Logged(llVerbose, "  Stream #0.0 -> #0.0 (Video)"));
        EXPECT_TRUE(Logged(llVerbose, "  Stream #0.1 -> #0.1 (Audio)"));
        const int message = LineIndex(llError, job->FatalMessage());
        EXPECT_GE(reason, 0);
        EXPECT_GT(code, reason);
        EXPECT_GT(mapping, code);
        EXPECT_GT(message, mapping);
    }
}

// libx264 converts with its own defaults, without a preset.
TEST_F(TRunInCallerTest, Libx264ConvertsWithoutAPreset)
{
    const std::string output = folder.Path("bare.mkv");
    ConvertInCaller(output, {{"vcodec", "libx264"}});
    ASSERT_TRUE(job->Finished()) << job->FatalMessage();
    EXPECT_EQ(ReadFacts(output).Of(AVMEDIA_TYPE_VIDEO)->codec, "h264");
}

// "vstats" alone writes one line per encoded picture into a file beside the
// output, never into the working folder.
TEST_F(TRunInCallerTest, TheStatisticsFileLiesBesideTheOutput)
{
    ConvertInCaller(folder.Path("out.avi"), {{"vstats", ""}});
    ASSERT_TRUE(job->Finished()) << job->FatalMessage();
    const std::regex name(R"(vstats_\d{6}\.log)");
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("")))
        if (std::regex_match(entry.path().filename().string(), name))
            found.push_back(entry.path().string());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(found[0]).filename()));
    const std::regex line(R"(frame= +\d+ q= -?\d+\.\d f_size= +\d+ s_size= +\d+kB time= \d+\.\d{3} )"
                          R"(br= +\d+\.\dkbits/s avg_br= +\d+\.\dkbits/s type= [IPB])");
    std::ifstream in(found[0]);
    std::size_t lines = 0;
    for (std::string text; std::getline(in, text); ++lines)
        EXPECT_TRUE(std::regex_match(text, line)) << text;
    EXPECT_EQ(lines, static_cast<std::size_t>(ReadFacts(folder.Path("out.avi")).Of(AVMEDIA_TYPE_VIDEO)->packets));
}

struct TFilterCase {
    const char* chain;
    int width;
    int height;
};

class TranscodeFilterTest : public TRunInCallerTest, public ::testing::WithParamInterface<TFilterCase> {};

// The encoder takes the size the user's chain produces.
TEST_P(TranscodeFilterTest, TheOutputHasTheChainsSize)
{
    const TFilterCase c = GetParam();
    const std::string output = folder.Path("filtered.avi");
    ConvertInCaller(output, {{"vf", c.chain}});
    ASSERT_TRUE(job->Finished()) << job->FatalMessage();
    AVFormatContext* context = nullptr;
    ASSERT_GE(FF.avformat_open_input(&context, output.c_str(), nullptr, nullptr), 0);
    EXPECT_EQ(context->streams[0]->codecpar->width, c.width);
    EXPECT_EQ(context->streams[0]->codecpar->height, c.height);
    FF.avformat_close_input(&context);
    EXPECT_NEAR(ReadFacts(output).Of(AVMEDIA_TYPE_VIDEO)->packets,
                ReadFacts(PathOf(Fixture::Mpeg4Mp3Avi)).Of(AVMEDIA_TYPE_VIDEO)->packets, 1);
}

INSTANTIATE_TEST_SUITE_P(Chains, TranscodeFilterTest,
                         ::testing::Values(TFilterCase{"hflip", 320, 240}, TFilterCase{"scale=160:120", 160, 120},
                                           TFilterCase{"crop=w=200:h=100,hflip", 200, 100}));

} // namespace
} // namespace tovrel::test
