// The progress report: figures to the handler, the line to the logger, the
// closing summary.
#include "FFmpegOutputStepsTestSupport.h"

namespace tovrel::test {
namespace {

struct TProgressRecord {
    int fileIndex, frameNumber, fps;
    float quality, bitRate;
    std::int64_t size, duration, total;
};

class ProgressTest : public TOutputStepsTest {
protected:
    void SetUp() override
    {
        TOutputStepsTest::SetUp();
        steps->Clock = [this] { return now; };
    }
    void Handle()
    {
        job->FOnProgress = [this](TCustomFFmpeg*, std::int32_t fileIndex, std::int32_t frameNumber, std::int32_t fps,
                                  float quality, float bitRate, std::int64_t size, std::int64_t duration,
                                  std::int64_t total) {
            records.push_back({fileIndex, frameNumber, fps, quality, bitRate, size, duration, total});
        };
    }
    void Report(bool last, int inputIndex = 0)
    {
        std::vector<TAVOutputStream*> table;
        for (auto& ost : osts)
            table.push_back(ost.get());
        const auto kind = last ? TOutputSteps::TReportKind::Last : TOutputSteps::TReportKind::Interim;
        steps->ReportProgress({output.get()}, table, kind, inputIndex);
    }
    void EncodeFrames(TAVOutputStream& ost, int count)
    {
        for (int i = 0; i < count; ++i) {
            auto picture = Picture(64, 48, std::uint8_t(16 + 10 * i));
            int frameSize = 0;
            steps->EncodeVideoFrame(output.get(), ost, ist, picture.get(), frameSize);
            ist.pts += 40000;
        }
    }
    void EncodeAudio(TAVOutputStream& ost, int blocks)
    {
        for (int i = 0; i < blocks; ++i) {
            auto block = AudioBlock(AV_SAMPLE_FMT_S16, 8000, 1, 800);
            steps->do_audio_out(output.get(), ost, ist, block.get());
            ist.pts += 100000;
        }
    }

    std::int64_t now = 0;
    std::vector<TProgressRecord> records;
};

// Reports come in order with growing time and size; the last one has input -1.
// A video output that has written no frame yet reports nothing at all.
TEST_F(ProgressTest, ReportsFollowTheWrittenOutput)
{
    Handle();
    job->FTotalOutputDuration = 2000000;
    OpenOutput("progress.nut");
    job->Fvideo_sync_method = 0;
    TAVOutputStream& video = AddVideo("mpeg4", 64, 48);
    WriteHeader();
    Report(true, -1);
    EXPECT_TRUE(records.empty());
    EXPECT_TRUE(LinesAtLevel(llVerbose).empty());

    for (int step = 1; step <= 3; ++step) {
        EncodeFrames(video, 10);
        now += 1000000;
        Report(false, 0);
    }
    // The last report follows the trailer, before the file is closed.
    steps->FlushEncoder(output.get(), video);
    ASSERT_GE(av_write_trailer(output.get()), 0);
    Report(true, -1);
    ASSERT_EQ(records.size(), 4u);
    for (std::size_t i = 1; i < records.size(); ++i) {
        const bool periodic = i < 3;
        EXPECT_GE(records[i].size, records[i - 1].size);
        EXPECT_GE(records[i].duration, records[i - 1].duration + (periodic ? 1 : 0));
        EXPECT_GE(records[i].frameNumber, records[i - 1].frameNumber + (periodic ? 1 : 0));
    }
    EXPECT_EQ(records[0].fps, 0); // after exactly one second
    EXPECT_EQ(records[2].frameNumber, 30);
    EXPECT_EQ(records[2].fps, 10);
    EXPECT_GE(records[2].quality, 1.0f); // the encoder's quantizer
    EXPECT_EQ(records[3].fileIndex, -1);
    EXPECT_EQ(records[3].total, 2000000);
    EXPECT_GT(records[3].size, 0);
    EXPECT_NEAR(double(records[3].duration), 1200000, 80000);
    // The summary line closes the last report.
    bool summary = false;
    for (const std::string& line : LinesAtLevel(llVerbose))
        summary |= line.rfind("video:", 0) == 0 && line.find("muxing overhead") != std::string::npos;
    EXPECT_TRUE(summary);
}

// Audio only: no frame figures; a copied video stream has no quality.
TEST_F(ProgressTest, MissingFiguresAreMinusOne)
{
    Handle();
    OpenOutput("audio.nut");
    TAVOutputStream& audio = AddAudio("pcm_s16le", AV_SAMPLE_FMT_S16, 8000, 1);
    WriteHeader();
    EncodeAudio(audio, 5);
    Report(false);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].frameNumber, -1);
    EXPECT_EQ(records[0].fps, -1);
    EXPECT_EQ(records[0].quality, -1.0f);
    EXPECT_NEAR(double(records[0].duration), 500000, 1000);

    Finish();
    osts.clear();
    encoders.clear();

    OpenOutput("copy.nut");
    TAVOutputStream& copy = AddVideo("mpeg4", 64, 48);
    copy.stream_copy = true;
    WriteHeader();
    copy.frame_number = 250;
    now = 10000000;
    Report(false);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].fps, 25);
    EXPECT_EQ(records[1].quality, -1.0f);
}

// Drops while a handler takes the figures: one log line per burst.
TEST_F(ProgressTest, DropsAreLoggedOncePerBurst)
{
    Handle();
    OpenOutput("drops.nut");
    TAVOutputStream& video = AddVideo("mpeg4", 64, 48);
    WriteHeader();
    EncodeFrames(video, 1);
    job->Fnb_frames_drop = 10;
    job->FShowDupOrDrop = true;
    Report(false);
    Report(false);
    const auto lines = LinesAtLevel(llVerbose);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("frame=    1"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].substr(lines[0].size() - 14), " dup=0 drop=10");
    EXPECT_EQ(records.size(), 2u);
}

} // namespace
} // namespace tovrel::test
