// The preset step's output name and settings, against a real temporary folder.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/presets/PresetStep.h"

namespace tovrel::test {
namespace {

namespace fs = std::filesystem;

class OutputName : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tovrel-presets-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Folder = pattern;
    }
    void TearDown() override { fs::remove_all(Folder); }

    void Touch(const std::string& name) { std::ofstream(Folder / name) << "x"; }
    std::string In(const std::string& name) const { return (Folder / name).string(); }

    std::string Step(int category, int format, const std::string& input, bool overwrite = false, TNameInUse inUse = {})
    {
        const std::string folder = Folder.string();
        RunPresetStep(category, format, {input, folder, overwrite, std::move(inUse)}, Pending);
        return Pending.Video_OutPutFileName;
    }

    fs::path Folder;
    TPendingOutputSettings Pending;
};

TEST_F(OutputName, NumbersFromOneAndReusesGaps)
{
    EXPECT_EQ(Step(0, 0, "/in/clip.avi"), In("clip.mp4"));
    Touch("clip.mp4");
    EXPECT_EQ(Step(0, 0, "/in/clip.avi"), In("clip_1.mp4"));
    Touch("clip_1.mp4");
    EXPECT_EQ(Step(0, 0, "/in/clip.avi"), In("clip_2.mp4"));
    EXPECT_EQ(Step(0, 0, "/in/clip.avi", true), In("clip.mp4"));
    fs::remove(Folder / "clip_1.mp4");
    Touch("clip_2.mp4");
    EXPECT_EQ(Step(0, 0, "/in/clip.avi"), In("clip_1.mp4"));
}

TEST_F(OutputName, FoldersDoNotCountButEarlierRowsAlwaysDo)
{
    fs::create_directory(Folder / "clip.mp4");
    EXPECT_EQ(Step(0, 0, "/in/clip.avi"), In("clip.mp4"));

    const std::set<std::string> given = {In("take.mp4"), In("take_1.mp4")};
    const TNameInUse inUse = [&](const std::string& name) { return given.count(name) > 0; };
    EXPECT_EQ(Step(0, 0, "/in/take.mov", false, inUse), In("take_2.mp4"));
    // Overwriting an old file is allowed; two tasks writing one file are not.
    EXPECT_EQ(Step(0, 0, "/in/take.mov", true, inUse), In("take_2.mp4"));
}

TEST_F(OutputName, InputNameKeepsEverythingBeforeItsLastDot)
{
    EXPECT_EQ(Step(0, 0, "/in/my.holiday.2020.avi"), In("my.holiday.2020.mp4"));
    EXPECT_EQ(Step(0, 0, "/in.dir/noext"), In("noext.mp4"));
    EXPECT_EQ(Step(0, 0, "/in/clip.avi"), In("clip.mp4"));
    TPendingOutputSettings pending;
    RunPresetStep(0, 0, {"/in/clip.avi", "/out/", false, {}}, pending);
    EXPECT_EQ(pending.Video_OutPutFileName, "/out/clip.mp4");
}

TEST_F(OutputName, ProfileExtensionWinsOverTheTitle)
{
    EXPECT_EQ(Step(5, 0, "/in/clip.mkv"), In("clip.avi"));   // 3200 "(*.mp4)"
    EXPECT_EQ(Step(12, 9, "/in/clip.mkv"), In("clip.mp4"));  // 909 "(*.avi)"
    EXPECT_EQ(Step(12, 1, "/in/clip.mkv"), In("clip.mpeg")); // 901 "(*.mpg)"
    EXPECT_EQ(Step(7, 6, "/in/clip.mkv"), In("clip.wmv"));
    EXPECT_EQ(Pending.Video_FileExt, ".asf");
}

