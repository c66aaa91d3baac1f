#include "media/engine/FFmpegOptionsApply.h"

#include "media/engine/FFmpegTasks.h"
#include "media/engine/FFmpegTasksTask.h"

#include "FFmpegEngineFake.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

namespace tovrel::test {
namespace {

using test::TFakeScript;
using test::TFakeTranscoder;
using Calls = std::vector<std::string>;

class OptionsApplyTest : public ::testing::Test {
protected:
    void SetUp() override { TMainThread::SetCurrent(); }

    // The calls the output record makes, from its first handler to its last.
    Calls Apply(TOutputOptions& options, const std::string& fileName = "out.mp4")
    {
        script_->ClearCalls();
        EXPECT_TRUE(ApplyOutputOptionsAndOpen(task_, fileName, options, [this] { script_->Record("bind hook"); }));
        return script_->Calls();
    }

    std::shared_ptr<TFakeScript> script_ = std::make_shared<TFakeScript>();
    TFFmpeg task_{20, std::make_unique<TFakeTranscoder>(script_)};
};

// The n-th acodec line of the text belongs to the n-th new audio stream; the
// first one is also the output's own codec.
TEST_F(OptionsApplyTest, NewStreamsTakeTheirOwnLinesInTurnThenTheDefault)
{
    struct Case {
        const char* audioCodec;
        const char* text;
        Calls calls;
    } cases[] = {
        {"",
         "acodec=aac\nnewaudio=\nacodec=mp2\nnewaudio=",
         {"acodec=aac", "open output out.mp4", "acodec=aac", "newaudio=", "acodec=mp2", "newaudio="}},
        {"mp2", "newaudio=", {"acodec=mp2", "open output out.mp4", "acodec=mp2", "newaudio="}},
        {"mp2",
         "newaudio=\nnewaudio=",
         {"acodec=mp2", "open output out.mp4", "acodec=mp2", "newaudio=", "acodec=mp2", "newaudio="}},
        {"",
         "vcodec=h264<CRLF>vpre=fast<CRLF>vfilters=yadif<CRLF>newvideo=",
         {"vcodec=h264", "preset:vpre=fast", "vfilters=yadif", "open output out.mp4", "vcodec=h264", "vpre=fast",
          "vf=yadif", "newvideo="}},
        {"",
         "newsubtitle=\nscodec=mov_text",
         {"scodec=mov_text", "open output out.mp4", "scodec=mov_text", "newsubtitle="}},
    };
    for (const Case& c : cases) {
        TOutputOptions options;
        options.AudioCodec = c.audioCodec;
        options.ExtOptions = c.text;
        EXPECT_EQ(Apply(options), c.calls) << c.text;
    }
}

TEST_F(OptionsApplyTest, AnOutputRecordReachesTheEngineInItsOrder)
{
    TOutputOptions o;
    o.TargetType = TOptionTargetType::ttDVD;
    o.NormType = TOptionNormType::ntNTSC;
    o.VideoCodec = "mpeg2video";
    o.AudioPreset = "hq";
    o.FrameSize = "720x480";
    o.VideoFilters = "yadif";
    o.ExtOptions = "vb=1\nQScale=3\ns=640x480\nvf=crop\nnewvideo=";
    o.FileFormat = "dvd";
    o.PacketSize = 2048;
    o.MuxRate = 10080000;
    o.MuxDelay = 0.25f;
    o.MuxPreload = 0;
    o.AudioVolume = 0;
    o.AudioChannels = 0;
    o.AudioSampleRate = 48000;
    o.AudioBitrate = 192000;
    o.AudioTag = "abcd";
    o.DisableSubtitle = true;
    o.FrameRate = "30000/1001";
    o.FrameAspectRatio = "16:9";
    o.CropTop = 8;
    o.CropRight = 0;
    o.GroupPictureSize = 18;
    o.VideoBitrate = 6000000;
    o.VideoBufSize = 1835008;
    o.VideoTag = "mpg2";
    o.TimeLength = 5000000;
    o.Info.Year = 2009;
    o.Info.Title = "Title";
    o.Info.Genre = "Genre";
    o.CustomHook = true;
    o.Join = true;

    const Calls expected{"target:dvd,ntsc,pal", "vcodec=mpeg2video", "preset:apre=hq",
                         // the output's own option text: stream names are left to the record
                         "vb=1", "qscale=3",
                         // the numbers, in the record's order
                         "f=dvd", "av:packetsize=2048", "av:muxrate=10080000", "ar=48000", "av:ab=192000", "atag=abcd",
                         "r=30000/1001", "aspect=16:9", "croptop=8", "av:g=18", "av:vb=6000000", "av:bufsize=1835008",
                         "vtag=mpg2",
                         // size and filters: the record's defaults win over the text's lines
                         "s=720x480", "vfilters=yadif", "bind hook", "open output out.vob join",
                         // the new stream takes the text's lines
                         "vcodec=mpeg2video", "s=640x480", "vf=crop", "newvideo="};
    EXPECT_EQ(Apply(o, "out.vob"), expected);

    EXPECT_EQ(task_.Faudio_volume, 0) << "volume 0 is a setting (mute)";
    EXPECT_EQ(task_.Faudio_channels, 2) << "0 channels is not";
    EXPECT_FLOAT_EQ(task_.Fmux_max_delay, 0.25f);
    EXPECT_FLOAT_EQ(task_.Fmux_preload, 0.5f);
    EXPECT_TRUE(task_.Fsubtitle_disable);
    EXPECT_FALSE(task_.Faudio_disable);
    EXPECT_EQ(task_.Frecording_time, 5000000);
    EXPECT_EQ(task_.FTotalOutputDuration, 5000000);
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(task_.Fmetadata, (std::vector<Entry>{{"year", "2009"}, {"title", "Title"}, {"genre", "Genre"}}));
    ASSERT_NE(task_.OutputOptions(0), nullptr);
    EXPECT_EQ(task_.OutputOptions(0)->FileName, "out.vob");
    EXPECT_EQ(o.FileName, "out.vob") << "the caller's record takes the given name";
}

TEST_F(OptionsApplyTest, TargetNormTexts)
{
    struct Case {
        TOptionTargetType type;
        TOptionNormType norm;
        TOptionNormDefault normDefault;
        const char* call;
    } cases[] = {
        {TOptionTargetType::ttVCD, TOptionNormType::ntAuto, TOptionNormType::ntPAL, "target:vcd,auto,pal"},
        {TOptionTargetType::ttSVCD, TOptionNormType::ntPAL, TOptionNormType::ntNTSC, "target:svcd,pal,ntsc"},
        {TOptionTargetType::ttIgnore, TOptionNormType::ntPAL, TOptionNormType::ntPAL, "open output out.mp4"},
    };
    for (const Case& c : cases) {
        TOutputOptions options;
        options.TargetType = c.type;
        options.NormType = c.norm;
        options.NormDefault = c.normDefault;
        EXPECT_EQ(Apply(options).front(), c.call);
    }
}

class ZoneTest : public OptionsApplyTest {
protected:
    void SetZone(const char* zone)
    {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    void TearDown() override
    {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    std::optional<std::string> saved_ =
        std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

TEST_F(ZoneTest, TheTimeStampBecomesUnixSecondsOfTheLocalTime)
{
    struct Case {
        const char* zone;
        double timeStamp;
        std::int64_t seconds;
    } cases[] = {
        {"UTC0", 25569.0, 0},
        {"UTC0", 25570.5, 129600},
        {"UTC0", -1.0, 77},                                  // below 0: nothing
        {"CET-1CEST,M3.5.0,M10.5.0/3", 44013.5, 1593597600}, // 2020-07-01 12:00 summer time
        {"CET-1CEST,M3.5.0,M10.5.0/3", 43831.5, 1577876400}, // 2020-01-01 12:00 winter time
    };
    for (const Case& c : cases) {
        SetZone(c.zone);
        task_.Frecording_timestamp = 77;
        TOutputOptions options;
        options.Info.TimeStamp = c.timeStamp;
        Apply(options);
        EXPECT_EQ(task_.Frecording_timestamp, c.seconds) << c.zone << " " << c.timeStamp;
    }
}

TEST_F(OptionsApplyTest, TimeStampZeroMeansNow)
{
    TOutputOptions options;
    options.Info.TimeStamp = 0;
    const std::int64_t before = std::time(nullptr);
    Apply(options);
    EXPECT_GE(task_.Frecording_timestamp, before);
    EXPECT_LE(task_.Frecording_timestamp, std::time(nullptr) + 1) << "rounded to the nearest second";
}

TEST_F(OptionsApplyTest, AnInputRecordAppliesItsTextThenFormatStartAndProgram)
{
    TInputOptions options;
    options.ExtOptions = "S\nACodec=mp3\nnewvideo=\nvfilters=x\nvpre=y";
    options.FileFormat = "avi";
    options.TimeStart = 1000;
    options.ProgramID = 2;
    script_->ClearCalls();
    ApplyInputOptions(task_, "in.avi", options);
    EXPECT_EQ(script_->Calls(), (Calls{"s=", "acodec=mp3", "f=avi"}));
    EXPECT_EQ(task_.Fstart_time, 1000);
    EXPECT_EQ(task_.Fopt_programid, 2);
    EXPECT_EQ(options.FileName, "in.avi");
    ASSERT_NE(task_.InputOptions(0), nullptr);
    EXPECT_EQ(task_.InputOptions(0)->ProgramID, 2);
}

TEST_F(OptionsApplyTest, UnsetValuesLeaveTheEngineAlone)
{
    TInputOptions options;
    task_.Fstart_time = 5;
    task_.Fopt_programid = 3;
    ApplyInputOptions(task_, "in.avi", options);
    EXPECT_EQ(task_.Fstart_time, 5);
    EXPECT_EQ(task_.Fopt_programid, 3);

    TOutputOptions output;
    EXPECT_EQ(Apply(output), (Calls{"open output out.mp4"}));
    EXPECT_EQ(task_.Frecording_time, INT64_MAX);
    EXPECT_EQ(task_.FTotalOutputDuration, -1);
    EXPECT_EQ(task_.Faudio_volume, 256);
}

} // namespace
} // namespace tovrel::test
