#pragma once
// The conversion preview: while a task converts with phPreview on, its post
// hooks hand a picture of the output (at most one per preview interval) to the
// task's TPreviewer, which shows it in a small floating window of its own.
//
// The engine knows the window only through IPreviewWindow; the program
// installs the real one (a form of the GUI layers) with
// SetPreviewWindowFactory, tests install the real one or a fake. Every window
// call runs on the main thread: the worker hands each picture over through
// TMainThread::Call and waits for it, holding PostHookLock, so whoever takes
// that lock on the main thread must wait pumping (EnterPumping).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tovrel {

class TCustomFFmpeg;
class TSurface;

// One task's preview window. Made, used and freed on the main thread only.
class IPreviewWindow {
public:
    virtual ~IPreviewWindow() = default;
    // Sets the caption and draws the picture at the top-left corner of the
    // client area (the window keeps the size it was made with).
    virtual void ShowPicture(const TSurface& picture, const std::string& caption) = 0;
};

// Makes and shows a preview window whose client area is width x height.
// onClosed runs on the main thread when the user closes the window; the
// window then hides and stays alive until the previewer frees it.
using TPreviewWindowFactory =
    std::function<std::unique_ptr<IPreviewWindow>(int width, int height, std::function<void()> onClosed)>;

// Main thread. An empty factory (the default) means no window can be shown:
// a task's first preview picture then ends its preview.
void SetPreviewWindowFactory(TPreviewWindowFactory factory);

class TPreviewer {
public:
    TPreviewer();
    // Frees the window on the main thread (waiting for it from a worker).
    ~TPreviewer();
    TPreviewer(const TPreviewer&) = delete;
    TPreviewer& operator=(const TPreviewer&) = delete;

    // Worker thread. Unless the window was closed, has PaintPreview show the
    // picture on the main thread and waits for it. False once the user closed
    // the window (or none could be made): the task's preview ends.
    bool PaintFrame(const TSurface& bitmap, std::int32_t frameNumber, std::int64_t pts);

private:
    void PaintPreview();

    std::unique_ptr<IPreviewWindow> FForm;
    // Shared with the window's close handler, which may run while the
    // worker reads it.
    std::shared_ptr<std::atomic<bool>> FClosed;
    const TSurface* FBitmap = nullptr;
    std::int32_t FFrameNumber = 0;
    std::int64_t FPTS = 0;
};

// For the post hooks (PostHookLock held): shows the picture in the job's
// previewer, made on first use. False once the preview has ended.
bool PaintPreviewFrame(TCustomFFmpeg& job, const TSurface& bitmap, std::int32_t frameNumber, std::int64_t pts);

// Frees a job's previewer under PostHookLock (taken pumping on the main thread).
void ReleasePreviewer(std::unique_ptr<TPreviewer>& previewer);

} // namespace tovrel