TEST_F(OutputName, KeyWithoutProfileLeavesResetValuesAndTheBareFolder)
{
    Pending.Video_VideoCodec = "stale";
    const std::optional<int> key = RunPresetStep(0, -1, {"/in/clip.avi", Folder.string(), false, {}}, Pending);
    EXPECT_EQ(key, 1099);
    TPendingOutputSettings expected;
    expected.Video_OutPutFileName = Folder.string() + "/";
    EXPECT_EQ(Pending, expected);
    EXPECT_EQ(RunPresetStep(16, 0, {"/in/clip.avi", Folder.string(), false, {}}, Pending), std::nullopt);
}

TEST_F(OutputName, MainStepResetsThenWritesTheWholeProfile)
{
    Step(0, 0, "/in/clip.avi");
    TPendingOutputSettings expected;
    expected.Video_OutPutFileName = In("clip.mp4");
    expected.Video_FileExt = ".mp4";
    expected.Video_VideoCodec = "mpeg4";
    expected.Video_FrameSize = "320*240";
    expected.Video_FrameRate = "25";
    expected.Video_VideoBitrate = 528000;
    expected.Video_AudioCodec = "libmp3lame";
    expected.Video_AudioChannels = "2";
    expected.Video_AudioSampleRate = "44100";
    expected.Video_AudioBitrate = 128000;
    EXPECT_EQ(Pending, expected);

    Step(15, 2, "/in/song.wav"); // 1202: audio only
    EXPECT_TRUE(Pending.Video_DisableVideo);
    EXPECT_EQ(Pending.Video_VideoCodec, "");
    EXPECT_EQ(Pending.Video_VideoBitrate, -1);
    EXPECT_EQ(Pending.Video_FileExt, "");
    EXPECT_EQ(Pending.Video_OutPutFileName, In("song.flv"));

    Step(8, 8, "/in/film.avi"); // 1408: DVD
    const TRowSettingsColumns row = RowSettingsFromPending(Pending);
    EXPECT_EQ(row.colVideoBitrate, "-1000");
    EXPECT_EQ(row.colAudioBitrate, "-1000");
    EXPECT_EQ(row.colTargetType, "dvd");
    EXPECT_EQ(row.colNormType, "PAL");
    EXPECT_EQ(row.colDisableVideo, "False");
    EXPECT_EQ(row.colFileExt, "");
}

TEST_F(OutputName, DialogStepLeavesFieldsItsProfileDoesNotAssign)
{
    const TPresetStepContext context{"/in/clip.avi", Folder.string(), false, {}};
    Pending.Video_VideoCodec = "keep";
    Pending.Video_FileExt = ".keep";
    Pending.Video_AudioCodec = "keep";
    EXPECT_EQ(RunDialogPresetStep(1, 0, context, Pending), 200);
    EXPECT_TRUE(Pending.Video_DisableVideo);
    EXPECT_EQ(Pending.Video_VideoCodec, "keep");
    EXPECT_EQ(Pending.Video_AudioCodec, "libmp3lame");
    EXPECT_EQ(Pending.Video_OutPutFileName, In("clip.mp3"));

    EXPECT_EQ(RunDialogPresetStep(0, 11, context, Pending), 111);
    EXPECT_FALSE(Pending.Video_DisableVideo);
    EXPECT_EQ(Pending.Video_TargetType, "dvd");
    EXPECT_EQ(Pending.Video_FileExt, ".mp3"); // the disc profile leaves it

    RunDialogPresetStep(0, 14, context, Pending); // 114: RM
    EXPECT_EQ(Pending.Video_VideoCodec, "rv20");
    EXPECT_EQ(Pending.Video_AudioBitrate, -1000); // kept from 111
    EXPECT_EQ(Pending.Video_OutPutFileName, In("clip.rm"));

    Pending = {};
    Pending.Video_OutPutFileName = "/elsewhere/old.avi";
    RunDialogPresetStep(-1, 5, context, Pending); // key 5: no profile, the name is still made unique here
    EXPECT_EQ(Pending.Video_OutPutFileName, In("old.avi"));
}

} // namespace
} // namespace tovrel::test
