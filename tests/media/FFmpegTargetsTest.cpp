// Disc and camcorder targets: what each target and norm sets, how the norm is
// guessed, and the switches for two-pass, statistics and bitstream filters.
#include "media/targets/FFmpegTargets.h"
#include "FFmpegInputTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/targets/FFmpegTargetsSwitches.h"
#include "platform/rtl/Exceptions.h"

#include <fstream>
#include <iterator>
#include <regex>

namespace tovrel::test {
namespace {

using test::media::Fixture;

using TOptionList = std::vector<std::pair<const char*, const char*>>;

// Where a setting of the option store lands.
enum class TStore { Video, Audio, Format, VideoPrivate, MuxerPrivate };

class FFmpegTargetsTest : public TMediaJobTest {
protected:
    // The stored text, or empty when the store does not hold the option.
    std::string Stored(TStore store, const char* name)
    {
        const TFFOptions& options = job->FOptions;
        if (store == TStore::VideoPrivate || store == TStore::MuxerPrivate) {
            const AVDictionary* dict = store == TStore::MuxerPrivate ? options.FormatPrivateOpts
                                                                     : options.CodecPrivateOpts[AVMEDIA_TYPE_VIDEO];
            const AVDictionaryEntry* entry = FF.av_dict_get(dict, name, nullptr, 0);
            return entry ? entry->value : "";
        }
        void* context = store == TStore::Format  ? static_cast<void*>(options.avformat_opts)
                        : store == TStore::Audio ? static_cast<void*>(options.avcodec_opts[AVMEDIA_TYPE_AUDIO])
                                                 : static_cast<void*>(options.avcodec_opts[AVMEDIA_TYPE_VIDEO]);
        std::uint8_t* value = nullptr;
        if (FF.av_opt_get(context, name, 0, &value) < 0)
            return "";
        std::string text = reinterpret_cast<const char*>(value);
        FF.av_free(value);
        return text;
    }

    // An MPEG program stream's first time stamps follow the muxer's preload,
    // a few frames' worth after it.
    static void ExpectStartAfterPreload(const std::string& fileName, std::int64_t preload)
    {
        AVFormatContext* context = nullptr;
        ASSERT_GE(FF.avformat_open_input(&context, fileName.c_str(), nullptr, nullptr), 0);
        FF.avformat_find_stream_info(context, nullptr);
        EXPECT_GE(context->start_time, preload);
        EXPECT_LT(context->start_time, preload + 50000);
        FF.avformat_close_input(&context);
    }

