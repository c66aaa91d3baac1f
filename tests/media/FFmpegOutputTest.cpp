// The output side: streams made from the pending options and fitted to their
// encoders, the metadata, the output file, and the outputs that are refused.
#include "media/transcode/FFmpegOutput.h"
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/transcode/FFmpegOutputMatch.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace tovrel::test {
namespace {

using test::media::Fixture;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FFmpegOutputTest : public TMediaJobTest {
protected:
    AVFormatContext* Output(int index = 0) { return job->Foutput_files[static_cast<std::size_t>(index)]; }
    const AVCodecParameters* Stream(int index, int output = 0) { return Output(output)->streams[index]->codecpar; }
    TTestFolder folder;
};

TEST_F(FFmpegOutputTest, AnOutputKeepsTheInputsParametersAndLeavesTheDiskAlone)
{
    OpenInput(Fixture::Mpeg4Mp3Avi);
    job->AddMetadata("title", "A");
    job->AddMetadata("title", "B");
    job->ParseOption("alang", "eng");
    const std::string out = folder.Path("out.avi");
    ASSERT_TRUE(job->OpenOutputFile(out, false)) << job->LastErrMsg();
    EXPECT_EQ(job->nb_output_files(), 1);
    EXPECT_FALSE(std::filesystem::exists(out)); // created when the run starts
    ASSERT_EQ(Output()->nb_streams, 2u);
    EXPECT_EQ(Stream(0)->codec_type, AVMEDIA_TYPE_VIDEO);
    EXPECT_EQ(Stream(0)->codec_id, AV_CODEC_ID_MPEG4);
    EXPECT_EQ(Stream(0)->width, 320);
    EXPECT_EQ(Stream(0)->height, 240);
    EXPECT_EQ(Stream(0)->format, AV_PIX_FMT_YUV420P);
    EXPECT_EQ(Stream(1)->codec_type, AVMEDIA_TYPE_AUDIO);
    EXPECT_EQ(Stream(1)->sample_rate, 44100);
    EXPECT_EQ(Stream(1)->ch_layout.nb_channels, 2);
    // Of a repeated key the pair given first wins; the pending pairs are consumed.
    EXPECT_STREQ(FF.av_dict_get(Output()->metadata, "title", nullptr, 0)->value, "A");
    EXPECT_TRUE(job->Fmetadata.empty());
    EXPECT_STREQ(FF.av_dict_get(Output()->streams[1]->metadata, "language", nullptr, 0)->value, "eng");
    EXPECT_TRUE(job->Faudio_language.empty());
    EXPECT_EQ(job->Fframe_pix_fmt, AV_PIX_FMT_NONE);
}

TEST_F(FFmpegOutputTest, StreamsFitTheirEncoders)
{
    OpenInput(Fixture::PcmWav); // 44.1 kHz s16
    job->ParseOption("ar", "32000");
    job->ParseOption("acodec", "ac3"); // float planar at 32, 44.1 or 48 kHz
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("out.mkv"), false)) << job->LastErrMsg();
    ASSERT_EQ(Output()->nb_streams, 1u); // no video in the input, none in the output
    EXPECT_EQ(Stream(0)->codec_id, AV_CODEC_ID_AC3);
    EXPECT_EQ(Stream(0)->format, AV_SAMPLE_FMT_FLTP);
    EXPECT_EQ(Stream(0)->sample_rate, 32000);

    NewJob();
    OpenInput(Fixture::Mpeg4Mp3Avi);
    job->ParseOption("s", "720x576");
    job->ParseOption("aspect", "16:9");
    job->ParseOption("r", "24");
    job->ParseOption("vcodec", "mpeg2video"); // lists its frame rates
    job->ParseOption("rc_override", "0,100,20/101,200,-50");
    job->ParseOption("an", "1");
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("out.mpg"), false)) << job->LastErrMsg();
    ASSERT_EQ(Output()->nb_streams, 1u);
    EXPECT_EQ(Stream(0)->sample_aspect_ratio.num, 64);
    EXPECT_EQ(Stream(0)->sample_aspect_ratio.den, 45);
    const AVCodecContext* codec = media->State().OutputStreams.at(0).Codec;
    EXPECT_EQ(codec->framerate.num, 24);
    ASSERT_EQ(codec->rc_override_count, 2);
    EXPECT_EQ(codec->rc_override[0].qscale, 20);
    EXPECT_FLOAT_EQ(codec->rc_override[0].quality_factor, 1.0f);
    EXPECT_EQ(codec->rc_override[1].start_frame, 101);
    EXPECT_EQ(codec->rc_override[1].qscale, 0);
    EXPECT_FLOAT_EQ(codec->rc_override[1].quality_factor, 0.5f);
}

