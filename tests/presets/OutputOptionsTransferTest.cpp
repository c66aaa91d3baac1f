// Pending settings and row columns into a task's output options.
#include <gtest/gtest.h>

#include "app/presets/BoxConversions.h"
#include "app/presets/OutputOptionsTransfer.h"
#include "app/presets/PresetKeys.h"
#include "app/presets/PresetStep.h"
#include "app/presets/ValueListStep.h"
#include "platform/rtl/Exceptions.h"

namespace tovrel::test {
namespace {

TOutputOptions Defaults()
{
    TOutputOptions options;
    InitOutputOptions(options);
    return options;
}

TEST(ApplyPendingSettings, SkipsOnlyTheNotSetValues)
{
    TOutputOptions options = Defaults();
    options.VideoBitrate = 5;
    options.AudioSampleRate = 7;
    options.FrameRate = "keep";
    options.VideoCodec = "keep";
    options.VideoPreset = "keep";
    TPendingOutputSettings pending;
    pending.Video_VideoBitrate = AutoBitrate;
    pending.Video_AudioBitrate = -1; // the reset value is copied
    pending.Video_AudioSampleRate = std::string(AutoValue);
    ApplyPendingSettings(pending, options);
    EXPECT_EQ(options.VideoBitrate, 5);
    EXPECT_EQ(options.AudioBitrate, -1);
    EXPECT_EQ(options.AudioSampleRate, 7);
    EXPECT_EQ(options.FrameRate, "keep");
    EXPECT_EQ(options.VideoCodec, "keep");
    EXPECT_EQ(options.VideoPreset, "keep");
    EXPECT_EQ(options.AudioVolume, 256);
    EXPECT_EQ(options.NormType, TOptionNormType::ntAuto);
}

TEST(ApplyPendingSettings, CodecBringsItsPresetAndTextsMapExactly)
{
    const struct {
        const char* Codec;
        const char* Target;
        const char* Norm;
        const char* Preset;
        TOptionTargetType TargetType;
        TOptionNormType NormType;
    } cases[] = {
        {"libx264", "dvd", "PAL", "libx264-default", TOptionTargetType::ttDVD, TOptionNormType::ntPAL},
        {"mpeg4", "svcd", "NTSC", "", TOptionTargetType::ttSVCD, TOptionNormType::ntNTSC},
        {"wmv2", "vcd", "", "", TOptionTargetType::ttVCD, TOptionNormType::ntAuto},
        {"libxvid", "DVD", "pal", "", TOptionTargetType::ttIgnore, TOptionNormType::ntAuto},
    };
    for (const auto& c : cases) {
        TOutputOptions options = Defaults();
        options.VideoPreset = "stale";
        options.TargetType = TOptionTargetType::ttDVD;
        TPendingOutputSettings pending;
        pending.Video_VideoCodec = c.Codec;
        pending.Video_TargetType = c.Target;
        pending.Video_NormType = c.Norm;
        ApplyPendingSettings(pending, options);
        EXPECT_EQ(options.VideoCodec, c.Codec);
        EXPECT_EQ(options.VideoPreset, c.Preset) << c.Codec;
        EXPECT_EQ(options.TargetType, c.TargetType) << c.Target;
        EXPECT_EQ(options.NormType, c.NormType) << c.Norm;
    }
}

TEST(ApplyPendingSettings, NumbersThatAreNotWholeAreRefused)
{
    for (auto field : {&TPendingOutputSettings::Video_AudioChannels, &TPendingOutputSettings::Video_AudioSampleRate,
                       &TPendingOutputSettings::Video_AudioVolume}) {
        TPendingOutputSettings pending;
        pending.*field = "2.5";
        TOutputOptions options = Defaults();
        EXPECT_THROW(ApplyPendingSettings(pending, options), EConvertError);
    }
}

TEST(ApplyRowSettings, DropsTheTagForLibx264AndAppliesTheExtension)
{
    TRowSettingsColumns row;
    row.colVideoCodec = "libx264";
    row.colVideoTag = "XVID";
    row.colFileExt = ".mp4";
    row.colVideoBitrate = "-1000";
    row.colAudioBitrate = "-1000";
    row.colAudioSampleRate = "AUTO";
    row.colDisableVideo = "";
    TOutputOptions options = Defaults();
    options.AudioBitrate = 9;
    ApplyRowSettings(row, options);
    EXPECT_EQ(options.VideoPreset, "libx264-default");
    EXPECT_EQ(options.VideoTag, "");
    EXPECT_EQ(options.FileExt, ".mp4");
    EXPECT_EQ(options.VideoBitrate, -1000);
    EXPECT_EQ(options.AudioBitrate, 9);
    EXPECT_EQ(options.AudioSampleRate, Defaults().AudioSampleRate);
    EXPECT_FALSE(options.DisableVideo);
    EXPECT_EQ(options.AudioVolume, Defaults().AudioVolume);

    row.colVideoCodec = "mpeg4";
    row.colDisableVideo = "True";
    ApplyRowSettings(row, options);
    EXPECT_EQ(options.VideoTag, "XVID");
    EXPECT_EQ(options.VideoPreset, "");
    EXPECT_TRUE(options.DisableVideo);
}

// Every main key, with its default box texts, goes through the whole chain of
// rules; a row built from the settings converts like the settings themselves.
TEST(PresetChain, EveryMainKeyGivesTheSameOptionsDirectlyAndThroughItsRow)
{
    for (const TFormatItem& format : MainPresets().Formats()) {
        SCOPED_TRACE(format.Key);
        TPendingOutputSettings pending;
        ASSERT_EQ(
            RunPresetStep(format.CategoryPosition, format.FormatIndex, {"/in/clip.avi", "/out", true, {}}, pending),
            format.Key);
        const TParameterBoxesFill fill = FillParameterBoxes(MainPresets(), format.Key);
        TBoxTexts texts;
        for (TParameterBox box : ParameterBoxes) {
            const TBoxFill& b = fill.Boxes[BoxIndex(box)];
            texts[BoxIndex(box)] = b.Items.at(b.Selected);
        }
        ApplyBoxTexts(texts, pending);

        TOutputOptions direct = Defaults();
        ApplyPendingSettings(pending, direct);
        TOutputOptions throughRow = Defaults();
        ApplyRowSettings(RowSettingsFromPending(pending), throughRow);

        EXPECT_EQ(direct.DisableVideo, MainPresets().Defaults(format.Key)->AudioOnly);
        EXPECT_EQ(direct.VideoCodec, throughRow.VideoCodec);
        EXPECT_EQ(direct.VideoPreset, throughRow.VideoPreset);
        EXPECT_EQ(direct.AudioCodec, throughRow.AudioCodec);
        EXPECT_EQ(direct.AudioChannels, throughRow.AudioChannels);
        EXPECT_EQ(direct.AudioSampleRate, throughRow.AudioSampleRate);
        EXPECT_EQ(direct.AudioBitrate, throughRow.AudioBitrate);
        EXPECT_EQ(direct.FrameSize, throughRow.FrameSize);
        EXPECT_EQ(direct.FrameRate, throughRow.FrameRate);
        EXPECT_EQ(direct.FrameAspectRatio, throughRow.FrameAspectRatio);
        EXPECT_EQ(direct.DisableVideo, throughRow.DisableVideo);
        EXPECT_EQ(direct.TargetType, throughRow.TargetType);
        EXPECT_EQ(direct.NormType, throughRow.NormType);
        if (pending.Video_VideoBitrate != AutoBitrate) { // the row keeps -1000; the engine ignores it
            EXPECT_EQ(direct.VideoBitrate, throughRow.VideoBitrate);
        }
    }
}

} // namespace
} // namespace tovrel::test