    template <class Call> std::string Raised(Call call)
    {
        try {
            call();
        } catch (const FFmpegException& e) {
            return e.what();
        }
        return "(nothing raised)";
    }
};

struct TTargetCase {
    const char* target;
    const char* norm;
    const char* videoCodec;
    const char* audioCodec;
    const char* format;
    int width, height;
    AVRational rate;
    AVPixelFormat pixFmt;
    const char* gop;
    const char* bitrate;
    const char* maxrate;
    const char* minrate;
    const char* bufsize;
    const char* audioBitrate;
    int sampleRate;
    const char* packetSize;
    const char* muxrate;    // "" = not set
    const char* preload;    // "" = not set
    const char* scanOffset; // "" = not set
    float aspect;
};

TEST_F(FFmpegTargetsTest, EachTargetAndNormSetsItsFieldsAndOptions)
{
    const AVPixelFormat none = AV_PIX_FMT_NONE;
    const TTargetCase cases[] = {
        {"vcd",     "pal",     "mpeg1video", "mp2",    "vcd", 352,    288,       {25, 1},  none, "15",    "1150000",
         "1150000", "1150000", "327680",     "224000", 44100, "2324", "1411200", "440000", "",   4.0f / 3},
        {"vcd",         "ntsc", "mpeg1video", "mp2",     "vcd",     352,       240,
         {30000, 1001}, none,   "18",         "1150000", "1150000", "1150000", "327680",
         "224000",      44100,  "2324",       "1411200", "440000",  "",        4.0f / 3},
        {"vcd",         "film", "mpeg1video", "mp2",     "vcd",     352,       240,
         {24000, 1001}, none,   "18",         "1150000", "1150000", "1150000", "327680",
         "224000",      44100,  "2324",       "1411200", "440000",  "",        4.0f / 3},
        {"svcd",    "pal", "mpeg2video", "mp2",    "svcd", 480,    576, {25, 1}, none, "15",    "2040000",
         "2516000", "0",   "1835008",    "224000", 44100,  "2324", "",  "",      "1",  4.0f / 3},
        {"svcd", "ntsc",    "mpeg2video", "mp2", "svcd", 480, 480, {30000, 1001}, none,    "18", "2040000", "2516000",
         "0",    "1835008", "224000",     44100, "2324", "",  "",  "1",           4.0f / 3},
        {"dvd",     "pal", "mpeg2video", "ac3",    "dvd", 720,    576,        {25, 1}, none, "15",     "6000000",
         "9000000", "0",   "1835008",    "448000", 48000, "2048", "10080000", "",      "",   16.0f / 9},
        {"dvd",         "film", "mpeg2video", "ac3",      "dvd",     720, 480,
         {24000, 1001}, none,   "18",         "6000000",  "9000000", "0", "1835008",
         "448000",      48000,  "2048",       "10080000", "",        "",  16.0f / 9},
        {"dv", "pal", "",    "", "dv", 720, 576, {25, 1}, AV_PIX_FMT_YUV420P, "", "", "", "",
         "",   "",    48000, "", "",   "",  "",  0},
        {"dv", "ntsc", "", "", "dv", 720, 480, {30000, 1001}, AV_PIX_FMT_YUV411P, "", "", "", "", "",
         "",   48000,  "", "", "",   "",  0},
        {"dv50", "pal", "",    "", "dv", 720, 576, {25, 1}, AV_PIX_FMT_YUV422P, "", "", "", "",
         "",     "",    48000, "", "",   "",  "",  0},
        {"dv50", "ntsc", "", "", "dv", 720, 480, {30000, 1001}, AV_PIX_FMT_YUV422P, "", "", "", "", "",
         "",     48000,  "", "", "",   "",  0},
    };
    for (const TTargetCase& c : cases) {
        SCOPED_TRACE(std::string(c.target) + " " + c.norm);
        NewJob();
        job->SetTarget(c.target, c.norm, "pal");
        EXPECT_EQ(job->Fvideo_codec_name, c.videoCodec);
        EXPECT_EQ(job->Faudio_codec_name, c.audioCodec);
        EXPECT_EQ(job->Flast_asked_format, c.format);
        EXPECT_EQ(job->Fframe_width, c.width);
        EXPECT_EQ(job->Fframe_height, c.height);
        EXPECT_EQ(job->Fframe_rate.num, c.rate.num);
        EXPECT_EQ(job->Fframe_rate.den, c.rate.den);
        EXPECT_EQ(job->Fframe_pix_fmt, c.pixFmt);
        EXPECT_EQ(job->Faudio_sample_rate, c.sampleRate);
        EXPECT_EQ(job->Faudio_channels, 2);
        EXPECT_FLOAT_EQ(job->Fframe_aspect_ratio, c.aspect);
        if (*c.gop) {
            EXPECT_EQ(Stored(TStore::Video, "g"), c.gop);
            EXPECT_EQ(Stored(TStore::Video, "b"), c.bitrate);
            EXPECT_EQ(Stored(TStore::Video, "maxrate"), c.maxrate);
            EXPECT_EQ(Stored(TStore::Video, "minrate"), c.minrate);
            EXPECT_EQ(Stored(TStore::Video, "bufsize"), c.bufsize);
            EXPECT_EQ(Stored(TStore::Audio, "b"), c.audioBitrate);
            EXPECT_EQ(Stored(TStore::Format, "packetsize"), c.packetSize);
        }
        EXPECT_EQ(Stored(TStore::MuxerPrivate, "muxrate"), c.muxrate);
        EXPECT_EQ(Stored(TStore::VideoPrivate, "scan_offset"), c.scanOffset);
        // The preload is the job's field; the header write hands it to the muxer.
        EXPECT_EQ(Stored(TStore::MuxerPrivate, "preload"), "");
        EXPECT_FLOAT_EQ(job->Fmux_preload, *c.preload ? 0.44f : 0.5f);
    }
}

TEST_F(FFmpegTargetsTest, TargetTextChoosesTheNormByItsPrefix)
{
    job->Fverbose = 1;
    job->ParseOption("target", " pal-dvd ");
    EXPECT_EQ(job->Fframe_width, 720);
    EXPECT_EQ(job->Fframe_height, 576);
    EXPECT_EQ(Stored(TStore::Video, "g"), "15");
    EXPECT_TRUE(Logged(llInfo, "Assuming 16:9 for aspect ratio"));

    // An explicit norm logs no guess; a set aspect ratio is kept without a word.
    NewJob();
    ClearLog();
    job->Fverbose = 1;
    job->ParseOption("aspect", "1.5");
    job->ParseOption("target", "film-vcd");
    EXPECT_EQ(job->Fframe_height, 240);
    EXPECT_EQ(job->Fframe_rate.num, 24000);
    EXPECT_EQ(Stored(TStore::Video, "g"), "18");
    EXPECT_FLOAT_EQ(job->Fframe_aspect_ratio, 1.5f);
    EXPECT_EQ(LinesAt(llVerbose) + LinesAt(llInfo), 0u);

    // Without a prefix the norm is guessed, NTSC when nothing tells.
    NewJob();
    job->Fframe_rate = {24, 1};
    job->ParseOption("target", "dvd");
    EXPECT_EQ(job->Fframe_height, 480);
    EXPECT_EQ(job->Fframe_rate.num, 30000);
}

struct TGuessCase {
    AVRational pendingRate;
    Fixture input; // Truncated: no input
    const char* defaultNorm;
    int height;
    AVRational rate;
    const char* logged;
};

TEST_F(FFmpegTargetsTest, AGuessedNormComesFromTheRateThenTheInputsThenTheDefault)
{
    const TGuessCase cases[] = {
        {{30000, 1001}, Fixture::Truncated, "pal", 480, {30000, 1001}, "Assuming NTSC for target."},
        {{25, 1}, Fixture::Truncated, "ntsc", 576, {25, 1}, "Assuming PAL for target."},
        {{24, 1}, Fixture::Mpeg4Mp3Avi, "ntsc", 576, {25, 1}, "Assuming PAL for target."}, // a 25 fps video input
        {{24, 1}, Fixture::Mp3Audio, "ntsc", 480, {30000, 1001}, "Assuming NTSC for target."},
        {{24, 1}, Fixture::Mp3Audio, "film", 480, {24000, 1001}, "Assuming NTSC for target."},
        {{24, 1}, Fixture::Truncated, "anything", 576, {25, 1}, "Assuming PAL for target."},
    };
    for (const TGuessCase& c : cases) {
        SCOPED_TRACE(c.logged + std::string(" / ") + c.defaultNorm);
        NewJob();
        ClearLog();
        if (c.input != Fixture::Truncated)
            OpenInput(c.input);
        job->Fverbose = 1;
        job->Fframe_rate = c.pendingRate;
        job->SetTarget("dvd", "auto", c.defaultNorm);
        EXPECT_EQ(job->Fframe_height, c.height);
        EXPECT_EQ(job->Fframe_rate.num, c.rate.num);
        EXPECT_EQ(job->Fframe_rate.den, c.rate.den);
        EXPECT_TRUE(Logged(llVerbose, c.logged));
    }
    // Not verbose: the guess is silent.
    NewJob();
    ClearLog();
    job->Fverbose = 0;
    job->Fframe_rate = {25, 1};
    job->SetTarget("dvd", "", "pal");
    EXPECT_EQ(LinesAt(llVerbose), 0u);
}

TEST_F(FFmpegTargetsTest, TargetFailuresRaiseTheirTexts)
{
    job->Fframe_rate = {0, 0};
    EXPECT_EQ(Raised([&] { job->SetTarget("dvd", "auto", "pal"); }), "frame_rate is invalid.");
    // The norm is settled before the target's name is looked at.
    EXPECT_EQ(Raised([&] { job->ParseOption("target", "laserdisc"); }), "frame_rate is invalid.");
    EXPECT_EQ(Raised([&] { job->ParseOption("target", "pal-laserdisc"); }), "Unknown target type");
    EXPECT_EQ(Raised([&] { job->SetTarget("setting", "pal", "pal"); }), "Unknown target type");
}

TEST_F(FFmpegTargetsTest, AudioChannelsFollowTheTarget)
{
    const struct {
        const char* target;
        int before;
        int after;
    } cases[] = {{"dvd", 1, 2}, {"dvd", 6, 6}, {"svcd", 1, 2}, {"vcd", 6, 2}, {"dv", 6, 2}};
    for (const auto& c : cases) {
        NewJob();
        job->Faudio_channels = c.before;
        job->SetTarget(c.target, "pal", "pal");
        EXPECT_EQ(job->Faudio_channels, c.after) << c.target << " from " << c.before;
    }
}

TEST_F(FFmpegTargetsTest, ADvdOutputGetsTheTargetsStreamsAndSnappedFrameRate)
{
    TTestFolder folder;
    OpenInput(Fixture::Mpeg4Mp3Avi);
    job->ParseOption("target", "ntsc-dvd");
    job->ParseOption("r", "29.97"); // MPEG-2 takes 30000/1001, the nearest rate it knows
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("disc.vob"), false)) << job->LastErrMsg();
    const AVFormatContext* output = job->Foutput_files[0];
    EXPECT_STREQ(output->oformat->name, "dvd");
    EXPECT_EQ(output->packet_size, 2048);
    ASSERT_EQ(media->State().OutputStreams.size(), 2u);
    const AVCodecContext* video = media->State().OutputStreams[0].Codec;
    const AVCodecContext* audio = media->State().OutputStreams[1].Codec;
    EXPECT_EQ(video->codec_id, AV_CODEC_ID_MPEG2VIDEO);
    EXPECT_EQ(video->width, 720);
    EXPECT_EQ(video->height, 480);
    EXPECT_EQ(video->time_base.num, 1001);
    EXPECT_EQ(video->time_base.den, 30000);
    EXPECT_EQ(video->gop_size, 18);
    EXPECT_EQ(video->bit_rate, 6000000);
    EXPECT_EQ(audio->codec_id, AV_CODEC_ID_AC3);
    EXPECT_EQ(audio->sample_rate, 48000);
    EXPECT_EQ(audio->bit_rate, 448000);
}