// An output codec starts from its encoder's own defaults, and the rest from
// its kind's: libx264 keeps its rate control and closed GOPs, a video stream
// without a bit rate gets the video default (200 kbit/s, not the audio one).
TEST_F(FFmpegOutputTest, CodecsStartFromTheirEncodersDefaults)
{
    OpenInput(Fixture::Mpeg4Mp3Avi);
    job->ParseOption("vcodec", "libx264");
    job->ParseOption("acodec", "libmp3lame");
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("x264.mkv"), false)) << job->LastErrMsg();
    job->ParseOption("vcodec", "mpeg4");
    job->ParseOption("acodec", "copy");
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("mpeg4.avi"), false)) << job->LastErrMsg();
    const std::vector<TOutputStreamRecord>& streams = media->State().OutputStreams;
    ASSERT_EQ(streams.size(), 4u);
    const AVCodecContext* x264 = streams[0].Codec;
    EXPECT_TRUE(x264->flags & AV_CODEC_FLAG_CLOSED_GOP);
    EXPECT_EQ(x264->gop_size, -1);
    EXPECT_EQ(x264->qmin, -1);
    EXPECT_EQ(x264->max_b_frames, -1);
    EXPECT_EQ(x264->bit_rate, 0);
    EXPECT_EQ(streams[2].Codec->bit_rate, 200000);
}

TEST_F(FFmpegOutputTest, AnOutputThatIsAnInputIsRefusedAndTheInputIsUntouched)
{
    const std::string input = folder.Path("source.avi");
    std::filesystem::copy_file(PathOf(Fixture::Mpeg4Mp3Avi), input);
    const std::string before = ReadAll(input);
    std::filesystem::create_symlink(input, folder.Path("link.avi"));
    ASSERT_TRUE(job->OpenInputFile(input)) << job->LastErrMsg();
    for (const std::string& same : {input, folder.Path("link.avi"), folder.Path("./sub/../source.avi")}) {
        EXPECT_FALSE(job->OpenOutputFile(same, false)) << same;
        EXPECT_EQ(job->LastErrMsg(), "Output file '" + same + "' is the input file '" + input + "'");
    }
    EXPECT_EQ(job->nb_output_files(), 0);
    EXPECT_EQ(ReadAll(input), before);
    job.reset(); // the clean-up must leave the input too
    EXPECT_EQ(ReadAll(input), before);
}

TEST_F(FFmpegOutputTest, TheManyStreamFixtureGetsAnOutput)
{
    NewJob(1);
    OpenInput(Fixture::ManyStreams);
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("many.mkv"), false)) << job->LastErrMsg();
    EXPECT_EQ(Output()->nb_streams, 2u);
}

// The name chooses the muxer unless a format is forced; a .vob file is a DVD
// video object, whichever muxer the library would guess for the name.
TEST_F(FFmpegOutputTest, TheMuxerFollowsTheNameOrTheForcedFormat)
{
    const struct {
        const char* fileName;
        const char* forced;
        const char* muxer;
    } cases[] = {{"out.vob", "", "vob"}, {"OUT.VOB", "", "vob"}, {"out.mpg", "", "mpeg"}, {"out.vob", "svcd", "svcd"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName + std::string(" ") + c.forced);
        NewJob();
        OpenInput(Fixture::Mpeg4Mp3Avi);
        if (*c.forced)
            job->ParseOption("f", c.forced);
        ASSERT_TRUE(job->OpenOutputFile(folder.Path(c.fileName), false)) << job->LastErrMsg();
        EXPECT_STREQ(Output()->oformat->name, c.muxer);
    }
}

struct TOutputFailure {
    const char* option;
    const char* value;
    const char* fileName;
    std::string message;
};

TEST_F(FFmpegOutputTest, FailuresReportTheirTextAndLeaveNoFileBehind)
{
    const TOutputFailure cases[] = {
        {"", "", "out.nosuchext", "Unable to find a suitable output format for '%s'"},
        {"f", "ffm", "out.ffm", "Requested output format 'ffm' is not a suitable output format"},
        {"vcodec", "nosuch", "out.avi", "new_video_stream fail: Unknown encoder 'nosuch'"},
        {"acodec", "mpeg4", "out.avi", "new_audio_stream fail: Invalid encoder type 'mpeg4'"},
    };
    for (const TOutputFailure& failure : cases) {
        NewJob();
        OpenInput(Fixture::Mpeg4Mp3Avi);
        if (*failure.option)
            job->ParseOption(failure.option, failure.value);
        const std::string out = folder.Path(failure.fileName);
        EXPECT_FALSE(job->OpenOutputFile(out, false)) << failure.fileName;
        std::string expected = failure.message;
        if (const auto at = expected.find("%s"); at != std::string::npos)
            expected.replace(at, 2, out);
        EXPECT_EQ(job->LastErrMsg(), expected);
        EXPECT_EQ(job->nb_output_files(), 0);
        EXPECT_EQ(job->Foutput_files[0], nullptr);
        EXPECT_TRUE(media->State().OutputStreams.empty());
        EXPECT_FALSE(std::filesystem::exists(out)) << out;
        EXPECT_TRUE(job->Fvideo_codec_name.empty() && job->Faudio_codec_name.empty());
    }
    NewJob();
    OpenInput(Fixture::Mpeg4Mp3Avi);
    const std::string unwritable = folder.Path("no/such/folder/out.avi");
    EXPECT_FALSE(job->OpenOutputFile(unwritable, false));
    EXPECT_EQ(job->LastErrMsg(), unwritable + ": No such file or directory");
}

