#include "media/loader/FFmpegUtils.h"
#include "media/loader/FFmpegUtilsText.h"

#include "FFmpegLoaderTestSupport.h"
#include "FFmpegTestFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tovrel::test {
namespace {

class FFmpegUtilsRealTest : public TRealLibrariesTest {};

TEST(FFmpegUtilsText, ByteSizes)
{
    const struct {
        std::int64_t size;
        const char* text;
    } cases[] = {{1073741825, "1.00 GB"}, {1073741824, "1024.00 MB"}, {1048576, "1024.00 KB"},
                 {1025, "1.00 KB"},       {1024, "1024 Byte"},        {0, "0 Byte"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatByteSize(c.size), c.text) << c.size;
}

TEST(FFmpegUtilsText, DurationsAndFrameDurations)
{
    EXPECT_EQ(FormatDuration(0), "00:00:00.000");
    EXPECT_EQ(FormatDuration(((1 * 60 + 2) * 60 + 3) * 1000000LL + 4000), "01:02:03.004");
    EXPECT_EQ(FormatDuration(100 * 3600 * 1000000LL), "100:00:00.000");
    EXPECT_EQ(FormatDuration(AV_NOPTS_VALUE), "N/A");
    EXPECT_EQ(FrameDurationOf({25, 1}), 40000);
    EXPECT_EQ(FrameDurationOf({30000, 1001}), 33366);
    EXPECT_EQ(FrameDurationOf({0, 0}), 40000);
    EXPECT_EQ(FrameDurationOf({25, 0}), 40000);
}

// System reasons outside the table come from the library.
TEST_F(FFmpegUtilsRealTest, ErrorTextsKeepTheirMeaning)
{
    const struct {
        int code;
        const char* text;
    } cases[] = {{AVERROR(ENOENT), "a.wav: No such file or directory"},
                 {AVERROR(EIO), "a.wav: I/O error"},
                 {AVERROR(ENOMEM), "a.wav: Not enough memory"},
                 {AVERROR(EINVAL), "a.wav: Invalid data found when processing input"},
                 {AVERROR_INVALIDDATA, "a.wav: Invalid data found when processing input"},
                 {AVERROR_EOF, "a.wav: End of file"},
                 {AVERROR(EDOM), "a.wav: Number syntax expected in filename"},
                 {AVERROR_DEMUXER_NOT_FOUND, "a.wav: Unknown format"},
                 {AVERROR_PROTOCOL_NOT_FOUND, "a.wav: Unsupported network protocol"},
                 {AVERROR_PATCHWELCOME, "a.wav: Not yet implemented in FFmpeg"},
                 {AVERROR(EACCES), "a.wav: Permission denied"},
                 {AVERROR(ENOSPC), "a.wav: No space left on device"},
                 {-99999, "a.wav: Error number -99999 occurred"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatAVError("a.wav", c.code), c.text) << c.code;
}

TEST(FFmpegUtilsText, MediaTypeNames)
{
    const char* names[] = {"Video", "Audio", "Data", "Subtitle", "Attachment"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(MediaTypeName(i), names[i]);
    EXPECT_EQ(MediaTypeName(7), "Unknown");
    EXPECT_EQ(MediaTypeName(-1), "Unknown");
}

TEST(FFmpegUtils, SplitString)
{
    const struct {
        const char* text;
        bool remove;
        const char* head;
        const char* rest;
    } cases[] = {{"key=value", true, "key", "value"},
                 {"key=value", false, "key", "key=value"},
                 {"novalue", true, "novalue", ""},
                 {"novalue", false, "novalue", "novalue"},
                 {"=x=y", true, "", "x=y"}};
    for (const auto& c : cases) {
        std::string text = c.text, head;
        SplitString(text, "=", c.remove, head);
        EXPECT_EQ(head, c.head) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

TEST(FFmpegUtils, FileSizesAndTheProgramFolder)
{
    TTestFolder folder;
    std::string name = folder.Path("五字节.bin");
    std::ofstream(name) << "12345";
    EXPECT_EQ(GetFileSizeByName(name), 5);
    EXPECT_EQ(GetFileSizeByName(folder.Path("missing.bin")), -1);
    EXPECT_EQ(GetFileSizeByName(folder.Path("")), -1);
    std::string program = GetApplicationPath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(program.back(), '/');
    EXPECT_GT(GetFileSizeByName(program + "media_tests"), 0);
}

TEST_F(FFmpegUtilsRealTest, ReadWholeFileAddsAZeroByte)
{
    TTestFolder folder;
    std::string name = folder.Path("preset.ffpreset");
    std::ofstream(name) << "b=1000\n";
    std::uint8_t* buffer = nullptr;
    int size = 0;
    ASSERT_EQ(ReadWholeFile(name, buffer, size), 0);
    EXPECT_EQ(size, 8);
    EXPECT_STREQ(reinterpret_cast<char*>(buffer), "b=1000\n");
    FF.av_free(buffer);
    EXPECT_EQ(ReadWholeFile(folder.Path("missing"), buffer, size), -1);
}

TEST_F(FFmpegUtilsRealTest, CodecTexts)
{
    AVCodecParameters parameters{};
    parameters.codec_id = AV_CODEC_ID_PCM_S16LE;
    EXPECT_EQ(GetCodecText(&parameters, TCodecRole::Decoder), "pcm_s16le(PCM signed 16-bit little-endian)");
    parameters.codec_id = AV_CODEC_ID_MPEG2TS;
    EXPECT_EQ(GetCodecText(&parameters, TCodecRole::Decoder), "mpeg2ts");
    parameters.codec_id = AV_CODEC_ID_NONE;
    parameters.codec_tag = MKTAG('a', 'b', 'c', 'd');
    EXPECT_EQ(GetCodecText(&parameters, TCodecRole::Encoder), "abcd / 0x64636261");
    parameters.codec_tag = 1;
    EXPECT_EQ(GetCodecText(&parameters, TCodecRole::Encoder), "0x0001");
    EXPECT_EQ(GetCodecText(nullptr, TCodecRole::Encoder), "");
}

TEST_F(FFmpegUtilsRealTest, MetadataTexts)
{
    AVDictionary* metadata = nullptr;
    FF.av_dict_set(&metadata, "title", "标题", 0);
    EXPECT_EQ(GetMetadataText(metadata, "title", "none"), "标题");
    EXPECT_EQ(GetMetadataText(metadata, "artist", "none"), "none");
    EXPECT_EQ(GetMetadataText(nullptr, "title", "none"), "none");
    FF.av_dict_free(&metadata);
}

} // namespace
} // namespace tovrel::test
