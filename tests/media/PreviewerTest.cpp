// The conversion preview through a fake window: pictures handed from the
// post hooks to the window on the main thread, the window's size and
// captions, closing it, switching the preview off and on, and whole batches
// whose previews are switched while they convert.
#include "media/preview/Previewer.h"
#include "FFmpegOutputStepsTestSupport.h"
#include "PreviewBatchTestSupport.h"
#include "platform/gdi/Surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tovrel::test {
namespace {

// What one fake window went through. Touched on the main thread only.
struct TFakeWindowRecord {
    int width = 0;
    int height = 0;
    std::vector<std::string> captions;
    std::function<void()> close; // what the user's close does
    bool alive = true;
    bool offMainThread = false; // some call reached it on another thread
};

class TFakeWindow : public IPreviewWindow {
public:
    TFakeWindow(std::shared_ptr<TFakeWindowRecord> record, std::function<void(TFakeWindowRecord&)> onPicture)
        : record_(std::move(record)), onPicture_(std::move(onPicture))
    {}
    ~TFakeWindow() override
    {
        record_->alive = false;
        record_->offMainThread |= !TMainThread::IsCurrent();
    }
    void ShowPicture(const TSurface& picture, const std::string& caption) override
    {
        record_->offMainThread |= !TMainThread::IsCurrent();
        EXPECT_EQ(picture.Width(), record_->width);
        record_->captions.push_back(caption);
        if (onPicture_)
            onPicture_(*record_);
    }

private:
    std::shared_ptr<TFakeWindowRecord> record_;
    std::function<void(TFakeWindowRecord&)> onPicture_;
};

// Installs the fake window factory for one test.
class TFakeWindows {
public:
    TFakeWindows()
    {
        SetPreviewWindowFactory([this](int width, int height, std::function<void()> onClosed) {
            auto record = std::make_shared<TFakeWindowRecord>();
            record->width = width;
            record->height = height;
            record->close = std::move(onClosed);
            record->offMainThread = !TMainThread::IsCurrent();
            made.push_back(record);
            return std::make_unique<TFakeWindow>(record, OnPicture);
        });
    }
    ~TFakeWindows() { SetPreviewWindowFactory(nullptr); }

    bool AnyAlive() const
    {
        for (const auto& window : made)
            if (window->alive)
                return true;
        return false;
    }
    bool AllOnMainThread() const
    {
        for (const auto& window : made)
            if (window->offMainThread)
                return false;
        return true;
    }
    const TFakeWindowRecord* OfWidth(int width) const
    {
        for (const auto& window : made)
            if (window->width == width)
                return window.get();
        return nullptr;
    }

    std::vector<std::shared_ptr<TFakeWindowRecord>> made;
    std::function<void(TFakeWindowRecord&)> OnPicture;
};

// The post hooks of one run, with pictures every 40 ms of input and wall clock.
class PreviewStepsTest : public TOutputStepsTest {
protected:
    void SetUp() override
    {
        TOutputStepsTest::SetUp();
        steps->Clock = [this] { return now_; };
        OpenOutput("preview.mkv");
        ost_ = &AddVideo("mpeg4", 64, 48);
        ost_->resample_width = 64;
        ost_->resample_height = 48;
        ost_->resample_pix_fmt = AV_PIX_FMT_YUV420P;
        WriteHeader();
    }
    void EncodePictures(int count)
    {
        for (int i = 0; i < count; ++i) {
            auto picture = Picture(64, 48);
            steps->PrepareVideoFrame(ist, picture.get());
            int frameSize = 0;
            steps->EncodeVideoFrame(output.get(), *ost_, ist, picture.get(), frameSize);
            ist.pts += 40000;
            now_ += 40000;
        }
    }

