// Video output: sync decisions, geometry changes, frame limits, the
// deinterlacer and the custom hook.
#include "FFmpegOutputStepsTestSupport.h"
#include "media/engine/FFmpegEngineErrors.h"
#include "media/output/FFmpegVideoOutDeinterlace.h"
#include "media/output/FFmpegVideoOutSync.h"
#include "platform/gdi/Surface.h"

#include <fstream>
#include <stdexcept>

namespace tovrel::test {
namespace {

TEST(VideoSyncDecision, DropsDuplicatesOrMovesTheClock)
{
    struct Case {
        int method;
        bool variableFrameRate;
        double delta;
        int frames;
        std::int64_t syncOpts; // from 100
    } cases[] = {
        {1, false, 2.6, 3, 100},  {1, false, 1.0, 1, 100},  {1, false, -1.2, 0, 100},
        {1, false, 2.5, 2, 100}, // ties to even
        {2, false, 0.7, 1, 101},  {2, false, -0.7, 0, 100}, {2, false, -0.5, 1, 100},
        {-1, true, 0.7, 1, 101},  {-1, true, 2.6, 1, 103}, // variable rate: like method 2
        {-1, false, 2.6, 3, 100},                          // constant rate: like method 1
        {0, false, 7.4, 1, 107},  {0, false, -3.0, 1, 97},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "method " << c.method << " delta " << c.delta);
        const TVideoSyncDecision decision = DecideVideoSync(c.method, c.variableFrameRate, 100 + c.delta, 100);
        EXPECT_EQ(decision.Frames, c.frames);
        EXPECT_EQ(decision.SyncOpts, c.syncOpts);
    }
}

class VideoOutTest : public TOutputStepsTest {
protected:
    TAVOutputStream& OpenVideo(int width, int height)
    {
        OpenOutput("video.mkv");
        TAVOutputStream& ost = AddVideo("mpeg4", width, height);
        ost.resample_width = width;
        ost.resample_height = height;
        ost.resample_pix_fmt = AV_PIX_FMT_YUV420P;
        WriteHeader();
        return ost;
    }
    void Encode(TAVOutputStream& ost, AVFrame* picture)
    {
        int frameSize = 0;
        steps->EncodeVideoFrame(output.get(), ost, ist, picture, frameSize);
        ist.pts += 40000;
    }
};

// An input whose size changes on an output that needed no scaler: the scaler
// is made at the change and the run goes on; the file has every frame.
TEST_F(VideoOutTest, SizeChangeMakesAScalerOnDemand)
{
    job->Fvideo_sync_method = 0;
    TAVOutputStream& ost = OpenVideo(320, 240);
    for (int i = 0; i < 3; ++i)
        Encode(ost, Picture(320, 240).get());
    EXPECT_EQ(ost.video_resample, 0);
    for (int i = 0; i < 3; ++i)
        Encode(ost, Picture(176, 144).get());
    EXPECT_EQ(ost.video_resample, 1);
    EXPECT_EQ(ost.resample_width, 176);
    EXPECT_EQ(LinesAt(llQuiet), 1u);
    EXPECT_TRUE(Logged(llQuiet, "Input Stream #0.0 frame size changed to 176x144, yuv420p"));
    Finish();
    EXPECT_EQ(ost.frame_number, 6);
    EXPECT_EQ(ReadBack(0).size(), 6u);
}

// Crop bands follow the input size in proportion, as even numbers.
TEST_F(VideoOutTest, BandsFollowTheInputSizeInProportion)
{
    TAVOutputStream& ost = OpenVideo(320, 240);
    ost.video_crop = 1;
    ost.video_resample = 1;
    ost.original_width = 640;
    ost.original_height = 480;
    ost.topBand = ost.original_topBand = 10;
    ost.resample_width = 640;
    ost.resample_height = 470;
    Encode(ost, Picture(640, 480).get());
    EXPECT_EQ(ost.topBand, 10);
    Encode(ost, Picture(720, 576).get());
    EXPECT_EQ(ost.topBand, 12);
    EXPECT_EQ(ost.resample_height, 564);
    EXPECT_EQ(ost.resample_width, 720);
    Finish();
}

// Duplicates by the sync method, never beyond the frame limit.
TEST_F(VideoOutTest, DuplicatesStopAtTheFrameLimit)
{
    job->Fvideo_sync_method = 1;
    job->Fmax_frames[mtVideo] = 4;
    TAVOutputStream& ost = OpenVideo(64, 48);
    Encode(ost, Picture(64, 48).get());
    ist.pts = 160000; // three frames after the next one due: two duplicates
    Encode(ost, Picture(64, 48).get());
    EXPECT_EQ(job->Fnb_frames_dup, 2);
    EXPECT_EQ(ost.frame_number, 4);
    Encode(ost, Picture(64, 48).get());
    EXPECT_EQ(ost.frame_number, 4);
    Finish();
    EXPECT_EQ(ReadBack(0).size(), 4u);
}

// A stop request during a run of duplicates ends it.
TEST_F(VideoOutTest, AStopEndsTheDuplicates)
{
    job->Fvideo_sync_method = 1;
    TAVOutputStream& ost = OpenVideo(64, 48);
    Encode(ost, Picture(64, 48).get());
    std::int64_t now = 1000000;
    steps->Clock = [&] { return now += 1000000; };
    job->FOnPreviewBitmap = [&](TCustomFFmpeg* sender, TSurface*, std::int32_t, std::int64_t) { sender->Stop(false); };
    job->SetPostHooks({TPostHook::phBitmap});
    ist.pts = 200000; // four frames due: three duplicates
    Encode(ost, Picture(64, 48).get());
    EXPECT_EQ(job->Fnb_frames_dup, 3);
    EXPECT_EQ(ost.frame_number, 2);
    Finish();
}

// Pictures every 40 ms with the 100 ms preview interval: the first one at
// once, then every third.
TEST_F(VideoOutTest, PreviewBitmapsKeepTheInterval)
{
    std::vector<int> shown;
    job->FOnPreviewBitmap = [&](TCustomFFmpeg*, TSurface* bitmap, std::int32_t frameNumber, std::int64_t) {
        EXPECT_EQ(bitmap->Width(), 64);
        shown.push_back(frameNumber);
    };
    job->SetPostHooks({TPostHook::phBitmap});
    std::int64_t now = 1000000;
    steps->Clock = [&] { return now; };
    TAVOutputStream& ost = OpenVideo(64, 48);
    for (int i = 1; i <= 7; ++i) {
        auto picture = Picture(64, 48);
        steps->PrepareVideoFrame(ist, picture.get());
        Encode(ost, picture.get());
        now += 40000;
    }
    EXPECT_EQ(shown, (std::vector<int>{1, 4, 7}));
    Finish();
}

// One statistics line per encoded frame; a file that cannot be made ends the job.
TEST_F(VideoOutTest, StatisticsFile)
{
    TAVOutputStream& ost = OpenVideo(64, 48);
    job->Fvstats_filename = folder.Path("vstats.log");
    for (int i = 0; i < 3; ++i) {
        int frameSize = 0;
        auto picture = Picture(64, 48);
        steps->EncodeVideoFrame(output.get(), ost, ist, picture.get(), frameSize);
        ist.pts += 40000;
        steps->WriteVideoStats(output.get(), ost, frameSize);
    }
    std::fclose(job->Fvstats_file);
    job->Fvstats_file = nullptr;
    std::ifstream in(job->Fvstats_filename);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].rfind("frame=     3 q= ", 0), 0u) << lines[2];
    EXPECT_NE(lines[2].find(" type= "), std::string::npos) << lines[2];

    job->Fvstats_filename = folder.Path("missing/vstats.log");
    try {
        steps->WriteVideoStats(output.get(), ost, 0);
        FAIL() << "no exception";
    } catch (const FFmpegException& e) {
        EXPECT_EQ(e.what(), "fopen fail: " + job->Fvstats_filename);
    }
    Finish();
}

