#include "AVProbeTestSupport.h"

#include "media/loader/FFmpegUtils.h"
#include "media/loader/UnicodeProtocol.h"
#include "media/probe/AVProbeInfoText.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

namespace tovrel::test {
namespace {

using test::media::Fixture;

// The text's lines, with every encoder-chosen bit rate of a stream masked.
std::vector<std::string> InfoLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        std::string line = text.substr(start, end - start);
        if (line.rfind("Stream #", 0) == 0)
            line = std::regex_replace(line, std::regex(R"(\d+ kb/s)"), "# kb/s");
        lines.push_back(line);
    }
    EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
    return lines;
}

TEST_F(TAVProbeTest, CountsAndFirstIndexesOfEachKind)
{
    const struct {
        Fixture fixture;
        int streams, video, audio, firstVideo, firstAudio;
    } cases[] = {
        {Fixture::Mpeg4Mp3Avi, 2, 1, 1, 0, 1}, {Fixture::H264AacMp4, 2, 1, 1, 0, 1},
        {Fixture::Mp3Audio, 1, 0, 1, -1, 0},   {Fixture::ManyStreams, 22, 1, 21, 0, 1},
        {Fixture::ChineseName, 2, 1, 1, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(test::media::FixtureName(c.fixture));
        Load(c.fixture);
        EXPECT_EQ(probe->StreamCount(), c.streams);
        EXPECT_EQ(probe->VideoStreamCount(), c.video);
        EXPECT_EQ(probe->AudioStreamCount(), c.audio);
        EXPECT_EQ(probe->SubtitleStreamCount(), 0);
        EXPECT_EQ(probe->FirstVideoStreamIndex(), c.firstVideo);
        EXPECT_EQ(probe->FirstAudioStreamIndex(), c.firstAudio);
        EXPECT_EQ(probe->FirstSubtitleStreamIndex(), -1);
        EXPECT_EQ(probe->FileSize(), std::int64_t(std::filesystem::file_size(test::media::FixturePath(c.fixture))));
        EXPECT_EQ(probe->FileName(), PathOf(c.fixture));
    }
    probe->CloseFile();
    EXPECT_EQ(probe->StreamCount(), -1);
    EXPECT_EQ(probe->FirstAudioStreamIndex(), -1);
    EXPECT_EQ(probe->FileSize(), -1);
}

TEST_F(TAVProbeTest, InformationTextOfAnAviFile)
{
    Load(Fixture::Mpeg4Mp3Avi);
    const std::string path = PathOf(Fixture::Mpeg4Mp3Avi);
    const std::vector<std::string> expected = {
        "File Name: " + path,
        "Format Name: avi",
        "Format Long Name: AVI (Audio Video Interleaved)",
        "File Size: " + FormatByteSize(std::int64_t(std::filesystem::file_size(path))),
        "Duration: 00:00:02.037",
        "StartTime: 0.000000",
        "Bit Rate: 557 kb/s",
        "Metadata:",
        "  software        : Lavf59.27.100",
        "Stream #0, 1/25: Video: mpeg4 (Simple Profile) (FMP4 / 0x34504D46), yuv420p, 320x240 [SAR 1:1 DAR 4:3], "
        "# kb/s, 25 fps, 25 tbr, 25 tbn, StartTime: 0.000000, Duration: 00:00:02.000",
        "Stream #1, 32/1225: Audio: mp3 (U[0][0][0] / 0x0055), 44100 Hz, stereo, fltp, # kb/s, "
        "StartTime: 0.000000, Duration: 00:00:02.037",
    };
    EXPECT_EQ(InfoLines(probe->GetFileInfoText()), expected);
}

// Stream ids, languages, stream metadata blocks and a time base of 1/12800.
TEST_F(TAVProbeTest, InformationTextOfAnMp4File)
{
    Load(Fixture::H264AacMp4);
    const std::vector<std::string> expected = {
        "File Name: " + PathOf(Fixture::H264AacMp4),
        "Format Name: mov,mp4,m4a,3gp,3g2,mj2",
        "Format Long Name: QuickTime / MOV",
        "File Size: " + FormatByteSize(probe->FileSize()),
        "Duration: 00:00:02.000",
        "StartTime: 0.000000",
        "Bit Rate: 294 kb/s",
        "Metadata:",
        "  major_brand     : isom",
        "  minor_version   : 512",
        "  compatible_brands: isomiso2avc1mp41",
        "  encoder         : Lavf59.27.100",
        "Stream #0[0x1](und), 1/12800: Video: h264 (High) (avc1 / 0x31637661), yuv420p(progressive), 320x240, "
        "# kb/s, 25 fps, 25 tbr, 12800 tbn, StartTime: 0.000000, Duration: 00:00:02.000",
        "  Metadata:",
        "    handler_name    : VideoHandler",
        "    vendor_id       : [0][0][0][0]",
        "Stream #1[0x2](und), 1/44100: Audio: aac (LC) (mp4a / 0x6134706D), 44100 Hz, stereo, fltp, # kb/s, "
        "StartTime: 0.000000, Duration: 00:00:02.000",
        "  Metadata:",
        "    handler_name    : SoundHandler",
        "    vendor_id       : [0][0][0][0]",
    };
    EXPECT_EQ(InfoLines(probe->GetFileInfoText()), expected);
}

// Programs come first with their streams; 90000 per second shows as "90k".
TEST_F(TAVProbeTest, InformationTextListsProgramsAndTheirStreams)
{
    Load(Fixture::SizeChange);
    std::vector<std::string> lines = InfoLines(probe->GetFileInfoText());
    auto at = std::find(lines.begin(), lines.end(), "Program 1 N/A@N/A");
    ASSERT_NE(at, lines.end());
    ASSERT_GE(lines.end() - at, 6);
    EXPECT_EQ(at[1], "  Metadata:");
    EXPECT_EQ(at[2], "    service_name    : Service01");
    EXPECT_EQ(at[3], "    service_provider: FFmpeg");
    EXPECT_EQ(at[4].rfind("Stream #0[0x100], 1/90000: Video: mpeg4", 0), 0u) << at[4];
    EXPECT_NE(at[4].find(", 25 tbr, 90k tbn, StartTime: 0.025056, Duration: 00:00:02.000"), std::string::npos) << at[4];
    EXPECT_EQ(at[5].rfind("Stream #1[0x101], 1/90000: Audio: mp3", 0), 0u) << at[5];
}

// A lone "language" tag shows in parentheses only; ID3 keys show by name; a
// missing bit rate and a negative duration show N/A.
TEST_F(TAVProbeTest, MetadataBlocksAndMissingValues)
{
    Load(Fixture::Mpeg4Mp3Avi);
    AVFormatContext* context = probe->FileHandle();
    FF.av_dict_free(&context->metadata);
    FF.av_dict_set(&context->metadata, "TALB", "专辑", 0);
    FF.av_dict_set(&context->metadata, "language", "chi", 0);
    FF.av_dict_set(&context->metadata, "TXXX", "other", 0);
    FF.av_dict_set(&context->streams[1]->metadata, "language", "eng", 0);
    context->bit_rate = 0;
    context->duration = -5;
    std::vector<std::string> lines = InfoLines(probe->GetFileInfoText());
    auto line = [&](const std::string& head) {
        auto at = std::find_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(head, 0) == 0; });
        return at == lines.end() ? std::string("<none>") : *at;
    };
    EXPECT_EQ(line("Duration"), "Duration: N/A");
    EXPECT_EQ(line("Bit Rate"), "Bit Rate: N/A");
    auto block = std::find(lines.begin(), lines.end(), "Metadata:");
    ASSERT_GE(lines.end() - block, 4);
    EXPECT_EQ(block[1], "  album           : 专辑");
    EXPECT_EQ(block[2], "  TXXX            : other");
    EXPECT_EQ(block[3].rfind("Stream #0, ", 0), 0u);
    EXPECT_EQ(lines.back().rfind("Stream #1(eng), 32/1225: Audio: mp3", 0), 0u) << lines.back();
}

