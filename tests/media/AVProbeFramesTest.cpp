#include "AVProbeTestSupport.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace tovrel::test {
namespace {

using test::media::Fixture;

enum class TStep { Decode, NextKeyFrame, PreviousKeyFrame, PreviousFrame, SeekBackward1s };

const char* StepName(TStep step)
{
    switch (step) {
    case TStep::Decode: return "Decode";
    case TStep::NextKeyFrame: return "DecodeNextKeyFrame";
    case TStep::PreviousKeyFrame: return "DecodePreviousKeyFrame";
    case TStep::PreviousFrame: return "DecodePreviousFrame";
    case TStep::SeekBackward1s: return "Seek 1 s backward, Decode";
    }
    return "";
}

bool RunStep(TAVProbe& probe, TStep step)
{
    switch (step) {
    case TStep::Decode: return probe.Decode();
    case TStep::NextKeyFrame: return probe.DecodeNextKeyFrame();
    case TStep::PreviousKeyFrame: return probe.DecodePreviousKeyFrame();
    case TStep::PreviousFrame: return probe.DecodePreviousFrame();
    case TStep::SeekBackward1s: return probe.Seek(1000000, SeekFlag(TSeekFlag::sfBackward)) && probe.Decode();
    }
    return false;
}

// 25 pictures a second with a key frame every 10 (B-frames in between): the
// steps land on the expected pictures both ways.
TEST_F(TAVProbeTest, StepsByKeyFramesAndFrames)
{
    Load(Fixture::KeyFrameEvery10);
    const struct {
        TStep step;
        std::int64_t pts;
        bool keyFrame;
    } steps[] = {
        {TStep::NextKeyFrame, 400000, true}, // right after opening: seeks one frame on
        {TStep::Decode, 440000, false},        {TStep::Decode, 480000, false},
        {TStep::NextKeyFrame, 800000, true},   {TStep::PreviousFrame, 760000, false},
        {TStep::PreviousFrame, 720000, false}, {TStep::PreviousKeyFrame, 400000, true},
        {TStep::PreviousFrame, 360000, false}, {TStep::PreviousKeyFrame, 0, true},
        {TStep::PreviousKeyFrame, 0, true}, // nothing before the first picture
        {TStep::Decode, 40000, false},         {TStep::SeekBackward1s, 800000, true},
        {TStep::NextKeyFrame, 1200000, true},  {TStep::NextKeyFrame, 1600000, true},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(StepName(s.step));
        ASSERT_TRUE(RunStep(*probe, s.step)) << probe->LastErrMsg();
        EXPECT_EQ(probe->FrameInfo().PTS, s.pts);
        EXPECT_EQ(probe->FrameInfo().IsKeyFrame, s.keyFrame);
        EXPECT_EQ(probe->FrameInfo().PictureType == TPictureType::ptI, s.keyFrame);
        EXPECT_TRUE(probe->FrameInfo().Ready);
        EXPECT_EQ(probe->FrameInfo().StreamIndex, 0);
    }
    // No key frame after the last one.
    EXPECT_FALSE(probe->DecodeNextKeyFrame());
    EXPECT_FALSE(probe->FrameInfo().Ready);
}

// A stream whose pictures all come later than the reference: stepping back
// still ends, on the earliest picture.
TEST_F(TAVProbeTest, PreviousKeyFrameEndsBeforeTheStart)
{
    Load(Fixture::KeyFrameEvery10);
    AVStream* stream = probe->FileHandle()->streams[0];
    stream->start_time = -5120; // 0.4 s in 1/12800: every picture reads 0.4 s later
    ASSERT_TRUE(probe->Decode());
    ASSERT_EQ(probe->FrameInfo().PTS, 400000);
    EXPECT_TRUE(probe->DecodePreviousKeyFrame());
    EXPECT_EQ(probe->FrameInfo().PTS, 400000);
}

// The decoder holds pictures back; a drain at the end delivers them all.
TEST_F(TAVProbeTest, DecodesEveryPictureToTheEndAndSeeksBack)
{
    Load(Fixture::KeyFrameEvery10);
    std::vector<std::int64_t> seen;
    while (probe->Decode())
        seen.push_back(probe->FrameInfo().PTS);
    std::vector<std::int64_t> expected;
    for (int i = 0; i < 50; ++i)
        expected.push_back(i * 40000);
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(probe->Eof());
    EXPECT_EQ(probe->LastErrMsg(), "stream eof reached.");
    EXPECT_TRUE(LastLogged(llInfo, "stream eof reached."));

    logged.clear();
    EXPECT_FALSE(probe->Decode());
    EXPECT_TRUE(LastLogged(llInfo, "stream eof reached."));
    EXPECT_TRUE(probe->Seek(0, 0));
    EXPECT_FALSE(probe->Eof());
    ASSERT_TRUE(probe->Decode());
    EXPECT_EQ(probe->FrameInfo().PTS, 0);
    EXPECT_GE(probe->Position(), 0);
}

TEST_F(TAVProbeTest, PictureSizeFollowsTheStream)
{
    Load(Fixture::SizeChange);
    std::set<std::pair<int, int>> sizes;
    TSurface bitmap;
    while (probe->Decode()) {
        const TFrameInfo& frame = probe->FrameInfo();
        sizes.insert({frame.Width, frame.Height});
        ASSERT_TRUE(probe->CopyToBitmap(bitmap));
        ASSERT_EQ(bitmap.Width(), frame.Width);
        ASSERT_EQ(bitmap.Height(), frame.Height);
    }
    EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{176, 144}, {320, 240}}));
}

