#include "media/engine/FFmpegOptions.h"

#include <gtest/gtest.h>

namespace tovrel::test {
namespace {

using Lines = std::vector<TOptionLine>;

TEST(OptionText, LineBreaksOfEveryKindAndTheCrlfMarkerSplitAlike)
{
    const Lines expected{{"vcodec", "mpeg4"}, {"ab", "128000"}};
    for (const char* text : {"vcodec=mpeg4<CRLF>ab=128000", "vcodec=mpeg4\r\nab=128000", "vcodec=mpeg4\nab=128000",
                             "vcodec=mpeg4\rab=128000", "  \tvcodec=mpeg4\nab=128000\r\n  "})
        EXPECT_EQ(ParseOptionText(text), expected) << text;
}

TEST(OptionText, LinesAreCutAtTheFirstEqualsSign)
{
    struct Case {
        const char* text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"s", {{"s", ""}}},
        {"metadata=title=a=b", {{"metadata", "title=a=b"}}},
        {"a=1\n\nb=", {{"a", "1"}, {"", ""}, {"b", ""}}},
        {"a=1<CRLF>", {{"a", "1"}}},
        {"x = y ", {{"x ", " y"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseOptionText(c.text), c.lines) << c.text;
}

TEST(OptionText, InputTextTakesTimeStartAndKeepsTheRest)
{
    const TInputOptions options = InputOptionsFromText("timestart=5000000\nS\nf=avi");
    EXPECT_EQ(options.TimeStart, 5000000);
    EXPECT_EQ(options.ExtOptions, "S=\nf=avi\n");
    EXPECT_TRUE(options.FileName.empty());
    EXPECT_EQ(InputOptionsFromText("TimeStart=soon").TimeStart, kUnsetTime);
}

TEST(OptionText, OutputKeysSetTheirFlagsWhateverTheValue)
{
    const TOutputOptions options = OutputOptionsFromText("Join=0\nHook\nTimeLength=$10\nTIMESTART=-3\nvb=800000");
    EXPECT_TRUE(options.Join);
    EXPECT_TRUE(options.CustomHook);
    EXPECT_EQ(options.TimeLength, 16);
    EXPECT_EQ(options.TimeStart, -3);
    EXPECT_EQ(options.ExtOptions, "vb=800000\n");
    EXPECT_TRUE(OutputOptionsFromText("customhook=no").CustomHook);
    EXPECT_EQ(OutputOptionsFromText("TimeLength=12x").TimeLength, kUnsetTime);
}

TEST(OptionRecords, InitRestoresEveryDefault)
{
    TOutputOptions output;
    output.AudioVolume = 0;
    output.Info.Year = 2001;
    output.NormDefault = TOptionNormType::ntNTSC;
    output.ExtOptions = "x=1";
    InitOutputOptions(output);
    EXPECT_EQ(output.AudioVolume, -1);
    EXPECT_EQ(output.Info.Year, -1);
    EXPECT_EQ(output.Info.TimeStamp, -1.0);
    EXPECT_EQ(output.NormDefault, TOptionNormType::ntPAL);
    EXPECT_EQ(output.VideoSyncMethod, -1);
    EXPECT_EQ(output.AudioSyncMethod, 0);
    EXPECT_EQ(output.TimeLength, kUnsetTime);
    EXPECT_TRUE(output.ExtOptions.empty());

    TInputOptions input;
    input.ProgramID = 3;
    input.TimeStart = 0;
    InitInputOptions(input);
    EXPECT_EQ(input.ProgramID, -1);
    EXPECT_EQ(input.TimeStart, kUnsetTime);
}

} // namespace
} // namespace tovrel::test
