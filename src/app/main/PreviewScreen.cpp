#include "app/main/PreviewScreen.h"

#include "platform/gdi/SurfaceDrawing.h"
#include "platform/rtl/MainThread.h"
#include "player/Player.h"

namespace tovrel {

TPreviewScreen::TPreviewScreen(TComponent* owner) : TPanel(owner)
{
    SetBevelOuter(bvNone);
    SetColor(clBtnText);
}

TPreviewScreen::~TPreviewScreen()
{
    // A repaint still queued finds no panel.
    repaintQueued_ = nullptr;
}

void TPreviewScreen::KeepClientSize()
{
    const TRect client = ClientRect();
    width_ = client.Width();
    height_ = client.Height();
}

TSize TPreviewScreen::ClientSize() const
{
    // Asked from the play thread, which must not read the control itself.
    return {width_.load(), height_.load()};
}

void TPreviewScreen::PictureChanged(const TRect&)
{
    QueueRepaint();
}

void TPreviewScreen::PlaybackEnded()
{
    QueueRepaint();
}

void TPreviewScreen::QueueRepaint()
{
    std::shared_ptr<std::atomic<bool>> queued = repaintQueued_;
    if (!queued || queued->exchange(true))
        return;
    std::weak_ptr<std::atomic<bool>> alive = queued;
    TMainThread::Post([this, alive] {
        const auto flag = alive.lock();
        if (!flag)
            return;
        flag->store(false);
        Invalidate();
    });
}

void TPreviewScreen::Paint()
{
    TCanvas& canvas = *Canvas();
    const TRect client = ClientRect();
    KeepClientSize();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(client);
    if (!player_ || player_->ScreenHandle() != this)
        return;
    player_->Surface().Read([&](const TSurface& surface, std::int64_t) {
        if (surface.Width() <= 0 || surface.Height() <= 0)
            return;
        const int left = (client.Width() - surface.Width()) / 2, top = (client.Height() - surface.Height()) / 2;
        DrawSurface(canvas.Handle(), Bounds(left, top, surface.Width(), surface.Height()), surface, false);
    });
}

} // namespace tovrel
