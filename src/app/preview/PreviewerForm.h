#pragma once
// The conversion preview's window: a small stay-on-top tool window with only a
// close box, centred on the screen, whose client area is the picture. Dragging
// the picture moves the window as dragging its caption would.
#include "media/preview/Previewer.h"
#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Forms.h"

#include <functional>
#include <memory>
#include <string>

namespace tovrel {

class TPreviewerForm : public TForm {
public:
    // Makes the window with a client area of width x height; onClosed runs
    // when the user closes it (the window then hides).
    TPreviewerForm(int width, int height, std::function<void()> onClosed);

    // Sets the caption and draws the picture at (0, 0) of the client area,
    // keeping a copy for later repaints.
    void ShowPicture(const TSurface& picture, const std::string& caption);
    // One of the form's own handlers is running (a drag runs the move loop
    // inside one): the form may be freed only once it has returned.
    bool Handling() const { return handling_ > 0; }
    // While handling: hides the form and frees it after its outermost handler
    // has returned (a release posted now would be run by the move loop,
    // inside the drag).
    void ReleaseAfterHandling();

    void WndProc(TMessage& message) override;

protected:
    void Paint() override;

private:
    TBitmap picture_;
    int handling_ = 0;
    bool releaseAfterHandling_ = false;
};

// A shown TPreviewerForm as the engine's preview window (the factory
// InstallPreviewerForm installs).
std::unique_ptr<IPreviewWindow> MakePreviewerWindow(int width, int height, std::function<void()> onClosed);

// Makes TPreviewerForm the conversion preview's window (main thread, at
// start-up).
void InstallPreviewerForm();

} // namespace tovrel