TEST_F(FFmpegOutputTest, JoinListsTheOutputOncePerInputAndAllowsNoSecondOutput)
{
    OpenInput(Fixture::Mpeg4Mp3Avi); // 2 s
    OpenInput(Fixture::PcmWav);      // 1 s
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("joined.avi"), true)) << job->LastErrMsg();
    EXPECT_EQ(job->nb_output_files(), 2);
    EXPECT_EQ(Output(0), Output(1));
    EXPECT_NEAR(double(job->FTotalOutputDuration), 3e6, 3e5);
    EXPECT_FALSE(job->OpenOutputFile(folder.Path("second.avi"), false));
    EXPECT_EQ(job->LastErrMsg(), "Cannot join more than one output file.");
}

TEST_F(FFmpegOutputTest, NewStreamOptionsAddToTheLastOutput)
{
    OpenInput(Fixture::Mpeg4Mp3Avi);
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("out.mkv"), false)) << job->LastErrMsg();
    job->ParseOption("acodec", "mp2");
    job->ParseOption("newaudio", "");
    ASSERT_EQ(Output()->nb_streams, 3u);
    EXPECT_EQ(Stream(2)->codec_id, AV_CODEC_ID_MP2);
}

TEST_F(FFmpegOutputTest, AnExistingOutputKeepsItsBytesUntilTheRunStarts)
{
    OpenInput(Fixture::Mpeg4Mp3Avi);
    const std::string out = folder.Path("out.avi");
    std::ofstream(out) << "the user's file";
    ASSERT_TRUE(job->OpenOutputFile(out, false)) << job->LastErrMsg();
    EXPECT_EQ(ReadAll(out), "the user's file");
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    EXPECT_TRUE(job->Finished()) << job->FatalMessage();
    EXPECT_NE(ReadAll(out), "the user's file");
}

TEST_F(FFmpegOutputTest, ARunInTheCallerConvertsAndFinishes)
{
    OpenInput(Fixture::Mpeg4Mp3Avi);
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("out.avi"), false)) << job->LastErrMsg();
    EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
    EXPECT_FALSE(job->FatalException()) << job->FatalMessage();
    EXPECT_TRUE(job->Finished());
    EXPECT_GT(std::filesystem::file_size(folder.Path("out.avi")), 0u);
}

TEST(FFmpegOutputMatch, RatesAndFormatsSnapToWhatTheEncoderLists)
{
    static const int rates[] = {44100, 48000, 0};
    static const AVSampleFormat sampleFormats[] = {AV_SAMPLE_FMT_FLTP, AV_SAMPLE_FMT_NONE};
    static const AVPixelFormat pixelFormats[] = {AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_NONE};
    AVCodec encoder{};
    encoder.supported_samplerates = rates;
    encoder.sample_fmts = sampleFormats;
    encoder.pix_fmts = pixelFormats;
    AVCodecContext codec{};
    const struct {
        int requested;
        int chosen;
    } rateCases[] = {{32000, 44100}, {46050, 48000}, {48000, 48000}, {96000, 48000}};
    for (const auto& c : rateCases) {
        codec.sample_rate = c.requested;
        MatchSampleRate(nullptr, &codec, &encoder);
        EXPECT_EQ(codec.sample_rate, c.chosen) << c.requested;
    }
    codec.sample_rate = 8000;
    MatchSampleRate(nullptr, &codec, nullptr);
    EXPECT_EQ(codec.sample_rate, 8000);

    codec.sample_fmt = AV_SAMPLE_FMT_S16;
    MatchSampleFormat(&codec, &encoder);
    EXPECT_EQ(codec.sample_fmt, AV_SAMPLE_FMT_FLTP);

    codec.codec_id = AV_CODEC_ID_MJPEG;
    codec.pix_fmt = AV_PIX_FMT_YUV420P;
    codec.strict_std_compliance = -1;
    MatchPixelFormat(&codec, &encoder);
    EXPECT_EQ(codec.pix_fmt, AV_PIX_FMT_YUV420P);
    codec.strict_std_compliance = 0;
    MatchPixelFormat(&codec, &encoder);
    EXPECT_EQ(codec.pix_fmt, AV_PIX_FMT_YUVJ420P);
}

TEST(FFmpegOutputRcOverride, MalformedGroupsRaise)
{
    for (const char* text : {"0,100", "0;100,5", ",1,2"})
        EXPECT_THROW(ParseRcOverride(text), FFmpegException) << text;
    EXPECT_TRUE(ParseRcOverride("").empty());
}

} // namespace
} // namespace tovrel::test
