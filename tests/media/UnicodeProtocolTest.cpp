#include "media/loader/UnicodeProtocol.h"

#include "FFmpegLoaderTestSupport.h"
#include "FFmpegTestFolder.h"
#include "media/loader/FFmpegUtilsText.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace tovrel::test {
namespace {

TEST(UnicodeNames, RoundTrip)
{
    const char* names[] = {"/home/用户/视频/测试 文件.mp4", "/tmp/plain.wav", "C:中文.avi", "stream:1:中文",
                           "相对/名字.mkv"};
    for (const char* name : names) {
        EXPECT_EQ(EncodeAVFileName(name), name);
        EXPECT_FALSE(NeedsUnicodeName(name));
        std::string url = MakeUnicodeURL(name);
        EXPECT_EQ(url, std::string("unicode:utf8:") + name);
        EXPECT_TRUE(IsUnicodeURL(url));
        EXPECT_EQ(UnicodeURLToFileName(url), name);
        EXPECT_EQ(DecodeAVFileName(url), name);
        EXPECT_EQ(DecodeAVFileName(name), name);
    }
    EXPECT_FALSE(IsUnicodeURL("unicode:utf8:"));
    EXPECT_FALSE(IsUnicodeURL("unicode:utf16:/a"));
    EXPECT_EQ(DecodeAVFileName("unicode:utf8:"), "unicode:utf8:");
}

class UnicodeIOTest : public TRealLibrariesTest {
protected:
    TTestFolder folder;
};

constexpr int SampleRate = 8000, Samples = 4000;

// Muxes a mono 16-bit WAV through the custom I/O context; the WAV muxer seeks
// back to fill in the sizes when it writes the trailer.
void WriteWav(const std::string& url)
{
    AVFormatContext* output = nullptr;
    ASSERT_GE(FF.avformat_alloc_output_context2(&output, nullptr, "wav", nullptr), 0);
    AVStream* stream = FF.avformat_new_stream(output, nullptr);
    stream->codecpar->codec_type = AVMEDIA_TYPE_AUDIO;
    stream->codecpar->codec_id = AV_CODEC_ID_PCM_S16LE;
    stream->codecpar->sample_rate = SampleRate;
    stream->codecpar->ch_layout = AV_CHANNEL_LAYOUT_MONO;
    stream->codecpar->bits_per_coded_sample = 16;
    stream->codecpar->block_align = 2;
    stream->time_base = {1, SampleRate};
    ASSERT_EQ(UnicodeAVIOOpen(&output->pb, url, AVIO_FLAG_WRITE), 0);
    ASSERT_GE(FF.avformat_write_header(output, nullptr), 0);
    AVPacket* packet = FF.av_packet_alloc();
    for (int start = 0; start < Samples; start += 1000) {
        ASSERT_EQ(FF.av_new_packet(packet, 2000), 0);
        for (int i = 0; i < 1000; ++i)
            reinterpret_cast<std::int16_t*>(packet->data)[i] = std::int16_t(start + i);
        packet->pts = packet->dts = start;
        packet->duration = 1000;
        ASSERT_GE(FF.av_interleaved_write_frame(output, packet), 0);
    }
    FF.av_packet_free(&packet);
    ASSERT_EQ(FF.av_write_trailer(output), 0);
    EXPECT_EQ(UnicodeAVIOClose(&output->pb), 0);
    EXPECT_EQ(output->pb, nullptr);
    FF.avformat_free_context(output);
}

// Reads every sample of the file's one stream.
std::vector<std::int16_t> ReadSamples(AVFormatContext* input)
{
    std::vector<std::int16_t> samples;
    AVPacket* packet = FF.av_packet_alloc();
    while (FF.av_read_frame(input, packet) >= 0) {
        auto* data = reinterpret_cast<const std::int16_t*>(packet->data);
        samples.insert(samples.end(), data, data + packet->size / 2);
        FF.av_packet_unref(packet);
    }
    FF.av_packet_free(&packet);
    return samples;
}

TEST_F(UnicodeIOTest, AFileWrittenAndReadThroughUnicodeNames)
{
    std::string fileName = folder.Path("测试 音频.wav");
    std::string url = MakeUnicodeURL(fileName);
    WriteWav(url);
    if (HasFatalFailure())
        return;

    std::ifstream raw(fileName, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), std::size_t(Samples * 2));
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    std::uint32_t riffSize = 0;
    std::memcpy(&riffSize, bytes.data() + 4, 4);
    EXPECT_EQ(riffSize, bytes.size() - 8);

    AVFormatContext* input = nullptr;
    ASSERT_EQ(UnicodeOpenInput(&input, url, nullptr, nullptr), 0);
    ASSERT_GE(FF.avformat_find_stream_info(input, nullptr), 0);
    ASSERT_EQ(input->nb_streams, 1u);
    EXPECT_EQ(input->streams[0]->codecpar->codec_id, AV_CODEC_ID_PCM_S16LE);
    EXPECT_EQ(input->streams[0]->codecpar->sample_rate, SampleRate);
    EXPECT_EQ(DecodeAVFileName(input->url), fileName);
    std::vector<std::int16_t> samples = ReadSamples(input);
    ASSERT_EQ(samples.size(), std::size_t(Samples));
    for (int i = 0; i < Samples; ++i)
        ASSERT_EQ(samples[i], i);

    ASSERT_GE(FF.av_seek_frame(input, 0, 2000, AVSEEK_FLAG_BACKWARD), 0);
    samples = ReadSamples(input);
    ASSERT_FALSE(samples.empty());
    EXPECT_EQ(samples.size(), std::size_t(Samples - samples.front()));
    EXPECT_LE(samples.front(), 2000);
    UnicodeCloseInput(&input);
    EXPECT_EQ(input, nullptr);
}

TEST_F(UnicodeIOTest, AMissingFileIsNamedAsMissing)
{
    AVFormatContext* input = nullptr;
    std::string url = MakeUnicodeURL(folder.Path("没有/文件.wav"));
    int result = UnicodeOpenInput(&input, url, nullptr, nullptr);
    EXPECT_EQ(result, AVERROR(ENOENT));
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(FormatAVError(DecodeAVFileName(url), result),
              folder.Path("没有/文件.wav") + ": No such file or directory");
}

// The size query of a sparse 5 GB file gives the whole 64-bit size; reading
// past the last byte gives the end-of-file code.
TEST_F(UnicodeIOTest, SizesAndSeeksAreSixtyFourBit)
{
    const std::int64_t size = 5LL << 30;
    std::string fileName = folder.Path("大文件.bin");
    int fd = ::open(fileName.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);

    int error = 0;
    void* file = UnicodeOpen(MakeUnicodeURL(fileName).c_str(), AVIO_FLAG_READ, error);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(UnicodeSeek(file, 0, AVSEEK_SIZE), size);
    EXPECT_EQ(UnicodeSeek(file, size - 1, SEEK_SET | AVSEEK_FORCE), size - 1);
    std::uint8_t buffer[4] = {1, 1, 1, 1};
    EXPECT_EQ(UnicodeRead(file, buffer, 4), 1);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(UnicodeRead(file, buffer, 4), AVERROR_EOF);
    EXPECT_EQ(UnicodeSeek(file, -10, SEEK_CUR), size - 10);
    EXPECT_LT(UnicodeSeek(file, -1, SEEK_SET), 0);
    UnicodeClose(file);
}

} // namespace
} // namespace tovrel::test