TEST_F(TAVProbeTest, CopyToBitmapNeedsAPicture)
{
    TSurface bitmap;
    Load(Fixture::Mpeg4Mp3Avi);
    EXPECT_FALSE(probe->CopyToBitmap(bitmap));
    EXPECT_TRUE(LastLogged(llError, "picture not ready, please decode first"));

    ASSERT_TRUE(probe->Decode());
    ASSERT_TRUE(probe->CopyToBitmap(bitmap));
    EXPECT_EQ(bitmap.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(bitmap.Width(), 320);
    EXPECT_EQ(bitmap.Height(), 240);
    // The synthetic picture moves and is coloured: its rows differ.
    std::set<std::vector<std::uint8_t>> rows;
    for (int y = 0; y < bitmap.Height(); y += 40)
        rows.insert(std::vector<std::uint8_t>(bitmap.ScanLine(y), bitmap.ScanLine(y) + 320 * 3));
    EXPECT_GT(rows.size(), 1u);
}

// Requests that cannot decode fail with their message and leave no picture.
TEST_F(TAVProbeTest, DecodeRefusesWhatIsNotAVideoStream)
{
    EXPECT_FALSE(probe->Decode());
    EXPECT_TRUE(LastLogged(llWarning, "file not loaded."));
    EXPECT_FALSE(probe->Seek(0, 0));
    EXPECT_EQ(probe->GetPosition(), -1);

    Load(Fixture::Mp3Audio);
    EXPECT_FALSE(probe->Decode());
    EXPECT_TRUE(LastLogged(llError, "no video stream."));
    EXPECT_FALSE(probe->DecodePreviousKeyFrame());

    Load(Fixture::Mpeg4Mp3Avi);
    const struct {
        int index;
        const char* message;
    } cases[] = {{1, "stream #1 is not video stream."}, {7, "stream index #7 is invalid."}};
    for (const auto& c : cases) {
        EXPECT_FALSE(probe->Decode(c.index));
        EXPECT_TRUE(LastLogged(llError, c.message)) << c.message;
        EXPECT_FALSE(probe->FrameInfo().Ready);
    }
    EXPECT_FALSE(probe->Seek(100000000, 0));
    EXPECT_EQ(probe->LastErrMsg(), "could not seek to position 100.000 seconds");
    Load(Fixture::KeyFrameEvery10);
    EXPECT_FALSE(probe->Seek(1000, SeekFlag(TSeekFlag::sfByte)));
    EXPECT_EQ(probe->LastErrMsg(), "could not seek to position 1000 bytes");
}

// A 24-bit BMP of 4x2 pixels, pixel (x, y) = B 10x+1, G 20y+2, R 50+x+y.
std::filesystem::path WriteSmallBitmapFile()
{
    const int width = 4, height = 2, stride = 12;
    std::vector<std::uint8_t> bytes(54 + stride * height, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = std::uint8_t(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, std::uint32_t(bytes.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bytes[26] = 1;
    bytes[28] = 24;
    put32(34, stride * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = &bytes[54 + std::size_t(height - 1 - y) * stride + x * 3]; // bottom-up
            pixel[0] = std::uint8_t(10 * x + 1);
            pixel[1] = std::uint8_t(20 * y + 2);
            pixel[2] = std::uint8_t(50 + x + y);
        }
    std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("tovrel-probe-" + std::to_string(::getpid()) + ".bmp");
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return file;
}

// A single picture: never seeked, held once decoded, and an even-sized BGR
// picture reaches the bitmap as it is.
TEST_F(TAVProbeTest, SinglePictureFile)
{
    const std::filesystem::path file = WriteSmallBitmapFile();
    ASSERT_TRUE(probe->LoadFile(file.string(), "image2")) << probe->LastErrMsg();
    EXPECT_EQ(probe->FormatName(), "image2");
    EXPECT_EQ(probe->FileSize(), 78);
    EXPECT_EQ(probe->GetPosition(), -1);
    EXPECT_TRUE(LastLogged(llWarning, "cannot get position"));
    EXPECT_FALSE(probe->Seek(0, 0));
    EXPECT_TRUE(LastLogged(llInfo, "\"image2\" format cannot to be seeked."));

    ASSERT_TRUE(probe->Decode()) << probe->LastErrMsg();
    EXPECT_EQ(probe->FrameInfo().PixFmt, AV_PIX_FMT_BGR24);
    logged.clear();
    EXPECT_TRUE(probe->Decode());
    EXPECT_TRUE(logged.empty());
    TSurface bitmap;
    ASSERT_TRUE(probe->CopyToBitmap(bitmap));
    ASSERT_EQ(bitmap.Width(), 4);
    ASSERT_EQ(bitmap.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            const std::uint8_t* pixel = bitmap.ScanLine(y) + x * 3;
            EXPECT_EQ(pixel[0], 10 * x + 1);
            EXPECT_EQ(pixel[1], 20 * y + 2);
            EXPECT_EQ(pixel[2], 50 + x + y);
        }
    probe->CloseFile();
    std::filesystem::remove(file);
}

} // namespace
} // namespace tovrel::test
