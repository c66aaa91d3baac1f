#include "media/preview/Previewer.h"

#include "media/engine/FFmpegEngine.h"
#include "media/loader/FFmpegUtilsText.h"
#include "platform/gdi/Surface.h"
#include "platform/rtl/MainThread.h"

#include <utility>

namespace tovrel {

namespace {

// Read and written on the main thread only.
TPreviewWindowFactory& WindowFactory()
{
    static TPreviewWindowFactory factory;
    return factory;
}

} // namespace

void SetPreviewWindowFactory(TPreviewWindowFactory factory)
{
    WindowFactory() = std::move(factory);
}

TPreviewer::TPreviewer() : FClosed(std::make_shared<std::atomic<bool>>(false)) {}

TPreviewer::~TPreviewer()
{
    if (!FForm)
        return;
    try {
        TMainThread::Call([this] { FForm.reset(); });
    } catch (...) {
        // The main thread no longer runs calls (or the window failed while
        // going): a window is never touched from another thread, so what is
        // left of it stays with the finished GUI.
        [[maybe_unused]] IPreviewWindow* left = FForm.release();
    }
}

bool TPreviewer::PaintFrame(const TSurface& bitmap, std::int32_t frameNumber, std::int64_t pts)
{
    if (FClosed->load())
        return false;
    FBitmap = &bitmap;
    FFrameNumber = frameNumber;
    FPTS = pts;
    // Windows belong to the main thread, whatever the media components'
    // synchronisation switch says.
    TMainThread::Call([this] { PaintPreview(); });
    return !FClosed->load();
}

void TPreviewer::PaintPreview()
{
    if (FClosed->load())
        return;
    if (!FForm) {
        const TPreviewWindowFactory& factory = WindowFactory();
        if (factory)
            FForm = factory(FBitmap->Width(), FBitmap->Height(), [closed = FClosed] { closed->store(true); });
        if (!FForm) {
            FClosed->store(true);
            return;
        }
    }
    FForm->ShowPicture(*FBitmap, FormatDuration(FPTS));
}

bool PaintPreviewFrame(TCustomFFmpeg& job, const TSurface& bitmap, std::int32_t frameNumber, std::int64_t pts)
{
    if (!job.FPreviewer)
        job.FPreviewer = std::make_unique<TPreviewer>();
    return job.FPreviewer->PaintFrame(bitmap, frameNumber, pts);
}

void ReleasePreviewer(std::unique_ptr<TPreviewer>& previewer)
{
    TPumpingLock lock(PostHookLock());
    previewer.reset();
}

} // namespace tovrel
