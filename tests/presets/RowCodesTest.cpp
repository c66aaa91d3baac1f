// Codes and texts of a file-list row.
#include <gtest/gtest.h>

#include "app/presets/OutputFileName.h"
#include "app/presets/PresetKeys.h"
#include "app/presets/RowCodes.h"

namespace tovrel::test {
namespace {

TEST(RowCodes, RowCategoryCodeRoundTrips)
{
    EXPECT_EQ(RowCategoryCode(0, 0), 100);
    EXPECT_EQ(RowCategoryCode(7, 2), 802);
    EXPECT_EQ(RowCategoryCode(5, 15), 615);
    EXPECT_EQ(RowCategoryCode(15, 3), 1603);
    const TCategoryFormatPositions decoded = DecodeRowCategoryCode(1307);
    EXPECT_EQ(decoded.CategoryPosition, 12);
    EXPECT_EQ(decoded.FormatPosition, 7);
    for (int category = 0; category < 16; ++category) {
        for (int format = 0; format < 16; ++format) {
            const TCategoryFormatPositions back = DecodeRowCategoryCode(RowCategoryCode(category, format));
            EXPECT_EQ(back.CategoryPosition, category);
            EXPECT_EQ(back.FormatPosition, format);
        }
    }
}

TEST(RowCodes, OptionCodePairsFollowTheirOwnBoxOrder)
{
    // frame size, video bitrate, frame rate, audio bitrate, sample rate, aspect
    EXPECT_EQ(MakeOptionCode({4, 3, 9, 10, 4, 0}), "040310000904");
    const std::optional<TPerBox<int>> decoded = DecodeOptionCode("031200000000");
    ASSERT_TRUE(decoded);
    EXPECT_EQ((*decoded)[BoxIndex(TParameterBox::FrameSize)], 3);
    EXPECT_EQ((*decoded)[BoxIndex(TParameterBox::VideoBitrate)], 12);
    EXPECT_EQ(DecodeOptionCode("04031000090"), std::nullopt);
    EXPECT_EQ(DecodeOptionCode("0403100009x4"), std::nullopt);

    std::string code = "040310000904";
    code = ReplaceOptionCodePair(code, TParameterBox::FrameSize, 11);
    EXPECT_EQ(code, "110310000904");
    code = ReplaceOptionCodePair(code, TParameterBox::SampleRate, 2);
    EXPECT_EQ(code, "110310000902");
    EXPECT_EQ(ReplaceOptionCodePair("", TParameterBox::FrameRate, 27), "000000002700");
    EXPECT_THROW(TwoDigitPosition(-1), std::out_of_range);
    EXPECT_THROW(TwoDigitPosition(100), std::out_of_range);
}

TEST(RowCodes, SecToDateWrapsAtADay)
{
    const std::pair<int, const char*> cases[] = {
        {0, "00:00:00"}, {59, "00:00:59"}, {3600, "01:00:00"}, {86399, "23:59:59"}, {90061, "01:01:01"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(SecToDate(seconds), text) << seconds;
}

TEST(RowCodes, SizeTextRoundsHalfToEvenInHundredthsOfAMebibyte)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0MB"},           {1048576, "1MB"},  {1500000, "1.43MB"}, {1536000, "1.46MB"},
        {13107200, "12.5MB"}, {73400, "0.07MB"}, {3145728, "3MB"},    {5242, "0MB"}, // 0.004999 MiB
        {5243, "0.01MB"},                                                            // 0.0050001 MiB
        {131072, "0.12MB"}, // 0.125 MiB: the half goes to the even hundredth
        {393216, "0.38MB"}, // 0.375 MiB
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(SizeText(bytes), text) << bytes;
}

TEST(RowCodes, FormatTitleExtensionSpellsOutLongExtensions)
{
    const std::pair<const char*, const char*> cases[] = {{"MP4视频(*.mp4)", ".mp4"},
                                                         {"RM - REAL视频格式(*.rm)", ".rm"},
                                                         {"音频(*.ra)", ".ra"},
                                                         {"FLAC-音频格式(*.flac)", ".flac"},
                                                         {"ALAC-音频(*.alac) ", ".alac"},
                                                         {"AIFF(*.aiff)", ".aiff"},
                                                         {"Xbox(*.mpeg)", ".mpeg"},
                                                         {"(*.3g2))", "3g2)"},
                                                         {"abc", ""}};
    for (const auto& [title, ext] : cases)
        EXPECT_EQ(FormatTitleExtension(title), ext) << title;
}

TEST(RowCodes, FormatChangeReplacesOnlyTheNameExtension)
{
    EXPECT_EQ(ReplaceFileNameExtension("clip.avi", ".mp4"), "clip.mp4");
    EXPECT_EQ(ReplaceFileNameExtension("my.clip.v2.avi", ".mp4"), "my.clip.v2.mp4");
    EXPECT_EQ(ReplaceFileNameExtension("clip", ".mp4"), "clip.mp4");
    EXPECT_EQ(ReplaceFileNameExtension("/a.b/clip", ".mp4"), "/a.b/clip.mp4");
}

} // namespace
} // namespace tovrel::test