// The mux rate field of the MPEG program stream pack header at `at`, in
// units of 50 bytes/s; -1 when no pack starts there.
int PackMuxRate(const std::string& file, std::size_t at)
{
    if (file.size() < at + 14 || file.compare(at, 4, std::string("\0\0\1\xBA", 4)) != 0)
        return -1;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(file[at + i]); };
    const bool mpeg2 = (byte(4) & 0xC0) == 0x40;
    return mpeg2 ? (byte(10) << 14) | (byte(11) << 6) | (byte(12) >> 2)
                 : ((byte(9) & 0x7F) << 15) | (byte(10) << 7) | (byte(11) >> 1);
}

TEST_F(FFmpegTargetsTest, DiscFilesCarryTheTargetsMuxRatePreloadPackSizeAndScanOffsets)
{
    const struct {
        const char* target;
        std::size_t packSize;
        int muxRate; // 0: the muxer's own
        bool scanOffsets;
        std::int64_t preload; // 0: the muxer's own (half a second)
    } cases[] = {{"pal-vcd", 2324, 1411200 / 400, false, 440000},
                 {"ntsc-svcd", 2324, 0, true, 0},
                 {"pal-dvd", 2048, 10080000 / 400, false, 0}};
    TTestFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        NewJob();
        OpenInput(Fixture::Mpeg4Mp3Avi);
        job->ParseOption("target", c.target);
        const std::string output = folder.Path(std::string(c.target) + ".mpg");
        ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
        EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
        ASSERT_TRUE(job->Finished()) << job->FatalMessage();
        std::ifstream in(output, std::ios::binary);
        const std::string file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_GT(file.size(), 2 * c.packSize);
        EXPECT_EQ(file.size() % c.packSize, 0u);
        EXPECT_GT(PackMuxRate(file, c.packSize), 0);
        if (c.muxRate) {
            EXPECT_EQ(PackMuxRate(file, 0), c.muxRate);
        }
        // The MPEG-2 encoder reserves SVCD scan offsets as user data in each picture.
        EXPECT_EQ(file.find(std::string("\0\0\1\xB2\x10\x0E", 6)) != std::string::npos, c.scanOffsets);
        ExpectStartAfterPreload(output, c.preload ? c.preload : 500000);
    }
}