TEST_F(TAVProbeTest, RateAndTimeTexts)
{
    const struct {
        double value;
        const char* label;
        const char* text;
    } rates[] = {{25, "fps", ", 25 fps"},       {30000.0 / 1001, "fps", ", 29.97 fps"}, {90000, "tbn", ", 90k tbn"},
                 {12800, "tbn", ", 12800 tbn"}, {1000000, "tbn", ", 1000k tbn"},        {23.976, "tbr", ", 23.98 tbr"}};
    for (const auto& r : rates)
        EXPECT_EQ(RateText(r.value, r.label), r.text);
    EXPECT_EQ(SecondsText(1500000), "1.500000");
    EXPECT_EQ(SecondsText(25056), "0.025056");
    EXPECT_EQ(SecondsText(-40000), "-0.040000");
    EXPECT_EQ(ShownMetadataKey("TIT2"), "title");
    EXPECT_EQ(ShownMetadataKey("TRK"), "track");
    EXPECT_EQ(ShownMetadataKey("TYER"), "year");
    EXPECT_EQ(ShownMetadataKey("tit2"), "tit2");
}

TEST_F(TAVProbeTest, StreamRecordsOfAFile)
{
    Load(Fixture::Mpeg4Mp3Avi);
    TVideoStreamInfo video = probe->FirstVideoStreamInfo();
    EXPECT_EQ(video.CodecName, "mpeg4(MPEG-4 part 2)");
    EXPECT_EQ(video.Width, 320);
    EXPECT_EQ(video.Height, 240);
    EXPECT_EQ(video.PixFmt, AV_PIX_FMT_YUV420P);
    EXPECT_FLOAT_EQ(video.AspectRatio, 320.0f / 240.0f);
    EXPECT_EQ(video.FrameRate.num, 25);
    EXPECT_EQ(video.FrameRate.den, 1);
    EXPECT_EQ(video.StartTime, 0);
    EXPECT_EQ(video.Duration, 50);
    EXPECT_EQ(video.DurationScaled, 2000000);

    TAudioStreamInfo audio = probe->GetAudioStreamInfo(1);
    EXPECT_EQ(audio.Channels, 2);
    EXPECT_EQ(audio.SampleRate, 44100);
    EXPECT_EQ(audio.SampleFormat, AV_SAMPLE_FMT_FLTP);
    EXPECT_EQ(audio.BitRate, 128000);
    EXPECT_EQ(audio.StartTimeScaled, 0);

    TFileStreamInfo file = probe->FileStreamInfo();
    EXPECT_EQ(file.Duration, 2037551);
    EXPECT_EQ(file.StartTime, 0);
    EXPECT_EQ(file.BitRate / 1000, 557);
    EXPECT_EQ(file.Title, "");
    EXPECT_TRUE(probe->IsVideoStream(0));
    EXPECT_TRUE(probe->IsAudioStream(1));
    EXPECT_FALSE(probe->IsSubtitleStream(1));
}