// The second field's lines are rebuilt from their neighbours, so a combed
// picture (alternate lines 0 and 200) comes out flat; odd sizes are refused.
class Deinterlacer : public TRealLibrariesTest {};

TEST_F(Deinterlacer, RebuildsTheSecondFieldAndRefusesOddSizes)
{
    test::media::FramePtr src(av_frame_alloc()), dst(av_frame_alloc());
    for (AVFrame* frame : {src.get(), dst.get()}) {
        frame->format = AV_PIX_FMT_GRAY8;
        frame->width = 8;
        frame->height = 8;
        ASSERT_GE(av_frame_get_buffer(frame, 0), 0);
    }
    for (int y = 0; y < 8; ++y)
        std::memset(src->data[0] + y * src->linesize[0], y % 2 ? 200 : 0, 8);
    ASSERT_TRUE(DeinterlacePicture(dst.get(), src.get()));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(dst->data[0][y * dst->linesize[0] + x], 0) << x << "," << y;
    src->width = 6;
    EXPECT_FALSE(DeinterlacePicture(dst.get(), src.get()));
}

class CustomHookTest : public TOutputStepsTest {};

// A hook that raises on frame 3 leaves that frame alone and is called again;
// one that stops on frame 5 gets that frame's change applied and no more calls.
TEST_F(CustomHookTest, RaisingAndStoppingHooks)
{
    std::vector<int> calls;
    job->FOnCustomHook = [&](TCustomFFmpeg*, TSurface* bitmap, std::int32_t frameNumber, std::int64_t, bool& update,
                             bool& stop) {
        calls.push_back(frameNumber);
        if (frameNumber == 3)
            throw std::runtime_error("boom");
        for (int y = 0; y < bitmap->Height(); ++y)
            std::memset(bitmap->ScanLine(y), 255, std::size_t(bitmap->Width()) * 3);
        update = true;
        stop = frameNumber == 5;
    };
    job->Fusing_vhook = true;
    std::vector<int> whitened;
    for (int frame = 1; frame <= 7; ++frame) {
        auto picture = Picture(16, 16, 16);
        steps->PrepareVideoFrame(ist, picture.get());
        if (picture->data[0][0] > 200)
            whitened.push_back(frame);
    }
    EXPECT_EQ(calls, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(whitened, (std::vector<int>{1, 2, 4, 5}));
    EXPECT_TRUE(Logged(llError, "Error occurs OnCustomHook: boom"));
    EXPECT_FALSE(job->FOnCustomHook);
    EXPECT_FALSE(job->Fusing_vhook);
    EXPECT_EQ(job->FHookFrameNumber, 7);
}

// Deinterlacing a picture it cannot handle logs and leaves the picture as it was.
TEST_F(CustomHookTest, DeinterlacingFailureKeepsThePicture)
{
    job->Fdo_deinterlace = true;
    auto picture = Picture(18, 18, 77);
    steps->PrepareVideoFrame(ist, picture.get());
    EXPECT_TRUE(Logged(llError, "Deinterlacing failed."));
    EXPECT_EQ(picture->data[0][0], 77);
    EXPECT_EQ(picture->width, 18);
}

} // namespace
} // namespace tovrel::test