// "muxpreload" reaches the muxer of the output opened after it, also after a
// target; a "preload" given as a muxer option is applied last and wins.
TEST_F(FFmpegTargetsTest, TheMuxPreloadReachesTheMuxer)
{
    const struct {
        TOptionList options;
        std::int64_t preload;
    } cases[] = {{{{"muxpreload", "1.5"}}, 1500000},
                 {{{"target", "pal-vcd"}, {"muxpreload", "1"}}, 1000000},
                 {{{"muxpreload", "1.5"}, {"preload", "200000"}}, 200000}};
    TTestFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.back().second);
        NewJob();
        OpenInput(Fixture::Mpeg4Mp3Avi);
        for (const auto& [name, value] : c.options)
            job->ParseOption(name, value);
        const std::string output = folder.Path("preload.mpg");
        ASSERT_TRUE(job->OpenOutputFile(output, false)) << job->LastErrMsg();
        job->ParseOption("muxpreload", "3"); // too late for the output above
        EXPECT_EQ(job->StartConvert(false, TThreadPriority::tpNormal), nullptr);
        ASSERT_TRUE(job->Finished()) << job->FatalMessage();
        ExpectStartAfterPreload(output, c.preload);
    }
}

TEST_F(FFmpegTargetsTest, PassAndStatisticsSwitches)
{
    job->ParseOption("pass", "2");
    EXPECT_EQ(job->Fdo_pass, 2);
    for (const char* wrong : {"0", "3", "-1"})
        EXPECT_EQ(Raised([&] { job->ParseOption("pass", wrong); }), "pass number can be only 1 or 2") << wrong;
    EXPECT_EQ(job->Fdo_pass, 2);
    EXPECT_THROW(job->ParseOption("pass", "two"), EConvertError);

    job->ParseOption("vstats", "");
    EXPECT_TRUE(
        std::regex_match(job->Fvstats_filename, std::regex(R"(vstats_([01][0-9]|2[0-3])[0-5][0-9][0-5][0-9]\.log)")))
        << job->Fvstats_filename;
    // The default statistics file sits beside the first output, whatever the working folder.
    TTestFolder folder;
    OpenInput(Fixture::Mpeg4Mp3Avi);
    ASSERT_TRUE(job->OpenOutputFile(folder.Path("out.avi"), false)) << job->LastErrMsg();
    EXPECT_EQ(VStatsFileName(*job), folder.Path(job->Fvstats_filename));

    job->ParseOption("vstats_file", "stats.log");
    EXPECT_EQ(VStatsFileName(*job), "stats.log");
    SetVStats(*job, false);
    EXPECT_EQ(VStatsFileName(*job), "");
}

TEST_F(FFmpegTargetsTest, BitstreamFiltersJoinTheirChainInOrder)
{
    job->ParseOption("vbsf", "h264_mp4toannexb");
    job->ParseOption("vbsf", " dump_extra=freq=k ");
    job->ParseOption("absf", "aac_adtstoasc");
    job->ParseOption("sbsf", "null");
    job->ParseOption("vbsf", "=null"); // no name: nothing happens
    job->ParseOption("absf", "");
    EXPECT_EQ(job->Fvideo_bitstream_filters, (TBitstreamFilterChain{"h264_mp4toannexb", "dump_extra"}));
    EXPECT_EQ(job->Faudio_bitstream_filters, (TBitstreamFilterChain{"aac_adtstoasc"}));
    EXPECT_EQ(job->Fsubtitle_bitstream_filters, (TBitstreamFilterChain{"null"}));
    EXPECT_EQ(Raised([&] { job->ParseOption("vbsf", " nosuch=1 "); }), "Unknown bitstream filter nosuch=1");
    EXPECT_EQ(job->Fvideo_bitstream_filters.size(), 2u);
}

} // namespace
} // namespace tovrel::test