    TFakeWindows windows;

private:
    std::int64_t now_ = 1000000;
    TAVOutputStream* ost_ = nullptr;
};

// The first picture opens a window of its size; a picture per interval shows
// with its time as the caption; a bitmap handler takes the pictures instead.
TEST_F(PreviewStepsTest, PicturesShowOnceAnIntervalInAWindowOfTheFirstPicturesSize)
{
    job->SetPostHooks({TPostHook::phPreview});
    EncodePictures(7);
    ASSERT_EQ(windows.made.size(), 1u);
    const TFakeWindowRecord& window = *windows.made[0];
    EXPECT_EQ(window.width, 64);
    EXPECT_EQ(window.height, 48);
    EXPECT_EQ(window.captions, (std::vector<std::string>{"00:00:00.000", "00:00:00.120", "00:00:00.240"}));
    EXPECT_TRUE(windows.AllOnMainThread());

    int handled = 0;
    job->FOnPreviewBitmap = [&](TCustomFFmpeg*, TSurface*, std::int32_t, std::int64_t) { ++handled; };
    job->SetPostHooks({TPostHook::phPreview, TPostHook::phBitmap});
    EncodePictures(3);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(window.captions.size(), 3u);
}

// Closing the window ends the preview of the task (its window is freed and
// phPreview dropped at the next picture); switching it on again makes a new
// window, and switching it off frees that one at once.
TEST_F(PreviewStepsTest, ClosingEndsThePreviewAndSwitchingItOnAgainMakesANewWindow)
{
    job->SetPostHooks({TPostHook::phPreview});
    EncodePictures(1);
    ASSERT_EQ(windows.made.size(), 1u);
    windows.made[0]->close();
    EncodePictures(6);
    EXPECT_EQ(windows.made[0]->captions.size(), 1u);
    EXPECT_FALSE(windows.made[0]->alive);
    EXPECT_FALSE(job->PostHooks().Contains(TPostHook::phPreview));
    EXPECT_EQ(windows.made.size(), 1u);

    job->SetPostHooks({TPostHook::phPreview});
    EncodePictures(1);
    ASSERT_EQ(windows.made.size(), 2u);
    EXPECT_TRUE(windows.made[1]->alive);
    job->SetPostHooks({});
    EXPECT_FALSE(windows.made[1]->alive);
    EncodePictures(4);
    EXPECT_EQ(windows.made[1]->captions.size(), 1u);
}

// A program that installed no window: the first picture ends the preview.
TEST_F(PreviewStepsTest, WithoutAWindowThePreviewEnds)
{
    SetPreviewWindowFactory(nullptr);
    job->SetPostHooks({TPostHook::phPreview});
    EncodePictures(4);
    EXPECT_FALSE(job->PostHooks().Contains(TPostHook::phPreview));
}

// A worker's pictures reach the window on the main thread while it pumps, and
// the worker frees the window there too.
TEST(Previewer, AWorkersPicturesReachTheWindowOnTheMainThread)
{
    TMainThread::SetCurrent();
    TFakeWindows windows;
    TSurface picture(320, 240, TPixelFormat::pf24bit);
    TEvent done(true, false);
    std::vector<bool> results;
    std::thread worker([&] {
        auto previewer = std::make_unique<TPreviewer>();
        results.push_back(previewer->PaintFrame(picture, 1, 1040000));
        results.push_back(previewer->PaintFrame(picture, 2, AV_NOPTS_VALUE));
        previewer.reset();
        done.SetEvent();
    });
    TMainThread::WaitPumping(done);
    worker.join();
    EXPECT_EQ(results, (std::vector<bool>{true, true}));
    ASSERT_EQ(windows.made.size(), 1u);
    EXPECT_EQ(windows.made[0]->width, 320);
    EXPECT_EQ(windows.made[0]->height, 240);
    EXPECT_EQ(windows.made[0]->captions, (std::vector<std::string>{"00:00:01.040", "N/A"}));
    EXPECT_FALSE(windows.made[0]->alive);
    EXPECT_TRUE(windows.AllOnMainThread());
}

// Whole batches converting in workers with the preview on.
class PreviewBatchTest : public TPreviewBatchTest {
protected:
    TFakeWindows windows;
    int switches_ = 0;
};

// The user closes the first task's window at its second picture: that task
// shows nothing more and converts to the end; the other task's window goes on.
TEST_F(PreviewBatchTest, ClosingOneTasksWindowLeavesTheConversionAndTheOtherWindow)
{
    AddTask("160x120");
    AddTask("176x144");
    windows.OnPicture = [](TFakeWindowRecord& window) {
        // As a click on the close box would come: after this picture is shown.
        if (window.width == 160 && window.captions.size() == 2)
            TMainThread::Post(window.close);
    };
    RunBatch(2);
    ExpectAllFinished();
    const TFakeWindowRecord* closed = windows.OfWidth(160);
    const TFakeWindowRecord* other = windows.OfWidth(176);
    ASSERT_TRUE(closed && other);
    EXPECT_EQ(closed->captions.size(), 2u);
    EXPECT_EQ(windows.made.size(), 2u);
    EXPECT_GT(other->captions.size(), 40u); // every picture of the two-second clip
    EXPECT_FALSE(windows.AnyAlive());
    EXPECT_TRUE(windows.AllOnMainThread());
}

// Switching the preview of a whole batch on and off while its workers paint
// (each switch waits for the post-hook lock a painting worker holds) never
// deadlocks, and every window made is freed.
TEST_F(PreviewBatchTest, SwitchingThePreviewWhileTasksPaintNeverDeadlocks)
{
    for (const char* size : {"160x120", "176x144", "128x96"})
        AddTask(size, true);
    tasks_.OnCustomHook = [this](TCustomFFmpegTasks*, THookInfo* info) {
        if (info->FrameNumber % 4 == 0)
            TMainThread::Post([this] {
                tasks_.SetPreview(!tasks_.Preview());
                ++switches_;
            });
    };
    RunBatch(2);
    ExpectAllFinished();
    EXPECT_GT(switches_, 10);
    EXPECT_GE(windows.made.size(), 2u);
    EXPECT_FALSE(windows.AnyAlive());
    EXPECT_TRUE(windows.AllOnMainThread());
}

} // namespace
} // namespace tovrel::test