// Each wrong request leaves a cleared record and says why.
TEST_F(TAVProbeTest, WrongStreamRequestsGiveClearedRecords)
{
    EXPECT_EQ(probe->GetVideoStreamInfo(0).Width, -1);
    EXPECT_TRUE(LastLogged(llWarning, "file not loaded."));
    EXPECT_EQ(probe->GetFileInfoText(), "");
    EXPECT_EQ(probe->FileStreamInfo().Duration, -1);
    EXPECT_FALSE(probe->IsAudioStream(0));
    EXPECT_EQ(probe->LastErrMsg(), "file not loaded.");

    Load(Fixture::Mpeg4Mp3Avi);
    TAudioStreamInfo audio = probe->GetAudioStreamInfo(5);
    EXPECT_EQ(audio.Channels, -1);
    EXPECT_EQ(audio.CodecName, "");
    EXPECT_TRUE(LastLogged(llError, "stream index #5 is invalid."));
    EXPECT_EQ(probe->GetAudioStreamInfo(0).SampleRate, -1);
    EXPECT_TRUE(LastLogged(llError, "stream #0 is not audio stream."));
    EXPECT_FALSE(probe->IsVideoStream(-1));
    EXPECT_TRUE(LastLogged(llError, "stream index #-1 is invalid."));
    EXPECT_EQ(probe->GetSubtitleStreamInfo(-1).CodecName, "");
    EXPECT_TRUE(LastLogged(llError, "no subtitle stream."));

    Load(Fixture::Mp3Audio);
    TVideoStreamInfo video = probe->GetVideoStreamInfo(-1);
    EXPECT_EQ(video.AspectRatio, -1.0f);
    EXPECT_EQ(video.DurationScaled, -1);
    EXPECT_TRUE(LastLogged(llError, "no video stream."));
    EXPECT_EQ(probe->LastErrMsg(), "no video stream.");
}

TEST_F(TAVProbeTest, FilesThatCannotBeLoaded)
{
    const std::string missing = (test::media::TestMediaFolder() / "no such file.avi").string();
    EXPECT_FALSE(probe->LoadFile(missing));
    EXPECT_EQ(probe->LastErrMsg(), missing + ": No such file or directory");
    EXPECT_TRUE(LastLogged(llError, missing + ": No such file or directory"));

    EXPECT_FALSE(probe->LoadFile(PathOf(Fixture::NotMedia)));
    EXPECT_EQ(probe->LastErrMsg(), PathOf(Fixture::NotMedia) + ": Invalid data found when processing input");
    EXPECT_EQ(probe->StreamCount(), -1);

    // An unknown format name: not logged, and the previous file is closed.
    Load(Fixture::Mpeg4Mp3Avi);
    logged.clear();
    EXPECT_FALSE(probe->LoadFile(PathOf(Fixture::Mpeg4Mp3Avi), "no_such_format"));
    EXPECT_EQ(probe->LastErrMsg(), "Unknown input format: no_such_format");
    EXPECT_TRUE(logged.empty());
    EXPECT_EQ(probe->FileHandle(), nullptr);
    EXPECT_EQ(probe->StreamCount(), -1);

    // A format that does not fit the file.
    EXPECT_FALSE(probe->LoadFile(PathOf(Fixture::NotMedia), "mp3"));
    EXPECT_EQ(probe->FileHandle(), nullptr);
    EXPECT_NE(probe->LastErrMsg(), "");

    ASSERT_TRUE(probe->LoadFile(PathOf(Fixture::Mpeg4Mp3Avi), "avi"));
    EXPECT_EQ(probe->ForceFormat(), "avi");
}

