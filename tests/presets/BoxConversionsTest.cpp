// Box texts to pending settings.
#include <gtest/gtest.h>

#include "app/presets/BoxConversions.h"
#include "platform/rtl/Exceptions.h"

namespace tovrel::test {
namespace {

struct TTextCase {
    TParameterBox Box;
    const char* Text;
    const char* Value; // the pending setting as the row column shows it
};

const TTextCase TextCases[] = {
    {TParameterBox::FrameSize, "保持原分辨率", ""},
    {TParameterBox::FrameSize, "该格式无视频", ""},
    {TParameterBox::FrameSize, "320*240", "320*240"},
    {TParameterBox::FrameRate, "保持原帧速率", ""},
    {TParameterBox::FrameRate, "无视频", ""},
    {TParameterBox::FrameRate, "29.97", "29.97"},
    {TParameterBox::FrameRate, "12", "12"},
    {TParameterBox::VideoBitrate, "无视频", "-1000"},
    {TParameterBox::VideoBitrate, "816 kbps", "816000"},
    {TParameterBox::VideoBitrate, "8 kbps", "8000"},
    {TParameterBox::AudioBitrate, "自动音频比特率", "-1000"},
    {TParameterBox::AudioBitrate, "96 kbps", "96000"},
    {TParameterBox::AudioBitrate, "4.75 kbps", "4750"},
    {TParameterBox::AudioBitrate, "7.4 kbps", "7400"},
    {TParameterBox::AudioBitrate, "12.2 kbps", "12200"},
    {TParameterBox::AudioBitrate, "5.15 kbps", "5150"},
    {TParameterBox::SampleRate, "44100", "44100"},
    {TParameterBox::SampleRate, "自动音频采样率", ""}, // the change handler's rule
    {TParameterBox::Aspect, "保持原视频模式", ""},
    {TParameterBox::Aspect, "无视频", ""},
    {TParameterBox::Aspect, "普通视频4:3模式", "4:3"},
    {TParameterBox::Aspect, "宽屏视频16:9模式", "16:9"},
    {TParameterBox::Aspect, "宽屏视频37:20模式", "37:20"},
    {TParameterBox::Aspect, "宽屏视频47:20模式", "47:20"},
};

TEST(BoxConversions, EachBoxTextBecomesItsSetting)
{
    for (const TTextCase& c : TextCases) {
        TPendingOutputSettings pending;
        EXPECT_EQ(ApplyBoxText(c.Box, c.Text, pending), c.Value) << c.Text;
    }
}

TEST(BoxConversions, EveryItemOfEveryListConverts)
{
    for (const TPresetCatalog* catalog : {&MainPresets(), &DialogPresets()}) {
        for (const TValueList& list : catalog->Lists()) {
            for (const std::string& item : list.Items) {
                TPendingOutputSettings pending;
                EXPECT_NO_THROW(ApplyBoxText(list.Box, item, pending)) << list.Id << " " << item;
                if (list.Box == TParameterBox::Aspect && item != "保持原视频模式" && item != "无视频") {
                    EXPECT_FALSE(pending.Video_FrameAspectRatio.empty()) << item;
                }
            }
        }
    }
}

TEST(BoxConversions, UnknownAspectKeepsThePreviousValue)
{
    TPendingOutputSettings pending;
    pending.Video_FrameAspectRatio = "47:20";
    EXPECT_EQ(ApplyBoxText(TParameterBox::Aspect, "宽屏视频99:1模式", pending), "47:20");
    EXPECT_EQ(ApplyBoxText(TParameterBox::Aspect, "保持原视频模式", pending), "");
}

TEST(BoxConversions, BitrateTextsWithoutANumberAreRefused)
{
    for (const char* text : {"", "kbps", "abc kbps", "128", "1.2.3 kbps", "99999999 kbps", "4.7555 kbps"}) {
        EXPECT_THROW(AudioBitrateFromBoxText(text), EConvertError) << text;
    }
    for (const char* text : {"", "kbps", "12.5 kbps", "x kbps"}) {
        EXPECT_THROW(VideoBitrateFromBoxText(text), EConvertError) << text;
    }
}

TEST(BoxConversions, BoxStepWritesAllSixAndMarksTheAutoSampleRate)
{
    TPendingOutputSettings pending;
    pending.Video_FrameAspectRatio = "4:3";
    ApplyBoxTexts({"该格式无视频", "无视频", "无视频", "128 kbps", "自动音频采样率", "无视频"}, pending);
    EXPECT_EQ(pending.Video_FrameSize, "");
    EXPECT_EQ(pending.Video_FrameRate, "");
    EXPECT_EQ(pending.Video_VideoBitrate, AutoBitrate);
    EXPECT_EQ(pending.Video_AudioBitrate, 128000);
    EXPECT_EQ(pending.Video_AudioSampleRate, "AUTO");
    EXPECT_EQ(pending.Video_FrameAspectRatio, "");
}

TEST(BoxConversions, BoxStepStopsAtABadTextKeepingEarlierFields)
{
    TPendingOutputSettings pending;
    pending.Video_AudioSampleRate = "22050";
    EXPECT_THROW(ApplyBoxTexts({"640*480", "", "25.00", "128 kbps", "44100", "保持原视频模式"}, pending),
                 EConvertError);
    EXPECT_EQ(pending.Video_FrameSize, "640*480");
    EXPECT_EQ(pending.Video_FrameRate, "25.00");
    EXPECT_EQ(pending.Video_AudioSampleRate, "22050");
}

} // namespace
} // namespace tovrel::test
