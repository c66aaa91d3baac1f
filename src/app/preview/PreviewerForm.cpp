#include "app/preview/PreviewerForm.h"

#include "platform/wm/Wm.h"

#include <memory>
#include <utility>

namespace tovrel {

namespace {

// The engine's handle on one form. The engine may let go of its window while
// the form is inside one of its own handlers (the previewer is freed by a
// main-thread call that the move loop runs while the user drags): the form
// is then hidden and freed once that handler has returned.
class TPreviewerWindow : public IPreviewWindow {
public:
    explicit TPreviewerWindow(std::unique_ptr<TPreviewerForm> form) : form_(std::move(form)) {}
    ~TPreviewerWindow() override
    {
        if (!form_->Handling())
            return;
        form_.release()->ReleaseAfterHandling();
    }
    void ShowPicture(const TSurface& picture, const std::string& caption) override
    {
        form_->ShowPicture(picture, caption);
    }

private:
    std::unique_ptr<TPreviewerForm> form_;
};

// Counts the form's handlers on the stack.
class THandlingScope {
public:
    explicit THandlingScope(int& depth) : depth_(depth) { ++depth_; }
    ~THandlingScope() { --depth_; }
    THandlingScope(const THandlingScope&) = delete;
    THandlingScope& operator=(const THandlingScope&) = delete;

private:
    int& depth_;
};

} // namespace

TPreviewerForm::TPreviewerForm(int width, int height, std::function<void()> onClosed) : TForm(nullptr)
{
    SetFormStyle(fsStayOnTop);
    SetBorderStyle(bsToolWindow);
    BorderIcons = {biSystemMenu};
    Position = poScreenCenter;
    SetClientSize(width, height);
    OnCloseQuery = [onClosed = std::move(onClosed)](TObject*, bool& canClose) {
        onClosed();
        canClose = true;
    };
}

void TPreviewerForm::ShowPicture(const TSurface& picture, const std::string& caption)
{
    SetCaption(caption);
    picture_.SetSurface(picture);
    Canvas()->Draw(0, 0, &picture_);
}

void TPreviewerForm::Paint()
{
    if (!picture_.Empty())
        Canvas()->Draw(0, 0, &picture_);
}

void TPreviewerForm::ReleaseAfterHandling()
{
    OnCloseQuery = nullptr;
    Hide();
    releaseAfterHandling_ = true;
    // The hidden window lost the capture: a move loop waiting for the pointer
    // wakes, sees that and ends.
    PostMessage(Handle(), WM_NULL, 0, 0);
}

void TPreviewerForm::WndProc(TMessage& message)
{
    {
        THandlingScope scope(handling_);
        if (message.Msg == WM_LBUTTONDOWN) {
            // A press on the picture is a press on the caption: the layer's
            // move loop follows the pointer from where it was pressed.
            POINT cursor = PointFromLParam(message.LParam);
            ::tovrel::ClientToScreen(Handle(), &cursor);
            SendMessage(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, LParamFromPoint(cursor));
            message.Result = 0;
        } else {
            TForm::WndProc(message);
        }
    }
    if (handling_ == 0 && releaseAfterHandling_) {
        releaseAfterHandling_ = false;
        Release();
    }
}

std::unique_ptr<IPreviewWindow> MakePreviewerWindow(int width, int height, std::function<void()> onClosed)
{
    auto form = std::make_unique<TPreviewerForm>(width, height, std::move(onClosed));
    form->Show();
    return std::make_unique<TPreviewerWindow>(std::move(form));
}

void InstallPreviewerForm()
{
    SetPreviewWindowFactory(MakePreviewerWindow);
}

} // namespace tovrel