// A "unicode:utf8:" name opens through the probe's own I/O and reads back as
// the plain file name.
TEST_F(TAVProbeTest, UnicodeURLNames)
{
    const std::string path = PathOf(Fixture::ChineseName);
    ASSERT_TRUE(probe->LoadFile(MakeUnicodeURL(path))) << probe->LastErrMsg();
    EXPECT_EQ(probe->FileName(), path);
    EXPECT_EQ(probe->FileSize(),
              std::int64_t(std::filesystem::file_size(test::media::FixturePath(Fixture::ChineseName))));
    EXPECT_EQ(probe->GetFileInfoText().rfind("File Name: " + path + "\r\n", 0), 0u);
    ASSERT_TRUE(probe->Decode());
    ASSERT_TRUE(probe->DecodeNextKeyFrame());
    EXPECT_TRUE(probe->FrameInfo().IsKeyFrame);
    EXPECT_GT(probe->FrameInfo().PTS, 0);
}

// A truncated file still loads; what it holds decodes and then ends cleanly.
TEST_F(TAVProbeTest, TruncatedFileLoadsWithWhatItHolds)
{
    Load(Fixture::Truncated);
    EXPECT_EQ(probe->StreamCount(), 2);
    EXPECT_LT(probe->FileStreamInfo().Duration, 2000000);
    std::int64_t lastPTS = -1;
    while (probe->Decode())
        lastPTS = probe->FrameInfo().PTS;
    EXPECT_GT(lastPTS, 0);
    EXPECT_LT(lastPTS, 1100000);
    EXPECT_TRUE(probe->Eof());
    EXPECT_EQ(probe->LastErrMsg(), "stream eof reached.");
}

// A context opened elsewhere is read but never closed or seeked by the probe.
TEST_F(TAVProbeTest, AdoptedContextStaysTheOpeners)
{
    AVFormatContext* context = nullptr;
    ASSERT_GE(FF.avformat_open_input(&context, PathOf(Fixture::Mpeg4Mp3Avi).c_str(), nullptr, nullptr), 0);
    ASSERT_GE(FF.avformat_find_stream_info(context, nullptr), 0);
    probe->SetFileHandle(context);
    EXPECT_EQ(probe->FileHandle(), context);
    EXPECT_EQ(probe->StreamCount(), 2);
    EXPECT_EQ(probe->FormatName(), "avi");
    EXPECT_THROW(probe->Decode(), Exception);
    EXPECT_TRUE(LastLogged(llWarning, "file cannot be seeked, handle is readonly."));
    probe->CloseFile();
    EXPECT_EQ(probe->FileHandle(), nullptr);
    probe->SetFileHandle(context);
    probe.reset();
    // Still open: its streams are readable.
    EXPECT_EQ(context->nb_streams, 2u);
    AVPacket* packet = FF.av_packet_alloc();
    EXPECT_GE(FF.av_read_frame(context, packet), 0);
    FF.av_packet_free(&packet);
    FF.avformat_close_input(&context);
}

TEST(TAVProbeLibraries, LoadFileNeedsTheLibraries)
{
    TAVProbe probe;
    EXPECT_FALSE(probe.AVLibLoaded());
    try {
        probe.LoadFile("any.avi");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "LibAVCodec not loaded.");
    }
    ASSERT_TRUE(probe.LoadAVLib("")) << probe.LastErrMsg();
    EXPECT_TRUE(probe.AVLibLoaded());
    EXPECT_TRUE(probe.LoadFile(test::media::FixturePath(Fixture::PcmWav).string()));
    probe.UnloadAVLib();
    EXPECT_FALSE(probe.AVLibLoaded());
    EXPECT_EQ(probe.FileHandle(), nullptr);
}

} // namespace
} // namespace tovrel::test
