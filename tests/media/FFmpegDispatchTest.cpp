// The option dispatcher: option text reaching the job's fields, the generic
// store with codec and muxer private options, and the handlers' messages.
#include "media/transcode/FFmpegDispatch.h"
#include "FFmpegInputTestSupport.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "platform/rtl/Exceptions.h"

#include <functional>
#include <set>

namespace tovrel::test {
namespace {

class FFmpegDispatchTest : public TMediaJobTest {};

struct TFieldCase {
    const char* name;
    const char* value;
    std::function<bool(const TCustomFFmpeg&)> holds;
};

TEST_F(FFmpegDispatchTest, OptionTextReachesTheFields)
{
    const TFieldCase cases[] = {
        {"vn", "0", [](const auto& j) { return !j.Fvideo_disable; }},
        {"vn", "", [](const auto& j) { return j.Fvideo_disable; }},
        {"an", "1", [](const auto& j) { return j.Faudio_disable; }},
        {"copyts", "0", [](const auto& j) { return j.Fcopy_ts; }},
        {"dframes", "7", [](const auto& j) { return j.Fmax_frames[2] == 7; }},
        {"vframes", "0x10", [](const auto& j) { return j.Fmax_frames[0] == 16; }},
        {"fs", "5000000000", [](const auto& j) { return j.Flimit_filesize == 5000000000LL; }},
        {"adrift_threshold", "0.25", [](const auto& j) { return j.Faudio_drift_threshold == 0.25f; }},
        {"ar", "-1", [](const auto& j) { return j.Faudio_sample_rate == 44100; }},
        {"ar", "22050", [](const auto& j) { return j.Faudio_sample_rate == 22050; }},
        {"programid", "-3", [](const auto& j) { return j.Fopt_programid == -3; }},
        {"vcodec", "copy", [](const auto& j) { return j.Fvideo_stream_copy == 1 && j.Fvideo_codec_name.empty(); }},
        {"acodec", "mp2", [](const auto& j) { return j.Faudio_codec_name == "mp2"; }},
        {"vf", "", [](const auto& j) { return j.Fvfilters.empty(); }},
        {"vfilters", "hflip", [](const auto& j) { return j.Fvfilters == "hflip"; }},
        {"f", "pgmyuv", [](const auto& j) { return j.Flast_asked_format == "image2" && j.Fpgmyuv_compatibility_hack; }},
        {"r", "30000/1001", [](const auto& j) { return j.Fframe_rate.num == 30000 && j.Fframe_rate.den == 1001; }},
        {"s", "320*240", [](const auto& j) { return j.Fframe_width == 320 && j.Fframe_height == 240; }},
        {"aspect", "16:9", [](const auto& j) { return j.Fframe_aspect_ratio == 16.0f / 9.0f; }},
        {"aspect", "1.5", [](const auto& j) { return j.Fframe_aspect_ratio == 1.5f; }},
        {"qscale", "255", [](const auto& j) { return j.Fvideo_qscale == 255.0f; }},
        {"pix_fmt", "yuv422p", [](const auto& j) { return j.Fframe_pix_fmt == AV_PIX_FMT_YUV422P; }},
        {"sample_fmt", "fltp", [](const auto& j) { return j.Faudio_sample_fmt == AV_SAMPLE_FMT_FLTP; }},
        {"vtag", "xvid", [](const auto& j) { return j.Fvideo_codec_tag == 0x64697678u; }},
        {"t", "1:02.5",
         [](const auto& j) { return j.Frecording_time == 62500000 && j.FTotalOutputDuration == 62500000; }},
        {"ss", "3", [](const auto& j) { return j.Fstart_time == 3000000; }},
        {"itsscale", "2:1.5", [](const auto& j) { return j.Finput_files_ts_scale[0][2] == 1.5; }},
        {"streamid", "19:301", [](const auto& j) { return j.Fstreamid_map[19] == 301; }},
        {"map", "1:2",
         [](const auto& j) {
             const TAVStreamMap& m = j.Fstream_maps[0];
             return j.Fnb_stream_maps == 1 && m.file_index == 1 && m.stream_index == 2 && m.sync_file_index == 1 &&
                    m.sync_stream_index == 2;
         }},
        {"metadata", "title=a=b",
         [](const auto& j) {
             return j.Fmetadata.size() == 1 && j.Fmetadata[0].first == "title" && j.Fmetadata[0].second == "a=b";
         }},
    };
    for (const TFieldCase& c : cases) {
        NewJob();
        job->ParseOption(c.name, c.value);
        EXPECT_TRUE(c.holds(*job)) << c.name << "=" << c.value;
    }
}

struct TErrorCase {
    const char* name;
    const char* value;
    std::string message;
};

TEST_F(FFmpegDispatchTest, RejectedValuesRaiseTheirMessages)
{
    std::string matrix63;
    for (int i = 0; i < 63; ++i)
        matrix63 += (i ? "," : "") + std::to_string(i + 1);
    const TErrorCase cases[] = {
        {"aspect", "4:0", "Incorrect aspect ratio specification."},
        {"aspect", "0", "Incorrect aspect ratio specification."},
        {"r", "fast", "Incorrect frame rate"},
        {"s", "huge", "Incorrect frame size"},
        {"qscale", "0", "qscale must be > 0.0 and <= 255"},
        {"qscale", "256", "qscale must be > 0.0 and <= 255"},
        {"pix_fmt", "nosuch", "Unknown pixel format requested: nosuch"},
        {"itsscale", "20:1.5", "stream index over MAX_STREAMS(20)"},
        {"threads", "2", "TODO: option - threads"},
        {"padcolor", "red", "Please use vfilters=pad"},
        {"intra_matrix", matrix63.c_str(), "Syntax error in matrix \"" + matrix63 + "\" at coeff 62"},
        {"croptop", "240",
         "Vertical crop dimensions are outside the range of the original image.\n"
         "Remember to crop first and scale second."},
        {"cropleft", "320",
         "Horizontal crop dimensions are outside the range of the original image.\n"
         "Remember to crop first and scale second."},
        {"streamid", "3", "Invalid value \"3\" for option \"streamid\", required syntax is \"index:value\""},
        {"streamid", "20:5", "Invalid value \"20:5\" for option \"streamid\", required syntax is \"index:value\""},
        {"metadata", "novalue", "Missing ="},
        {"t", "abc", "Invalid duration specification for t: abc"},
        {"timestamp", "never", "Invalid date specification for timestamp: never"},
        {"vhook", "a b", "Failed to add video hook function: a b"},
        {"newaudio", "", "At least one output file must be specified"},
    };
    for (const TErrorCase& c : cases) {
        NewJob();
        job->Fframe_width = 320;
        job->Fframe_height = 240;
        try {
            job->ParseOption(c.name, c.value);
            ADD_FAILURE() << c.name << " raised nothing";
        } catch (const FFmpegException& e) {
            EXPECT_EQ(e.what(), c.message) << c.name;
        }
    }
    EXPECT_THROW(job->ParseOption("vtag", "xvi"), EAssertionFailed);
    EXPECT_THROW(job->ParseOption("dframes", "many"), EConvertError);
}

TEST_F(FFmpegDispatchTest, MatricesCropsAndNoOpsChangeWhatTheySay)
{
    std::string matrix;
    for (int i = 0; i < 64; ++i)
        matrix += (i ? "," : "") + std::to_string(i + 1);
    job->ParseOption("inter_matrix", matrix + ",99");
    ASSERT_EQ(job->Finter_matrix.size(), 64u);
    EXPECT_EQ(job->Finter_matrix[0], 1);
    EXPECT_EQ(job->Finter_matrix[63], 64);

    job->Fframe_height = 240;
    job->ParseOption("croptop", "0");
    EXPECT_EQ(job->Fframe_height, 240);
    job->ParseOption("cropbottom", "40");
    EXPECT_EQ(job->Fframe_height, 200);
    EXPECT_EQ(job->Fframe_bottomBand, 40);
    EXPECT_TRUE(Logged(llWarning, "CropXXX is deprecated in favor of the crop avfilter"));

    job->ParseOption("benchmark", "");
    EXPECT_TRUE(Logged(llInfo, "Do nothing: option - benchmark"));
    job->ParseOption("timelimit", "10");
    EXPECT_TRUE(Logged(llWarning, "Warning: -timelimit not implemented on Windows"));
    // A name no row and no option knows is dropped.
    EXPECT_NO_THROW(job->ParseOption("Vn", "1"));
    EXPECT_FALSE(job->Fvideo_disable);
}

TEST_F(FFmpegDispatchTest, FormatListsLogOneLinePerFormatAndChangeNothing)
{
    job->ParseOption("pix_fmt", "list");
    EXPECT_EQ(LinesAt(llInfo), std::size_t(AV_PIX_FMT_NB) + 1);
    EXPECT_EQ(job->Fframe_pix_fmt, AV_PIX_FMT_NONE);
    ClearLog();
    job->ParseOption("sample_fmt", "list");
    EXPECT_EQ(LinesAt(llInfo), std::size_t(AV_SAMPLE_FMT_NB) + 1);
    EXPECT_EQ(job->Faudio_sample_fmt, AV_SAMPLE_FMT_NONE);
}

TEST_F(FFmpegDispatchTest, BitratesGoToTheirCodecOptionsAndWarnWhenTooLow)
{
    const std::string warning =
        "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s";
    job->ParseOption("b", "64000");
    EXPECT_FALSE(Logged(llWarning, warning));
    job->ParseOption("ab", "64");
    EXPECT_TRUE(Logged(llWarning, warning));
    std::int64_t video = 0;
    std::int64_t audio = 0;
    ASSERT_GE(FF.av_opt_get_int(job->FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], "b", 0, &video), 0);
    ASSERT_GE(FF.av_opt_get_int(job->FOptions.avcodec_opts[AVMEDIA_TYPE_AUDIO], "b", 0, &audio), 0);
    EXPECT_EQ(video, 64000);
    EXPECT_EQ(audio, 64);
}

TEST_F(FFmpegDispatchTest, PrivateOptionsReachTheCodecAndMuxerStores)
{
    job->ParseOption("preset", "ultrafast"); // libx264's own option
    job->ParseOption("muxrate", "1411200");  // the MPEG muxers' own option
    const AVDictionaryEntry* preset =
        FF.av_dict_get(job->FOptions.CodecPrivateOpts[AVMEDIA_TYPE_VIDEO], "preset", nullptr, 0);
    const AVDictionaryEntry* muxrate = FF.av_dict_get(job->FOptions.FormatPrivateOpts, "muxrate", nullptr, 0);
    ASSERT_NE(preset, nullptr);
    ASSERT_NE(muxrate, nullptr);
    EXPECT_STREQ(preset->value, "ultrafast");
    EXPECT_STREQ(muxrate->value, "1411200");
}

TEST(FFmpegDispatchTable, EveryNameHasOneRowAndAHandler)
{
    std::set<std::string> names;
    for (const TOptionRow& row : OptionTable()) {
        EXPECT_TRUE(names.insert(row.Name).second) << row.Name;
        EXPECT_NE(row.Handler, nullptr) << row.Name;
    }
    for (const char* name : {"L", "loglevel", "f", "map", "itsscale", "vhook", "newsubtitle", "muxpreload", "fpre"})
        EXPECT_TRUE(names.count(name)) << name;
}

} // namespace
} // namespace tovrel::test
